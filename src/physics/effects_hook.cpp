#include "physics/effects_hook.h"

#include <utility>

namespace kelp {

PhysicsEffectHooks PhysicsEffects;

PhysicsEffectHooks SetPhysicsEffectHooks(PhysicsEffectHooks hooks) {
  std::swap(PhysicsEffects, hooks);
  return hooks;
}

}  // namespace kelp
