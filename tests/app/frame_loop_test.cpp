// The frame loop's clock, frame factor and rate measurement.
#include <cmath>

#include "app_test_env.h"
#include "framework/media/canvas_placement.h"

namespace kelp::apptest {
namespace {

TEST_F(FrameLoopTest, FirstFrameGivesTheMouseNothingAndTheWidgetsPointEight) {
  auto probe = New<ProbeWidget>();
  WidgetManager->AddWidget(probe);
  // The game's own cursor moves by the pointer's offset from the centre times the factor.
  Mouse->custom = 1;
  Mouse->x = Mouse->y = 100.0f;
  std::vector<float> mouse_x;
  LoopHook = [&] {
    mouse_x.push_back(Mouse->x);
    platform::InjectMousePosition(VirtualCenterX + 100.0f, static_cast<float>(VirtualCenterY));
    return 0;
  };
  FrameLimit = 3;
  RunApplication();

  ASSERT_EQ(probe->factors.size(), 3u);
  EXPECT_FLOAT_EQ(probe->factors[0], 60.0f / 75.0f);
  EXPECT_FLOAT_EQ(probe->factors[1], 60.0f / 55.0f);  // 18 ms frames
  ASSERT_EQ(mouse_x.size(), 3u);
  EXPECT_FLOAT_EQ(mouse_x[1], 100.0f);                  // factor 0.0 of the new frame sync
  EXPECT_FLOAT_EQ(mouse_x[2], 100.0f + 100.0f * 0.8f);  // the previous frame's factor
}

struct RateCase {
  const char* name;
  int frame_ms;
  int skip;
  int expected_fps;
};

TEST_F(FrameLoopTest, MeasuredRateFollowsTheFrameLength) {
  const RateCase cases[] = {
      {"a 55 Hz tick", 18, 0, 55},
      {"a frame of 0 ms keeps the previous rate", 0, 0, 40},
      {"after a modal wait the long frame is not measured", 700, 1, 40},
      {"a frame over a second measures 0", 1500, 0, 0},
  };
  for (const RateCase& c : cases) {
    SCOPED_TRACE(c.name);
    FPSCounter->FPS = 40;
    SkipFrame = c.skip;
    tick_ms = c.frame_ms;
    UpdateFrame();
    EXPECT_EQ(FPSCounter->FPS, c.expected_fps);
    EXPECT_EQ(SkipFrame, 0);
    UpdateFrame();  // the factor follows the rate, and 0 frames per second mean 1.0
    EXPECT_TRUE(std::isfinite(FrameSync->dt));
    if (c.expected_fps == 0) {
      EXPECT_FLOAT_EQ(FrameSync->dt, 1.0f);
    }
  }
}

TEST_F(FrameLoopTest, GameClockIsTheCounterLessPausedTime) {
  PausedTotal = 5000;
  const int before = clock.now;
  UpdateFrame();
  EXPECT_EQ(GameTime, before - 5000);
  EXPECT_EQ(ticks, 1);
}

TEST_F(FrameLoopTest, CloseRequestCallsTheCloseHookOnce) {
  int closes = 0;
  CloseHook = [&] {
    ++closes;
    return 0;
  };
  platform::InjectAppEvent(platform::AppEvent::CloseRequest);
  FrameLimit = 3;
  RunApplication();
  EXPECT_EQ(closes, 1);
}

TEST_F(FrameLoopTest, EndProgramLeavesTheLoopWithExitCodeZero) {
  LoopHook = [] {
    EndProgram();
    return 0;
  };
  RunApplication();
  EXPECT_EQ(exit_codes, std::vector<int>{0});
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace kelp::apptest
