#include "framework/core/geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kelp {

bool TRect::Contains(int px, int py) const {
  return x <= px && px < x + width && y <= py && py < y + height;
}

bool TRect::Intersects(const TRect& o) const {
  if (o.x + o.width <= x) return false;
  if (o.y + o.height <= y) return false;
  if (o.x >= x + width) return false;
  if (o.y >= y + height) return false;
  return true;
}

TVector& TVector::Reverse() {
  x = -x;
  y = -y;
  return *this;
}

Ref<TRect> CreateRect(float x, float y, float width, float height) { return New<TRect>(x, y, width, height); }
Ref<TVector> CreateVector(float x, float y) { return New<TVector>(x, y); }

float Distance(float x1, float y1, float x2, float y2) {
  const float dx = x2 - x1, dy = y2 - y1;
  return std::sqrt(dx * dx + dy * dy);
}

float PointDistance(float x1, float y1, float x2, float y2) { return Distance(x1, y1, x2, y2); }

float EaseTowards(float a, float b, float c) { return a + (b - a) / c; }

float StepTowards(float a, float b, float c) {
  if (a < b) return a + std::fabs(b - a) / c;
  if (a > b) return a - std::fabs(a - b) / c;
  return a;  // already there; 0 here would throw the value away
}

float Clamp(float v, float min, float max) { return std::min(std::max(v, min), max); }

bool IsOutOfBounds(int x, int y, int width, int height) { return x >= width || x < 0 || y >= height || y < 0; }

bool PointInRect(int x, int y, int rx, int ry, int rw, int rh) {
  const int64_t X = x, Y = y, RX = rx, RY = ry;
  return RX <= X && X <= RX + rw && RY <= Y && Y <= RY + rh;
}

Ref<TVector> IntersectLineCircle(const TVector& centre, float radius, TVector& p1, TVector& p2) {
  p1.x -= centre.x;
  p1.y -= centre.y;
  p2.x -= centre.x;
  p2.y -= centre.y;
  // Doubles: with canvas-sized coordinates C * C is far beyond float's
  // precision, and the 2.0 tolerance would mean nothing.
  const double x1 = p1.x, y1 = p1.y, x2 = p2.x, y2 = p2.y, r = radius;
  const double A = y1 - y2;
  const double B = x2 - x1;
  const double C = x1 * y2 - x2 * y1;
  const double Q = A * A + B * B;
  if (Q == 0.0) return nullptr;  // p1 = p2: no line
  const double x0 = -A * C / Q, y0 = -B * C / Q;
  if (C * C > r * r * Q + 2.0) return nullptr;
  // Touching or crossing, the chord's midpoint is the foot of the perpendicular (x0, y0).
  const double cx = x0, cy = y0;
  const double dx = x2 - x1, dy = y2 - y1;
  // The acceptance test divides by both extents; an upright or flat line has
  // one of them 0, and its candidate lies on it by construction.
  if (dx != 0.0 && dy != 0.0 && !(std::fabs((cx - x1) / dx - (cy - y1) / dy) < 1.0)) return nullptr;
  return CreateVector(static_cast<float>(cx + centre.x), static_cast<float>(cy + centre.y));
}

namespace {

double Cross(double px, double py, double qx, double qy) { return px * qy - py * qx; }

// Collinear segments: the end of their overlap with the smaller y (the nearer
// to b1 on a level line), or null when they do not overlap.
Ref<TVector> CollinearOverlap(const TVector& a1, const TVector& a2, const TVector& b1, const TVector& b2) {
  // Parametrise along the longer of the two segments so a point-like one still works.
  double ox = a1.x, oy = a1.y, dx = a2.x - a1.x, dy = a2.y - a1.y;
  double len2 = dx * dx + dy * dy;
  const double bdx = b2.x - b1.x, bdy = b2.y - b1.y;
  const double blen2 = bdx * bdx + bdy * bdy;
  if (blen2 > len2) {
    ox = b1.x;
    oy = b1.y;
    dx = bdx;
    dy = bdy;
    len2 = blen2;
  }
  if (len2 == 0.0) {  // both are one point
    if (a1.x == b1.x && a1.y == b1.y) return CreateVector(b1.x, b1.y);
    return nullptr;
  }
  auto param = [&](const TVector& p) { return ((p.x - ox) * dx + (p.y - oy) * dy) / len2; };
  const double ta1 = param(a1), ta2 = param(a2), tb1 = param(b1), tb2 = param(b2);
  const double lo = std::max(std::min(ta1, ta2), std::min(tb1, tb2));
  const double hi = std::min(std::max(ta1, ta2), std::max(tb1, tb2));
  if (lo > hi) return nullptr;
  const double lx = ox + lo * dx, ly = oy + lo * dy;
  const double hx = ox + hi * dx, hy = oy + hi * dy;
  bool takeLo;
  if (ly != hy) {
    takeLo = ly < hy;
  } else {
    const double dlo = (lx - b1.x) * (lx - b1.x), dhi = (hx - b1.x) * (hx - b1.x);
    takeLo = dlo <= dhi;
  }
  return takeLo ? CreateVector(static_cast<float>(lx), static_cast<float>(ly))
                : CreateVector(static_cast<float>(hx), static_cast<float>(hy));
}

}  // namespace

Ref<TVector> IntersectSegments(const TVector& a1, const TVector& a2, const TVector& b1, const TVector& b2) {
  const double Ax = a2.x - a1.x, Ay = a2.y - a1.y;
  const double Bx = b2.x - b1.x, By = b2.y - b1.y;
  const double Dx = b1.x - a1.x, Dy = b1.y - a1.y;
  const double denom = Cross(Ax, Ay, Bx, By);
  const double nA = Cross(Dx, Dy, Ax, Ay);
  const double nB = Cross(Dx, Dy, Bx, By);
  if (denom == 0.0) {
    if (nA == 0.0 && nB == 0.0) return CollinearOverlap(a1, a2, b1, b2);
    return nullptr;
  }
  const double u = nA / denom;
  const double t = nB / denom;
  if (u < 0.0 || u > 1.0 || t < 0.0 || t > 1.0) return nullptr;
  return CreateVector(static_cast<float>(a1.x + t * Ax), static_cast<float>(a1.y + t * Ay));
}

}  // namespace kelp
