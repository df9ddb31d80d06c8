#pragma once
// The look of the system pointer: shown or hidden, and which standard cursor.

namespace platform {

// Standard cursors by their Windows ids.
enum SystemCursorId : int {
  CURSOR_ARROW = 32512, CURSOR_WAIT = 32514, CURSOR_NO = 32648, CURSOR_HAND = 32649,
};

void ShowPointer();
void HidePointer();
bool PointerShown();

// Sets the system pointer's cursor (an unknown id gives the arrow). Kept
// when no window is open and applied once there is one.
void SetSystemCursor(int id);
int SystemCursor();

}  // namespace platform
