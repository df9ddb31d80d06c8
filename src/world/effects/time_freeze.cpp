#include "world/effects/time_freeze.h"

#include <algorithm>

#include "framework/core/frame_clock.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/game_interface.h"
#include "world/game_state.h"
#include "world/resource_bindings.h"
#include "world/trolley.h"

namespace kelp {

namespace {

void Burst() {
  if (GameInterface) GameInterface->AddEmitter(TEmitter::Create(91, 205, EffectBonusFreeze, 0));
}

}  // namespace

Ref<TTimeFreeze> TTimeFreeze::Create() {
  auto t = New<TTimeFreeze>();
  t->Init();
  VisualsList.AddLast(t);
  return t;
}

void TTimeFreeze::Init() {
  BirthTime = GameTime;
  LifeTime = 40000;
  Image = ResManager ? ResManager->GetImage("IMAGE_CLOCK_FREEZE") : nullptr;
  alpha = scale = 0.0f;
  alpha_speed = 0.01f;
  scale_speed = 0.012f;
  state = 0;
  Burst();
  if (GameState) GameState->TimeFreeze = 1;
}

void TTimeFreeze::Update(float dt) {
  // Death is final: the frozen time is credited once.
  if (Death || (GameState && GameState->Paused)) return;
  const int paused = GameState ? GameState->PausedTime : 0;
  if (GameTime > BirthTime + LifeTime + paused && state == 1) state = 2;
  switch (state) {
    case 0:
      alpha = std::min(alpha + alpha_speed * dt, 1.0f);
      scale = std::min(scale + scale_speed * dt, 1.0f);
      if (alpha == 1.0f && scale == 1.0f) state = 1;
      break;
    case 2:
      Burst();
      state = 3;
      break;
    case 3:
      alpha = std::max(alpha - alpha_speed * dt, 0.0f);
      scale = std::max(scale - scale_speed * 0.5f * dt, 0.0f);
      if (alpha == 0.0f) state = 4;
      break;
    case 4:
      Death = 1;
      TrolleyTimeOffset += LifeTime;
      if (GameState) {
        GameState->Timer += LifeTime;
        GameState->PausedTime += LifeTime;
        GameState->TimeFreeze = 0;
      }
      break;
    default:
      break;
  }
}

void TTimeFreeze::Draw() {
  using namespace platform;
  PushGraphicsState();
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  SetAlpha(alpha);
  SetScale(scale, scale);
  DrawImage(Image, 91, 228);
  PopGraphicsState();
}

}  // namespace kelp
