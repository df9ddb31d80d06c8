#pragma once
// Drawing onto the canvas with the current draw state (graphics_state.h).
// Coordinates are virtual (800x600 or 960x600); the origin is added to them.
// With no open graphics every call does nothing; a null image draws nothing.
// Images are tinted by the state's colour, except that a colour of 254 or more
// in each of r, g, b at full alpha draws them untinted (as 255, 255, 255).
#include <string>
#include <vector>

#include "platform/image.h"

namespace platform {

void Cls();  // the whole canvas in the clear colour
void DrawImage(const ImageRef& image, float x, float y, int frame = 0);
// The (sx, sy, sw, sh) part of a frame, stretched to w x h, placed like DrawImage.
void DrawSubImageRect(const ImageRef& image, float x, float y, float w, float h,
                      float sx, float sy, float sw, float sh, int frame = 0);
void DrawImageRect(const ImageRef& image, float x, float y, float w, float h, int frame = 0);
// The frame repeated over the whole viewport, offset by (x, y).
void TileImage(const ImageRef& image, float x = 0, float y = 0, int frame = 0);
void DrawRect(float x, float y, float w, float h);  // filled, transformed like an image
void DrawLine(float x1, float y1, float x2, float y2);  // with the line width
void DrawOval(float x, float y, float w, float h);  // filled
void DrawPoly(const std::vector<float>& xy);  // filled; x0, y0, x1, y1, ...

// A textured triangle fan: vertices in virtual coordinates (origin added,
// no rotation or scale), texture coordinates 0..1 of the frame, colour and
// alpha from the draw state.
struct FanVertex {
  float x, y, u, v;
};
void DrawTexturedFan(const ImageRef& image, const std::vector<FanVertex>& fan, int frame = 0);
// Textured triangles, three indices each, drawn as DrawTexturedFan draws its
// vertices: many polygons of one frame in one call. Triangles with an index
// outside the vertices draw nothing.
void DrawTexturedTriangles(const ImageRef& image, const std::vector<FanVertex>& vertices,
                           const std::vector<int>& indices, int frame = 0);

// The bounds, in image pixels, of the frame's pixels that are not fully
// opaque (w and h 0 when it is opaque throughout): whatever lies under the
// frame outside them, drawn untinted at full alpha, never shows. False, with
// nothing set, without open graphics or the frame.
bool SeeThroughBounds(const ImageRef& image, int frame, int& x, int& y, int& w, int& h);

// Plain text in the platform font (or the state's image font), top-left at (x, y).
void DrawText(const std::string& text, float x, float y);
int TextWidth(const std::string& text);
int TextHeight(const std::string& text);

// Collision layers: 32 layers of bits over the canvas.
void ResetCollisions(uint32_t mask = 0xFFFFFFFFu);
// Writes the opaque pixels of the frame, placed as DrawImage would draw it,
// into the layers of write_mask tagged with `id`; tests it first against
// test_mask and returns the ids hit (empty when none).
std::vector<void*> CollideImage(const ImageRef& image, float x, float y, int frame,
                                uint32_t test_mask, uint32_t write_mask, void* id);
std::vector<void*> CollideRect(float x, float y, float w, float h,
                               uint32_t test_mask, uint32_t write_mask, void* id);

}  // namespace platform
