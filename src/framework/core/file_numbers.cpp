#include "framework/core/file_numbers.h"

#include <cmath>

#include "framework/core/debug_output.h"
#include "framework/core/numbers.h"

namespace kelp {
namespace {

void Report(const std::string& where, const std::string& what, const std::string& was, const std::string& used) {
  DebugOutput("[" + where + " WARNING] " + what + " " + was + " is out of range; " + used + " is used");
}

}  // namespace

bool CheckFloat(float& value, float low, float high, float fallback, const std::string& where,
                const std::string& what) {
  if (value >= low && value <= high) return true;  // false for NaN
  const float was = value;
  value = std::isnan(was) ? fallback : was < low ? low : high;
  Report(where, what, FloatToString(was), FloatToString(value));
  return false;
}

bool CheckInt(int& value, int low, int high, const std::string& where, const std::string& what) {
  if (value >= low && value <= high) return true;
  const int was = value;
  value = was < low ? low : high;
  Report(where, what, std::to_string(was), std::to_string(value));
  return false;
}

bool CheckFieldX(float& x, const std::string& where, const std::string& what) {
  return CheckFloat(x, kFieldLeft, kFieldRight, 0.0f, where, what);
}

bool CheckFieldY(float& y, const std::string& where, const std::string& what) {
  return CheckFloat(y, kFieldTop, kFieldBottom, 0.0f, where, what);
}

bool CheckFieldX(int& x, const std::string& where, const std::string& what) {
  return CheckInt(x, static_cast<int>(kFieldLeft), static_cast<int>(kFieldRight), where, what);
}

bool CheckFieldY(int& y, const std::string& where, const std::string& what) {
  return CheckInt(y, static_cast<int>(kFieldTop), static_cast<int>(kFieldBottom), where, what);
}

}  // namespace kelp
