#include "framework/dialog.h"

#include <unordered_map>
#include <vector>

#include "framework/bmfont.h"
#include "framework/numeric.h"
#include "framework/screen_aspect.h"
#include "framework/utf8.h"
#include "platform/draw.h"

namespace kelp {

int TDialogStatic::Draw() {
  if (Image) platform::DrawImage(Image, 0.0f, 0.0f, 0);
  return 0;
}

int TDialogStatic::MouseMove(int dx, int dy) {
  if (!IsDown) return 0;
  int nx = Int(_x + static_cast<float>(dx)), ny = Int(_y + static_cast<float>(dy));
  if (nx < 0) nx = 0;
  if (ny < 0) ny = 0;
  if (nx + _width > VirtualWidth) nx = VirtualWidth - _width;
  if (ny + _height > VirtualHeight) ny = VirtualHeight - _height;
  Resize(nx, ny, _width, _height);
  return 0;
}

int TDialogStatic::MouseUp(int) {
  IsDown = 0;
  return 0;
}

int TDialogStatic::MouseDown(int button) {
  if (button == 1) IsDown = 1;
  return 0;
}

int TDialogStatic::SetImage(const platform::ImageRef& image) {
  Image = image;
  _width = image ? image->Width() : 0;
  _height = image ? image->Height() : 0;
  return 0;
}

int DrawTextBox(int x, int y, const std::string& text, int width, int justify, int draw) {
  constexpr uint32_t kBreak = 13, kSpace = 32;

  // Characters, with every backslash-n pair turned into a break, and one space at the end.
  std::vector<uint32_t> t;
  t.reserve(text.size() + 1);
  for (size_t pos = 0; pos < text.size();) {
    const uint32_t c = utf8::Next(text, pos);
    if (c == '\\' && pos < text.size() && text[pos] == 'n') {
      ++pos;
      t.push_back(kBreak);
    } else {
      t.push_back(c);
    }
  }
  t.push_back(kSpace);

  std::unordered_map<uint32_t, int> widths;
  auto widthOf = [&widths](uint32_t c) {
    auto it = widths.find(c);
    if (it != widths.end()) return it->second;
    const int w = BMTextWidth(utf8::Encode(c));
    widths.emplace(c, w);
    return w;
  };

  float anchor = static_cast<float>(x);
  if (justify == JUSTIFY_CENTRE) anchor = static_cast<float>(Int(static_cast<double>(x) + width / 2.0));
  if (justify == JUSTIFY_RIGHT) anchor = static_cast<float>(int64_t(x) + width);

  // First pass: line breaks. Positions count from 1 as the layout rules do;
  // p(i) is the character at position i.
  const int lineHeight = BMLineHeight();
  auto p = [&t](size_t i) -> uint32_t& { return t[i - 1]; };
  const size_t n = t.size();
  int64_t height = lineHeight;
  int64_t lineWidth = 0, prevWidth = 0;
  size_t e = 0;
  for (;;) {
    size_t s = e + 1;
    while (s <= n && p(s) != kSpace) ++s;
    if (s > n) break;
    bool wordEnded = true;
    for (size_t i = e + 1; i <= s; ++i) {
      const uint32_t c = p(i);
      if (c == kBreak) {
        height += lineHeight;
        lineWidth = 0;
        e = i;
        prevWidth = 0;
        wordEnded = false;
        break;
      }
      const int w = widthOf(c);
      if (c >= kSpace) lineWidth += w;
      if (lineWidth + w >= width && prevWidth > 0) {
        p(e) = kBreak;
        lineWidth = 0;
        prevWidth = 0;
        height += lineHeight;
        i = e;  // the loop's ++i starts the word again at e + 1
      }
    }
    if (wordEnded) {
      e = s;
      prevWidth = lineWidth;
    }
  }

  // Second pass: placement, one character at a time.
  t.back() = kBreak;
  float lineY = static_cast<float>(y);
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    if (t[i] != kBreak) continue;
    int64_t sum = 0;
    for (size_t k = start; k < i; ++k)
      if (t[k] >= kSpace) sum += widthOf(t[k]);
    float cx = anchor;
    if (justify == JUSTIFY_CENTRE) cx -= static_cast<float>(sum) / 2.0f;
    if (justify == JUSTIFY_RIGHT) cx -= static_cast<float>(sum);
    for (size_t k = start; k < i; ++k) {
      if (t[k] < kSpace) continue;
      if (draw) DrawBMText(utf8::Encode(t[k]), static_cast<float>(Int(cx)), static_cast<float>(Int(lineY)), 0, 0);
      cx += static_cast<float>(widthOf(t[k]));
    }
    lineY += static_cast<float>(lineHeight);
    start = i + 1;
  }
  return static_cast<int>(height);
}

}  // namespace kelp
