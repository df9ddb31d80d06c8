#include "world/game_interface.h"

#include <functional>
#include <string>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/media/visuals.h"
#include "platform/graphics_state.h"
#include "world/effects/counters.h"
#include "world/effects/flash.h"
#include "world/game_state.h"
#include "world/level.h"
#include "world/player_state.h"

namespace kelp {

Ref<TGameInterface> GameInterface;

namespace {

// A firework where a salute particle ended: an emitter of the particle's
// burst effect in a random colour (given to the shared description) and a
// white flash.
void Burst(const TParticle& p, const std::function<void(const Ref<TEmitter>&)>& add) {
  Ref<TEffect> effect = ResManager ? ResManager->GetEffect(p.SaluteEmitter) : nullptr;
  if (effect) {
    const int r = Rand(80, 220), g = Rand(80, 220), b = Rand(80, 220);
    if (!effect->Color) effect->Color = CreateColor(0, 0, 0);
    effect->Color->StartColor(r, g, b, effect->alpha[0]);
    effect->Color->EndColor(r, g, b, effect->alpha[1]);
    add(TEmitter::Create(p.x, p.y, effect, 0));
  }
  TFlash::CreateFlash(Int(p.x), Int(p.y), 2.0f, 0.2f, ColorWhite, 12.0f, 0);
}

}  // namespace

void TGameInterface::AddEmitter(const Ref<TEmitter>& emitter) {
  if (emitter) Emitters.AddLast(emitter);
}

namespace {

// The counter shows a change by counting from the old value: while the value
// stands still the start follows it, so a change keeps the old start.
void Follow(const Ref<TCount>& counter, int value) {
  if (!counter) return;
  if (counter->TargetAmmount == value) counter->StartAmmount = value;
  counter->TargetAmmount = value;
}

void Show(const Ref<TCount>& counter, int value) {
  if (!counter) return;
  counter->Ammount = static_cast<float>(value);
  counter->TargetAmmount = value;
  counter->StartAmmount = value;
}

}  // namespace

int TGameInterface::AddedToManager() {
  if (LevelLinks.InitLevelFrame) LevelLinks.InitLevelFrame();
  const int scores = PlayerState ? PlayerState->scores : 0;
  const int money = PlayerState ? PlayerState->money : 0;
  Font = ResManager ? ResManager->GetBMFont("FONT_SCORES") : nullptr;
  Points = TCount::CreateCount(110, 116, scores, scores, Font, 1, 1, 0, 0);
  Points->started = 1;
  Points->Constant = 1;
  Money = TCount::CreateCount(110, 148, money, money, Font, 5, 1, 0, 0);
  Money->started = 0;
  Money->Constant = 1;
  if (LevelLinks.MakeGaugeBubbles) LevelLinks.MakeGaugeBubbles(1);
  return 0;
}

int TGameInterface::Update(float dt) {
  if (PlayerState) {
    Follow(Points, PlayerState->scores);
    Follow(Money, PlayerState->money);
  }
  StepEmitters(Emitters, dt, [this](const Ref<TEmitter>& e) { AddEmitter(e); });
  return 0;
}

int StepEmitters(ObjectList<TEmitter>& emitters, float dt, const std::function<void(const Ref<TEmitter>&)>& add) {
  int particles = 0;
  for (auto it = emitters.begin(); it != emitters.end(); ++it) {
    const Ref<TEmitter> emitter = *it;
    for (const Ref<TParticle>& p : emitter->Particles) {
      ++particles;
      if (p->Salute && !p->Hidden && static_cast<long long>(GameTime) > static_cast<long long>(p->TimeStart) + p->Lifetime)
        Burst(*p, add);
    }
    emitter->Update(dt);
    if (emitter->Death) it.link().Remove();
  }
  return particles;
}

int TGameInterface::Draw() {
  PushGraphicsState();
  SetGameViewport();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  if (Points) Points->Draw();
  if (Money) Money->Draw();
  if (GameState && Font) {
    SetBMFont(Font);
    const int number = GameState->CustomLevel == 0 ? GameState->Stage : GameState->Level;
    DrawBMText(std::to_string(number), 110, 86);
  }
  for (const Ref<TEmitter>& emitter : Emitters)
    if (emitter->DrawUnder == 0) emitter->Draw(1.0f);
  TVisuals::DrawVisuals_Under();
  TVisuals::DrawVisuals();
  TVisuals::DrawVisuals_Over();
  PopGraphicsState();
  return 0;
}

int TGameInterface::RemovedFromManager() {
  Emitters.Clear();
  // The counters are kept through every clear of the effects; they go with the interface.
  if (Points) Points->Death = 1;
  if (Money) Money->Death = 1;
  Points = nullptr;
  Money = nullptr;
  return 0;
}

int TGameInterface::SetHided(int flag) {
  if (flag) {
    if (LevelLinks.DropGaugeBubbles) LevelLinks.DropGaugeBubbles();
    Emitters.Clear();
    TVisuals::ClearVisuals();
  } else {
    if (LevelLinks.MakeGaugeBubbles) LevelLinks.MakeGaugeBubbles(0);
    if (PlayerState) {
      Show(Points, PlayerState->scores);
      Show(Money, PlayerState->money);
    }
  }
  return TWidget::SetHided(flag);
}

int TGameInterface::Pause(int) { return 0; }

}  // namespace kelp
