#include "play/thermometer.h"

#include <algorithm>
#include <cmath>

#include "framework/core/numeric.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/player_state.h"
#include "world/world.h"

namespace kelp {

Ref<TThermometer> Thermometer;

namespace {

platform::ImageRef Picture(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

// The filled share of the goal, 0..1. A level without a goal (0 or less)
// shows an empty tube until something is released, then a full one.
float Share(float value) {
  const float goal = World ? World->CreaturesToRelease : 0.0f;
  if (!(goal > 0.0f)) return value > 0.0f ? 1.0f : 0.0f;
  return std::clamp(value / goal, 0.0f, 1.0f);
}

void SetBubbleLife(const Ref<TEmitter>& bubbles, int from, int to) {
  if (!bubbles || !bubbles->Config) return;
  bubbles->Config->Lifetime[0] = from;
  bubbles->Config->Lifetime[1] = to;
}

}  // namespace

int TThermometer::Init() {
  x = CanvasOffsetX + 668;
  y = 247;
  lowy = y + 305;
  return 0;
}

int TThermometer::Update(float dt) {
  if (Effect) {
    Effect->Update(dt);
    Effect->Pause = CurValue == 0.0f ? 1 : 0;
  }
  TargetValue = PlayerState ? PlayerState->ReleasedCreatures : 0.0f;
  const float step = 0.1f * dt;
  if (std::fabs(TargetValue - CurValue) < step)
    CurValue = TargetValue;
  else
    CurValue += TargetValue > CurValue ? step : -step;
  const float p = Share(CurValue);
  percent = p * kFull;
  SetBubbleLife(Effect, Int(p * 5000), Int(p * 5200));
  return 0;
}

int TThermometer::Draw() {
  using namespace platform;
  const platform::ImageRef full = Picture("IMAGE_PROGRESSBAR_FULL");
  const float sx = ShakeOffsetX, sy = ShakeOffsetY;
  PushGraphicsState();
  SetOrigin(0, 0);
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  if (full && Int(percent) > 0) {
    SetViewport(Int(x + sx), Int(lowy - percent + sy), full->Width(), Int(percent));
    DrawImage(full, x + sx, y + sy);
  }
  SetViewport(0, 0, VirtualWidth, VirtualHeight);
  if (percent > 30.0f && percent < 290.0f) DrawImage(Picture("IMAGE_PROGRESSBAR_TOP"), x + sx, lowy - percent - 3 + sy);
  if (Effect) {
    // The bubbles were placed on the 800-wide canvas.
    SetOrigin(CanvasOffsetX + sx, sy);
    Effect->Draw(1.0f);
  }
  PopGraphicsState();
  return 0;
}

void TThermometer::Reset() {
  CurValue = 0.0f;
  percent = 0.0f;
  SetBubbleLife(Effect, 0, 0);
  if (Effect) Effect->Particles.Clear();
}

}  // namespace kelp
