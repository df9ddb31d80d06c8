#pragma once
// A program folder for the level tests: a temporary folder holding the
// claw's group files and the built level packs under data/, entered for the
// test, with the running level, the player, the world and the path list made
// as start-up makes them, a set clock and a seeded generator.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/files/pak.h"
#include "framework/media/visuals.h"
#include "physics/engine.h"
#include "reset_rooms.h"
#include "world/effects/chain_lights.h"
#include "world/effects/electro.h"
#include "play/game.h"
#include "play/player.h"
#include "test_env.h"
#include "world/block.h"
#include "world/floor.h"
#include "world/handle.h"
#include "world/level.h"
#include "world/pusher.h"
#include "world/static_path.h"
#include "world/trolley.h"
#include "world/world.h"

namespace level_test {

using namespace kelp;
namespace fs = std::filesystem;

// What the build made: the authored data and the level packs.
inline fs::path SourceData() { return KELP_SOURCE_DATA; }
inline fs::path BuiltLevels() { return KELP_BUILT_LEVELS; }

class LevelScene : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetPlayRooms();
    GameTime = 1000000;
    SeedRnd(11);
    old_ = fs::current_path();
    fs::create_directories(fs::path(dir_.path()) / "data");
    fs::current_path(dir_.path());

    World = New<TWorld>();
    GameScreen = New<TGame>();
    Player = New<TPlayer>();
    CurrentLevel = New<TLevel>();
    LevelStaticPath = TStaticPath::Create();
  }

  void TearDown() override {
    testsupport::ResetPlayRooms();
    fs::current_path(old_);
  }

 public:
  std::string Here(const std::string& name) const { return dir_ / name; }

  // The claw's files, as the data set holds them.
  void CopyClaw() {
    fs::create_directories(Here("data/world"));
    for (const char* f : {"cable.xml", "handle.xml", "box.xml"})
      fs::copy_file(SourceData() / "world" / f, Here(std::string("data/world/") + f),
                    fs::copy_options::overwrite_existing);
  }

  // Every pack the build made, as loose files in data/levels.
  std::vector<std::string> CopyPacks() {
    std::vector<std::string> names;
    fs::create_directories(Here("data/levels"));
    for (const auto& e : fs::directory_iterator(BuiltLevels())) {
      if (e.path().extension() != ".lvl") continue;
      fs::copy_file(e.path(), Here("data/levels/" + e.path().filename().string()),
                    fs::copy_options::overwrite_existing);
      names.push_back(e.path().filename().string());
    }
    return names;
  }

  // One level frame of the world, 18 ms after the last.
  static void Frame(float f = 1.0f) {
    GameTime += 18;
    World->Update(f);
  }

  // Arms every pusher, as the player does with each new box at the claw.
  static void ArmPushers() {
    for (const auto& p : Pushers) {
      p->Ready = 1;
      p->Time = GameTime;
    }
  }

  static bool Finite(const TPhysEngine_Particle& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.ox) && std::isfinite(p.oy);
  }

 private:
  testenv::TempDir dir_;
  fs::path old_;
};

}  // namespace level_test
