// The pause while the window is not active, and the exit routine.
#include <algorithm>
#include <regex>
#include <string>

#include "app_test_env.h"
#include "framework/files/log.h"

namespace kelp::apptest {
namespace {

using platform::AppEvent;
using platform::InjectAppEvent;

TEST_F(FrameLoopTest, AfterAPauseTheGameClockHasMovedOnlyByTheFadeOut) {
  UpdateFrame();
  const int pause_start = clock.now;
  InjectAppEvent(AppEvent::FocusLost);
  OnFocusChange();
  ASSERT_EQ(AppPaused, 1);
  EXPECT_EQ(ticks, 1 + 9);  // the overlay darkens to 0.7 in 9 ticks
  ASSERT_TRUE(PauseImage);
  for (int i = 0; i < 20; ++i) UpdateFrame();  // paused frames keep running
  clock.Advance(60000);

  InjectAppEvent(AppEvent::FocusGained);
  const int ticks_before_resume = ticks;
  OnFocusChange();
  EXPECT_EQ(AppPaused, 0);
  EXPECT_EQ(ticks - ticks_before_resume, 9);  // and lightens again in 9
  EXPECT_FALSE(PauseImage);  // the pause's pictures are not kept after it
  EXPECT_FALSE(PauseBackground);
  UpdateFrame();
  EXPECT_EQ(GameTime, pause_start + 9 * 18);
}

TEST_F(FrameLoopTest, APauseWhileMinimisedHasNoFadesAndIsStillSubtracted) {
  UpdateFrame();
  const int pause_start = clock.now;
  InjectAppEvent(AppEvent::Minimised);
  OnFocusChange();
  EXPECT_EQ(AppPaused, 1);
  EXPECT_EQ(ticks, 1);
  clock.Advance(5000);
  InjectAppEvent(AppEvent::Restored);
  OnFocusChange();
  EXPECT_EQ(AppPaused, 0);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(PausedTotal, 5000);
  UpdateFrame();
  EXPECT_EQ(GameTime, pause_start);
}

TEST_F(FrameLoopTest, PausesAddUp) {
  for (int pause : {1000, 2500}) {
    InjectAppEvent(AppEvent::Minimised);
    OnFocusChange();
    clock.Advance(pause);
    InjectAppEvent(AppEvent::Restored);
    OnFocusChange();
  }
  EXPECT_EQ(PausedTotal, 3500);
}

// Focus present while minimised pauses once; it must not pause and resume,
// each with its fade, in every pass.
TEST_F(FrameLoopTest, AStateThatDoesNotChangeCausesNoFurtherPauses) {
  struct Step {
    AppEvent event;
    int paused;
  };
  const Step steps[] = {
      {AppEvent::Minimised, 1}, {AppEvent::FocusGained, 1}, {AppEvent::FocusGained, 1},
      {AppEvent::Restored, 0},  {AppEvent::Restored, 0},    {AppEvent::FocusLost, 1},
      {AppEvent::FocusLost, 1}, {AppEvent::FocusGained, 0},
  };
  int overlays = 0;
  for (const Step& s : steps) {
    InjectAppEvent(s.event);
    const int before = ticks;
    const int was = AppPaused;
    OnFocusChange();
    OnFocusChange();
    EXPECT_EQ(AppPaused, s.paused);
    if (ticks != before) ++overlays;
    if (was == s.paused) {
      EXPECT_EQ(ticks, before) << "no change, no fade";
    }
  }
  EXPECT_EQ(overlays, 2);  // the focus loss fades in, its end fades out
}

TEST_F(FrameLoopTest, ExitFadesToBlackThenEnds) {
  ExitGame();
  int expected = 0;
  for (float a = 0.0f; a < 1.0f; a = std::min(1.0f, a + 0.04f)) ++expected;
  EXPECT_EQ(ticks, expected);
  EXPECT_EQ(exit_codes, std::vector<int>{0});
}

TEST_F(FrameLoopTest, ExitWhilePausedFadesOnlyToPointThree) {
  AppPaused = 1;
  ExitGame();
  EXPECT_EQ(ticks, 8);  // 8 x 0.04 passes 0.3
  EXPECT_NEAR(ScreenFade->alpha, 0.32f, 1e-5f);
  EXPECT_EQ(exit_codes, std::vector<int>{0});
}

TEST_F(FrameLoopTest, ExitWhileMinimisedEndsAtOnceAndLogsThePlayTime) {
  testenv::TempDir dir;
  ASSERT_TRUE(OpenLog(dir.path() + "/"));
  InjectAppEvent(AppEvent::Minimised);
  TotalPlayTime = 125000;
  ExitGame();
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(exit_codes, std::vector<int>{0});
  EXPECT_FALSE(LogIsOpen());
  const std::string log = testenv::ReadFile(dir / "log.xml");
  EXPECT_TRUE(std::regex_search(log, std::regex("<resources>\\s*<divider>Total play time: 2 min 5 sec</divider>")))
      << log;
}

}  // namespace
}  // namespace kelp::apptest
