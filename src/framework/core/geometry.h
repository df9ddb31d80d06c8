#pragma once
// Rectangles, vectors, distances, clamping and easing, and the intersections
// of lines, segments and circles.
#include "framework/core/object.h"

namespace kelp {

class TRect : public Object {
 public:
  TRect() = default;
  TRect(float x_, float y_, float w, float h) : x(x_), y(y_), width(w), height(h) {}
  float x = 0.0f, y = 0.0f, width = 0.0f, height = 0.0f;
  // Right and bottom edges excluded.
  bool Contains(int px, int py) const;
  // Rectangles that only touch do not intersect.
  bool Intersects(const TRect& other) const;
};

class TVector : public Object {
 public:
  TVector() = default;
  TVector(float x_, float y_) : x(x_), y(y_) {}
  float x = 0.0f, y = 0.0f;
  // Negates both in place.
  TVector& Reverse();
};

Ref<TRect> CreateRect(float x, float y, float width, float height);
Ref<TVector> CreateVector(float x, float y);

float Distance(float x1, float y1, float x2, float y2);
float PointDistance(float x1, float y1, float x2, float y2);

float EaseTowards(float a, float b, float c);  // a + (b - a) / c
// a moved toward b by |b - a| / c; b itself once there.
float StepTowards(float a, float b, float c);
float Clamp(float v, float min, float max);

bool IsOutOfBounds(int x, int y, int width, int height);
// All edges included.
bool PointInRect(int x, int y, int rx, int ry, int rw, int rh);

// The midpoint of the chord the circle cuts from the line through p1 and p2,
// or null when the line misses it (2.0 of tolerance). p1 and p2 are left
// shifted by -centre.
Ref<TVector> IntersectLineCircle(const TVector& centre, float radius, TVector& p1, TVector& p2);
// The crossing point of segments a1-a2 and b1-b2, or null. Collinear
// segments that overlap give the end of the overlap with the smaller y.
Ref<TVector> IntersectSegments(const TVector& a1, const TVector& a2, const TVector& b1, const TVector& b2);

}  // namespace kelp
