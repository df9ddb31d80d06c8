#pragma once
// A one-burst dust puff at a point, for the physics engine's dusty particles
// and the machinery. The puff goes to the level interface's emitter list.
namespace kelp {

void SpawnDust(int x, int y, int mode);

}  // namespace kelp
