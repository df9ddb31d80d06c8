#include "platform/events.h"

#include "platform/event_internal.h"
#include "platform/frame_timer.h"
#include "platform/sdl_internal.h"

namespace platform {
namespace {

struct AppState {
  bool focused = true;
  bool minimised = false;
  bool hidden = false;
  bool close_requested = false;
};

AppState g_app;

bool EventsReady() {
  if (SDL_WasInit(SDL_INIT_EVENTS) != 0) return true;
  return SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
}

void Apply(AppEvent event) {
  switch (event) {
    case AppEvent::FocusGained:
      g_app.focused = true;
      internal::OnFocusChange(true);
      break;
    case AppEvent::FocusLost:
      g_app.focused = false;
      internal::OnFocusChange(false);
      break;
    case AppEvent::Minimised: g_app.minimised = true; break;
    case AppEvent::Restored: g_app.minimised = false; break;
    case AppEvent::Hidden: g_app.hidden = true; break;
    case AppEvent::Shown: g_app.hidden = false; break;
    case AppEvent::CloseRequest: g_app.close_requested = true; break;
  }
}

void HandleWindowEvent(const SDL_WindowEvent& w) {
  // A window being replaced still reports its focus loss after the new one exists.
  SDL_Window* window = internal::Window();
  if (window != nullptr && w.windowID != 0 && w.windowID != SDL_GetWindowID(window)) return;
  switch (w.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: Apply(AppEvent::FocusGained); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: Apply(AppEvent::FocusLost); break;
    case SDL_WINDOWEVENT_MINIMIZED: Apply(AppEvent::Minimised); break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      internal::RepaintWindow();
      Apply(AppEvent::Restored);
      break;
    case SDL_WINDOWEVENT_HIDDEN: Apply(AppEvent::Hidden); break;
    case SDL_WINDOWEVENT_SHOWN:
      internal::RepaintWindow();
      Apply(AppEvent::Shown);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: internal::RepaintWindow(); break;
    case SDL_WINDOWEVENT_CLOSE: Apply(AppEvent::CloseRequest); break;
    case SDL_WINDOWEVENT_ENTER: internal::OnMouseInWindow(true); break;
    case SDL_WINDOWEVENT_LEAVE: internal::OnMouseInWindow(false); break;
    default: break;
  }
}

void Dispatch(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT: Apply(AppEvent::CloseRequest); break;
    case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
    default: internal::HandleInputEvent(event); break;
  }
}

}  // namespace

void PollEvents() {
  if (EventsReady()) {
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) Dispatch(event);
  }
  internal::ApplyPointerState();
  internal::ApplyCursorState();
  internal::ServiceSingleInstance();
  ServiceTimers();
}

bool AppHasFocus() { return g_app.focused; }
bool AppMinimised() { return g_app.minimised; }
bool AppSuspended() { return g_app.minimised || g_app.hidden; }
bool CloseRequested() { return g_app.close_requested; }
void ClearCloseRequest() { g_app.close_requested = false; }

void InjectAppEvent(AppEvent event) { Apply(event); }

void ResetAppState() {
  g_app = AppState{};
  internal::OnFocusChange(true);
}

}  // namespace platform
