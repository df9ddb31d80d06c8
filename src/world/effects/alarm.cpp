#include "world/effects/alarm.h"

#include "framework/core/frame_clock.h"
#include "framework/media/graphics_state.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/game_state.h"

namespace kelp {

Ref<TAlarm> TAlarm::Create(int state, float speed) {
  auto alarm = New<TAlarm>();
  alarm->Init(state, speed);
  VisualsList.AddLast(alarm);
  return alarm;
}

void TAlarm::Init(int state_, float speed_) {
  state = state_;
  speed = speed_;
  alpha = 0.0f;
  paused = 1;
  off = 1;
  Over = 1;
  width = 800;
  height = 600;
}

void TAlarm::Pause(int flag) {
  off = 0;
  paused = flag;
  if (flag) {
    state = 3;
  } else {
    state = 1;
    alpha = 0.0f;
  }
}

void TAlarm::Remove() { VisualsList.Remove(this); }

void TAlarm::Update(float dt) {
  if (off) return;
  if (GameState && GameState->Over) off = 1;
  switch (state) {
    case 1:
      alpha += dt * speed;
      if (alpha > 0.4f) {
        alpha = 0.4f;
        state = 2;
        upd_time = GameTime;
      }
      break;
    case 2:
      if (upd_time + blink_time < GameTime) state = 3;
      break;
    case 3:
      alpha -= dt * speed;
      if (alpha < 0.0f) {
        alpha = 0.0f;
        state = 4;
        upd_time = GameTime;
        if (paused) {
          off = 1;
          state = 1;
        }
      }
      break;
    case 4:
      if (upd_time + blink_time < GameTime) state = 1;
      break;
    default:
      break;
  }
}

void TAlarm::Draw() {
  if (off || alpha <= 0.0f) return;
  PushGraphicsState();
  platform::SetOrigin(0.0f, 0.0f);
  platform::SetScale(1.0f, 1.0f);
  platform::SetBlend(4);
  platform::SetColor(200, 0, 0);
  platform::SetAlpha(alpha);
  platform::DrawRect(-10.0f, -10.0f, static_cast<float>(width + 20), static_cast<float>(height + 20));
  PopGraphicsState();
}

}  // namespace kelp
