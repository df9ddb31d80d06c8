#include "world/effects/screen_shake.h"

#include <gtest/gtest.h>

#include "framework/media/canvas_placement.h"
#include "play_effects_env.h"

namespace kelp {
namespace {

using play_test::PlayEffects;

class ScreenShake : public PlayEffects {};

TEST_F(ScreenShake, OffsetsStartAtTheAmountAndDecayInAlternatingSwings) {
  auto shake = TScreenShake::CreateScreenShake(10, 0.5f);
  ASSERT_TRUE(shake->x == 1 || shake->x == -1);
  ASSERT_TRUE(shake->y == 1 || shake->y == -1);
  // cos(t * 180 degrees) * e^(-0.5 t) * 10 at t = 0, 0.15, 0.3, 0.45, 0.6, truncated.
  const int expected[] = {10, 8, 5, 1, -2};
  for (int i = 0; i < 5; ++i) {
    TVisuals::UpdateVisuals(1.0f);
    EXPECT_EQ(ShakeOffsetX, float(shake->x * expected[i])) << i;
    EXPECT_EQ(ShakeOffsetY, float(shake->y * expected[i])) << i;
  }
}

TEST_F(ScreenShake, LastsTwentyOneUpdatesAtFrameFactorOneAndFewerWhenFramesAreLong) {
  struct Case {
    float dt;
    int updates;
  };
  for (Case c : {Case{1.0f, 21}, Case{2.0f, 11}, Case{0.5f, 42}}) {
    TScreenShake::CreateScreenShake(6, 0.3f);
    int n = 0;
    while (CountOf<TScreenShake>() > 0 && n < 1000) {
      TVisuals::UpdateVisuals(c.dt);
      ++n;
    }
    EXPECT_EQ(n, c.updates) << c.dt;
    EXPECT_EQ(ShakeOffsetX, 0.0f) << c.dt;
    EXPECT_EQ(ShakeOffsetY, 0.0f) << c.dt;
  }
}

TEST_F(ScreenShake, ANewShakeReplacesTheRunningOneAtOnce) {
  auto first = TScreenShake::CreateScreenShake(20, 0.1f);
  TVisuals::UpdateVisuals(1.0f);
  ASSERT_NE(ShakeOffsetX, 0.0f);

  auto second = TScreenShake::CreateScreenShake(3, 0.1f);
  EXPECT_EQ(first->Death, 1);
  EXPECT_EQ(ShakeOffsetX, 0.0f);
  EXPECT_EQ(ShakeOffsetY, 0.0f);

  // The replaced shake is still listed for this pass but writes nothing.
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(CountOf<TScreenShake>(), 1);
  EXPECT_EQ(ShakeOffsetX, float(3 * second->x));
  EXPECT_EQ(ShakeOffsetY, float(3 * second->y));
}

TEST_F(ScreenShake, ClearingTheEffectsMidShakePutsTheOffsetsBack) {
  TScreenShake::CreateScreenShake(10, 0.5f);
  TVisuals::UpdateVisuals(1.0f);
  ASSERT_NE(ShakeOffsetX, 0.0f);
  TVisuals::ClearVisuals();
  EXPECT_EQ(CountOf<TScreenShake>(), 0);
  EXPECT_EQ(ShakeOffsetX, 0.0f);
  EXPECT_EQ(ShakeOffsetY, 0.0f);
}

TEST_F(ScreenShake, IsNeverDrawnAndLandsInTheNormalLayer) {
  auto shake = TScreenShake::CreateScreenShake(5, 0.5f);
  EXPECT_EQ(shake->Under, 0);
  EXPECT_EQ(shake->Over, 0);
  EXPECT_EQ(shake->Constant, 0);
  EXPECT_EQ(shake->Ammount, 5);
  EXPECT_FLOAT_EQ(shake->attenuation_coef, 0.5f);
}

}  // namespace
}  // namespace kelp
