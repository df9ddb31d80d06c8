#pragma once
// A one-burst dust puff at a point, for the physics engine's dusty particles
// and the machinery. The puff goes to the level interface's emitter list.
namespace kelp {

// Nothing is made while kMostDustPuffs puffs are still going.
void SpawnDust(int x, int y, int mode);
extern const int kMostDustPuffs;

}  // namespace kelp
