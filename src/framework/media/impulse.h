#pragma once
// A damped oscillation that other objects read to wobble: impulse_strength
// starts at impulse_scale and swings to and fro with a shrinking amplitude
// until impulse_t passes pi, when the impulse dies.
#include "framework/media/visuals.h"

namespace kelp {

class TImpulse : public TVisuals {
 public:
  float impulse_strength = 0.0f;  // the value holders read
  float attenuation_coef = 0.0f;
  float impulse_t = 0.0f;
  float impulse_scale = 0.0f;
  int started = 1;  // 0: created but not running
  float Speed = 0.0f;
  int dir = 0;  // not used

  void Update(float dt) override;
  void Draw() override {}

  // A new impulse, appended to VisualsList.
  static Ref<TImpulse> CreateImpulse(float scale, float attenuation, float speed, int started);
};

}  // namespace kelp
