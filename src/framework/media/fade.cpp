#include "framework/media/fade.h"

#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

int FadeWidth = 800, FadeHeight = 600;
Ref<TFade> ScreenFade;

void TFade::Update(float dt) {
  if (pause) return;
  alpha += dt * speed;
  // Users wait for exactly 0 or max_alpha, so the bounds are assigned.
  if (alpha > max_alpha) alpha = max_alpha;
  if (alpha < 0.0f) alpha = 0.0f;
}

void TFade::Draw() {
  if (pause || alpha <= 0.0f) return;
  PushGraphicsState();
  platform::SetViewport(0, 0, VirtualWidth, VirtualHeight);
  platform::SetOrigin(0.0f, 0.0f);
  platform::SetScale(1.0f, 1.0f);
  platform::SetBlend(3);
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(alpha);
  platform::DrawRect(-10.0f, -10.0f, static_cast<float>(FadeWidth + 20), static_cast<float>(FadeHeight + 20));
  PopGraphicsState();
}

Ref<TFade> TFade::Create(float alpha, float speed, float max) {
  auto fade = New<TFade>();
  fade->Init(alpha, speed, max);
  VisualsList.AddLast(fade);
  return fade;
}

void TFade::Init(float alpha_, float speed_, float max) {
  alpha = alpha_;
  speed = speed_;
  Over = 1;
  FadeWidth = VirtualWidth;
  FadeHeight = VirtualHeight;
  pause = 0;
  set = 1;
  max_alpha = max;
}

void TFade::SetPaused(int flag) {
  if (flag != paused) {
    if (flag) {
      _alpha = alpha;
      _speed = speed;
      _over = Over;
      _pause = pause;
      _set = set;
      _max_alpha = max_alpha;
    } else {
      alpha = _alpha;
      speed = _speed;
      Over = _over;
      pause = _pause;
      set = _set;
      max_alpha = _max_alpha;
    }
  }
  paused = flag;
}

}  // namespace kelp
