#include "framework/files/strings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "framework/core/random.h"
#include "lang_files.h"

using namespace kelp;

namespace {

const char* const kLists[] = {"reds",  "yellows", "blues", "greens", "purples", "browns", "skyes",   "happy",
                              "unhappy", "home",  "sleep", "beer",   "trees",   "empty",  "load",    "quest",
                              "magic", "school",  "market", "telescope", "yeti", "names"};

// Each list holds one line that names it.
void WriteEveryList(langtest::WorkDir& work) {
  for (const char* name : kLists) work.Write(std::string("data/lang/") + name + ".dat", std::string(name) + " line\n");
}

}  // namespace

TEST(Strings, ThoughtsAndNamesComeFromTheirLists) {
  langtest::WorkDir work;
  WriteEveryList(work);
  TStrings bank;
  bank.LoadStrings();
  const char* thoughts[] = {"empty", "happy", "home",   "quest",     "beer",  "trees", "unhappy",
                            "market", "school", "telescope", "magic", "yeti",  "sleep"};
  for (int kind = 0; kind < 13; ++kind) EXPECT_EQ(bank.GetThought(kind), std::string(thoughts[kind]) + " line") << kind;
  const char* names[] = {"reds", "greens", "blues", "yellows", "purples", "browns", "skyes"};
  for (int colour = 1; colour <= 7; ++colour)
    EXPECT_EQ(bank.GetName(colour), std::string(names[colour - 1]) + " line") << colour;
  for (int bad : {-1, 13, 1000}) EXPECT_EQ(bank.GetThought(bad), "") << bad;
  for (int bad : {0, 8, -3}) EXPECT_EQ(bank.GetName(bad), "") << bad;
  EXPECT_EQ(bank.GetLoad(), "load line");
  EXPECT_EQ(bank.GetScoresName(), "names line");
  EXPECT_EQ(bank.SnowballArray, std::vector<std::string>{"yeti line"});
}

TEST(Strings, LinesAreKeptUnchangedInEveryEncoding) {
  const std::string text = "  Bj\xC3\xB6rn \nAnn\r\n\nZo\xC3\xAB";
  const std::vector<std::string> want = {"  Bj\xC3\xB6rn ", "Ann", "", "Zo\xC3\xAB"};
  for (int encoding : {TextFileReader::LATIN1, TextFileReader::UTF8, TextFileReader::UTF16LE, TextFileReader::UTF16BE}) {
    langtest::WorkDir work;
    work.Write("data/lang/names.dat", langtest::Encode(text, encoding, encoding != TextFileReader::LATIN1));
    TStrings bank;
    bank.Load(bank.NamesArray, "names");
    EXPECT_EQ(bank.NamesArray, want) << encoding;
    bank.Load(bank.NamesArray, "names");  // appends
    EXPECT_EQ(bank.NamesArray.size(), 8u) << encoding;
  }
}

TEST(Strings, PicksAreSeededAndReachEveryLine) {
  TStrings bank;
  bank.LoadArray = {"a", "b", "c"};
  SeedRnd(1234);
  std::vector<std::string> first;
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    first.push_back(bank.GetLoad());
    seen.insert(first.back());
  }
  EXPECT_EQ(seen, (std::set<std::string>{"a", "b", "c"}));
  SeedRnd(1234);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(bank.GetLoad(), first[static_cast<size_t>(i)]);
}

TEST(Strings, EmptyOrMissingListsGiveEmptyText) {
  langtest::WorkDir work;
  work.Write("data/lang/load.dat", "");
  TStrings bank;
  ::testing::internal::CaptureStderr();
  bank.LoadStrings();
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(bank.LoadArray.empty());
  EXPECT_TRUE(bank.NamesArray.empty());
  EXPECT_EQ(bank.GetLoad(), "");
  EXPECT_EQ(bank.GetScoresName(), "");
  EXPECT_EQ(bank.GetThought(1), "");
  EXPECT_EQ(bank.GetName(1), "");
  EXPECT_NE(err.find("names.dat"), std::string::npos);
  EXPECT_EQ(err.find("load.dat"), std::string::npos);  // present, just empty
}
