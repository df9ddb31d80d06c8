#pragma once
// Puts every global of the level world back to its start value: the boxes
// and their level-wide state, the trolleys, bricks, pushers, obstacles, world
// pictures and path, the world itself, the level and its links, the state
// objects the layers above fill (GameState, PlayerState, VillageState, which
// empties GameScreen, Player and VillageScreen too), the level interface, the
// box colours and pictures, every global the binding tables fill, and the
// effects room's globals. Bodies are taken out of their engine before the
// world goes. For tests, before and after each case; the media room's effects
// list is reset by the media room.
namespace kelp {

void ResetWorldGlobals();

}  // namespace kelp
