#include "world/effects/dust.h"

#include "framework/media/particles.h"
#include "world/game_interface.h"
#include "world/resource_bindings.h"

namespace kelp {

const int kMostDustPuffs = 24;

void SpawnDust(int x, int y, int mode) {
  // The interface is hidden while other screens run their own physics (the
  // comic); nothing would update or show the puff there, so it is not made.
  if (!GameInterface || !GameInterface->Visible) return;
  // Boxes pressed against the walls scrape every frame; past a few dozen
  // puffs at once more dust shows nothing new and only costs drawing time.
  int puffs = 0;
  for (const auto& e : GameInterface->Emitters)
    if (e->Config == EffectDust && !e->Death && ++puffs >= kMostDustPuffs) return;
  Ref<TEmitter> emitter = TEmitter::Create(static_cast<float>(x), static_cast<float>(y), EffectDust, mode);
  emitter->cut();
  GameInterface->AddEmitter(emitter);
}

}  // namespace kelp
