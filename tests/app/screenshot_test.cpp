// F12 shots: the BMP layout, the numbering and where the files go.
#include <filesystem>
#include <string>

#include "app/screenshot.h"
#include "app_test_env.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/stream.h"

namespace kelp::apptest {
namespace {

uint32_t Le32(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 | static_cast<uint8_t>(b[at + 2]) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

std::string Bmp(const platform::Pixmap& p) {
  platform::MemoryStream s;
  EXPECT_TRUE(WriteBMP(s, p));
  return std::string(s.Data().begin(), s.Data().end());
}

TEST(Screenshot, BmpHeaderAndRowsOfASmallPicture) {
  platform::Pixmap p(5, 2);
  p.WritePixel(0, 0, 0xFF112233u);  // top left
  p.WritePixel(4, 1, 0xFFAABBCCu);  // bottom right
  const std::string b = Bmp(p);
  ASSERT_EQ(b.size(), 86u);  // 54 + 2 rows of 16 (15 padded to 16)
  EXPECT_EQ(b.substr(0, 2), "BM");
  const struct {
    size_t at;
    uint32_t value;
  } fields[] = {{2, 86}, {6, 0}, {10, 54}, {14, 40}, {18, 5}, {22, 2}, {30, 0}, {34, 32}, {38, 2834}, {42, 2834},
                {46, 0}, {50, 0}};
  for (const auto& f : fields) EXPECT_EQ(Le32(b, f.at), f.value) << "offset " << f.at;
  EXPECT_EQ(static_cast<uint8_t>(b[26]) | static_cast<uint8_t>(b[27]) << 8, 1);
  EXPECT_EQ(static_cast<uint8_t>(b[28]) | static_cast<uint8_t>(b[29]) << 8, 24);
  // The bottom row comes first, blue green red.
  EXPECT_EQ(b.substr(54 + 12, 3), std::string("\xCC\xBB\xAA", 3));
  EXPECT_EQ(b[54 + 15], '\0');
  EXPECT_EQ(b.substr(54 + 16, 3), std::string("\x33\x22\x11", 3));
}

TEST(Screenshot, RowsArePaddedToFourBytes) {
  for (const auto& [width, row] : {std::pair{800, 2400}, {1280, 3840}, {1366, 4100}}) {
    platform::Pixmap p(width, 1);
    EXPECT_EQ(Bmp(p).size(), 54u + row) << width;
  }
}

TEST(Screenshot, NextShotTakesTheFirstFreeNumber) {
  const struct {
    std::vector<std::string> present;
    std::string next;
  } cases[] = {{{}, "0.bmp"}, {{"0.bmp", "1.bmp"}, "2.bmp"}, {{"1.bmp"}, "0.bmp"}};
  for (const auto& c : cases) {
    testenv::TempDir dir;
    for (const std::string& f : c.present) testenv::WriteFile(dir / f, "x");
    EXPECT_EQ(FreeScreenshotPath(dir.path() + "/"), dir / c.next);
  }
}

class ScreenshotKeyTest : public FrameLoopTest {
 protected:
  void SetUp() override {
    FrameLoopTest::SetUp();
    old_cwd = std::filesystem::current_path();
    std::filesystem::current_path(program.path());
    setenv("APPDATA", (appdata.path()).c_str(), 1);
  }
  void TearDown() override {
    std::filesystem::current_path(old_cwd);
    FrameLoopTest::TearDown();
  }
  void ShootFrame() {
    platform::InjectKey(platform::VK_F12, true);
    platform::InjectKey(platform::VK_F12, false);
    UpdateFrame();
  }
  testenv::TempDir program, appdata;
  std::filesystem::path old_cwd;
};

TEST_F(ScreenshotKeyTest, F12SavesTheFrameBesideTheProgram) {
  platform::SetClearColor(10, 20, 30);
  UpdateFrame();
  EXPECT_FALSE(std::filesystem::exists(program / "Screenshots"));
  ShootFrame();
  ShootFrame();
  const std::string b = testenv::ReadFile(program / "Screenshots/1.bmp");
  ASSERT_EQ(b.size(), 54u + 2400u * 600u);
  EXPECT_EQ(Le32(b, 18), 800u);
  EXPECT_EQ(Le32(b, 22), 600u);
  EXPECT_EQ(b.substr(54, 3), std::string("\x1E\x14\x0A", 3));
  platform::SetClearColor(0, 0, 0);
}

TEST_F(ScreenshotKeyTest, TheShotHasTheModeSizeNotTheVirtualOne) {
  ASSERT_TRUE(platform::OpenGraphics(1280, 720, 0, 60, true));
  platform::SetVirtualResolution(960, 600);
  ShootFrame();
  const std::string b = testenv::ReadFile(program / "Screenshots/0.bmp");
  ASSERT_EQ(b.size(), 54u + 3840u * 720u);
  EXPECT_EQ(Le32(b, 18), 1280u);
  EXPECT_EQ(Le32(b, 22), 720u);
}

TEST_F(ScreenshotKeyTest, AFolderThatCannotHoldShotsSendsThemToTheSaveFolder) {
  testenv::WriteFile(program / "Screenshots", "a file, not a folder");
  ShootFrame();
  EXPECT_TRUE(std::filesystem::exists(appdata / "Kelp/data/Screenshots/0.bmp"));
}

}  // namespace
}  // namespace kelp::apptest
