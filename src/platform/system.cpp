#include "platform/system.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

namespace platform {
namespace {

std::function<void(int)> g_exit;

}  // namespace

void ExitProcess(int code) {
  if (g_exit) {
    g_exit(code);
    return;
  }
  // Files are flushed and SDL stops its audio thread and window; static
  // destructors are skipped, since they would free textures SDL_Quit already freed.
  std::fflush(nullptr);
  SDL_Quit();
  std::_Exit(code);
}

void SetExitFunction(std::function<void(int)> exit_fn) { g_exit = std::move(exit_fn); }

std::string LocalTimeText(const std::string& format) { return LocalTimeText(format, std::time(nullptr)); }

std::string LocalTimeText(const std::string& format, int64_t unix_seconds) {
  const std::time_t when = static_cast<std::time_t>(unix_seconds);
  std::tm local{};
  if (localtime_r(&when, &local) == nullptr) return "";
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out << std::put_time(&local, format.c_str());
  return out.str();
}

}  // namespace platform
