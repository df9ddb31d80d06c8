#pragma once
// The fuzz targets' own assertion: a promise of the reader under test that
// does not hold stops the run with a crash libFuzzer keeps the input of, in
// every build (NDEBUG leaves it in).
#include <cstdlib>

namespace fuzz {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace fuzz
