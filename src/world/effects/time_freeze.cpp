#include "world/effects/time_freeze.h"

#include "framework/core/frame_clock.h"

namespace kelp {

Ref<TTimeFreeze> TTimeFreeze::Create() {
  auto t = New<TTimeFreeze>();
  t->Init();
  VisualsList.AddLast(t);
  return t;
}

void TTimeFreeze::Init() {
  BirthTime = GameTime;
  LifeTime = 40000;
  alpha = scale = 0.0f;
  alpha_speed = 0.01f;
  scale_speed = 0.012f;
}

// The frozen clock itself comes with the level clock's freeze.
void TTimeFreeze::Update(float) {}

void TTimeFreeze::Draw() {}

}  // namespace kelp
