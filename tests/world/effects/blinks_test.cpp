#include "world/effects/blinks.h"

#include "overlay_test_env.h"
#include "world/light.h"

namespace kelp {
namespace {

class Blink : public overlay_env::Overlay {};

TEST_F(Blink, CreatedFadedOutWithAStandingLightAndDrawnByItsOwner) {
  auto b = TBlink::Create(200.0f, 150.0f);
  ASSERT_TRUE(Listed(b.get()));
  EXPECT_EQ(b->Drawable, 0);
  EXPECT_EQ(b->state, 1);
  EXPECT_EQ(b->alpha, 0.0f);
  EXPECT_EQ(b->Scale, 0.0f);
  EXPECT_EQ(b->alpha_light, 0.0f);
  EXPECT_EQ(b->clockwise, 1);
  EXPECT_GE(b->angle, 0.0f);
  EXPECT_LE(b->angle, 360.0f);
  EXPECT_EQ(b->angle, static_cast<float>(static_cast<int>(b->angle)));
  ASSERT_NE(b->Light, nullptr);
  EXPECT_EQ(b->Light->Stationary, 1);
  EXPECT_EQ(b->Light->x, 200.0f);
  EXPECT_EQ(b->Light->Scale, 8.0f);
  EXPECT_EQ(b->Light->Color, ColorCream);
}

TEST_F(Blink, FadesInToShiningWithItsScaleCappedAtOnePointFour) {
  for (float dt : {1.0f, 3.0f}) {
    auto b = TBlink::Create(0.0f, 0.0f);
    b->state = 2;
    b->Update(dt);
    EXPECT_FLOAT_EQ(b->alpha, 0.01f * dt);
    EXPECT_FLOAT_EQ(b->Scale, 0.05f * dt);
    int n = 1;
    while (b->state == 2 && n < 1000) {
      b->Update(dt);
      EXPECT_LE(b->Scale, 1.4f);
      EXPECT_LE(b->alpha, 1.0f);
      EXPECT_LE(b->alpha_light, 1.0f);
      ++n;
    }
    // It reaches full alpha and then shines, however far the scale ran.
    EXPECT_EQ(b->state, 0) << dt;
    EXPECT_EQ(b->alpha, 1.0f);
    EXPECT_EQ(b->Scale, 1.4f);
    EXPECT_EQ(b->alpha_light, 1.0f);
  }
}

TEST_F(Blink, ShinesWithinItsBandsEvenWithUnevenFrames) {
  auto b = TBlink::Create(0.0f, 0.0f);
  b->state = 0;
  b->alpha = 1.0f;
  b->Scale = 1.4f;
  const float dts[] = {1.0f, 9.0f, 0.3f, 0.3f, 14.0f, 0.1f, 2.0f};
  for (int i = 0; i < 3000; ++i) {
    b->Update(dts[i % 7]);
    ASSERT_GT(b->alpha, 0.8f - 0.004f * 14.0f - 1e-4f) << i;
    ASSERT_LT(b->alpha, 1.0f + 0.004f * 14.0f + 1e-4f) << i;
    ASSERT_GT(b->Scale, 1.3f - 0.0002f * 14.0f - 1e-4f) << i;
    ASSERT_LT(b->Scale, 1.4f + 0.0002f * 14.0f + 1e-4f) << i;
  }
  EXPECT_EQ(b->alpha_light, 1.0f);
}

TEST_F(Blink, FadesOutToNothingAndStaysThere) {
  auto b = TBlink::Create(0.0f, 0.0f);
  b->alpha = 0.5f;
  b->Scale = 1.4f;
  b->alpha_light = 1.0f;
  b->state = 1;
  for (int i = 0; i < 200; ++i) b->Update(1.0f);
  EXPECT_EQ(b->alpha, 0.0f);
  EXPECT_EQ(b->Scale, 0.0f);
  EXPECT_EQ(b->alpha_light, 0.0f);
  EXPECT_EQ(b->state, 1);
  EXPECT_TRUE(Listed(b.get()));
}

TEST_F(Blink, TurnsEitherWayByTheFrameFactorAndWraps) {
  auto b = TBlink::Create(0.0f, 0.0f);
  b->angle = 359.9f;
  b->Update(2.0f);
  EXPECT_NEAR(b->angle, 0.3f, 1e-3f);
  b->clockwise = 0;
  b->Update(2.0f);
  EXPECT_NEAR(b->angle, 359.9f, 1e-3f);
  b->Update(1.0f);
  EXPECT_NEAR(b->angle, 359.7f, 1e-3f);
}

}  // namespace
}  // namespace kelp
