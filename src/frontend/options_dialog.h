#pragma once
// Opening the options dialog (TOptions, options.h), from the main menu or
// from the pause menu of a running level. Music volume, sound volume and
// mouse sensitivity apply as they move; the check boxes for full screen, wide
// screen and the game's own pointer apply on OK (the pointer at once). OK
// writes "options.dat"; Cancel, Escape and Credits put every option back as
// it was when the dialog opened. A full-screen or wide-screen change that
// depends on the layout chosen at start-up is announced and waits for the
// next start (the two pending flags below say so until it is undone).
// Opened from a level, Credits is locked and closing reopens the pause menu.
#include "framework/core/object.h"

namespace kelp {

class TOptions;

// inGame: 1 from the pause menu, 0 from the main menu.
Ref<TOptions> ShowOptions(int inGame);

extern int FullScreenChangePending;
extern int WideScreenChangePending;

}  // namespace kelp
