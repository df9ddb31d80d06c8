#include "world/world.h"

#include "physics/engine.h"

namespace kelp {

Ref<TWorld> World;

TWorld::TWorld() : Physics(New<TPhysEngine>()) {}

}  // namespace kelp
