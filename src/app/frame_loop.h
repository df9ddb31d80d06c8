#pragma once
// The frame loop: every pass calls the three hooks, then runs one frame that
// sets the game clock, waits for the 55 Hz tick, updates and draws the
// widgets, handles the screenshot key and flips. Also the pause while the
// window is not active, which keeps paused time out of the game clock, and
// the exit routine.
#include <functional>
#include <memory>
#include <string>

#include "platform/frame_timer.h"
#include "platform/image.h"

namespace kelp {

// Hooks; each default returns 0 at once.
using TLoopHook = std::function<int()>;
int DefaultLoopStartHook();
int DefaultLoopHook();
int DefaultCloseHook();
extern TLoopHook LoopStartHook;  // first in every pass
extern TLoopHook LoopHook;       // second in every pass
extern TLoopHook CloseHook;      // in a pass after the window was asked to close

extern std::unique_ptr<platform::FrameTimer> FrameTimer;  // 55 Hz
extern platform::ImageRef PauseImage;       // drawn instead of the widgets while paused
extern platform::ImageRef PauseBackground;  // drawn behind the pause overlay

// The main loop. Returns only when the program ends through EndProgram in a
// test, or after FrameLimit frames.
void RunApplication();
void UpdateFrame();
// A frame as UpdateFrame runs it but neither waiting for the tick nor drawing:
// the game clock, the mouse, the frame clock, the widgets' update and the
// events. For the headless runs that play faster than frames can be drawn
// (the campaign bot, the whole-campaign test), between drawn frames.
void UpdateFrameUndrawn();
// Closes the log and ends the process with the exit code.
void EndProgram(int code = 0);

int OnFocusChange();
int OnFrame();
int ExitGame();
void PauseOverlay(int entering);

// RunApplication returns after this many frames (tests and the headless run);
// -1 runs until the program ends.
extern int FrameLimit;
// Called by OnFrame with the number of the pass, from 0 (tests).
extern std::function<void(int pass)> FrameProbe;

// The window is active: it has the focus and is neither minimised nor hidden.
bool AppActive();

}  // namespace kelp
