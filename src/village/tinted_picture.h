#pragma once
// A picture as the village's light colours it, tinted once per colour on the
// CPU. Drawn untinted, it takes the renderer's plain copy or blend: the
// software renderer modulates every pixel of a tinted draw slowly.
#include "platform/image.h"

namespace kelp {

// A colour the renderer draws untinted (each channel 254 or more, at full alpha).
bool NearWhite(int r, int g, int b);

class TintedPicture {
 public:
  // The first frame of `source`, each channel times (r, g, b) / 255 as the
  // renderer modulates (a near-white colour as white), alpha kept, with the
  // source's handle and flags.
  // The same image while source and colour stay; null for a null source.
  // Draw it with the colour (255, 255, 255).
  const platform::ImageRef& Get(const platform::ImageRef& source, int r, int g, int b);

 private:
  platform::ImageRef source_;
  platform::PixmapRef pixels_;  // the source's pixels, read once
  platform::PixmapRef tinted_pixels_;
  platform::ImageRef tinted_;
  int r_ = -1, g_ = -1, b_ = -1;
};

// Draws the first frame of `image` at (x, y) as the current colour tints it,
// through `lit`'s copy: the drawing state is as before afterwards.
void DrawTinted(TintedPicture& lit, const platform::ImageRef& image, float x, float y);

}  // namespace kelp
