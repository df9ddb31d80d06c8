#include "world/effects/screen_shake.h"

#include <cmath>
#include <numbers>

#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/canvas_placement.h"

namespace kelp {

Ref<TScreenShake> TScreenShake::CreateScreenShake(int amount, float attenuation) {
  for (const Ref<TVisuals>& v : VisualsList)
    if (As<TScreenShake>(v)) v->Death = 1;
  ResetOffsets();
  auto shake = New<TScreenShake>();
  shake->Ammount = amount;
  shake->attenuation_coef = attenuation;
  shake->x = RandomSign();
  shake->y = RandomSign();
  VisualsList.AddLast(shake);
  return shake;
}

void TScreenShake::ResetOffsets() {
  ShakeOffsetX = 0.0f;
  ShakeOffsetY = 0.0f;
}

void TScreenShake::Update(float dt) {
  // A replaced shake may still be visited once before the list drops it.
  if (Death) return;
  const float amplitude = std::cos(impulse_t * std::numbers::pi_v<float>) *
                          std::exp(-attenuation_coef * impulse_t) * static_cast<float>(Ammount);
  impulse_t += 0.15f * dt;
  ShakeOffsetX = static_cast<float>(Int(static_cast<float>(x) * amplitude));
  ShakeOffsetY = static_cast<float>(Int(amplitude * static_cast<float>(y)));
  if (impulse_t > std::numbers::pi_v<float>) {
    Death = 1;
    ResetOffsets();
  }
}

}  // namespace kelp
