#include "world/effects/flash.h"

#include <gtest/gtest.h>

#include "framework/media/canvas_placement.h"
#include "play_effects_env.h"

namespace kelp {
namespace {

using play_test::PlayEffects;
using play_test::PlayEffectsCanvas;

class Flash : public PlayEffects {};

TEST_F(Flash, CreationSetsTheStartValuesAndTheLayer) {
  auto flash = TFlash::CreateFlash(40, 50, 4.5f, 0.4f, ColorCream, 2.0f, 1);
  ASSERT_EQ(VisualsList.Last(), flash);
  EXPECT_EQ(flash->x, 40);
  EXPECT_EQ(flash->y, 50);
  EXPECT_FLOAT_EQ(flash->scale, 4.5f);
  EXPECT_FLOAT_EQ(flash->alpha, 0.4f);
  EXPECT_FLOAT_EQ(flash->speed, 2.0f);
  EXPECT_EQ(flash->fading, 1);
  EXPECT_EQ(flash->frame, 0);
  EXPECT_GE(flash->AnimSpeed, 20);
  EXPECT_LE(flash->AnimSpeed, 30);
  EXPECT_EQ(flash->Image, ImageFlash);
  EXPECT_EQ(flash->color, ColorCream);
  EXPECT_EQ(flash->Under, 1);
  EXPECT_EQ(flash->Over, 0);
  EXPECT_EQ(TFlash::CreateFlash(0, 0, 1.0f, 1.0f, ColorWhite, 1.0f, 0)->Under, 0);
}

TEST_F(Flash, FadesAndShrinksByItsSpeedPerUpdateWhateverTheFrameFactor) {
  for (float dt : {1.0f, 3.0f, 0.25f}) {
    auto flash = TFlash::CreateFlash(0, 0, 2.0f, 0.5f, ColorWhite, 4.0f, 0);
    TVisuals::UpdateVisuals(dt);
    EXPECT_EQ(flash->frame, 5);
    EXPECT_NEAR(flash->alpha, 0.5f - 0.036f, 1e-6f) << dt;
    EXPECT_NEAR(flash->scale, 2.0f - 0.016f, 1e-6f) << dt;
    VisualsList.Clear();
  }
}

TEST_F(Flash, DiesWhenAlphaOrScaleReachesZeroAndIsDropped) {
  struct Case {
    float scale, alpha, speed;
    int updates;
    const char* what;
  };
  for (Case c : {Case{4.5f, 0.2f, 10.0f, 3, "alpha 0.2 -> 0.11 -> 0.02 -> out"},
                 Case{0.05f, 1.0f, 10.0f, 2, "scale 0.05 -> 0.01 -> out"}}) {
    auto flash = TFlash::CreateFlash(0, 0, c.scale, c.alpha, ColorWhite, c.speed, 0);
    int n = 0;
    while (VisualsList.Contains(flash.get()) && n < 100) {
      TVisuals::UpdateVisuals(1.0f);
      ++n;
    }
    EXPECT_EQ(n, c.updates) << c.what;
    EXPECT_GE(flash->alpha, 0.0f) << c.what;
    EXPECT_GE(flash->scale, 0.0f) << c.what;
    EXPECT_TRUE(flash->alpha == 0.0f || flash->scale == 0.0f) << c.what;
  }
}

TEST_F(Flash, WithSpeedZeroItLivesUntilTheEffectsAreCleared) {
  auto flash = TFlash::CreateFlash(0, 0, 1.0f, 0.3f, ColorWhite, 0.0f, 0);
  for (int i = 0; i < 2000; ++i) TVisuals::UpdateVisuals(1.0f);
  EXPECT_TRUE(VisualsList.Contains(flash.get()));
  EXPECT_FLOAT_EQ(flash->alpha, 0.3f);
  TVisuals::ClearVisuals();
  EXPECT_TRUE(VisualsList.IsEmpty());
}

class FlashCanvas : public PlayEffectsCanvas {};

TEST_F(FlashCanvas, AddsTwiceItsTintOverTheSceneAtTheShakenOrigin) {
  // A grey field, then a flash tinted (40, 20, 60) at full alpha: the image's
  // white, doubled tint is added to the grey.
  platform::SetColor(100, 100, 100);
  platform::DrawRect(0, 0, 800, 600);
  auto flash = TFlash::CreateFlash(100, 100, 1.0f, 1.0f, CreateColor(40, 20, 60), 1.0f, 0);
  flash->frame = 5;
  ShakeOffsetX = 30.0f;
  ShakeOffsetY = 10.0f;
  flash->Draw();
  EXPECT_EQ(Pixel(134, 114), 0xB48CDCu);  // 100 + 80, 100 + 40, 100 + 120
  EXPECT_EQ(Pixel(104, 104), 0x646464u);  // the unshaken spot keeps the grey
  // The drawing state is left as it was.
  EXPECT_EQ(platform::GetBlend(), platform::ALPHABLEND);
}

}  // namespace
}  // namespace kelp
