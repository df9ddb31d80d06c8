#include "world/village_state.h"

#include "framework/media/particles.h"

namespace kelp {

Ref<TVillageState> VillageState;
int CurrentVillage = 1;

void TVillageState::AddEmitter(const Ref<TEmitter>& emitter) {
  if (emitter) Emitters.AddLast(emitter);
}

}  // namespace kelp
