#pragma once
// Trigonometry in degrees, as the effects measure their angles.
#include <cmath>
#include <numbers>

namespace kelp::degrees {

inline constexpr double kRad = std::numbers::pi / 180.0;

inline double Sin(double deg) { return std::sin(deg * kRad); }
inline double Cos(double deg) { return std::cos(deg * kRad); }
inline double ATan2(double y, double x) { return std::atan2(y, x) / kRad; }

}  // namespace kelp::degrees
