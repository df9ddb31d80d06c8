#include "framework/files/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang_files.h"

using kelp::TextFileReader;
using kelp::TextStream;
using langtest::Encode;

namespace {

std::vector<std::string> Lines(TextStream& text) {
  std::vector<std::string> out;
  while (!text.Eof()) out.push_back(text.ReadLine());
  return out;
}

std::vector<std::string> LinesOf(const std::string& bytes) {
  auto stream = platform::OpenMemory(bytes);
  auto text = TextFileReader::CreateStream(*stream);
  return Lines(*text);
}

}  // namespace

TEST(TextFile, EncodingByByteOrderMark) {
  const struct {
    std::string head;
    int encoding;
  } cases[] = {
      {"\xFE\xFF", TextFileReader::UTF16BE},
      {"\xFF\xFE" "A", TextFileReader::UTF16LE},
      {"\xEF\xBB\xBF" "abc", TextFileReader::UTF8},
      {"\xEF\xBB", TextFileReader::LATIN1},  // a mark cut short
      {"\xFE", TextFileReader::LATIN1},
      {"", TextFileReader::LATIN1},
      {"001 Play", TextFileReader::LATIN1},
  };
  for (const auto& c : cases) EXPECT_EQ(TextFileReader::DetectEncoding(c.head), c.encoding) << c.head.size();
}

TEST(TextFile, EncodingDetectorOpensTheNamedFile) {
  langtest::WorkDir work;
  work.Write("data/lang/le.dat", Encode("x", TextFileReader::UTF16LE, true));
  work.Write("data/lang/short.dat", "\xFF");
  EXPECT_EQ(TextFileReader::EncodingDetector("data/lang/le.dat"), TextFileReader::UTF16LE);
  EXPECT_EQ(TextFileReader::EncodingDetector("data\\lang\\le.dat"), TextFileReader::UTF16LE);
  EXPECT_EQ(TextFileReader::EncodingDetector("data/lang/short.dat"), TextFileReader::LATIN1);
  EXPECT_EQ(TextFileReader::EncodingDetector("data/lang/missing.dat"), TextFileReader::LATIN1);
  EXPECT_EQ(TextFileReader::CreateStream("data/lang/missing.dat"), nullptr);
}

TEST(TextFile, EveryEncodingGivesTheSameUtf8Lines) {
  const std::vector<std::string> want = {"001 Play", "002 Caf\xC3\xA9 na\xC3\xAFve", "", "  spaced  "};
  const struct {
    int encoding;
    bool mark;
  } encodings[] = {
      {TextFileReader::LATIN1, false},  {TextFileReader::UTF8, false},    {TextFileReader::UTF8, true},
      {TextFileReader::UTF16LE, true},  {TextFileReader::UTF16BE, true},
  };
  for (const char* eol : {"\n", "\r\n"}) {
    std::string text;
    for (const auto& line : want) text += line + eol;
    for (const auto& e : encodings) {
      const std::string bytes = Encode(text, e.encoding, e.mark);
      // The mark is never read as a character of the first line.
      EXPECT_EQ(LinesOf(bytes), want) << "encoding " << e.encoding << " mark " << e.mark << " eol " << eol[0] + 0;
    }
  }
}

TEST(TextFile, TextWithoutMarkIsUtf8WhenValidElseLatin1) {
  EXPECT_EQ(LinesOf("Gr\xC3\xBC\xC3\x9F" "e\n"), std::vector<std::string>{"Gr\xC3\xBC\xC3\x9F" "e"});
  // One invalid byte makes the whole file 8-bit, so its other lines read the same way.
  EXPECT_EQ(LinesOf("\xC3\xBC\n\xFC\n"), (std::vector<std::string>{"\xC3\x83\xC2\xBC", "\xC3\xBC"}));
  auto stream = platform::OpenMemory(std::string("\xE9t\xE9"));
  EXPECT_EQ(TextFileReader::CreateStream(*stream)->Encoding(), TextFileReader::LATIN1);
}

TEST(TextFile, BrokenInputDecodesWithoutLoss) {
  // A UTF-16 file with an odd byte count: the cut-off unit becomes U+FFFD.
  EXPECT_EQ(LinesOf(std::string("\xFF\xFE" "a\x00" "b", 5)), std::vector<std::string>{"a\xEF\xBF\xBD"});
  // A lone surrogate.
  EXPECT_EQ(LinesOf(std::string("\xFE\xFF\xD8\x00\x00" "a", 6)), std::vector<std::string>{"\xEF\xBF\xBD" "a"});
  // A marked UTF-8 file with a stray byte keeps the rest and reads the byte as its character.
  EXPECT_EQ(LinesOf("\xEF\xBB\xBF" "a\xFF" "b"), std::vector<std::string>{"a\xC3\xBF" "b"});
  EXPECT_EQ(LinesOf("\xFF\xFE"), std::vector<std::string>{});
}

TEST(TextFile, LineEndings) {
  const struct {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\n\n", {"a", ""}},
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {std::string("a\0b", 3), {"a", "b"}},
      {"\n", {""}},
  };
  for (const auto& c : cases) EXPECT_EQ(LinesOf(c.bytes), c.lines) << c.bytes;
}

TEST(TextFile, AGivenEncodingOverridesDetection) {
  const std::string bytes = Encode("ab\ncd", TextFileReader::UTF16BE, false);
  auto stream = platform::OpenMemory(bytes);
  auto text = TextFileReader::CreateStream(*stream, 0, TextFileReader::UTF16BE);
  EXPECT_EQ(Lines(*text), (std::vector<std::string>{"ab", "cd"}));
  langtest::WorkDir work;
  work.Write("data/lang/x.dat", Encode("\xC3\xA9", TextFileReader::UTF16LE, true));
  auto fromFile = TextFileReader::CreateStream("data/lang/x.dat", 0, TextFileReader::UTF16LE);
  ASSERT_NE(fromFile, nullptr);
  EXPECT_EQ(Lines(*fromFile), std::vector<std::string>{"\xC3\xA9"});
}
