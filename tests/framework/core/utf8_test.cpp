#include "framework/core/utf8.h"

#include <gtest/gtest.h>

using namespace kelp;

TEST(Utf8, CountsAndIndexesCharactersNotBytes) {
  const std::string s = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z";  // a é € 😀 z
  EXPECT_EQ(utf8::Length(s), 5u);
  EXPECT_EQ(utf8::At(s, 1), 0xE9u);
  EXPECT_EQ(utf8::At(s, 2), 0x20ACu);
  EXPECT_EQ(utf8::At(s, 3), 0x1F600u);
  EXPECT_EQ(utf8::At(s, 5), 0u);
  EXPECT_EQ(utf8::ByteOffset(s, 2), 3u);
  EXPECT_EQ(utf8::ByteOffset(s, 99), s.size());
  EXPECT_EQ(utf8::Substr(s, 1, 2), "\xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(utf8::Substr(s, 4), "z");
  EXPECT_EQ(utf8::Substr(s, 9), "");
  EXPECT_EQ(utf8::Left(s, 1), "a");
  std::string t = s;
  utf8::PopBack(t);
  utf8::PopBack(t);
  EXPECT_EQ(t, "a\xC3\xA9\xE2\x82\xAC");
  std::string empty;
  utf8::PopBack(empty);
  EXPECT_EQ(empty, "");
}

TEST(Utf8, InvalidBytesDecodeAsThemselvesOneAtATime) {
  struct Case {
    const char* name;
    std::string bytes;
    size_t length;
    uint32_t first;
  };
  const Case cases[] = {
      {"lone continuation", "\x80", 1, 0x80},
      {"truncated two-byte", "\xC3", 1, 0xC3},
      {"truncated three-byte", "\xE2\x82", 2, 0xE2},
      {"overlong slash", "\xC0\xAF", 2, 0xC0},
      {"encoded surrogate", "\xED\xA0\x80", 3, 0xED},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", 4, 0xF4},
      {"Latin-1 e acute", "caf\xE9", 4, 'c'},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_FALSE(utf8::IsValid(k.bytes));
    EXPECT_EQ(utf8::Length(k.bytes), k.length);
    size_t pos = 0;
    EXPECT_EQ(utf8::Next(k.bytes, pos), k.first);
    EXPECT_EQ(pos, 1u);
  }
  EXPECT_TRUE(utf8::IsValid("plain \xC3\xA9"));
}

TEST(Utf8, EncodesAndReplacesImpossibleCodePoints) {
  EXPECT_EQ(utf8::Encode('A'), "A");
  EXPECT_EQ(utf8::Encode(0xE9), "\xC3\xA9");
  EXPECT_EQ(utf8::Encode(0x20AC), "\xE2\x82\xAC");
  EXPECT_EQ(utf8::Encode(0x1F600), "\xF0\x9F\x98\x80");
  EXPECT_EQ(utf8::Encode(0xD800), "\xEF\xBF\xBD");
  EXPECT_EQ(utf8::Encode(0x110000), "\xEF\xBF\xBD");
}

TEST(Utf8, Latin1ConversionsUseQuestionMarkAbove255) {
  EXPECT_EQ(utf8::FromLatin1("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(utf8::ToLatin1("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 ?");
  EXPECT_EQ(utf8::ToLatin1(utf8::FromLatin1(std::string("\x00\x7F\xFF", 3))), std::string("\x00\x7F\xFF", 3));
}

TEST(Utf8, Utf16RoundTripsAndRepairsLoneSurrogates) {
  const std::string s = "a\xC3\xA9\xF0\x9F\x98\x80";
  const std::u16string u = utf8::ToUtf16(s);
  EXPECT_EQ(u, (std::u16string{u'a', 0xE9, 0xD83D, 0xDE00}));
  EXPECT_EQ(utf8::FromUtf16(u), s);
  EXPECT_EQ(utf8::FromUtf16(std::u16string{0xD83D, u'x'}), "\xEF\xBF\xBDx");
  EXPECT_EQ(utf8::FromUtf16(std::u16string{0xDE00}), "\xEF\xBF\xBD");
  EXPECT_EQ(utf8::FromUtf16(std::u16string{0xD83D}), "\xEF\xBF\xBD");
}
