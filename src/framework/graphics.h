#pragma once
// Small drawing and geometry helpers the whole game shares: saving and
// restoring the drawing state, rectangles and vectors, distances, random and
// clamping helpers, intersections, score formatting, save-file strings and
// the any-key test.
#include <string>
#include <vector>

#include "framework/object.h"
#include "framework/random.h"
#include "framework/stack.h"
#include "platform/graphics_state.h"
#include "platform/image.h"
#include "platform/stream.h"

namespace kelp {

class TGraphicsState : public Object {
 public:
  int Blend = 0;
  float Rotation = 0.0f;
  float ScaleX = 1.0f, ScaleY = 1.0f;
  float alpha = 1.0f;
  int r = 0, g = 0, b = 0;
  int vpx = 0, vpy = 0, vpw = 0, vph = 0;
  float OrX = 0.0f, OrY = 0.0f;
  float SuperOrX = 0.0f, SuperOrY = 0.0f;  // not saved or restored
  float lineW = 1.0f;
  platform::ImageFontRef font;
};

// Saved states, last pushed on top; never replaced.
extern const Ref<LIFO> GraphicsStateStack;

// Saves the current drawing state; every push is matched by one pop in the
// same drawing routine. A pop with nothing saved does nothing.
void PushGraphicsState();
void PopGraphicsState();

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

// A random integer in [Int(lo / f), Int(hi / f)]; in [lo, hi] when f is 0.
int RandScaled(int lo, int hi, float f);
float RndScaled(float lo, float hi, float f);
// 0 when a draw from [0, a] is 0, else a draw from [0, b].
int RandMaybe(int a, int b);
float RndMaybe(float a, float b);
int RandomSign();  // 1 or -1

// Channels of a packed ARGB pixel.
int GetRed(int argb);
int GetGreen(int argb);
int GetBlue(int argb);

float EaseTowards(float a, float b, float c);  // a + (b - a) / c
// a moved toward b by |b - a| / c; b itself once there.
float StepTowards(float a, float b, float c);
float Clamp(float v, float min, float max);

// Draws the frame at (x - offsetX, y - offsetY) seen through a w x h window
// placed at (x, y) (moved by the image's handle); the viewport is restored after.
void DrawImageWindow(const platform::ImageRef& image, float x, float y, float offsetX, float offsetY,
                     float w, float h, int frame);
// A circle of radius r at (x, y) wholly outside the graphics mode.
bool IsOffScreen(int x, int y, int r);
bool IsOutOfBounds(int x, int y, int width, int height);
// All edges included.
bool PointInRect(int x, int y, int rx, int ry, int rw, int rh);

// Text size in a font (the current one when null), drawing state untouched.
int TextWidthInFont(const std::string& text, const platform::ImageFontRef& font);
int TextHeightInFont(const platform::ImageFontRef& font);

// A random one of the leading non-null entries; null when there are none.
template <class T>
Ref<T> PickRandomItem(const std::vector<Ref<T>>& items) {
  int n = 0;
  for (const auto& item : items)
    if (item) ++n;
  if (n == 0) return nullptr;
  return items[static_cast<size_t>(Rand(0, n - 1))];
}

// The midpoint of the chord the circle cuts from the line through p1 and p2,
// or null when the line misses it (2.0 of tolerance). p1 and p2 are left
// shifted by -centre.
Ref<TVector> IntersectLineCircle(const TVector& centre, float radius, TVector& p1, TVector& p2);
// The crossing point of segments a1-a2 and b1-b2, or null. Collinear
// segments that overlap give the end of the overlap with the smaller y.
Ref<TVector> IntersectSegments(const TVector& a1, const TVector& a2, const TVector& b1, const TVector& b2);

// "1,234,567".
std::string FormatThousands(int n);

// Save-file strings: an int32 length, then UTF-16LE code units or 8-bit
// characters. A stored length of 0 or less reads as "", one longer than the
// rest of the stream is cut to it.
void WriteUnicodeString(platform::Stream& stream, const std::string& text);
std::string ReadUnicodeString(platform::Stream& stream);
void WriteByteString(platform::Stream& stream, const std::string& text);
std::string ReadByteString(platform::Stream& stream);

// Any key code 1..191 held down.
bool AnyKeyDown();

}  // namespace kelp
