#pragma once
// A bitmap font made in memory for the tests that draw or lay out text:
// every character from ' ' to '~' plus U+00E9 is an 8 x 10 white glyph that
// advances `advance` pixels, lines 12 high; no padding.
#include <memory>

#include "framework/media/bmfont.h"
#include "platform/image.h"

namespace testsupport {

inline kelp::Ref<kelp::TBMFont> MakeFont(int advance = 10) {
  auto font = kelp::New<kelp::TBMFont>();
  auto page = std::make_shared<platform::Pixmap>(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) page->WritePixel(x, y, 0xFFFFFFFFu);
  font->Pages.push_back(platform::ImageFromPixmap(page, 0));
  auto add = [&](int code) {
    auto c = kelp::New<kelp::TBMChar>();
    c->id = code;
    c->width = 8;
    c->height = 10;
    c->xadvance = advance;
    font->Chars.push_back(c);
  };
  for (int code = 32; code < 127; ++code) add(code);
  add(0xE9);
  font->Height = 12;
  font->CharCount = static_cast<int>(font->Chars.size());
  font->PageCount = 1;
  return font;
}

}  // namespace testsupport
