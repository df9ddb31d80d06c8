#pragma once
// Float-to-int truncation with a defined result for every input.
#include <cmath>
#include <cstdint>
#include <limits>

namespace kelp {

// Truncates toward zero; NaN gives 0, values beyond the int range saturate.
inline int Int(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 2147483647.0) return std::numeric_limits<int>::max();
  if (x <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(x);
}

}  // namespace kelp
