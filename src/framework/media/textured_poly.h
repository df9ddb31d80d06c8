#pragma once
// Free textured polygons drawn with the current transform, colour, alpha and
// blend, and the clock-wipe sector image built on them.
#include <span>
#include <vector>

#include "framework/core/geometry.h"
#include "framework/core/object.h"
#include "platform/draw.h"
#include "platform/image.h"

namespace kelp {

// One convex polygon as a triangle fan from the first vertex. xyuv holds 4
// floats per vertex (x, y, then u, v from 0 to 1 across the frame); count is
// the number of vertices to use, -1 (or any negative) for all of them. A
// count beyond the array is cut to it; fewer than 3 vertices draw nothing.
void DrawTexturedPoly(const platform::ImageRef& image, std::span<const float> xyuv, int frame, int count = -1);

// Polygons of one frame gathered, as DrawTexturedPoly takes them, and drawn in
// one call in the order added. Each is placed by the handle and transform when
// added; the origin, colour, alpha and blend when drawn apply to all.
class TTexturedBatch {
 public:
  void Add(std::span<const float> xyuv, int count = -1);
  void Draw(const platform::ImageRef& image, int frame);  // and empties the batch
  bool Empty() const { return indices_.empty(); }

 private:
  std::vector<platform::FanVertex> vertices_;
  std::vector<int> indices_;
};

// An image revealed as a pie sector, 0 degrees up, clockwise.
class TSectorImage : public Object {
 public:
  platform::ImageRef image;
  Ref<TVector> pos;  // centre
  float fromdegree = 0.0f, todegree = 0.0f;
  float angle = 0.0f;  // todegree after SetDrawSector

  static Ref<TSectorImage> Create(const platform::ImageRef& image, const Ref<TVector>& pos);
  void SetPos(const Ref<TVector>& v);
  // Pieces of at most 45 degrees, at most 8 of them.
  void Draw();
  void SetDrawSector(int from, int to);  // swapped when from > to
};

}  // namespace kelp
