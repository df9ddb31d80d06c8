#include "framework/files/log.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>

#include "reset_rooms.h"
#include "test_env.h"

using namespace kelp;

namespace {

const std::string kHead =
    "<?xml version=\"1.0\" encoding=\"windows-1251\" standalone=\"yes\"?>\r\n"
    "<?xml-stylesheet type=\"text/xsl\" href=\"log.xsl\"?>\r\n"
    "<log>\r\n";
const std::string kEnd = "</log>\r\n";

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::ResetFilesRooms(); }
  void TearDown() override { testsupport::ResetFilesRooms(); }
  std::string LogFile() const { return testenv::ReadFile(dir / "log.xml"); }
  testenv::TempDir dir;
};

}  // namespace

TEST_F(LogTest, SectionsKindsAndEscapingGiveTheseBytes) {
  const struct {
    const char* what;
    std::function<void()> calls;
    std::string body;
  } cases[] = {
      {"one section for entries in a row",
       [] {
         WriteLog("a", 0, "resources");
         WriteLog("b", 2, "resources");
       },
       "\t<resources>\r\n\t\t<message>a</message>\r\n\t\t<warning>b</warning>\r\n\t</resources>\r\n"},
      {"one element per change of section",
       [] {
         WriteLog("a", 0, "one");
         WriteLog("b", 1, "two");
         WriteLog("c", 0, "one");
       },
       "\t<one>\r\n\t\t<message>a</message>\r\n\t</one>\r\n\t<two>\r\n\t\t<error>b</error>\r\n\t</two>\r\n"
       "\t<one>\r\n\t\t<message>c</message>\r\n\t</one>\r\n"},
      {"no section: under the root", [] { WriteLog("x", 1, ""); }, "\t\t<error>x</error>\r\n"},
      {"no section: into the one open",
       [] {
         WriteLog("a", 0, "s");
         WriteLog("b", 0, "");
       },
       "\t<s>\r\n\t\t<message>a</message>\r\n\t\t<message>b</message>\r\n\t</s>\r\n"},
      {"divider", [] { WriteLog("loading resources", 3, "resources"); },
       "\t<resources>\r\n\t\t<divider>loading resources</divider>\r\n\t</resources>\r\n"},
      {"an unknown kind still makes an element",
       [] {
         WriteLog("x", 7, "");
         WriteLog("y", -1, "");
       },
       "\t\t<message>x</message>\r\n\t\t<message>y</message>\r\n"},
      {"markup characters are escaped", [] { WriteLog("a<b & c>d", 0, ""); },
       "\t\t<message>a&lt;b &amp; c&gt;d</message>\r\n"},
      {"characters beyond ASCII become references",
       [] { WriteLog("Gr\xC3\xBC\xC3\x9F" "e \xE2\x9C\x93", 0, ""); },
       "\t\t<message>Gr&#252;&#223;e &#10003;</message>\r\n"},
      {"stray bytes read as Latin-1", [] { WriteLog("\xE9t\xE9", 0, ""); }, "\t\t<message>&#233;t&#233;</message>\r\n"},
      {"line breaks and control characters", [] { WriteLog("two\nlines\r\x01\tend", 0, ""); },
       "\t\t<message>two&#10;lines&#13;?\tend</message>\r\n"},
      {"sections opened and closed by hand",
       [] {
         BeginLogSection("a");
         EndLogSection();
         EndLogSection();
         WriteLog("x");
       },
       "\t<a>\r\n\t</a>\r\n\t\t<message>x</message>\r\n"},
      {"beginning the empty section closes the open one",
       [] {
         WriteLog("x", 0, "a");
         BeginLogSection("");
         WriteLog("y");
       },
       "\t<a>\r\n\t\t<message>x</message>\r\n\t</a>\r\n\t\t<message>y</message>\r\n"},
      {"section names that are no element names",
       [] {
         WriteLog("x", 0, "my section");
         WriteLog("y", 0, "1st");
       },
       "\t<my_section>\r\n\t\t<message>x</message>\r\n\t</my_section>\r\n\t<_1st>\r\n\t\t<message>y</message>\r\n\t</_1st>\r\n"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(OpenLog(dir.path())) << c.what;
    c.calls();
    // Complete after every write, as if the game were killed right here.
    EXPECT_EQ(LogFile(), kHead + c.body + kEnd) << c.what;
    CloseLog();
    EXPECT_EQ(LogFile(), kHead + c.body + kEnd) << c.what;
  }
}

TEST_F(LogTest, WritesTheStyleSheetBesideTheLog) {
  ASSERT_TRUE(OpenLog(dir.path() + "/"));
  EXPECT_EQ(testenv::ReadFile(dir / "log.xsl"), std::string(LogStyleSheet()));
  EXPECT_NE(LogStyleSheet().find("xsl:stylesheet"), std::string_view::npos);
  for (const char* kind : {"message", "error", "warning", "divider"})
    EXPECT_NE(LogStyleSheet().find(kind), std::string_view::npos) << kind;
}

TEST_F(LogTest, HeaderHasTheDividerThePaddedTitleAndTheDate) {
  const char* oldTz = std::getenv("TZ");
  const std::string savedTz = oldTz ? oldTz : "";
  setenv("TZ", "UTC", 1);
  tzset();
  ASSERT_TRUE(OpenLog(dir.path()));
  WriteLogHeader("ver. 1.35", static_cast<std::time_t>(1614953229));  // 5 March 2021, 14:07:09 UTC
  CloseLog();
  if (oldTz) setenv("TZ", savedTz.c_str(), 1);
  else unsetenv("TZ");
  tzset();
  EXPECT_EQ(LogFile(), kHead +
                           "\t<resources>\r\n"
                           "\t\t<divider>loading resources</divider>\r\n"
                           "\t\t<message>Kelp: The Broad Homesteads              ver. 1.35</message>\r\n"
                           "\t\t<message>05 Mar 2021. 14:07:09</message>\r\n"
                           "\t</resources>\r\n" +
                           kEnd);
}

TEST_F(LogTest, ReopeningClosesTheOldLogAndStartsAFreshOne) {
  testenv::TempDir other;
  ASSERT_TRUE(OpenLog(dir.path()));
  WriteLog("first run", 0, "s");
  ASSERT_TRUE(OpenLog(other.path()));
  EXPECT_EQ(LogFile(), kHead + "\t<s>\r\n\t\t<message>first run</message>\r\n\t</s>\r\n" + kEnd);
  EXPECT_EQ(CurrentLogSection(), "");
  WriteLog("second run");
  ASSERT_TRUE(OpenLog(dir.path()));  // the same folder again: rewritten
  EXPECT_EQ(LogFile(), kHead + kEnd);
  CloseLog();
  EXPECT_EQ(testenv::ReadFile(other / "log.xml"), kHead + "\t\t<message>second run</message>\r\n" + kEnd);
}

TEST_F(LogTest, ClosingWithoutAnOpenLogDoesNothing) {
  CloseLog();
  CloseLog();
  EXPECT_FALSE(LogIsOpen());
  ASSERT_TRUE(OpenLog(dir.path()));
  CloseLog();
  CloseLog();
  EXPECT_EQ(LogFile(), kHead + kEnd);
}

TEST_F(LogTest, AnUnwritableFolderSendsEntriesToStandardError) {
  testenv::WriteFile(dir / "plainfile", "x");
  for (const std::string& folder : {dir / "no/such/folder", dir / "plainfile"}) {
    EXPECT_FALSE(OpenLog(folder)) << folder;
    EXPECT_FALSE(LogIsOpen());
    ::testing::internal::CaptureStderr();
    WriteLog("still heard", 1, "resources");
    BeginLogSection("x");
    EndLogSection();
    CloseLog();
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("still heard"), std::string::npos) << folder;
    EXPECT_NE(err.find("error"), std::string::npos) << folder;
    EXPECT_EQ(CurrentLogSection(), "");
  }
}

// A log name that is a link (planted, or left from another setup) is replaced
// by the log itself; the file it pointed to stays as it was.
TEST_F(LogTest, LinksAtTheLogNamesAreReplacedNotFollowed) {
  testenv::WriteFile(dir / "victim", "precious");
  ASSERT_EQ(symlink("victim", (dir / "log.xml").c_str()), 0);
  ASSERT_EQ(symlink("victim", (dir / "log.xsl").c_str()), 0);
  ASSERT_TRUE(OpenLog(dir.path()));
  WriteLog("entry");
  CloseLog();
  EXPECT_EQ(testenv::ReadFile(dir / "victim"), "precious");
  EXPECT_EQ(LogFile(), kHead + "\t\t<message>entry</message>\r\n" + kEnd);
  EXPECT_EQ(testenv::ReadFile(dir / "log.xsl"), std::string(LogStyleSheet()));
}

// A flood of entries (a damaged data set reports every bad line) stops at a
// bound with one warning, and the file stays well-formed.
TEST_F(LogTest, AFloodOfEntriesStopsAtTheBound) {
  ASSERT_TRUE(OpenLog(dir.path()));
  const std::string line(1000, 'x');
  for (int i = 0; i < 10000; ++i) WriteLog(line, LOG_ERROR, "level");
  WriteLog("after", LOG_ERROR, "other");
  CloseLog();
  const std::string log = LogFile();
  EXPECT_LT(log.size(), size_t{9} << 20);
  EXPECT_NE(log.find("<warning>The log is full; later entries are left out</warning>"), std::string::npos);
  EXPECT_EQ(log.find("after"), std::string::npos);
  const std::string tail = "\t</level>\r\n" + kEnd;
  ASSERT_GT(log.size(), tail.size());
  EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
}
