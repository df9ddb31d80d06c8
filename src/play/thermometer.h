#pragma once
// The level-goal gauge beside the play field.
#include "framework/core/object.h"

namespace kelp {

class TEmitter;

class TThermometer : public Object {
 public:
  float CurValue = 0.0f;
  Ref<TEmitter> Effect;
  float percent = 0.0f;  // 0..309; 309 once the goal is reached

  // Moves the gauge toward the player's share of the level goal.
  void Update(float frameFactor);
  void Draw();
};

extern Ref<TThermometer> Thermometer;

}  // namespace kelp
