#pragma once
// Puts every global of the widget room back to its start value: a fresh
// widget manager, no mouse, the mouse settings, the fonts and picture the game
// binds for the widgets, and the hooks the game fills (frame update, click
// sound, profile names, user options). For tests, before and after each case.
namespace kelp {

void ResetUiGlobals();

}  // namespace kelp
