// The village's pictures in the day's light: tinted as the renderer would
// modulate them, alpha kept, remade only when the colour or picture changes.
#include <gtest/gtest.h>

#include "platform/image.h"
#include "village/tinted_picture.h"

namespace kelp {
namespace {

platform::ImageRef Picture(uint32_t argb) {
  auto pixmap = std::make_shared<platform::Pixmap>(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) pixmap->WritePixel(x, y, argb);
  auto image = platform::ImageFromPixmap(pixmap, platform::FILTEREDIMAGE);
  image->SetHandle(1.5f, 2.0f);
  return image;
}

TEST(TintedPicture, ChannelsScaleAsTheRendererModulatesThem) {
  struct Case {
    uint32_t source;
    int r, g, b;
    uint32_t tinted;
  };
  const Case cases[] = {
      {0xFFFFFFFFu, 254, 254, 254, 0xFFFFFFFFu},  // daylight: the renderer draws 254 untinted
      {0xFF808080u, 255, 254, 254, 0xFF808080u},
      {0xFF808080u, 254, 254, 253, 0xFF7F7F7Eu},  // 128 * 254 / 255 truncates to 127
      {0x80C86432u, 100, 100, 240, 0x804E272Fu},  // night light; alpha untouched
      {0x00000000u, 0, 0, 0, 0x00000000u},
      {0xFF102030u, 255, 255, 255, 0xFF102030u},
      {0xFF102030u, 300, -5, 255, 0xFF100030u},  // out of range colours are clamped
  };
  for (const Case& c : cases) {
    TintedPicture lit;
    const platform::ImageRef source = Picture(c.source);
    const platform::ImageRef& image = lit.Get(source, c.r, c.g, c.b);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Frame(0)->ReadPixel(2, 1), c.tinted) << std::hex << c.source << std::dec << " " << c.r;
    EXPECT_EQ(source->Frame(0)->ReadPixel(2, 1), c.source) << "the source stays as it was";
    EXPECT_EQ(image->HandleX(), 1.5f);
    EXPECT_EQ(image->HandleY(), 2.0f);
    EXPECT_EQ(image->Flags(), platform::FILTEREDIMAGE);
  }
}

TEST(TintedPicture, RemadeOnlyWhenTheColourOrThePictureChanges) {
  TintedPicture lit;
  const platform::ImageRef day = Picture(0xFF808080u);
  const platform::ImageRef first = lit.Get(day, 254, 254, 254);
  const uint64_t version = first->Frame(0)->Version();
  EXPECT_EQ(lit.Get(day, 254, 254, 254), first);
  EXPECT_EQ(first->Frame(0)->Version(), version) << "the same colour must not upload the texture again";

  EXPECT_EQ(lit.Get(day, 0, 0, 0), first);
  EXPECT_EQ(first->Frame(0)->ReadPixel(0, 0), 0xFF000000u);
  EXPECT_NE(first->Frame(0)->Version(), version) << "a new colour must reach the texture";

  const platform::ImageRef night = Picture(0xFFFFFFFFu);
  const platform::ImageRef& other = lit.Get(night, 0, 0, 0);
  ASSERT_TRUE(other);
  EXPECT_EQ(other->Frame(0)->ReadPixel(0, 0), 0xFF000000u) << "a new picture is tinted even in the old colour";
  lit.Get(night, 255, 255, 255);
  EXPECT_EQ(other->Frame(0)->ReadPixel(0, 0), 0xFFFFFFFFu);

  EXPECT_FALSE(lit.Get(nullptr, 255, 255, 255));
}

}  // namespace
}  // namespace kelp
