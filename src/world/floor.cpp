#include "world/floor.h"

#include <algorithm>

#include "framework/frame_clock.h"

namespace kelp {

void TFloor::SlowDown(float sdx, float sdy) {
  Slow = 1;
  dx = sdx;
  dy = std::max(dy, sdy);
  SlowStartTime = GameTime;
}

}  // namespace kelp
