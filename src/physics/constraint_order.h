#pragma once
// Where a new constraint goes in the engine's Constraints during one step,
// without walking the list: before the first constraint (in list order) whose
// length is smaller. The list is not always sorted (a group's Scale, or
// lengths set after Create, leave it out of order), so this answers for the
// list as it stands, not for a sorted one.
//
// Built from the list at the start of the step's relaxation; told of every
// constraint that leaves the list and of every one put in. The pointers are
// not owned: the list holds them for the step. Anything it was not told of
// (a constraint it does not know leaving) switches it off, and the engine then
// walks the list as before.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelp {

class TPhysEngine_Constraint;
struct StepLink;

class ConstraintOrder {
 public:
  // Indexes `list` (in list order) with each one's length as the step copied
  // it (`links`, same order); they must not change while it is on.
  void Build(const std::vector<TPhysEngine_Constraint*>& list, const std::vector<StepLink>& links);
  void Off();
  bool On() const { return on_; }

  // The constraint that a new one of `length` goes before; null for the end.
  TPhysEngine_Constraint* Before(float length) const;
  // `c` of `length` was put into the list before `before` (as Before gave it).
  void Inserted(TPhysEngine_Constraint* c, float length, const TPhysEngine_Constraint* before);
  // The constraint at `slot` of the built list left it.
  void Left(size_t slot);
  // Insertions and removals it was told of since Build.
  size_t Edits() const { return edits_; }
  // The list as it stands now: the built one with the constraints put in and
  // without those that left.
  void Merge(std::vector<TPhysEngine_Constraint*>& out);

 private:
  // The first slot of the built list whose length is below `length`; size() for none.
  size_t FirstBelow(float length) const;
  void Set(size_t slot, float length);

  bool on_ = false;
  std::vector<TPhysEngine_Constraint*> slots_;
  // Minimum of the lengths below each node; leaves from `leaves_` on; a
  // constraint gone (or of no comparable length) counts as infinitely long.
  std::vector<float> least_;
  size_t leaves_ = 0;
  std::vector<uint8_t> gone_;  // by slot: it left the list
  size_t edits_ = 0;
  // The constraints put in during the step, by the slot they stand before
  // (slots_.size(): the end). Each run is longest first, since each went
  // before the first shorter one.
  struct Added {
    TPhysEngine_Constraint* c;
    float length;
  };
  std::vector<std::vector<Added>> runs_;
  std::vector<size_t> usedRuns_;
};

}  // namespace kelp
