#include "world/effects/blinker.h"

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"

namespace kelp {

Ref<TBlinker> TBlinker::Create(const std::string& kind, int x, int y, int state, int count, float speed) {
  auto b = New<TBlinker>();
  b->Init(x, y, state, count, speed);
  if (kind != "road" && kind != "road2")
    b->Progress = TBuildingProgress::Create(static_cast<float>(x - 40), static_cast<float>(y + 80));
  if (kind == "road2") {
    b->accel_flag = 1;
    b->speed = 0.04f;
    b->count = 9;
  }
  VisualsList.AddLast(b);
  return b;
}

void TBlinker::Init(int x_, int y_, int state_, int count_, float speed_) {
  x = x_;
  y = y_;
  state = state_;
  count = count_;
  max_count = count_;
  speed = speed_;
  alpha = 0.0f;
}

void TBlinker::Advance(int oldCount) {
  if (!Progress) return;
  // A building without counts has nothing to spread the bar over: it is done.
  if (max_count <= 0) {
    Progress->SetState(100.0f);
    return;
  }
  Progress->SetState(100.0f - 100.0f * static_cast<float>(oldCount - 2) / static_cast<float>(max_count));
}

void TBlinker::Update(float dt) {
  switch (state) {
    case 1:
      alpha += dt * speed;
      if (alpha > 0.8f) {
        alpha = 0.8f;
        state = 2;
        upd_time = GameTime;
        const int old = count;
        count -= 1;
        Advance(old);
        if (accel_flag && speed < 0.5f) speed *= 1.2f;
      }
      break;
    case 2:
      if (upd_time + blink_time < GameTime) {
        state = 3;
        if (accel_flag) blink_time = Int(static_cast<float>(blink_time) * 0.8f);
      }
      break;
    case 3:
      alpha -= dt * speed;
      if (alpha < 0.0f) {
        alpha = 0.0f;
        state = 4;
        upd_time = GameTime;
        const int old = count;
        count -= 1;
        Advance(old);
      }
      break;
    case 4:
      if (upd_time + blink_time < GameTime) state = 1;
      break;
    default:
      break;
  }
  if (count < 1) {
    Death = 1;
    // The last half blink fills the bar; one that never blinked must not leave it behind.
    if (Progress) Progress->SetState(100.0f);
  }
}

}  // namespace kelp
