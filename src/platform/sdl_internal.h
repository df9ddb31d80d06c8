#pragma once
// Shared between the platform's own files only: never included by game code.
#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/image.h"

namespace platform::internal {

SDL_Window* Window();      // null when headless or closed
SDL_Renderer* Renderer();  // null when no graphics are open

// The persistent canvas every draw call renders into: the renderer's target
// texture, or with the software renderer the surface it draws into (the
// other one is null).
SDL_Texture* Canvas();
SDL_Surface* SoftwareCanvas();
// The software canvas takes textured triangles from raster.h: textures are
// made streaming, and their locks show their texels.
bool RasterReady();
int CanvasWidth();
int CanvasHeight();
// SDL's software renderer: it cuts the fractions off upright quads' corners
// and sizes separately, so neighbours would leave a gap unless we round.
bool SoftwareRenderer();
// Virtual to canvas pixels, per axis.
float CanvasScaleX();
float CanvasScaleY();
// Counts renderers made: textures tagged with an older one are stale (SDL
// freed them with their renderer) and are made again.
uint64_t RendererGeneration();
// The clip rectangle last handed to SDL is unknown (after a target switch).
void ForgetClip();
// The viewport ResetDrawState restores: the whole virtual screen.
void SetDefaultViewport(int width, int height);

// Shows the software canvas (drawn and flushed) in the window, stretched into
// `box` of the window surface, sending only what changed since the frame last
// shown; false when it cannot (the caller then blits it whole).
bool PresentSoftwareCanvas(SDL_Window* window, const SDL_Surface* canvas, const SDL_Rect& box);
// The window lost its picture (exposed, resized): the next present sends all of it.
void RepaintWindow();

// The texture of an image frame for the current renderer, made or refreshed
// as needed; `masked` gives the alpha-tested copy that mask blend draws.
// Null when graphics are closed or the frame does not exist.
SDL_Texture* FrameTexture(const Image& image, int frame, bool masked);
// Images whose pixels only their textures hold: the pixels of a frame read
// back from its texture (null without one), and the register that closing the
// renderer reads them all back from before the textures go.
PixmapRef ReadBackFrame(const Image& image, int frame);
void RememberDroppedPixels(const Image* image);
void ForgetDroppedPixels(const Image* image);
void ReadBackAllDroppedPixels();

// Reusable drawing (canvas_reuse.h). While draws are held back, Geometry
// hands each to HoldDraw (it had its clip set, `clip`) instead of drawing it;
// DrawHeld draws one later as it would have been drawn then. Anything that
// changes a texture, draws outside Geometry or reads the canvas tells first.
bool HoldingDraws();
void HoldDraw(SDL_Texture* texture, SDL_BlendMode mode, SDL_Color color, const SDL_Rect& clip,
              const SDL_Vertex* vertices, int count, const int* indices, int index_count, bool as_triangles);
void DrawHeld(SDL_Texture* texture, SDL_BlendMode mode, SDL_Color color, const SDL_Rect& clip,
              const SDL_Vertex* vertices, int count, const int* indices, int index_count, bool as_triangles);
void TexturesChanging();
void CanvasTouched();
void CanvasCleared(SDL_Color color);

}  // namespace platform::internal

namespace platform {

struct Image::Texture {
  SDL_Texture* texture = nullptr;
  SDL_Texture* masked = nullptr;
  uint64_t generation = 0;
  const Pixmap* source = nullptr;
  uint64_t version = 0;
  uint64_t masked_version = 0;
  // Where the frame is not fully opaque, found when uploaded (w 0: opaque throughout).
  SDL_Rect see_through{0, 0, 0, 0};
  // The software renderer blends a scaled sprite several times slower than an
  // unscaled one: a sprite drawn again and again at one size (clouds) keeps a
  // copy of itself at that size. `wanted` are sizes asked for once.
  struct Scaled {
    SDL_Texture* texture = nullptr;
    SDL_Rect source{0, 0, 0, 0};
    int w = 0, h = 0;
    uint64_t version = 0;
  };
  std::vector<Scaled> scaled, wanted;
  Texture() = default;
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;
  ~Texture();
};

}  // namespace platform
