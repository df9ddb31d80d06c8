#pragma once
// Puts every global of the effects room back to its start value: the arcs
// and the chain lamps with their state, the cloud bounds, the second fade's
// size and the box-part pictures. The world's reset calls it; the effects
// list itself is the media room's.
namespace kelp {

void ResetEffectsGlobals();

}  // namespace kelp
