#include "village/village.h"

namespace kelp {

TypedGlobal<TVillageMode, TVillageState> VillageScreen(VillageState);

int TVillageMode::Load(int island) {
  if (island == 0 || island == Island) return 0;
  Island = island;
  CurrentVillage = island;
  return 1;
}

}  // namespace kelp
