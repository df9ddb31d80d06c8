#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/events.h"
#include "platform/input.h"

namespace {

using namespace platform;

class AppStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    ResetAppState();
  }
  void TearDown() override {
    ResetAppState();
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
  }
  static void PushWindowEvent(SDL_WindowEventID id) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = id;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
};

TEST_F(AppStateTest, StartsFocusedAndVisibleWithoutAWindow) {
  PollEvents();
  EXPECT_TRUE(AppHasFocus());
  EXPECT_FALSE(AppMinimised());
  EXPECT_FALSE(AppSuspended());
  EXPECT_FALSE(CloseRequested());
}

TEST_F(AppStateTest, WindowEventsSetFocusMinimisedAndSuspended) {
  const struct {
    SDL_WindowEventID event;
    bool focus, minimised, suspended;
  } steps[] = {
      {SDL_WINDOWEVENT_FOCUS_LOST, false, false, false},
      {SDL_WINDOWEVENT_MINIMIZED, false, true, true},
      {SDL_WINDOWEVENT_RESTORED, false, false, false},
      {SDL_WINDOWEVENT_FOCUS_GAINED, true, false, false},
      {SDL_WINDOWEVENT_HIDDEN, true, false, true},
      {SDL_WINDOWEVENT_SHOWN, true, false, false},
      {SDL_WINDOWEVENT_MINIMIZED, true, true, true},
      {SDL_WINDOWEVENT_MAXIMIZED, true, false, false},
  };
  int i = 0;
  for (const auto& s : steps) {
    SCOPED_TRACE(i++);
    PushWindowEvent(s.event);
    PollEvents();
    EXPECT_EQ(AppHasFocus(), s.focus);
    EXPECT_EQ(AppMinimised(), s.minimised);
    EXPECT_EQ(AppSuspended(), s.suspended);
    EXPECT_FALSE(CloseRequested());
  }
}

TEST_F(AppStateTest, CloseAndQuitRequestsStayUntilCleared) {
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  PollEvents();
  EXPECT_TRUE(CloseRequested());
  PollEvents();
  EXPECT_TRUE(CloseRequested());
  ClearCloseRequest();
  EXPECT_FALSE(CloseRequested());

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  PollEvents();
  EXPECT_TRUE(CloseRequested());
}

TEST_F(AppStateTest, InjectedEventsTakeTheSamePath) {
  InjectKey(65, true);
  InjectAppEvent(AppEvent::FocusLost);
  EXPECT_FALSE(AppHasFocus());
  EXPECT_FALSE(KeyDown(65));
  InjectAppEvent(AppEvent::Minimised);
  EXPECT_TRUE(AppSuspended());
  InjectAppEvent(AppEvent::CloseRequest);
  EXPECT_TRUE(CloseRequested());
  ResetAppState();
  EXPECT_TRUE(AppHasFocus());
  EXPECT_FALSE(AppSuspended());
  EXPECT_FALSE(CloseRequested());
  ResetInput();
}

}  // namespace
