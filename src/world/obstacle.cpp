#include "world/obstacle.h"

namespace kelp {

// No obstacles are made yet, so nothing can be hit.
void TObstacle::Hit(float, float, float, float) {}

}  // namespace kelp
