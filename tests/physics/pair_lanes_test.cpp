#include "physics/pair_lanes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

using namespace kelp;

namespace {

constexpr uint32_t kMostGlue = 3;

StepBody Body(float x, float y, float radius, int inactive = 0, int sticky = 1, int glue = 0) {
  StepBody b{};
  b.x = x;
  b.y = y;
  b.radius = radius;
  b.mass = 1;
  b.inactive = inactive;
  b.sticky = static_cast<uint8_t>(sticky);
  b.glue = static_cast<uint8_t>(glue);
  return b;
}

// The collision pass's tests of one pair, as it makes them one pair at a time.
void OnePair(const StepBody& a, const StepBody& b, bool& touch, bool& act) {
  touch = act = false;
  if (a.inactive && b.inactive) return;
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float R = a.radius + b.radius;
  const float reach = std::max(1.7f * R, R + 4.0f);
  if (!(std::fabs(dx) < reach && std::fabs(dy) < reach)) return;
  const float d = std::sqrt(dx * dx + dy * dy);
  touch = 0 < d && d < 1.7f * R;
  const bool glue = a.sticky && b.sticky && a.glue < kMostGlue && b.glue < kMostGlue;
  act = (0 < d && d < R) || (0 < d && std::fabs(d - R) <= 3 && glue);
}

bool SameBits(float x, float y) { return std::memcmp(&x, &y, sizeof x) == 0; }

}  // namespace

// Measuring a particle against a group gives, pair for pair, what the pass's
// own tests give: at the edges of touching (1.7 R), overlapping (R) and glue
// (R + 3), for resting and full-of-glue particles, and for positions and
// sizes that are no numbers, infinite, negative or beyond float precision.
TEST(PairLanes, MeasureAgreesWithThePairTestsAtEveryEdge) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  // Lanes measured against a particle of radius 10 at (100, 100).
  const std::vector<StepBody> others = {
      Body(130, 100, 20),                 // d = R: not overlapping, may glue
      Body(129.99f, 100, 20),             // a hair inside
      Body(133, 100, 20),                 // gap of exactly 3: glue
      Body(133.01f, 100, 20),             // beyond glue
      Body(151, 100, 20),                 // exactly 1.7 R: not touching
      Body(150.9f, 100, 20),              // just touching
      Body(100, 100, 5),                  // same centre: d = 0
      Body(110, 100, 5, 1),               // resting (a rests too in one round)
      Body(125, 100, 20, 0, 1, 3),        // full of glue
      Body(125, 100, 20, 0, 0),           // not sticky
      Body(nan, 100, 20),                 // no position
      Body(inf, 100, 20),                 // infinitely far
      Body(105, 100, -30),                // negative size
      Body(100, 100 + 3e7f, 3e7f),        // sizes beyond float precision
      Body(98, 104, nan),                 // no size
      Body(60, 60, 50),                   // overlapping on the diagonal
  };
  const StepBody particles[] = {Body(100, 100, 10), Body(100, 100, 10, 1), Body(100, 100, 10, 0, 1, 3)};
  for (int round = 0; round < 6; ++round) {
    const StepBody& a = particles[round % 3];
    const bool narrow = round >= 3;  // four lanes at a time where eight would do
    std::vector<StepBody> bodies = others;
    bodies.push_back(a);
    const auto ia = static_cast<uint32_t>(bodies.size() - 1);
    std::vector<uint32_t> slots;
    for (uint32_t k = 0; k < others.size(); ++k) slots.push_back(k);
    slots.push_back(ia);
    // The others as one group, a alone in a second one.
    const std::vector<uint32_t> start = {0, static_cast<uint32_t>(others.size()), static_cast<uint32_t>(slots.size())};
    PairLanes lanes;
    if (narrow) lanes.Narrow();
    lanes.Load(bodies.data(), slots, start, kMostGlue);
    const uint32_t first = lanes.First(0);
    for (uint32_t from : {0u, 1u, 3u, 6u}) {
      const auto n = static_cast<uint32_t>(others.size()) - from;
      uint64_t touch = 0, act = 0;
      lanes.Measure(bodies[ia], first + from, n, touch, act);
      for (uint32_t q = 0; q < n; ++q) {
        bool wantTouch, wantAct;
        OnePair(bodies[ia], others[from + q], wantTouch, wantAct);
        EXPECT_EQ(((touch >> q) & 1) != 0, wantTouch) << "lane " << from + q << " from " << from << " narrow " << narrow;
        EXPECT_EQ(((act >> q) & 1) != 0, wantAct) << "lane " << from + q << " from " << from << " narrow " << narrow;
        if (wantAct) {
          const PairLanes::Pair p = lanes.At(bodies[ia], first + from + q);
          const float dx = others[from + q].x - a.x, dy = others[from + q].y - a.y;
          EXPECT_TRUE(SameBits(p.d, std::sqrt(dx * dx + dy * dy))) << from + q;
          EXPECT_TRUE(SameBits(p.R, a.radius + others[from + q].radius)) << from + q;
        }
      }
      EXPECT_EQ(touch >> n, 0u);
      EXPECT_EQ(act >> n, 0u);
    }
  }
}

// A body that moved or took glue is measured where it is now, in every group
// whose chain holds it.
TEST(PairLanes, ChangedBodiesAreMeasuredAsTheyAreNow) {
  std::vector<StepBody> bodies = {Body(0, 0, 10), Body(500, 0, 10), Body(40, 0, 10)};
  for (bool shared : {false, true}) {
    std::vector<uint32_t> slots = {0, 1, 2};
    std::vector<uint32_t> start = {0, 1, 2, 3};
    if (shared) {  // body 1 in the chains of two groups
      slots = {0, 1, 2, 1};
      start = {0, 1, 3, 4};
    }
    PairLanes lanes;
    lanes.Load(bodies.data(), slots, start, kMostGlue);
    uint64_t touch, act;
    lanes.Measure(bodies[0], lanes.First(1), 1, touch, act);
    EXPECT_EQ(act, 0u);
    bodies[1].x = 15;  // moved next to body 0
    lanes.Changed(bodies.data(), 1);
    for (size_t g = 1; g < start.size() - 1; ++g) {
      if (slots[start[g]] != 1) continue;
      lanes.Measure(bodies[0], lanes.First(g), 1, touch, act);
      EXPECT_EQ(act, 1u) << "group " << g << (shared ? " shared" : "");
    }
    // Body 2 sits at a gap that glues until it holds the most glue.
    bodies[2].x = 22;
    lanes.Changed(bodies.data(), 2);
    const uint32_t lane2 = shared ? lanes.First(1) + 1 : lanes.First(2);
    lanes.Measure(bodies[0], lane2, 1, touch, act);
    EXPECT_EQ(act, 1u);
    bodies[2].glue = kMostGlue;
    lanes.Changed(bodies.data(), 2);
    lanes.Measure(bodies[0], lane2, 1, touch, act);
    EXPECT_EQ(act, 0u);
    EXPECT_EQ(touch, 1u);
    bodies[1].x = 500;
    bodies[2].x = 40;
    bodies[2].glue = 0;
  }
}
