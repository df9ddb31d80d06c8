#include "platform/raster_wide.h"

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define KELP_WIDE_BLEND 1
#endif

namespace platform::internal {

#if defined(KELP_WIDE_BLEND)

namespace {

#define KELP_AVX2 __attribute__((target("avx2")))

// x / 255 rounded down in each 16-bit lane, exact for every 16-bit x.
KELP_AVX2 inline __m256i Div255(__m256i x) {
  return _mm256_srli_epi16(_mm256_mulhi_epu16(x, _mm256_set1_epi16(short(0x8081))), 7);
}

// Four pixels unpacked to 16-bit lanes (b, g, r, a each): modulate, premultiply, blend.
template <bool Modulate>
KELP_AVX2 inline __m256i Blend(__m256i s, __m256i d, __m256i tint) {
  const __m256i rgb = _mm256_set1_epi64x(0x0000FFFFFFFFFFFFll);
  const __m256i alpha255 = _mm256_set1_epi64x(0x00FF000000000000ll);
  if (Modulate) s = Div255(_mm256_mullo_epi16(s, tint));
  const __m256i a = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(s, 0xFF), 0xFF);
  const __m256i pm = Div255(_mm256_mullo_epi16(s, _mm256_or_si256(_mm256_and_si256(a, rgb), alpha255)));
  return _mm256_add_epi16(pm, Div255(_mm256_mullo_epi16(d, _mm256_sub_epi16(_mm256_set1_epi16(255), a))));
}

// Up to eight texels onto the canvas; `lanes` marks the first n when n < 8.
template <bool Modulate, bool KeepAlpha>
KELP_AVX2 inline void Put8(uint32_t* out, __m256i s, int n, __m256i lanes, __m256i tint) {
  const __m256i alpha = _mm256_srli_epi32(s, 24);
  if (_mm256_testz_si256(alpha, alpha)) return;  // clear texels leave the canvas as it was
  const __m256i keep = _mm256_set1_epi32(0x00FFFFFF);
  if (!Modulate && n == 8 &&
      _mm256_movemask_epi8(_mm256_cmpeq_epi32(alpha, _mm256_set1_epi32(255))) == -1) {
    // Opaque texels blend to themselves.
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), KeepAlpha ? s : _mm256_and_si256(s, keep));
    return;
  }
  const __m256i d = n == 8 ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(out))
                           : _mm256_maskload_epi32(reinterpret_cast<const int*>(out), lanes);
  const __m256i zero = _mm256_setzero_si256();
  const __m256i lo = Blend<Modulate>(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero), tint);
  const __m256i hi = Blend<Modulate>(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero), tint);
  __m256i result = _mm256_packus_epi16(lo, hi);
  if (!KeepAlpha) result = _mm256_and_si256(result, keep);
  if (n == 8)
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), result);
  else
    _mm256_maskstore_epi32(reinterpret_cast<int*>(out), lanes, result);
}

KELP_AVX2 inline __m256i Tint(SDL_Color c) {
  return _mm256_set_epi16(short(c.a), short(c.r), short(c.g), short(c.b), short(c.a), short(c.r), short(c.g),
                          short(c.b), short(c.a), short(c.r), short(c.g), short(c.b), short(c.a), short(c.r),
                          short(c.g), short(c.b));
}

KELP_AVX2 inline __m256i FirstLanes(int n) {
  return _mm256_cmpgt_epi32(_mm256_set1_epi32(n), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
}

template <bool Modulate, bool KeepAlpha>
KELP_AVX2 void Span(uint32_t* out, int count, const uint32_t* texels, int pitch, int32_t fu, int32_t fv, int32_t su,
                    int32_t sv, SDL_Color color) {
  const __m256i tint = Tint(color);
  const __m256i steps = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  // Lanes past the span may wrap; they are never read.
  __m256i u = _mm256_add_epi32(_mm256_set1_epi32(fu), _mm256_mullo_epi32(steps, _mm256_set1_epi32(su)));
  __m256i v = _mm256_add_epi32(_mm256_set1_epi32(fv), _mm256_mullo_epi32(steps, _mm256_set1_epi32(sv)));
  const __m256i du = _mm256_set1_epi32(int32_t(uint32_t(su) * 8u)), dv = _mm256_set1_epi32(int32_t(uint32_t(sv) * 8u));
  const __m256i rows = _mm256_set1_epi32(pitch);
  const int* base = reinterpret_cast<const int*>(texels);
  for (int x = 0; x < count; x += 8) {
    const int n = count - x < 8 ? count - x : 8;
    const __m256i at = _mm256_add_epi32(_mm256_mullo_epi32(_mm256_srai_epi32(v, 16), rows), _mm256_srai_epi32(u, 16));
    if (n == 8) {
      Put8<Modulate, KeepAlpha>(out + x, _mm256_i32gather_epi32(base, at, 4), 8, _mm256_setzero_si256(), tint);
    } else {
      const __m256i lanes = FirstLanes(n);
      const __m256i s = _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), base, at, lanes, 4);
      Put8<Modulate, KeepAlpha>(out + x, s, n, lanes, tint);
    }
    u = _mm256_add_epi32(u, du);
    v = _mm256_add_epi32(v, dv);
  }
}

template <bool Modulate, bool KeepAlpha>
KELP_AVX2 void Row(uint32_t* out, const uint32_t* in, int count, SDL_Color color) {
  const __m256i tint = Tint(color);
  for (int x = 0; x < count; x += 8) {
    const int n = count - x < 8 ? count - x : 8;
    if (n == 8) {
      const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x));
      Put8<Modulate, KeepAlpha>(out + x, s, 8, _mm256_setzero_si256(), tint);
    } else {
      const __m256i lanes = FirstLanes(n);
      const __m256i s = _mm256_maskload_epi32(reinterpret_cast<const int*>(in + x), lanes);
      Put8<Modulate, KeepAlpha>(out + x, s, n, lanes, tint);
    }
  }
}

}  // namespace

bool WideBlendReady() {
  static const bool ready = __builtin_cpu_supports("avx2");
  return ready;
}

void WideBlendSpan(uint32_t* out, int count, const uint32_t* texels, int pitch, int32_t fu, int32_t fv, int32_t su,
                   int32_t sv, SDL_Color color, bool modulate, bool keep_alpha) {
  if (modulate)
    keep_alpha ? Span<true, true>(out, count, texels, pitch, fu, fv, su, sv, color)
               : Span<true, false>(out, count, texels, pitch, fu, fv, su, sv, color);
  else
    keep_alpha ? Span<false, true>(out, count, texels, pitch, fu, fv, su, sv, color)
               : Span<false, false>(out, count, texels, pitch, fu, fv, su, sv, color);
}

void WideBlendRow(uint32_t* out, const uint32_t* in, int count, SDL_Color color, bool modulate, bool keep_alpha) {
  if (modulate)
    keep_alpha ? Row<true, true>(out, in, count, color) : Row<true, false>(out, in, count, color);
  else
    keep_alpha ? Row<false, true>(out, in, count, color) : Row<false, false>(out, in, count, color);
}

#else

bool WideBlendReady() { return false; }
void WideBlendSpan(uint32_t*, int, const uint32_t*, int, int32_t, int32_t, int32_t, int32_t, SDL_Color, bool, bool) {}
void WideBlendRow(uint32_t*, const uint32_t*, int, SDL_Color, bool, bool) {}

#endif

}  // namespace platform::internal
