#pragma once
// The walkability map of the current village: a picture in which bright
// pixels (red + green + blue above 60) are open ground where a held villager
// may be dropped. Desert pixel (x, y) is village point (x, y); the snow map
// starts at village x -374. Without a map (a missing or broken file) a point
// counts as open ground when it lies in the square of a walkable waypoint
// grown by WalkabilityFallbackMargin.
#include <string>

#include "platform/image.h"

namespace kelp {

extern platform::PixmapRef WalkabilityMap;
constexpr int WalkabilityFallbackMargin = 24;

// Loads the map of a village; on failure logs it and leaves no map. False then.
bool LoadWalkabilityMap(const std::string& path);
// Where village x 0 lies in the current village's map.
int WalkabilityOriginX();

}  // namespace kelp
