#include "framework/media/impulse.h"

#include <cmath>
#include <numbers>

namespace kelp {

void TImpulse::Update(float dt) {
  if (!started) return;
  impulse_strength = std::cos(impulse_t * std::numbers::pi_v<float>) * std::exp(-attenuation_coef * impulse_t) *
                     impulse_scale;
  impulse_t += Speed * dt;
  if (impulse_t > std::numbers::pi_v<float>) Death = 1;
}

Ref<TImpulse> TImpulse::CreateImpulse(float scale, float attenuation, float speed, int started) {
  auto impulse = New<TImpulse>();
  impulse->impulse_scale = scale;
  impulse->attenuation_coef = attenuation;
  impulse->Speed = speed;
  impulse->started = started;
  impulse->impulse_t = 0.0f;
  VisualsList.AddLast(impulse);
  return impulse;
}

}  // namespace kelp
