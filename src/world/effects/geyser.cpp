#include "world/effects/geyser.h"

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "world/village_state.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

void HandToVillage(const Ref<TEmitter>& emitter) {
  if (VillageState) VillageState->AddEmitter(emitter);
}

}  // namespace

int TGeysir::NewGenTime() { return (Rand(0, 1) == 0 ? Rand(10, 20) : Rand(30, 60)) * 1000; }

Ref<TGeysir> TGeysir::Create(float x, float y) {
  auto g = New<TGeysir>();
  g->x = x;
  g->y = y;
  g->Effect = TEmitter::Create(x, y, EffectGeysir01, 0);
  g->Effect->Pause = 1;
  g->UpdTime = GameTime;
  g->GenTime = NewGenTime();
  g->LifeTime = Rand(1500, 2000);
  HandToVillage(g->Effect);
  VisualsList.AddLast(g);
  return g;
}

void TGeysir::Update(float) {
  if (!Effect) return;  // removed
  if (!Effect->Pause && GameTime > UpdTime + LifeTime) {
    LifeTime = Rand(1500, 2000);
    Effect->Pause = 1;
    UpdTime = GameTime;
  }
  if (Effect->Pause && GameTime > UpdTime + GenTime) {
    UpdTime = GameTime;
    GenTime = NewGenTime();
    Effect->Pause = 0;
    HandToVillage(TEmitter::Create(x, y, EffectGeysir02, 0));
  }
}

void TGeysir::Remove() {
  Death = 1;
  if (Effect) Effect->GenerationStop = 1;
  Effect.reset();
}

}  // namespace kelp
