#pragma once
// The shapes of the two villages' landscapes that more than one picture
// needs: the rock faces, the desert's gully, the snow plateau and the stream.
#include <algorithm>
#include <cmath>

namespace kelp::art::ground {

inline double Wave(double x, double a, double f, double ph) { return a * std::sin(x * f + ph); }

inline double CliffTop(double x) { return 34 + Wave(x, 10, 0.019, 0.4) + Wave(x, 5, 0.061, 1.3); }

// The foot of the rock face at x.
inline double CliffBottom(double x, double base, double cave_x, double cave_y) {
  double y = base + Wave(x, 18, 0.011, 1.0) + Wave(x, 9, 0.037, 2.0);
  if (std::fabs(x - cave_x) < 120) y = std::max(y, cave_y + 30);
  return y;
}

// The desert's gully, between x GullyLeft(y) and GullyRight(y).
inline double GullyLeft(double y) { return -36 + Wave(y, 5, 0.031, 0) + (y - 130) * 0.02; }
inline double GullyRight(double y) { return 20 + Wave(y, 6, 0.027, 1) + (y - 130) * 0.03; }

// The snow ground's upper edge: a plateau west of the cliff, lower ground east of it.
inline constexpr double kSnowCliffX0 = 160;
inline double SnowGroundTop(double x) {
  const double high = 104 + Wave(x, 5, 0.02, 0), low = 145 + Wave(x, 8, 0.013, 0.7);
  const double t = std::min(1.0, std::max(0.0, (x - 140) / 80));
  return high + (low - high) * t;
}

// The snow village's stream, from the waterfall at x 498 down to the bottom.
inline double StreamX(double y) {
  if (y < 300) return 498;
  if (y < 420) return 498 + (y - 300) / 120 * 360;
  return 858 + (y - 420) / 180 * 140;
}

}  // namespace kelp::art::ground
