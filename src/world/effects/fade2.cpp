#include "world/effects/fade2.h"

#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

int TFade2::Width = 800;
int TFade2::Height = 600;

void TFade2::Init(float alpha_, float speed_, float maxAlpha) {
  alpha = alpha_;
  speed = speed_;
  Width = VirtualWidth;
  Height = VirtualHeight;
  pause = 0;
  set = 1;
  max_alpha = maxAlpha;
}

Ref<TFade2> TFade2::Create(float alpha, float speed, float maxAlpha) {
  auto fade = New<TFade2>();
  fade->Init(alpha, speed, maxAlpha);
  return fade;
}

void TFade2::Update(float dt) {
  if (pause) return;
  alpha += dt * speed;
  // Bounds assigned, not computed, so holders may compare them exactly.
  if (alpha > max_alpha) alpha = max_alpha;
  if (alpha < 0.0f) alpha = 0.0f;
}

void TFade2::Draw() {
  if (pause || alpha <= 0.0f) return;
  PushGraphicsState();
  SetGameViewport();
  platform::SetScale(1.0f, 1.0f);
  platform::SetBlend(3);
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(alpha);
  platform::DrawRect(-10.0f, -10.0f, static_cast<float>(Width + 20), static_cast<float>(Height + 20));
  DrawSideBars();
  PopGraphicsState();
}

}  // namespace kelp
