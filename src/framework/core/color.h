#pragma once
// Drawing tints: a colour with an optional alpha and a timed blend from a
// start colour to an end colour, plus the shared colours of the interface.
#include "framework/core/object.h"

namespace kelp {

class TColor : public Object {
 public:
  int r = 0, g = 0, b = 0;
  float a = 0.0f;
  int r0 = 0, g0 = 0, b0 = 0;
  float a0 = 0.0f;
  // The end colour is kept as red, blue, green.
  int r1 = 0;
  int b1 = 0;
  int g1 = 0;
  float a1 = 0.0f;
  int fulltime = 0;  // 1 once a blend has reached its end
  int UseAlpha = 0;  // 1 when Set also applies the alpha

  // Limits r, g, b to 0..254 (and keeps the limited values), makes them the
  // drawing colour and, with UseAlpha, a the drawing alpha.
  void Set();
  void StartColor(int r, int g, int b, float alpha);
  void EndColor(int r, int g, int b, float alpha);
  void SetCalcColor(int t, int total);
  // The blend at t of total (milliseconds); t past total runs on past the end colour.
  void CalcColor(int t, int total);
  void SetNewColor(int r, int g, int b);
  static Ref<TColor> Create(int r, int g, int b);
};

// r, g, b and the start colour set; no alpha.
Ref<TColor> CreateColor(int r, int g, int b);
// The same, with a = a0 = alpha and UseAlpha on.
Ref<TColor> CreateColorAlpha(int r, int g, int b, float alpha);
// Set on the colour; a null colour does nothing.
void ApplyColor(const Ref<TColor>& color);
// A new colour, lighter or darker by delta, with the source's alpha; null for a null source.
Ref<TColor> OffsetColor(const Ref<TColor>& color, int delta);

extern Ref<TColor> ColorPeach;
extern Ref<TColor> ColorCream;
extern Ref<TColor> ColorWhite;
extern Ref<TColor> ColorDark;
// (Re)creates the shared colours; start-up calls it once.
void InitColors();

// Channels of a packed ARGB pixel.
int GetRed(int argb);
int GetGreen(int argb);
int GetBlue(int argb);

}  // namespace kelp
