#include "framework/files/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using kelp::GetLineAttr;
using kelp::GetLineTag;
using kelp::ReadTagLine;

namespace {

std::vector<std::string> AllTagLines(const std::string& bytes) {
  auto stream = platform::OpenMemory(bytes);
  std::vector<std::string> out;
  for (int guard = 0; guard < 100; ++guard) {
    std::string line = ReadTagLine(*stream);
    if (line.empty()) break;
    out.push_back(line);
  }
  return out;
}

struct ReadCase {
  const char* what;
  std::string bytes;
  std::vector<std::string> lines;
};

}  // namespace

TEST(LineReader, ReadTagLineSkipsWhatCarriesNoData) {
  const std::vector<ReadCase> cases = {
      {"blank, white space, one-line comment, closing tags; trimmed; CR LF; last line without end",
       "<blocks>\r\n\r\n   \t \r\n<!-- a comment -->\r\n \t<block class=\"1\">\t \r\n"
       "  <UpRight x=\"1\" y=\"2\" static=\"0\"/>\r\n</block>\r\n</blocks>\r\n<tail a=\"1\"/>",
       {"<blocks>", "<block class=\"1\">", "<UpRight x=\"1\" y=\"2\" static=\"0\"/>", "<tail a=\"1\"/>"}},
      {"empty stream", "", {}},
      {"only skippable lines", "\n\n</a>\n<!---->\n", {}},
      {"a comment over several lines hides the tag lines inside it",
       "<blocks>\n<!-- old boxes\n<block class=\"9\">\n-->\n<block class=\"2\">\n", {"<blocks>", "<block class=\"2\">"}},
      {"text after the end of a comment still counts",
       "<!-- first\n second --> <b x=\"1\">\n<!-- one --> <c>\n", {"<b x=\"1\">", "<c>"}},
      {"a comment that never ends hides the rest", "<a>\n<!-- open\n<b>\n<c>\n", {"<a>"}},
      {"a zero byte ends a line", std::string("<a>\0<b>\n", 8), {"<a>", "<b>"}},
      {"a stray carriage return inside a line is dropped", "<a\r x=\"1\">\n", {"<a x=\"1\">"}},
      {"lines that are not tags come back too", "plain text\n<a>\n", {"plain text", "<a>"}},
  };
  for (const auto& c : cases) EXPECT_EQ(AllTagLines(c.bytes), c.lines) << c.what;
}

TEST(LineReader, ReadTagLineGivesEmptyAtTheEndAndForNoStream) {
  auto stream = platform::OpenMemory("<a>\n\n");
  EXPECT_EQ(ReadTagLine(*stream), "<a>");
  EXPECT_EQ(ReadTagLine(*stream), "");
  EXPECT_EQ(ReadTagLine(*stream), "");
  EXPECT_EQ(ReadTagLine(platform::StreamRef()), "");
}

TEST(LineReader, ReadTagLineStopsAtTheEndOfAnArchiveEntry) {
  auto whole = platform::OpenMemory(std::string("<a>\n<b>\n<c>\n"));
  auto entry = std::make_shared<platform::SubStream>(whole, 4, 4);  // "<b>\n"
  EXPECT_EQ(ReadTagLine(*entry), "<b>");
  EXPECT_EQ(ReadTagLine(*entry), "");
}

TEST(LineReader, GetLineTagTable) {
  const struct {
    const char* line;
    const char* tag;
  } cases[] = {
      {"<UpRight x=\"1\" y=\"2\"/>", "upright"},
      {"<blocks>", "blocks"},
      {"<block class=\"1\">", "block"},
      {"<a/>", "a/"},  // a self-closing tag without attributes keeps its slash
      {"<A>b</A>", "a"},
      {"<>", ""},
      {"<a x=\"1\"", ""},  // no closing ">"
      {"a x=\"1\">", ""},
      {"plain", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(GetLineTag(c.line), c.tag) << c.line;
}

TEST(LineReader, GetLineAttrTable) {
  const std::string box = "<block bonus_class=\"3\" class=\"1\" boss_class=\"7\" money=\"25\">";
  const std::string corner = "<UpRight x=\"12.5\" y=\"-4\" static=\"1\"/>";
  const struct {
    std::string line;
    const char* name;
    const char* value;
  } cases[] = {
      {box, "class", "1"},
      {box, "bonus_class", "3"},
      {box, "boss_class", "7"},
      {box, "money", "25"},
      {"<block class=\"1\" bonus_class=\"3\">", "class", "1"},
      {corner, "x", "12.5"},
      {corner, "static", "1"},  // the last attribute, before "/>"
      {corner, "UpRight", ""},  // the tag name is not an attribute
      {box, "Class", ""},       // not spelled as in the line
      {"<block Class=\"4\">", "Class", "4"},
      {"<block Class=\"4\" class=\"5\">", "class", "4"},  // the key itself compares without case
      {box, "scale", ""},
      {"<blocks>", "blocks", ""},
      {"<a/>", "a", ""},
      {"<a name=\"two words\">", "name", "two"},  // a value ends at a blank
      {"<a x=\"\">", "x", ""},
      {"<a title=\"x\">", "x", ""},  // found only inside another attribute's value
      {"block class=\"1\"", "class", ""},  // not a tag line
      // Broken tokens never read outside the line.
      {"<a x=>", "x", ""},
      {"<a x=\">", "x", ""},
      {"<a x>", "x", ""},
      {"<a \"\">", "a", ""},
      {"<a  x=\"1\"  y=\"2\">", "y", "2"},
      {"<a x = \"1\">", "x", ""},
      {"<a =\"1\">", "=", ""},
      {"<\">", "\"", ""},
      {"<a x=\"1\" \"/>", "x", "1"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetLineAttr(c.line, c.name), c.value) << c.line << " / " << c.name;
}
