#include "platform/files.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/stream.h"
#include "test_env.h"

TEST(Files, DataPathWithBackslashesAndOtherCaseOpens) {
  testenv::TempDir dir;
  testenv::WriteFile(dir / "Data/Lang/String.dat", "hello");
  auto s = platform::OpenFileRead(dir.path() + "\\data\\LANG\\string.DAT");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->ReadBytes(100), "hello");
  EXPECT_EQ(platform::OpenFileRead(dir.path() + "/data/lang/missing.dat"), nullptr);
}

TEST(Files, AppDataFollowsEnvironment) {
  const char* old_app = std::getenv("APPDATA");
  const std::string saved_app = old_app ? old_app : "";
  setenv("APPDATA", "/tmp/kelp-app", 1);
  EXPECT_EQ(platform::AppDataFolder(), "/tmp/kelp-app");
  unsetenv("APPDATA");
  setenv("XDG_DATA_HOME", "/tmp/xdg", 1);
  EXPECT_EQ(platform::AppDataFolder(), "/tmp/xdg");
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(platform::AppDataFolder(), "/home/someone/.local/share");
  if (old_app) setenv("APPDATA", saved_app.c_str(), 1);
}

TEST(Files, InterruptedSaveLeavesOldFileWhole) {
  testenv::TempDir dir;
  const std::string path = dir / "profile.dat";
  ASSERT_TRUE(platform::SaveFileAtomic(path, std::string("old contents")));
  // The writer fails half way, as a full disk or a crash before the rename would.
  const bool ok = platform::SaveFileAtomic(path, [](platform::Stream& s) {
    s.WriteBytes("new and half");
    return false;
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(testenv::ReadFile(path), "old contents");
  EXPECT_FALSE(platform::IsFile(path + ".tmp"));
  ASSERT_TRUE(platform::SaveFileAtomic(path, std::string("new")));
  EXPECT_EQ(testenv::ReadFile(path), "new");
}

TEST(Streams, LittleEndianPrimitivesRoundTrip) {
  platform::MemoryStream m;
  m.WriteInt(-2);
  m.WriteFloat(1.5f);
  m.WriteShort(0x1234);
  m.WriteByte(200);
  m.WriteLine("abc");
  m.WriteBytes("x\ny");
  m.Seek(0);
  EXPECT_EQ(m.ReadInt(), -2);
  EXPECT_EQ(m.ReadFloat(), 1.5f);
  EXPECT_EQ(m.ReadShort(), 0x1234);
  EXPECT_EQ(m.ReadByte(), 200);
  EXPECT_EQ(m.ReadLine(), "abc");
  EXPECT_EQ(m.ReadLine(), "x");
  EXPECT_EQ(m.ReadLine(), "y");
  EXPECT_TRUE(m.Eof());
  EXPECT_EQ(m.ReadInt(), 0);  // past the end
  EXPECT_EQ(m.Data()[0], 0xFE);
}

TEST(Streams, WindowEndsAtItsOwnEnd) {
  auto base = platform::OpenMemory(std::string_view("0123456789"));
  platform::SubStream sub(base, 3, 4);
  EXPECT_EQ(sub.ReadBytes(100), "3456");
  EXPECT_TRUE(sub.Eof());
  EXPECT_FALSE(sub.Seek(5));
  EXPECT_TRUE(sub.Seek(1));
  EXPECT_EQ(sub.ReadLine(), "456");
}
