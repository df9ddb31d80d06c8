#include "physics/pair_lanes.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define KELP_PAIR_LANES_WIDE 1
#endif

namespace kelp {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

}  // namespace

void PairLanes::Load(const StepBody* bodies, const std::vector<uint32_t>& slots, const std::vector<uint32_t>& start,
                     uint32_t mostGlue) {
  mostGlue_ = mostGlue;
#if defined(KELP_PAIR_LANES_WIDE)
  static const bool wide = __builtin_cpu_supports("avx");
  wide_ = wide && !narrow_;
#endif
  const size_t groups = start.empty() ? 0 : start.size() - 1;
  first_.resize(groups);
  size_t lanes = 0;
  for (size_t i = 0; i < groups; ++i) {
    first_[i] = static_cast<uint32_t>(lanes);
    lanes += (static_cast<size_t>(start[i + 1] - start[i]) + 7) & ~size_t{7};
  }
  x_.assign(lanes, kNaN);
  y_.assign(lanes, kNaN);
  r_.assign(lanes, 0.0f);
  inactive_.assign(lanes, 0);
  sticky_.assign(lanes, 0);
  slotOf_.assign(lanes, kNoLane);
  laneOf_.assign(slots.empty() ? 0 : *std::max_element(slots.begin(), slots.end()) + size_t{1}, kNoLane);
  shared_ = false;
  for (size_t i = 0; i < groups; ++i) {
    uint32_t lane = first_[i];
    for (uint32_t k = start[i]; k < start[i + 1]; ++k, ++lane) {
      const uint32_t slot = slots[k];
      const StepBody& b = bodies[slot];
      x_[lane] = b.x;
      y_[lane] = b.y;
      r_[lane] = b.radius;
      inactive_[lane] = b.inactive ? -1 : 0;
      sticky_[lane] = MayGlue(b) ? -1 : 0;
      slotOf_[lane] = slot;
      shared_ |= laneOf_[slot] != kNoLane;
      laneOf_[slot] = lane;
    }
  }
}

void PairLanes::Changed(const StepBody* bodies, uint32_t slot) {
  const StepBody& b = bodies[slot];
  auto set = [&](size_t q) {
    x_[q] = b.x;
    y_[q] = b.y;
    sticky_[q] = MayGlue(b) ? -1 : 0;
  };
  if (!shared_) {
    if (slot < laneOf_.size() && laneOf_[slot] != kNoLane) set(laneOf_[slot]);
    return;
  }
  for (size_t q = 0; q < slotOf_.size(); ++q)
    if (slotOf_[q] == slot) set(q);
}

PairLanes::Pair PairLanes::Measured(const StepBody& a, uint32_t lane) const {
  const float dx = x_[lane] - a.x, dy = y_[lane] - a.y;
  return {dx, dy, std::sqrt(dx * dx + dy * dy), a.radius + r_[lane]};
}

// The tests, as the pass makes them for one pair: beyond the reach on either
// axis (the larger of 1.7 R and R + 4) nothing can fire, neither touching nor
// overlapping nor glue; the rest is decided on the distance.
void PairLanes::Measure(const StepBody& a, uint32_t from, uint32_t n, uint64_t& touch, uint64_t& act) {
#if defined(KELP_PAIR_LANES_WIDE)
  if (wide_) {
    MeasureWide(a, from, n, touch, act);
    return;
  }
#endif
  uint64_t t = 0, c = 0;
#if defined(__SSE2__)
  const uint32_t base = from & ~3u, skip = from - base;
  base_ = base;
  const __m128 ax = _mm_set1_ps(a.x), ay = _mm_set1_ps(a.y), ar = _mm_set1_ps(a.radius);
  const __m128 abs = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
  const __m128 zero = _mm_setzero_ps(), k17 = _mm_set1_ps(1.7f), k4 = _mm_set1_ps(4.0f), k3 = _mm_set1_ps(3.0f);
  const __m128 rests = _mm_castsi128_ps(_mm_set1_epi32(a.inactive ? -1 : 0));
  const __m128 sticks = _mm_castsi128_ps(_mm_set1_epi32(MayGlue(a) ? -1 : 0));
  const float *xs = x_.data(), *ys = y_.data(), *rs = r_.data();
  const int32_t *ins = inactive_.data(), *sts = sticky_.data();
  float* ds = d_;
  for (uint32_t k = base; k < from + n; k += 4) {
    const __m128 dx = _mm_sub_ps(_mm_loadu_ps(xs + k), ax);
    const __m128 dy = _mm_sub_ps(_mm_loadu_ps(ys + k), ay);
    const __m128 R = _mm_add_ps(ar, _mm_loadu_ps(rs + k));
    const __m128 reach = _mm_max_ps(_mm_mul_ps(k17, R), _mm_add_ps(R, k4));
    const __m128 d = _mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(dx, dx), _mm_mul_ps(dy, dy)));
    const __m128 inactive = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(ins + k)));
    const __m128 sticky = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sts + k)));
    __m128 live = _mm_and_ps(_mm_cmplt_ps(_mm_and_ps(dx, abs), reach), _mm_cmplt_ps(_mm_and_ps(dy, abs), reach));
    live = _mm_and_ps(live, _mm_cmplt_ps(zero, d));
    live = _mm_andnot_ps(_mm_and_ps(rests, inactive), live);
    const __m128 glue = _mm_and_ps(_mm_and_ps(sticks, sticky), _mm_cmple_ps(_mm_and_ps(_mm_sub_ps(d, R), abs), k3));
    const __m128 near = _mm_and_ps(live, _mm_cmplt_ps(d, _mm_mul_ps(k17, R)));
    const __m128 acts = _mm_and_ps(live, _mm_or_ps(_mm_cmplt_ps(d, R), glue));
    const uint32_t at = k - base;
    _mm_storeu_ps(ds + at, d);
    t |= static_cast<uint64_t>(_mm_movemask_ps(near)) << at;
    c |= static_cast<uint64_t>(_mm_movemask_ps(acts)) << at;
  }
  t >>= skip;
  c >>= skip;
#else
  base_ = from;
  const bool aRests = a.inactive != 0, aSticky = MayGlue(a);
  for (uint32_t q = 0; q < n; ++q) {
    const uint32_t k = from + q;
    const Pair p = Measured(a, k);
    d_[q] = p.d;
    const float reach = std::max(1.7f * p.R, p.R + 4.0f);
    // Whole numbers, not booleans: every test is made, none is branched on.
    const int live = static_cast<int>(!(aRests && inactive_[k] != 0)) & static_cast<int>(std::fabs(p.dx) < reach) &
                     static_cast<int>(std::fabs(p.dy) < reach) & static_cast<int>(0 < p.d);
    const int glue = static_cast<int>(aSticky && sticky_[k] != 0) & static_cast<int>(std::fabs(p.d - p.R) <= 3);
    t |= static_cast<uint64_t>(live & static_cast<int>(p.d < 1.7f * p.R)) << q;
    c |= static_cast<uint64_t>(live & (static_cast<int>(p.d < p.R) | glue)) << q;
  }
#endif
  const uint64_t keep = n >= 64 ? ~uint64_t{0} : (uint64_t{1} << n) - 1;
  touch = t & keep;
  act = c & keep;
}

#if defined(KELP_PAIR_LANES_WIDE)
// The same tests as Measure's blocks of four, eight at a time.
__attribute__((target("avx"))) void PairLanes::MeasureWide(const StepBody& a, uint32_t from, uint32_t n,
                                                            uint64_t& touch, uint64_t& act) {
  uint64_t t = 0, c = 0;
  const uint32_t base = from & ~7u, skip = from - base;
  base_ = base;
  const __m256 ax = _mm256_set1_ps(a.x), ay = _mm256_set1_ps(a.y), ar = _mm256_set1_ps(a.radius);
  const __m256 abs = _mm256_castsi256_ps(_mm256_set1_epi32(0x7fffffff));
  const __m256 zero = _mm256_setzero_ps(), k17 = _mm256_set1_ps(1.7f), k4 = _mm256_set1_ps(4.0f);
  const __m256 k3 = _mm256_set1_ps(3.0f);
  const __m256 rests = _mm256_castsi256_ps(_mm256_set1_epi32(a.inactive ? -1 : 0));
  const __m256 sticks = _mm256_castsi256_ps(_mm256_set1_epi32(MayGlue(a) ? -1 : 0));
  const float *xs = x_.data(), *ys = y_.data(), *rs = r_.data();
  const int32_t *ins = inactive_.data(), *sts = sticky_.data();
  float* ds = d_;
  for (uint32_t k = base; k < from + n; k += 8) {
    const __m256 dx = _mm256_sub_ps(_mm256_loadu_ps(xs + k), ax);
    const __m256 dy = _mm256_sub_ps(_mm256_loadu_ps(ys + k), ay);
    const __m256 R = _mm256_add_ps(ar, _mm256_loadu_ps(rs + k));
    const __m256 reach = _mm256_max_ps(_mm256_mul_ps(k17, R), _mm256_add_ps(R, k4));
    const __m256 d = _mm256_sqrt_ps(_mm256_add_ps(_mm256_mul_ps(dx, dx), _mm256_mul_ps(dy, dy)));
    const __m256 inactive = _mm256_castsi256_ps(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(ins + k)));
    const __m256 sticky = _mm256_castsi256_ps(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(sts + k)));
    __m256 live = _mm256_and_ps(_mm256_cmp_ps(_mm256_and_ps(dx, abs), reach, _CMP_LT_OQ),
                                _mm256_cmp_ps(_mm256_and_ps(dy, abs), reach, _CMP_LT_OQ));
    live = _mm256_and_ps(live, _mm256_cmp_ps(zero, d, _CMP_LT_OQ));
    live = _mm256_andnot_ps(_mm256_and_ps(rests, inactive), live);
    const __m256 glue = _mm256_and_ps(_mm256_and_ps(sticks, sticky),
                                      _mm256_cmp_ps(_mm256_and_ps(_mm256_sub_ps(d, R), abs), k3, _CMP_LE_OQ));
    const __m256 near = _mm256_and_ps(live, _mm256_cmp_ps(d, _mm256_mul_ps(k17, R), _CMP_LT_OQ));
    const __m256 acts = _mm256_and_ps(live, _mm256_or_ps(_mm256_cmp_ps(d, R, _CMP_LT_OQ), glue));
    const uint32_t at = k - base;
    _mm256_storeu_ps(ds + at, d);
    t |= static_cast<uint64_t>(_mm256_movemask_ps(near)) << at;
    c |= static_cast<uint64_t>(_mm256_movemask_ps(acts)) << at;
  }
  t >>= skip;
  c >>= skip;
  const uint64_t keep = n >= 64 ? ~uint64_t{0} : (uint64_t{1} << n) - 1;
  touch = t & keep;
  act = c & keep;
}
#endif

}  // namespace kelp
