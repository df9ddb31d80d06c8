#pragma once
// The level's physical world: its physics engine, moving floor and water.
// One object lives for the whole run; the level loader fills it.
#include "framework/object.h"

namespace kelp {

class TPhysEngine;
class TPhysEngine_Group;
class TPhysEngine_Particle;
class TFloor;
class TWater;

class TWorld : public Object {
 public:
  TWorld();
  Ref<TPhysEngine> Physics;
  float CreaturesToRelease = 0.0f;
  int CriticalLine = 0;
  Ref<TPhysEngine_Group> Rope;
  Ref<TPhysEngine_Group> Mill;
  Ref<TPhysEngine_Particle> Center, UpLeft;
  Ref<TFloor> MovingFloor;
  Ref<TWater> Water;
};

extern Ref<TWorld> World;

}  // namespace kelp
