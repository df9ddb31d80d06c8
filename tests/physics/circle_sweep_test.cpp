#include "physics/circle_sweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace kelp;

namespace {

// The engine's own test of two bounding circles.
bool Overlap(const CircleSweep::Circle& g, const CircleSweep::Circle& h) {
  const float cdx = h.x - g.x, cdy = h.y - g.y, rsum = g.r + h.r;
  return std::fabs(cdx) < rsum && std::fabs(cdy) < rsum && std::sqrt(cdx * cdx + cdy * cdy) < rsum;
}

}  // namespace

// Every overlapping circle is a candidate, in ascending order and once, for
// crowds of small circles, circles just touching, long bodies and circles of
// no size or no number.
TEST(CircleSweep, CandidatesHoldEveryOverlapInIndexOrder) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> pos(-600, 600);
  std::uniform_real_distribution<float> size(0.0f, 60.0f);
  for (int round = 0; round < 40; ++round) {
    std::vector<CircleSweep::Circle> c;
    for (int i = 0; i < 150; ++i)
      c.push_back({static_cast<float>(pos(rng)), static_cast<float>(pos(rng)), size(rng)});
    // Exactly touching along x (no overlap) and a hair inside.
    c.push_back({0, 0, 10});
    c.push_back({20, 0, 10});
    c.push_back({19, 0, 10});
    c.push_back({100, 100, 900});  // a long body: everything's neighbour
    c.push_back({-300, 50, inf});
    c.push_back({300, 50, nan});
    c.push_back({0, 0, -5});
    std::shuffle(c.begin(), c.end(), rng);
    CircleSweep sweep;
    sweep.Build(c);
    std::vector<size_t> got;
    for (size_t i = 0; i < c.size(); ++i) {
      sweep.Candidates(i, got);
      ASSERT_TRUE(std::is_sorted(got.begin(), got.end()));
      ASSERT_EQ(std::adjacent_find(got.begin(), got.end()), got.end());
      for (size_t j = 0; j < c.size(); ++j)
        if (j != i && Overlap(c[i], c[j]))
          ASSERT_TRUE(std::binary_search(got.begin(), got.end(), j)) << round << ": " << i << " misses " << j;
    }
  }
}
