// The splash: which logos a key or a click may cut short.
#include <filesystem>
#include <string>

#include "app/startup.h"
#include "app_test_env.h"

namespace kelp::apptest {
namespace {

class SplashTest : public FrameLoopTest {
 protected:
  void SetUp() override {
    FrameLoopTest::SetUp();
    old_cwd = std::filesystem::current_path();
    std::filesystem::create_directories(program / "screenbranding");
    platform::Pixmap logo(40, 20);
    ASSERT_TRUE(platform::SavePixmapPNG(logo, program / "screenbranding/logo.png"));
    std::filesystem::current_path(program.path());
    SplashWaits = 0;
  }
  void TearDown() override {
    std::filesystem::current_path(old_cwd);
    FrameLoopTest::TearDown();
  }
  // Frame ticks the splash of these logos takes.
  int SplashTicks(const std::string& logos) {
    testenv::WriteFile(program / "screenbranding/config.xml", "<splash>" + logos + "</splash>");
    ticks = 0;
    ShowSplash();
    return ticks;
  }
  testenv::TempDir program;
  std::filesystem::path old_cwd;
};

std::string Logo(const char* skip) {
  return std::string(R"(<logo image="screenbranding/logo.png" time="0" scale="1" skip=")") + skip + "\"/>";
}

TEST_F(SplashTest, OnlyLogosWithSkipAreCutShortAndAHeldKeyCutsOnlyOne) {
  const int full = SplashTicks(Logo("0"));
  ASSERT_GT(full, 50);  // faded in and out

  const struct {
    const char* name;
    std::string logos;
    bool key, click;
    int expected;
  } cases[] = {
      {"skip 0 ignores a held key", Logo("0"), true, false, full},
      {"skip 1 is cut by a held key", Logo("1"), true, false, 0},
      {"skip 1 is cut by a click", Logo("1"), false, true, 0},
      {"only the low byte of skip counts", Logo("256"), true, false, full},
      {"the key held through the first logo does not cut the second", Logo("1") + Logo("1"), true, false, full},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    platform::ResetInput();
    if (c.key) platform::InjectKey(platform::VK_SPACE, true);
    if (c.click) {
      platform::InjectMouseButton(1, true);
      platform::InjectMouseButton(1, false);
    }
    EXPECT_EQ(SplashTicks(c.logos), c.expected);
  }
  platform::ResetInput();
}

}  // namespace
}  // namespace kelp::apptest
