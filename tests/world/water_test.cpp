// The water surface: the wave step and its interpolation, the end pushes in
// bursts, heights that stay finite whatever the frame factor, splashes that
// happen once per particle, buoyancy that lifts a box, and the jumping fish.
#include "reset_rooms.h"
#include "scenes/level_scenes.h"
#include "scenes/physics_scenes.h"
#include "world/water.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/particles.h"
#include "framework/media/visuals.h"
#include "physics/engine.h"
#include "world/effects/fish.h"
#include "world/game_interface.h"
#include "world/block.h"
#include "world/resource_bindings.h"
#include "world/world.h"

namespace {

using namespace kelp;

class Water : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetWorldRooms();
    GameTime = 1000000;
    SeedRnd(9);
    World = New<TWorld>();
    scenes::WalledBox(*World->Physics, scenes::kPlayColumns, 580);
    GameInterface = New<TGameInterface>();
    EffectWater = EffectWater2 = New<TEffect>();
  }
  void TearDown() override { testsupport::ResetWorldRooms(); }

  // The level's water: 17 points from 156 to 620.
  static Ref<TWater> LevelWater(int level) { return TWater::Create(TWater::WaterArray(156, 29, 16), level); }


  static int Fish() {
    int n = 0;
    for (const auto& v : VisualsList)
      if (As<TFish>(v)) ++n;
    return n;
  }

  static bool Finite(const TWater& w) {
    for (size_t i = 0; i < w.H.size(); ++i)
      for (float v : {w.H[i].y, w.H0[i].y, w.H1[i].y, w.cH[i].x, w.cH[i].y})
        if (!std::isfinite(v)) return false;
    return true;
  }

  static float Highest(const TWater& w) {
    float m = 0;
    for (const auto& c : w.cH) m = std::max(m, std::fabs(c.y));
    return m;
  }
};

TEST_F(Water, TheLevelsArrayGivesSeventeenPointsWithSmallStartingHeights) {
  const std::vector<int> a = TWater::WaterArray(156, 29, 16);
  ASSERT_EQ(a.size(), 34u);
  EXPECT_EQ(a[0], 156);
  EXPECT_EQ(a[32], 620);
  for (size_t k = 1; k < a.size(); k += 2) {
    EXPECT_GE(a[k], -2);
    EXPECT_LE(a[k], 2);
  }
  const auto w = TWater::Create(a, 400);
  ASSERT_EQ(w->Points(), 17);
  EXPECT_FLOAT_EQ(w->H[3].x, float(a[6]));
  EXPECT_FLOAT_EQ(w->cH[3].y, float(a[7]));
  EXPECT_FLOAT_EQ(w->SurfaceY(3), 400.0f + float(a[7]));
}

TEST_F(Water, AWaveStepFollowsTheEquationAndTheDrawnSurfaceCoversItExactly) {
  const auto w = TWater::Create({0, 0, 10, 4, 20, -2, 30, 6, 40, 1}, 500);
  w->WaveGen = 0;
  w->steps = 4;
  w->count = 3;
  w->Set(2, 1.0f);  // the previous step of point 2 is 1 lower
  w->Update(1.0f);  // the fourth frame since the last step: a step is due
  ASSERT_EQ(w->steps, 10) << "Int(10 / f) frames until the next one";
  const float expected[] = {0, ((0 + -2) / 1.9f - 4) * 0.95f, ((4 + 6) / 1.9f - (-2 + 1)) * 0.95f,
                            ((-2 + 1) / 1.9f - 6) * 0.95f, 1};
  for (int i = 0; i < 5; ++i) EXPECT_FLOAT_EQ(w->H[size_t(i)].y, expected[i]) << i;
  EXPECT_FLOAT_EQ(w->H0[2].y, -2.0f) << "the step before is the old current one";
  EXPECT_FLOAT_EQ(w->H[0].y, 0.0f) << "the ends keep their heights";
  EXPECT_FLOAT_EQ(w->H[4].y, 1.0f);

  const float start = w->cH[2].y;
  for (int i = 0; i < 10; ++i) w->Update(1.0f);
  EXPECT_NEAR(w->cH[2].y, start + (expected[2] - -2.0f), 1e-4f) << "ten frames cover the step's change";
}

TEST_F(Water, AnyFrameFactorKeepsTheSurfaceFinite) {
  for (float f : {1.0f, 12.0f, 10.0f, 1000.0f, 0.0f, -1.0f, std::numeric_limits<float>::infinity(),
                  std::numeric_limits<float>::quiet_NaN(), 0.001f}) {
    SCOPED_TRACE(f);
    const auto w = LevelWater(560);
    for (int i = 0; i < 200; ++i) {
      GameTime += 18;
      w->Update(f);
    }
    EXPECT_TRUE(Finite(*w));
    EXPECT_GE(w->steps, 1);
    w->Update(1.0f);
  }
}

TEST_F(Water, LongPlayWithPushesAndSplashesStaysInBounds) {
  const auto w = LevelWater(560);
  for (int i = 0; i < 40000; ++i) {
    GameTime += 18;
    w->Update(i % 97 == 0 ? 3.0f : 1.09f);
    if (i % 500 == 0) {
      w->Set(5, -7);
      w->Set(6, -3);
    }
  }
  EXPECT_TRUE(Finite(*w));
  EXPECT_LT(Highest(*w), 60.0f);
  EXPECT_EQ(w->H[0].y, w->H0[0].y) << "the ends never move";
}

TEST_F(Water, EndPushesComeInBurstsOfTwentyFiveThenCalm) {
  const auto w = LevelWater(560);
  int pushes = 0, frames = 0;
  while (pushes < 25 && frames < 1000) {
    const int before = w->WaveGenNum;
    GameTime += 18;
    w->Update(1.0f);
    ++frames;
    if (w->WaveGenNum != before) ++pushes;
  }
  ASSERT_EQ(pushes, 25);
  EXPECT_EQ(w->WaveGenNum, 0) << "the burst is over";
  EXPECT_EQ(w->WaveGenTime, GameTime);
  EXPECT_GT(frames, 40) << "one push a frame that wins a one-in-three draw";
  const int calmUntil = GameTime + w->WavePeriod;
  while (GameTime + 18 < calmUntil) {
    GameTime += 18;
    w->Update(1.0f);
    EXPECT_EQ(w->WaveGenNum, 0);
  }
  for (int i = 0; i < 40 && w->WaveGenNum == 0; ++i) {
    GameTime += 18;
    w->Update(1.0f);
  }
  EXPECT_GT(w->WaveGenNum, 0) << "the next burst starts after the calm";
}

TEST_F(Water, EndPushesDisturbThePointsNextToTheEndsAndTheEndsNeverMove) {
  const auto w = LevelWater(560);
  std::vector<float> start;
  for (const TVector& h : w->H0) start.push_back(h.y);
  w->steps = 100000;  // no wave step yet: the pushes alone
  while (w->WaveGenNum == 0) {
    GameTime += 18;
    w->Update(1.0f);
  }
  const float s = w->WaveSize;
  const float pushed[17] = {0, -s / 2.2f, -s, -s / 2.2f, 0, 0, 0, 0, 0, 0, 0, 0, 0, s / 2.2f, s, s / 2.2f, 0};
  for (size_t i = 0; i < 17; ++i) EXPECT_FLOAT_EQ(w->H0[i].y - start[i], pushed[i]) << i;

  const float left = w->H[0].y, right = w->H[16].y;
  const float drawnLeft = w->cH[0].y, drawnRight = w->cH[16].y;
  w->steps = 9;
  w->count = 0;
  for (int i = 0; i < 3000; ++i) {
    GameTime += 18;
    w->Update(1.0f);
  }
  EXPECT_NE(w->H[1].y, start[1]) << "the waves run";
  EXPECT_EQ(w->H[0].y, left);
  EXPECT_EQ(w->H[16].y, right);
  EXPECT_EQ(w->cH[0].y, drawnLeft);
  EXPECT_EQ(w->cH[16].y, drawnRight);
}

TEST_F(Water, APointDisturbedOutsideTheFieldIsIgnored) {
  const auto w = TWater::Create({0, 0, 10, 0, 20, 0}, 500);
  w->Set(-1, 5);
  w->Set(3, 5);
  w->Set(1000000, 5);
  for (int i = 0; i < 50; ++i) {
    GameTime += 18;
    w->Update(1.0f);
  }
  EXPECT_TRUE(Finite(*w));
  EXPECT_TRUE(Finite(*TWater::Create({}, 500)));
  TWater::Create({}, 500)->Update(1.0f);
}

TEST_F(Water, ABoxSplashesOnceAndFloatsUp) {
  const auto w = LevelWater(400);
  w->WaveGen = 0;
  World->Water = w;
  const auto box = scenes::MakeBox({.x = 380, .y = 330, .levelSize = true});
  const size_t emitters = GameInterface->Emitters.Count();
  float deepest = 0;
  for (int i = 0; i < 120; ++i) {
    GameTime += 18;
    w->Update(1.0f);
    World->Physics->Update(1.0f);
    deepest = std::max(deepest, box->Center->y);
  }
  for (auto p = box->Group->frstp.get(); p; p = p->nxt.get()) EXPECT_EQ(p->WaterDrop, 1) << p->name;
  EXPECT_EQ(GameInterface->Emitters.Count(), emitters + 2 * 5) << "two splash effects per particle, once";
  EXPECT_GT(deepest, 400.0f) << "it went under";
  EXPECT_LT(deepest, 560.0f) << "without reaching the bottom";

  // Afloat: it settles around the surface, buoyed but never splashing again.
  for (int i = 0; i < 1000; ++i) {
    GameTime += 18;
    w->Update(1.0f);
    World->Physics->Update(1.0f);
  }
  EXPECT_NEAR(box->Center->y, 400.0f, 30.0f);
  EXPECT_EQ(GameInterface->Emitters.Count(), emitters + 2 * 5);
  EXPECT_TRUE(Finite(*w));
}

TEST_F(Water, ABoxHeldUnderIsLiftedByItsRadiusLessALittleForDepth) {
  const auto w = LevelWater(300);
  w->WaveGen = 0;
  const auto box = scenes::MakeBox({.x = 380, .y = 500, .levelSize = true});
  for (auto p = box->Group->frstp.get(); p; p = p->nxt.get()) p->WaterDrop = 1;
  const float y = box->Center->y, r = box->Center->radius;
  const float surface = w->SurfaceY(8);
  w->Update(1.0f);
  EXPECT_EQ(box->Center->underwater, 1);
  EXPECT_FLOAT_EQ(box->Center->y, y - 0.027f * r + 0.0006f * (y - surface));
  EXPECT_EQ(box->UpLeft->underwater, 1);

  // A box waiting on a hidden trolley is out of the world.
  box->hided = 1;
  const float before = box->Center->y;
  w->Update(1.0f);
  EXPECT_FLOAT_EQ(box->Center->y, before);
}

TEST_F(Water, FishJumpOnlyFromHighEnoughWater) {
  for (int level : {550, 600}) {
    const auto w = LevelWater(level);
    for (int i = 0; i < 3000; ++i) {
      GameTime += 18;
      w->Update(1.0f);
    }
    EXPECT_EQ(Fish(), 0) << level;
  }
  const auto w = LevelWater(420);
  int jumps = 0;
  for (int i = 0; i < 3000; ++i) {
    GameTime += 18;
    const int before = Fish();
    w->Update(1.0f);
    const int made = Fish() - before;
    if (made == 0) continue;
    ++jumps;
    EXPECT_GE(made, 2);
    EXPECT_LE(made, 6);
  }
  EXPECT_GE(jumps, 3);
  EXPECT_LE(jumps, 3000 * 18 / 6000 + 1) << "at most one jump per six seconds";
}

}  // namespace
