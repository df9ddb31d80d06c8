#pragma once
// Shared between the platform's own files only: never included by game code.
#include <SDL.h>

namespace platform::internal {

SDL_Window* Window();      // null when headless or closed
SDL_Renderer* Renderer();  // null when no graphics are open

}  // namespace platform::internal
