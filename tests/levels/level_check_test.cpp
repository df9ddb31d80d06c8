// The level tool refuses an authored level folder with a missing or
// malformed file before anything is packed, naming the file and the line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "level_check.h"
#include "test_env.h"

namespace {

namespace fs = std::filesystem;

std::string Joined(const std::vector<std::string>& faults) {
  std::string all;
  for (const std::string& f : faults) all += f + "\n";
  return all;
}

// A copy of an authored level with a floor, to break one file of it.
class BrokenLevel : public testing::Test {
 protected:
  void SetUp() override {
    Fresh();
    ASSERT_TRUE(levels::CheckLevelFolder(folder_).empty());
  }
  void Fresh() {
    fs::remove_all(folder_);
    fs::copy(fs::path(KELP_LEVEL_SOURCES) / "level003", folder_);
  }
  fs::path File(const std::string& suffix) const { return folder_ / ("level003" + suffix); }
  // Line `line` (1-based) of the file becomes `text`.
  void Replace(const std::string& suffix, int line, const std::string& text) {
    std::ifstream in(File(suffix));
    std::vector<std::string> lines;
    for (std::string s; std::getline(in, s);) lines.push_back(s);
    ASSERT_LE(line, static_cast<int>(lines.size()));
    lines[line - 1] = text;
    std::ofstream out(File(suffix));
    for (const std::string& s : lines) out << s << "\n";
  }

  testenv::TempDir dir_;
  fs::path folder_ = fs::path(dir_.path()) / "level003";
};

TEST(LevelCheck, EveryAuthoredLevelPasses) {
  int folders = 0;
  for (const auto& entry : fs::directory_iterator(KELP_LEVEL_SOURCES)) {
    if (!entry.is_directory()) continue;
    ++folders;
    EXPECT_EQ(Joined(levels::CheckLevelFolder(entry.path())), "") << entry.path();
  }
  EXPECT_GT(folders, 0);
}

TEST_F(BrokenLevel, EachFaultIsReportedWithItsFileAndLine) {
  struct Case {
    const char* suffix;
    int line;            // 0: the file is removed
    const char* text;    // what the line becomes
    const char* report;  // expected among the faults, after the folder's path
  };
  const Case cases[] = {
      {".xml", 0, "", "level003.xml: missing"},
      {"_world.xml", 0, "", "level003_world.xml: missing"},
      {".xml", 2, "params stage=\"1\"", "level003.xml:2: not a tag line"},
      {".xml", 2, "<params num=\"3\" stage=2 time=\"1\">", "level003.xml:2: malformed tag line"},
      {".xml", 1, "<levels>", "level003.xml:1: the file must begin with <level>"},
      {".xml", 2,
       "<params num=\"3\" stage=\"0\" time=\"9000\" gametype=\"2\" tileset=\"desert\"/>",
       "level003.xml:2: \"stage\" must be 1 or more"},
      {".xml", 2,
       "<params num=\"3\" stage=\"2\" time=\"9000\" gametype=\"3\" tileset=\"desert\"/>",
       "level003.xml:2: \"gametype\" is none the game can win"},
      {".xml", 2,
       "<params num=\"3\" stage=\"2\" time=\"ninety\" gametype=\"2\" tileset=\"desert\"/>",
       "level003.xml:2: \"time\" of <params> is not a number"},
      {".xml", 2,
       "<params num=\"3\" stage=\"2\" time=\"9000\" gametype=\"2\" tileset=\"moon\"/>",
       "level003.xml:2: \"tileset\" must be desert or snow"},
      {"_blocks.xml", 3, "", "level003_blocks.xml:2: the box has 4 of its 5 corner lines"},
      {"_floor.xml", 2, "<element x1=\"0\" y1=\"1\" x2=\"2\" y2=\"3\"/>",
       "level003_floor.xml:2: the element matches no static of the world"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    Fresh();
    if (c.line == 0)
      fs::remove(File(c.suffix));
    else
      Replace(c.suffix, c.line, c.text);
    const std::string faults = Joined(levels::CheckLevelFolder(folder_));
    EXPECT_NE(faults.find(folder_.string() + "/" + c.report), std::string::npos) << faults;
  }
}

TEST_F(BrokenLevel, TheToolStagesNothingOfARefusedFolder) {
  Replace(".xml", 2, "<params num=\"3\" stage=2>");
  const fs::path staged = fs::path(dir_.path()) / "staged";
  const fs::path errors = fs::path(dir_.path()) / "errors.txt";
  const std::string command = std::string(KELP_LEVEL_TOOL) + " stage " + folder_.string() + " " +
                              staged.string() + " 2> " + errors.string();
  EXPECT_NE(std::system(command.c_str()), 0);
  EXPECT_FALSE(fs::exists(staged));
  std::ifstream in(errors);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("level003.xml:2: malformed tag line"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("refused"), std::string::npos) << text.str();
}

}  // namespace
