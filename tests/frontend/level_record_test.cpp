// "records.dat": the three best results of each level and game mode.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/core/random.h"
#include "frontend/level_record.h"
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
  void SetUp() override { testsupport::ResetFrontendRooms(); }
  void TearDown() override { testsupport::ResetFrontendRooms(); }
};

TEST_F(LevelRecordFile, RecordsReadOverTheInventedResults) {
  SeedRnd(7);
  const std::string whole = Record(3, 0, {"Ann", "B\xE9la", ""}, {4500, 3000, 10}) +
                            Record(12, 1, {"Cy", "Di", "Ed"}, {900, 800, 700});
  const std::string cut = Record(4, 0, {"Fay", "Gus", "Hal"}, {1, 2, 3}).substr(0, 9);
  platform::MemoryStream s;
  s.WriteBytes(whole + cut);
  s.Seek(0);
  TLevelRecord::Load(s);

  ASSERT_EQ(LevelRecords.Count(), 2);  // the record cut short is left out
  const Ref<TLevelRecord> first = LevelRecords.First();
  EXPECT_EQ(first->id, 3);
  EXPECT_EQ(first->GameType, 0);
  EXPECT_EQ(first->name[1], "B\xC3\xA9la");  // one byte per character
  EXPECT_EQ(first->name[2], "");
  EXPECT_EQ(first->scores[0], 4500);
  EXPECT_EQ(LevelRecords.Last()->id, 12);
  EXPECT_EQ(LevelRecords.Last()->scores[2], 700);
}

TEST_F(LevelRecordFile, MissingFileChangesNothing) {
  testenv::TempDir appdata;
  setenv("APPDATA", appdata.path().c_str(), 1);
  TLevelRecord::Create(9, 1);
  TLevelRecord::Load();
  EXPECT_EQ(LevelRecords.Count(), 1);
}

}  // namespace
}  // namespace kelp
