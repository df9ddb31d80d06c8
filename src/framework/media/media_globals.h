#pragma once
// Puts every global of the media room back to its start value: the current
// font, the canvas placement and screen shake, the screen fade, the drawing
// state stack, the particle glow, a fresh resource manager, sounds and music
// (and the test mixer let go), the effects list and its hooks, and the polygon
// animations. For tests, before and after each case.
namespace kelp {

void ResetMediaGlobals();

}  // namespace kelp
