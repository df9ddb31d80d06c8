// The level select: which levels a save opens, the random button's range, the
// pages over the real levels only, and the screen itself turning its pages.
#include "frontend/level_select.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/files/strings.h"
#include "framework/ui/controls.h"
#include "framework/ui/widget.h"
#include "frontend/profile.h"
#include "play/game.h"
#include "play/player.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "world/level.h"

namespace kelp {
namespace {

TEST(LevelSelectRules, WhatASaveOpens) {
  const struct {
    const char* what;
    int saved, completed, count;
    std::vector<int> open, locked;
    int randomTop;
  } cases[] = {
      {"a new save at level 0", 0, 0, 70, {}, {1, 2, 11, 12, 67}, 0},
      {"a new save at level 1", 1, 0, 70, {}, {1, 2, 11, 12, 67}, 0},
      {"saved at level 12", 12, 0, 70, {1, 11}, {12, 13, 67, 68}, 11},
      {"campaign complete", 68, 1, 70, {1, 11, 12, 67}, {68, 69, 70}, 67},
      {"complete with ten packs", 11, 1, 10, {1, 10}, {11, 12, 67}, 10},
      {"saved past the packs there are", 30, 0, 10, {1, 10}, {11, 29}, 10},
      {"level 0 and below are no levels", 12, 1, 70, {}, {0, -1}, 67},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (int level : c.open) EXPECT_FALSE(LevelIconLocked(level, c.saved, c.completed, c.count)) << level;
    for (int level : c.locked) EXPECT_TRUE(LevelIconLocked(level, c.saved, c.completed, c.count)) << level;
    EXPECT_EQ(RandomLevelTop(c.saved, c.completed, c.count), c.randomTop);
  }
}

TEST(LevelSelectRules, PagesHoldOnlyRealLevelsAndWrap) {
  EXPECT_EQ(LevelSelectLastPage(0), 0);
  EXPECT_EQ(LevelSelectLastPage(10), 0) << "ten levels fill one page; no empty second page";
  EXPECT_EQ(LevelSelectLastPage(11), 1);
  EXPECT_EQ(LevelSelectLastPage(70), 6);
  EXPECT_EQ(WrapPage(0, -1, 6), 6) << "left on the first page goes to the last";
  EXPECT_EQ(WrapPage(6, 1, 6), 0) << "right on the last page goes to the first";
  EXPECT_EQ(WrapPage(3, 1, 6), 4);
  EXPECT_EQ(WrapPage(0, 1, 0), 0);
  EXPECT_EQ(WrapPage(0, -1, 0), 0);
}

TEST(LevelSelectRules, ThumbnailNames) {
  EXPECT_EQ(LevelThumbnailPath(1), "data/img/gui/level_select/001.jpg");
  EXPECT_EQ(LevelThumbnailPath(9), "data/img/gui/level_select/009.jpg");
  EXPECT_EQ(LevelThumbnailPath(10), "data/img/gui/level_select/010.jpg");
  EXPECT_EQ(LevelThumbnailPath(70), "data/img/gui/level_select/070.jpg");
}

// The screen in a widget manager, without pictures, for a save at a level.
class LevelSelectScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetFrontendRooms();
    setenv("APPDATA", appdata.path().c_str(), 1);
    SeedRnd(5);
    InitWidgetManager();
    PhraseBank = New<TStrings>();
    PhraseBank->NamesArray = {"Pip", "Moss"};
    GameScreen = New<TGame>();
    Player = New<TPlayer>();
    Player->Profile = New<TProfile>();
    Player->Profile->name = "Ann";
    Player->Profile->data = New<TGameData>();
  }
  void TearDown() override { testsupport::ResetFrontendRooms(); }

  Ref<TLevelSelect> Open(int levels, int saved, int completed = 0) {
    LevelCount = levels;
    Player->Profile->data->Level = saved;
    Player->Profile->data->GameCompleted = completed;
    return ShowLevelSelect(1);
  }
  static std::vector<int> Shown(const TLevelSelect& s) {
    std::vector<int> ids;
    for (const Ref<TLevelIcon>& icon : s.Icon)
      if (icon && icon->Visible) ids.push_back(icon->id);
    return ids;
  }

  testenv::TempDir appdata;
};

TEST_F(LevelSelectScreen, TheArrowsTurnThroughRealLevelsOnly) {
  const Ref<TLevelSelect> s = Open(12, 12);
  EXPECT_EQ(s->pages, 1);
  EXPECT_EQ(Shown(*s), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  s->DePress(s->BUTTON_ARROW_L_ID);
  EXPECT_EQ(s->page, 1) << "left from the first page shows the last";
  EXPECT_EQ(Shown(*s), (std::vector<int>{11, 12})) << "no icon for a level without a pack";
  s->DePress(s->BUTTON_ARROW_R_ID);
  EXPECT_EQ(s->page, 0);
  EXPECT_GE(s->RandomLevel, 1);
  EXPECT_LE(s->RandomLevel, 11);
  EXPECT_EQ(s->BUTTON_RANDOM->locked, 0);
}

TEST_F(LevelSelectScreen, ANewSaveLocksEveryIconRandomAndPlay) {
  for (int saved : {0, 1}) {
    SCOPED_TRACE(saved);
    const Ref<TLevelSelect> s = Open(10, saved);
    for (const Ref<TLevelIcon>& icon : s->Icon) EXPECT_EQ(icon->Locked, 1) << icon->id;
    EXPECT_EQ(s->RandomLevel, 0);
    EXPECT_EQ(s->BUTTON_RANDOM->locked, 1);
    s->Icon[0]->DePress(1);
    s->Update(1.0f);
    EXPECT_EQ(s->BUTTON_PLAY->locked, 1) << "a locked level cannot be played";
    s->DePress(TLevelSelect::BUTTON_PLAY_ID);
    s->DePress(TLevelSelect::BUTTON_RANDOM_ID);
    EXPECT_EQ(s->PressedID, 0) << "neither play nor random closes the screen";
    WidgetManager->RemoveWidget(s);
  }
}

TEST_F(LevelSelectScreen, SwitchingTheModeShowsThatModesRecordsAtOnce) {
  const Ref<TLevelSelect> s = Open(12, 5);
  s->Icon[2]->DePress(3);
  ASSERT_EQ(s->Selected, s->Icon[2].get());
  EXPECT_EQ(s->SelectedID, 3);
  const std::string normal = s->ScoresText;
  s->CheckBoxChecked(TLevelSelect::CB_RELAXED_ID, 1);
  EXPECT_EQ(s->CB_NORMAL->Checked, 0);
  EXPECT_EQ(s->CB_RELAXED->Checked, 1);
  EXPECT_EQ(GameScreen->GameMode, TGame::RELAXED);
  EXPECT_NE(s->ScoresText, normal) << "the relaxed table's invented scores are lower";
  EXPECT_EQ(s->Selected, s->Icon[2].get());
}

TEST_F(LevelSelectScreen, TwoQuickClicksOnAnOpenLevelPlayIt) {
  const Ref<TLevelSelect> s = Open(12, 5);
  GameTime = 10000;
  s->Icon[1]->DePress(2);
  GameTime += 250;
  s->Icon[1]->DePress(2);
  EXPECT_EQ(s->PressedID, 0) << "250 ms apart only selects";
  GameTime += 150;
  s->Icon[1]->DePress(2);
  EXPECT_EQ(s->PressedID, TLevelSelect::BUTTON_PLAY_ID);
  EXPECT_EQ(s->SelectedID, 2);
}

}  // namespace
}  // namespace kelp
