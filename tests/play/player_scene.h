#pragma once
// A level for the player tests: an empty play field in the world's engine,
// the claw made from the game's own group files in a temporary program
// folder, the running level, the mouse driven through the platform's
// injection hooks, a set clock and a seeded generator. One frame runs the
// mouse, the player and the physics step in the level screen's order.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/core/color.h"
#include "framework/core/core_globals.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/files/files_globals.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/media_globals.h"
#include "framework/ui/mouse.h"
#include "framework/ui/ui_globals.h"
#include "physics/engine.h"
#include "physics/physics_globals.h"
#include "platform/input.h"
#include "play/game.h"
#include "play/play_globals.h"
#include "play/player.h"
#include "test_env.h"
#include "world/block.h"
#include "world/effects/chain_lights.h"
#include "world/effects/electro.h"
#include "world/game_interface.h"
#include "world/handle.h"
#include "world/pusher.h"
#include "world/trolley.h"
#include "world/world.h"
#include "world/world_globals.h"

namespace player_test {

using namespace kelp;
namespace fs = std::filesystem;

class PlayerScene : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    platform::ResetInput();
    GameTime = 1000000;
    SeedRnd(5);
    InitColors();
    CreateBlockColors();
    VirtualWidth = 800;
    VirtualHeight = 600;
    VirtualCenterX = 400;
    VirtualCenterY = 300;

    old_ = fs::current_path();
    fs::create_directories(fs::path(dir_.path()) / "data" / "world");
    for (const char* f : {"cable.xml", "handle.xml", "box.xml"})
      fs::copy_file(fs::path(KELP_SOURCE_DATA) / "world" / f, fs::path(dir_.path()) / "data" / "world" / f);
    fs::current_path(dir_.path());

    World = New<TWorld>();
    GameScreen = New<TGame>();
    GameScreen->GameType = 1;
    GameInterface = New<TGameInterface>();
    Mouse = New<TMouse>();  // the system pointer: it follows the platform's position
    Mouse->Center();
    Player = New<TPlayer>();
    Player->Load();
    ASSERT_TRUE(Player->Handle) << "the claw's group files";
    Player->enabled = 1;
  }

  void TearDown() override {
    ResetGlobals();
    platform::ResetInput();
    fs::current_path(old_);
  }

  // Every room the scene touches, the running level first.
  static void ResetGlobals() {
    ResetPlayGlobals();
    ResetWorldGlobals();
    ResetPhysicsGlobals();
    ResetUiGlobals();
    ResetMediaGlobals();
    ResetFilesGlobals();
    ResetCoreGlobals();
  }

 public:
  // One level frame 18 ms after the last, with the pointer moved by mx first.
  static void Frame(float mx = 0.0f) {
    GameTime += 18;
    if (mx != 0.0f) platform::InjectMouseMotion(mx, 0.0f);
    Mouse->Update(1.0f);
    Player->Update(1.0f);
    World->Physics->Update(1.0f);
  }
  static void Frames(int n, float mx = 0.0f) {
    for (int i = 0; i < n; ++i) Frame(mx);
  }
  // Frames until `ms` of game time have passed.
  static void RunFor(int ms) { Frames((ms + 17) / 18); }

  // A click of a button held over one frame.
  static void Click(int button = 1) {
    platform::InjectMouseButton(button, true);
    Frame();
    platform::InjectMouseButton(button, false);
    Frame();
  }
  // A press and its release both between two frames.
  static void QuickClick(int button = 1) {
    platform::InjectMouseButton(button, true);
    platform::InjectMouseButton(button, false);
    Frame();
  }

  static float ConnectorX() { return Player->Handle->Connector->x; }

 private:
  testenv::TempDir dir_;
  fs::path old_;
};

}  // namespace player_test
