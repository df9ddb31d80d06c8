#pragma once
// Puts the physics room's one global, the effect hooks, back to its start
// value (empty). For tests, before and after each case.
namespace kelp {

void ResetPhysicsGlobals();

}  // namespace kelp
