#pragma once
// Runs code under an allocation limit instead of a clock: while an
// AllocationLimit is alive, any single operator new larger than its bound
// throws std::bad_alloc and is counted. Shows that a reader never sizes a
// buffer by a number it read from a file. Not available under AddressSanitizer,
// which owns operator new there; tests skip when Available() is false.
#include <cstddef>

namespace testenv {

class AllocationLimit {
 public:
  explicit AllocationLimit(size_t max_bytes);
  ~AllocationLimit();
  AllocationLimit(const AllocationLimit&) = delete;
  AllocationLimit& operator=(const AllocationLimit&) = delete;

  // Allocations refused so far, and the largest one asked for.
  int Refused() const;
  size_t Largest() const;

  static bool Available();
};

}  // namespace testenv
