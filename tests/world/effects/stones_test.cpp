#include "world/effects/stones.h"

#include <cmath>
#include <memory>

#include "framework/media/resources.h"
#include "overlay_test_env.h"

namespace kelp {
namespace {

class Stone : public overlay_env::Overlay {
 protected:
  static TMagnetRef MagnetAt(float x, float y, float speed = 10.0f, float force = 1.0f, float timeout = 0.0f) {
    auto m = std::make_shared<TMagnet>();
    *m = {1.0f, x, y, speed, force, timeout};
    return m;
  }
};

TEST_F(Stone, CreateSetsItsStartValuesAndJoinsTheList) {
  auto s = TStone::Create("NO_SUCH_STONE", 120, 80, 0.5f, 1.5f, 800);
  ASSERT_TRUE(Listed(s.get()));
  EXPECT_EQ(s->Image, nullptr);
  EXPECT_EQ(s->x, 120.0f);
  EXPECT_EQ(s->y, 80.0f);
  EXPECT_EQ(s->TimeStart, GameTime);
  EXPECT_EQ(s->LifeTime, 800.0f);
  EXPECT_EQ(s->angleSpeed, 2.0f);
  EXPECT_EQ(s->Speed, 3.0f);
  EXPECT_EQ(s->Dir, 0.0f);
  EXPECT_EQ(s->Under, 0);
  EXPECT_EQ(s->Over, 0);
  EXPECT_EQ(s->Drawable, 1);
}

TEST_F(Stone, TheMagnetPullsItInAndItEndsThere) {
  struct Row {
    float tx, ty, dt;
  };
  const Row rows[] = {{700, 40, 1.0f}, {50, 550, 1.0f}, {700, 40, 2.0f}, {120, 500, 0.5f}};
  for (const Row& r : rows) {
    VisualsList.Clear();
    auto s = TStone::Create("X", 120, 80, 1.0f, 1.0f, 1000);
    s->Magnet = MagnetAt(r.tx, r.ty);
    float best = 1e9f;
    int frames = 0;
    while (Listed(s.get()) && frames < 5000) {
      Frame(r.dt);
      best = std::min(best, std::hypot(s->x - r.tx, s->y - r.ty));
      ++frames;
    }
    EXPECT_FALSE(Listed(s.get())) << r.tx << "," << r.ty << " dt " << r.dt;
    EXPECT_LT(best, 45.0f);  // it arrives once within reach of its pull
  }
}

TEST_F(Stone, TheMagnetWaitsForItsTimeout) {
  auto s = TStone::Create("X", 100, 100, 1.0f, 1.0f, 1000);
  s->Magnet = MagnetAt(100, 0, 10.0f, 1.0f, 500.0f);
  Frame(1.0f, 100);
  // Still falling straight down at its own speed.
  EXPECT_FLOAT_EQ(s->x, 100.0f);
  EXPECT_FLOAT_EQ(s->y, 103.0f);
  GameTime += 500;
  Frame(1.0f, 1);
  EXPECT_GT(s->Speed, 3.0f);  // pulled now
}

TEST_F(Stone, WithoutAMagnetItFallsAndLivesOn) {
  auto s = TStone::Create("X", 10, 10, 1.0f, 1.0f, 1000);
  for (int i = 0; i < 10; ++i) Frame(2.0f);
  EXPECT_TRUE(Listed(s.get()));
  EXPECT_FLOAT_EQ(s->x, 10.0f);
  EXPECT_FLOAT_EQ(s->y, 70.0f);  // 3 per unit of frame factor, straight down
  s->Magnet = MagnetAt(0, 0);
  (*s->Magnet)[0] = 0.0f;  // a disabled magnet pulls nothing either
  Frame();
  EXPECT_FLOAT_EQ(s->y, 73.0f);
}

TEST_F(Stone, ScaleRunsHalfWayToItsEndOverItsLifeAndIsDefinedAtBirth) {
  auto s = TStone::Create("X", 0, 0, 1.0f, 3.0f, 0);
  s->Update(1.0f);  // no life and no age yet: 0 / 0
  EXPECT_EQ(s->Scale, 1.0f);
  auto t = TStone::Create("X", 0, 0, 1.0f, 3.0f, 400);
  GameTime += 400;
  t->Update(1.0f);
  EXPECT_FLOAT_EQ(t->Scale, 2.0f);
  GameTime += 1000000;
  t->Update(1.0f);
  EXPECT_NEAR(t->Scale, 3.0f, 0.01f);
}

TEST_F(Stone, TurnsByItsAngleSpeedAndWraps) {
  auto s = TStone::Create("X", 0, 0, 1.0f, 1.0f, 100);
  s->angle = 359.0f;
  s->Update(1.0f);
  EXPECT_FLOAT_EQ(s->angle, 1.0f);
  s->angleSpeed = -4.0f;
  s->angle = -356.0f;
  s->Update(1.0f);
  EXPECT_FLOAT_EQ(s->angle, 0.0f);
  // Without spin it faces its motion: straight down is 90 degrees.
  s->angleSpeed = 0.0f;
  s->Update(1.0f);
  EXPECT_FLOAT_EQ(s->angle, 90.0f);
}

}  // namespace
}  // namespace kelp
