#pragma once
// Keyboard and mouse as the game reads them: keys by Windows virtual-key code
// (1..191), mouse buttons 1 left, 2 right, 3 middle, the pointer in virtual
// coordinates. Events arrive through PollEvents (events.h).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/cursor.h"

namespace platform {

// Key codes the game names; the others follow the Windows virtual-key table.
enum VirtualKey : int {
  VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
  VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36,
  VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46,
  VK_NUMPAD0 = 96, VK_MULTIPLY = 106, VK_ADD = 107, VK_SUBTRACT = 109, VK_DECIMAL = 110,
  VK_DIVIDE = 111, VK_F1 = 112, VK_F12 = 123, VK_LSHIFT = 160, VK_RSHIFT = 161,
  VK_LCONTROL = 162, VK_RCONTROL = 163, VK_LMENU = 164, VK_RMENU = 165,
  VK_OEM_1 = 186, VK_OEM_PLUS = 187, VK_OEM_COMMA = 188, VK_OEM_MINUS = 189,
  VK_OEM_PERIOD = 190, VK_OEM_2 = 191,
};
constexpr int kMaxKey = 191;

// Presses of the key since the last KeyHit of that key (read and cleared);
// auto-repeat adds none.
int KeyHit(int vk);
bool KeyDown(int vk);
// Any key 1..191 held.
bool AnyKeyDown();
// Clears every key's hit count and held state, and the queue of presses.
void FlushKeys();

// One press of a key, in the order the presses came, with the text the
// system typed with it (UTF-8; empty for keys that type nothing). A text
// input method's text that came with no press has `vk` 0.
struct KeyPress {
  int vk = 0;
  std::string text;
  // The system's auto-repeat of a held key. Two quick presses of one key
  // can come as a press and a repeat, so a text box types repeats too.
  bool repeat = false;
};
// The presses since the last call (read and cleared), oldest first, however
// many came within one frame. Holds the latest kMaxKeyPresses when nobody
// reads them.
std::vector<KeyPress> TakeKeyPresses();
constexpr size_t kMaxKeyPresses = 64;

// The pointer in virtual coordinates.
float MouseX();
float MouseY();
// Presses of button b (1 left, 2 right, 3 middle) since its last MouseHit.
int MouseHit(int b);
// Held now. A reader that polls once a frame needs a ButtonLatch as well: a
// press and its release between two frames leave the button up.
bool MouseDown(int b);

// What a button did between two polls of one latch.
struct ButtonChange {
  bool down = false;  // held now
  int presses = 0;    // since the latch's previous poll
  int releases = 0;   // the same; losing the focus releases a held button
};

// One reader's view of a button: everything it did since this reader last
// looked, so that a quick click (pressed and released between two frames)
// is still a click. Each reader keeps its own latch and polls it once a
// frame; readers disturb neither each other nor MouseHit. A new latch starts
// from now; FlushMouse and ResetInput drop what no latch has polled yet.
class ButtonLatch {
 public:
  explicit ButtonLatch(int button);
  ButtonChange Poll();

 private:
  int button_;
  uint64_t presses_ = 0, releases_ = 0;  // the button's counts at the last poll
};
// Wheel steps since the last call (away from the user is positive).
int MouseWheel();
// Clears button hits, held state and wheel steps.
void FlushMouse();
// False while the system pointer is outside the window.
bool MouseInWindow();

// Puts the pointer at a virtual position. In relative mode only the position
// the game reads changes: the system pointer stays where it is.
void MoveMouse(float x, float y);

// Relative mode, for the game's own cursor: while on and the window has the
// focus, the system pointer is captured and each motion moves the virtual
// position by the motion scaled through the canvas mapping, without clamping.
// Warping the pointer back to a centre is then never needed (it fails under
// Wayland): read the position, then MoveMouse to the centre.
void SetRelativeMouse(bool on);
bool RelativeMouse();

// Test hooks: synthetic input through the same path as the system's events.
// An injected press (or repeat) of a letter or digit key types as a US
// keyboard would, Shift as the injected Shift keys hold it; other keys type
// nothing.
void InjectKey(int vk, bool down, bool repeat = false);
void InjectMouseButton(int b, bool down);
void InjectMousePosition(float x, float y);  // absolute, virtual
void InjectMouseMotion(float dx, float dy);  // relative, virtual
void InjectMouseWheel(int steps);
// Forgets every key, button, position and mode (between tests).
void ResetInput();

}  // namespace platform
