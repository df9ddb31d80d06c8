#pragma once
// Two drawing routines of the level scene: an image frame repeated along a
// direction (a motion trail) and a textured strip along a chain of links (the
// crane cable and the menu ropes). The physics-group form of DrawRope is in
// physics/rope_draw.h; this one takes the links' end points.
#include <span>

#include "platform/image.h"

namespace kelp {

// The frame at (x - 1.2dx, y - 1.2dy), (x - 0.5dx, y - 0.5dy) and (x + 0.2dx, y + 0.2dy).
void DrawImageTriple(float x, float y, float dx, float dy, const platform::ImageRef& image, int frame);

// One link of a rope: from its first point (x1, y1) to its second (x2, y2).
struct RopeLink {
  float x1, y1, x2, y2;
};

// An 8-pixel strip of `strip` along the links in order, with alpha blend,
// scale 1, rotation 0, alpha 1 and white left set afterwards; then the end
// image (when given) at the last link's first point, turned along the rope.
// No links draw nothing.
void DrawRope(std::span<const RopeLink> links, const platform::ImageRef& strip, const platform::ImageRef& endImage);

}  // namespace kelp
