#include "village/sprite_sizes.h"

#include <algorithm>
#include <cmath>

#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/window.h"
#include "village/tinted_picture.h"

namespace kelp {

namespace {

uint32_t Shade(int r, int g, int b, int a) {
  r = std::clamp(r, 0, 255);
  g = std::clamp(g, 0, 255);
  b = std::clamp(b, 0, 255);
  if (NearWhite(r, g, b)) r = g = b = 255;
  return uint32_t(std::clamp(a, 0, 255)) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

// One source coordinate per target pixel: the two neighbours and the weight
// of the second in 256ths, pixel centres aligned (the nearest alone when not
// filtered).
struct Taps {
  int a, b;
  uint32_t t;
};
std::vector<Taps> TapsFor(int from, int to, bool filtered) {
  std::vector<Taps> taps(static_cast<size_t>(to));
  const float step = static_cast<float>(from) / static_cast<float>(to);
  for (int i = 0; i < to; ++i) {
    const float f = (static_cast<float>(i) + 0.5f) * step;
    if (!filtered) {
      const int n = std::min(from - 1, static_cast<int>(f));
      taps[static_cast<size_t>(i)] = {n, n, 0};
      continue;
    }
    const float c = std::clamp(f - 0.5f, 0.0f, static_cast<float>(from - 1));
    const int a = static_cast<int>(c);
    const auto t = static_cast<uint32_t>(std::lround((c - static_cast<float>(a)) * 256.0f));
    taps[static_cast<size_t>(i)] = {a, std::min(a + 1, from - 1), t};
  }
  return taps;
}

// p + (q - p) * t / 256 for each of the four channels at once, two at a time.
uint32_t Mix(uint32_t p, uint32_t q, uint32_t t) {
  const uint32_t u = 256 - t;
  const uint32_t rb = ((p & 0x00FF00FFu) * u + (q & 0x00FF00FFu) * t + 0x00800080u) >> 8 & 0x00FF00FFu;
  const uint32_t ag = (((p >> 8) & 0x00FF00FFu) * u + ((q >> 8) & 0x00FF00FFu) * t + 0x00800080u) & 0xFF00FF00u;
  return rb | ag;
}

}  // namespace

size_t SpriteSizes::KeyHash::operator()(const Key& k) const {
  size_t h = std::hash<const void*>()(k.image);
  for (const uint64_t v : {uint64_t(k.frame), uint64_t(k.w), uint64_t(k.h), uint64_t(k.shade)})
    h = h * 1000003u ^ std::hash<uint64_t>()(v);
  return h;
}

platform::ImageRef SpriteSizes::Get(const platform::ImageRef& image, int frame, int w, int h, int r, int g, int b,
                                    int a) {
  if (!image || frame < 0 || frame >= image->Frames() || w <= 0 || h <= 0) return nullptr;
  const Key key{image.get(), frame, w, h, Shade(r, g, b, a)};
  if (const auto found = index_.find(key); found != index_.end()) {
    entries_.splice(entries_.begin(), entries_, found->second);
    return found->second->sized;
  }
  const platform::PixmapRef pixels = image->Frame(frame);
  if (!pixels || pixels->Width() <= 0 || pixels->Height() <= 0) return nullptr;
  const int sw = pixels->Width(), shh = pixels->Height();
  const bool filtered = (image->Flags() & platform::FILTEREDIMAGE) != 0;
  const std::vector<Taps> xs = TapsFor(sw, w, filtered), ys = TapsFor(shh, h, filtered);
  const uint32_t shade = key.shade;
  const uint32_t m[4] = {shade & 0xFFu, (shade >> 8) & 0xFFu, (shade >> 16) & 0xFFu, shade >> 24};
  auto out = std::make_shared<platform::Pixmap>(w, h);
  const uint32_t* src = static_cast<const platform::Pixmap&>(*pixels).Pixels();
  uint32_t* dst = out->Pixels();
  for (int y = 0; y < h; ++y) {
    const Taps& ty = ys[static_cast<size_t>(y)];
    const uint32_t* row0 = src + static_cast<size_t>(ty.a) * static_cast<size_t>(sw);
    const uint32_t* row1 = src + static_cast<size_t>(ty.b) * static_cast<size_t>(sw);
    for (int x = 0; x < w; ++x) {
      const Taps& tx = xs[static_cast<size_t>(x)];
      const uint32_t p = Mix(Mix(row0[tx.a], row0[tx.b], tx.t), Mix(row1[tx.a], row1[tx.b], tx.t), ty.t);
      const uint32_t c = m[3] == 255 && m[2] == 255 && m[1] == 255 && m[0] == 255
                             ? p
                             : (((p >> 24) * m[3] / 255u) << 24) | (((p >> 16 & 0xFFu) * m[2] / 255u) << 16) |
                                   (((p >> 8 & 0xFFu) * m[1] / 255u) << 8) | ((p & 0xFFu) * m[0] / 255u);
      dst[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = c;
    }
  }
  platform::ImageRef sized = platform::ImageFromPixmap(out, image->Flags());
  entries_.push_front(Entry{key, image, sized});
  index_[key] = entries_.begin();
  while (entries_.size() > capacity_) {
    index_.erase(entries_.back().key);
    entries_.pop_back();
  }
  return sized;
}

void SpriteSizes::Clear() {
  index_.clear();
  entries_.clear();
}

void DrawSized(SpriteSizes& sizes, const platform::ImageRef& image, float x, float y, int frame, int step) {
  if (!image || frame < 0 || frame >= image->Frames()) return;
  const platform::DrawState& s = platform::State();
  // The copies are made in canvas pixels, so that the renderer draws them 1:1.
  const int vw = platform::VirtualResolutionWidth(), vh = platform::VirtualResolutionHeight();
  const float cx = platform::GraphicsOpen() && vw > 0 ? static_cast<float>(platform::GraphicsWidth()) / vw : 1.0f;
  const float cy = platform::GraphicsOpen() && vh > 0 ? static_cast<float>(platform::GraphicsHeight()) / vh : 1.0f;
  step = std::max(1, step);
  const auto size = [step](float exact) { return step * static_cast<int>(std::lround(exact / static_cast<float>(step))); };
  const int w = size(s.ix * static_cast<float>(image->Width()) * cx);
  const int h = size(s.jy * static_cast<float>(image->Height()) * cy);
  const platform::ImageRef sized =
      s.iy == 0.0f && s.jx == 0.0f && s.ix > 0.0f && s.jy > 0.0f
          ? sizes.Get(image, frame, w, h, s.r, s.g, s.b, static_cast<int>(std::lround(std::clamp(s.alpha, 0.0f, 1.0f) * 255.0f)))
          : nullptr;
  if (!sized) {
    platform::DrawImage(image, x, y, frame);
    return;
  }
  // The top left corner on the canvas pixel where the renderer would put it.
  const float left = std::round((x + s.origin_x - image->HandleX() * s.ix) * cx) / cx - s.origin_x;
  const float top = std::round((y + s.origin_y - image->HandleY() * s.jy) * cy) / cy - s.origin_y;
  const int r = s.r, g = s.g, b = s.b;
  const float alpha = s.alpha, sx = s.ix, sy = s.jy;
  platform::SetScale(1.0f / cx, 1.0f / cy);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::DrawImage(sized, left, top);
  platform::SetScale(sx, sy);
  platform::SetColor(r, g, b);
  platform::SetAlpha(alpha);
}

}  // namespace kelp
