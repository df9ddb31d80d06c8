#include "world/game_interface.h"

#include <string>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/media/visuals.h"
#include "platform/graphics_state.h"
#include "world/effects/counters.h"
#include "world/effects/flash.h"

namespace kelp {

Ref<TGameInterface> GameInterface;

namespace {

// A firework where a salute particle ended: an emitter of the particle's
// burst effect in a random colour (given to the shared description) and a
// white flash.
void Burst(TGameInterface& gui, const TParticle& p) {
  Ref<TEffect> effect = ResManager ? ResManager->GetEffect(p.SaluteEmitter) : nullptr;
  if (effect) {
    const int r = Rand(80, 220), g = Rand(80, 220), b = Rand(80, 220);
    if (!effect->Color) effect->Color = CreateColor(0, 0, 0);
    effect->Color->StartColor(r, g, b, effect->alpha[0]);
    effect->Color->EndColor(r, g, b, effect->alpha[1]);
    gui.AddEmitter(TEmitter::Create(p.x, p.y, effect, 0));
  }
  TFlash::CreateFlash(Int(p.x), Int(p.y), 2.0f, 0.2f, ColorWhite, 12.0f, 0);
}

}  // namespace

void TGameInterface::AddEmitter(const Ref<TEmitter>& emitter) {
  if (emitter) Emitters.AddLast(emitter);
}

int TGameInterface::Update(float dt) {
  for (auto it = Emitters.begin(); it != Emitters.end(); ++it) {
    const Ref<TEmitter> emitter = *it;
    for (const Ref<TParticle>& p : emitter->Particles) {
      if (p->Salute && !p->Hidden && static_cast<long long>(GameTime) > static_cast<long long>(p->TimeStart) + p->Lifetime)
        Burst(*this, *p);
    }
    emitter->Update(dt);
    if (emitter->Death) it.link().Remove();
  }
  return 0;
}

int TGameInterface::Draw() {
  PushGraphicsState();
  SetGameViewport();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  if (Points) Points->Draw();
  if (Money) Money->Draw();
  for (const Ref<TEmitter>& emitter : Emitters)
    if (emitter->DrawUnder == 0) emitter->Draw(1.0f);
  TVisuals::DrawVisuals_Under();
  TVisuals::DrawVisuals();
  TVisuals::DrawVisuals_Over();
  PopGraphicsState();
  return 0;
}

int TGameInterface::AddedToManager() { return 0; }

int TGameInterface::RemovedFromManager() {
  Emitters.Clear();
  Points = nullptr;
  Money = nullptr;
  return 0;
}

int TGameInterface::SetHided(int flag) {
  if (flag) {
    Emitters.Clear();
    TVisuals::ClearVisuals();
  }
  return TWidget::SetHided(flag);
}

int TGameInterface::Pause(int) { return 0; }

}  // namespace kelp
