#pragma once
// The process: ending it, and the local time as text.
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// Ends the process with `code` through the exit function: by default open
// files are flushed, SDL is shut down and the process ends at once, without
// static destructors. Returns only when a test replaced it.
void ExitProcess(int code);
// Empty restores the default.
void SetExitFunction(std::function<void(int code)> exit_fn);

// The local time formatted by strftime rules in the C locale (English month
// names whatever the user's locale): "%d %b %Y" gives "07 Mar 2025".
std::string LocalTimeText(const std::string& format);
// The same for a given time, in seconds since 1970.
std::string LocalTimeText(const std::string& format, int64_t unix_seconds);

}  // namespace platform
