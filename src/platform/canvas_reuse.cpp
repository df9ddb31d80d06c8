#include "platform/canvas_reuse.h"

#include <cstring>
#include <vector>

#include "platform/sdl_internal.h"

namespace platform {

namespace {

// One held-back draw as Geometry was asked for it, followed in the log by its
// vertices and indices. The log is compared byte for byte with the last one.
struct Header {
  SDL_Texture* texture;
  SDL_Rect clip;
  SDL_BlendMode mode;
  SDL_Color color;
  int count, index_count, as_triangles;
};

struct Reuse {
  bool holding = false;             // between Begin and End, nothing drawn yet
  std::vector<uint8_t> log;         // this stretch's draws
  std::vector<uint8_t> last_log;    // the last stretch's draws
  uint64_t last_textures = 0;       // the texture count then
  std::vector<uint32_t> picture;    // the canvas after the last stretch, when kept
  uint64_t picture_textures = 0;    // the texture count when it was kept
  bool picture_valid = false;
  uint64_t textures = 1;            // counts texture changes
  bool cleared = false;             // nothing has touched the canvas since its last clear
  SDL_Color clear{0, 0, 0, 0};
  SDL_Surface* canvas = nullptr;    // the canvas `picture` belongs to
  uint64_t renderer = 0;
};

Reuse g_reuse;

template <typename T>
void Append(std::vector<uint8_t>& log, const T* data, size_t n) {
  if (n == 0) return;
  const auto* bytes = reinterpret_cast<const uint8_t*>(data);
  log.insert(log.end(), bytes, bytes + n * sizeof(T));
}

// Draws the held-back log, in order, as it would have been drawn.
void Replay(const std::vector<uint8_t>& log) {
  size_t at = sizeof(SDL_Color);  // the clear it started from
  while (at < log.size()) {
    Header h;
    std::memcpy(&h, log.data() + at, sizeof h);
    at += sizeof h;
    std::vector<SDL_Vertex> v(size_t(h.count));
    std::vector<int> idx(size_t(h.index_count));
    if (!v.empty()) std::memcpy(v.data(), log.data() + at, v.size() * sizeof(SDL_Vertex));
    at += v.size() * sizeof(SDL_Vertex);
    if (!idx.empty()) std::memcpy(idx.data(), log.data() + at, idx.size() * sizeof(int));
    at += idx.size() * sizeof(int);
    internal::DrawHeld(h.texture, h.mode, h.color, h.clip, v.data(), h.count, idx.data(), h.index_count,
                       h.as_triangles != 0);
  }
}

// Draws what was held back and holds back nothing more this stretch.
void Release() {
  if (!g_reuse.holding) return;
  g_reuse.holding = false;
  std::vector<uint8_t> log;
  log.swap(g_reuse.log);
  // A new renderer took the textures the held draws name with the old one.
  if (internal::RendererGeneration() == g_reuse.renderer) Replay(log);
  g_reuse.picture_valid = false;
}

}  // namespace

namespace internal {

bool HoldingDraws() { return g_reuse.holding; }

void HoldDraw(SDL_Texture* texture, SDL_BlendMode mode, SDL_Color color, const SDL_Rect& clip,
              const SDL_Vertex* vertices, int count, const int* indices, int index_count, bool as_triangles) {
  Header h;
  std::memset(&h, 0, sizeof h);  // the log is compared byte for byte, padding included
  h.texture = texture;
  h.clip = clip;
  h.mode = mode;
  h.color = color;
  h.count = count;
  h.index_count = index_count;
  h.as_triangles = as_triangles;
  Append(g_reuse.log, &h, 1);
  Append(g_reuse.log, vertices, size_t(count));
  Append(g_reuse.log, indices, size_t(index_count));
}

void TexturesChanging() {
  Release();
  ++g_reuse.textures;
}

void CanvasTouched() {
  Release();
  g_reuse.cleared = false;
}

void CanvasCleared(SDL_Color color) {
  Release();
  g_reuse.cleared = true;
  g_reuse.clear = color;
}

}  // namespace internal

void BeginReusableDrawing() {
  Release();
  SDL_Surface* canvas = internal::SoftwareCanvas();
  if (!canvas || !internal::RasterReady() || !g_reuse.cleared) {
    g_reuse.picture_valid = false;
    return;
  }
  if (canvas != g_reuse.canvas || internal::RendererGeneration() != g_reuse.renderer) {
    g_reuse.canvas = canvas;
    g_reuse.renderer = internal::RendererGeneration();
    g_reuse.picture_valid = false;
  }
  g_reuse.log.clear();
  // The clear that the stretch starts from is part of what it makes.
  Append(g_reuse.log, &g_reuse.clear, 1);
  g_reuse.holding = true;
}

void EndReusableDrawing() {
  if (!g_reuse.holding) return;
  if (internal::RendererGeneration() != g_reuse.renderer || internal::SoftwareCanvas() != g_reuse.canvas) {
    Release();
    return;
  }
  g_reuse.holding = false;
  SDL_Surface* canvas = g_reuse.canvas;
  const size_t row = size_t(canvas->w) * 4;
  // The clear is still in SDL's queue: it must not land on the picture.
  SDL_RenderFlush(internal::Renderer());
  if (g_reuse.picture_valid && g_reuse.picture_textures == g_reuse.textures && g_reuse.log == g_reuse.last_log) {
    for (int y = 0; y < canvas->h; ++y)
      std::memcpy(static_cast<uint8_t*>(canvas->pixels) + size_t(y) * canvas->pitch,
                  g_reuse.picture.data() + size_t(y) * canvas->w, row);
  } else {
    Replay(g_reuse.log);
    // Kept only once the stretch has come twice alike: while a box slides
    // in or its dimming fades, every frame differs and a copy would be waste.
    g_reuse.picture_valid = g_reuse.last_textures == g_reuse.textures && g_reuse.log == g_reuse.last_log;
    if (g_reuse.picture_valid) {
      SDL_RenderFlush(internal::Renderer());
      g_reuse.picture.resize(size_t(canvas->w) * canvas->h);
      for (int y = 0; y < canvas->h; ++y)
        std::memcpy(g_reuse.picture.data() + size_t(y) * canvas->w,
                    static_cast<const uint8_t*>(canvas->pixels) + size_t(y) * canvas->pitch, row);
      g_reuse.picture_textures = g_reuse.textures;
    }
    g_reuse.last_log.swap(g_reuse.log);
    g_reuse.last_textures = g_reuse.textures;
  }
  g_reuse.log.clear();
  g_reuse.cleared = false;
}

}  // namespace platform
