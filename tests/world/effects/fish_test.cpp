#include "world/effects/fish.h"

#include <gtest/gtest.h>

#include <cmath>

#include "play_effects_env.h"

namespace kelp {
namespace {

using play_test::PlayEffects;
using testsupport::AddAnim;

class Fish : public PlayEffects {
 protected:
  void SetUp() override {
    PlayEffects::SetUp();
    AddAnim("IMAGE_FISH_MOVE", play_test::Solid(6, 4, 0xFFFFFFFFu, 3));
  }
};

TEST_F(Fish, LeapsInItsDirectionWithValuesFromTheirRanges) {
  for (int dir : {1, -1}) {
    for (int i = 0; i < 50; ++i) {
      auto fish = TFish::Create(100.0f, 400.0f, dir);
      ASSERT_EQ(VisualsList.Last(), fish);
      EXPECT_EQ(fish->Drawable, 0);
      EXPECT_GE(fish->dx * dir, 2.0f);
      EXPECT_LE(fish->dx * dir, 3.0f);
      EXPECT_GE(fish->scale, 0.5f);
      EXPECT_LE(fish->scale, 0.6f);
      EXPECT_GE(fish->radius, 0.4f);
      EXPECT_LE(fish->radius, 0.7f);
      EXPECT_GE(fish->_angle, 0.0f);
      EXPECT_LE(fish->_angle, 30.0f);
      EXPECT_EQ(fish->Color->b, 255);
      EXPECT_GE(fish->Color->r, 200);
      ASSERT_NE(fish->image, nullptr);
      // A fish leaping left plays the mirrored frames.
      EXPECT_EQ(fish->image->Mirrored, dir < 0 ? 1 : 0);
    }
  }
}

TEST_F(Fish, WobblesMovesByTheFrameFactorAndSpeedsUpAFixedStepPerUpdate) {
  for (float dt : {1.0f, 2.0f}) {
    auto fish = TFish::Create(100.0f, 400.0f, 1);
    fish->dx = 2.0f;
    fish->_angle = 30.0f;
    fish->_angle_speed = 3.0f;
    fish->radius = 0.5f;
    fish->Update(dt);
    const float wobble = 0.5f * float(std::sin((30.0 + 3.0 * dt) * 3.14159265358979 / 180.0));
    EXPECT_NEAR(fish->dy, wobble, 1e-5f) << dt;
    EXPECT_FLOAT_EQ(fish->dx, 2.01f) << dt;
    EXPECT_NEAR(fish->x, 100.0f + dt * 2.01f, 1e-4f) << dt;
    EXPECT_NEAR(fish->y, 400.0f + dt * wobble, 1e-4f) << dt;
    EXPECT_NEAR(fish->fall_angle, std::atan2(wobble, 2.01f) * 180.0 / 3.14159265358979, 1e-3f) << dt;
  }
}

TEST_F(Fish, AFishMovingLeftTurnsItsDrawingAngleByHalfATurn) {
  auto fish = TFish::Create(500.0f, 400.0f, -1);
  fish->dx = -2.0f;
  fish->radius = 0.0f;
  fish->Update(1.0f);
  EXPECT_FLOAT_EQ(fish->dx, -2.01f);
  // atan2(0, -2.01) is 180 degrees; turned by 180 more.
  EXPECT_NEAR(fish->fall_angle, 360.0f, 1e-3f);
}

TEST_F(Fish, AnglesStayWithinAFullTurn) {
  auto fish = TFish::Create(100.0f, 400.0f, 1);
  fish->angle = 359.0f;
  fish->angle_speed = 0.4f;
  fish->_angle = 1.0f;
  fish->_angle_speed = -3.0f;
  fish->Update(5.0f);
  EXPECT_NEAR(fish->angle, 1.0f, 1e-3f);
  EXPECT_NEAR(fish->_angle, 346.0f, 1e-3f);
}

TEST_F(Fish, DiesOnceOffTheWaterScene) {
  struct Case {
    float x, y;
    int dies;
  };
  for (Case c : {Case{400, 651, 1}, Case{400, 649, 0}, Case{851, 300, 1}, Case{-51, 300, 1}, Case{849, 300, 0},
                 Case{-49, 300, 0}}) {
    VisualsList.Clear();
    auto fish = TFish::Create(0.0f, 0.0f, 1);
    fish->x = c.x;
    fish->y = c.y;
    fish->dx = 0.0f;
    fish->radius = 0.0f;
    TVisuals::UpdateVisuals(1.0f);
    EXPECT_EQ(fish->Death, c.dies) << c.x << "," << c.y;
    EXPECT_EQ(VisualsList.Contains(fish.get()), c.dies == 0) << c.x << "," << c.y;
  }
}

}  // namespace
}  // namespace kelp
