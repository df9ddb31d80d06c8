#pragma once
// Connects the visual effects to the lower layers that call them without
// knowing them: the effects list's passes over the arcs and chain lights, and
// the physics engine's dust puffs. Start-up calls it once.
namespace kelp {

void InitEffectsHooks();

}  // namespace kelp
