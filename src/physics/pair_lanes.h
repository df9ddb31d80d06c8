#pragma once
// The collision pass's copy of every group's particles side by side
// (positions, radii, flags), each group from a whole block of eight lanes, so
// that one particle is measured against all of another group's particles at
// once: eight at a time where the processor has the registers for it (chosen
// when the program runs), else four, else one.
//
// Measuring gives the same sums and tests, bit for bit, as the pass makes one
// pair at a time: which pairs touch (closer than 1.7 times their radii) and
// which need the pass's attention (overlapping, or close enough to glue while
// both are sticky and hold less than the most glue).
#include <cstdint>
#include <vector>

#include "physics/step_arrays.h"

namespace kelp {

class PairLanes {
 public:
  // Copies group i's particles, slots[start[i] .. start[i + 1]) of `bodies`.
  void Load(const StepBody* bodies, const std::vector<uint32_t>& slots, const std::vector<uint32_t>& start,
            uint32_t mostGlue);
  // Four lanes at a time from the next Load on, even where eight would do
  // (the two must agree bit for bit).
  void Narrow() { narrow_ = true; }
  // Group i's particles are lanes [First(i), First(i) + its count).
  uint32_t First(size_t group) const { return first_[group]; }
  // The body at `slot` moved or took glue (nothing else changes within the pass).
  void Changed(const StepBody* bodies, uint32_t slot);

  static constexpr uint32_t kMost = 56;
  // a against lanes [from, from + n), n at most kMost: bit q of `touch` and
  // `act` stands for lane from + q.
  void Measure(const StepBody& a, uint32_t from, uint32_t n, uint64_t& touch, uint64_t& act);

  // The offset, distance and radii sum of a and one lane, as the last
  // Measure had them (the lane must be among those it measured, and a and
  // the lane where they were).
  struct Pair {
    float dx, dy, d, R;
  };
  Pair At(const StepBody& a, uint32_t lane) const {
    return {x_[lane] - a.x, y_[lane] - a.y, d_[lane - base_], a.radius + r_[lane]};
  }

 private:
  static constexpr uint32_t kNoLane = UINT32_MAX;
  std::vector<uint32_t> first_;
  // Padded with lanes that never touch (NaN positions).
  std::vector<float> x_, y_, r_;
  std::vector<int32_t> inactive_, sticky_;  // all bits set when true; sticky_ only while it may glue
  uint32_t mostGlue_ = 0;
  bool MayGlue(const StepBody& b) const { return b.sticky && b.glue < mostGlue_; }
  std::vector<uint32_t> slotOf_;            // by lane; kNoLane for padding
  std::vector<uint32_t> laneOf_;            // by slot, while no slot has two lanes
  bool shared_ = false;                     // some slot has two lanes
  // The last Measure, from lane base_ on.
  uint32_t base_ = 0;
  float d_[kMost + 8];
  bool wide_ = false, narrow_ = false;  // eight at a time; not even where the processor could
  Pair Measured(const StepBody& a, uint32_t lane) const;
  void MeasureWide(const StepBody& a, uint32_t from, uint32_t n, uint64_t& touch, uint64_t& act);
};

}  // namespace kelp
