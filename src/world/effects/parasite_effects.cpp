#include "world/effects/parasite_effects.h"

#include <algorithm>

#include "world/game_state.h"
#include "world/game_interface.h"
#include "world/block.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

bool LevelPaused() { return GameState && GameState->Paused; }

void ToInterface(const Ref<TEmitter>& e) {
  if (GameInterface) GameInterface->AddEmitter(e);
}

void Follow(const Ref<TEmitter>& e, float x, float y) {
  if (!e) return;
  e->x = x;
  e->y = y;
}

void SetDeath(const Ref<TEmitter>& e) {
  if (e) e->Death = 1;
}

// A box that is gone, or deleted, has nothing left to smoke on.
Ref<TBlock> LiveBox(const WeakRef<TBlock>& weak) {
  Ref<TBlock> b = weak.lock();
  return b && !b->Deleted() ? b : nullptr;
}

// Pauses every effect of kind T while the level is paused; on resume only
// those that were not paused by their owner go on.
template <class T>
void PauseAllWithLevel() {
  const bool paused = LevelPaused();
  for (const auto& v : VisualsList) {
    auto s = As<T>(v);
    if (!s) continue;
    if (paused) s->Pause(1);
    else if (s->Paused == 0) s->Pause(0);
  }
}

// A box's effect starts paused when the level is paused.
template <class T>
Ref<T> StartOnBox(const Ref<TBlock>& block) {
  auto s = New<T>();
  s->Init(block);
  if (LevelPaused()) s->Pause(1);
  VisualsList.AddLast(s);
  return s;
}

}  // namespace

// ------------------------------------------------------------ TEvilSmoke

void TEvilSmoke::GamePause() { PauseAllWithLevel<TEvilSmoke>(); }

void TEvilSmoke::Init(const Ref<TBlock>& block) {
  Block = block;
  const float x = block ? block->RenderX : 0.0f, y = block ? block->RenderY : 0.0f;
  Emitter = TEmitter::Create(x, y, EffectSmoke02, 0);
  Emitter2 = TEmitter::Create(x, y, EffectSmoke01, 0);
  ToInterface(Emitter);
  ToInterface(Emitter2);
  Emitter->cut();
}

Ref<TEvilSmoke> TEvilSmoke::Create(const Ref<TBlock>& block) { return StartOnBox<TEvilSmoke>(block); }

void TEvilSmoke::Update2() {
  const Ref<TBlock> b = LiveBox(Block);
  if (!b) return;
  Follow(Emitter, b->RenderX, b->RenderY);
  Follow(Emitter2, b->RenderX, b->RenderY);
  if (Emitter2) Emitter2->PositionParticles(b->RenderX, b->RenderY);
}

void TEvilSmoke::Update(float dt) {
  if (!LiveBox(Block)) {
    Kill();
    return;
  }
  if (LevelPaused() || !Emitter2) return;
  if (Emitter2->GenSpeed < 30.0f) Emitter2->GenSpeed = std::min(30.0f, Emitter2->GenSpeed + 0.006f * dt);
}

void TEvilSmoke::Kill() {
  SetDeath(Emitter);
  SetDeath(Emitter2);
  Death = 1;
}

void TEvilSmoke::Pause(int flag) {
  if (flag == 0 && LevelPaused()) return;
  if (Emitter) Emitter->Pause = flag;
  if (Emitter2) Emitter2->Pause = flag;
  Paused = flag;
}

// --------------------------------------------------------- TFreezeEffect

void TFreezeEffect::GamePause() { PauseAllWithLevel<TFreezeEffect>(); }

void TFreezeEffect::Init(const Ref<TBlock>& block) {
  Block = block;
  const float x = block ? block->RenderX : 0.0f, y = block ? block->RenderY : 0.0f;
  Emitter = TEmitter::Create(x, y, EffectFreeze02, 0);
  ToInterface(Emitter);
}

Ref<TFreezeEffect> TFreezeEffect::Create(const Ref<TBlock>& block) { return StartOnBox<TFreezeEffect>(block); }

void TFreezeEffect::Update2() {
  const Ref<TBlock> b = LiveBox(Block);
  if (!b || !Emitter) return;
  Follow(Emitter, b->RenderX, b->RenderY);
  Emitter->PositionParticles(b->RenderX, b->RenderY);
}

void TFreezeEffect::Update(float dt) {
  if (!LiveBox(Block)) {
    Kill();
    return;
  }
  if (LevelPaused() || !Emitter) return;
  if (Emitter->GenSpeed < 100.0f) Emitter->GenSpeed = std::min(100.0f, Emitter->GenSpeed + 0.01f * dt);
}

void TFreezeEffect::Kill() {
  SetDeath(Emitter);
  Death = 1;
}

void TFreezeEffect::Pause(int flag) {
  if (flag == 0 && LevelPaused()) return;
  if (Emitter) Emitter->Pause = flag;
  Paused = flag;
}

}  // namespace kelp
