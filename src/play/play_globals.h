#pragma once
// Puts every global of the running level back to its start value: the level
// screen and its links, the player (emptying the world's GameState and
// PlayerState, the same references), the in-game interface, the red line, the
// goal gauge, the tutorial hint, the dialog texts and the speakers' places.
// For tests, before and after each case.
namespace kelp {

void ResetPlayGlobals();

}  // namespace kelp
