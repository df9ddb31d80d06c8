#include "village/villager_smoke.h"

#include <algorithm>

#include "village/village.h"
#include "village/villager.h"
#include "world/resource_bindings.h"

namespace kelp {
namespace {

void Follow(const Ref<TEmitter>& e, float x, float y) {
  if (!e) return;
  e->x = x;
  e->y = y;
}

void SetDeath(const Ref<TEmitter>& e) {
  if (e) e->Death = 1;
}

}  // namespace

void TVillageEvilSmoke::Init(const Ref<TVillageCreature>& creature) {
  Creature = creature;
  const float x = creature ? creature->x : 0.0f;
  const float y = creature ? creature->y + creature->jump_h : 0.0f;
  Emitter = VillageEmitter(x, y, EffectSmoke02Village);
  Emitter2 = VillageEmitter(x, y, EffectSmoke01Village);
}

Ref<TVillageEvilSmoke> TVillageEvilSmoke::Create(const Ref<TVillageCreature>& creature) {
  auto s = New<TVillageEvilSmoke>();
  s->Init(creature);
  VisualsList.AddLast(s);
  return s;
}

void TVillageEvilSmoke::Update2() {
  const Ref<TVillageCreature> c = Creature.lock();
  if (!c) return;
  const float x = c->x, y = c->y + c->jump_h - 5.0f;
  Follow(Emitter, x, y);
  Follow(Emitter2, x, y);
  if (Emitter2) Emitter2->PositionParticles(x, y);
}

void TVillageEvilSmoke::Update(float dt) {
  if (!Creature.lock()) {
    Kill();
    return;
  }
  if (Emitter2 && Emitter2->GenSpeed < 30.0f) Emitter2->GenSpeed = std::min(30.0f, Emitter2->GenSpeed + 0.004f * dt);
}

void TVillageEvilSmoke::Kill() {
  SetDeath(Emitter);
  SetDeath(Emitter2);
  Death = 1;
}

void TVillageEvilSmoke::Pause(int flag) {
  if (Emitter) Emitter->Pause = flag;
  if (Emitter2) Emitter2->Pause = flag;
}

}  // namespace kelp
