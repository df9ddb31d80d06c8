#pragma once
// A damped shake of the whole picture. The running shake writes ShakeOffsetX
// and ShakeOffsetY (framework/canvas_placement.h), which the screens and several
// effects add to their drawing origin; only one shake runs at a time.
#include "framework/media/visuals.h"

namespace kelp {

class TScreenShake : public TVisuals {
 public:
  int Ammount = 5;
  float impulse_t = 0.0f;
  int x = 0, y = 0;  // +1 or -1
  float attenuation_coef = 0.0f;

  // Ends every running shake (offsets back to 0), then appends a new one
  // with random signs.
  static Ref<TScreenShake> CreateScreenShake(int amount, float attenuation);
  // Puts the offsets back to 0; for a clear that drops a running shake.
  static void ResetOffsets();

  void Update(float dt) override;
  void Draw() override {}
};

}  // namespace kelp
