#include "framework/graphics.h"

#include <algorithm>
#include <cmath>

#include "framework/numeric.h"
#include "framework/utf8.h"
#include "platform/draw.h"
#include "platform/input.h"
#include "platform/window.h"

namespace kelp {

const Ref<LIFO> GraphicsStateStack = New<LIFO>();

void PushGraphicsState() {
  auto s = New<TGraphicsState>();
  s->Blend = platform::GetBlend();
  s->Rotation = platform::GetRotation();
  platform::GetScale(s->ScaleX, s->ScaleY);
  s->alpha = platform::GetAlpha();
  platform::GetColor(s->r, s->g, s->b);
  platform::GetViewport(s->vpx, s->vpy, s->vpw, s->vph);
  platform::GetOrigin(s->OrX, s->OrY);
  s->lineW = platform::GetLineWidth();
  s->font = platform::GetImageFont();
  GraphicsStateStack->Push(s);
}

void PopGraphicsState() {
  auto s = As<TGraphicsState>(GraphicsStateStack->Pop());
  if (!s) return;
  platform::SetAlpha(s->alpha);
  platform::SetScale(s->ScaleX, s->ScaleY);
  platform::SetBlend(s->Blend);
  platform::SetRotation(s->Rotation);
  platform::SetColor(s->r, s->g, s->b);
  platform::SetOrigin(s->OrX, s->OrY);
  platform::SetViewport(s->vpx, s->vpy, s->vpw, s->vph);
  platform::SetLineWidth(s->lineW);
  platform::SetImageFont(s->font);
}

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

int RandScaled(int lo, int hi, float f) {
  if (f == 0.0f) return Rand(lo, hi);
  return Rand(Int(static_cast<float>(lo) / f), Int(static_cast<float>(hi) / f));
}

float RndScaled(float lo, float hi, float f) {
  if (f == 0.0f) return Rnd(lo, hi);
  return Rnd(lo / f, hi / f);
}

int RandMaybe(int a, int b) { return Rand(0, a) == 0 ? 0 : Rand(0, b); }

float RndMaybe(float a, float b) { return Rnd(0.0f, a) == 0.0f ? 0.0f : Rnd(0.0f, b); }

int RandomSign() { return Rand(0, 1) == 0 ? -1 : 1; }

int GetRed(int argb) { return (argb >> 16) & 255; }
int GetGreen(int argb) { return (argb >> 8) & 255; }
int GetBlue(int argb) { return argb & 255; }

float EaseTowards(float a, float b, float c) { return a + (b - a) / c; }

float StepTowards(float a, float b, float c) {
  if (a < b) return a + std::fabs(b - a) / c;
  if (a > b) return a - std::fabs(a - b) / c;
  return a;  // already there; 0 here would throw the value away
}

float Clamp(float v, float min, float max) { return std::min(std::max(v, min), max); }

void DrawImageWindow(const platform::ImageRef& image, float x, float y, float offsetX, float offsetY,
                     float w, float h, int frame) {
  if (!image) return;
  int vx, vy, vw, vh;
  platform::GetViewport(vx, vy, vw, vh);
  int left = Int(x);
  if (image->HandleX() != 0.0f && image->Width() > 0)
    left = Int(x - image->HandleX() / static_cast<float>(image->Width()) * w);
  int top = Int(y);
  if (image->HandleY() != 0.0f && image->Height() > 0)
    top = Int(y - image->HandleY() / static_cast<float>(image->Height()) * h);
  platform::SetViewport(vx + left, vy + top, Int(w), Int(h));
  platform::DrawImage(image, x - offsetX, y - offsetY, frame);
  platform::SetViewport(vx, vy, vw, vh);
}

bool IsOffScreen(int x, int y, int r) {
  // In 64 bits: a huge radius must not wrap around.
  const int64_t X = x, Y = y, R = r;
  return X - R > platform::GraphicsWidth() || X + R < 0 || Y - R > platform::GraphicsHeight() || Y + R < 0;
}

bool IsOutOfBounds(int x, int y, int width, int height) { return x >= width || x < 0 || y >= height || y < 0; }

bool PointInRect(int x, int y, int rx, int ry, int rw, int rh) {
  const int64_t X = x, Y = y, RX = rx, RY = ry;
  return RX <= X && X <= RX + rw && RY <= Y && Y <= RY + rh;
}

int TextWidthInFont(const std::string& text, const platform::ImageFontRef& font) {
  PushGraphicsState();
  if (font) platform::SetImageFont(font);
  const int w = platform::TextWidth(text);
  PopGraphicsState();
  return w;
}

int TextHeightInFont(const platform::ImageFontRef& font) {
  PushGraphicsState();
  if (font) platform::SetImageFont(font);
  const int h = platform::TextHeight("X");
  PopGraphicsState();
  return h;
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

std::string FormatThousands(int n) {
  const long long v = n;
  const std::string digits = std::to_string(v < 0 ? -v : v);
  std::string s = v < 0 ? "-" : "";
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) s += ',';
    s += digits[i];
  }
  return s;
}

void WriteUnicodeString(platform::Stream& stream, const std::string& text) {
  const std::u16string units = utf8::ToUtf16(text);
  stream.WriteInt(static_cast<int32_t>(units.size()));
  for (char16_t u : units) stream.WriteShort(static_cast<int16_t>(u));
}

std::string ReadUnicodeString(platform::Stream& stream) {
  const int32_t len = stream.ReadInt();
  if (len <= 0) return "";
  // A corrupt length must not allocate or read beyond what the stream holds.
  const int64_t n = std::min<int64_t>(len, stream.Remaining() / 2);
  std::u16string units;
  units.reserve(static_cast<size_t>(n));
  for (int64_t i = 0; i < n; ++i) units += static_cast<char16_t>(static_cast<uint16_t>(stream.ReadShort()));
  return utf8::FromUtf16(units);
}

void WriteByteString(platform::Stream& stream, const std::string& text) {
  const std::string bytes = utf8::ToLatin1(text);
  stream.WriteInt(static_cast<int32_t>(bytes.size()));
  stream.WriteBytes(bytes);
}

std::string ReadByteString(platform::Stream& stream) {
  const int32_t len = stream.ReadInt();
  if (len <= 0) return "";
  const int64_t n = std::min<int64_t>(len, stream.Remaining());
  return utf8::FromLatin1(stream.ReadBytes(static_cast<size_t>(n)));
}

bool AnyKeyDown() {
  for (int vk = 1; vk <= 191; ++vk)
    if (platform::KeyDown(vk)) return true;
  return false;
}

}  // namespace kelp
