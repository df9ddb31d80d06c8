#pragma once
// A small village on disk for the village tests: a temporary program folder
// with pictures, a text graph converted to a node file and an upgrade tree,
// and the village's globals reset around each test (game clock, random
// generator, lists, the village screen, the story links).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/files/pak.h"
#include "framework/media/visuals.h"
#include "platform/image.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "village/node_source.h"
#include "village/nodes.h"
#include "village/path_search.h"
#include "village/story_links.h"
#include "village/upgrade.h"
#include "village/village.h"
#include "village/villager.h"
#include "village/village_globals.h"
#include "village/walkability.h"
#include "world/game_state.h"
#include "world/player_state.h"

namespace kelp::village_test {

struct StageOnly : TGameState {
  int Start() override { return 0; }
};

struct TestPlayer : TPlayerState {
  int Load() override { return 1; }
};

// Every global the village code reads back to its start value: the village's
// and those of the rooms below it (the village screen is made anew by the fixture).
inline void ResetVillage() { testsupport::ResetVillageRooms(); }

// A picture of w x h whose every pixel is `argb`, or drawn by `pixel`.
inline void WritePicture(const std::string& path, int w, int h, uint32_t argb,
                         const std::function<uint32_t(int, int)>& pixel = nullptr) {
  platform::Pixmap p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.WritePixel(x, y, pixel ? pixel(x, y) : argb);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  ASSERT_TRUE(platform::SavePixmapPNG(p, path)) << path;
}

// The node file of a text graph.
inline void WriteGraph(const std::string& path, const std::string& text) {
  const NodeSource g = ParseNodeSource(text);
  ASSERT_TRUE(g.errors.empty()) << g.errors.front();
  const std::vector<uint8_t> bytes = NodeFileBytes(g);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  testenv::WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

// Loads a graph from text straight into Nodes.
inline void LoadGraph(const std::string& text) {
  const NodeSource g = ParseNodeSource(text);
  ASSERT_TRUE(g.errors.empty()) << g.errors.front();
  const std::vector<uint8_t> bytes = NodeFileBytes(g);
  platform::MemoryStream s(bytes);
  ASSERT_EQ(TNode::Load(s), 1);
}

// A test inside a fresh temporary program folder, with the village reset.
class VillageTest : public testing::Test {
 protected:
  void SetUp() override {
    char* cwd = getcwd(nullptr, 0);
    old_cwd_ = cwd ? cwd : ".";
    std::free(cwd);
    ASSERT_EQ(chdir(dir_.path().c_str()), 0);
    ResetVillage();
    GameTime = 100000;
    SeedRnd(1);
    VillageScreen = New<TVillageMode>();
    GameState = New<StageOnly>();
    GameState->Stage = 5;
    PlayerState = New<TestPlayer>();
  }
  void TearDown() override {
    ResetVillage();
    EXPECT_EQ(chdir(old_cwd_.c_str()), 0);
  }
  std::string Here(const std::string& name) const { return dir_ / name; }

  // Advances the game clock and runs whole village frames.
  void Frames(int n, float dt = 1.0f) {
    for (int i = 0; i < n; ++i) {
      GameTime += 18;
      TVisuals::UpdateVisuals(dt);
      TUpgrade::UpdateUpgrades(dt);
      TVillageCreature::UpdateCreatures(dt);
    }
  }

  testenv::TempDir dir_;
  std::string old_cwd_;
};

}  // namespace kelp::village_test
