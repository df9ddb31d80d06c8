#pragma once
// The black smoke over a villager that a parasite has taken: it follows the
// villager's hops and thickens, and ends when the villager is gone.
#include "framework/media/particles.h"
#include "framework/media/visuals.h"

namespace kelp {

class TVillageCreature;

class TVillageEvilSmoke : public TVisuals {
 public:
  WeakRef<TVillageCreature> Creature;
  Ref<TEmitter> Emitter;   // "EFFECT_SMOKE02_VILLAGE"
  Ref<TEmitter> Emitter2;  // "EFFECT_SMOKE01_VILLAGE"

  void Init(const Ref<TVillageCreature>& creature);
  void Update2();
  void Update(float dt) override;
  void Kill();
  void Pause(int flag);
  void Draw() override {}
  static Ref<TVillageEvilSmoke> Create(const Ref<TVillageCreature>& creature);
};

}  // namespace kelp
