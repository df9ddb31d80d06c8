#pragma once
// Which bounding circles may overlap, without testing every pair: circles
// sorted by x, each asks only for those whose centre lies within its own
// radius plus the largest radius of x and y. The answer is a superset of the
// overlapping ones, in ascending index order, so a caller that applies its
// own exact test to each visits exactly the pairs it would visit by testing
// all of them, in the same order.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelp {

class CircleSweep {
 public:
  struct Circle {
    float x, y, r;
  };
  // Copies the circles; indices refer to this vector.
  void Build(const std::vector<Circle>& circles);
  // Every circle that may overlap circle i (i itself among them), in ascending order.
  void Candidates(size_t i, std::vector<size_t>& out);

 private:
  // Circles wider than this (or of no comparable size: NaN, infinite) are
  // candidates of every circle, and every circle is theirs; so one long
  // body does not widen every other's search.
  static constexpr float kWide = 256.0f;
  struct Entry {
    double x, y;
    size_t i;
  };
  std::vector<Circle> circles_;
  std::vector<Entry> byX_;
  std::vector<size_t> wide_;
  // One bit a circle: the answer marked here and read back in index order,
  // instead of sorting it (every group asks once a step). All clear between calls.
  std::vector<uint64_t> marks_;
  double reach_ = 0;  // the largest radius of the circles in byX_
};

}  // namespace kelp
