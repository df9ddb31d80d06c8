// The main menu's scene: the mouse force does not pile up over visits, a
// scene missing pieces still shows, and a click counts only when it began on
// the button and never left it; its help lines stay on one line and its sky
// holds only its own clouds.
#include "frontend/main_menu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/media/bmfont.h"
#include "framework/media/visuals.h"
#include "framework/ui/dialog.h"
#include "framework/ui/input_box.h"
#include "framework/ui/message_box.h"
#include "framework/ui/mouse.h"
#include "frontend/menu_scene.h"
#include "frontend/profile.h"
#include "physics/engine.h"
#include "world/effects/clouds.h"
#include "world/effects/help_text.h"
#include "play/game.h"
#include "play/player.h"
#include "reset_rooms.h"
#include "test_env.h"

namespace kelp {
namespace {

namespace fs = std::filesystem;

class MainMenuScene : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetFrontendRooms();
    SeedRnd(3);
    GameTime = 100000;
    old_ = fs::current_path();
    fs::create_directories(fs::path(dir_.path()) / "data/world");
    fs::current_path(dir_.path());
    InitWidgetManager();
    Mouse = New<TMouse>();
    Player = New<TPlayer>();
    Player->Profile = New<TProfile>();
    Player->Profile->name = "Ann";
    Player->Profile->data = New<TGameData>();
    MainMenuScreen = New<TMainMenu>();
    WidgetManager->AddWidget(MainMenuScreen);
  }
  void TearDown() override {
    testsupport::ResetFrontendRooms();
    fs::current_path(old_);
  }

  // The authored scene, or it with the lines naming `without` left out.
  void Scene(const std::string& without = "") {
    std::string text = testenv::ReadFile(std::string(KELP_SOURCE_DATA) + "/world/menu.xml");
    if (!without.empty()) {
      // Drop the whole group: from its opening line to its closing one.
      const size_t from = text.find("<group name=\"" + without + "\"");
      ASSERT_NE(from, std::string::npos);
      const size_t to = text.find("</group>", from) + std::string("</group>").size();
      text.erase(from, to - from);
      // Constraints of other groups that pointed into it are refused by the loader.
    }
    testenv::WriteFile(dir_ / "data/world/menu.xml", text);
  }

  void Frames(int n) {
    for (int i = 0; i < n; ++i) {
      GameTime += 18;
      MainMenuScreen->Update(1.0f);
    }
  }

  int Boxes() const {
    int n = 0;
    for (const Ref<TWidget>& w : WidgetManager->WidgetsList)
      if (dynamic_cast<TMessageBox*>(w.get())) ++n;
    return n;
  }

  testenv::TempDir dir_;
  fs::path old_;
};

TEST_F(MainMenuScene, TheMouseForceStaysOneOverTenVisits) {
  Scene();
  for (int visit = 0; visit < 10; ++visit) {
    MainMenuScreen->SetHided(0);
    Frames(5);
    EXPECT_EQ(MainMenuScreen->Physics->Forces.Count(), 1) << "visit " << visit;
    EXPECT_EQ(MainMenuScreen->Buttons.size(), 4u);
    MainMenuScreen->SetHided(1);
    EXPECT_EQ(MainMenuScreen->Physics->Forces.Count(), 0) << "visit " << visit;
    EXPECT_EQ(MainMenuScreen->Physics->Groups.Count(), 0);
  }
  // The texts are made once, not once a visit.
  int texts = 0;
  for (const Ref<TWidget>& w : WidgetManager->WidgetsList)
    if (w.get() == static_cast<TWidget*>(MainMenuScreen->HelpText.get()) ||
        w.get() == static_cast<TWidget*>(MainMenuScreen->UserText.get()))
      ++texts;
  EXPECT_EQ(texts, 2);
  EXPECT_EQ(WidgetManager->WidgetsList.Count(), 4) << "the menu, its link and its two texts";
}

TEST_F(MainMenuScene, TheButtonsHangAndSettleOnTheRopes) {
  Scene();
  MainMenuScreen->SetHided(0);
  Frames(300);
  ASSERT_EQ(MainMenuScreen->Buttons.size(), 4u);
  const auto& b = MainMenuScreen->Buttons;
  for (size_t i = 0; i < 4; ++i) {
    const float y = b[i]->Center->y;
    EXPECT_GT(y, 210.0f) << "below the logo";
    EXPECT_LT(y, 420.0f) << "above the texts";
  }
  EXPECT_LT(b[0]->Center->x, 400.0f) << "start and options hang on the left rope";
  EXPECT_GT(b[2]->Center->x, 400.0f) << "scores and quit on the right";
  EXPECT_GT(b[1]->Center->y, b[0]->Center->y + 80.0f) << "options below start";
  EXPECT_GT(b[3]->Center->y, b[2]->Center->y + 80.0f) << "quit below scores";
}

TEST_F(MainMenuScene, AMissingPieceIsLeftOutAndLogged) {
  for (const char* piece : {"button_quit", "left_rope", "logo"}) {
    SCOPED_TRACE(piece);
    testenv::TempDir logs;
    ASSERT_TRUE(OpenLog(logs.path() + "/"));
    Scene(piece);
    MainMenuScreen->SetHided(0);
    Frames(20);
    MainMenuScreen->Draw();
    CloseLog();
    const std::string log = testenv::ReadFile(logs / "log.xml");
    EXPECT_NE(log.find(piece), std::string::npos) << "the log names what is missing";
    const size_t expected = std::string(piece) == "button_quit" ? 3u : 4u;
    EXPECT_EQ(MainMenuScreen->Buttons.size(), expected);
    MainMenuScreen->SetHided(1);
  }
}

TEST_F(MainMenuScene, AClickCountsOnlyWhenItBeganOnTheButtonAndStayed) {
  Scene();
  MainMenuScreen->SetHided(0);
  Frames(100);
  const TPhysButton* quit = MainMenuScreen->Buttons.back().get();
  ASSERT_EQ(quit->ID, MainMenuScreen->Button_QUIT_ID);
  const float qx = quit->Center->x, qy = quit->Center->y;
  const float outX = 60.0f, outY = 300.0f;
  struct Step {
    float x, y;
    int hit, down, up;
  };
  const struct {
    const char* what;
    std::vector<Step> steps;
    int boxes;
  } cases[] = {
      {"press and release on the button", {{qx, qy, 1, 1, 0}, {qx, qy, 0, 1, 0}, {qx, qy, 0, 0, 1}}, 1},
      {"press outside, release on it", {{outX, outY, 1, 1, 0}, {qx, qy, 0, 1, 0}, {qx, qy, 0, 0, 1}}, 0},
      {"press on it, off and back, release",
       {{qx, qy, 1, 1, 0}, {outX, outY, 0, 1, 0}, {qx, qy, 0, 1, 0}, {qx, qy, 0, 0, 1}},
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const Step& s : c.steps) {
      Mouse->x = s.x;
      Mouse->y = s.y;
      Mouse->Bt1Hit = s.hit;
      Mouse->Bt1Down = s.down;
      Mouse->Bt1Up = s.up;
      MainMenuScreen->UserInput();
    }
    EXPECT_EQ(Boxes(), c.boxes);
    for (const Ref<TWidget>& w : WidgetManager->WidgetsList)
      if (dynamic_cast<TMessageBox*>(w.get())) WidgetManager->RemoveWidget(w);
  }
}

}  // namespace
}  // namespace kelp

namespace kelp {
namespace {

// The line about the hovered button stays on one line in the game's own font,
// so that it never runs into the greeting below it.
TEST_F(MainMenuScene, EachButtonsHelpLineFitsOneLineAboveTheGreeting) {
  fs::current_path(KELP_DATA_ROOT);
  const Ref<TBMFont> font = LoadBMFont("data/fonts/hi.xml");
  ASSERT_TRUE(font);
  ASSERT_TRUE(LoadLanguageTable(GameTexts, "data/lang/String.dat"));
  fs::current_path(dir_.path());
  const Ref<THelpText> help = MainMenuScreen->HelpText, greeting = MainMenuScreen->UserText;
  ASSERT_TRUE(help && greeting);
  for (int entry = 11; entry <= 14; ++entry) {
    SCOPED_TRACE(GameTexts[entry]);
    const int height = DrawTextBox(0, 0, GameTexts[entry], help->_width, JUSTIFY_CENTRE, 0);
    EXPECT_EQ(height, BMLineHeight());
    EXPECT_LE(help->_y + static_cast<float>(height), greeting->_y);
  }
  // The greeting's first line, for the longest name the box takes.
  EXPECT_EQ(DrawTextBox(0, 0, NameGreeting("WWWWWWWW"), greeting->_width, JUSTIFY_CENTRE, 0), 2 * BMLineHeight());
}

// Clouds left by the island map do not drift on in the menu's sky.
TEST_F(MainMenuScene, TheMenuShowsOnlyItsOwnClouds) {
  Scene();
  const Ref<TCloud> left = TCloud::Create(100.0f, 170.0f, 1, 0);
  ASSERT_TRUE(VisualsList.Contains(left.get()));
  MainMenuScreen->SetHided(0);
  EXPECT_FALSE(VisualsList.Contains(left.get()));
  int clouds = 0;
  for (const Ref<TVisuals>& v : VisualsList)
    if (dynamic_cast<TCloud*>(v.get())) ++clouds;
  EXPECT_GE(clouds, 9);
  EXPECT_LE(clouds, 13);
}

}  // namespace
}  // namespace kelp
