#pragma once
// A village backdrop in the day's light, drawn as two pictures: its skyline
// (the rows down to the last one with a see-through pixel), blended, and the
// opaque rows below it, which the renderer copies instead of blending. The
// body is most of the screen, and a copy costs a fraction of a blend. Each
// part is tinted on the CPU once per colour (tinted_picture.h).
#include <utility>
#include <vector>

#include "platform/image.h"
#include "village/tinted_picture.h"

namespace kelp {

class SplitBackdrop {
 public:
  // Takes `source` (its first frame) apart when it differs from the last one.
  void Set(const platform::ImageRef& source);
  // The first row from which every row down is opaque: the source's height
  // when its last row is not, 0 for no source.
  int BodyTop() const { return body_top_; }
  // Draws the source at (x, y) as DrawImage would (handle, state's scale and
  // alpha blend) in the colour (r, g, b), the draw colour left white: the
  // skyline whole, the body only over the column ranges [from, to) of the
  // picture in `bodyColumns` (what a backdrop drawn later covers need not be).
  void Draw(int r, int g, int b, float x, float y, const std::vector<std::pair<int, int>>& bodyColumns);

 private:
  platform::ImageRef source_, top_, body_;
  int body_top_ = 0;
  TintedPicture top_lit_, body_lit_;
};

// The column ranges of [0, width) that are left once the ranges [from, to) of
// `covers` are taken out, in order.
std::vector<std::pair<int, int>> ColumnsLeft(int width, const std::vector<std::pair<int, int>>& covers);

}  // namespace kelp
