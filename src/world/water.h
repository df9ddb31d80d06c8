#pragma once
// The water surface of the levels that have one: a damped wave field across
// the bottom of the play field that buoys the boxes up.
#include <vector>

#include "framework/object.h"

namespace kelp {

class TEmitter;

class TWater : public Object {
 public:
  int WaterLevel = 0;  // y of the undisturbed surface
  Ref<TEmitter> Effect;  // bubble emitter, set by level loading

  // Pairs (x0 + k * step, a small random height) for k = 0..count.
  static std::vector<int> WaterArray(float x0, float step, int count);
  static Ref<TWater> Create(const std::vector<int>& points, int level);
  virtual void Update(float frameFactor);
  virtual void Draw();
  virtual void Remove();
};

}  // namespace kelp
