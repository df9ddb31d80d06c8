#include "platform/input.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>
#include <deque>
#include <string>
#include <utility>

#include "platform/event_internal.h"
#include "platform/sdl_internal.h"
#include "platform/window.h"

namespace platform {
namespace {

struct KeyState {
  bool down = false;
  int hits = 0;
};

constexpr int kButtons = 8;

struct InputState {
  std::array<KeyState, 256> keys{};
  std::array<KeyState, kButtons> buttons{};
  float x = 0.0f, y = 0.0f;
  int wheel = 0;
  bool relative = false;  // asked for; SDL's mode follows it while focused
  bool focused = true;
  bool in_window = true;
};

InputState g_input;
std::deque<KeyPress> g_presses;

// Every press and release of each button since the program started, and the
// counts at the last flush; the latches read them. Not part of InputState, so
// that a reset cannot make a latch see its counts run backwards.
struct ButtonHistory {
  uint64_t presses = 0, releases = 0;
  uint64_t flushed_presses = 0, flushed_releases = 0;
};
std::array<ButtonHistory, kButtons> g_history{};

// Pending presses and releases are forgotten: no latch will report them.
void ForgetButtonHistory() {
  for (ButtonHistory& h : g_history) {
    h.flushed_presses = h.presses;
    h.flushed_releases = h.releases;
  }
}

// Generic Shift, Ctrl and Alt follow their left and right keys.
int GenericOf(int vk) {
  if (vk >= VK_LSHIFT && vk <= VK_RMENU) return VK_SHIFT + (vk - VK_LSHIFT) / 2;
  return 0;
}

void Press(KeyState& k) {
  if (!k.down) {
    k.down = true;
    ++k.hits;
  }
}

bool ShiftHeld() { return g_input.keys[VK_LSHIFT].down || g_input.keys[VK_RSHIFT].down; }

// What an injected press types, as a US keyboard would.
std::string InjectedText(int vk) {
  const bool shift = ShiftHeld();
  if (vk >= 'A' && vk <= 'Z') return std::string(1, static_cast<char>(shift ? vk : vk - 'A' + 'a'));
  if (shift) return {};
  if (vk >= '0' && vk <= '9') return std::string(1, static_cast<char>(vk));
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return std::string(1, static_cast<char>('0' + vk - VK_NUMPAD0));
  return {};
}

void QueuePress(KeyPress press) {
  if (g_presses.size() >= kMaxKeyPresses) g_presses.pop_front();
  g_presses.push_back(std::move(press));
}

// The system sends a press's text right after the press: it belongs to the
// press only then.
bool g_text_awaited = false;

void KeyEvent(int vk, bool down, bool repeat) {
  g_text_awaited = false;
  if (vk <= 0 || vk > kMaxKey) return;
  if (repeat) {
    // Only a text box reads repeats: they add no hit.
    if (down) {
      QueuePress(KeyPress{vk, {}, true});
      g_text_awaited = true;
    }
    return;
  }
  KeyState& k = g_input.keys[vk];
  const int generic = GenericOf(vk);
  if (down) {
    // A key already held is not pressed again (a lost release).
    if (!k.down) {
      QueuePress(KeyPress{vk, {}, false});
      g_text_awaited = true;
    }
    Press(k);
    if (generic) Press(g_input.keys[generic]);
  } else {
    k.down = false;
    if (generic) {
      const int left = VK_LSHIFT + (generic - VK_SHIFT) * 2;
      g_input.keys[generic].down = g_input.keys[left].down || g_input.keys[left + 1].down;
    }
  }
}

void TextEvent(const std::string& text) {
  if (text.empty()) return;
  if (g_text_awaited && !g_presses.empty())
    g_presses.back().text += text;
  else
    QueuePress(KeyPress{0, text, false});
  g_text_awaited = false;
}

void ButtonEvent(int b, bool down) {
  if (b <= 0 || b >= kButtons) return;
  KeyState& s = g_input.buttons[b];
  if (down) {
    if (!s.down) ++g_history[b].presses;
    Press(s);
  } else {
    if (s.down) ++g_history[b].releases;
    s.down = false;
  }
}

// The canvas mapping is affine per axis: virtual = a * window + b.
void Mapping(float& ax, float& bx, float& ay, float& by) {
  float x0, y0, x1, y1;
  WindowToVirtual(0.0f, 0.0f, x0, y0);
  WindowToVirtual(1.0f, 1.0f, x1, y1);
  ax = x1 - x0;
  bx = x0;
  ay = y1 - y0;
  by = y0;
}

bool SdlRelativeActive() {
  return internal::Window() != nullptr && SDL_GetRelativeMouseMode() == SDL_TRUE;
}

}  // namespace

int KeyHit(int vk) {
  if (vk <= 0 || vk > kMaxKey) return 0;
  const int n = g_input.keys[vk].hits;
  g_input.keys[vk].hits = 0;
  return n;
}

bool KeyDown(int vk) { return vk > 0 && vk <= kMaxKey && g_input.keys[vk].down; }

bool AnyKeyDown() {
  for (int vk = 1; vk <= kMaxKey; ++vk) {
    if (g_input.keys[vk].down) return true;
  }
  return false;
}

void FlushKeys() {
  g_input.keys.fill(KeyState{});
  g_presses.clear();
  g_text_awaited = false;
}

std::vector<KeyPress> TakeKeyPresses() {
  std::vector<KeyPress> out(g_presses.begin(), g_presses.end());
  g_presses.clear();
  g_text_awaited = false;
  return out;
}

float MouseX() { return g_input.x; }
float MouseY() { return g_input.y; }

int MouseHit(int b) {
  if (b <= 0 || b >= kButtons) return 0;
  const int n = g_input.buttons[b].hits;
  g_input.buttons[b].hits = 0;
  return n;
}

bool MouseDown(int b) { return b > 0 && b < kButtons && g_input.buttons[b].down; }

int MouseWheel() {
  const int n = g_input.wheel;
  g_input.wheel = 0;
  return n;
}

ButtonLatch::ButtonLatch(int button) : button_(button) {
  if (button_ > 0 && button_ < kButtons) {
    presses_ = g_history[button_].presses;
    releases_ = g_history[button_].releases;
  }
}

ButtonChange ButtonLatch::Poll() {
  ButtonChange c;
  if (button_ <= 0 || button_ >= kButtons) return c;
  const ButtonHistory& h = g_history[button_];
  c.down = g_input.buttons[button_].down;
  c.presses = static_cast<int>(h.presses - std::max(presses_, h.flushed_presses));
  c.releases = static_cast<int>(h.releases - std::max(releases_, h.flushed_releases));
  presses_ = h.presses;
  releases_ = h.releases;
  return c;
}

void FlushMouse() {
  g_input.buttons.fill(KeyState{});
  ForgetButtonHistory();
  g_input.wheel = 0;
}

bool MouseInWindow() { return g_input.in_window; }

void MoveMouse(float x, float y) {
  g_input.x = x;
  g_input.y = y;
  SDL_Window* window = internal::Window();
  if (window == nullptr || SdlRelativeActive()) return;
  float ax, bx, ay, by;
  Mapping(ax, bx, ay, by);
  if (ax == 0.0f || ay == 0.0f) return;
  SDL_WarpMouseInWindow(window, static_cast<int>(std::lround((x - bx) / ax)),
                        static_cast<int>(std::lround((y - by) / ay)));
}

void SetRelativeMouse(bool on) {
  g_input.relative = on;
  internal::ApplyPointerState();
}

bool RelativeMouse() { return g_input.relative; }

void InjectKey(int vk, bool down, bool repeat) {
  KeyEvent(vk, down, repeat);
  if (down) TextEvent(InjectedText(vk));
}
void InjectMouseButton(int b, bool down) { ButtonEvent(b, down); }

void InjectMousePosition(float x, float y) {
  g_input.x = x;
  g_input.y = y;
}

void InjectMouseMotion(float dx, float dy) {
  g_input.x += dx;
  g_input.y += dy;
}

void InjectMouseWheel(int steps) { g_input.wheel += steps; }

void ResetInput() {
  g_input = InputState{};
  g_presses.clear();
  g_text_awaited = false;
  ForgetButtonHistory();
  internal::ApplyPointerState();
}

namespace internal {

int VirtualKeyFromSdl(SDL_Scancode scancode, SDL_Keycode keycode) {
  // Letters and digits follow the layout, as Windows' key codes do.
  if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + (keycode - SDLK_a);
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return '0' + (keycode - SDLK_0);
  // Layouts without Latin letters keep the letter codes of the key's position.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) return VK_F1 + (scancode - SDL_SCANCODE_F1);
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) return VK_NUMPAD0 + 1 + (scancode - SDL_SCANCODE_KP_1);
  switch (scancode) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_KP_0: return VK_NUMPAD0;
    case SDL_SCANCODE_BACKSPACE: return VK_BACK;
    case SDL_SCANCODE_TAB: return VK_TAB;
    case SDL_SCANCODE_RETURN: return VK_RETURN;
    case SDL_SCANCODE_RETURN2: return VK_RETURN;
    case SDL_SCANCODE_KP_ENTER: return VK_RETURN;
    case SDL_SCANCODE_PAUSE: return 19;
    case SDL_SCANCODE_CAPSLOCK: return 20;
    case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
    case SDL_SCANCODE_SPACE: return VK_SPACE;
    case SDL_SCANCODE_PAGEUP: return VK_PRIOR;
    case SDL_SCANCODE_PAGEDOWN: return VK_NEXT;
    case SDL_SCANCODE_END: return VK_END;
    case SDL_SCANCODE_HOME: return VK_HOME;
    case SDL_SCANCODE_LEFT: return VK_LEFT;
    case SDL_SCANCODE_UP: return VK_UP;
    case SDL_SCANCODE_RIGHT: return VK_RIGHT;
    case SDL_SCANCODE_DOWN: return VK_DOWN;
    case SDL_SCANCODE_PRINTSCREEN: return 44;
    case SDL_SCANCODE_INSERT: return VK_INSERT;
    case SDL_SCANCODE_DELETE: return VK_DELETE;
    case SDL_SCANCODE_LGUI: return 91;
    case SDL_SCANCODE_RGUI: return 92;
    case SDL_SCANCODE_APPLICATION: return 93;
    case SDL_SCANCODE_KP_MULTIPLY: return VK_MULTIPLY;
    case SDL_SCANCODE_KP_PLUS: return VK_ADD;
    case SDL_SCANCODE_KP_MINUS: return VK_SUBTRACT;
    case SDL_SCANCODE_KP_PERIOD: return VK_DECIMAL;
    case SDL_SCANCODE_KP_DIVIDE: return VK_DIVIDE;
    case SDL_SCANCODE_NUMLOCKCLEAR: return 144;
    case SDL_SCANCODE_SCROLLLOCK: return 145;
    case SDL_SCANCODE_LSHIFT: return VK_LSHIFT;
    case SDL_SCANCODE_RSHIFT: return VK_RSHIFT;
    case SDL_SCANCODE_LCTRL: return VK_LCONTROL;
    case SDL_SCANCODE_RCTRL: return VK_RCONTROL;
    case SDL_SCANCODE_LALT: return VK_LMENU;
    case SDL_SCANCODE_RALT: return VK_RMENU;
    case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
    case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
    case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
    case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
    case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return VK_OEM_2;
    default: return 0;
  }
}

int GameButtonFromSdl(int sdl_button) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    case SDL_BUTTON_X1: return 4;
    case SDL_BUTTON_X2: return 5;
    default: return 0;
  }
}

void HandleInputEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      KeyEvent(VirtualKeyFromSdl(event.key.keysym.scancode, event.key.keysym.sym), event.type == SDL_KEYDOWN,
               event.key.repeat != 0);
      break;
    case SDL_TEXTINPUT:
      TextEvent(event.text.text);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.which == SDL_TOUCH_MOUSEID) break;
      ButtonEvent(GameButtonFromSdl(event.button.button), event.type == SDL_MOUSEBUTTONDOWN);
      break;
    case SDL_MOUSEMOTION: {
      if (event.motion.which == SDL_TOUCH_MOUSEID) break;
      float ax, bx, ay, by;
      Mapping(ax, bx, ay, by);
      if (SdlRelativeActive()) {
        g_input.x += ax * static_cast<float>(event.motion.xrel);
        g_input.y += ay * static_cast<float>(event.motion.yrel);
      } else {
        g_input.x = ax * static_cast<float>(event.motion.x) + bx;
        g_input.y = ay * static_cast<float>(event.motion.y) + by;
      }
      break;
    }
    case SDL_MOUSEWHEEL: {
      const int steps = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      g_input.wheel += steps;
      break;
    }
    default:
      break;
  }
}

void OnFocusChange(bool focused) {
  g_input.focused = focused;
  // The releases of keys held while the focus goes elsewhere never reach us.
  if (!focused) {
    for (KeyState& k : g_input.keys) k.down = false;
    for (size_t b = 0; b < g_input.buttons.size(); ++b) {
      if (g_input.buttons[b].down) ++g_history[b].releases;
      g_input.buttons[b].down = false;
    }
  }
  ApplyPointerState();
}

void OnMouseInWindow(bool inside) { g_input.in_window = inside; }

void ApplyPointerState() {
  if (internal::Window() == nullptr) return;
  const SDL_bool want = (g_input.relative && g_input.focused) ? SDL_TRUE : SDL_FALSE;
  if (SDL_GetRelativeMouseMode() != want) SDL_SetRelativeMouseMode(want);
}

}  // namespace internal
}  // namespace platform
