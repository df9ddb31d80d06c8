// The pause menu over a running level, driven through the keyboard and the
// mouse of the platform layer.
#include "framework/ui/controls.h"
#include "framework/ui/message_box.h"
#include "framework/ui/widget_updater.h"
#include "play/game_menu.h"
#include "play_scene.h"

namespace play_test {
namespace {

class Menu : public PlayScene {
 public:
  void SetUp() override {
    PlayScene::SetUp();
    ASSERT_EQ(StartLevel(1), 1);
    EndSweep();
    Frame(5);
  }
  // Escape, and the menu slid in.
  Ref<TGameMenu> Open() {
    Key(platform::VK_ESCAPE);
    Frame();
    Ref<TGameMenu> menu = Find<TGameMenu>();
    if (menu) FramesUntil([&menu] { return menu->Updater->Accel && menu->Updater->Accel->Death; }, 300);
    return menu;
  }
  // A press in one frame, its release in the next.
  void Click(const Ref<TWidget>& w) {
    platform::InjectMousePosition(w->_x + w->_width / 2.0f, w->_y + w->_height / 2.0f);
    Frame();
    platform::InjectMouseButton(1, true);
    Frame();
    platform::InjectMouseButton(1, false);
    Frame();
  }
  // A press and its release with no frame between them.
  void QuickClick(const Ref<TWidget>& w) {
    platform::InjectMousePosition(w->_x + w->_width / 2.0f, w->_y + w->_height / 2.0f);
    Frame();
    platform::InjectMouseButton(1, true);
    platform::InjectMouseButton(1, false);
    Frame();
  }
};

TEST_F(Menu, EscapePausesAndEscapeResumesOnceTheMenuHasLeft) {
  const Ref<TGameMenu> menu = Open();
  ASSERT_TRUE(menu);
  EXPECT_EQ(GameScreen->Paused, 1);
  EXPECT_EQ(Player->enabled, 0);
  EXPECT_EQ(menu->Fadeable, 1);
  EXPECT_GT(menu->_y, 0.0f) << "slid down into view";
  const int paused = GameScreen->PausedTime;
  Wait(5000);
  Key(platform::VK_ESCAPE);
  Frame();
  EXPECT_EQ(menu->PressedID, TGameMenu::Button_RESUME_ID);
  EXPECT_EQ(GameScreen->Paused, 1) << "not before the slide-out";
  ASSERT_TRUE(FramesUntil([] { return Count<TGameMenu>() == 0; }, 300));
  EXPECT_EQ(GameScreen->Paused, 0);
  EXPECT_EQ(Player->enabled, 1);
  EXPECT_GE(GameScreen->PausedTime, paused + 5000);
  EXPECT_EQ(Count<TButtonWidget>(), 0) << "the buttons left with the menu";
}

TEST_F(Menu, TheFirstPressStands) {
  const Ref<TGameMenu> menu = Open();
  ASSERT_TRUE(menu);
  menu->DePress(TGameMenu::Button_MAINMENU_ID);
  Frame();
  menu->DePress(TGameMenu::Button_RESUME_ID);
  ASSERT_TRUE(FramesUntil([] { return Count<TGameMenu>() == 0; }, 300));
  EXPECT_EQ(Count<TMessageBox>(), 1) << "the main-menu question, not a resume";
  EXPECT_EQ(GameScreen->Paused, 1);
}

TEST_F(Menu, LockedButtonsNeitherCloseNorReport) {
  GameScreen->CustomLevel = 1;
  const Ref<TGameMenu> menu = Open();
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->Button_TOISLAND->locked, 1) << "a level-select game has no island";
  EXPECT_TRUE(menu->Button_TOISLAND->LockedImage);
  EXPECT_EQ(menu->Button_OPTIONS->locked, 1) << "no options dialog installed";
  EXPECT_EQ(menu->Button_HELP->locked, 1) << "no help installed";
  EXPECT_EQ(menu->Button_RESUME->locked, 0);
  EXPECT_EQ(menu->Button_MAINMENU->locked, 0);
  for (const auto& b : {menu->Button_TOISLAND, menu->Button_OPTIONS, menu->Button_HELP}) Click(b);
  Frame(100);
  EXPECT_EQ(Count<TGameMenu>(), 1);
  EXPECT_EQ(menu->PressedID, 0);
}

// Main menu, then "yes": the level is left and the menu shown; "no" brings
// the pause menu back.
TEST_F(Menu, TheMainMenuButtonAsksThenLeaves) {
  int menus = 0, scores = 0;
  GameLinks.ShowMainMenu = [&menus] { ++menus; };
  GameLinks.AddScore = [&scores] { ++scores; };
  for (int answer : {TMessageBox::Button_2_ID, TMessageBox::Button_1_ID}) {
    SCOPED_TRACE(answer);
    const Ref<TGameMenu> menu = Open();
    ASSERT_TRUE(menu);
    Click(menu->Button_MAINMENU);
    ASSERT_TRUE(FramesUntil([] { return Count<TMessageBox>() == 1; }, 300));
    const Ref<TMessageBox> box = Find<TMessageBox>();
    Frame(80);
    box->DePress(answer);
    ASSERT_TRUE(FramesUntil([] { return Count<TMessageBox>() == 0; }, 300));
    Frame();
    if (answer == TMessageBox::Button_2_ID) {
      EXPECT_EQ(Count<TGameMenu>(), 1) << "no: the pause menu again";
      const Ref<TGameMenu> again = Find<TGameMenu>();
      FramesUntil([&again] { return again->Updater->Accel && again->Updater->Accel->Death; }, 300);
      again->DePress(TGameMenu::Button_RESUME_ID);
      ASSERT_TRUE(FramesUntil([] { return Count<TGameMenu>() == 0; }, 300));
      EXPECT_EQ(GameScreen->Paused, 0);
    } else {
      EXPECT_EQ(GameScreen->Visible, 0);
      EXPECT_EQ(GameScreen->Paused, 0);
      EXPECT_EQ(menus, 1);
      EXPECT_EQ(scores, 1);
      EXPECT_TRUE(BlockList.IsEmpty()) << "nothing of the level stays";
    }
  }
}

// A quick click (pressed and released between two frames) presses a button.
TEST_F(Menu, AQuickClickPressesAButton) {
  const Ref<TGameMenu> menu = Open();
  ASSERT_TRUE(menu);
  QuickClick(menu->Button_RESUME);
  EXPECT_EQ(menu->PressedID, TGameMenu::Button_RESUME_ID);
  ASSERT_TRUE(FramesUntil([] { return Count<TGameMenu>() == 0; }, 300));
  EXPECT_EQ(GameScreen->Paused, 0);
}

// And it drops the box the claw holds.
TEST_F(Menu, AQuickClickDropsTheBox) {
  Frame(40);  // the drop is refused for 600 ms after the start
  const Ref<TBlock> held = Player->box;
  ASSERT_TRUE(held);
  EXPECT_EQ(held->Released, 0);
  platform::InjectMouseButton(1, true);
  platform::InjectMouseButton(1, false);
  Frame();
  EXPECT_EQ(held->Released, 1);
  EXPECT_NE(Player->box, held);
}

}  // namespace
}  // namespace play_test
