#include "world/effects/chain_lights.h"

#include "framework/core/degrees.h"
#include "framework/core/frame_clock.h"
#include "framework/core/geometry.h"
#include "framework/core/numeric.h"
#include "framework/media/graphics_state.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/resource_bindings.h"

namespace kelp {

ObjectList<TChainLights> ChainLightsList;
int ChainLightsCount = 0;
int ChainLightsOn = 0;
uint8_t ChainLightsStopping = 0;
int ChainLightsStopTime = 0;

Ref<TChainLights> TChainLights::Create(int px, int py, int pangle, int cycle) {
  auto lamp = New<TChainLights>();
  lamp->x = px;
  lamp->y = py;
  lamp->angle = pangle;
  lamp->ID = ++ChainLightsCount;
  lamp->cycleTime = cycle * 80 - 80;
  lamp->updTime = GameTime + lamp->ID * 80 - 80;
  ChainLightsList.AddLast(lamp);
  return lamp;
}

int TChainLights::CreateChain(float x1, float y1, float x2, float y2, int count, int extra) {
  if (count <= 0) return 0;
  const int a = Int(degrees::ATan2(double(y2) - y1, double(x2) - x1));
  const double step = Int(Distance(x1, y1, x2, y2) / count);
  const double cx = degrees::Cos(a), cy = degrees::Sin(a);
  for (int i = 1; i <= count + 1; ++i)
    Create(Int(x1 + cx * step * (i - 1)), Int(y1 + cy * step * (i - 1)), a + 90, count + extra);
  return 1;
}

void TChainLights::Go() {
  ChainLightsOn = 1;
  for (const Ref<TChainLights>& lamp : ChainLightsList) {
    lamp->updTime = GameTime + lamp->ID * 80 - 80;
    lamp->ON = 0;
  }
}

void TChainLights::Stop() {
  ChainLightsStopping = 1;
  ChainLightsStopTime = GameTime;
}

void TChainLights::UpdateLights() {
  for (const Ref<TChainLights>& lamp : ChainLightsList) lamp->Update();
}

void TChainLights::DrawLights() {
  PushGraphicsState();
  for (const Ref<TChainLights>& lamp : ChainLightsList) lamp->Draw();
  PopGraphicsState();
}

void TChainLights::Clear() {
  ChainLightsList.Clear();
  // Every lamp is freed with the list: the next chain numbers from 1 again.
  ChainLightsCount = 0;
}

void TChainLights::Free() {
  ChainLightsList.RemoveIf([this](const Ref<TChainLights>& lamp) { return lamp.get() == this; });
  int n = 0;
  for (const Ref<TChainLights>& lamp : ChainLightsList) lamp->ID = ++n;
  ChainLightsCount = n;
}

void TChainLights::Update() {
  if (ChainLightsStopping && static_cast<long long>(GameTime) > static_cast<long long>(ChainLightsStopTime) + 1000) {
    ChainLightsOn = 0;
    ON = 0;
    ChainLightsStopping = 0;
  }
  if (ChainLightsOn && static_cast<long long>(GameTime) > static_cast<long long>(updTime) + cycleTime) {
    ON = 1;
    updTime = GameTime + cycleTime;
  }
  if (ON)
    alpha += 0.8f;
  else
    alpha -= 0.02f;
  if (alpha >= 1.0f) {
    alpha = 1.0f;
    ON = 0;
  }
  if (alpha < 0.0f) alpha = 0.0f;
}

void TChainLights::Draw() {
  platform::SetAlpha(alpha);
  platform::SetRotation(static_cast<float>(angle));
  platform::DrawImage(ImageRedLamp, static_cast<float>(x), static_cast<float>(y));
}

}  // namespace kelp
