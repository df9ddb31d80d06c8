// The story-dialog texts file.
#include <gtest/gtest.h>

#include <string>

#include "framework/files/text_file.h"
#include "play/dialog_texts.h"
#include "reset_rooms.h"

namespace kelp {
namespace {

class DialogFile : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::ResetPlayRooms(); }
  void TearDown() override { testsupport::ResetPlayRooms(); }
  static void Load(const std::string& text) {
    ResetPlayGlobals();
    TextStream stream(text, TextFileReader::UTF8);
    LoadDialogs(stream);
  }
};

TEST_F(DialogFile, BlocksJoinTheirLinesUnderTheirIds) {
  Load(
      "comment outside a block\n"
      "<Dialog id=1001> ignored rest\n"
      "<Redrice>Hello</Redrice>\n"
      "<Ello>Hi\\nthere</Ello>\n"
      "</Dialog>\n"
      "<Dialog id= 1003>\n"
      "<Ello>Third</Ello>   </Dialog>\n"
      "<Dialog id=1004>\n"
      "x\n"
      "never closed\n");
  EXPECT_EQ(DialogTexts.Count(), 3);
  EXPECT_EQ(DialogTexts[0], "<Redrice>Hello</Redrice><Ello>Hi\\nthere</Ello>");
  EXPECT_EQ(DialogTexts[1], "");
  EXPECT_EQ(DialogTexts[2], "");  // the closing line gives nothing, not even what stands before the tag
  EXPECT_EQ(DialogTexts[3], "");  // an open block at the end is dropped
}

TEST_F(DialogFile, OddIdsNeitherCrashNorLoseDialogs) {
  Load(
      "<Dialog id=1005>\nfive\n</Dialog>\n"
      "<Dialog id=1002>\ntwo\n</Dialog>\n"  // smaller than the one before: nothing after it is dropped
      "<Dialog id=1003\nno closing bracket keeps the previous id\n</Dialog>\n"
      "<Dialog id=7>\nbelow the first id\n</Dialog>\n"
      "<Dialog id=2147483647>\nfar too large\n</Dialog>\n");
  EXPECT_EQ(DialogTexts.Count(), 5);
  EXPECT_EQ(DialogTexts[4], "five");
  EXPECT_EQ(DialogTexts[1], "no closing bracket keeps the previous id");
}

}  // namespace
}  // namespace kelp
