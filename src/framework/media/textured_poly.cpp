#include "framework/media/textured_poly.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>
#include <vector>

#include "framework/core/numeric.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

void TTexturedBatch::Add(std::span<const float> xyuv, int count) {
  size_t n = xyuv.size() / 4;
  if (count >= 0 && static_cast<size_t>(count) < n) n = static_cast<size_t>(count);
  if (n < 3) return;
  const platform::DrawState& s = platform::State();
  const float hx = -s.handle_x, hy = -s.handle_y;
  const size_t first = vertices_.size();
  vertices_.resize(first + n);
  for (size_t i = 0; i < n; ++i) {
    const float px = xyuv[4 * i] + hx, py = xyuv[4 * i + 1] + hy;
    platform::FanVertex& v = vertices_[first + i];
    v.x = px * s.ix + py * s.iy;
    v.y = px * s.jx + py * s.jy;
    v.u = xyuv[4 * i + 2];
    v.v = xyuv[4 * i + 3];
    // A broken vertex would reach the rasteriser; the polygon is dropped instead.
    if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.u) || !std::isfinite(v.v)) {
      vertices_.resize(first);
      return;
    }
  }
  const int base = static_cast<int>(first);
  for (int i = 1; i + 1 < static_cast<int>(n); ++i) indices_.insert(indices_.end(), {base, base + i, base + i + 1});
}

void TTexturedBatch::Draw(const platform::ImageRef& image, int frame) {
  if (!indices_.empty()) platform::DrawTexturedTriangles(image, vertices_, indices_, frame);
  vertices_.clear();
  indices_.clear();
}

void DrawTexturedPoly(const platform::ImageRef& image, std::span<const float> xyuv, int frame, int count) {
  if (!image) return;
  // Drawing happens on one thread; the scratch batch saves allocations per polygon.
  static thread_local TTexturedBatch batch;
  batch.Add(xyuv, count);
  batch.Draw(image, frame);
}

Ref<TSectorImage> TSectorImage::Create(const platform::ImageRef& image, const Ref<TVector>& pos) {
  auto s = New<TSectorImage>();
  s->image = image;
  s->SetPos(pos);
  return s;
}

void TSectorImage::SetPos(const Ref<TVector>& v) { pos = v ? v : New<TVector>(); }

void TSectorImage::SetDrawSector(int from, int to) {
  fromdegree = static_cast<float>(from);
  todegree = static_cast<float>(to);
  if (fromdegree > todegree) std::swap(fromdegree, todegree);
  angle = todegree;
}

void TSectorImage::Draw() {
  if (!image || !pos) return;
  const float w = static_cast<float>(image->Width()), h = static_cast<float>(image->Height());
  if (w <= 0 || h <= 0) return;
  const float cx = pos->x, cy = pos->y;
  auto edge = [&](int64_t degrees, float* out) {
    const double rad = static_cast<double>(degrees) * std::numbers::pi / 180.0;
    const float dx = static_cast<float>(std::sin(rad)) * w / 2;
    const float dy = -static_cast<float>(std::cos(rad)) * h / 2;
    out[0] = cx + dx;
    out[1] = cy + dy;
    out[2] = (dx + w / 2) / w;
    out[3] = (dy + h / 2) / h;
  };
  // 64 bits: a saturated start angle plus 45 must not overflow.
  int64_t a = Int(fromdegree);
  for (int piece = 0; piece < 8; ++piece) {
    float v[16] = {cx, cy, 0.5f, 0.5f};
    edge(a, v + 4);
    a += 45;
    const bool last = static_cast<double>(a) >= todegree;
    if (last) a = Int(todegree);
    edge(a, v + 8);
    v[12] = cx;
    v[13] = cy;
    v[14] = 0.5f;
    v[15] = 0.5f;
    DrawTexturedPoly(image, v, 0, -1);
    if (last) break;
  }
}

}  // namespace kelp
