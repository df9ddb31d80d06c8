// The options file: defaults, damaged files and a folder that cannot be written.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>

#include "framework/media/canvas_placement.h"
#include "framework/media/sound.h"
#include "framework/ui/mouse.h"
#include "frontend/options.h"
#include "alloc_limit.h"
#include "reset_rooms.h"
#include "test_env.h"

namespace kelp {
namespace {

class OptionsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetFrontendRooms();
    setenv("APPDATA", appdata.path().c_str(), 1);
    path = appdata / "Kelp/data/options.dat";
  }
  void TearDown() override { testsupport::ResetFrontendRooms(); }
  void ExpectOptions(float sound, float music, float sens, int full, int wide, int cursor) {
    EXPECT_FLOAT_EQ(SoundVolume, sound);
    EXPECT_FLOAT_EQ(MusicVolume, music);
    EXPECT_FLOAT_EQ(MouseSensitivity, sens);
    EXPECT_EQ(FullScreen, full);
    EXPECT_EQ(WideScreen, wide);
    EXPECT_EQ(CustomCursor, cursor);
  }
  testenv::TempDir appdata;
  std::string path;
};

const std::string kDefaults = OptionsBytes(0.8f, 0.5f, 0.5f, 1, 1, 0);

TEST_F(OptionsFileTest, FileContentsAndWhatIsRead) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    const char* name;
    bool present;
    std::string bytes;
    float sound, music, sens;
    int full, wide, cursor;
    std::string file_after;
  } cases[] = {
      {"missing: the defaults are written", false, "", 0.8f, 0.5f, 0.5f, 1, 1, 0, kDefaults},
      {"15 bytes", true, OptionsBytes(0.25f, 0.75f, 1.0f, 0, 0, 1), 0.25f, 0.75f, 1.0f, 0, 0, 1,
       OptionsBytes(0.25f, 0.75f, 1.0f, 0, 0, 1)},
      {"14 bytes: replaced by the defaults", true, OptionsBytes(0.1f, 0.1f, 0.1f, 0, 0, 0).substr(0, 14), 0.8f, 0.5f,
       0.5f, 1, 1, 0, kDefaults},
      {"16 bytes: the extra is ignored", true, OptionsBytes(0.3f, 0.4f, 0.6f, 1, 0, 0) + "x", 0.3f, 0.4f, 0.6f, 1, 0,
       0, OptionsBytes(0.3f, 0.4f, 0.6f, 1, 0, 0) + "x"},
      {"any non-zero byte is on", true, OptionsBytes(0.5f, 0.5f, 0.5f, 7, 255, 2), 0.5f, 0.5f, 0.5f, 1, 1, 1,
       OptionsBytes(0.5f, 0.5f, 0.5f, 7, 255, 2)},
      {"out of range and NaN values are kept within 0..1", true, OptionsBytes(5.0f, -1.0f, nan, 1, 1, 0), 1.0f, 0.0f,
       0.5f, 1, 1, 0, OptionsBytes(5.0f, -1.0f, nan, 1, 1, 0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(path);
    if (c.present) testenv::WriteFile(path, c.bytes);
    EXPECT_EQ(TOptions::LoadOptions(), 1);
    ExpectOptions(c.sound, c.music, c.sens, c.full, c.wide, c.cursor);
    EXPECT_EQ(testenv::ReadFile(path), c.file_after);
  }
}

// The layout itself, not only a round trip: three little-endian singles, then three bytes.
TEST_F(OptionsFileTest, DefaultFileBytes) {
  std::filesystem::remove(path);
  ASSERT_EQ(TOptions::CreateDefaultConfig(), 1);
  EXPECT_EQ(testenv::ReadFile(path), std::string("\xCD\xCC\x4C\x3F"
                                                 "\x00\x00\x00\x3F"
                                                 "\x00\x00\x00\x3F"
                                                 "\x01\x01\x00",
                                                 15));
}

TEST_F(OptionsFileTest, SavedOptionsReadBack) {
  SoundVolume = 0.125f;
  MusicVolume = 0.0f;
  MouseSensitivity = 0.75f;
  FullScreen = 0;
  WideScreen = 1;
  CustomCursor = 1;
  ASSERT_EQ(TOptions::SaveOptions(), 1);
  SoundVolume = MusicVolume = MouseSensitivity = 0.3f;
  ASSERT_EQ(TOptions::LoadOptions(), 1);
  ExpectOptions(0.125f, 0.0f, 0.75f, 0, 1, 1);
}

// A file that can be neither read nor replaced must not keep start-up
// rewriting and re-reading it: the defaults are used and start-up goes on.
TEST_F(OptionsFileTest, AnUnwritableFileGivesTheDefaultsInMemory) {
  std::filesystem::create_directories(path);  // a folder where the file should be
  SoundVolume = 0.1f;
  FullScreen = 0;
  EXPECT_EQ(TOptions::LoadOptions(), 0);
  ExpectOptions(0.8f, 0.5f, 0.5f, 1, 1, 0);
  EXPECT_EQ(TOptions::SaveOptions(), 0);
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

// Only the 15 bytes of the format are read: an 8 GiB sparse file costs no memory.
TEST_F(OptionsFileTest, AHugeFileIsReadInBoundedMemory) {
  if (!testenv::AllocationLimit::Available()) GTEST_SKIP() << "no allocation limit under AddressSanitizer";
  testenv::WriteFile(path, OptionsBytes(0.25f, 0.75f, 1.0f, 0, 0, 1));
  std::filesystem::resize_file(path, uint64_t{8} << 30);
  testenv::AllocationLimit limit(1 << 20);
  EXPECT_EQ(TOptions::LoadOptions(), 1);
  EXPECT_EQ(limit.Refused(), 0);
  ExpectOptions(0.25f, 0.75f, 1.0f, 0, 0, 1);
}

}  // namespace
}  // namespace kelp
