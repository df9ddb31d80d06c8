#pragma once
// The visual effects the physics engine starts. The engine knows nothing of
// emitters; the level's effects fill these hooks, tests record them.
#include <functional>

namespace kelp {

struct PhysicsEffectHooks {
  // A dust puff at (x, y): a dusty particle scraping a static.
  std::function<void(int x, int y, int mode)> SpawnDust;
};

// The hooks in use; empty ones do nothing.
extern PhysicsEffectHooks PhysicsEffects;

// Installs hooks and returns the previous ones.
PhysicsEffectHooks SetPhysicsEffectHooks(PhysicsEffectHooks hooks);

}  // namespace kelp
