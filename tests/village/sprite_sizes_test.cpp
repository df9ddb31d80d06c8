// The villagers' pictures made to size and shade: drawn unscaled and in white
// they look as the picture drawn by the renderer at that scale and colour,
// and each size and shade is made once and kept while it is used.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/image.h"
#include "platform/window.h"
#include "village/sprite_sizes.h"

namespace kelp {
namespace {

// A round creature of 28 x 32 with a see-through rim, two frames, its handle at its feet.
platform::ImageRef Creature(int flags) {
  std::vector<platform::PixmapRef> frames;
  for (int f = 0; f < 2; ++f) {
    auto p = std::make_shared<platform::Pixmap>(28, 32);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 28; ++x) {
        const int dx = x - 14, dy = y - 16, d = dx * dx + dy * dy;
        const uint32_t a = d < 150 ? 255u : d < 200 ? 120u : 0u;
        p->WritePixel(x, y, a << 24 | uint32_t(40 + x * 7) << 16 | uint32_t(f ? 200 : 30 + y * 6) << 8 | 90u);
      }
    frames.push_back(p);
  }
  auto image = platform::ImageFromFrames(28, 32, frames, flags);
  image->SetHandle(14.0f, 30.0f);
  return image;
}

platform::PixmapRef Canvas(const std::function<void()>& draw) {
  platform::ResetDrawState();
  platform::SetClearColor(200, 170, 120);
  platform::Cls();
  platform::SetOrigin(3.0f, 2.0f);
  draw();
  return platform::GrabCanvas();
}

class SpriteSizesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(platform::OpenGraphics(80, 60, 0, 60, true)); }
  void TearDown() override { platform::CloseGraphics(); }
};

TEST_F(SpriteSizesTest, DrawnAsTheRendererDrawsThePictureAtThatScaleAndShade) {
  struct Case {
    const char* what;
    float sx, sy;
    int r, g, b;
    float alpha;
    int worst;  // the largest difference in a channel allowed
  };
  const Case cases[] = {
      {"at its size in white: the same pixels", 1.0f, 1.0f, 255, 255, 255, 1.0f, 0},
      {"a shadow: dark and see-through", 1.0f, 1.0f, 20, 20, 20, 0.4f, 2},
      {"the night's light", 1.0f, 1.0f, 100, 100, 240, 1.0f, 1},
      {"squashed in a hop", 0.9f, 0.74f, 255, 255, 255, 1.0f, 48},
      {"a far villager's shadow", 0.7f, 0.6f, 20, 20, 20, 0.4f, 48},
  };
  for (const int flags : {int(platform::FILTEREDIMAGE), 0}) {
    const platform::ImageRef image = Creature(flags);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      SCOPED_TRACE(flags);
      SpriteSizes sizes;
      const auto state = [&] {
        platform::SetScale(c.sx, c.sy);
        platform::SetColor(c.r, c.g, c.b);
        platform::SetAlpha(c.alpha);
      };
      // The renderer's second draw at a scale: from its own copy at the rounded size.
      const platform::PixmapRef want = Canvas([&] {
        state();
        platform::DrawImage(image, 30.0f, 45.0f, 1);
        platform::Cls();
        platform::DrawImage(image, 30.0f, 45.0f, 1);
      });
      const platform::PixmapRef got = Canvas([&] {
        state();
        DrawSized(sizes, image, 30.0f, 45.0f, 1);
        float sx = 0, sy = 0;
        platform::GetScale(sx, sy);
        int r = 0, g = 0, b = 0;
        platform::GetColor(r, g, b);
        EXPECT_EQ(sx, c.sx);
        EXPECT_EQ(sy, c.sy);
        EXPECT_EQ(r, c.r);
        EXPECT_EQ(platform::GetAlpha(), c.alpha) << "the drawing state as before";
      });
      ASSERT_TRUE(want && got);
      int worst = 0, off = 0;
      for (int y = 0; y < want->Height(); ++y)
        for (int x = 0; x < want->Width(); ++x) {
          int d = 0;
          for (int s : {0, 8, 16})
            d = std::max(d, std::abs(int(want->ReadPixel(x, y) >> s & 255u) - int(got->ReadPixel(x, y) >> s & 255u)));
          worst = std::max(worst, d);
          if (d > 8) ++off;
        }
      // Unfiltered, the nearest pixel picked may fall the other side of a rim pixel.
      if (flags != 0 || (c.sx == 1.0f && c.sy == 1.0f)) {
        EXPECT_LE(worst, c.worst);
      }
      EXPECT_LE(off, 30) << "pixels clearly off (only the rim may differ)";
    }
  }
}

TEST_F(SpriteSizesTest, EachSizeAndShadeIsMadeOnceAndTheLeastRecentlyUsedGoes) {
  const platform::ImageRef image = Creature(platform::FILTEREDIMAGE);
  SpriteSizes sizes(3);
  const platform::ImageRef a = sizes.Get(image, 0, 20, 24, 255, 255, 255, 255);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->Width(), 20);
  EXPECT_EQ(a->Height(), 24);
  EXPECT_EQ(sizes.Get(image, 0, 20, 24, 254, 254, 254, 255), a) << "near white is white";
  const platform::ImageRef other[] = {sizes.Get(image, 1, 20, 24, 255, 255, 255, 255),
                                      sizes.Get(image, 0, 20, 24, 20, 20, 20, 102)};
  EXPECT_NE(other[0], a);
  EXPECT_NE(other[1], a);
  EXPECT_EQ(sizes.Get(image, 0, 20, 24, 255, 255, 255, 255), a) << "still kept: now the most recent";
  sizes.Get(image, 0, 22, 24, 255, 255, 255, 255);  // the frame-1 copy is now the least recent
  EXPECT_EQ(sizes.Size(), 3u);
  EXPECT_EQ(sizes.Get(image, 0, 20, 24, 255, 255, 255, 255), a);
  EXPECT_NE(sizes.Get(image, 1, 20, 24, 255, 255, 255, 255), other[0]) << "gone, made again";
  struct Bad {
    int frame, w, h;
  };
  for (const Bad bad : {Bad{2, 20, 24}, Bad{-1, 20, 24}, Bad{0, 0, 24}, Bad{0, 20, -3}})
    EXPECT_FALSE(sizes.Get(image, bad.frame, bad.w, bad.h, 255, 255, 255, 255));
  EXPECT_FALSE(sizes.Get(nullptr, 0, 20, 24, 255, 255, 255, 255));
}

}  // namespace
}  // namespace kelp
