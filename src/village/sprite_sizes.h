#pragma once
// The villagers' pictures at the sizes and in the shades they are drawn,
// made on the CPU once and kept. A villager's size changes through every hop
// and its shadow is a dark see-through copy: stretched and tinted on the fly
// they cost the software renderer a temporary surface and its slow per-pixel
// path on every draw, while a copy made to size, drawn unscaled and in white,
// takes the plain blend.
#include <cstdint>
#include <list>
#include <unordered_map>

#include "platform/image.h"

namespace kelp {

class SpriteSizes {
 public:
  explicit SpriteSizes(size_t capacity = 600) : capacity_(capacity) {}

  // Frame `frame` of `image` resized to w x h (bilinear for a filtered
  // picture, else the nearest pixel), each channel times (r, g, b) / 255 as
  // the renderer modulates (a near-white colour as white) and alpha times
  // a / 255, its handle at its top left. Kept until `capacity` others have
  // been asked for since its last use. Null for no such frame or no size.
  platform::ImageRef Get(const platform::ImageRef& image, int frame, int w, int h, int r, int g, int b, int a);
  void Clear();
  size_t Size() const { return entries_.size(); }

 private:
  struct Key {
    const platform::Image* image;
    int frame, w, h;
    uint32_t shade;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    size_t operator()(const Key& k) const;
  };
  struct Entry {
    Key key;
    platform::ImageRef source;  // holds the key's image alive
    platform::ImageRef sized;
  };
  size_t capacity_;
  std::list<Entry> entries_;  // most recently used first
  std::unordered_map<Key, std::list<Entry>::iterator, KeyHash> index_;
};

// Draws frame `frame` of `image` at (x, y) as DrawImage would at the drawing
// state's scale, colour and alpha, through `sizes`' copy at its size on the
// canvas rounded to a multiple of `step` pixels (fewer copies for a size that
// keeps changing). The drawing state is as before afterwards.
void DrawSized(SpriteSizes& sizes, const platform::ImageRef& image, float x, float y, int frame, int step = 1);

}  // namespace kelp
