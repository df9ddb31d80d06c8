#pragma once
// A frame loop on a headless canvas with a settable clock: every frame-timer
// wait advances the clock by one tick (18 ms unless changed) and is counted,
// and the process exit only records its code.
#include <gtest/gtest.h>

#include <vector>

#include "app/frame_loop.h"
#include "app/startup.h"
#include "framework/core/frame_clock.h"
#include "framework/media/fade.h"
#include "framework/media/visuals.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget.h"
#include "platform/events.h"
#include "platform/frame_timer.h"
#include "platform/input.h"
#include "platform/single_instance.h"
#include "platform/system.h"
#include "platform/window.h"
#include "reset_rooms.h"
#include "test_env.h"

namespace kelp::apptest {

class FrameLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetAppRooms();
    platform::ResetAppState();
    platform::ResetInput();
    ASSERT_TRUE(platform::OpenGraphics(800, 600, 0, 60, true));
    platform::SetFrameWaitHook([this] {
      ++ticks;
      clock.Advance(tick_ms);
      return 1;
    });
    platform::SetExitFunction([this](int code) { exit_codes.push_back(code); });
    FrameSync = New<TFrameSync>();
    FrameSync->TargetFPS = 60.0f;
    FPSCounter = New<TFPSCounter>();
    Mouse = New<TMouse>();
  }

  void TearDown() override {
    platform::SetFrameWaitHook({});
    platform::SetExitFunction({});
    platform::CloseGraphics();
    platform::ResetAppState();
    testsupport::ResetAppRooms();
  }

  testenv::FakeClock clock;
  int tick_ms = 18;
  int ticks = 0;
  std::vector<int> exit_codes;
};

// The whole program (GameMain) in the current folder, started again and again
// as a player would: every frame-timer wait moves the clock one tick and the
// process exit only records its code. Start() before each run, Stop() after.
struct WholeProgram {
  void Start(int frameLimit) {
    testsupport::ResetAppRooms();
    platform::ResetAppState();
    platform::ResetInput();
    platform::SetFrameWaitHook([this] {
      clock.Advance(18);
      return 1;
    });
    platform::SetExitFunction([this](int code) { exit_codes.push_back(code); });
    SplashWaits = 0;
    FrameLimit = frameLimit;
    AppArguments = {"kelp"};
  }
  void Stop() {
    platform::SetFrameWaitHook({});
    platform::SetExitFunction({});
    platform::ReleaseSingleInstance();
    platform::CloseGraphics();
    platform::ResetAppState();
    testsupport::ResetAppRooms();
  }

  testenv::FakeClock clock;
  std::vector<int> exit_codes;
};

// A widget that records the frame factor of each update.
struct ProbeWidget : TWidget {
  std::vector<float> factors;
  int Update(float dt) override {
    factors.push_back(dt);
    return 0;
  }
};

}  // namespace kelp::apptest
