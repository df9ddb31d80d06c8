#pragma once
// Between the platform's event pump and the state it feeds (input, cursor,
// single instance); never included by game code.
#include <SDL.h>

namespace platform::internal {

// The game's key code for an SDL key: letters and digits by the character
// the user's layout gives the key, everything else by the key's position.
// 0 for keys the game has no code for.
int VirtualKeyFromSdl(SDL_Scancode scancode, SDL_Keycode keycode);
// SDL numbers buttons 1 left, 2 middle, 3 right; the game 1 left, 2 right, 3 middle.
int GameButtonFromSdl(int sdl_button);

// Keyboard, mouse button, motion and wheel events.
void HandleInputEvent(const SDL_Event& event);
// Focus changes release held keys and buttons and switch relative mode.
void OnFocusChange(bool focused);
void OnMouseInWindow(bool inside);
// Brings SDL's relative mode and the pointer's look in line with what was
// asked, once a window exists.
void ApplyPointerState();
void ApplyCursorState();

// Answers the raise requests of a second start of the program.
void ServiceSingleInstance();

}  // namespace platform::internal
