#pragma once
// Numbers read from level, world and machine files. Each has a range the game
// makes sense of; a value outside it (NaN, infinity, 3.4e38, a negative size,
// a count of millions) must never reach the simulation. A check clamps the
// value into its range (NaN takes the fallback), reports the change through
// the debug output as "[where WARNING] what <value> is out of range; <used> is
// used", and says whether the value was fine.
#include <string>

namespace kelp {

// The play field is the canvas, at most 960 x 600; files place things up to
// this far outside it (a level's walls reach above the screen).
inline constexpr float kFieldMargin = 1000.0f;
inline constexpr float kFieldLeft = -kFieldMargin;
inline constexpr float kFieldRight = 960.0f + kFieldMargin;
inline constexpr float kFieldTop = -kFieldMargin;
inline constexpr float kFieldBottom = 600.0f + kFieldMargin;

bool CheckFloat(float& value, float low, float high, float fallback, const std::string& where,
                const std::string& what);
bool CheckInt(int& value, int low, int high, const std::string& where, const std::string& what);

// A position inside the field's margin.
bool CheckFieldX(float& x, const std::string& where, const std::string& what);
bool CheckFieldY(float& y, const std::string& where, const std::string& what);
bool CheckFieldX(int& x, const std::string& where, const std::string& what);
bool CheckFieldY(int& y, const std::string& where, const std::string& what);

}  // namespace kelp
