// The whole start-up on a small data set, headless: splash, loading, the main
// menu, a screenshot, and the way out through the quit box and the exit fade.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "app/frame_loop.h"
#include "app_test_env.h"
#include "app/startup.h"
#include "framework/core/frame_clock.h"
#include "framework/core/startup_settings.h"
#include "framework/files/log.h"
#include "framework/ui/widget.h"
#include "framework/ui/input_box.h"
#include "frontend/main_menu.h"
#include "frontend/profile.h"
#include "play/player.h"
#include "frontend/map.h"
#include "frontend/options.h"
#include "music/music_module.h"
#include "platform/events.h"
#include "platform/frame_timer.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/single_instance.h"
#include "platform/message_box.h"
#include "platform/system.h"
#include "platform/window.h"
#include "play/game.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "village/trophy_room.h"
#include "village/village.h"
#include "world/level.h"

namespace kelp {
namespace {

void WritePng(const std::string& path, int w, int h, uint32_t argb) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  platform::Pixmap p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.WritePixel(x, y, argb);
  ASSERT_TRUE(platform::SavePixmapPNG(p, path));
}

// A data set with what start-up reads: the string table, a resource list with
// the loading bar and a few menu pictures, and a splash of one logo.
void WriteGameData(const testenv::TempDir& dir) {
  testenv::WriteFile(dir / "data/lang/String.dat", "023 Quit the game?\n044 Paused\n053 Kelp: Test Run\n");
  WritePng(dir / "data/img/bar.png", 200, 20, 0xFF30C030u);
  WritePng(dir / "data/img/sky.png", 64, 64, 0xFF2878C8u);
  WritePng(dir / "data/img/button.png", 300, 40, 0xFFC08020u);
  WritePng(dir / "screenbranding/logo.png", 100, 50, 0xFFFFFFFFu);
  testenv::WriteFile(dir / "res.xml", R"(<list>
<resources id="Init">
  <image id="IMAGE_LOADING_FULL" path="data/img/bar.png"/>
  <image id="IMAGE_LOADING_EMPTY" path="data/img/bar.png"/>
</resources>
<resources id="Menu">
  <image id="IMAGE_SKY" path="data/img/sky.png"/>
  <animimage id="IMAGE_MAINMENU_BUTTON_QUIT" path="data/img/button.png" width="100" height="40" frames="3"/>
</resources>
<resources id="Map">
  <image id="IMAGE_MAP_SKY" path="data/img/sky.png"/>
</resources>
</list>
)");
  // "time" 60000 would hold the logo for a minute without the test setting.
  testenv::WriteFile(dir / "screenbranding/config.xml",
                     R"(<splash><logo image="screenbranding/logo.png" r="10" g="20" b="30" time="60000" skip="0"/>)"
                     R"(<note/><logo image="screenbranding/missing.png" time="60000"/></splash>)");
}

class GameMainTest : public ::testing::Test, protected apptest::WholeProgram {
 protected:
  void SetUp() override {
    WriteGameData(program);
    old_cwd = std::filesystem::current_path();
    std::filesystem::current_path(program.path());
    setenv("APPDATA", appdata.path().c_str(), 1);
    Start(400);
  }
  void TearDown() override {
    Stop();
    std::filesystem::current_path(old_cwd);
  }
  std::string SaveFolder() const { return appdata / "Kelp/data/"; }

  testenv::TempDir program, appdata;
  std::filesystem::path old_cwd;
};

TEST_F(GameMainTest, StartsToTheMenuAndLeavesThroughTheQuitBox) {
  int passes = 0;
  int shot_width = 0, shot_height = 0;
  // A new user is asked for a name first; once the box has gone (pass
  // `named`) the menu is photographed, then left through the quit box.
  int boxSeen = -1, named = -1;
  FrameProbe = [&](int pass) {
    passes = pass + 1;
    bool box = false;
    for (const Ref<TWidget>& w : WidgetManager->WidgetsList) box = box || dynamic_cast<TInputBox2*>(w.get());
    if (box && boxSeen < 0) boxSeen = pass;
    if (box && pass == boxSeen + 30) {
      for (int vk : {'T', 'E', 'S', 'T'}) {
        platform::InjectKey(vk, true);
        platform::InjectKey(vk, false);
      }
    }
    if (box && pass > boxSeen + 40 && pass % 10 == 0) {  // OK once the box has come to rest
      platform::InjectKey(platform::VK_RETURN, true);
      platform::InjectKey(platform::VK_RETURN, false);
    }
    if (!box && boxSeen >= 0 && named < 0) named = pass;
    if (named < 0) return;
    if (pass == named + 30) {
      platform::InjectKey(platform::VK_F12, true);
      platform::InjectKey(platform::VK_F12, false);
      shot_width = platform::GraphicsWidth();
      shot_height = platform::GraphicsHeight();
    }
    if (pass == named + 40) {
      platform::InjectKey(platform::VK_ESCAPE, true);
      platform::InjectKey(platform::VK_ESCAPE, false);
    }
    if (pass >= named + 60) {
      platform::InjectKey(platform::VK_RETURN, true);
      platform::InjectKey(platform::VK_RETURN, false);
    }
  };
  GameMain();

  // Left by "yes" in the quit box, well before the frame limit.
  EXPECT_EQ(exit_codes, std::vector<int>{0});
  EXPECT_LT(passes, 400);
  EXPECT_GT(passes, 90);

  // The five screens in drawing order (each screen's own controls follow it), the menu shown.
  ASSERT_TRUE(WidgetManager);
  const std::vector<TWidget*> top = {MapScreen.get(), MainMenuScreen.get(), VillageScreen.get(),
                                     TrophyRoomScreen.get(), GameScreen.get()};
  std::vector<TWidget*> screens;
  for (const Ref<TWidget>& w : WidgetManager->WidgetsList)
    if (std::find(top.begin(), top.end(), w.get()) != top.end()) screens.push_back(w.get());
  ASSERT_EQ(screens.size(), 5u);
  EXPECT_EQ(screens[0], MapScreen.get());
  EXPECT_EQ(screens[1], MainMenuScreen.get());
  EXPECT_EQ(screens[2], VillageScreen.get());
  EXPECT_EQ(screens[3], TrophyRoomScreen.get());
  EXPECT_EQ(screens[4], GameScreen.get());
  EXPECT_EQ(MainMenuScreen->Visible, 1);
  EXPECT_EQ(GameScreen->Visible, 0);
  EXPECT_EQ(MapScreen->Visible, 0);
  EXPECT_EQ(MusicModulesReady(), "stream tracker ogg mp3");
  EXPECT_EQ(LevelCount, 0);  // no level packs in this data set
  EXPECT_FLOAT_EQ(FrameSync->TargetFPS, 60.0f);

  // The log: its header, the menu, the play time; closed at the end.
  EXPECT_FALSE(LogIsOpen());
  const std::string log = testenv::ReadFile(SaveFolder() + "log.xml");
  EXPECT_NE(log.find("<divider>loading resources</divider>"), std::string::npos) << log;
  EXPECT_NE(log.find("<message>Kelp: The Broad Homesteads              ver. 1.35</message>"), std::string::npos);
  EXPECT_TRUE(std::regex_search(log, std::regex("<message>\\d\\d [A-Z][a-z][a-z] \\d{4}\\. \\d\\d:\\d\\d:\\d\\d</message>")));
  EXPECT_NE(log.find("<divider>Main Menu</divider>"), std::string::npos);
  EXPECT_NE(log.find("<divider>Total play time: 0 min 0 sec</divider>"), std::string::npos) << log;
  EXPECT_TRUE(std::filesystem::exists(SaveFolder() + "log.xsl"));

  // The options file, made with the defaults.
  EXPECT_EQ(testenv::ReadFile(SaveFolder() + "options.dat"), OptionsBytes(0.8f, 0.5f, 0.5f, 1, 1, 0));

  // The shot of the menu, mode-sized, showing the sky.
  const std::string shot = testenv::ReadFile(program / "Screenshots/0.bmp");
  ASSERT_GT(shot_width, 0);
  ASSERT_EQ(shot.size(), 54u + static_cast<size_t>((shot_width * 3 + 3) & ~3) * shot_height);
  const size_t mid = 54 + static_cast<size_t>((shot_width * 3 + 3) & ~3) * (shot_height / 2) + 3 * 20;
  EXPECT_EQ(shot.substr(mid, 3), std::string("\xC8\x78\x28", 3));
}

// "debug 2" asks for level 2 by name: a pack that cannot be played ends the
// program with a message and exit code 1, and nothing of it stays on screen.
TEST_F(GameMainTest, DebugStartOfALevelThatCannotBePlayedEndsWithCodeOne) {
  for (const char* pack : {"level001.lvl", "level002.lvl"}) testenv::WriteFile(program / (std::string("data/levels/") + pack), "");
  AppArguments = {"kelp", "debug", "2"};
  FrameLimit = 3;
  testing::internal::CaptureStderr();
  GameMain();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(exit_codes, std::vector<int>{1});
  EXPECT_NE(said.find("Level 2 could not be loaded"), std::string::npos) << said;
  EXPECT_EQ(LevelCount, 2);
  EXPECT_EQ(GameVersion, "ver. 1.35 DEBUG");
  EXPECT_EQ(GameScreen->Visible, 0);
  const std::string log = testenv::ReadFile(SaveFolder() + "log.xml");
  EXPECT_NE(log.find("Level 2 cannot be played"), std::string::npos) << log;
  // The damaged pack's own complaint reaches the log, and stderr in a debug start.
  EXPECT_NE(log.find("<error>[Pak ERROR"), std::string::npos) << log;
  EXPECT_NE(said.find("too short for an archive"), std::string::npos) << said;
}

// Without its data the game names what is missing in a message box and ends
// with code 2 instead of running blind.
TEST_F(GameMainTest, MissingDataEndsWithAMessageNamingIt) {
  const struct {
    const char* name;
    const char* remove;
    const char* named;
  } cases[] = {
      {"no res.xml", "res.xml", "\"res.xml\""},
      {"no data folder", "data", "\"data\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(program / c.remove);
    std::string box;
    platform::SetMessageBoxHandler([&box](const std::string&, const std::string& text, platform::MessageButtons) {
      box = text;
      return 1;
    });
    exit_codes.clear();
    testing::internal::CaptureStderr();
    GameMain();
    testing::internal::GetCapturedStderr();
    platform::SetMessageBoxHandler({});
    EXPECT_EQ(exit_codes, std::vector<int>{2});
    EXPECT_NE(box.find(c.named), std::string::npos) << box;
    EXPECT_FALSE(platform::GraphicsOpen());
    const std::string log = testenv::ReadFile(SaveFolder() + "log.xml");
    EXPECT_NE(log.find("<error>The game cannot start"), std::string::npos) << log;
    platform::ReleaseSingleInstance();
    testsupport::ResetAppRooms();
    WriteGameData(program);
  }
}

TEST_F(GameMainTest, ASecondStartEndsAtOnce) {
  platform::SingleInstanceLock first;
  ASSERT_TRUE(first.Acquire(SaveFolder(), "Kelp: Test Run"));
  GameMain();
  EXPECT_EQ(exit_codes, std::vector<int>{0});
  EXPECT_FALSE(platform::GraphicsOpen());
  EXPECT_FALSE(std::filesystem::exists(SaveFolder() + "log.xml"));
  EXPECT_GE(first.ServiceRequests(), 1);  // asked to come forward
}

}  // namespace
}  // namespace kelp
