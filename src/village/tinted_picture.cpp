#include "village/tinted_picture.h"

#include <algorithm>
#include <cstdint>

#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

namespace {

// Channel c times m / 255, truncated, for every c: the renderer's modulation.
struct Ramp {
  uint32_t v[256];
  explicit Ramp(int m) {
    for (uint32_t c = 0; c < 256; ++c) v[c] = c * static_cast<uint32_t>(m) / 255u;
  }
};

}  // namespace

bool NearWhite(int r, int g, int b) { return r >= 254 && g >= 254 && b >= 254; }

const platform::ImageRef& TintedPicture::Get(const platform::ImageRef& source, int r, int g, int b) {
  r = std::clamp(r, 0, 255);
  g = std::clamp(g, 0, 255);
  b = std::clamp(b, 0, 255);
  if (NearWhite(r, g, b)) r = g = b = 255;
  if (source != source_) {
    source_ = source;
    pixels_ = source ? source->Frame(0) : nullptr;
    tinted_ = nullptr;
    tinted_pixels_ = nullptr;
    if (pixels_ && pixels_->Width() > 0 && pixels_->Height() > 0) {
      tinted_pixels_ = pixels_->Copy();
      tinted_ = platform::ImageFromPixmap(tinted_pixels_, source->Flags());
      tinted_->SetHandle(source->HandleX(), source->HandleY());
    }
    r_ = g_ = b_ = -1;
  }
  if (!tinted_ || (r == r_ && g == g_ && b == b_)) return tinted_;
  r_ = r;
  g_ = g;
  b_ = b;
  const Ramp rr(r), rg(g), rb(b);
  const uint32_t* from = static_cast<const platform::Pixmap&>(*pixels_).Pixels();
  uint32_t* to = tinted_pixels_->Pixels();  // counts as a write: the texture follows
  const size_t n = static_cast<size_t>(pixels_->Width()) * static_cast<size_t>(pixels_->Height());
  for (size_t i = 0; i < n; ++i) {
    const uint32_t p = from[i];
    to[i] = (p & 0xFF000000u) | (rr.v[(p >> 16) & 0xFF] << 16) | (rg.v[(p >> 8) & 0xFF] << 8) | rb.v[p & 0xFF];
  }
  return tinted_;
}

void DrawTinted(TintedPicture& lit, const platform::ImageRef& image, float x, float y) {
  if (!image) return;
  int r = 255, g = 255, b = 255;
  platform::GetColor(r, g, b);
  if (NearWhite(r, g, b)) {
    platform::DrawImage(image, x, y);
    return;
  }
  const platform::ImageRef& tinted = lit.Get(image, r, g, b);
  platform::SetColor(255, 255, 255);
  platform::DrawImage(tinted, x, y);
  platform::SetColor(r, g, b);
}

}  // namespace kelp
