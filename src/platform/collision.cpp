// Collision layers: shapes are kept as drawn (image frame or rectangle, with
// the transform of the moment) and tested pixel by pixel on the CPU.
#include <algorithm>
#include <cmath>

#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace platform {

namespace {

struct Shape {
  PixmapRef pixels;  // the frame's pixels; null for a rectangle
  uint32_t layers = 0;
  void* id = nullptr;
  float ax = 0, ay = 0;             // anchor, virtual coordinates
  float ix = 1, iy = 0, jx = 0, jy = 1;
  float x0 = 0, y0 = 0, w = 0, h = 0;  // local box, relative to the anchor before the transform
  double inv_a = 0, inv_b = 0, inv_c = 0, inv_d = 0;
  bool solvable = false;
  float min_x = 0, min_y = 0, max_x = 0, max_y = 0;

  void Finish() {
    const double det = double(ix) * jy - double(iy) * jx;
    solvable = det != 0 && std::isfinite(det) && w > 0 && h > 0;
    if (solvable) {
      inv_a = jy / det;
      inv_b = -iy / det;
      inv_c = -jx / det;
      inv_d = ix / det;
    }
    const float cu[4] = {x0, x0 + w, x0 + w, x0};
    const float cv[4] = {y0, y0, y0 + h, y0 + h};
    min_x = min_y = INFINITY;
    max_x = max_y = -INFINITY;
    for (int i = 0; i < 4; ++i) {
      const float px = ax + ix * cu[i] + iy * cv[i], py = ay + jx * cu[i] + jy * cv[i];
      min_x = std::min(min_x, px);
      max_x = std::max(max_x, px);
      min_y = std::min(min_y, py);
      max_y = std::max(max_y, py);
    }
  }

  bool Covers(double px, double py) const {
    if (!solvable) return false;
    const double dx = px - ax, dy = py - ay;
    const double u = inv_a * dx + inv_b * dy - x0, v = inv_c * dx + inv_d * dy - y0;
    if (!(u >= 0 && v >= 0 && u < w && v < h)) return false;
    return !pixels || (pixels->ReadPixel(int(u), int(v)) >> 24) >= 128;
  }
};

std::vector<Shape> g_shapes;

Shape Place(float x, float y) {
  const DrawState& s = State();
  Shape shape;
  shape.ax = x + s.origin_x;
  shape.ay = y + s.origin_y;
  shape.ix = s.ix;
  shape.iy = s.iy;
  shape.jx = s.jx;
  shape.jy = s.jy;
  return shape;
}

bool Overlap(const Shape& a, const Shape& b) {
  const float left = std::max(a.min_x, b.min_x), right = std::min(a.max_x, b.max_x);
  const float top = std::max(a.min_y, b.min_y), bottom = std::min(a.max_y, b.max_y);
  if (!(left < right && top < bottom)) return false;
  // Pixel centres of the virtual screen inside the common box.
  const long long x0 = std::llround(std::floor(left)), x1 = std::llround(std::ceil(right));
  const long long y0 = std::llround(std::floor(top)), y1 = std::llround(std::ceil(bottom));
  for (long long py = y0; py < y1; ++py) {
    for (long long px = x0; px < x1; ++px) {
      const double cx = px + 0.5, cy = py + 0.5;
      if (a.Covers(cx, cy) && b.Covers(cx, cy)) return true;
    }
  }
  return false;
}

std::vector<void*> TestAndWrite(Shape shape, uint32_t test_mask, uint32_t write_mask, void* id) {
  shape.Finish();
  std::vector<void*> hits;
  if (test_mask != 0 && shape.solvable) {
    for (const Shape& other : g_shapes) {
      if (!(other.layers & test_mask)) continue;
      if (std::find(hits.begin(), hits.end(), other.id) != hits.end()) continue;
      if (Overlap(shape, other)) hits.push_back(other.id);
    }
  }
  if (write_mask != 0 && shape.solvable) {
    shape.layers = write_mask;
    shape.id = id;
    g_shapes.push_back(std::move(shape));
  }
  return hits;
}

}  // namespace

void ResetCollisions(uint32_t mask) {
  for (Shape& shape : g_shapes) shape.layers &= ~mask;
  g_shapes.erase(std::remove_if(g_shapes.begin(), g_shapes.end(), [](const Shape& s) { return s.layers == 0; }),
                 g_shapes.end());
}

std::vector<void*> CollideImage(const ImageRef& image, float x, float y, int frame, uint32_t test_mask,
                                uint32_t write_mask, void* id) {
  if (!image || frame < 0 || frame >= image->Frames()) return {};
  Shape shape = Place(x, y);
  shape.pixels = image->Frame(frame);
  shape.x0 = -image->HandleX();
  shape.y0 = -image->HandleY();
  shape.w = float(image->Width());
  shape.h = float(image->Height());
  return TestAndWrite(std::move(shape), test_mask, write_mask, id);
}

std::vector<void*> CollideRect(float x, float y, float w, float h, uint32_t test_mask, uint32_t write_mask,
                               void* id) {
  const DrawState& s = State();
  Shape shape = Place(x, y);
  shape.x0 = -s.handle_x;
  shape.y0 = -s.handle_y;
  shape.w = w;
  shape.h = h;
  return TestAndWrite(std::move(shape), test_mask, write_mask, id);
}

}  // namespace platform
