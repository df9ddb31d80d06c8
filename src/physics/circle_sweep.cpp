#include "physics/circle_sweep.h"

#include <algorithm>
#include <bit>

namespace kelp {
namespace {

bool Narrow(float r, float wide) { return r <= wide; }  // false for NaN

}  // namespace

void CircleSweep::Build(const std::vector<Circle>& circles) {
  circles_ = circles;
  byX_.clear();
  wide_.clear();
  reach_ = 0;
  for (size_t i = 0; i < circles_.size(); ++i) {
    const Circle& c = circles_[i];
    if (!Narrow(c.r, kWide) || !(c.x == c.x) || !(c.y == c.y)) {
      wide_.push_back(i);
      continue;
    }
    byX_.push_back({c.x, c.y, i});
    reach_ = std::max(reach_, static_cast<double>(c.r));
  }
  std::sort(byX_.begin(), byX_.end(), [](const Entry& a, const Entry& b) { return a.x < b.x; });
  marks_.assign((circles_.size() + 63) / 64, 0);
}

void CircleSweep::Candidates(size_t i, std::vector<size_t>& out) {
  out.clear();
  const Circle& a = circles_[i];
  if (!Narrow(a.r, kWide) || !(a.x == a.x) || !(a.y == a.y)) {
    for (size_t j = 0; j < circles_.size(); ++j) out.push_back(j);
    return;
  }
  // A margin of one keeps rounding of the caller's float test inside.
  const double span = static_cast<double>(a.r) + reach_ + 1.0;
  const double x = a.x, y = a.y;
  auto it = std::lower_bound(byX_.begin(), byX_.end(), x - span,
                             [](const Entry& e, double v) { return e.x < v; });
  size_t lo = marks_.size(), hi = 0;  // the words marked
  auto mark = [&](size_t j) {
    const size_t w = j >> 6;
    marks_[w] |= uint64_t{1} << (j & 63);
    lo = std::min(lo, w);
    hi = std::max(hi, w + 1);
  };
  for (; it != byX_.end() && it->x <= x + span; ++it)
    if (it->y >= y - span && it->y <= y + span) mark(it->i);
  for (size_t j : wide_) mark(j);
  for (size_t w = lo; w < hi; ++w) {
    for (uint64_t bits = marks_[w]; bits; bits &= bits - 1)
      out.push_back(w * 64 + static_cast<size_t>(std::countr_zero(bits)));
    marks_[w] = 0;
  }
}

}  // namespace kelp
