#pragma once
// A clean stage for the level frame: every room's globals at their start
// values (an empty effects list, a resource manager with only the images a
// test registers), a set game clock, a seeded generator, a world, a player, a level screen that
// records its pauses and completions, the red line, the gauge, both
// interfaces and the play hooks. LevelFrameCanvas adds a headless 800x600
// canvas cleared to black.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "draw_probe.h"
#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/resources.h"
#include "framework/media/visuals.h"
#include "framework/ui/widget.h"
#include "platform/graphics_state.h"
#include "platform/window.h"
#include "play/game.h"
#include "play/in_game_interface.h"
#include "play/play_hooks.h"
#include "play/player.h"
#include "play/red_line.h"
#include "play/thermometer.h"
#include "reset_rooms.h"
#include "test_resources.h"
#include "world/game_interface.h"
#include "world/level.h"
#include "world/trolley.h"
#include "world/world.h"

namespace kelp::frame_test {

using draw_probe::Solid;
using testsupport::AddAnim;
using testsupport::AddEffect;
using testsupport::AddImage;

// The level screen, with its pause and completion recorded.
class RecordingGame : public TGame {
 public:
  std::vector<int> pauses;
  int completions = 0;
  int Pause(int flag) override {
    pauses.push_back(flag);
    Paused = flag;
    return 0;
  }
  void LevelComplete() override { ++completions; }
};

class LevelFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetPlayRooms();
    GameTime = 1000000;
    InitFrameClock();
    SeedRnd(4321);
    World = New<TWorld>();
    World->CriticalLine = 200;
    World->CreaturesToRelease = 10;
    Player = New<TPlayer>();
    game_ = New<RecordingGame>();
    GameScreen = game_;
    RedLine = New<TRedLine>();
    Thermometer = New<TThermometer>();
    InGameInterface = New<TInGameInterface>();
    GameInterface = New<TGameInterface>();
    InitPlayHooks();
  }
  void TearDown() override {
    game_ = nullptr;
    testsupport::ResetPlayRooms();
    platform::ResetDrawState();
  }

  // Steps `frames` frames of 18 ms at dt 1 through `step`.
  template <class F>
  static void Frames(int frames, F step) {
    for (int k = 0; k < frames; ++k) {
      GameTime += 18;
      step();
    }
  }

  Ref<RecordingGame> game_;
};

class LevelFrameCanvas : public LevelFrame {
 protected:
  void SetUp() override {
    LevelFrame::SetUp();
    ASSERT_TRUE(platform::OpenGraphics(800, 600, 0, 60, true));
    platform::ResetDrawState();
    platform::Cls();
  }
  void TearDown() override {
    platform::CloseGraphics();
    LevelFrame::TearDown();
  }
  static platform::Pixmap Grab() {
    platform::PixmapRef p = platform::GrabCanvas();
    return p ? *p : platform::Pixmap(1, 1);
  }
};

}  // namespace kelp::frame_test
