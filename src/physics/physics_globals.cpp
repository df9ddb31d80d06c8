#include "physics/physics_globals.h"

#include "physics/effects_hook.h"

namespace kelp {

void ResetPhysicsGlobals() { PhysicsEffects = PhysicsEffectHooks{}; }

}  // namespace kelp
