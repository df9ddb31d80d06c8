#pragma once
// Shared between the platform's own files only: textured triangles drawn
// straight into a 32-bit canvas. SDL's software renderer draws each triangle
// through a general per-pixel path with a set-up cost per triangle; boxes,
// particles, lights and swaying fans are thousands of small triangles a frame.
// The pixels follow SDL's blend formulas (colour and alpha modulation, then
// blend, add, modulate or copy), sampled at pixel centres (nearest texel);
// edges may fall a pixel apart from SDL's, and neighbouring triangles of one
// call never draw a pixel twice.
#include <SDL.h>

#include <cstdint>

namespace platform::internal {

struct RasterTarget {
  uint32_t* pixels = nullptr;
  int pitch = 0;  // in pixels
  bool alpha = false;  // ARGB: the alpha channel is kept, else the top byte stays 0
  SDL_Rect clip{0, 0, 0, 0};  // inside the canvas
};

struct RasterTexture {
  const uint32_t* pixels = nullptr;  // ARGB8888
  int width = 0, height = 0;
  int pitch = 0;  // in pixels
};

// Draws the indexed triangles; `mode` is one of SDL's none, blend, add or mod.
// False, drawing nothing, for any other mode.
bool RasterTriangles(const RasterTarget& target, const RasterTexture& texture, const SDL_Vertex* vertices,
                     int vertex_count, const int* indices, int index_count, SDL_BlendMode mode, SDL_Color color);

// The w x h texels from (sx, sy) copied upright and unscaled to (x, y) of the
// canvas, blended as above: rows are read straight, with no per-pixel mapping.
// False, drawing nothing, for another mode.
bool RasterCopy(const RasterTarget& target, const RasterTexture& texture, int x, int y, int w, int h, int sx, int sy,
                SDL_BlendMode mode, SDL_Color color);

// The w x h canvas pixels from (x, y) blended with one colour, as a white
// texel tinted by it would be: a dimmed screen costs one multiply a channel.
// False, drawing nothing, for a mode other than blend.
bool RasterFill(const RasterTarget& target, int x, int y, int w, int h, SDL_BlendMode mode, SDL_Color color);

}  // namespace platform::internal
