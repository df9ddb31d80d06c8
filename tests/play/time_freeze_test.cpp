// The frozen clock of the time-freeze bonus: it grows, holds the level's
// clock for 40 s (longer by any pause), shrinks, and credits the time once.
#include "world/effects/time_freeze.h"

#include <gtest/gtest.h>

#include "framework/media/particles.h"
#include "level_frame_env.h"
#include "world/resource_bindings.h"
#include "world/trolley.h"

namespace kelp {
namespace {

using draw_probe::Solid;
using testsupport::AddImage;

class TimeFreeze : public frame_test::LevelFrameCanvas {
 protected:
  void SetUp() override {
    LevelFrameCanvas::SetUp();
    EffectBonusFreeze = New<TEffect>();
    AddImage("IMAGE_CLOCK_FREEZE", Solid(20, 20, 0xFF80E0FFu));
    game_->Timer = 5000;
    game_->PausedTime = 700;
  }
  // One frame of the effects list at dt 1.
  static void Step(int ms = 18) {
    GameTime += ms;
    TVisuals::UpdateVisuals(1.0f);
  }
  static int Bursts() {
    int n = 0;
    for (const Ref<TEmitter>& e : GameInterface->Emitters)
      if (e->Config == EffectBonusFreeze && e->x == 91.0f && e->y == 205.0f) ++n;
    return n;
  }
};

TEST_F(TimeFreeze, TheClockGrowsHoldsFortySecondsShrinksAndCreditsTheTimeOnce) {
  auto freeze = TTimeFreeze::Create();
  EXPECT_EQ(game_->TimeFreeze, 1);
  EXPECT_EQ(Bursts(), 1);
  int frames = 0;
  while (freeze->state == 0) {
    Step();
    ++frames;
  }
  EXPECT_EQ(frames, 101) << "the alpha reaches 1 last";
  const int born = freeze->BirthTime;
  while (freeze->state == 1) Step(100);
  EXPECT_GT(GameTime, born + 40000 + 700);
  EXPECT_LE(GameTime, born + 40000 + 700 + 100);
  EXPECT_EQ(freeze->state, 3) << "asked to leave and begun in one pass";
  EXPECT_EQ(Bursts(), 2);
  EXPECT_EQ(game_->TimeFreeze, 1) << "the clock stays frozen while it shrinks";
  while (!freeze->Death) {
    Step();
    ASSERT_LT(GameTime, born + 100000);
  }
  EXPECT_NEAR(freeze->scale, 0.4f, 0.01f) << "it shrinks half as fast as it grew";
  EXPECT_FALSE(VisualsList.Contains(freeze.get()));
  EXPECT_EQ(game_->TimeFreeze, 0);
  EXPECT_EQ(game_->Timer, 45000);
  EXPECT_EQ(game_->PausedTime, 40700);
  EXPECT_EQ(TrolleyTimeOffset, 40000);
  freeze->Update(1.0f);  // stepped once more by a holder
  EXPECT_EQ(game_->Timer, 45000) << "credited once";
  EXPECT_EQ(TrolleyTimeOffset, 40000);
}

TEST_F(TimeFreeze, APauseStopsItAndLengthensTheFreezeByThePause) {
  auto freeze = TTimeFreeze::Create();
  while (freeze->state == 0) Step();
  game_->Paused = 1;
  const float alpha = freeze->alpha;
  Step(30000);
  Step(30000);
  EXPECT_EQ(freeze->state, 1) << "nothing while paused";
  EXPECT_EQ(freeze->alpha, alpha);
  game_->Paused = 0;
  game_->PausedTime += 60000;  // what the level's resume adds
  Step(100);
  EXPECT_EQ(freeze->state, 1) << "the pause does not count toward the 40 s";
  while (freeze->state == 1) Step(100);
  EXPECT_GT(GameTime, freeze->BirthTime + 40000 + 60700);
}

TEST_F(TimeFreeze, ALevelResetBeforeItEndsCreditsNothing) {
  TTimeFreeze::Create();
  Step();
  TVisuals::ClearVisuals();
  for (int k = 0; k < 100; ++k) Step(1000);
  EXPECT_EQ(game_->Timer, 5000);
  EXPECT_EQ(TrolleyTimeOffset, 0);
}

TEST_F(TimeFreeze, ItDrawsTheFrozenClockOverTheLevelClockAtItsScaleAndAlpha) {
  auto freeze = TTimeFreeze::Create();
  freeze->alpha = 1.0f;
  freeze->scale = 0.5f;
  freeze->Draw();
  draw_probe::ExpectBox(draw_probe::LitBox(Grab()), {91, 228, 101, 238}, "half size at the clock");
  EXPECT_EQ(draw_probe::RGB(Grab(), 95, 232), 0x80E0FFu);
  platform::Cls();
  freeze->alpha = 0.0f;
  freeze->Draw();
  EXPECT_TRUE(draw_probe::IsBlank(Grab()));
}

}  // namespace
}  // namespace kelp
