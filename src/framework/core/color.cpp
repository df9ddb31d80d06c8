#include "framework/core/color.h"

#include <algorithm>
#include <cstdint>

#include "platform/graphics_state.h"

namespace kelp {
namespace {

// Long blends with t far past total would overflow an int product.
int Blend(int from, int to, int t, int total) {
  const int64_t v = from + (static_cast<int64_t>(to) - from) * t / total;
  return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

void TColor::Set() {
  r = std::clamp(r, 0, 254);
  g = std::clamp(g, 0, 254);
  b = std::clamp(b, 0, 254);
  platform::SetColor(r, g, b);
  if (UseAlpha) platform::SetAlpha(a);
}

void TColor::StartColor(int r_, int g_, int b_, float alpha) {
  r0 = r_;
  g0 = g_;
  b0 = b_;
  a0 = alpha;
}

void TColor::EndColor(int r_, int g_, int b_, float alpha) {
  r1 = r_;
  g1 = g_;
  b1 = b_;
  a1 = alpha;
}

void TColor::SetCalcColor(int t, int total) {
  CalcColor(t, total);
  Set();
}

void TColor::CalcColor(int t, int total) {
  if (total == 0) return;
  r = Blend(r0, r1, t, total);
  g = Blend(g0, g1, t, total);
  b = Blend(b0, b1, t, total);
  a = a0 + (a1 - a0) * static_cast<float>(t) / static_cast<float>(total);
  fulltime = t >= total ? 1 : 0;
}

void TColor::SetNewColor(int r_, int g_, int b_) {
  r = r_;
  g = g_;
  b = b_;
}

Ref<TColor> TColor::Create(int r, int g, int b) {
  auto c = New<TColor>();
  c->r = r;
  c->g = g;
  c->b = b;
  return c;
}

Ref<TColor> CreateColor(int r, int g, int b) {
  auto c = TColor::Create(r, g, b);
  c->r0 = r;
  c->g0 = g;
  c->b0 = b;
  return c;
}

Ref<TColor> CreateColorAlpha(int r, int g, int b, float alpha) {
  auto c = CreateColor(r, g, b);
  c->a = alpha;
  c->a0 = alpha;
  c->UseAlpha = 1;
  return c;
}

void ApplyColor(const Ref<TColor>& color) {
  if (color) color->Set();
}

Ref<TColor> OffsetColor(const Ref<TColor>& color, int delta) {
  if (!color) return nullptr;
  auto c = New<TColor>();
  c->r = color->r + delta;
  c->g = color->g + delta;
  c->b = color->b + delta;
  c->r0 = color->r0 + delta;
  c->g0 = color->g0 + delta;
  c->b0 = color->b0 + delta;
  c->a = color->a;
  c->a0 = color->a0;
  c->UseAlpha = color->UseAlpha;
  return c;
}

Ref<TColor> ColorPeach = CreateColor(252, 187, 143);
Ref<TColor> ColorCream = CreateColor(255, 230, 180);
Ref<TColor> ColorWhite = CreateColor(255, 255, 255);
Ref<TColor> ColorDark = CreateColor(10, 10, 30);

void InitColors() {
  ColorPeach = CreateColor(252, 187, 143);
  ColorCream = CreateColor(255, 230, 180);
  ColorWhite = CreateColor(255, 255, 255);
  ColorDark = CreateColor(10, 10, 30);
}

int GetRed(int argb) { return (argb >> 16) & 255; }
int GetGreen(int argb) { return (argb >> 8) & 255; }
int GetBlue(int argb) { return argb & 255; }

}  // namespace kelp
