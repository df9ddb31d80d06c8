#include "platform/message_box.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/sdl_internal.h"

namespace platform {
namespace {

MessageBoxHandler g_handler;
std::function<void(const std::string&)> g_log;

bool IsHeadlessDriver(const char* driver) {
  return driver != nullptr && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

bool DisplayAvailable() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return !IsHeadlessDriver(SDL_GetCurrentVideoDriver());
  if (IsHeadlessDriver(std::getenv("SDL_VIDEODRIVER"))) return false;
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

int Logged(const std::string& title, const std::string& text) {
  const std::string line = title + ": " + text;
  if (g_log) {
    g_log(line);
  } else {
    std::fprintf(stderr, "%s\n", line.c_str());
  }
  return 0;
}

}  // namespace

int MessageBox(const std::string& title, const std::string& text, MessageButtons buttons) {
  if (g_handler) return g_handler(title, text, buttons);
  if (!DisplayAvailable()) return Logged(title, text);

  const char* first = buttons == MessageButtons::YesNo ? "Yes" : "OK";
  const char* second = buttons == MessageButtons::YesNo ? "No" : "Cancel";
  SDL_MessageBoxButtonData data[2] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 0, first},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, second},
  };
  const bool one = buttons == MessageButtons::Ok;
  if (one) data[0].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
  SDL_MessageBoxData box{};
  box.flags = SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.window = internal::Window();
  box.title = title.c_str();
  box.message = text.c_str();
  box.numbuttons = one ? 1 : 2;
  box.buttons = data;
  int chosen = -1;
  if (SDL_ShowMessageBox(&box, &chosen) != 0) return Logged(title, text);
  return chosen < 0 ? box.numbuttons - 1 : chosen;
}

void SetMessageBoxHandler(MessageBoxHandler handler) { g_handler = std::move(handler); }
void SetMessageLog(std::function<void(const std::string&)> log) { g_log = std::move(log); }

}  // namespace platform
