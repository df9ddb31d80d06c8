#pragma once
// The system's events: input, the window's focus and minimised state, close
// requests. Works without a window.

namespace platform {

// Handles every pending event, answers raise requests of a second instance
// and services the stream tick (frame_timer.h).
void PollEvents();

// The window has the keyboard focus (true when there is no window).
bool AppHasFocus();
bool AppMinimised();
// Minimised or hidden: nobody can see the game.
bool AppSuspended();
// The user asked to close the window or to quit; stays set until cleared.
bool CloseRequested();
void ClearCloseRequest();

// Test hooks: window-state events through the same path as the system's.
enum class AppEvent { FocusGained, FocusLost, Minimised, Restored, Hidden, Shown, CloseRequest };
void InjectAppEvent(AppEvent event);
// Back to focused, shown, no close request.
void ResetAppState();

}  // namespace platform
