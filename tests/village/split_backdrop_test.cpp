// A backdrop drawn as its blended skyline and its copied opaque body looks
// exactly as the whole picture tinted and blended, and only the body's
// columns asked for are drawn.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/image.h"
#include "platform/window.h"
#include "village/split_backdrop.h"
#include "village/tinted_picture.h"

namespace kelp {
namespace {

// 40 x 30: see-through pixels down to row `skyline` - 1 (none for 0), a
// colour that changes with x and y so that any misplaced pixel shows.
platform::ImageRef Backdrop(int skyline) {
  auto pixmap = std::make_shared<platform::Pixmap>(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const uint32_t alpha = y + 1 < skyline ? (x * 37 + y * 11) % 256 : y + 1 == skyline ? 0x80u : 0xFFu;
      pixmap->WritePixel(x, y, alpha << 24 | uint32_t(x * 6) << 16 | uint32_t(y * 8) << 8 | uint32_t((x + y) * 3));
    }
  auto image = platform::ImageFromPixmap(pixmap);
  image->SetHandle(3.0f, 2.0f);
  return image;
}

platform::PixmapRef Canvas(const std::function<void()>& draw) {
  platform::ResetDrawState();
  platform::SetClearColor(20, 90, 160);
  platform::Cls();
  platform::SetOrigin(5.0f, 4.0f);
  draw();
  return platform::GrabCanvas();
}

class SplitBackdropTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(platform::OpenGraphics(64, 48, 0, 60, true)); }
  void TearDown() override { platform::CloseGraphics(); }
};

TEST_F(SplitBackdropTest, LooksAsTheWholePictureTintedAndBlended) {
  struct Case {
    int skyline;  // the rows with see-through pixels
    int bodyTop;
    int r, g, b;
  };
  const Case cases[] = {
      {12, 12, 255, 255, 255}, {12, 12, 100, 100, 240}, {0, 0, 190, 180, 180}, {30, 30, 255, 255, 255}, {1, 1, 80, 80, 150},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.skyline);
    SCOPED_TRACE(c.r);
    const platform::ImageRef source = Backdrop(c.skyline);
    SplitBackdrop split;
    split.Set(source);
    EXPECT_EQ(split.BodyTop(), c.bodyTop);
    TintedPicture whole;
    const platform::PixmapRef want = Canvas([&] { platform::DrawImage(whole.Get(source, c.r, c.g, c.b), 7.0f, 6.0f); });
    const platform::PixmapRef got = Canvas([&] { split.Draw(c.r, c.g, c.b, 7.0f, 6.0f, {{0, 40}}); });
    ASSERT_TRUE(want && got);
    for (int y = 0; y < want->Height(); ++y)
      for (int x = 0; x < want->Width(); ++x)
        ASSERT_EQ(got->ReadPixel(x, y), want->ReadPixel(x, y)) << x << ", " << y;
  }
}

TEST_F(SplitBackdropTest, DrawsTheBodyOnlyOverTheColumnsAskedFor) {
  const platform::ImageRef source = Backdrop(12);
  SplitBackdrop split;
  split.Set(source);
  const platform::PixmapRef whole = Canvas([&] { split.Draw(255, 255, 255, 7.0f, 6.0f, {{0, 40}}); });
  const platform::PixmapRef none = Canvas([] {});
  const platform::PixmapRef part = Canvas([&] { split.Draw(255, 255, 255, 7.0f, 6.0f, {{0, 10}, {25, 31}}); });
  ASSERT_TRUE(whole && none && part);
  // The picture's column c lands at canvas x 5 + 7 - 3 + c, its body's rows from canvas y 4 + 6 - 2 + 12
  // (the skyline takes the first opaque row along).
  for (int c = 0; c < 40; ++c) {
    const bool drawn = c < 10 || (c >= 25 && c < 31);
    const int x = 9 + c;
    for (int y : {22, 30, 37}) EXPECT_EQ(part->ReadPixel(x, y), (drawn ? whole : none)->ReadPixel(x, y)) << c << ", " << y;
    EXPECT_EQ(part->ReadPixel(x, 12), whole->ReadPixel(x, 12)) << "the skyline is drawn whole";
  }
}

TEST(ColumnsLeft, TakesTheCoveredRangesOut) {
  using R = std::vector<std::pair<int, int>>;
  struct Case {
    int width;
    R covers, want;
  };
  const Case cases[] = {
      {100, {}, {{0, 100}}},
      {100, {{40, 60}}, {{0, 40}, {60, 100}}},
      {100, {{-5, 30}, {90, 200}}, {{30, 90}}},
      {100, {{0, 100}}, {}},
      {100, {{120, 130}, {60, 50}}, {{0, 100}}},
      {100, {{10, 20}, {15, 40}}, {{0, 10}, {40, 100}}},
      {0, {{0, 5}}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ColumnsLeft(c.width, c.covers), c.want);
}

}  // namespace
}  // namespace kelp
