#include "world/effects/image_show.h"

#include <cmath>

#include "draw_probe.h"
#include "overlay_test_env.h"

namespace kelp {
namespace {

class ShowImage : public overlay_env::Overlay {};

TEST_F(ShowImage, IsUpdatedByTheListButDrawnByItsOwner) {
  auto image = draw_probe::Solid(60, 20, 0xFFFFFFFFu);
  auto parent = New<TWidget>();
  auto s = TShowImage::Create(image, 100, 50, parent);
  ASSERT_TRUE(Listed(s.get()));
  EXPECT_EQ(s->Drawable, 0);
  EXPECT_EQ(s->x, 130);  // half the image's width to the right
  EXPECT_EQ(s->y, 50);
  EXPECT_EQ(s->time, GameTime);
  EXPECT_EQ(s->scale, 0.0f);
  EXPECT_EQ(s->Parent, parent);
}

TEST_F(ShowImage, GrowsToFullSizeInTenUnitsThenWobblesAndRestsAtOne) {
  for (float dt : {1.0f, 2.0f}) {
    VisualsList.Clear();
    auto s = TShowImage::Create(nullptr, 0, 0, nullptr);
    const int growUpdates = static_cast<int>(10.0f / dt);
    for (int i = 0; i < growUpdates - 1; ++i) Frame(dt);
    EXPECT_LT(s->scale, 1.0f) << dt;
    EXPECT_EQ(s->state, 0);
    Frame(dt);
    EXPECT_EQ(s->scale, 1.0f) << dt;
    EXPECT_EQ(s->state, 1);
    Frame(dt);
    EXPECT_EQ(s->state, 2);
    ASSERT_NE(s->Impulse, nullptr);
    float maxDev = 0.0f;
    int frames = 0;
    while (s->state == 2 && frames < 1000) {
      Frame(dt);
      maxDev = std::max(maxDev, std::fabs(s->scale - 1.0f));
      ++frames;
    }
    EXPECT_EQ(s->state, 3);
    EXPECT_GT(maxDev, 0.01f) << "no wobble at dt " << dt;
    EXPECT_EQ(s->scale, 1.0f);
    // At rest it stays in the list, unchanged, until its owner kills it.
    Frame(dt);
    EXPECT_EQ(s->scale, 1.0f);
    EXPECT_TRUE(Listed(s.get()));
  }
}

TEST_F(ShowImage, KillLetsGoOfEverythingAndTheListDropsIt) {
  auto s = TShowImage::Create(draw_probe::Solid(4, 4, 0xFFFFFFFFu), 0, 0, New<TWidget>());
  for (int i = 0; i < 12; ++i) Frame();
  ASSERT_NE(s->Impulse, nullptr);
  s->Kill();
  EXPECT_EQ(s->Death, 1);
  EXPECT_EQ(s->Parent, nullptr);
  EXPECT_EQ(s->Image, nullptr);
  EXPECT_EQ(s->Impulse, nullptr);
  const float scale = s->scale;
  Frame();
  EXPECT_FALSE(Listed(s.get()));
  EXPECT_EQ(s->scale, scale);
  s->Draw();  // its owner may still draw it once: nothing to draw, no harm
}

}  // namespace
}  // namespace kelp
