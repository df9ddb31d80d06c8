#pragma once
// A villager of the desert or snow village: a small creature that hops
// between the village's buildings.
#include "framework/core/object.h"

namespace kelp {

class TVillageCreature : public Object {
 public:
  float jump_h = 0.0f;  // current hop height (negative = above the ground)
  float x = 0.0f, y = 0.0f;  // ground position in village pixels
};

}  // namespace kelp
