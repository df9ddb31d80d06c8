#include "village/split_backdrop.h"

#include <algorithm>

#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

void SplitBackdrop::Set(const platform::ImageRef& source) {
  if (source == source_) return;
  source_ = source;
  top_ = body_ = nullptr;
  body_top_ = 0;
  const platform::PixmapRef pixels = source ? source->Frame(0) : nullptr;
  if (!pixels || pixels->Width() <= 0 || pixels->Height() <= 0) return;
  const int w = pixels->Width(), h = pixels->Height();
  const uint32_t* p = static_cast<const platform::Pixmap&>(*pixels).Pixels();
  body_top_ = h;
  while (body_top_ > 0) {
    const uint32_t* row = p + static_cast<size_t>(body_top_ - 1) * static_cast<size_t>(w);
    if (!std::all_of(row, row + w, [](uint32_t c) { return (c >> 24) == 0xFFu; })) break;
    --body_top_;
  }
  const float hx = source->HandleX(), hy = source->HandleY();
  if (body_top_ < h) {
    body_ = platform::ImageFromPixmap(pixels->Window(0, body_top_, w, h - body_top_), source->Flags());
    body_->SetHandle(hx, hy - static_cast<float>(body_top_));
  }
  if (body_top_ > 0) {
    // One opaque row more than the skyline: it hides any seam a zoom's rounding opens.
    top_ = platform::ImageFromPixmap(pixels->Window(0, 0, w, std::min(h, body_top_ + 1)), source->Flags());
    top_->SetHandle(hx, hy);
  }
}

void SplitBackdrop::Draw(int r, int g, int b, float x, float y, const std::vector<std::pair<int, int>>& bodyColumns) {
  platform::SetColor(255, 255, 255);
  if (body_) {
    const platform::ImageRef& body = body_lit_.Get(body_, r, g, b);
    const float sx = platform::State().ix;
    const float h = static_cast<float>(body->Height());
    for (const auto& [from, to] : bodyColumns) {
      const int a = std::max(0, from), e = std::min(body->Width(), to);
      if (e <= a) continue;
      const float w = static_cast<float>(e - a);
      platform::DrawSubImageRect(body, x + static_cast<float>(a) * sx, y, w, h, static_cast<float>(a), 0.0f, w, h);
    }
  }
  if (top_) platform::DrawImage(top_lit_.Get(top_, r, g, b), x, y);
}

std::vector<std::pair<int, int>> ColumnsLeft(int width, const std::vector<std::pair<int, int>>& covers) {
  std::vector<std::pair<int, int>> left;
  if (width > 0) left.emplace_back(0, width);
  for (const auto& [c0, c1] : covers) {
    if (c1 <= c0) continue;  // covers nothing
    std::vector<std::pair<int, int>> next;
    for (const auto& [a, e] : left) {
      if (c1 <= a || c0 >= e) {
        next.emplace_back(a, e);
        continue;
      }
      if (c0 > a) next.emplace_back(a, c0);
      if (c1 < e) next.emplace_back(c1, e);
    }
    left = std::move(next);
  }
  return left;
}

}  // namespace kelp
