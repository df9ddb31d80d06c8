// The high-score table and "scores.dat".
#include "frontend/scores.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/core/random.h"
#include "framework/files/strings.h"
#include "frontend/level_record.h"
#include "frontend/profile.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "play/game.h"
#include "play/player.h"
#include "reset_rooms.h"
#include "test_env.h"

namespace kelp {
namespace {

class HighScoreTable : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetFrontendRooms();
    setenv("APPDATA", appdata.path().c_str(), 1);
    SeedRnd(11);
    PhraseBank = New<TStrings>();
    PhraseBank->NamesArray = {"Pip", "Moss", "Wren", "Tuft"};
  }
  void TearDown() override { testsupport::ResetFrontendRooms(); }

  static std::vector<int> Column(int mode) {
    std::vector<int> out;
    for (auto& row : HighScores) out.push_back(std::stoi(row[mode][1]));
    return out;
  }
  static std::string Bytes(const std::string& text) {
    platform::MemoryStream s;
    TScores::WriteString3(s, text);
    return std::string(s.Data().begin(), s.Data().end());
  }
  static bool Read(const std::string& bytes, std::string& text) {
    platform::MemoryStream s;
    s.WriteBytes(bytes);
    s.Seek(0);
    return TScores::ReadString3(s, text);
  }

  testenv::TempDir appdata;
};

TEST_F(HighScoreTable, AMissingFileIsWrittenWithTheDefaultsFirst) {
  TScores::ReadScores();
  EXPECT_EQ(Column(0), (std::vector<int>{1000, 900, 800, 700, 600, 500, 400, 300}));
  EXPECT_EQ(Column(1), (std::vector<int>{500, 450, 400, 350, 300, 250, 200, 150}));
  for (auto& row : HighScores) EXPECT_FALSE(row[0][0].empty());
  EXPECT_TRUE(platform::IsFile(ScoresPath()));
  const std::string first = HighScores[0][0][0];
  HighScores[0][0][0] = "changed";
  TScores::ReadScores();
  EXPECT_EQ(HighScores[0][0][0], first) << "read back from the file";
}

TEST_F(HighScoreTable, AScrambledStringReadsBackWhateverItsBytes) {
  for (const std::string text : {std::string(), std::string("Ann"), std::string("Z\xC3\xA9ta 3 \xE2\x82\xAC"),
                                 std::string(255, 'q')}) {
    const std::string a = Bytes(text), b = Bytes(text);
    std::string back;
    ASSERT_TRUE(Read(a, back));
    EXPECT_EQ(back, text);
    if (!text.empty()) EXPECT_NE(a, b) << "a new random byte per character";
  }
}

TEST_F(HighScoreTable, DamagedStringsAreRefused) {
  const std::string ann = Bytes("Ann");
  struct Case {
    const char* what;
    std::string bytes;
  };
  auto count = [](int32_t n) { return std::string(reinterpret_cast<const char*>(&n), 4); };
  const Case cases[] = {
      {"a huge count", count(0x7fffffff) + ann.substr(4)},
      {"a negative count", count(-1)},
      {"cut inside a character", ann.substr(0, ann.size() - 2)},
      {"a count without its characters", count(3)},
      {"a character out of range", count(1) + std::string("\x05") + count(-40)},
      {"r out of its range", count(1) + std::string("\x00", 1) + count(130)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string back;
    EXPECT_FALSE(Read(c.bytes, back));
  }
}

TEST_F(HighScoreTable, ADamagedFileIsReplacedByTheDefaults) {
  TScores::ReadScores();
  InsertScore(0, "Keeper", 5000);
  ASSERT_TRUE(TScores::WriteScores());
  const std::string good = testenv::ReadFile(ScoresPath());
  std::string badScore;
  {
    platform::MemoryStream s;
    for (int i = 0; i < 32; ++i) TScores::WriteString3(s, i == 1 ? "12x" : "7");
    badScore.assign(s.Data().begin(), s.Data().end());
  }
  for (const std::string& bytes : {good.substr(0, good.size() / 2), good + "x", badScore, std::string("\x01")}) {
    testenv::WriteFile(ScoresPath(), bytes);
    TScores::ReadScores();
    EXPECT_EQ(Column(0)[0], 1000) << "the defaults";
    EXPECT_NE(testenv::ReadFile(ScoresPath()), bytes) << "and the file is rewritten";
  }
}

TEST_F(HighScoreTable, APlayerGoesAboveTheFirstLowerScore) {
  struct Case {
    const char* what;
    int score;
    int row;  // -1: off the table
  };
  const Case cases[] = {
      {"top", 5000, 0}, {"middle", 650, 4}, {"equal goes below", 600, 5}, {"bottom", 301, 7}, {"off", 300, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TScores::DefaultScores();
    const std::string last = HighScores[6][0][0];
    EXPECT_EQ(InsertScore(0, "Neo", c.score), c.row);
    if (c.row < 0) {
      EXPECT_EQ(Column(0), (std::vector<int>{1000, 900, 800, 700, 600, 500, 400, 300}));
      continue;
    }
    EXPECT_EQ(HighScores[c.row][0][0], "Neo");
    EXPECT_EQ(std::stoi(HighScores[c.row][0][1]), c.score);
    const std::vector<int> col = Column(0);
    for (size_t i = 1; i < col.size(); ++i) EXPECT_GE(col[i - 1], col[i]) << "still in order";
    if (c.row < 7) EXPECT_EQ(HighScores[7][0][0], last) << "the eighth row dropped out, the seventh moved down";
    EXPECT_EQ(Column(1)[0], 500) << "the other mode is untouched";
  }
}

TEST_F(HighScoreTable, AddScoreEntersTheCurrentPlayerOnceAndWritesBothFiles) {
  AddScore();  // no profile: nothing
  EXPECT_FALSE(platform::IsFile(ScoresPath()));

  Player = New<TPlayer>();
  Player->Profile = New<TProfile>();
  Player->Profile->name = "Ada";
  Player->scores = 850;
  GameScreen = New<TGame>();
  GameScreen->GameMode = TGameState::RELAXED;
  AddScore();
  AddScore();  // the same name and score again: one row
  int rows = 0;
  for (auto& row : HighScores) rows += row[1][0] == "Ada";
  EXPECT_EQ(rows, 1);
  EXPECT_EQ(HighScores[0][1][0], "Ada");
  EXPECT_TRUE(platform::IsFile(RecordsPath()));
  EXPECT_EQ(HighScores[0][0][1], "1000") << "the normal table is untouched";

  LevelRecords.Clear();
  Player->scores = 10;  // below every row: nothing changes, both files are still written
  platform::DeleteFile(RecordsPath());
  AddScore();
  EXPECT_TRUE(platform::IsFile(RecordsPath()));
}

TEST_F(HighScoreTable, AWriteInterruptedBeforeItsRenameKeepsTheOldFile) {
  TScores::ReadScores();
  const std::string old = testenv::ReadFile(ScoresPath());
  InsertScore(0, "Lost", 99999);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    platform::SaveFileAtomic(ScoresPath(), [](platform::Stream& s) {
      TScores::WriteScores(s);
      s.Flush();
      _exit(0);
      return true;
    });
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(testenv::ReadFile(ScoresPath()), old);
  TScores::ReadScores();
  EXPECT_NE(HighScores[0][0][0], "Lost");
}

}  // namespace
}  // namespace kelp
