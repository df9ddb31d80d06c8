#include "world/effects/dust.h"

#include "framework/media/particles.h"
#include "world/game_interface.h"
#include "world/resource_bindings.h"

namespace kelp {

void SpawnDust(int x, int y, int mode) {
  // The interface is hidden while other screens run their own physics (the
  // comic); nothing would update or show the puff there, so it is not made.
  if (!GameInterface || !GameInterface->Visible) return;
  Ref<TEmitter> emitter = TEmitter::Create(static_cast<float>(x), static_cast<float>(y), EffectDust, mode);
  emitter->cut();
  GameInterface->AddEmitter(emitter);
}

}  // namespace kelp
