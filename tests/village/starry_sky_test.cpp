// The sky and its stars as one picture: each pixel as drawing the tinted sky
// and then the stars additively would leave it, and no picture where that
// would depend on the scroll.
#include <gtest/gtest.h>

#include "platform/image.h"
#include "village/starry_sky.h"

namespace kelp {
namespace {

platform::ImageRef Filled(int w, int h, uint32_t argb) {
  auto pixmap = std::make_shared<platform::Pixmap>(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixmap->WritePixel(x, y, argb);
  return platform::ImageFromPixmap(pixmap);
}

TEST(StarrySky, EachPixelIsTheTintedSkyPlusTheStarsAtTheirAlpha) {
  struct Case {
    uint32_t sky, star;
    int r, g, b, alpha;
    uint32_t expected;
  };
  const Case cases[] = {
      {0xFF808080u, 0xFF000000u, 253, 253, 254, 255, 0xFF7E7E7Fu},   // no star: the tinted sky
      {0xFF808080u, 0x00FFFFFFu, 254, 254, 254, 255, 0xFF808080u},   // daylight draws untinted
      {0xFF808080u, 0xFFFFFFFFu, 253, 253, 253, 128, 0xFFFEFEFEu},   // 126 + 128
      {0xFF464646u, 0xFFC86432u, 70, 70, 70, 255, 0xFFDB7745u},      // full stars: plain sum
      {0xFF464646u, 0xFFC86432u, 70, 70, 70, 100, 0xFF613A26u},      // each star channel x 100 / 255
      {0xFF102030u, 0x80FFFFFFu, 255, 255, 255, 255, 0xFF90A0B0u},   // a half-clear star pixel adds half
      {0xFF102030u, 0xFFFFFFFFu, 255, 255, 255, 0, 0xFF102030u},
  };
  for (const Case& c : cases) {
    StarrySky sky;
    const platform::ImageRef& image = sky.Get(Filled(4, 6, c.sky), Filled(2, 3, c.star), c.r, c.g, c.b, c.alpha);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Width(), 2) << "as wide as the stars";
    EXPECT_EQ(image->Height(), 6) << "as high as the sky";
    EXPECT_EQ(image->Frame(0)->ReadPixel(1, 5), c.expected) << std::hex << c.sky << " " << c.star << std::dec
                                                             << " alpha " << c.alpha;
  }
}

TEST(StarrySky, StarsRepeatDownTheSkyAndFollowTheAlpha) {
  auto stars = std::make_shared<platform::Pixmap>(2, 2);
  stars->WritePixel(1, 0, 0xFF646464u);  // one star at (1, 0) of each 2 x 2 tile
  StarrySky lit;
  const platform::ImageRef sky = Filled(3, 5, 0xFF000000u);
  const platform::ImageRef star_image = platform::ImageFromPixmap(stars);
  const platform::ImageRef image = lit.Get(sky, star_image, 255, 255, 255, 255);
  ASSERT_TRUE(image);
  for (int y = 0; y < 5; ++y)
    EXPECT_EQ(image->Frame(0)->ReadPixel(1, y), y % 2 == 0 ? 0xFF646464u : 0xFF000000u) << "row " << y;
  const uint64_t version = image->Frame(0)->Version();
  EXPECT_EQ(lit.Get(sky, star_image, 255, 255, 255, 255), image);
  EXPECT_EQ(image->Frame(0)->Version(), version) << "the same colour and alpha must not upload again";
  lit.Get(sky, star_image, 255, 255, 255, 51);
  EXPECT_EQ(image->Frame(0)->ReadPixel(1, 2), 0xFF141414u) << "fading stars: 100 x 51 / 255";
}

TEST(StarrySky, NoPictureWhereTheSkyWouldNotTile) {
  auto striped = std::make_shared<platform::Pixmap>(2, 4);
  for (int y = 0; y < 4; ++y) {
    striped->WritePixel(0, y, 0xFF000000u);
    striped->WritePixel(1, y, 0xFF0000FFu);
  }
  const platform::ImageRef stars = Filled(2, 2, 0xFF000000u);
  StarrySky lit;
  EXPECT_FALSE(lit.Get(platform::ImageFromPixmap(striped), stars, 255, 255, 255, 255)) << "columns differ";
  EXPECT_FALSE(lit.Get(Filled(2, 4, 0x80000000u), stars, 255, 255, 255, 255)) << "a see-through sky";
  EXPECT_FALSE(lit.Get(Filled(2, 1, 0xFF000000u), stars, 255, 255, 255, 255)) << "stars taller than the sky";
  EXPECT_FALSE(lit.Get(nullptr, stars, 255, 255, 255, 255));
  EXPECT_FALSE(lit.Get(Filled(2, 4, 0xFF000000u), nullptr, 255, 255, 255, 255));
  EXPECT_TRUE(lit.Get(Filled(2, 4, 0xFF000000u), stars, 255, 255, 255, 255));
}

}  // namespace
}  // namespace kelp
