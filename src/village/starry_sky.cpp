#include "village/starry_sky.h"

#include <algorithm>
#include <cstdint>

#include "village/tinted_picture.h"

namespace kelp {

namespace {

// Opaque, and every column of the picture equal to the first.
bool OpaqueColumnsAlike(const platform::Pixmap& p) {
  const uint32_t* px = p.Pixels();
  for (int y = 0; y < p.Height(); ++y) {
    const uint32_t* row = px + static_cast<size_t>(y) * static_cast<size_t>(p.Width());
    if ((row[0] >> 24) != 0xFF) return false;
    for (int x = 1; x < p.Width(); ++x)
      if (row[x] != row[0]) return false;
  }
  return true;
}

}  // namespace

const platform::ImageRef& StarrySky::Get(const platform::ImageRef& sky, const platform::ImageRef& stars, int r, int g,
                                         int b, int alpha) {
  r = std::clamp(r, 0, 255);
  g = std::clamp(g, 0, 255);
  b = std::clamp(b, 0, 255);
  alpha = std::clamp(alpha, 0, 255);
  if (NearWhite(r, g, b)) r = g = b = 255;
  if (sky != sky_ || stars != stars_) {
    sky_ = sky;
    stars_ = stars;
    image_ = nullptr;
    pixels_ = nullptr;
    const platform::PixmapRef s = sky ? sky->Frame(0) : nullptr;
    const platform::PixmapRef t = stars ? stars->Frame(0) : nullptr;
    if (s && t && s->Width() > 0 && t->Width() > 0 && t->Height() > 0 && s->Height() >= t->Height() &&
        OpaqueColumnsAlike(*s)) {
      pixels_ = std::make_shared<platform::Pixmap>(t->Width(), s->Height());
      image_ = platform::ImageFromPixmap(pixels_, stars->Flags());
    }
    r_ = g_ = b_ = alpha_ = -1;
  }
  if (!image_ || (r == r_ && g == g_ && b == b_ && alpha == alpha_)) return image_;
  r_ = r;
  g_ = g;
  b_ = b;
  alpha_ = alpha;
  const platform::Pixmap& s = *static_cast<const platform::ImageRef&>(sky_)->Frame(0);
  const platform::Pixmap& t = *static_cast<const platform::ImageRef&>(stars_)->Frame(0);
  // The renderer's arithmetic: a modulated channel is c * m / 255, truncated;
  // an added pixel is scaled by its alpha the same way, then summed and capped.
  uint32_t tr[256], tg[256], tb[256];
  for (uint32_t c = 0; c < 256; ++c) {
    tr[c] = c * static_cast<uint32_t>(r) / 255u;
    tg[c] = c * static_cast<uint32_t>(g) / 255u;
    tb[c] = c * static_cast<uint32_t>(b) / 255u;
  }
  const int w = pixels_->Width(), h = pixels_->Height(), tw = t.Width(), th = t.Height();
  uint32_t* out = pixels_->Pixels();  // counts as a write: the texture follows
  for (int y = 0; y < h; ++y) {
    const uint32_t base = s.Pixels()[static_cast<size_t>(y) * static_cast<size_t>(s.Width())];
    const uint32_t br = tr[(base >> 16) & 0xFF], bg = tg[(base >> 8) & 0xFF], bb = tb[base & 0xFF];
    const uint32_t* star = t.Pixels() + static_cast<size_t>(y % th) * static_cast<size_t>(tw);
    uint32_t* row = out + static_cast<size_t>(y) * static_cast<size_t>(w);
    const uint32_t plain = 0xFF000000u | br << 16 | bg << 8 | bb;
    for (int x = 0; x < w; ++x) {
      const uint32_t p = star[x];
      if (p < 0x01000000u) {  // most of the night is empty sky
        row[x] = plain;
        continue;
      }
      const uint32_t a = ((p >> 24) & 0xFF) * static_cast<uint32_t>(alpha) / 255u;
      uint32_t sr = (p >> 16) & 0xFF, sg = (p >> 8) & 0xFF, sb = p & 0xFF;
      if (a < 255) {
        sr = sr * a / 255u;
        sg = sg * a / 255u;
        sb = sb * a / 255u;
      }
      row[x] = 0xFF000000u | (std::min(255u, br + sr) << 16) | (std::min(255u, bg + sg) << 8) | std::min(255u, bb + sb);
    }
  }
  return image_;
}

}  // namespace kelp
