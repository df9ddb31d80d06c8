#include "framework/files/pak.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/debug_output.h"
#include "platform/stream.h"
#include "reset_rooms.h"
#include "test_env.h"

using namespace kelp;

namespace {

using Files = std::vector<std::pair<std::string, std::string>>;  // archive name, contents

// Packs the files with the game's writer; sources are staged under `stage`.
void BuildPak(const std::string& stage, const std::string& out, const Files& files) {
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string src = stage + "/src" + std::to_string(i);
    testenv::WriteFile(src, files[i].second);
    ASSERT_TRUE(TFile::AddFile(src, files[i].first)) << files[i].first;
  }
  ASSERT_TRUE(TFile::Pack(out));
}

std::string Int32(int32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(static_cast<uint32_t>(v) >> (8 * i));
  return s;
}

struct RawEntry {
  std::string name;
  int32_t size, offset;
};

// A directory written by hand, for archives the writer would never make.
std::string RawPak(int32_t count, const std::vector<RawEntry>& entries, const std::string& tail) {
  std::string s = Int32(count);
  for (const auto& e : entries) {
    std::string name = e.name;
    name.resize(PakNameLength, ' ');
    for (char& c : name) c = static_cast<char>(c + 3);
    s += name + Int32(e.size) + Int32(e.offset);
  }
  return s + tail;
}

std::optional<std::string> Contents(const platform::StreamRef& s) {
  if (!s) return std::nullopt;
  const auto bytes = s->ReadAll();
  return std::string(bytes.begin(), bytes.end());
}

// Runs each test in a fresh working folder, as the game runs in its program folder.
class PakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetFilesRooms();
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    SetDebugOutputHook([this](const std::string& m) { messages_.push_back(m); });
  }
  void TearDown() override {
    testsupport::ResetFilesRooms();
    std::filesystem::current_path(old_);
  }

  testenv::TempDir dir_;
  std::filesystem::path old_;
  std::vector<std::string> messages_;
};

}  // namespace

TEST_F(PakTest, WriterPlacesContentsBehindDirectoryAndEncodesNames) {
  BuildPak("stage", "out.pak", {{"Data/Ten.bin", std::string(10, 'a')}, {"data/twenty.bin", std::string(20, 'b')}});
  const std::string pak = testenv::ReadFile("out.pak");
  ASSERT_EQ(pak.size(), 250u);

  auto s = platform::OpenMemory(pak);
  EXPECT_EQ(s->ReadInt(), 2);
  const std::string raw = s->ReadBytes(PakNameLength);
  EXPECT_EQ(raw[0], static_cast<char>('d' + 3));  // lower-cased, code + 3
  EXPECT_EQ(raw[99], static_cast<char>(35));      // a blank
  s->Seek(4);
  EXPECT_EQ(ReadPakName(*s, PakNameLength), PakKey("data/ten.bin") + std::string(100 - 12, ' '));
  EXPECT_EQ(s->ReadInt(), 10);
  EXPECT_EQ(s->ReadInt(), 220);
  s->Seek(4 + PakEntrySize + PakNameLength);
  EXPECT_EQ(s->ReadInt(), 20);
  EXPECT_EQ(s->ReadInt(), 230);
  EXPECT_EQ(pak.substr(220, 10), std::string(10, 'a'));
  EXPECT_EQ(pak.substr(230, 20), std::string(20, 'b'));
  EXPECT_EQ(PackFiles.Count(), 0u);
}

TEST_F(PakTest, WriterRefusesWhatWouldNotReadBack) {
  testenv::WriteFile("stage/file.txt", "x");
  EXPECT_FALSE(TFile::AddFile("missing.txt"));
  EXPECT_FALSE(TFile::AddFile("."));  // a folder
  EXPECT_FALSE(TFile::AddFile("stage/file.txt", std::string(101, 'n')));  // would collide once cut
  EXPECT_TRUE(TFile::AddFile("stage/file.txt", std::string(100, 'n')));
  EXPECT_EQ(PackFiles.Count(), 1u);
}

TEST_F(PakTest, LookupGoesDiskThenArchiveThenLevelPack) {
  const std::string longName = "data/" + std::string(120, 'l');
  // A level pack, then the main archive holding it.
  BuildPak("stage/pack", "stage/level001.lvl",
           {{"data/levels/level001.xml", "pack-level"},
            {"data/levels/level001_floor.xml", "pack-floor"},
            {"data/b.txt", "pack-b"}});
  BuildPak("stage/main", "data/data.pak",
           {{"data/a.txt", "archive-a"},
            {"data/b.txt", "archive-b"},
            {longName.substr(0, PakNameLength), "archive-long"},
            {"data/levels/level001.lvl", testenv::ReadFile("stage/level001.lvl")},
            {"data/c.txt", "archive-c"}});
  testenv::WriteFile("data/a.txt", "disk-a");
  testenv::WriteFile("data/levels/level001_floor.xml", "disk-floor");
  LevelPakPath = "data/levels/level001.lvl";

  struct Case {
    const char* name;
    bool levelPack;  // through TPak::PakSmall
    std::optional<std::string> want;
    bool fromDisk;
  };
  const Case cases[] = {
      {"data/a.txt", false, "disk-a", true},
      {"data/b.txt", false, "archive-b", false},
      {"DATA/B.TXT", false, "archive-b", false},
      {"data\\b.txt", false, "archive-b", false},
      {"data/b.txt   ", false, "archive-b", false},
      {longName.c_str(), false, "archive-long", false},
      {"data/missing.txt", false, std::nullopt, false},
      {"data", false, std::nullopt, false},  // a folder is not a file
      {"", false, std::nullopt, false},
      {"data/levels/level001.xml", false, std::nullopt, false},  // not in the main archive
      {"data/levels/level001.xml", true, "pack-level", false},
      {"Data\\Levels\\LEVEL001.xml", true, "pack-level", false},
      {"data/levels/level001_floor.xml", true, "disk-floor", true},
      {"data/b.txt", true, "archive-b", false},
      {"data/levels/level001_path.dat", true, std::nullopt, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.levelPack ? " (level pack)" : ""));
    PakBaseOffset = -1;
    const auto s = c.levelPack ? TPak::PakSmall(c.name) : OpenPakStream(c.name);
    EXPECT_EQ(Contents(s), c.want);
    if (c.want) {
      EXPECT_EQ(PakBaseOffset == 0, c.fromDisk);
    }
  }
  EXPECT_EQ(PakDirectory.Count(), 5u);
  EXPECT_EQ(PakEntries.Count(), 3u);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(PakTest, EntryStreamEndsAtTheEntrysEnd) {
  BuildPak("stage", "data/data.pak", {{"data/one.xml", "<one/>"}, {"data/two.xml", "<two/>"}});
  const auto s = OpenPakStream("data/one.xml");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Pos(), 0);
  EXPECT_EQ(s->Size(), 6);
  EXPECT_EQ(s->ReadBytes(100), "<one/>");
  EXPECT_TRUE(s->Eof());
  EXPECT_EQ(s->ReadInt(), 0);
}

TEST_F(PakTest, LevelPackOnDiskAndChangeOfPack) {
  BuildPak("stage/1", "data/levels/level001.lvl", {{"data/levels/level001.xml", "one"}});
  BuildPak("stage/2", "data/levels/level002.lvl",
           {{"data/levels/level002.xml", "two"}, {"data/levels/level002_world.xml", "world"}});
  LevelPakPath = "data/levels/level001.lvl";
  EXPECT_EQ(Contents(TPak::PakSmall("data/levels/level001.xml")), "one");
  EXPECT_EQ(LevelPakReady, 1);
  EXPECT_EQ(PakBaseOffset, 0);  // the pack itself came from disk

  // The level loader moves to the next pack: the old pack's entries go.
  LevelPakPath = "data/levels/level002.lvl";
  LevelPakReady = 0;
  EXPECT_EQ(Contents(TPak::PakSmall("data/levels/level002_world.xml")), "world");
  EXPECT_EQ(PakEntries.Count(), 2u);
  EXPECT_EQ(TPak::PakSmall("data/levels/level001.xml"), nullptr);

  // A pack that is nowhere leaves the reader ready to try again.
  LevelPakPath = "data/levels/level009.lvl";
  LevelPakReady = 0;
  EXPECT_EQ(TPak::PakSmall("data/levels/level009.xml"), nullptr);
  EXPECT_EQ(LevelPakReady, 0);
  EXPECT_FALSE(messages_.empty());
}

TEST_F(PakTest, MissingArchiveLeavesDiskOnly) {
  testenv::WriteFile("data/a.txt", "disk");
  EXPECT_EQ(Contents(OpenPakStream("data/a.txt")), "disk");
  EXPECT_EQ(OpenPakStream("data/b.txt"), nullptr);
  EXPECT_EQ(PakDirectoryLoaded, 1);
  EXPECT_EQ(PakDirectory.Count(), 0u);
}

// Archives cut short or with a lying directory: whatever lies wholly inside
// the file is found, the rest is not, and each fault is reported.
TEST_F(PakTest, DamagedArchiveGivesWhatCanBeRead) {
  const int32_t dir2 = 4 + 2 * PakEntrySize;
  const std::string good = RawPak(2, {{"data/a.txt", 3, dir2}, {"data/b.txt", 2, dir2 + 3}}, "AAABB");
  struct Case {
    const char* what;
    std::string bytes;
    std::optional<std::string> a, b;
    bool complains;
  };
  const Case cases[] = {
      {"intact", good, "AAA", "BB", false},
      {"empty file", "", std::nullopt, std::nullopt, true},
      {"cut inside the count", good.substr(0, 2), std::nullopt, std::nullopt, true},
      {"cut inside the directory", good.substr(0, 4 + PakEntrySize + 50), std::nullopt, std::nullopt, true},
      {"cut inside the contents", good.substr(0, good.size() - 1), "AAA", std::nullopt, true},
      {"count far beyond the file", RawPak(0x7fffffff, {{"data/a.txt", 3, dir2}, {"data/b.txt", 2, dir2 + 3}}, "AAABB"),
       "AAA", "BB", true},
      {"negative count", RawPak(-5, {{"data/a.txt", 3, dir2}}, "AAA"), std::nullopt, std::nullopt, true},
      {"offset past the end", RawPak(2, {{"data/a.txt", 3, dir2}, {"data/b.txt", 2, 1 << 30}}, "AAABB"), "AAA",
       std::nullopt, true},
      {"negative size", RawPak(2, {{"data/a.txt", -3, dir2}, {"data/b.txt", 2, dir2 + 3}}, "AAABB"), std::nullopt,
       "BB", true},
      {"size running past the end", RawPak(2, {{"data/a.txt", 3, dir2}, {"data/b.txt", 0x7ffffff0, dir2 + 3}}, "AAABB"),
       "AAA", std::nullopt, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetPakState();
    messages_.clear();
    testenv::WriteFile("data/data.pak", c.bytes);
    EXPECT_EQ(Contents(OpenPakStream("data/a.txt")), c.a);
    EXPECT_EQ(Contents(OpenPakStream("data/b.txt")), c.b);
    EXPECT_EQ(!messages_.empty(), c.complains);
  }
}

TEST_F(PakTest, DamagedLevelPackInsideArchiveStaysInsideItsEntry) {
  // The pack's second entry points past the pack, into the archive's next entry.
  const int32_t dir2 = 4 + 2 * PakEntrySize;
  const std::string pack =
      RawPak(2, {{"data/levels/level001.xml", 2, dir2}, {"data/levels/level001_world.xml", 4, dir2 + 2}}, "ok");
  BuildPak("stage", "data/data.pak", {{"data/levels/level001.lvl", pack}, {"data/secret.txt", "SECRET"}});
  LevelPakPath = "data/levels/level001.lvl";
  EXPECT_EQ(Contents(TPak::PakSmall("data/levels/level001.xml")), "ok");
  EXPECT_EQ(TPak::PakSmall("data/levels/level001_world.xml"), nullptr);
  EXPECT_FALSE(messages_.empty());
}
