#include "world/obstacle.h"

namespace kelp {

// No obstacles are made yet, so there is nothing to build, draw or hit.
void TObstacle::Load() {}
void TObstacle::Clear() {}
void TObstacle::Draw(int) {}
void TObstacle::Hit(float, float, float, float) {}

}  // namespace kelp
