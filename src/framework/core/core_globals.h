#pragma once
// Puts every global of the framework's core back to its start value: the
// clocks and pause state, the frame clock (null until InitFrameClock), the
// start-up settings, the shared colours, the random generator's seed and the
// debug-output hook. Tests call it before and after each case; each room has
// one such reset for its own globals and none touches another room's.
namespace kelp {

void ResetCoreGlobals();

}  // namespace kelp
