#include "framework/core/random.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

using namespace kelp;

TEST(Random, SameSeedGivesSameSequence) {
  auto draw = [] {
    std::vector<double> v;
    for (int i = 0; i < 50; ++i) {
      v.push_back(Rand(-1000, 1000));
      v.push_back(Rnd(0.0f, 10.0f));
    }
    return v;
  };
  SeedRnd(1234);
  EXPECT_EQ(RndSeed(), 1234u);
  const auto first = draw();
  SeedRnd(1234);
  EXPECT_EQ(draw(), first);
  SeedRnd(1235);
  EXPECT_NE(draw(), first);
}

TEST(Random, RandIncludesBothEndsInEitherOrder) {
  SeedRnd(7);
  struct Case {
    int a, b, lo, hi;
  };
  const Case cases[] = {{1, 3, 1, 3}, {3, 1, 1, 3}, {-2, 2, -2, 2}, {5, 5, 5, 5}, {0, 1, 0, 1}};
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.a) + ".." + std::to_string(k.b));
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
      const int v = Rand(k.a, k.b);
      ASSERT_GE(v, k.lo);
      ASSERT_LE(v, k.hi);
      seen.insert(v);
    }
    EXPECT_EQ(static_cast<int>(seen.size()), k.hi - k.lo + 1);
  }
}

TEST(Random, RandCoversTheWholeIntRangeWithoutOverflow) {
  SeedRnd(9);
  bool negative = false, positive = false;
  for (int i = 0; i < 200; ++i) {
    const int v = Rand(INT_MIN, INT_MAX);
    negative |= v < 0;
    positive |= v > 0;
  }
  EXPECT_TRUE(negative);
  EXPECT_TRUE(positive);
  EXPECT_EQ(Rand(INT_MAX, INT_MAX), INT_MAX);
}

TEST(Random, RndStaysInItsRange) {
  SeedRnd(11);
  float lo = 1.0f, hi = 0.0f;
  for (int i = 0; i < 5000; ++i) {
    const float v = Rnd(-2.0f, 3.0f);
    ASSERT_GE(v, -2.0f);
    ASSERT_LT(v, 3.0f);
    lo = std::min(lo, v);
    hi = std::max(hi, v);
    const float r = Rnd(5.0f, 1.0f);  // reversed bounds
    ASSERT_GT(r, 1.0f);
    ASSERT_LE(r, 5.0f);
  }
  EXPECT_LT(lo, -1.9f);
  EXPECT_GT(hi, 2.9f);
  EXPECT_EQ(Rnd(2.5f, 2.5f), 2.5f);
  const float d = Rnd();
  EXPECT_GE(d, 0.0f);
  EXPECT_LT(d, 1.0f);
}
