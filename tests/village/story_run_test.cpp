// The village story run headless on the authored data set with a set clock:
// each stage's visit from its arrival to the zoom into its level, the player
// doing what the stage asks (buying a building, destroying the parasites,
// pressing PLAY); the zeppelin's flight to the snow island; the village saved
// in the middle of a stage and restored the same; a damaged block refused.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "../../tools/village_view/village_view.h"
#include "framework/core/frame_clock.h"
#include "framework/core/startup_settings.h"
#include "framework/files/language.h"
#include "framework/media/fade.h"
#include "framework/ui/widget.h"
#include "play/dialog_texts.h"
#include "play/in_game_interface.h"
#include "play/tutorial.h"
#include "reset_rooms.h"
#include "test_resources.h"
#include "village/panel.h"
#include "village/snapshot.h"
#include "village/story_links.h"
#include "village/trophy.h"
#include "village/trophy_room.h"
#include "village/upgrade_dialog.h"
#include "village/village_save.h"
#include "village/zeppelin.h"
#include "world/level.h"
#include "world/player_state.h"

namespace {

using namespace kelp;

struct Level : TGameState {
  int started = 0;
  int Start() override {
    ++started;
    return 1;
  }
};

struct Player : TPlayerState {
  int Load() override { return 1; }
};

class StoryRun : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetVillageRooms();
    ASSERT_TRUE(village_view::Open(KELP_DATA_ROOT, false)) << "no data set in " << KELP_DATA_ROOT;
    LoadDialogs();
    InitWidgetManager();
    ScreenFade = TFade::Create(0.0f, 0.0f, 1.0f);
    ReleaseFromVisuals(ScreenFade);
    StartLevel = 1;
    level_ = New<Level>();
    GameState = level_;
    PlayerState = New<Player>();
    InitVillageStory();
    VillageScreen = New<TVillageMode>();
    WidgetManager->AddWidget(VillageScreen);
    TrophyRoomScreen = New<TTrophyRoom>();
    WidgetManager->AddWidget(TrophyRoomScreen);
    VillageScreen->SetHided(1);
  }
  void TearDown() override {
    village_view::Close();
    testsupport::ResetVillageRooms();
  }

  void Frame() {
    GameTime += 18;
    if (ScreenFade) ScreenFade->Update(1.0f);
    WidgetManager->Update(1.0f);
  }

  // The player's part: while the village waits for them, do what the stage asks.
  void Play() {
    TVillageMode& v = *VillageScreen;
    for (const Ref<TVillageCreature>& c : Snapshot(VillageCreatures))
      if (v.ParaziteMode && c->creature_color == TVillageCreature::PARAZITE && !c->hided) v.ParaziteModeEnd(c);
    if (!v.UserInputEnable || VillageDialogActive || !v.Panel || !v.Panel->Visible || v.Closing) return;
    // A villager with a wish is clicked, as the player would.
    for (const Ref<TVillageCreature>& c : Snapshot(VillageCreatures)) {
      if (c->Emotion != TVillageCreature::QUEST || c->hided) continue;
      if (level_->Stage == 6) {
        VillageStory.OpenDialog(1020, 0, 1);
        NeedAdded = 0;
      } else if (++QuestClickCount <= 3) {
        VillageStory.OpenDialog(2002 + QuestClickCount, 0, 0);
      }
      return;
    }
    if (v.Panel->Button_PLAY && v.Panel->Button_PLAY->locked) return;
    // Buy the first thing on offer, and let it stand at once.
    if (FinishedBuildCount == 0 && v.UpgradeDialog) {
      PlayerState->money = 100000;
      v.UpgradeDialog->PrepareUpgrades();
      if (const Ref<TUpgrade> u = v.UpgradeDialog->CurrentUpgrade; u && !u->locked) {
        v.UpgradeDialog->BuildUpgrade(u);
        for (const Ref<TUpgrade>& b : Snapshot(Upgrades))
          if (b->building) {
            b->BuildFinish();
          }
      }
    }
    v.Panel->DePress(TPanel::Button_PLAY_ID);
  }

  // Runs the visit until its level starts; false when it does not within the frames.
  bool Visit(int stage, int frames = 40000) {
    level_->Stage = stage;
    const int before = level_->started;
    VillageScreen->Load(StageIsland(stage));
    VillageScreen->SetHided(0);
    for (int i = 0; i < frames && level_->started == before; ++i) {
      Frame();
      if (i % 50 == 0) Play();
    }
    return level_->started > before;
  }

  Ref<Level> level_;
};

TEST_F(StoryRun, EveryStageOfTheDesertAndTheSnowReachesItsLevel) {
  for (int stage = 1; stage <= 35; ++stage) {
    if (stage == 17) continue;  // the zeppelin's flight: its own test
    SCOPED_TRACE(stage);
    EXPECT_TRUE(Visit(stage)) << "stage " << stage << " never reached its level";
    EXPECT_EQ(VillageDialogActive, 0);
  }
}

TEST_F(StoryRun, TheLastStageEndsInFireworksAndTheGameComplete) {
  level_->Stage = 36;
  VillageScreen->Load(TVillageMode::SNOW);
  VillageScreen->SetHided(0);
  bool complete = false;
  for (int i = 0; i < 40000 && !complete; ++i) {
    Frame();
    complete = VillageScreen->Hidden && VillageScreen->GameComplete;
  }
  EXPECT_TRUE(complete);
}

TEST_F(StoryRun, TheZeppelinFliesTheVillagersToTheSnowIsland) {
  level_->Stage = 17;
  VillageScreen->Load(TVillageMode::DESERT);
  VillageScreen->SetHided(0);
  ASSERT_TRUE(VillageScreen->Zeppelin);
  bool landed = false;
  for (int i = 0; i < 60000 && !landed; ++i) {
    Frame();
    landed = VillageScreen->Zeppelin && VillageScreen->Zeppelin->state == 6;
  }
  ASSERT_TRUE(landed) << "the flight never landed";
  // It flew in over the snow village, which the screen faded back in to show.
  EXPECT_GT(VillageScreen->Zeppelin->startx, -150.0f);
  EXPECT_LE(VillageScreen->Zeppelin->starty, 125.0f);
  EXPECT_EQ(ScreenFade->alpha, 0.0f);
  EXPECT_EQ(CurrentVillage, TVillageMode::SNOW);
  EXPECT_TRUE(TVillageCreature::SearchByID(TVillageCreature::Orbus_id));
  EXPECT_TRUE(TVillageCreature::SearchByID(TVillageCreature::Ell_id));
  EXPECT_TRUE(TVillageCreature::SearchByID(TVillageCreature::Red_id));
  EXPECT_EQ(PlayerState->money, 500);
  EXPECT_EQ(VillageScreen->Buildings[TVillageMode::TOWER], 1);
  // Then the story on the snow island gives the player the way into stage 18's level.
  const int before = level_->started;
  for (int i = 0; i < 40000 && level_->started == before; ++i) {
    Frame();
    if (i % 50 == 0) Play();
  }
  EXPECT_GT(level_->started, before);
}

// Whichever way the island changes (a visit, a level started straight from
// the map or a debug start), the level's side panels follow the village.
TEST_F(StoryRun, TheLevelsSidePanelsFollowTheIsland) {
  std::map<std::string, platform::ImageRef> panels;
  for (const char* id : {"IMAGE_LEFT_PANEL", "IMAGE_RIGHT_PANEL", "IMAGE_SNOW_LEFT_PANEL", "IMAGE_SNOW_RIGHT_PANEL"})
    panels[id] = testsupport::AddImage(id, draw_probe::Solid(4, 4, 0xFF000000u | static_cast<uint32_t>(panels.size() + 1)));
  InGameInterface = New<TInGameInterface>();
  InGameInterface->Load();
  const struct {
    int island, level;
    const char *left, *right;
  } cases[] = {{TVillageMode::SNOW, 40, "IMAGE_SNOW_LEFT_PANEL", "IMAGE_SNOW_RIGHT_PANEL"},
               {TVillageMode::DESERT, 10, "IMAGE_LEFT_PANEL", "IMAGE_RIGHT_PANEL"},
               {TVillageMode::SNOW, 60, "IMAGE_SNOW_LEFT_PANEL", "IMAGE_SNOW_RIGHT_PANEL"}};
  for (const auto& c : cases) {
    GameState->Level = c.level;
    VillageScreen->Load(c.island);
    EXPECT_EQ(InGameInterface->LeftPanel, panels[c.left]) << "level " << c.level;
    EXPECT_EQ(InGameInterface->RightPanel, panels[c.right]) << "level " << c.level;
  }
}

TEST_F(StoryRun, AVillageSavedMidStageComesBackTheSame) {
  level_->Stage = 9;
  VillageScreen->Load(TVillageMode::DESERT);
  VillageScreen->SetHided(0);
  for (int i = 0; i < 3000; ++i) {
    Frame();
    if (i == 1500) {
      PlayerState->money = 100000;
      village_view::BuildUpTo(9);
    }
  }
  VillageScreen->Portal_state = 1;
  TTrophy::Enable("stone_01");
  const std::string block = SaveVillageBlock();
  const int villagers = VillageCreatures.Count();
  ASSERT_GT(villagers, 2);
  int built = 0;
  for (const Ref<TUpgrade>& u : Upgrades) built += u->built;

  EraseVillage();
  ASSERT_EQ(VillageCreatures.Count(), 0);
  ASSERT_TRUE(LoadVillageBlock(block));
  EXPECT_EQ(VillageCreatures.Count(), villagers);
  int builtAgain = 0;
  for (const Ref<TUpgrade>& u : Upgrades) builtAgain += u->built;
  EXPECT_EQ(builtAgain, built);
  EXPECT_EQ(VillageScreen->Portal_state, 1);
  EXPECT_EQ(TTrophy::Get("stone_01")->enabled, 1);
  EXPECT_TRUE(TVillageCreature::SearchByID(TVillageCreature::Ell_id));
  // Saved again, the block is the same: nothing was lost or made up.
  EXPECT_EQ(SaveVillageBlock(), block);
}

TEST_F(StoryRun, ADamagedBlockIsRefusedWholeAndTheVillageStartsAfresh) {
  level_->Stage = 5;
  VillageScreen->Load(TVillageMode::DESERT);
  village_view::BuildUpTo(5);
  for (int i = 0; i < 3; ++i) TVillageCreature::CreateRandom(0, "");
  const std::string block = SaveVillageBlock();
  const std::string cases[] = {block.substr(0, block.size() - 3), block + "x", std::string(block).replace(4, 4, "\xff\xff\xff\x7f"), ""};
  for (const std::string& bad : cases) {
    EXPECT_FALSE(LoadVillageBlock(bad));
    EXPECT_EQ(VillageCreatures.Count(), 0);
    for (const Ref<TUpgrade>& u : Upgrades) EXPECT_EQ(u->built, 0);
  }
  EXPECT_TRUE(LoadVillageBlock(block));
}

}  // namespace
