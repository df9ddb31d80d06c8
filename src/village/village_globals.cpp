#include "village/village_globals.h"

#include "village/nodes.h"
#include "village/path_search.h"
#include "village/story_links.h"
#include "village/trophy.h"
#include "village/trophy_room.h"
#include "village/upgrade.h"
#include "village/village.h"
#include "village/villager.h"
#include "village/walkability.h"

namespace kelp {

void ResetVillageGlobals() {
  // Villagers first: they point at buildings and nodes, never the reverse.
  TVillageCreature::Clear();
  VillagerSprites.Clear();
  LastInfectionTime = 0;
  LastHuntTime = 0;
  TUpgrade::Clear();
  FinishedBuildCount = 0;
  TNode::Clear();
  TPath::Clear();
  WalkabilityMap = nullptr;
  VillageStory = TVillageStoryLinks{};
  VillageDialogActive = 0;
  TrophyImageShown = 0;
  TTrophy::Clear();
  VillageScreen = nullptr;
  TrophyRoomScreen = nullptr;
}

}  // namespace kelp
