#include <SDL.h>
#include <gtest/gtest.h>
#include <time.h>

#include <chrono>

#include "platform/clock.h"
#include "platform/events.h"
#include "platform/frame_timer.h"
#include "platform/input.h"

namespace {

using namespace platform;
using Clock = std::chrono::steady_clock;

double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

double MsSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

class FrameTimerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetStreamTick(0, nullptr);
    SetFrameWaitHook(nullptr);
  }
};

TEST_F(FrameTimerTest, PeriodIsTheTruncatedThousandthOfTheRate) {
  EXPECT_EQ(FrameTimer(55).Period(), 18);
  EXPECT_EQ(FrameTimer(60).Period(), 16);
  EXPECT_EQ(FrameTimer(1000).Period(), 1);
  EXPECT_EQ(FrameTimer(5000).Period(), 1);
  EXPECT_GE(FrameTimer(0).Period(), 1);
}

TEST_F(FrameTimerTest, WaitingThirtyTicksSleepsInsteadOfSpinning) {
  const Clock::time_point before = Clock::now();
  FrameTimer timer(55);
  const double cpu0 = CpuSeconds();
  int returned = 0;
  for (int i = 0; i < 30; ++i) {
    const int n = timer.Wait();
    EXPECT_GE(n, 1);
    returned += n;
    // Never early: tick n comes 18 ms x n after the timer started.
    EXPECT_GE(MsSince(before), 18.0 * double(timer.Ticks()));
  }
  const double wall_ms = MsSince(before);
  const double cpu_ms = (CpuSeconds() - cpu0) * 1000.0;
  EXPECT_EQ(returned, timer.Ticks());
  EXPECT_GE(timer.Ticks(), 30);
  EXPECT_LT(cpu_ms, 0.25 * wall_ms) << "cpu " << cpu_ms << " ms of " << wall_ms << " ms";
}

TEST_F(FrameTimerTest, MissedTicksFoldIntoOneWaitAndThePhaseIsKept) {
  const Clock::time_point before = Clock::now();
  FrameTimer timer(55);
  timer.Wait();
  Delay(60);  // a long frame: at least three ticks pass
  const int folded = timer.Wait();
  EXPECT_GE(folded, 3);
  const int64_t after_fold = timer.Ticks();
  EXPECT_GE(timer.Wait(), 1);
  EXPECT_GT(timer.Ticks(), after_fold);
  EXPECT_GE(MsSince(before), 18.0 * double(timer.Ticks()));
}

TEST_F(FrameTimerTest, EveryWaitHandlesEvents) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
  ResetInput();
  FrameTimer timer(55);
  Delay(20);  // a tick has passed: the wait returns at once, yet polls first
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
  e.key.keysym.sym = SDLK_ESCAPE;
  SDL_PushEvent(&e);
  EXPECT_GE(timer.Wait(), 1);
  EXPECT_TRUE(KeyDown(27));
  ResetInput();
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

TEST_F(FrameTimerTest, StreamTickRunsInsideFrameWaits) {
  int ticks = 0;
  SetStreamTick(120, [&] { ++ticks; });
  const Clock::time_point before = Clock::now();
  FrameTimer timer(55);
  for (int i = 0; i < 10; ++i) timer.Wait();
  const double wall_ms = MsSince(before);
  // About 120 x 0.18 s; at least one per frame even on a loaded machine.
  EXPECT_GE(ticks, 10);
  EXPECT_LE(ticks, int(wall_ms * 0.12) + 1);
}

TEST_F(FrameTimerTest, ServiceTimersAnswersMissedStreamTicksWithOneCall) {
  int ticks = 0;
  SetStreamTick(20, [&] { ++ticks; });
  ServiceTimers();
  EXPECT_EQ(ticks, 0) << "no tick has passed yet";
  Delay(160);  // three 50 ms ticks
  ServiceTimers();
  EXPECT_EQ(ticks, 1);
  ServiceTimers();
  EXPECT_EQ(ticks, 1);
  SetStreamTick(0, [&] { ++ticks; });
  Delay(60);
  PollEvents();
  EXPECT_EQ(ticks, 1) << "a rate of 0 turns the tick off";
}

TEST_F(FrameTimerTest, StreamTickCallbackMayReplaceItself) {
  int first = 0, second = 0;
  SetStreamTick(500, [&] {
    ++first;
    SetStreamTick(500, [&] { ++second; });
  });
  Delay(5);
  ServiceTimers();
  Delay(5);
  ServiceTimers();
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 1);
}

TEST_F(FrameTimerTest, WaitHookReplacesTheSleepButEventsAreStillHandled) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
  ResetAppState();
  SetFrameWaitHook([] { return 2; });
  FrameTimer timer(55);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  EXPECT_EQ(timer.Wait(), 2);
  EXPECT_EQ(timer.Wait(), 2);
  EXPECT_EQ(timer.Ticks(), 4);
  EXPECT_TRUE(CloseRequested());
  ResetAppState();
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

}  // namespace
