#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace platform {
namespace {

// Large enough that times stored as 0 lie far in the past, small enough for weeks of play.
constexpr int kCounterOffset = 100000000;

const auto g_start = std::chrono::steady_clock::now();
std::function<int()> g_source;

}  // namespace

int Millisecs() {
  if (g_source) return g_source();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - g_start);
  return kCounterOffset + static_cast<int>(ms.count());
}

void SetMillisecsSource(std::function<int()> source) { g_source = std::move(source); }

void Delay(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace platform
