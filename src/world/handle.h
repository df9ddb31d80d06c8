#pragma once
// The crane claw at the end of its cable, steered by the player.
#include "framework/color.h"
#include "framework/object.h"

namespace kelp {

class TBlock;

class THandle : public Object {
 public:
  Ref<TColor> Color;           // the claw's tint: the colour of the next box
  WeakRef<TBlock> ElectroBlock;  // the box its arcs attach to
};

}  // namespace kelp
