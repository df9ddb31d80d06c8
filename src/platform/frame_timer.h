#pragma once
// The frame timer and the stream tick. Ticks keep their phase: tick n of a
// timer started at t comes at t + n periods, however late a wait returns.
#include <cstdint>
#include <functional>

namespace platform {

class FrameTimer {
 public:
  // Period 1000 / hz milliseconds, truncated (55 Hz: 18 ms).
  explicit FrameTimer(int hz);
  int Period() const { return period_ms_; }
  // Returns at the first tick after the previous wait: at once when one has
  // already passed, else at the next one, sleeping meanwhile. Events are
  // handled at least once (PollEvents). Gives the ticks that passed since the
  // previous wait; ticks missed by a late caller fold into one return.
  int Wait();
  // Ticks counted by the waits so far.
  int64_t Ticks() const { return seen_; }

 private:
  int period_ms_;
  int64_t start_ns_;
  int64_t seen_ = 0;
};

// One periodic callback beside the frame timer (the music's 120 Hz refill).
// Its ticks are serviced inside FrameTimer waits (when the frame tick ends
// the wait: they never wake one by themselves), PollEvents and ServiceTimers,
// on the calling thread; ticks that passed unserviced are answered by one
// call. hz <= 0 or an empty function turns it off.
void SetStreamTick(int hz, std::function<void()> fn);
// Runs the stream tick's callback when a tick has passed since its last call.
void ServiceTimers();

// Tests replace the sleeping part of every wait: events are still handled
// once, then the hook's value is the ticks that passed. Empty restores it.
void SetFrameWaitHook(std::function<int()> hook);

}  // namespace platform
