#include "world/effects/counters.h"

#include <cmath>

#include "draw_probe.h"
#include "overlay_test_env.h"
#include "world/effects/flash.h"
#include "world/game_interface.h"
#include "world/resource_bindings.h"

namespace kelp {
namespace {

class Count : public overlay_env::Overlay {
 protected:
  void SetUp() override {
    Overlay::SetUp();
    GameInterface = New<TGameInterface>();
    EffectStars04 = New<TEffect>();
  }
  static Ref<TFlash> LastFlash() {
    Ref<TFlash> last;
    for (const Ref<TVisuals>& v : VisualsList)
      if (auto f = As<TFlash>(v)) last = f;
    return last;
  }
};

TEST_F(Count, CreateCountSetsItsLayerAndStartValue) {
  auto font = testsupport::MakeFont();
  auto c = TCount::CreateCount(40, 50, 120, 900, font, 30, 1, 1, 1);
  ASSERT_TRUE(Listed(c.get()));
  EXPECT_EQ(c->Ammount, 120.0f);
  EXPECT_EQ(c->StartAmmount, 120);
  EXPECT_EQ(c->TargetAmmount, 900);
  EXPECT_EQ(c->UpdTime, GameTime);
  EXPECT_EQ(c->Under, 1);
  EXPECT_EQ(c->Over, 0);
  EXPECT_EQ(c->Drawable, 1);
  EXPECT_EQ(c->Centered, 1);
  EXPECT_EQ(c->started, 0);
  auto hidden = TCount::CreateCount(0, 0, 0, 0, font, 30, 0, 0, 0);
  EXPECT_EQ(hidden->Under, 0);
  EXPECT_EQ(hidden->Drawable, 0);
  c->SetPosition(7, 8);
  EXPECT_EQ(c->x, 7);
  EXPECT_EQ(c->y, 8);
}

TEST_F(Count, StepIsTheDistanceOverADivisorThatGrowsWithIt) {
  struct Row {
    int start, target;
    double divisor;
  };
  const Row rows[] = {
      {0, 0, 10},          {0, 1, 10},           {5, 4, 10},         {0, 2, 100},        {0, 10, 100},
      {0, 11, 150},        {100, 0, 150},        {0, 101, 180},      {0, 1000, 180},     {0, 1001, 200},
      {0, 10000, 200},     {0, 10001, 240},      {0, 100001, 280},   {0, 1000001, 300},  {-2000000, 2000000, 300},
  };
  for (const Row& r : rows) {
    const double want = std::fabs((static_cast<double>(r.start) - r.target) / r.divisor);
    EXPECT_FLOAT_EQ(TCount::StepFor(r.start, r.target), static_cast<float>(want)) << r.start << " " << r.target;
  }
}

TEST_F(Count, CountsOnlyWhileStarted) {
  auto c = TCount::CreateCount(0, 0, 0, 100, nullptr, 0, 0, 0, 1);
  for (int i = 0; i < 20; ++i) Frame();
  EXPECT_EQ(c->Ammount, 0.0f);
  EXPECT_EQ(c->flag, 0);
}

TEST_F(Count, StartEqualToTargetCompletesAtOnceWithSparksWhenDrawn) {
  for (int drawable : {1, 0}) {
    VisualsList.Clear();
    GameInterface->Emitters.Clear();
    auto font = testsupport::MakeFont(10);
    auto c = TCount::CreateCount(100, 40, 250, 250, font, 50, 0, 0, drawable);
    c->started = 1;
    c->Update(1.0f);
    EXPECT_EQ(c->flag, 1);
    EXPECT_EQ(c->Ammount, 250.0f);
    if (drawable) {
      ASSERT_EQ(GameInterface->Emitters.Count(), 1u);
      const auto stars = GameInterface->Emitters.First();
      EXPECT_EQ(stars->Config, EffectStars04);
      EXPECT_EQ(stars->DrawOver, 1);
      EXPECT_EQ(stars->x, 115.0f);  // half the width of "250" right of x
      EXPECT_EQ(stars->y, 40.0f);
      auto flash = LastFlash();
      ASSERT_NE(flash, nullptr);
      EXPECT_EQ(flash->Over, 1);
      EXPECT_EQ(flash->x, 115);
      EXPECT_EQ(flash->scale, 1.9f);
    } else {
      EXPECT_EQ(GameInterface->Emitters.Count(), 0u);
      EXPECT_EQ(LastFlash(), nullptr);
    }
    // Once only.
    c->Update(1.0f);
    EXPECT_EQ(GameInterface->Emitters.Count(), drawable ? 1u : 0u);
  }
}

TEST_F(Count, StepsByTheClockAndLandsExactlyWithoutOvershooting) {
  struct Row {
    int start, target, speed;
  };
  const Row rows[] = {{0, 1000, 20}, {5000, 120, 0}, {0, 7, 10}, {-300, 300, 5}, {0, 1234567, 1}, {0, 2, 30}};
  for (const Row& r : rows) {
    VisualsList.Clear();
    auto c = TCount::CreateCount(0, 0, r.start, r.target, nullptr, r.speed, 0, 0, 0);
    c->started = 1;
    // Within its pause nothing moves.
    GameTime += r.speed;
    c->Update(1.0f);
    EXPECT_EQ(c->Ammount, static_cast<float>(r.start));
    const bool up = r.target > r.start;
    int steps = 0;
    float last = c->Ammount;
    while (c->Ammount != static_cast<float>(r.target) && steps < 100000) {
      GameTime += r.speed + 1;
      c->Update(1.0f);
      if (up) {
        ASSERT_LE(c->Ammount, static_cast<float>(r.target)) << r.start << "->" << r.target;
        ASSERT_GE(c->Ammount, last);
      } else {
        ASSERT_GE(c->Ammount, static_cast<float>(r.target)) << r.start << "->" << r.target;
        ASSERT_LE(c->Ammount, last);
      }
      last = c->Ammount;
      ++steps;
    }
    EXPECT_EQ(c->Ammount, static_cast<float>(r.target)) << r.start << "->" << r.target;
    EXPECT_LT(steps, 400) << r.start << "->" << r.target;
    c->Update(1.0f);
    EXPECT_EQ(c->flag, 1);
    EXPECT_EQ(c->Ammount, static_cast<float>(r.target));
  }
}

TEST_F(Count, AStepThatWouldPassTheTargetLandsOnIt) {
  // Base step 714.3, grown 742.9; 730 left: more than a step, less than a grown one.
  auto c = TCount::CreateCount(0, 0, 0, 200000, nullptr, 10, 0, 0, 0);
  c->Ammount = 199270.0f;
  c->started = 1;
  GameTime += 11;
  c->Update(1.0f);
  EXPECT_EQ(c->Ammount, 200000.0f);
}

TEST_F(Count, AStepIsTheBaseStepGrownByFourPercent) {
  auto c = TCount::CreateCount(0, 0, 0, 1000, nullptr, 10, 0, 0, 0);
  c->started = 1;
  GameTime += 11;
  c->Update(1.0f);
  EXPECT_FLOAT_EQ(c->Ammount, 1000.0f / 180.0f * 1.04f);
  EXPECT_EQ(c->UpdTime, GameTime);
}

TEST_F(Count, AShownValueAwayFromAnEqualStartAndTargetStillGetsThere) {
  auto c = TCount::CreateCount(0, 0, 500, 500, nullptr, 10, 0, 0, 0);
  c->Ammount = 0.0f;
  c->started = 1;
  int steps = 0;
  while (c->Ammount != 500.0f && steps < 10000) {
    GameTime += 11;
    c->Update(1.0f);
    ++steps;
  }
  EXPECT_EQ(c->Ammount, 500.0f);
  EXPECT_LT(steps, 400);
}

TEST_F(Count, AConstantCounterSurvivesClearingTheEffects) {
  auto kept = TCount::CreateCount(0, 0, 0, 10, nullptr, 10, 0, 0, 1);
  kept->Constant = 1;
  auto dropped = TCount::CreateCount(0, 0, 0, 10, nullptr, 10, 0, 0, 1);
  TVisuals::ClearVisuals();
  EXPECT_TRUE(Listed(kept.get()));
  EXPECT_FALSE(Listed(dropped.get()));
}

class CountCanvas : public overlay_env::OverlayCanvas {
 protected:
  void SetUp() override {
    OverlayCanvas::SetUp();
    ColorDark = CreateColor(0, 0, 255);  // told apart from the white number
  }
};

TEST_F(CountCanvas, DrawsTheWholeNumberCentredOnItsFontWidthWithAShadow) {
  struct Row {
    int centered, shadow;
    draw_probe::Box box;
  };
  // "42" in 10-pixel advances: glyphs at 0 and 10, each 8 x 10.
  const Row rows[] = {{0, 0, {300, 100, 318, 110}}, {1, 0, {290, 100, 308, 110}}, {0, 1, {300, 100, 319, 111}}};
  for (const Row& r : rows) {
    platform::Cls();
    auto c = TCount::CreateCount(300, 100, 0, 0, testsupport::MakeFont(10), 10, r.centered, 0, 1);
    c->Ammount = 42.9f;
    c->Shadow = r.shadow;
    TVisuals::DrawVisuals_Under();
    EXPECT_TRUE(draw_probe::IsBlank(Grab()));
    TVisuals::DrawVisuals();
    const platform::Pixmap p = Grab();
    draw_probe::ExpectBox(draw_probe::LitBox(p), r.box, "number");
    EXPECT_GE(draw_probe::RGB(p, r.box.x0 + 3, 104), 0xF0F0F0u);
    if (r.shadow) {
      const uint32_t s = draw_probe::RGB(p, r.box.x0 + 8, 110);  // shadow only
      EXPECT_EQ(s & 0xFFFF00u, 0u);
      EXPECT_GT(s & 0xFFu, 0u);
    }
    VisualsList.Clear();
  }
}

}  // namespace
}  // namespace kelp
