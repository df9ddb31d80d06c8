#include "framework/core/fields.h"

#include <gtest/gtest.h>

using namespace kelp;

TEST(Fields, GetFieldCountsFromOneAndWrapsPastTheLast) {
  struct Case {
    int index;
    const char* text;
    const char* sep;
    const char* want;
  };
  const Case cases[] = {
      {2, "10 20 30", " ", "20"},
      {1, "10 20 30", " ", "10"},
      {0, "10 20 30", " ", "10"},
      {-5, "10 20 30", " ", "10"},
      {3, "10 20 30", " ", "30"},
      {4, "10 20 30", " ", "10"},  // counting goes on from the start
      {5, "10 20 30", " ", "20"},
      {3, "a,b", ",", "a"},
      {1, "5", ",", "5"},
      {2, "5", ",", "5"},
      {2, "a,,c", ",", ""},
      {3, "a,,c", ",", "c"},
      {2, "a,b,", ",", "b"},
      {3, "a,b,", ",", ""},
      {1, "", ",", ""},
      {2, "", ",", ""},
      {2, "1.5;-2", ";", "-2"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.text) + " #" + std::to_string(k.index));
    EXPECT_EQ(GetField(k.index, k.text, k.sep), k.want);
  }
}

TEST(Fields, CountFieldsIsSeparatorsPlusOne) {
  struct Case {
    const char* text;
    const char* sep;
    int want;
  };
  const Case cases[] = {
      {"10 20 30", " ", 3}, {"", " ", 1}, {"abc", ",", 1}, {",", ",", 2}, {"a,,b", ",", 3}, {"  1   2 ", " ", 7},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    EXPECT_EQ(CountFields(k.text, k.sep), k.want);
  }
}

TEST(Fields, CollapseSeparatorTrimsAndMergesRuns) {
  struct Case {
    const char* text;
    const char* sep;
    const char* want;
  };
  const Case cases[] = {
      {"  1   2 ", " ", "1 2"},
      {"1 2", " ", "1 2"},
      {"\t\r\n 3    4     5\n", " ", "3 4 5"},
      {",,a,,,b,,", ",", ",a,b,"},
      {"", " ", ""},
      {"     ", " ", ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    EXPECT_EQ(CollapseSeparator(k.text, k.sep), k.want);
  }
}

TEST(Fields, EmptySeparatorLeavesTheTextWhole) {
  EXPECT_EQ(CountFields("a b", ""), 1);
  EXPECT_EQ(GetField(2, "a b", ""), "a b");
  EXPECT_EQ(CollapseSeparator(" a  b ", ""), "a  b");
}
