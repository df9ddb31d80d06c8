#include "framework/files/language.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "lang_files.h"
#include "reset_rooms.h"

using namespace kelp;
using langtest::Encode;

namespace {

class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::ResetFilesRooms(); }
  void TearDown() override { testsupport::ResetFilesRooms(); }
  langtest::WorkDir work;
};

// Gaps in the numbering, a line without a number, a short line, trailing
// blanks and a character beyond ASCII.
const std::string kStrings =
    "abc def\n"
    "001 Play\n"
    "003 Caf\xC3\xA9\n"
    "012 word  \n"
    "7 a\n"
    "053\tKelp\n"
    "120 Last one\n";

void ExpectStringTable(const char* what) {
  EXPECT_EQ(GameTexts.Count(), 121) << what;
  EXPECT_EQ(GameTexts[0], "def") << what;
  EXPECT_EQ(GameTexts[1], "Play") << what;
  EXPECT_EQ(GameTexts[2], "") << what;
  EXPECT_EQ(GameTexts[3], "Caf\xC3\xA9") << what;
  EXPECT_EQ(GameTexts[7], "") << what;
  EXPECT_EQ(GameTexts[12], "word") << what;
  EXPECT_EQ(GameTexts[53], "Kelp") << what;
  EXPECT_EQ(GameTexts[119], "") << what;
  EXPECT_EQ(GameTexts[120], "Last one") << what;
}

}  // namespace

TEST_F(LanguageTest, TheSameTableFromEveryEncoding) {
  const struct {
    const char* what;
    int encoding;
    bool mark;
  } cases[] = {
      {"8-bit", TextFileReader::LATIN1, false},    {"UTF-8 without mark", TextFileReader::UTF8, false},
      {"UTF-8 with mark", TextFileReader::UTF8, true}, {"UTF-16 LE", TextFileReader::UTF16LE, true},
      {"UTF-16 BE", TextFileReader::UTF16BE, true},
  };
  for (const auto& c : cases) {
    ResetFilesGlobals();
    work.Write("data/lang/String.dat", Encode(kStrings, c.encoding, c.mark));
    work.Write("data/lang/Trophy.dat", Encode("001 First box\r\n002 Tower\r\n", c.encoding, c.mark));
    work.Write("data/lang/Upgrades.dat", Encode("024 Well\n", c.encoding, c.mark));
    LoadLanguageTables();
    ExpectStringTable(c.what);
    EXPECT_EQ(TrophyTexts.Count(), 3) << c.what;
    EXPECT_EQ(TrophyTexts[1], "First box") << c.what;
    EXPECT_EQ(TrophyTexts[2], "Tower") << c.what;
    EXPECT_EQ(UpgradeTexts.Count(), 25) << c.what;
    EXPECT_EQ(UpgradeTexts[24], "Well") << c.what;
  }
}

TEST_F(LanguageTest, LineNumberAndText) {
  const struct {
    std::string line;
    int number;
    std::string text;
  } cases[] = {
      {"012 word  ", 12, "word"},
      {"7 a", 7, ""},             // no fifth character
      {"abc def", 0, "def"},      // no number: entry 0
      {"053Title", 53, "itle"},   // the fourth character only separates
      {"  5 x", 5, "x"},
      {"-01 minus", -1, "minus"},
      {"\xC3\xA9" "12 x", 0, "x"},  // characters, not bytes
      {"005 \xC3\xA9t\xC3\xA9 \x01", 5, "\xC3\xA9t\xC3\xA9"},
      {"", 0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LanguageLineNumber(c.line), c.number) << c.line;
    EXPECT_EQ(LanguageLineText(c.line), c.text) << c.line;
  }
}

TEST_F(LanguageTest, LaterLinesWinAndBlankLinesStoreNothing) {
  work.Write("data/lang/String.dat", "000 zero\n005 old\n005 new\n\n   \n");
  LoadLanguageTables();
  EXPECT_EQ(GameTexts.Count(), 6);
  EXPECT_EQ(GameTexts[5], "new");
  EXPECT_EQ(GameTexts[0], "zero");
}

TEST_F(LanguageTest, NegativeNumbersAreLoggedAndIgnored) {
  ASSERT_TRUE(OpenLog(work.path()));
  work.Write("data/lang/String.dat", "-01 minus\n002 two\n-99 far\n");
  LoadLanguageTables();
  CloseLog();
  EXPECT_EQ(GameTexts.Count(), 3);
  EXPECT_EQ(GameTexts[2], "two");
  EXPECT_EQ(GameTexts[-1], "");
  const std::string log = testenv::ReadFile(work.path() + "/log.xml");
  EXPECT_NE(log.find("<warning>data/lang/String.dat line 1: negative entry number; 2 such line(s) ignored"),
            std::string::npos)
      << log;
}

TEST_F(LanguageTest, AMissingFileLeavesItsTableAsItWas) {
  GameTexts.Resize(3);
  GameTexts.Set(2, "kept");
  ::testing::internal::CaptureStderr();  // no log open: the warnings go there
  LoadLanguageTables();
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(GameTexts.Count(), 3);
  EXPECT_EQ(GameTexts[2], "kept");
  EXPECT_EQ(TrophyTexts.Count(), 1);
  EXPECT_EQ(GameTexts[53], "");  // read past the end: empty, not a crash
  EXPECT_NE(err.find("data/lang/Upgrades.dat"), std::string::npos);
}

TEST_F(LanguageTest, ResizingKeepsTheEntriesATableAlreadyHad) {
  GameTexts.Resize(10);
  GameTexts.Set(4, "from before");
  GameTexts.Set(9, "cut off");
  work.Write("data/lang/String.dat", "001 one\n006 six\n");
  LoadLanguageTables();
  EXPECT_EQ(GameTexts.Count(), 7);
  EXPECT_EQ(GameTexts[4], "from before");
  EXPECT_EQ(GameTexts[6], "six");
  EXPECT_EQ(GameTexts[9], "");
}

TEST_F(LanguageTest, TablesLoadFromTheArchiveEachEntryAlone) {
  work.Write("data/lang/String.dat", Encode(kStrings, TextFileReader::UTF16LE, true));
  work.Write("data/lang/Trophy.dat", "200 not a string\n");
  ASSERT_TRUE(TFile::AddFile("data/lang/String.dat"));
  ASSERT_TRUE(TFile::AddFile("data/lang/Trophy.dat"));
  ASSERT_TRUE(TFile::Pack("data/data.pak"));
  std::remove("data/lang/String.dat");
  std::remove("data/lang/Trophy.dat");
  ResetPakState();
  LoadLanguageTables();
  ExpectStringTable("from the archive");
  EXPECT_EQ(TrophyTexts.Count(), 201);
}
