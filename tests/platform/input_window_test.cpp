#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/events.h"
#include "platform/input.h"
#include "platform/sdl_internal.h"
#include "platform/window.h"

namespace {

using namespace platform;

// A real (dummy-driver) window of the wide mode: 960x600 virtual on 1280x720.
class WindowInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!OpenGraphics(1280, 720, 0, 60)) GTEST_SKIP() << "no window on this video driver";
    SetVirtualResolution(960, 600);
    PollEvents();
    ResetInput();
  }
  void TearDown() override {
    ResetInput();
    ResetAppState();
    CloseGraphics();
  }
};

TEST_F(WindowInputTest, OnlyTheCurrentWindowsEventsChangeTheAppState) {
  ASSERT_NE(internal::Window(), nullptr);
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  e.window.windowID = SDL_GetWindowID(internal::Window()) + 100;  // a window already replaced
  SDL_PushEvent(&e);
  PollEvents();
  EXPECT_TRUE(AppHasFocus());
  e.window.windowID = SDL_GetWindowID(internal::Window());
  SDL_PushEvent(&e);
  PollEvents();
  EXPECT_FALSE(AppHasFocus());
}

TEST_F(WindowInputTest, PointerPositionIsMappedThroughTheCanvasScale) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = 640;
  e.motion.y = 360;
  SDL_PushEvent(&e);
  PollEvents();
  EXPECT_FLOAT_EQ(MouseX(), 480.0f);
  EXPECT_FLOAT_EQ(MouseY(), 300.0f);
}

TEST_F(WindowInputTest, MoveMouseLandsOnTheSameVirtualPoint) {
  MoveMouse(120.0f, 450.0f);
  PollEvents();  // a warp may report itself as motion
  EXPECT_NEAR(MouseX(), 120.0f, 1.0f);
  EXPECT_NEAR(MouseY(), 450.0f, 1.0f);
}

}  // namespace
