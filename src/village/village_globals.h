#pragma once
// Puts the village room's globals back to their start values: no village
// screen (which empties the world's VillageState, the same reference), no
// trophy room, no trophies, no villagers or their sized pictures, buildings, waypoints or walkability
// map, no dialog or award on screen, and empty story links. For tests, before and after each case.
namespace kelp {

void ResetVillageGlobals();

}  // namespace kelp
