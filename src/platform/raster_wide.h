#pragma once
// Shared between the platform's own files only: raster.cpp's alpha blend
// eight pixels at once on processors with AVX2 (the same formulas and the same
// pixels as its four-at-a-time code, which every processor runs otherwise).
#include <SDL.h>

#include <cstdint>

namespace platform::internal {

// True when this processor runs the functions below (checked once).
bool WideBlendReady();

// `count` pixels from `out` on, each the texel at (fu >> 16, fv >> 16) of a
// texture of `pitch` pixels a row, stepping (su, sv) a pixel: 16.16 fixed
// point, every texel of the span inside the texture. Blended as SDL blends,
// tinted by `color` when `modulate`; the canvas's alpha byte kept or zeroed.
void WideBlendSpan(uint32_t* out, int count, const uint32_t* texels, int pitch, int32_t fu, int32_t fv, int32_t su,
                   int32_t sv, SDL_Color color, bool modulate, bool keep_alpha);
// `count` texels from `in` blended onto `out`, the same way.
void WideBlendRow(uint32_t* out, const uint32_t* in, int count, SDL_Color color, bool modulate, bool keep_alpha);

}  // namespace platform::internal
