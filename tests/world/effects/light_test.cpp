#include "world/light.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "play_effects_env.h"
#include "world/block.h"

namespace kelp {
namespace {

using play_test::PlayEffects;
using play_test::PlayEffectsCanvas;

class Light : public PlayEffects {};

TEST_F(Light, StartsFullSizeAndPulsing) {
  TLight light;
  EXPECT_FLOAT_EQ(light.Scale, 3.0f);
  EXPECT_FLOAT_EQ(light.CurrentScale, 3.0f);
  EXPECT_EQ(light.Pulse, 1);
  EXPECT_EQ(light.PulseState, 0);
  EXPECT_FLOAT_EQ(light.Speed, 0.01f);
  EXPECT_EQ(light.Stationary, 0);
}

TEST_F(Light, BreathesBetweenTwoThirdsAndFullSizeScaledByTheFrameFactor) {
  for (float dt : {1.0f, 2.0f}) {
    TLight light;
    light.Init2(0, 0, ColorWhite, 3.0f, 1);
    float lo = 10.0f, hi = 0.0f;
    int shrinkUpdates = 0;
    for (int i = 0; i < 1000; ++i) {
      light.Update(dt);
      lo = std::min(lo, light.CurrentScale);
      hi = std::max(hi, light.CurrentScale);
      if (shrinkUpdates == 0 && light.PulseState == 1) shrinkUpdates = i + 1;
    }
    // From 3 down to 2 at 0.01 x dt an update.
    EXPECT_NEAR(shrinkUpdates, 100 / dt, 1.0f) << dt;
    EXPECT_GE(lo, 2.0f - 0.01f * dt - 1e-4f) << dt;
    EXPECT_LE(hi, 3.0f + 0.01f * dt + 1e-4f) << dt;
    EXPECT_LT(lo, 2.0f + 0.01f * dt) << dt;
  }
}

TEST_F(Light, WithoutPulseKeepsTheScaleGiven) {
  TLight light;
  light.Init2(10, 20, ColorWhite, 1.7f, 0);
  for (int i = 0; i < 500; ++i) light.Update(1.0f);
  EXPECT_FLOAT_EQ(light.CurrentScale, 1.7f);
  EXPECT_EQ(light.Stationary, 1);
  EXPECT_FLOAT_EQ(light.x, 10.0f);
  EXPECT_FLOAT_EQ(light.y, 20.0f);
}

TEST_F(Light, RemoveDropsTheBoxAndColour) {
  auto box = New<TBlock>();
  TLight light;
  light.Init(box, ColorWhite);
  EXPECT_EQ(light.Block.lock(), box);
  light.Remove();
  EXPECT_EQ(light.Block.lock(), nullptr);
  EXPECT_EQ(light.Color, nullptr);
}

class LightCanvas : public PlayEffectsCanvas {
 protected:
  void Grey() {
    platform::SetColor(100, 100, 100);
    platform::DrawRect(0, 0, 800, 600);
    platform::SetColor(255, 255, 255);
  }
};

TEST_F(LightCanvas, AddsItsColourOverABoxAtFullAlpha) {
  Grey();
  TLight light;
  light.Init2(200, 100, CreateColor(50, 0, 120), 3.0f, 0);
  light.Draw(1.0f);
  // The 8-pixel light at scale 3 covers 200..224 x 100..124.
  EXPECT_EQ(Pixel(212, 112), 0x9664DCu);  // 100 + 50, 100 + 0, 100 + 120
  EXPECT_EQ(Pixel(230, 112), 0x646464u);
  EXPECT_EQ(platform::GetBlend(), platform::ALPHABLEND);
}

TEST_F(LightCanvas, FollowsTheBoxRenderPositionAndTheVillageZoom) {
  Grey();
  auto box = New<TBlock>();
  box->RenderX = 300.0f;
  box->RenderY = 50.0f;
  VillageScreen = New<TVillageMode>();
  VillageScreen->Closing_scale = 2.0f;
  TLight light;
  light.Init(box, CreateColor(0, 60, 0), 1.0f, 0);
  light.x = light.y = 0.0f;
  light.Draw(0.5f);
  EXPECT_FLOAT_EQ(light.x, 300.0f);
  EXPECT_FLOAT_EQ(light.y, 50.0f);
  // At (600, 100), 16 pixels wide, with half the colour added.
  EXPECT_EQ(Pixel(608, 108), 0x648264u);
  EXPECT_EQ(Pixel(308, 58), 0x646464u);
}

}  // namespace
}  // namespace kelp
