#include "framework/ui/dialog.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "framework/core/color.h"
#include "framework/core/geometry.h"
#include "framework/core/numeric.h"
#include "framework/core/utf8.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

namespace {

// Moves a dragged box by the mouse's move, kept whole on the screen.
void DragOnScreen(TWidget& w, int dx, int dy) {
  int nx = Int(w._x + static_cast<float>(dx)), ny = Int(w._y + static_cast<float>(dy));
  if (nx < 0) nx = 0;
  if (ny < 0) ny = 0;
  if (nx + w._width > VirtualWidth) nx = VirtualWidth - w._width;
  if (ny + w._height > VirtualHeight) ny = VirtualHeight - w._height;
  w.Resize(nx, ny, w._width, w._height);
}

}  // namespace

int TDialogStatic::Draw() {
  if (Image) platform::DrawImage(Image, 0.0f, 0.0f, 0);
  return 0;
}

int TDialogStatic::MouseMove(int dx, int dy) {
  if (!IsDown) return 0;
  DragOnScreen(*this, dx, dy);
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

// ---- tiled frames ----

platform::ImageRef CutImage(const platform::ImageRef& source, int cols, int rows) {
  if (!source || cols < 1 || rows < 1) return nullptr;
  const int tw = source->Width() / cols, th = source->Height() / rows;
  const platform::PixmapRef pixels = source->Frame(0);
  if (tw < 1 || th < 1 || !pixels) return nullptr;
  auto tiles = platform::CreateImage(tw, th, cols * rows, 0);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) tiles->SetFrame(r * cols + c, pixels->Window(c * tw, r * th, tw, th));
  return tiles;
}

namespace {

// Tiles one frame over a w x h area from (x, y); the area is the clip.
void TileArea(const platform::ImageRef& tiles, int frame, int x, int y, int w, int h) {
  if (!tiles || w <= 0 || h <= 0) return;
  PushGraphicsState();
  int vx = 0, vy = 0, vw = 0, vh = 0;
  platform::GetViewport(vx, vy, vw, vh);
  float ox = 0.0f, oy = 0.0f;
  platform::GetOrigin(ox, oy);
  // The area in screen pixels, kept inside the viewport already in force.
  const int left = std::max(vx, Int(ox) + x), top = std::max(vy, Int(oy) + y);
  const int right = std::min(vx + vw, Int(ox) + x + w), bottom = std::min(vy + vh, Int(oy) + y + h);
  if (right > left && bottom > top) {
    platform::SetViewport(left, top, right - left, bottom - top);
    for (int ty = y; ty < y + h; ty += tiles->Height())
      for (int tx = x; tx < x + w; tx += tiles->Width())
        platform::DrawImage(tiles, static_cast<float>(tx), static_cast<float>(ty), frame);
  }
  PopGraphicsState();
}

int TextHeightIn(const platform::ImageFontRef& font, const std::string& text) {
  if (text.empty()) return 0;
  PushGraphicsState();
  if (font) platform::SetImageFont(font);
  const int h = platform::TextHeight(text);
  PopGraphicsState();
  return h;
}

}  // namespace

TDialog::TDialog() : mContentInsets(CreateRect(0.0f, 0.0f, 0.0f, 0.0f)) { Modal = 1; }

int TDialog::SetImage(const platform::ImageRef& source) {
  Image = CutImage(source, 3, 3);
  Tile_Width = Image ? Image->Width() : 0;
  Tile_Height = Image ? Image->Height() : 0;
  return 0;
}

int TDialog::Draw() {
  if (Image && Tile_Width > 0 && Tile_Height > 0) {
    // Corners keep their size unless the dialog is narrower (lower) than three tiles.
    const int cw = _width < 3 * Tile_Width ? std::min(Tile_Width, _width / 2) : Tile_Width;
    const int ch = _height < 3 * Tile_Height ? std::min(Tile_Height, _height / 2) : Tile_Height;
    const int midW = _width - 2 * cw, midH = _height - 2 * ch;
    TileArea(Image, 4, cw, ch, midW, midH);
    TileArea(Image, 1, cw, 0, midW, ch);
    TileArea(Image, 7, cw, _height - ch, midW, ch);
    TileArea(Image, 3, 0, ch, cw, midH);
    TileArea(Image, 5, _width - cw, ch, cw, midH);
    TileArea(Image, 0, 0, 0, cw, ch);
    TileArea(Image, 2, _width - cw, 0, cw, ch);
    TileArea(Image, 6, 0, _height - ch, cw, ch);
    TileArea(Image, 8, _width - cw, _height - ch, cw, ch);
  }
  // Ornaments centred on their edges, where they fit.
  auto ornament = [](const platform::ImageRef& img, float x, float y) {
    if (img) platform::DrawImage(img, x, y);
  };
  if (Tile_Up && Tile_UpW <= _width) ornament(Tile_Up, static_cast<float>((_width - Tile_UpW) / 2), 0.0f);
  if (Tile_Down && Tile_DownW <= _width)
    ornament(Tile_Down, static_cast<float>((_width - Tile_DownW) / 2),
             static_cast<float>(_height - Tile_Down->Height()));
  if (Tile_Left && Tile_LeftH <= _height) ornament(Tile_Left, 0.0f, static_cast<float>((_height - Tile_LeftH) / 2));
  if (Tile_Right && Tile_RightH <= _height)
    ornament(Tile_Right, static_cast<float>(_width - Tile_Right->Width()),
             static_cast<float>((_height - Tile_RightH) / 2));

  const int left = Int(mContentInsets->x), top = Int(mContentInsets->y);
  const int inner = _width - left - Int(mContentInsets->width);
  int headerHeight = 0;
  if (!mDialogHeader.empty()) {
    PushGraphicsState();
    if (HEADER_FONT) platform::SetImageFont(HEADER_FONT);
    ApplyColor(COLOR_HEADER);
    headerHeight = platform::TextHeight(mDialogHeader);
    platform::DrawText(mDialogHeader, static_cast<float>(left + inner / 2 - platform::TextWidth(mDialogHeader) / 2),
                       static_cast<float>(top));
    PopGraphicsState();
  }
  if (!mDialogLines.empty()) {
    PushGraphicsState();
    if (LINES_FONT) platform::SetImageFont(LINES_FONT);
    ApplyColor(COLOR_LINES);
    DrawTextBox(left, top + headerHeight, mDialogLines, inner, JUSTIFY_LEFT, 1);
    PopGraphicsState();
  }
  return 0;
}

int TDialog::Resize(int px, int py, int width, int height) {
  TWindow::Resize(px, py, width, height);
  for (const Ref<TWidget>& c : Widgets) c->SetPosition(px + c->x, py + c->y);
  return 0;
}

int TDialog::MouseMove(int dx, int dy) {
  if (!IsDown || !Movable) return 0;
  DragOnScreen(*this, dx, dy);
  return 0;
}

int TDialog::MouseUp(int) {
  IsDown = 0;
  return 0;
}

int TDialog::MouseDown(int button) {
  if (button == 1 && Movable) IsDown = 1;
  return 0;
}

int TDialog::AddedToManager() {
  for (const Ref<TWidget>& c : Widgets) {
    c->SetPosition(Int(_x) + c->x, Int(_y) + c->y);
    WidgetManager->AddWidget(c);
  }
  return 0;
}

int TDialog::RemovedFromManager() {
  for (const Ref<TWidget>& c : Widgets) WidgetManager->RemoveWidget(c);
  return 0;
}

int TDialog::GetPreferredHeight(int width) {
  const int inner = width - Int(mContentInsets->x) - Int(mContentInsets->width);
  int lines = 0;
  if (!mDialogLines.empty()) lines = DrawTextBox(0, 0, mDialogLines, inner, JUSTIFY_LEFT, 0);
  return Int(mContentInsets->y) + Int(mContentInsets->height) + TextHeightIn(HEADER_FONT, mDialogHeader) + lines +
         10;
}

int TDialog::CenterToScreen() {
  Resize(VirtualWidth / 2 - _width / 2, Int(_y), _width, _height);
  return 0;
}

int TDialogButton::SetImage(const platform::ImageRef& source) {
  Image = CutImage(source, 3, 1);
  return 0;
}

int TDialogButton::Resize(int px, int py, int width, int height) {
  const int tw = Image ? Image->Width() : 0;
  if (tw > 0) width = width / tw * tw;
  return TButtonWidget::Resize(px, py, width, height);
}

int TDialogButton::Draw() {
  if (Image && Image->Width() > 0) {
    const int tw = Image->Width();
    PushGraphicsState();
    platform::SetBlend(platform::ALPHABLEND);
    platform::DrawImage(Image, 0.0f, 0.0f, 0);
    for (int tx = tw; tx + tw < _width; tx += tw) platform::DrawImage(Image, static_cast<float>(tx), 0.0f, 1);
    if (_width >= 2 * tw) platform::DrawImage(Image, static_cast<float>(_width - tw), 0.0f, 2);
    PopGraphicsState();
  }
  return TButtonWidget::Draw();
}

}  // namespace kelp
