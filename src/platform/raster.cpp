#include "platform/raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "platform/raster_wide.h"
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__SSE2__) && defined(__GNUC__)
#include <immintrin.h>
#define KELP_FILL_AVX2 1
#endif

namespace platform::internal {

namespace {

struct Corner {
  double x, y, u, v;  // canvas pixels, texels
};

bool Before(const Corner& a, const Corner& b) { return a.y < b.y || (a.y == b.y && a.x < b.x); }

// An edge from p to q (p above q): where it crosses the row whose centre is
// at y is p.x + (y - p.y) * step. Both triangles on an edge compute it from
// the same ends in the same order, so they agree on the exact pixel boundary.
double EdgeStep(const Corner& p, const Corner& q) {
  const double step = (q.x - p.x) / (q.y - p.y);
  return std::isfinite(step) ? step : 0.0;  // an edge too flat to cross a row centre
}

// ceil and floor of finite values within the integer's range, without libm's calls.
inline int CeilInt(double x) {
  const int i = int(x);
  return i + (double(i) < x);
}
inline int64_t Floor64(double x) {
  const int64_t i = int64_t(x);
  return i - (double(i) > x);
}

enum class Mode { None, Blend, Add, Mod };

struct Tint {
  uint32_t r = 255, g = 255, b = 255, a = 255;
};

#if !defined(__SSE2__)
// One pixel as SDL's blitters make it: modulate, premultiply for blend and
// add, then combine with the pixel below.
template <Mode M, bool Modulate, bool KeepAlpha>
inline void Put(uint32_t& out, uint32_t s, const Tint& t) {
  uint32_t sa = s >> 24;
  if (Modulate) sa = sa * t.a / 255;
  if ((M == Mode::Blend || M == Mode::Add) && sa == 0) return;
  if (M == Mode::Blend && !Modulate && sa == 255) {
    out = KeepAlpha ? s : (s & 0x00FFFFFFu);
    return;
  }
  uint32_t sr = (s >> 16) & 255, sg = (s >> 8) & 255, sb = s & 255;
  if (Modulate) {
    sr = sr * t.r / 255;
    sg = sg * t.g / 255;
    sb = sb * t.b / 255;
  }
  const uint32_t d = out;
  uint32_t da = d >> 24, dr = (d >> 16) & 255, dg = (d >> 8) & 255, db = d & 255;
  if ((M == Mode::Blend || M == Mode::Add) && sa < 255) {
    sr = sr * sa / 255;
    sg = sg * sa / 255;
    sb = sb * sa / 255;
  }
  switch (M) {
    case Mode::None:
      dr = sr, dg = sg, db = sb, da = sa;
      break;
    case Mode::Blend:
      dr = sr + (255 - sa) * dr / 255;
      dg = sg + (255 - sa) * dg / 255;
      db = sb + (255 - sa) * db / 255;
      da = sa + (255 - sa) * da / 255;
      break;
    case Mode::Add:
      dr = std::min<uint32_t>(255, sr + dr);
      dg = std::min<uint32_t>(255, sg + dg);
      db = std::min<uint32_t>(255, sb + db);
      break;
    case Mode::Mod:
      dr = sr * dr / 255;
      dg = sg * dg / 255;
      db = sb * db / 255;
      break;
  }
  out = (KeepAlpha ? da << 24 : 0u) | dr << 16 | dg << 8 | db;
}
#endif

#if defined(__SSE2__)
// x / 255 rounded down in each 16-bit lane, exact for every 16-bit x: x * 0x8081 >> 23.
inline __m128i Div255(__m128i x) { return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(short(0x8081))), 7); }

inline __m128i AlphaLanes(__m128i x) {
  return _mm_shufflehi_epi16(_mm_shufflelo_epi16(x, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
}

// Two pixels unpacked to 16-bit lanes (b, g, r, a each), as SDL's blitters
// make them: modulate, premultiply for blend and add, then combine.
template <Mode M, bool Modulate>
inline __m128i Combine(__m128i s, __m128i d, __m128i tint) {
  const __m128i rgb = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
  const __m128i alpha255 = _mm_set_epi16(255, 0, 0, 0, 255, 0, 0, 0);
  if (Modulate) s = Div255(_mm_mullo_epi16(s, tint));
  switch (M) {
    case Mode::None:
      return s;
    case Mode::Blend: {
      const __m128i a = AlphaLanes(s);
      const __m128i pm = Div255(_mm_mullo_epi16(s, _mm_or_si128(_mm_and_si128(a, rgb), alpha255)));
      return _mm_add_epi16(pm, Div255(_mm_mullo_epi16(d, _mm_sub_epi16(_mm_set1_epi16(255), a))));
    }
    case Mode::Add: {
      const __m128i pm = Div255(_mm_mullo_epi16(s, _mm_and_si128(AlphaLanes(s), rgb)));
      return _mm_add_epi16(pm, d);  // packing saturates at 255
    }
    case Mode::Mod:
      return Div255(_mm_mullo_epi16(d, _mm_or_si128(_mm_and_si128(s, rgb), alpha255)));
  }
  return d;
}

// Up to four pixels at once.
template <Mode M, bool Modulate, bool KeepAlpha>
inline void Put4(uint32_t* out, __m128i s, int n, __m128i tint) {
  if (M == Mode::Blend && !Modulate && n == 4 &&
      _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(s, 24), _mm_set1_epi32(255))) == 0xFFFF) {
    // Opaque texels blend to themselves.
    const __m128i result = KeepAlpha ? s : _mm_and_si128(s, _mm_set1_epi32(0x00FFFFFF));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), result);
    return;
  }
  const __m128i zero = _mm_setzero_si128();
  // A short run's pixels are gathered in registers: stored and read back as
  // one load, they would stall.
  const __m128i d = n == 4 ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(out))
                           : _mm_set_epi32(0, n > 2 ? int(out[2]) : 0, n > 1 ? int(out[1]) : 0, int(out[0]));
  const __m128i lo = Combine<M, Modulate>(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), tint);
  const __m128i hi = Combine<M, Modulate>(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), tint);
  __m128i result = _mm_packus_epi16(lo, hi);
  if (M == Mode::Add || M == Mode::Mod) {
    // The canvas keeps its alpha.
    const __m128i keep = _mm_set1_epi32(int(0xFF000000u));
    result = _mm_or_si128(_mm_andnot_si128(keep, result), _mm_and_si128(keep, d));
  }
  if (!KeepAlpha) result = _mm_and_si128(result, _mm_set1_epi32(0x00FFFFFF));
  if (n == 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), result);
    return;
  }
  out[0] = uint32_t(_mm_cvtsi128_si32(result));
  if (n > 1) out[1] = uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(result, 4)));
  if (n > 2) out[2] = uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(result, 8)));
}
#endif

struct Setup {
  const RasterTarget* target;
  const RasterTexture* texture;
  Tint tint;
};

template <Mode M, bool Modulate, bool KeepAlpha>
void Triangle(const Setup& s, Corner a, Corner b, Corner c) {
  if (Before(b, a)) std::swap(a, b);
  if (Before(c, b)) std::swap(b, c);
  if (Before(b, a)) std::swap(a, b);
  if (!(c.y > a.y)) return;
  const double det = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  if (det == 0 || !std::isfinite(det)) return;
  // The short edges (a-b, b-c) lie left of the long one (a-c) when det < 0.
  const bool short_left = det < 0;
  const double dudx = ((b.u - a.u) * (c.y - a.y) - (c.u - a.u) * (b.y - a.y)) / det;
  const double dvdx = ((b.v - a.v) * (c.y - a.y) - (c.v - a.v) * (b.y - a.y)) / det;
  const double dudy = ((c.u - a.u) * (b.x - a.x) - (b.u - a.u) * (c.x - a.x)) / det;
  const double dvdy = ((c.v - a.v) * (b.x - a.x) - (b.v - a.v) * (c.x - a.x)) / det;
  if (!std::isfinite(dudx) || !std::isfinite(dvdx) || !std::isfinite(dudy) || !std::isfinite(dvdy)) return;

  const double long_step = (c.x - a.x) / (c.y - a.y);
  if (!std::isfinite(long_step)) return;  // too flat to cover a row centre
  const double top_step = EdgeStep(a, b), bottom_step = EdgeStep(b, c);

  const SDL_Rect& clip = s.target->clip;
  const RasterTexture& tex = *s.texture;
  // Pixel rows and columns whose centres fall inside: from ceil(edge - 0.5) up to but not including the far edge.
  const double y_first = std::max(std::ceil(a.y - 0.5), double(clip.y));
  const double y_end = std::min(std::ceil(c.y - 0.5), double(clip.y + clip.h));
  const double clip_left = double(clip.x) - 1.0, clip_right = double(clip.x) + clip.w;
  const int64_t tw = tex.width, th = tex.height;
  constexpr double kOne = 65536.0;
  const int64_t su = int64_t(std::llround(std::clamp(dudx, -1e4, 1e4) * kOne));
  const int64_t sv = int64_t(std::llround(std::clamp(dvdx, -1e4, 1e4) * kOne));
#if defined(__SSE2__)
  const __m128i tint = _mm_set_epi16(short(s.tint.a), short(s.tint.r), short(s.tint.g), short(s.tint.b),
                                     short(s.tint.a), short(s.tint.r), short(s.tint.g), short(s.tint.b));
  // Eight at a time where the texel offsets and 16.16 coordinates fit 32 bits.
  const bool wide = WideBlendReady() && tw < 32768 && th < 32768 && th * int64_t(tex.pitch) < (int64_t(1) << 31);
  const SDL_Color color{Uint8(s.tint.r), Uint8(s.tint.g), Uint8(s.tint.b), Uint8(s.tint.a)};
#endif
  for (int y = int(y_first); y < int(y_end); ++y) {
    const double py = y + 0.5;
    const double x_long = a.x + (py - a.y) * long_step;
    const double x_short = py < b.y ? a.x + (py - a.y) * top_step : b.x + (py - b.y) * bottom_step;
    const double left = short_left ? x_short : x_long, right = short_left ? x_long : x_short;
    const int x0 = std::max(clip.x, CeilInt(std::clamp(left - 0.5, clip_left, clip_right)));
    const int x1 = CeilInt(std::clamp(right - 0.5, clip_left, clip_right));
    if (x0 >= x1) continue;
    const double px = x0 + 0.5;
    const double u = std::clamp(a.u + dudx * (px - a.x) + dudy * (py - a.y), -1e6, 1e6);
    const double v = std::clamp(a.v + dvdx * (px - a.x) + dvdy * (py - a.y), -1e6, 1e6);
    int64_t fu = Floor64(u * kOne), fv = Floor64(v * kOne);
    uint32_t* out = s.target->pixels + size_t(y) * s.target->pitch;
#if defined(__SSE2__)
    if (tw == 1 && th == 1) {
      // One texel: a plain fill.
      const __m128i texel = _mm_set1_epi32(int(tex.pixels[0]));
      if ((M == Mode::Blend || M == Mode::Add) && (tex.pixels[0] >> 24) == 0) continue;
      for (int x = x0; x < x1; x += 4) Put4<M, Modulate, KeepAlpha>(out + x, texel, std::min(4, x1 - x), tint);
      continue;
    }
    const uint32_t* texels = tex.pixels;
    const int64_t pitch = tex.pitch;
    const auto span = [&](auto clamped) {
      const auto fetch = [&] {
        int64_t tx = fu >> 16, ty = fv >> 16;
        if constexpr (decltype(clamped)::value) {
          tx = std::clamp<int64_t>(tx, 0, tw - 1);
          ty = std::clamp<int64_t>(ty, 0, th - 1);
        }
        fu += su;
        fv += sv;
        return texels[ty * pitch + tx];
      };
      for (int x = x0; x < x1; x += 4) {
        const int n = std::min(4, x1 - x);
        // Built in registers: four stores read back as one load would stall.
        const uint32_t t0 = fetch(), t1 = n > 1 ? fetch() : 0, t2 = n > 2 ? fetch() : 0, t3 = n > 3 ? fetch() : 0;
        // Clear texels leave a blend or an add as it was.
        if ((M == Mode::Blend || M == Mode::Add) && ((t0 | t1 | t2 | t3) >> 24) == 0) continue;
        Put4<M, Modulate, KeepAlpha>(out + x, _mm_set_epi32(int(t3), int(t2), int(t1), int(t0)), n, tint);
      }
    };
    // A span whose ends both fall inside the texture stays inside between them.
    const int64_t steps = x1 - x0 - 1;
    const int64_t u_end = fu + su * steps, v_end = fv + sv * steps;
    const bool inside = std::min(fu, u_end) >= 0 && (std::max(fu, u_end) >> 16) < tw && std::min(fv, v_end) >= 0 &&
                        (std::max(fv, v_end) >> 16) < th;
    if (inside) {
      if (M == Mode::Blend && wide) {
        WideBlendSpan(out + x0, x1 - x0, texels, int(pitch), int32_t(fu), int32_t(fv), int32_t(su), int32_t(sv),
                      color, Modulate, KeepAlpha);
        continue;
      }
      span(std::false_type{});
    } else {
      span(std::true_type{});
    }
#else
    for (int x = x0; x < x1; ++x, fu += su, fv += sv) {
      const int64_t tx = std::clamp<int64_t>(fu >> 16, 0, tw - 1);
      const int64_t ty = std::clamp<int64_t>(fv >> 16, 0, th - 1);
      Put<M, Modulate, KeepAlpha>(out[x], tex.pixels[ty * tex.pitch + tx], s.tint);
    }
#endif
  }
}

template <Mode M, bool Modulate, bool KeepAlpha>
void All(const Setup& s, const SDL_Vertex* v, int count, const int* indices, int index_count) {
  const double tw = s.texture->width, th = s.texture->height;
  for (int i = 0; i + 2 < index_count; i += 3) {
    Corner k[3];
    bool ok = true;
    for (int j = 0; j < 3; ++j) {
      const int n = indices[i + j];
      if (n < 0 || n >= count) {
        ok = false;
        break;
      }
      const SDL_Vertex& p = v[n];
      k[j] = Corner{p.position.x, p.position.y, p.tex_coord.x * tw, p.tex_coord.y * th};
      ok = ok && std::isfinite(k[j].x) && std::isfinite(k[j].y) && std::isfinite(k[j].u) && std::isfinite(k[j].v);
    }
    if (ok) Triangle<M, Modulate, KeepAlpha>(s, k[0], k[1], k[2]);
  }
}

template <Mode M>
void Dispatch(const Setup& s, bool modulate, const SDL_Vertex* v, int count, const int* indices, int index_count) {
  const bool keep = s.target->alpha;
  if (modulate) {
    keep ? All<M, true, true>(s, v, count, indices, index_count) : All<M, true, false>(s, v, count, indices, index_count);
  } else {
    keep ? All<M, false, true>(s, v, count, indices, index_count)
         : All<M, false, false>(s, v, count, indices, index_count);
  }
}

template <Mode M, bool Modulate, bool KeepAlpha>
void Rows(const Setup& s, int x0, int y0, int w, int h, int sx, int sy) {
  const RasterTexture& tex = *s.texture;
  for (int row = 0; row < h; ++row) {
    uint32_t* out = s.target->pixels + size_t(y0 + row) * s.target->pitch + x0;
    const uint32_t* in = tex.pixels + size_t(sy + row) * tex.pitch + sx;
    if (M == Mode::None && !Modulate) {
      std::memcpy(out, in, size_t(w) * 4);
      continue;
    }
#if defined(__SSE2__)
    if (M == Mode::Blend && WideBlendReady()) {
      const SDL_Color color{Uint8(s.tint.r), Uint8(s.tint.g), Uint8(s.tint.b), Uint8(s.tint.a)};
      WideBlendRow(out, in, w, color, Modulate, KeepAlpha);
      continue;
    }
    const __m128i tint = _mm_set_epi16(short(s.tint.a), short(s.tint.r), short(s.tint.g), short(s.tint.b),
                                       short(s.tint.a), short(s.tint.r), short(s.tint.g), short(s.tint.b));
    for (int x = 0; x < w; x += 4) {
      const int n = std::min(4, w - x);
      const uint32_t* texels = in + x;
      const __m128i src = n == 4 ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(texels))
                                 : _mm_set_epi32(0, n > 2 ? int(texels[2]) : 0, n > 1 ? int(texels[1]) : 0,
                                                 int(texels[0]));
      if ((M == Mode::Blend || M == Mode::Add) &&
          _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(src, 24), _mm_setzero_si128())) == 0xFFFF)
        continue;
      Put4<M, Modulate, KeepAlpha>(out + x, src, n, tint);
    }
#else
    for (int x = 0; x < w; ++x) Put<M, Modulate, KeepAlpha>(out[x], in[x], s.tint);
#endif
  }
}

template <Mode M>
void CopyDispatch(const Setup& s, bool modulate, int x0, int y0, int w, int h, int sx, int sy) {
  const bool keep = s.target->alpha;
  if (modulate) {
    keep ? Rows<M, true, true>(s, x0, y0, w, h, sx, sy) : Rows<M, true, false>(s, x0, y0, w, h, sx, sy);
  } else {
    keep ? Rows<M, false, true>(s, x0, y0, w, h, sx, sy) : Rows<M, false, false>(s, x0, y0, w, h, sx, sy);
  }
}

}  // namespace

bool RasterCopy(const RasterTarget& target, const RasterTexture& texture, int x, int y, int w, int h, int sx, int sy,
                SDL_BlendMode mode, SDL_Color color) {
  if (mode != SDL_BLENDMODE_NONE && mode != SDL_BLENDMODE_BLEND && mode != SDL_BLENDMODE_ADD &&
      mode != SDL_BLENDMODE_MOD)
    return false;
  if (!target.pixels || !texture.pixels) return false;
  // Cut to the texture, then to the clip, moving the source along.
  const int64_t left = std::max<int64_t>({int64_t(x), int64_t(target.clip.x), int64_t(x) - sx});
  const int64_t top = std::max<int64_t>({int64_t(y), int64_t(target.clip.y), int64_t(y) - sy});
  const int64_t right = std::min<int64_t>({int64_t(x) + w, int64_t(target.clip.x) + target.clip.w,
                                           int64_t(x) - sx + texture.width});
  const int64_t bottom = std::min<int64_t>({int64_t(y) + h, int64_t(target.clip.y) + target.clip.h,
                                            int64_t(y) - sy + texture.height});
  if (left >= right || top >= bottom) return true;
  const int cx = int(left), cy = int(top), cw = int(right - left), ch = int(bottom - top);
  const int csx = int(sx + (left - x)), csy = int(sy + (top - y));
  Setup s{&target, &texture, Tint{color.r, color.g, color.b, color.a}};
  const bool modulate = color.r != 255 || color.g != 255 || color.b != 255 || color.a != 255;
  switch (mode) {
    case SDL_BLENDMODE_NONE: CopyDispatch<Mode::None>(s, modulate, cx, cy, cw, ch, csx, csy); break;
    case SDL_BLENDMODE_BLEND: CopyDispatch<Mode::Blend>(s, modulate, cx, cy, cw, ch, csx, csy); break;
    case SDL_BLENDMODE_ADD: CopyDispatch<Mode::Add>(s, modulate, cx, cy, cw, ch, csx, csy); break;
    default: CopyDispatch<Mode::Mod>(s, modulate, cx, cy, cw, ch, csx, csy); break;
  }
  return true;
}

#if defined(KELP_FILL_AVX2)
namespace {

// RasterFill's blend eight pixels a step, where the processor has AVX2: the
// whole groups of eight at the start of a row; gives the pixels it did.
__attribute__((target("avx2"))) int FillRowAvx2(uint32_t* out, int width, __m128i premultiplied, __m128i keep,
                                                __m128i mask) {
  const __m256i pm = _mm256_broadcastsi128_si256(premultiplied), k = _mm256_broadcastsi128_si256(keep);
  const __m256i m = _mm256_broadcastsi128_si256(mask), by255 = _mm256_set1_epi16(short(0x8081));
  const __m256i zero = _mm256_setzero_si256();
  int i = 0;
  for (; i + 8 <= width; i += 8) {
    __m256i* at = reinterpret_cast<__m256i*>(out + i);
    const __m256i d = _mm256_loadu_si256(at);
    const __m256i lo = _mm256_mullo_epi16(_mm256_unpacklo_epi8(d, zero), k);
    const __m256i hi = _mm256_mullo_epi16(_mm256_unpackhi_epi8(d, zero), k);
    const __m256i l = _mm256_add_epi16(pm, _mm256_srli_epi16(_mm256_mulhi_epu16(lo, by255), 7));
    const __m256i r = _mm256_add_epi16(pm, _mm256_srli_epi16(_mm256_mulhi_epu16(hi, by255), 7));
    _mm256_storeu_si256(at, _mm256_and_si256(_mm256_packus_epi16(l, r), m));
  }
  return i;
}

}  // namespace
#endif

bool RasterFill(const RasterTarget& target, int x, int y, int w, int h, SDL_BlendMode mode, SDL_Color color) {
#if defined(__SSE2__)
  if (mode != SDL_BLENDMODE_BLEND || !target.pixels) return false;
  const int64_t left = std::max<int64_t>(x, target.clip.x), top = std::max<int64_t>(y, target.clip.y);
  const int64_t right = std::min<int64_t>(int64_t(x) + w, int64_t(target.clip.x) + target.clip.w);
  const int64_t bottom = std::min<int64_t>(int64_t(y) + h, int64_t(target.clip.y) + target.clip.h);
  if (left >= right || top >= bottom) return true;
  // Combine<Blend, true> of a white texel, its source half worked out once;
  // x / 255 as (x * 0x8081) >> 23, which is exact for 16 bits and cheaper.
  const short a = short(color.a);
  const __m128i premultiplied =
      Div255(_mm_mullo_epi16(_mm_set_epi16(255, color.r, color.g, color.b, 255, color.r, color.g, color.b),
                             _mm_set_epi16(a, a, a, a, a, a, a, a)));
  const __m128i keep = _mm_set1_epi16(short(255 - color.a));
  const __m128i by255 = _mm_set1_epi16(short(0x8081));
  const __m128i zero = _mm_setzero_si128();
  const __m128i mask = _mm_set1_epi32(target.alpha ? -1 : 0x00FFFFFF);
  const auto blend = [&](uint32_t* at) {
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i lo = _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), keep);
    const __m128i hi = _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), keep);
    const __m128i l = _mm_add_epi16(premultiplied, _mm_srli_epi16(_mm_mulhi_epu16(lo, by255), 7));
    const __m128i r = _mm_add_epi16(premultiplied, _mm_srli_epi16(_mm_mulhi_epu16(hi, by255), 7));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at), _mm_and_si128(_mm_packus_epi16(l, r), mask));
  };
  const int cw = int(right - left);
#if defined(KELP_FILL_AVX2)
  static const bool avx2 = __builtin_cpu_supports("avx2");
#endif
  for (int64_t row = top; row < bottom; ++row) {
    uint32_t* out = target.pixels + size_t(row) * target.pitch + left;
    int i = 0;
#if defined(KELP_FILL_AVX2)
    if (avx2) i = FillRowAvx2(out, cw, premultiplied, keep, mask);
#endif
    for (; i + 4 <= cw; i += 4) blend(out + i);
    if (i < cw) {
      uint32_t part[4] = {0, 0, 0, 0};
      std::memcpy(part, out + i, size_t(cw - i) * 4);
      blend(part);
      std::memcpy(out + i, part, size_t(cw - i) * 4);
    }
  }
  return true;
#else
  (void)target, (void)x, (void)y, (void)w, (void)h, (void)mode, (void)color;
  return false;
#endif
}

bool RasterTriangles(const RasterTarget& target, const RasterTexture& texture, const SDL_Vertex* vertices,
                     int vertex_count, const int* indices, int index_count, SDL_BlendMode mode, SDL_Color color) {
  if (!target.pixels || !texture.pixels || texture.width <= 0 || texture.height <= 0) return false;
  Setup s{&target, &texture, Tint{color.r, color.g, color.b, color.a}};
  const bool modulate = color.r != 255 || color.g != 255 || color.b != 255 || color.a != 255;
  if (target.clip.w <= 0 || target.clip.h <= 0) return true;
  switch (mode) {
    case SDL_BLENDMODE_NONE: Dispatch<Mode::None>(s, modulate, vertices, vertex_count, indices, index_count); break;
    case SDL_BLENDMODE_BLEND: Dispatch<Mode::Blend>(s, modulate, vertices, vertex_count, indices, index_count); break;
    case SDL_BLENDMODE_ADD: Dispatch<Mode::Add>(s, modulate, vertices, vertex_count, indices, index_count); break;
    case SDL_BLENDMODE_MOD: Dispatch<Mode::Mod>(s, modulate, vertices, vertex_count, indices, index_count); break;
    default: return false;
  }
  return true;
}

}  // namespace platform::internal
