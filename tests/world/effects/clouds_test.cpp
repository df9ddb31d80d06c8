#include "world/effects/clouds.h"

#include <gtest/gtest.h>

#include "play_effects_env.h"

namespace kelp {
namespace {

using play_test::PlayEffects;
using play_test::PlayEffectsCanvas;
using testsupport::AddImage;

class Clouds : public PlayEffects {
 protected:
  void SetUp() override {
    PlayEffects::SetUp();
    for (int i = 1; i <= 5; ++i) {
      images[i] = play_test::Solid(4, 4, 0xFFFFFFFFu);
      AddImage("IMAGE_CLOUD_0" + std::to_string(i), images[i]);
    }
  }
  int ImageNumber(const Ref<TCloud>& c) const {
    for (int i = 1; i <= 5; ++i)
      if (c->image == images[i]) return i;
    return 0;
  }
  platform::ImageRef images[6];
};

TEST_F(Clouds, NearAndFarCloudsDrawTheirValuesFromTheirRanges) {
  for (int i = 0; i < 200; ++i) {
    auto near = TCloud::Create(100.0f, 150.0f, 1, 1);
    EXPECT_GE(near->x, 100 - 225.0f);
    EXPECT_LE(near->x, 100 - 175.0f);
    EXPECT_GE(near->y, 130.0f);
    EXPECT_LE(near->y, 170.0f);
    EXPECT_GE(near->scale, 0.7f);
    EXPECT_LE(near->scale, 0.9f);
    EXPECT_GE(near->dx, 0.2f);
    EXPECT_LE(near->dy, 0.0f);
    EXPECT_GE(near->shadow_y, 120.0f);
    EXPECT_LE(near->shadow_y, 170.0f);
    EXPECT_GE(ImageNumber(near), 1);
    EXPECT_LE(ImageNumber(near), 3);

    auto far = TCloud::Create(100.0f, 150.0f, 0, 0);
    EXPECT_GE(far->y, 130.0f);
    EXPECT_LE(far->y, 290.0f);
    EXPECT_GE(far->scale, 0.9f);
    EXPECT_LE(far->scale, 1.5f);
    EXPECT_GE(far->dx, 0.05f);
    EXPECT_LE(far->dx, 0.15f);
    EXPECT_FLOAT_EQ(far->angle_speed, 0.0f);
    EXPECT_GE(ImageNumber(far), 1);
    EXPECT_LE(ImageNumber(far), 5);

    for (const auto& c : {near, far}) {
      EXPECT_EQ(c->Drawable, 0);
      ASSERT_NE(c->Color, nullptr);
      EXPECT_EQ(c->Color->r + c->Color->g + c->Color->b, 3 * 255);
    }
  }
  EXPECT_EQ(VisualsList.Count(), 400u);
}

TEST_F(Clouds, DriftByTheFrameFactorAndDieBeyondTheRightLimit) {
  auto cloud = TCloud::Create(0.0f, 100.0f, 0, 0);
  cloud->x = 1000.0f;
  cloud->y = 100.0f;
  cloud->dx = 0.5f;
  cloud->dy = -0.01f;
  TVisuals::UpdateVisuals(2.0f);
  EXPECT_FLOAT_EQ(cloud->x, 1001.0f);
  EXPECT_FLOAT_EQ(cloud->y, 99.98f);
  CloudMaxX = 1001.5f;
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_TRUE(VisualsList.Contains(cloud.get()));  // 1001.5 is not beyond
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(cloud->Death, 1);
  EXPECT_FALSE(VisualsList.Contains(cloud.get()));
}

TEST_F(Clouds, AngleIsClampedNotWrapped) {
  struct Case {
    float angle, speed, want;
  };
  for (Case c : {Case{0.0f, -0.1f, 0.0f}, Case{359.95f, 0.1f, 0.0f}, Case{10.0f, 0.1f, 10.1f}}) {
    auto cloud = TCloud::Create(0.0f, 100.0f, 1, 0);
    cloud->angle = c.angle;
    cloud->angle_speed = c.speed;
    cloud->Update(1.0f);
    EXPECT_NEAR(cloud->angle, c.want, 1e-4f) << c.angle << " " << c.speed;
  }
}

TEST_F(Clouds, NearShadowFadesInOnlyInsideTheBandAndStopsAtItsCap) {
  auto cloud = TCloud::Create(0.0f, 100.0f, 1, 1);
  cloud->dx = 0.0f;
  cloud->x = 400.0f;
  for (int i = 0; i < 10; ++i) cloud->Update(2.0f);
  EXPECT_NEAR(cloud->shadow_alpha, 0.1f, 1e-5f);
  for (int i = 0; i < 100; ++i) cloud->Update(3.0f);
  EXPECT_FLOAT_EQ(cloud->shadow_alpha, 0.2f);  // capped, never above
  for (float x : {20.0f, 790.0f, -50.0f, 900.0f}) {
    cloud->x = x;
    cloud->Update(1.0f);
    EXPECT_FLOAT_EQ(cloud->shadow_alpha, 0.0f) << x;
    cloud->x = 400.0f;
    cloud->Update(1.0f);
    EXPECT_GT(cloud->shadow_alpha, 0.0f);
  }
  auto far = TCloud::Create(0.0f, 100.0f, 0, 1);
  far->x = 400.0f;
  far->Update(1.0f);
  EXPECT_FLOAT_EQ(far->shadow_alpha, 0.0f);
}

TEST_F(Clouds, SetCloudsColorTintsEveryCloudOnly) {
  auto a = TCloud::Create(0, 0, 0, 0);
  auto b = TCloud::Create(0, 0, 1, 0);
  auto tint = CreateColor(10, 20, 30);
  TCloud::SetCloudsColor(tint);
  EXPECT_EQ(a->Color, tint);
  EXPECT_EQ(b->Color, tint);
}

TEST_F(Clouds, SortCloudsPutsLargerCloudsFirstAndComparesNothingElse) {
  auto big = TCloud::Create(0, 0, 0, 0);
  auto small = TCloud::Create(0, 0, 0, 0);
  big->scale = 1.4f;
  small->scale = 0.8f;
  EXPECT_TRUE(TCloud::SortClouds(big, small));
  EXPECT_FALSE(TCloud::SortClouds(small, big));
  EXPECT_FALSE(TCloud::SortClouds(big, big));
  EXPECT_FALSE(TCloud::SortClouds(big, Ref<TVisuals>()));
}

class CloudsCanvas : public PlayEffectsCanvas {};

TEST_F(CloudsCanvas, AreDrawnOnlyByTheirOwnLayerWithAShadowInTheVillageColour) {
  auto image = play_test::Solid(10, 10, 0xFFFFFFFFu);
  auto near = TCloud::Create(0, 0, 1, 1);
  near->image = image;
  near->x = 100.0f;
  near->y = 50.0f;
  near->shadow_y = 300.0f;
  near->scale = 1.2f;
  near->shadow_alpha = 1.0f;
  auto far = TCloud::Create(0, 0, 0, 0);
  far->image = image;
  far->x = 400.0f;
  far->y = 50.0f;
  far->scale = 1.0f;

  TVisuals::DrawVisuals_Under();
  TVisuals::DrawVisuals();
  TVisuals::DrawVisuals_Over();
  EXPECT_EQ(Pixel(105, 55), 0u);
  EXPECT_EQ(Pixel(405, 55), 0u);

  CurrentVillage = 2;
  TCloud::DrawClouds(1);
  EXPECT_EQ(Pixel(105, 55), 0xFFFFFFu);  // white: the colour's 254 draws untinted
  EXPECT_EQ(Pixel(104, 304), 0x64648Cu);  // the snow village's shadow colour
  EXPECT_EQ(Pixel(405, 55), 0u);
  TCloud::DrawClouds(0);
  EXPECT_EQ(Pixel(405, 55), 0xFFFFFFu);
}

}  // namespace
}  // namespace kelp
