#include "physics/constraint_order.h"

#include <algorithm>
#include <limits>

#include "physics/engine.h"
#include "physics/step_arrays.h"

namespace kelp {
namespace {

constexpr float kNone = std::numeric_limits<float>::infinity();

}  // namespace

void ConstraintOrder::Build(const std::vector<TPhysEngine_Constraint*>& list, const std::vector<StepLink>& links) {
  slots_ = list;
  leaves_ = 1;
  while (leaves_ < slots_.size()) leaves_ *= 2;
  least_.assign(2 * leaves_, kNone);
  for (size_t i = 0; i < slots_.size(); ++i) {
    const float len = links[i].length;
    // Nothing is below NaN and NaN is below nothing: it never anchors.
    least_[leaves_ + i] = len == len ? len : kNone;
  }
  for (size_t i = leaves_ - 1; i >= 1; --i) least_[i] = std::min(least_[2 * i], least_[2 * i + 1]);
  for (size_t r : usedRuns_) runs_[r].clear();
  usedRuns_.clear();
  if (runs_.size() < slots_.size() + 1) runs_.resize(slots_.size() + 1);
  gone_.assign(slots_.size(), 0);
  edits_ = 0;
  on_ = true;
}

void ConstraintOrder::Off() {
  on_ = false;
  slots_.clear();
  for (size_t r : usedRuns_) runs_[r].clear();
  usedRuns_.clear();
}

size_t ConstraintOrder::FirstBelow(float length) const {
  if (!(least_[1] < length)) return slots_.size();
  size_t i = 1;
  while (i < leaves_) i = least_[2 * i] < length ? 2 * i : 2 * i + 1;
  return i - leaves_;
}

void ConstraintOrder::Set(size_t slot, float length) {
  size_t i = leaves_ + slot;
  least_[i] = length;
  for (i /= 2; i >= 1; i /= 2) least_[i] = std::min(least_[2 * i], least_[2 * i + 1]);
}

// Every constraint put in before slot s of an earlier run (s before the
// answer slot y) is longer than s's constraint, which is not below `length`:
// so only the run before y can hold a shorter one ahead of y.
TPhysEngine_Constraint* ConstraintOrder::Before(float length) const {
  const size_t y = FirstBelow(length);
  for (const Added& a : runs_[y])
    if (a.length < length) return a.c;
  return y < slots_.size() ? slots_[y] : nullptr;
}

void ConstraintOrder::Inserted(TPhysEngine_Constraint* c, float length, const TPhysEngine_Constraint* before) {
  const size_t y = FirstBelow(length);
  auto& run = runs_[y];
  if (run.empty()) usedRuns_.push_back(y);
  size_t k = 0;
  while (k < run.size() && run[k].c != before) ++k;
  run.insert(run.begin() + static_cast<std::ptrdiff_t>(k), Added{c, length});
  ++edits_;
}

void ConstraintOrder::Left(size_t slot) {
  if (slot >= slots_.size() || gone_[slot]) return;
  Set(slot, kNone);
  gone_[slot] = 1;
  ++edits_;
}

// Each run stands, in its own order, just before the slot it was put in before.
void ConstraintOrder::Merge(std::vector<TPhysEngine_Constraint*>& out) {
  out.clear();
  std::sort(usedRuns_.begin(), usedRuns_.end());
  size_t y = 0;
  for (size_t r : usedRuns_) {
    for (; y < r; ++y)
      if (!gone_[y]) out.push_back(slots_[y]);
    for (const Added& a : runs_[r]) out.push_back(a.c);
  }
  for (; y < slots_.size(); ++y)
    if (!gone_[y]) out.push_back(slots_[y]);
}

}  // namespace kelp
