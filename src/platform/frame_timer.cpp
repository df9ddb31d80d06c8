#include "platform/frame_timer.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/events.h"
#include "platform/sdl_internal.h"

namespace platform {
namespace {

constexpr int64_t kNsPerSecond = 1000000000;

int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

struct StreamTick {
  int hz = 0;
  std::function<void()> fn;
  int64_t start_ns = 0;
  int64_t index = 0;  // the last tick answered
  bool running = false;
};

StreamTick g_stream;
std::function<int()> g_wait_hook;

// SDL sleeps until an event only where the video driver can wait for one;
// elsewhere its wait wakes every millisecond to look. The headless drivers
// cannot wait, and no outside event reaches them.
bool DriverWaits() {
  if (internal::Window() == nullptr) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
}

// Sleeps until `until` or until an event arrives for the window; true when
// one is waiting.
bool SleepUntil(int64_t until) {
  const int64_t now = NowNs();
  if (until <= now) return false;
  if (DriverWaits()) {
    const int64_t ms = (until - now + 999999) / 1000000;
    return SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<int64_t>(ms, 1000))) == 1;
  }
  std::this_thread::sleep_for(std::chrono::nanoseconds(until - now));
  return false;
}

}  // namespace

FrameTimer::FrameTimer(int hz) : period_ms_(std::max(1, 1000 / std::max(1, hz))), start_ns_(NowNs()) {}

int FrameTimer::Wait() {
  PollEvents();
  if (g_wait_hook) {
    const int passed = g_wait_hook();
    seen_ += passed;
    return passed;
  }
  const int64_t period_ns = static_cast<int64_t>(period_ms_) * 1000000;
  for (;;) {
    const int64_t tick = (NowNs() - start_ns_) / period_ns;
    if (tick != seen_) {
      const int passed = static_cast<int>(tick - seen_);
      seen_ = tick;
      return passed;
    }
    // The stream tick does not wake the process by itself: its refill keeps
    // 0.75 s of music ahead, and every frame answers the ticks that passed,
    // so waking 120 times a second besides the frame's 55 bought nothing.
    if (SleepUntil(start_ns_ + (seen_ + 1) * period_ns)) {
      PollEvents();
    } else {
      ServiceTimers();
    }
  }
}

void SetStreamTick(int hz, std::function<void()> fn) {
  g_stream.hz = hz;
  g_stream.fn = std::move(fn);
  g_stream.start_ns = NowNs();
  g_stream.index = 0;
}

void ServiceTimers() {
  if (g_stream.running || g_stream.hz <= 0 || !g_stream.fn) return;
  const int64_t tick = (NowNs() - g_stream.start_ns) * g_stream.hz / kNsPerSecond;
  if (tick <= g_stream.index) return;
  g_stream.index = tick;
  // A copy, so that the callback may replace or stop the tick.
  const std::function<void()> fn = g_stream.fn;
  g_stream.running = true;
  fn();
  g_stream.running = false;
}

void SetFrameWaitHook(std::function<int()> hook) { g_wait_hook = std::move(hook); }

}  // namespace platform
