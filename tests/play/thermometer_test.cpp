// The goal gauge: easing toward the released creatures, its fill, the
// bubbles, and what it draws.
#include "play/thermometer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "framework/media/particles.h"
#include "level_frame_env.h"

namespace kelp {
namespace {

using draw_probe::Solid;
using testsupport::AddEffect;
using testsupport::AddImage;

class Gauge : public frame_test::LevelFrameCanvas {
 protected:
  void SetUp() override {
    LevelFrameCanvas::SetUp();
    AddImage("IMAGE_PROGRESSBAR_FULL", Solid(24, 305, 0xFF30C030u));
    AddImage("IMAGE_PROGRESSBAR_TOP", Solid(24, 8, 0xFFFFFF00u));
    Thermometer->Init();
  }
  // Eases until the shown value rests.
  void Settle() {
    for (int k = 0; k < 10000 && Thermometer->CurValue != Player->ReleasedCreatures; ++k) Thermometer->Update(1.0f);
    Thermometer->Update(1.0f);
  }
};

TEST_F(Gauge, TheFillIsTheShareOfTheGoalOf309Units) {
  struct Case {
    float goal, released, percent;
  };
  for (Case c : {Case{10, 5, 154.5f}, Case{10, 12, 309.0f}, Case{10, 0, 0.0f}, Case{4, 1, 77.25f},
                 Case{0, 0, 0.0f}, Case{0, 3, 309.0f}, Case{-2, 1, 309.0f}}) {
    World->CreaturesToRelease = c.goal;
    Player->ReleasedCreatures = c.released;
    Settle();
    EXPECT_FALSE(std::isnan(Thermometer->percent)) << c.goal << " " << c.released;
    EXPECT_FLOAT_EQ(Thermometer->percent, c.percent) << c.goal << " " << c.released;
    EXPECT_EQ(LevelLinks.GoalPercent(), Thermometer->percent);
  }
}

TEST_F(Gauge, TheShownValueEasesATenthAFrameTowardTheTarget) {
  Player->ReleasedCreatures = 1.0f;
  Thermometer->Update(1.0f);
  EXPECT_FLOAT_EQ(Thermometer->CurValue, 0.1f);
  Thermometer->Update(2.0f);
  EXPECT_FLOAT_EQ(Thermometer->CurValue, 0.3f);
  for (int k = 0; k < 7; ++k) Thermometer->Update(1.0f);
  EXPECT_NEAR(Thermometer->CurValue, 1.0f, 1e-5f);
  Thermometer->Update(1.0f);
  EXPECT_EQ(Thermometer->CurValue, 1.0f) << "it lands on the target";
  Player->ReleasedCreatures = 0.95f;  // a trolley carries creatures off
  Thermometer->Update(1.0f);
  EXPECT_EQ(Thermometer->CurValue, 0.95f);
}

TEST_F(Gauge, TheBubblesRunOnceThereIsSomethingInTheTubeAndRiseHigherAsItFills) {
  auto bubbles = New<TEffect>();
  AddEffect("EFFECT_BUBBLE", bubbles);
  LevelLinks.MakeGaugeBubbles(1);
  ASSERT_TRUE(Thermometer->Effect);
  EXPECT_EQ(Thermometer->Effect->Pause, 1);
  EXPECT_FLOAT_EQ(Thermometer->Effect->x, 688.0f);
  EXPECT_FLOAT_EQ(Thermometer->Effect->y, 547.0f);
  Thermometer->Update(1.0f);
  EXPECT_EQ(Thermometer->Effect->Pause, 1) << "an empty tube";
  Player->ReleasedCreatures = 5.0f;
  Settle();
  EXPECT_EQ(Thermometer->Effect->Pause, 0);
  EXPECT_EQ(bubbles->Lifetime[0], 2500);
  EXPECT_EQ(bubbles->Lifetime[1], 2600);

  Thermometer->Reset();
  EXPECT_EQ(Thermometer->CurValue, 0.0f);
  EXPECT_EQ(bubbles->Lifetime[1], 0);
  EXPECT_TRUE(Thermometer->Effect->Particles.IsEmpty());

  const Ref<TEmitter> kept = Thermometer->Effect;
  LevelLinks.MakeGaugeBubbles(0);
  EXPECT_EQ(Thermometer->Effect, kept) << "made only when missing";
  LevelLinks.DropGaugeBubbles();
  EXPECT_FALSE(Thermometer->Effect);
  EXPECT_EQ(kept->Death, 1);
}

TEST_F(Gauge, OnlyTheFilledPartOfTheTubeShowsWithTheMeniscusInTheMiddleRange) {
  struct Case {
    float percent;
    bool meniscus;
  };
  for (Case c : {Case{100.0f, true}, Case{30.0f, false}, Case{31.0f, true}, Case{289.0f, true}, Case{290.0f, false},
                 Case{0.0f, false}}) {
    platform::Cls();
    Thermometer->percent = c.percent;
    Thermometer->Draw();
    const platform::Pixmap shot = Grab();
    const int top = 552 - static_cast<int>(c.percent);
    if (c.percent > 0) {
      EXPECT_EQ(draw_probe::RGB(shot, 680, 551), 0x30C030u) << c.percent;
    }
    // Above the meniscus nothing; the meniscus lies 3 units above the surface.
    EXPECT_EQ(draw_probe::RGB(shot, 680, top - 5), 0u) << c.percent;
    EXPECT_EQ(draw_probe::RGB(shot, 680, top - 2), c.meniscus ? 0xFFFF00u : 0u) << c.percent;
    if (c.percent > 10) {
      EXPECT_EQ(draw_probe::RGB(shot, 680, top + 6), 0x30C030u) << c.percent;
    }
  }
}

TEST_F(Gauge, TheTubeShakesWithTheScreen) {
  Thermometer->percent = 100.0f;
  ShakeOffsetX = 3.0f;
  ShakeOffsetY = -2.0f;
  Thermometer->Draw();
  const draw_probe::Box lit = draw_probe::LitBox(Grab());
  draw_probe::ExpectBox(lit, {671, 447, 695, 550}, "tube and meniscus moved by the shake");
}

}  // namespace
}  // namespace kelp
