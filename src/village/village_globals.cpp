#include "village/village_globals.h"

#include "village/trophy_room.h"
#include "village/village.h"

namespace kelp {

void ResetVillageGlobals() {
  VillageScreen = nullptr;
  TrophyRoomScreen = nullptr;
}

}  // namespace kelp
