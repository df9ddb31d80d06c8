#include "platform/cursor.h"

#include "platform/event_internal.h"
#include "platform/sdl_internal.h"

namespace platform {
namespace {

struct CursorState {
  bool shown = true;
  int id = CURSOR_ARROW;
  // The one SDL cursor we made; SDL frees it with its video subsystem, so it
  // is only trusted while SDL still reports it as the current cursor.
  SDL_Cursor* made = nullptr;
  int made_id = 0;
  SDL_Window* failed_for = nullptr;  // creation failed there: do not retry every frame
};

CursorState g_cursor;

SDL_SystemCursor SdlCursorOf(int id) {
  switch (id) {
    case CURSOR_WAIT: return SDL_SYSTEM_CURSOR_WAIT;
    case CURSOR_NO: return SDL_SYSTEM_CURSOR_NO;
    case CURSOR_HAND: return SDL_SYSTEM_CURSOR_HAND;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

}  // namespace

void ShowPointer() {
  g_cursor.shown = true;
  internal::ApplyCursorState();
}

void HidePointer() {
  g_cursor.shown = false;
  internal::ApplyCursorState();
}

bool PointerShown() { return g_cursor.shown; }

void SetSystemCursor(int id) {
  switch (id) {
    case CURSOR_WAIT:
    case CURSOR_NO:
    case CURSOR_HAND: break;
    default: id = CURSOR_ARROW;
  }
  if (id != g_cursor.id) g_cursor.failed_for = nullptr;
  g_cursor.id = id;
  internal::ApplyCursorState();
}

int SystemCursor() { return g_cursor.id; }

namespace internal {

void ApplyCursorState() {
  SDL_Window* window = Window();
  if (window == nullptr) return;
  const int visible = g_cursor.shown ? SDL_ENABLE : SDL_DISABLE;
  if (SDL_ShowCursor(SDL_QUERY) != visible) SDL_ShowCursor(visible);

  const bool ours_current = g_cursor.made != nullptr && SDL_GetCursor() == g_cursor.made;
  if (ours_current && g_cursor.made_id == g_cursor.id) return;
  if (g_cursor.failed_for == window) return;
  SDL_Cursor* cursor = SDL_CreateSystemCursor(SdlCursorOf(g_cursor.id));
  if (cursor == nullptr) {
    g_cursor.failed_for = window;
    return;
  }
  SDL_SetCursor(cursor);
  // SDL finds a stale pointer in its own list without reading through it.
  if (g_cursor.made != nullptr && g_cursor.made != cursor) SDL_FreeCursor(g_cursor.made);
  g_cursor.made = cursor;
  g_cursor.made_id = g_cursor.id;
}

}  // namespace internal
}  // namespace platform
