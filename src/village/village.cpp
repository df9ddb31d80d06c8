#include "village/village.h"

#include "framework/media/particles.h"

namespace kelp {

Ref<TVillageMode> VillageScreen;
int CurrentVillage = 1;

void TVillageMode::AddEmitter(const Ref<TEmitter>& emitter) {
  if (emitter) Emitters.AddLast(emitter);
}

int TVillageMode::Load(int island) {
  if (island == 0 || island == Island) return 0;
  Island = island;
  CurrentVillage = island;
  return 1;
}

}  // namespace kelp
