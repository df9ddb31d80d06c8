// "records.dat": the three best results of each level and game mode.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/core/random.h"
#include "framework/files/strings.h"
#include "frontend/level_record.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "reset_rooms.h"
#include "test_env.h"

namespace kelp {
namespace {

std::string Record(int id, int mode, const std::string (&names)[3], const int (&scores)[3]) {
  platform::MemoryStream s;
  s.WriteByte(static_cast<uint8_t>(id));
  s.WriteByte(static_cast<uint8_t>(mode));
  for (int i = 0; i < 3; ++i) {
    s.WriteByte(static_cast<uint8_t>(names[i].size()));
    s.WriteBytes(names[i]);
    s.WriteInt(scores[i]);
  }
  return std::string(s.Data().begin(), s.Data().end());
}

class LevelRecordFile : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetFrontendRooms();
    setenv("APPDATA", appdata.path().c_str(), 1);
    SeedRnd(7);
    PhraseBank = New<TStrings>();
    PhraseBank->NamesArray = {"Pip", "Moss", "Wren"};
  }
  void TearDown() override { testsupport::ResetFrontendRooms(); }

  static std::vector<int> Scores(int id, int mode) {
    const Ref<TLevelRecord> r = TLevelRecord::GetRecord(id, mode);
    return {r->scores[0], r->scores[1], r->scores[2]};
  }
  static void Table(int id, int mode, std::vector<int> scores) {
    const Ref<TLevelRecord> r = TLevelRecord::GetRecord(id, mode);
    for (int i = 0; i < 3; ++i) {
      r->scores[i] = scores[static_cast<size_t>(i)];
      r->name[i] = "old" + std::to_string(i);
    }
  }

  testenv::TempDir appdata;
};

TEST_F(LevelRecordFile, ANewResultTakesItsPlaceAndTheOnesBelowMoveDown) {
  struct Case {
    const char* what;
    std::vector<int> table;
    int score;
    std::vector<int> want;
    int at;  // the entry that now holds the new name, -1 none
  };
  const Case cases[] = {
      {"at the top", {1500, 1000, 500}, 2000, {2000, 1500, 1000}, 0},
      {"in the middle", {1500, 1000, 500}, 1200, {1500, 1200, 1000}, 1},
      {"at the bottom", {1500, 1000, 500}, 700, {1500, 1000, 700}, 2},
      {"off the table", {1500, 1000, 500}, 400, {1500, 1000, 500}, -1},
      {"an equal score stays below", {1500, 1000, 500}, 1000, {1500, 1000, 1000}, 2},
      {"a table of zeros", {0, 0, 0}, 10, {10, 0, 0}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Table(4, 0, c.table);
    TLevelRecord::SetRecord(4, 0, "Neo", c.score);
    EXPECT_EQ(Scores(4, 0), c.want);
    const Ref<TLevelRecord> r = TLevelRecord::GetRecord(4, 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(r->name[i] == "Neo", i == c.at) << "entry " << i;
  }
  EXPECT_EQ(LevelRecords.Count(), 1u) << "one table per level and mode";
}

TEST_F(LevelRecordFile, AFirstLookInventsResultsToBeat) {
  const Ref<TLevelRecord> relaxed = TLevelRecord::GetRecord(12, 1);
  EXPECT_GE(relaxed->scores[0], 1500);
  EXPECT_LE(relaxed->scores[0], 2100);
  EXPECT_GE(relaxed->scores[1], 1000);
  EXPECT_LE(relaxed->scores[1], 1400);
  EXPECT_GE(relaxed->scores[2], 500);
  EXPECT_LE(relaxed->scores[2], 700);
  EXPECT_FALSE(relaxed->name[0].empty());
  const Ref<TLevelRecord> normal = TLevelRecord::GetRecord(12, 0);
  EXPECT_GE(normal->scores[0], 3000);
  EXPECT_LE(normal->scores[0], 4500);
  EXPECT_EQ(TLevelRecord::GetRecord(12, 1), relaxed);
  const Ref<TLevelRecord> other = TLevelRecord::Create(12, 7);
  EXPECT_EQ(other->scores[0], 0);
  EXPECT_EQ(other->name[0], "");
}

TEST_F(LevelRecordFile, SavedTablesComeBackWhole) {
  TLevelRecord::SetRecord(3, 0, "B\xC3\xA9la", 9000);
  TLevelRecord::SetRecord(3, 1, "Cy", 4000);
  TLevelRecord::SetRecord(67, 0, std::string(300, 'x'), 8000);
  ASSERT_TRUE(TLevelRecord::Save());
  std::vector<std::vector<int>> before;
  for (const auto& r : LevelRecords) before.push_back({r->id, r->GameType, r->scores[0], r->scores[1], r->scores[2]});

  LevelRecords.Clear();
  EXPECT_TRUE(TLevelRecord::Load());
  std::vector<std::vector<int>> after;
  for (const auto& r : LevelRecords) after.push_back({r->id, r->GameType, r->scores[0], r->scores[1], r->scores[2]});
  EXPECT_EQ(after, before);
  EXPECT_EQ(TLevelRecord::GetRecord(3, 0)->name[0], "B\xC3\xA9la") << "one byte per character";
  EXPECT_EQ(TLevelRecord::GetRecord(67, 0)->name[0], std::string(255, 'x')) << "a name is cut to 255";
}

TEST_F(LevelRecordFile, AFileOfBrokenRecordsIsRefusedWhole) {
  const std::string whole = Record(3, 0, {"Ann", "Bo", ""}, {4500, 3000, 10});
  struct Case {
    const char* what;
    std::string bytes;
    size_t records;
  };
  const Case cases[] = {
      {"whole records", whole + Record(12, 1, {"Cy", "Di", "Ed"}, {900, 800, 700}), 2},
      {"a duplicate key: the first stands", whole + Record(3, 0, {"X", "Y", "Z"}, {1, 2, 3}), 1},
      {"cut in the last record", whole + whole.substr(0, 9), 0},
      {"one stray byte", whole + "\x01", 0},
      {"a name longer than the file", whole.substr(0, 2) + "\xFF" + "abc", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LevelRecords.Clear();
    testenv::WriteFile(RecordsPath(), c.bytes);
    EXPECT_EQ(TLevelRecord::Load(), c.records > 0);
    EXPECT_EQ(LevelRecords.Count(), c.records);
    if (c.records == 0) EXPECT_EQ(testenv::ReadFile(RecordsPath()), "") << "the damaged file is replaced";
  }
  EXPECT_EQ(TLevelRecord::GetRecord(3, 0)->scores[0] > 0, true) << "tables are invented again on demand";
}

TEST_F(LevelRecordFile, MissingFileChangesNothing) {
  TLevelRecord::Create(9, 1);
  EXPECT_TRUE(TLevelRecord::Load());
  EXPECT_EQ(LevelRecords.Count(), 1u);
}

// A save killed after it has written its temporary file but before the
// rename leaves the old file as it was.
TEST_F(LevelRecordFile, AWriteInterruptedBeforeItsRenameKeepsTheOldFile) {
  TLevelRecord::SetRecord(5, 0, "Old", 7000);
  ASSERT_TRUE(TLevelRecord::Save());
  const std::string old = testenv::ReadFile(RecordsPath());
  TLevelRecord::SetRecord(6, 0, "New", 9000);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    platform::SaveFileAtomic(RecordsPath(), [](platform::Stream& s) {
      TLevelRecord::Write(s);
      s.Flush();
      _exit(0);  // the process dies here, before the rename
      return true;
    });
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child died where it was meant to";
  EXPECT_EQ(testenv::ReadFile(RecordsPath()), old);
  LevelRecords.Clear();
  EXPECT_TRUE(TLevelRecord::Load());
  EXPECT_EQ(LevelRecords.Count(), 1u);
  ASSERT_TRUE(TLevelRecord::Save()) << "the next save goes through over the leftover";
}

}  // namespace
}  // namespace kelp
