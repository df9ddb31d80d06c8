#pragma once
// The level-goal gauge on the right panel: a tube that fills as creatures are
// released, with bubbles rising in it. The world steps and draws it; the
// trolleys read its fill. The game interface makes and drops its bubbles.
#include "framework/core/object.h"

namespace kelp {

class TEmitter;

class TThermometer : public Object {
 public:
  static constexpr float kFull = 309.0f;  // the fill of a reached goal

  float MaxValue = 0.0f;
  float TargetValue = 0.0f;  // the player's released creatures
  float CurValue = 0.0f;     // shown, easing toward the target
  float percent = 0.0f;      // filled height 0..kFull
  int x = 0, y = 0;
  int lowy = 0;  // bottom of the tube
  Ref<TEmitter> Effect;  // the bubbles

  int Init();
  // Eases toward the player's released creatures; the fill is their share of
  // the level goal (a level without a goal shows an empty tube until
  // something is released, then a full one). The bubbles rise higher as it fills.
  int Update(float dt);
  // The filled part of the tube, the meniscus and the bubbles.
  int Draw();
  // Level start and reset: empty, with the bubbles stopped and cleared.
  void Reset();
};

extern Ref<TThermometer> Thermometer;

}  // namespace kelp
