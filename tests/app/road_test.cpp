// The whole road of a new player, headless on the data set the build made,
// through the widgets with injected keys and mouse only: the name box, the
// menu's start button, the game mode, the intro comic (closed), the village
// of stage 1 and its PLAY, the stage's rounds (levels 1 and 2) played to a
// win, the results, back through the village of stage 2 (its save point) and
// on into the next level; then quit, start again, and the player, the
// progress (on the map) and the village are there.
#include "road_support.h"

#include "framework/ui/input_box.h"
#include "frontend/comics.h"
#include "frontend/game_select.h"
#include "frontend/main_menu.h"
#include "frontend/map.h"
#include "frontend/menu_scene.h"
#include "frontend/profile.h"

namespace kelp::road {
namespace {

class NewPlayerRoad : public Road {
 protected:
  void SetUp() override {
    Road::SetUp();
    FrameLimit = 20000;  // the claw plays both rounds of stage 1
  }
};

TEST_F(NewPlayerRoad, NameModeComicVillageStageOneWonVillageNextLevelThenAllIsThereNextTime) {
  enum Stage { NAME, MENU, MODE, COMIC, VILLAGE1, LEVEL1, VILLAGE2, LEAVE_LEVEL, CONFIRM, QUIT, DONE };
  Stage stage = NAME;
  Hand hand;
  ChainBot bot;
  VillageHand villageHand(hand);
  int since = 0;  // frames in this stage
  bool comicShown = false, resultsShown = false;
  int village1Stage = 0, level1 = 0, lastWon = 0, village2Stage = 0, village2Level = 0, nextLevel = 0;
  std::vector<std::string> savedVillagers;
  auto next = [&](Stage s) {
    stage = s;
    since = 0;
  };
  FrameProbe = [&](int) {
    ++since;
    if (hand.Busy()) {
      hand.Step();
      return;
    }
    switch (stage) {
      case NAME:
        if (Find<TInputBox2>() && since > 120) {
          for (int vk : {'A', 'N', 'N'}) hand.Key(vk);
          hand.Key(platform::VK_RETURN);
          next(MENU);
        }
        break;
      case MENU:
        if (!Find<TInputBox2>() && Player->Profile && MainMenuScreen->UserInputEnabled && since > 120 &&
            !MainMenuScreen->Buttons.empty()) {
          const TPhysButton& start = *MainMenuScreen->Buttons.front();
          hand.Click(X(start.Center->x), start.Center->y);
          next(MODE);
        }
        break;
      case MODE:
        if (const Ref<TGameSelect> select = Find<TGameSelect>(); select && since > 90) {
          hand.ClickOn(*select->BUTTON_NORMAL);
          next(COMIC);
        }
        break;
      case COMIC:
        if (const Ref<TComics> comic = Find<TComics>(); comic && comic->ButtonClose && since > 120) {
          comicShown = true;
          hand.ClickOn(*comic->ButtonClose);
          next(VILLAGE1);
        }
        break;
      case VILLAGE1:
        if (GameScreen->Visible) {
          level1 = GameScreen->Level;
          next(LEVEL1);
        } else if (VillageScreen->Visible) {
          village1Stage = GameScreen->Stage;
          villageHand.Act();
        }
        break;
      case LEVEL1:
        if (VillageScreen->Visible && !GameScreen->Visible) {
          village2Stage = GameScreen->Stage;
          village2Level = GameScreen->Level;
          savedVillagers = Villagers();
          next(VILLAGE2);
        } else if (GameScreen->Visible) {
          lastWon = std::max(lastWon, GameScreen->Complete ? GameScreen->Level : 0);
          resultsShown |= PlayLevel(hand, bot, since);
        }
        break;
      case VILLAGE2:
        if (GameScreen->Visible) {
          nextLevel = GameScreen->Level;
          next(LEAVE_LEVEL);
        } else {
          villageHand.Act();
        }
        break;
      case LEAVE_LEVEL:
        if (const Ref<TGameMenu> menu = Find<TGameMenu>(); menu && since > 150) {  // slid down
          hand.ClickOn(*menu->Button_MAINMENU);
          next(CONFIRM);
        } else if (!menu && since % 90 == 0) {
          hand.Key(platform::VK_ESCAPE);
        }
        break;
      case CONFIRM:
        if (const Ref<TMessageBox> box = Find<TMessageBox>(); box && box->Button_1 && since > 60) {
          hand.ClickOn(*box->Button_1);
          next(QUIT);
        } else if (!box && since > 300) {
          next(LEAVE_LEVEL);  // the press missed: once more
        }
        break;
      case QUIT:
        if (MainMenuScreen->Visible && MainMenuScreen->UserInputEnabled && since > 120) {
          hand.Key(platform::VK_ESCAPE);
          hand.Wait(60);
          hand.Key(platform::VK_RETURN);
          next(DONE);
        }
        break;
      case DONE:
        break;
    }
  };
  GameMain();
  EXPECT_EQ(stage, DONE) << "the road stopped before its end; level " << GameScreen->Level << " won "
                         << GameScreen->Complete << " over " << GameScreen->Over;
  EXPECT_EQ(exit_codes, std::vector<int>{0});
  EXPECT_TRUE(comicShown) << "a new game is told by the comic";
  EXPECT_EQ(village1Stage, 1);
  EXPECT_EQ(level1, 1);
  EXPECT_EQ(lastWon, 2) << "stage 1's second round follows its first at once";
  EXPECT_TRUE(resultsShown);
  EXPECT_EQ(village2Stage, 2) << "the won stage leads back to the village";
  EXPECT_EQ(village2Level, 3);
  EXPECT_EQ(nextLevel, 3) << "the village's PLAY leads on to the next level";
  EXPECT_GE(savedVillagers.size(), 3u) << "Ell, Red and a newcomer from the cave";
  Close();

  // Started again: the player, the progress and the village of the save point are there.
  Fresh();
  std::string name;
  int level = -1, villageStage = -1, villageLevel = -1;
  std::string markers;
  std::vector<std::string> villagers;
  Stage again = MENU;
  since = 0;
  FrameProbe = [&](int) {
    ++since;
    if (hand.Busy()) {
      hand.Step();
      return;
    }
    if (again == MENU && MainMenuScreen->Visible && MainMenuScreen->UserInputEnabled && since > 120) {
      name = Player->Profile ? Player->Profile->name : "";
      level = Player->Profile && Player->Profile->data ? Player->Profile->data->Level : -1;
      const TPhysButton& start = *MainMenuScreen->Buttons.front();
      hand.Click(X(start.Center->x), start.Center->y);
      again = COMIC;  // a saved game goes to the map, never the comic
      since = 0;
    } else if (again == COMIC && MapScreen->Visible && since > 60) {
      for (const TLevelMarker& m : MapScreen->Markers)
        markers += std::to_string(m.level) +
                   (m.state == MarkerState::DONE ? "d " : m.state == MarkerState::CURRENT ? "c " : "l ");
      hand.ClickOn(*MapScreen->Button_CONTINUE);
      again = VILLAGE2;
      since = 0;
    } else if (again == VILLAGE2 && VillageScreen->Visible && since > 60) {
      villageStage = GameScreen->Stage;
      villageLevel = GameScreen->Level;
      villagers = Villagers();
      if (VillageScreen->Panel && VillageScreen->Panel->Button_MENU) {
        // Leave through the panel's menu button and its question.
        hand.ClickOn(*VillageScreen->Panel->Button_MENU);
        again = LEAVE_LEVEL;
        since = 0;
      }
    } else if (again == LEAVE_LEVEL && since > 30) {
      if (const Ref<TMessageBox> box = Find<TMessageBox>(); box && box->Button_1) {
        hand.ClickOn(*box->Button_1);
        again = QUIT;
        since = 0;
      }
    } else if (again == QUIT && MainMenuScreen->Visible && MainMenuScreen->UserInputEnabled && since > 120) {
      hand.Key(platform::VK_ESCAPE);
      hand.Wait(60);
      hand.Key(platform::VK_RETURN);
      again = DONE;
    }
  };
  GameMain();
  EXPECT_EQ(again, DONE);
  EXPECT_EQ(name, "ann") << "typed without Shift";
  EXPECT_EQ(level, 3);
  EXPECT_EQ(markers.substr(0, 9), "1d 2d 3c ") << "a saved game goes straight to the map: " << markers;
  EXPECT_EQ(villageStage, 2);
  EXPECT_EQ(villageLevel, 3) << "PLAY leads to the saved level";
  EXPECT_EQ(villagers, savedVillagers) << "the village of the save point comes back";
}

}  // namespace
}  // namespace kelp::road
