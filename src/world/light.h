#pragma once
// A glowing sprite that follows a box or stands still, optionally breathing
// between two thirds of its size and its full size. Not an effect of the
// list: its holder (a box, a flying letter, a clock) updates and draws it.
#include "framework/core/color.h"
#include "framework/core/object.h"

namespace kelp {

class TBlock;

class TLight : public Object {
 public:
  float x = 0.0f, y = 0.0f;
  WeakRef<TBlock> Block;  // the box followed; it owns the light
  Ref<TColor> Color;
  int Stationary = 0;
  float Scale = 3.0f;  // full size
  int Pulse = 1;
  int PulseState = 0;  // 1 growing, 0 shrinking
  float CurrentScale = 3.0f;
  float Speed = 0.01f;  // pulse speed

  // Follows the box in the colour; the box passes its size and pulse too.
  void Init(const Ref<TBlock>& block, const Ref<TColor>& color, float scale = 3.0f, int pulse = 1);
  // A light standing at (x, y).
  void Init2(int x, int y, const Ref<TColor>& color, float scale, int pulse);
  void Remove();
  void Update(float dt);
  // Additive, at the box's render position unless stationary.
  void Draw(float alpha);
};

}  // namespace kelp
