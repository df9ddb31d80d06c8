#include "framework/core/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using namespace kelp;

TEST(Numbers, ToIntReadsDecimalHexAndBinaryPrefixes) {
  struct Case {
    const char* text;
    int want;
  };
  const Case cases[] = {
      {"42", 42},    {"$FF", 255},   {"$ff", 255},       {"%101", 5},       {"-12abc", -12},
      {" 3.5", 3},   {"1e3", 1},     {"+7", 7},          {"-$10", -16},     {"$FFFFFFFF", -1},
      {"", 0},       {"garbage", 0}, {"  \t-8 ", -8},    {"$", 0},          {"%2", 0},
      {"-", 0},      {"$1G", 1},     {"%1102", 6},       {"0042", 42},      {"- 5", 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    EXPECT_EQ(ToInt(k.text), k.want);
  }
}

TEST(Numbers, ToFloatReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    float want;
  };
  const Case cases[] = {
      {" 3.5", 3.5f}, {"1e3", 1000.0f}, {"-0.25", -0.25f}, {".5", 0.5f},  {"1.5abc", 1.5f}, {"+2", 2.0f},
      {"", 0.0f},     {"garbage", 0.0f}, {"abc1.5", 0.0f}, {"7", 7.0f},   {"1e", 1.0f},     {"-", 0.0f},
      {"nan", 0.0f},  {"inf", 0.0f},     {"-infinity", 0.0f},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    EXPECT_EQ(ToFloat(k.text), k.want);
  }
}

TEST(Numbers, FloatTextIsShortestAndReadsBack) {
  struct Case {
    float v;
    const char* text;
  };
  const Case cases[] = {{1.5f, "1.5"}, {-0.25f, "-0.25"}, {3.0f, "3"}, {0.1f, "0.1"}};
  for (const Case& k : cases) {
    EXPECT_EQ(FloatToString(k.v), k.text);
    EXPECT_EQ(ToFloat(FloatToString(k.v)), k.v);
  }
  EXPECT_EQ(ToDouble(DoubleToString(0.1)), 0.1);
}

TEST(Numbers, CLocaleWhateverTheUserLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  EXPECT_EQ(ToFloat("3.5"), 3.5f);
  EXPECT_EQ(ToFloat("3,5"), 3.0f);
  EXPECT_EQ(FloatToString(3.5f), "3.5");
  EXPECT_EQ(DoubleToString(-1.25), "-1.25");
  std::setlocale(LC_ALL, saved.c_str());
  if (!german) GTEST_SKIP() << "de_DE.UTF-8 is not installed; checked in the C locale only";
}

TEST(Numbers, TrimAndCase) {
  EXPECT_EQ(Trim("  \t a b \r\n"), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Lower("AbC-Ä"), "abc-Ä");
  EXPECT_EQ(Upper("aBc"), "ABC");
}
