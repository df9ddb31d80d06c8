#pragma once
// The village's sky at dusk, night and dawn: the sky tinted by the day's
// colour with the star layer added at its alpha, made into one opaque picture
// per colour and alpha. Drawn as a plain copy it replaces two full-screen
// draws, one of them additive, which the software renderer blends slowly.
#include "platform/image.h"

namespace kelp {

class StarrySky {
 public:
  // The sky's first frame times (r, g, b) / 255 (a near-white colour as
  // white), plus the stars times
  // alpha / 255 (0..255), each channel capped at 255: what tiling the tinted
  // sky and then the stars additively at that alpha draws, both from the
  // same origin, within the sky's first tile down. As wide as the stars,
  // as high as the sky. Null when the sky's columns differ (it would then
  // depend on the scroll), the sky is not opaque, a picture is missing, or
  // the stars are taller than the sky.
  const platform::ImageRef& Get(const platform::ImageRef& sky, const platform::ImageRef& stars, int r, int g, int b,
                                int alpha);

 private:
  platform::ImageRef sky_, stars_;
  platform::PixmapRef pixels_;
  platform::ImageRef image_;
  int r_ = -1, g_ = -1, b_ = -1, alpha_ = -1;
};

}  // namespace kelp
