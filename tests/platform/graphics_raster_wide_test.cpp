// The eight-at-a-time blend against the blend formula pixel by pixel, to the
// last bit: lanes in order, short runs' ends, tint, and the canvas's alpha
// kept or cleared. Skipped on processors without AVX2.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/raster_wide.h"

namespace {

using platform::internal::WideBlendReady;
using platform::internal::WideBlendRow;
using platform::internal::WideBlendSpan;

// SDL's blend of one texel: modulate, premultiply, then over the pixel below.
uint32_t Blend(uint32_t s, uint32_t d, SDL_Color t, bool modulate, bool keep_alpha) {
  uint32_t sa = s >> 24, sr = (s >> 16) & 255, sg = (s >> 8) & 255, sb = s & 255;
  if (modulate) {
    sa = sa * t.a / 255, sr = sr * t.r / 255, sg = sg * t.g / 255, sb = sb * t.b / 255;
  }
  if (sa == 0) return d;
  const uint32_t keep = keep_alpha ? 0xFFFFFFFFu : 0x00FFFFFFu;
  sr = sr * sa / 255, sg = sg * sa / 255, sb = sb * sa / 255;
  const auto over = [&](uint32_t src, uint32_t dst) { return src + (255 - sa) * dst / 255; };
  const uint32_t out = over(sa, d >> 24) << 24 | over(sr, (d >> 16) & 255) << 16 | over(sg, (d >> 8) & 255) << 8 |
                       over(sb, d & 255);
  return out & keep;
}

uint32_t Mix(uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  static const uint32_t kAlphas[] = {0, 1, 96, 128, 254, 255, 255, 255};
  return kAlphas[seed >> 29] << 24 | (seed >> 5 & 0xFFFFFFu);
}

TEST(GraphicsRasterWide, BlendsEveryPixelAsTheFormulaDoes) {
  if (!WideBlendReady()) GTEST_SKIP() << "no AVX2";
  uint32_t seed = 7;
  std::vector<uint32_t> texture(13 * 11);
  for (uint32_t& t : texture) t = Mix(seed);
  const SDL_Color tints[] = {{255, 255, 255, 255}, {90, 200, 255, 150}, {255, 255, 255, 204}};
  for (const SDL_Color tint : tints)
    for (const bool modulate : {false, true})
      for (const bool keep : {false, true})
        for (int count = 1; count <= 19; ++count) {
          SCOPED_TRACE(::testing::Message() << "count " << count << (modulate ? " tinted" : "")
                                            << (keep ? " with alpha" : "") << " alpha " << int(tint.a));
          // A canvas without alpha keeps its top byte 0.
          std::vector<uint32_t> under(count + 2);
          for (uint32_t& p : under) p = Mix(seed) & (keep ? 0xFFFFFFFFu : 0x00FFFFFFu);
          // A row: texels straight from `in`; one past the end stays as it was.
          std::vector<uint32_t> in(count), row = under;
          for (uint32_t& t : in) t = Mix(seed);
          WideBlendRow(row.data(), in.data(), count, tint, modulate, keep);
          for (int x = 0; x < count; ++x) EXPECT_EQ(row[x], Blend(in[x], under[x], tint, modulate, keep)) << x;
          EXPECT_EQ(row[count], under[count]);
          // A span: texels along a slanted line through the texture (16.16).
          std::vector<uint32_t> span = under;
          const int32_t fu = 0x8000, fv = 10 << 16 | 0x4000, su = 0xA000, sv = -0x8000;
          WideBlendSpan(span.data(), count, texture.data(), 13, fu, fv, su, sv, tint, modulate, keep);
          for (int x = 0; x < count; ++x) {
            const uint32_t texel = texture[((fv + x * sv) >> 16) * 13 + ((fu + x * su) >> 16)];
            EXPECT_EQ(span[x], Blend(texel, under[x], tint, modulate, keep)) << x;
          }
          EXPECT_EQ(span[count], under[count]);
        }
}

}  // namespace
