#include "platform/draw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_set>

#include "platform/graphics_state.h"
#include "platform/image_font.h"
#include "platform/raster.h"
#include "platform/sdl_internal.h"

namespace platform {

namespace {

bool g_clip_valid = false;
SDL_Rect g_clip{0, 0, 0, 0};

// Texture user data marking a texture whose every pixel is opaque: alpha
// blending it at full alpha is a plain copy, which is far cheaper in software.
char g_opaque_tag;

// The bounds of the pixels that are not fully opaque; empty when there are none.
SDL_Rect SeeThrough(const Pixmap& pixmap) {
  const int w = pixmap.Width(), h = pixmap.Height();
  int x0 = w, x1 = 0, y0 = h, y1 = 0;
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = pixmap.Pixels() + size_t(y) * w;
    int first = 0;
    while (first < w && (row[first] >> 24) == 0xFF) ++first;
    if (first == w) continue;
    int last = w - 1;
    while ((row[last] >> 24) == 0xFF) --last;
    x0 = std::min(x0, first);
    x1 = std::max(x1, last + 1);
    y0 = std::min(y0, y);
    y1 = y + 1;
  }
  return x0 < x1 ? SDL_Rect{x0, y0, x1 - x0, y1 - y0} : SDL_Rect{0, 0, 0, 0};
}

SDL_Texture* Upload(SDL_Renderer* renderer, const Pixmap& pixmap, bool masked, int flags, SDL_Texture* reuse,
                    SDL_Rect* see_through = nullptr) {
  const int w = pixmap.Width(), h = pixmap.Height();
  if (w <= 0 || h <= 0) return nullptr;
  internal::TexturesChanging();
  SDL_Texture* texture = reuse;
  if (!texture) {
    // Streaming, so that the rasteriser can read the texels through a lock.
    const int access = internal::RasterReady() ? SDL_TEXTUREACCESS_STREAMING : SDL_TEXTUREACCESS_STATIC;
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, access, w, h);
    if (!texture) {
      std::fprintf(stderr, "Graphics: cannot make a %dx%d texture: %s\n", w, h, SDL_GetError());
      return nullptr;
    }
    SDL_SetTextureScaleMode(texture, (flags & FILTEREDIMAGE) ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  }
  if (!masked) {
    SDL_UpdateTexture(texture, nullptr, pixmap.Pixels(), w * 4);
    const SDL_Rect clear = SeeThrough(pixmap);
    SDL_SetTextureUserData(texture, clear.w == 0 ? &g_opaque_tag : nullptr);
    if (see_through) *see_through = clear;
  } else {
    // Mask blend draws a pixel fully or not at all.
    std::vector<uint32_t> tested(pixmap.Pixels(), pixmap.Pixels() + size_t(w) * h);
    for (uint32_t& p : tested) p = (p >> 24) >= 128 ? (p | 0xFF000000u) : 0u;
    SDL_UpdateTexture(texture, nullptr, tested.data(), w * 4);
  }
  return texture;
}

// Clips to the viewport; false when nothing can be drawn.
bool ApplyClip(SDL_Renderer* renderer) {
  const DrawState& s = State();
  if (s.vp_w <= 0 || s.vp_h <= 0) return false;
  const double sx = internal::CanvasScaleX(), sy = internal::CanvasScaleY();
  const double cw = internal::CanvasWidth(), ch = internal::CanvasHeight();
  const double x0 = std::clamp(std::round(s.vp_x * sx), 0.0, cw);
  const double y0 = std::clamp(std::round(s.vp_y * sy), 0.0, ch);
  const double x1 = std::clamp(std::round((double(s.vp_x) + s.vp_w) * sx), 0.0, cw);
  const double y1 = std::clamp(std::round((double(s.vp_y) + s.vp_h) * sy), 0.0, ch);
  if (x1 <= x0 || y1 <= y0) return false;
  const SDL_Rect rect{int(x0), int(y0), int(x1 - x0), int(y1 - y0)};
  if (!g_clip_valid || !SDL_RectEquals(&rect, &g_clip)) {
    SDL_RenderSetClipRect(renderer, &rect);
    g_clip = rect;
    g_clip_valid = true;
  }
  return true;
}

struct Paint {
  SDL_Renderer* renderer = nullptr;
  SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
  SDL_Color color{255, 255, 255, 255};
  bool masked = false;
};

// The renderer, blend and vertex colour for a draw, or false when it would draw nothing.
// A texture tinted to within one level of white at full alpha draws untinted:
// the difference cannot be seen, and the software renderer's untinted copy
// and blend are many times cheaper than its per-pixel tinting.
bool Prepare(Paint& paint, bool textured = false) {
  paint.renderer = internal::Renderer();
  if (!paint.renderer || (!internal::Canvas() && !internal::SoftwareCanvas())) return false;
  const DrawState& s = State();
  const float alpha = std::isnan(s.alpha) ? 0.0f : std::clamp(s.alpha, 0.0f, 1.0f);
  int a = static_cast<int>(std::lround(alpha * 255.0f));
  switch (s.blend) {
    case MASKBLEND:
      if (alpha < 0.5f) return false;
      paint.mode = SDL_BLENDMODE_BLEND;
      paint.masked = true;
      a = 255;
      break;
    case SOLIDBLEND:
      paint.mode = SDL_BLENDMODE_NONE;
      a = 255;
      break;
    case LIGHTBLEND:
      if (a == 0) return false;
      paint.mode = SDL_BLENDMODE_ADD;
      break;
    case SHADEBLEND:
      paint.mode = SDL_BLENDMODE_MOD;
      break;
    default:
      if (a == 0) return false;
      paint.mode = SDL_BLENDMODE_BLEND;
      break;
  }
  paint.color = SDL_Color{Uint8(std::clamp(s.r, 0, 255)), Uint8(std::clamp(s.g, 0, 255)),
                          Uint8(std::clamp(s.b, 0, 255)), Uint8(a)};
  if (textured && a == 255 && paint.color.r >= 254 && paint.color.g >= 254 && paint.color.b >= 254)
    paint.color = SDL_Color{255, 255, 255, 255};
  return ApplyClip(paint.renderer);
}

// Local points (relative to the handle) around an anchor in virtual
// coordinates, through the state's 2x2 transform, into canvas pixels.
struct Placer {
  float ax, ay, ix, iy, jx, jy, sx, sy;
  Placer(float x, float y) {
    const DrawState& s = State();
    ax = x + s.origin_x;
    ay = y + s.origin_y;
    ix = s.ix;
    iy = s.iy;
    jx = s.jx;
    jy = s.jy;
    sx = internal::CanvasScaleX();
    sy = internal::CanvasScaleY();
  }
  SDL_FPoint operator()(float u, float v) const {
    return SDL_FPoint{(ax + ix * u + iy * v) * sx, (ay + jx * u + jy * v) * sy};
  }
};

// Quads (0, 1, 2, 0, 2, 3 from each fourth vertex) upright on the canvas and
// in the texture: the software renderer copies those as blits.
bool UprightQuads(const SDL_Vertex* v, int count, const int* indices, int index_count) {
  if (count % 4 != 0 || index_count != count / 4 * 6) return false;
  for (int q = 0; q < count / 4; ++q) {
    const int* i = indices + q * 6;
    const int b = q * 4;
    if (i[0] != b || i[1] != b + 1 || i[2] != b + 2 || i[3] != b || i[4] != b + 2 || i[5] != b + 3) return false;
    const SDL_Vertex* p = v + b;
    if (p[0].position.y != p[1].position.y || p[1].position.x != p[2].position.x ||
        p[2].position.y != p[3].position.y || p[3].position.x != p[0].position.x)
      return false;
    if (p[0].tex_coord.y != p[1].tex_coord.y || p[1].tex_coord.x != p[2].tex_coord.x ||
        p[2].tex_coord.y != p[3].tex_coord.y || p[3].tex_coord.x != p[0].tex_coord.x)
      return false;
  }
  return true;
}

bool CanRaster(const Paint& paint) {
  return internal::SoftwareCanvas() && internal::RasterReady() && g_clip_valid && !SDL_GetRenderTarget(paint.renderer);
}

// The software canvas to draw into, once SDL has drawn what it still holds.
internal::RasterTarget RasterCanvas(const Paint& paint) {
  SDL_Surface* canvas = internal::SoftwareCanvas();
  SDL_RenderFlush(paint.renderer);
  internal::RasterTarget target;
  target.pixels = static_cast<uint32_t*>(canvas->pixels);
  target.pitch = canvas->pitch / 4;
  target.alpha = canvas->format->Amask != 0;
  target.clip = g_clip;
  return target;
}

bool RasterInto(const Paint& paint, const internal::RasterTexture& source, SDL_BlendMode mode,
                const SDL_Vertex* vertices, int count, const int* indices, int index_count) {
  return internal::RasterTriangles(RasterCanvas(paint), source, vertices, count, indices, index_count, mode,
                                   paint.color);
}

bool Whole(float f) { return std::fabs(f) < 1e6f && f == std::floor(f); }

// Upright quads at the texture's own size and at whole pixels, copied row by
// row; false (drawing nothing) when any of them is not one.
bool RasterUpright(const Paint& paint, const internal::RasterTexture& source, SDL_BlendMode mode,
                   const SDL_Vertex* v, int count) {
  struct Piece {
    int x, y, w, h, sx, sy;
  };
  std::vector<Piece> pieces;
  for (int q = 0; q + 3 < count; q += 4) {
    const SDL_Vertex* p = v + q;
    const float x0 = p[0].position.x, y0 = p[0].position.y, x1 = p[2].position.x, y1 = p[2].position.y;
    const float u0 = p[0].tex_coord.x * source.width, v0 = p[0].tex_coord.y * source.height;
    const float u1 = p[2].tex_coord.x * source.width, v1 = p[2].tex_coord.y * source.height;
    const float su = std::round(u0), sv = std::round(v0);
    if (!Whole(x0) || !Whole(y0) || !Whole(x1) || !Whole(y1) || x1 <= x0 || y1 <= y0 ||
        std::fabs(u0 - su) > 1e-3f || std::fabs(v0 - sv) > 1e-3f || std::fabs((u1 - u0) - (x1 - x0)) > 1e-3f ||
        std::fabs((v1 - v0) - (y1 - y0)) > 1e-3f)
      return false;
    pieces.push_back(Piece{int(x0), int(y0), int(x1 - x0), int(y1 - y0), int(su), int(sv)});
  }
  const internal::RasterTarget target = RasterCanvas(paint);
  for (const Piece& p : pieces)
    if (!internal::RasterCopy(target, source, p.x, p.y, p.w, p.h, p.sx, p.sy, mode, paint.color)) return false;
  return true;
}

// Textured triangles by the rasteriser; false when SDL must draw them. Upright
// quads are SDL's blits unless they are unscaled copies (SDL's blitters for
// those blend a pixel at a time).
bool Raster(const Paint& paint, SDL_Texture* texture, SDL_BlendMode mode, const SDL_Vertex* vertices, int count,
            const int* indices, int index_count, bool as_triangles) {
  if (!CanRaster(paint)) return false;
  const bool upright = !as_triangles && UprightQuads(vertices, count, indices, index_count);
  // A plain copy SDL does by rows, but only into a canvas of the texture's
  // format: into a window's XRGB canvas it converts pixel by pixel.
  if (upright && mode == SDL_BLENDMODE_NONE && paint.color.r == 255 && paint.color.g == 255 && paint.color.b == 255 &&
      internal::SoftwareCanvas()->format->format == SDL_PIXELFORMAT_ARGB8888)
    return false;
  Uint32 format = 0;
  int w = 0, h = 0;
  if (SDL_QueryTexture(texture, &format, nullptr, &w, &h) != 0 || format != SDL_PIXELFORMAT_ARGB8888) return false;
  void* texels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture, nullptr, &texels, &pitch) != 0) return false;
  const internal::RasterTexture source{static_cast<const uint32_t*>(texels), w, h, pitch / 4};
  const bool drawn = upright ? RasterUpright(paint, source, mode, vertices, count)
                             : RasterInto(paint, source, mode, vertices, count, indices, index_count);
  SDL_UnlockTexture(texture);
  return drawn;
}

// Plain fills by the rasteriser as one white texel in the draw colour (SDL's
// fill formulas are the same); upright ones too, since SDL blends a filled
// rectangle pixel by pixel in generic code (the name box's dimming of the
// whole screen).
bool RasterFill(const Paint& paint, const SDL_Vertex* vertices, int count, const int* indices, int index_count) {
  static const uint32_t kWhite = 0xFFFFFFFFu;
  if (!CanRaster(paint)) return false;
  if (count == 4 && UprightQuads(vertices, count, indices, index_count)) {
    // On whole pixels it covers the same pixels as its triangles, filled row by row.
    const float x0 = std::min(vertices[0].position.x, vertices[2].position.x);
    const float x1 = std::max(vertices[0].position.x, vertices[2].position.x);
    const float y0 = std::min(vertices[0].position.y, vertices[2].position.y);
    const float y1 = std::max(vertices[0].position.y, vertices[2].position.y);
    if (Whole(x0) && Whole(x1) && Whole(y0) && Whole(y1) &&
        internal::RasterFill(RasterCanvas(paint), int(x0), int(y0), int(x1 - x0), int(y1 - y0), paint.mode,
                             paint.color))
      return true;
  }
  return RasterInto(paint, internal::RasterTexture{&kWhite, 1, 1, 1}, paint.mode, vertices, count, indices,
                    index_count);
}

// `as_triangles`: never taken for upright quads (a copy or SDL's blit), so
// that turned and flipped texture coordinates hold.
void Geometry(const Paint& paint, SDL_Texture* texture, const SDL_Vertex* vertices, int count, const int* indices,
              int index_count, bool as_triangles = false) {
  if (internal::HoldingDraws() && g_clip_valid && !SDL_GetRenderTarget(paint.renderer)) {
    internal::HoldDraw(texture, paint.mode, paint.color, g_clip, vertices, count, indices, index_count, as_triangles);
    return;
  }
  internal::CanvasTouched();
  if (texture) {
    const bool copy = paint.mode == SDL_BLENDMODE_BLEND && paint.color.a == 255 &&
                      SDL_GetTextureUserData(texture) == &g_opaque_tag;
    const SDL_BlendMode mode = copy ? SDL_BLENDMODE_NONE : paint.mode;
    if (Raster(paint, texture, mode, vertices, count, indices, index_count, as_triangles)) return;
    SDL_SetTextureBlendMode(texture, mode);
    if (as_triangles && internal::SoftwareRenderer()) {
      // SDL's software renderer draws two triangles that make an upright
      // rectangle as a copy, and nothing for a pair with a degenerate half.
      for (int i = 0; i + 2 < index_count; i += 3)
        SDL_RenderGeometry(paint.renderer, texture, vertices, count, indices + i, 3);
      return;
    }
  } else {
    if (RasterFill(paint, vertices, count, indices, index_count)) return;
    SDL_SetRenderDrawBlendMode(paint.renderer, paint.mode);
  }
  SDL_RenderGeometry(paint.renderer, texture, vertices, count, indices, index_count);
}

}  // namespace

void internal::DrawHeld(SDL_Texture* texture, SDL_BlendMode mode, SDL_Color color, const SDL_Rect& clip,
                        const SDL_Vertex* vertices, int count, const int* indices, int index_count, bool as_triangles) {
  Paint paint;
  paint.renderer = Renderer();
  paint.mode = mode;
  paint.color = color;
  if (!paint.renderer) return;
  if (!g_clip_valid || !SDL_RectEquals(&clip, &g_clip)) {
    SDL_RenderSetClipRect(paint.renderer, &clip);
    g_clip = clip;
    g_clip_valid = true;
  }
  Geometry(paint, texture, vertices, count, indices, index_count, as_triangles);
}

namespace {

// One textured quad: local corners (x0, y0)-(x1, y1), texture corners (u0, v0)-(u1, v1).
void Quad(const Paint& paint, SDL_Texture* texture, const Placer& at, float x0, float y0, float x1, float y1,
          float u0, float v0, float u1, float v1) {
  SDL_Vertex v[4] = {
      {at(x0, y0), paint.color, {u0, v0}},
      {at(x1, y0), paint.color, {u1, v0}},
      {at(x1, y1), paint.color, {u1, v1}},
      {at(x0, y1), paint.color, {u0, v1}},
  };
  if (at.iy == 0 && at.jx == 0 && internal::SoftwareRenderer()) {
    for (SDL_Vertex& p : v) p.position = SDL_FPoint{std::round(p.position.x), std::round(p.position.y)};
  }
  static const int kIndices[6] = {0, 1, 2, 0, 2, 3};
  Geometry(paint, texture, v, 4, kIndices, 6);
}

// Untextured triangles from local points.
void Shape(const Paint& paint, const Placer& at, const std::vector<SDL_FPoint>& local, const std::vector<int>& indices) {
  if (indices.empty()) return;
  std::vector<SDL_Vertex> v(local.size());
  for (size_t i = 0; i < local.size(); ++i) v[i] = SDL_Vertex{at(local[i].x, local[i].y), paint.color, {0, 0}};
  Geometry(paint, nullptr, v.data(), int(v.size()), indices.data(), int(indices.size()));
}

SDL_Texture* TextureFor(const Image& image, int frame, const Paint& paint) {
  return internal::FrameTexture(image, frame, paint.masked);
}

// The frame's texels `source` stretched (as the renderer stretches) to w x h,
// kept with the frame (a few sizes each); null until that size has been asked
// for twice, so that sprites whose size keeps changing make few copies.
SDL_Texture* ScaledCopy(Image::Texture& t, SDL_Renderer* renderer, const SDL_Rect& source, int w, int h) {
  constexpr int kMaxPixels = 512 * 512;
  constexpr size_t kSizes = 6;
  if (w <= 0 || h <= 0 || int64_t(w) * h > kMaxPixels || !t.texture) return nullptr;
  auto same = [&](const Image::Texture::Scaled& s) {
    return s.w == w && s.h == h && s.version == t.version && SDL_RectEquals(&s.source, &source);
  };
  for (size_t i = 0; i < t.scaled.size(); ++i) {
    if (!same(t.scaled[i])) continue;
    // Most recently used first: the last one goes when the list is full.
    std::rotate(t.scaled.begin(), t.scaled.begin() + i, t.scaled.begin() + i + 1);
    return t.scaled.front().texture;
  }
  const auto asked = std::find_if(t.wanted.begin(), t.wanted.end(), same);
  if (asked == t.wanted.end()) {
    if (t.wanted.size() >= kSizes) t.wanted.erase(t.wanted.begin());
    t.wanted.push_back(Image::Texture::Scaled{nullptr, source, w, h, t.version});
    return nullptr;
  }
  t.wanted.erase(asked);
  internal::TexturesChanging();
  SDL_Texture* copy = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
  if (!copy) return nullptr;
  SDL_Texture* previous = SDL_GetRenderTarget(renderer);
  bool ok = SDL_SetRenderTarget(renderer, copy) == 0;
  if (ok) {
    SDL_SetTextureBlendMode(t.texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(t.texture, 255, 255, 255);
    SDL_SetTextureAlphaMod(t.texture, 255);
    ok = SDL_RenderCopy(renderer, t.texture, &source, nullptr) == 0;
  }
  // The rasteriser reads texels through a lock, which only a streaming
  // texture gives: without one, SDL's blitter blends the copy a pixel at a time.
  std::vector<uint32_t> texels;
  if (ok && internal::RasterReady()) {
    texels.resize(size_t(w) * h);
    if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, texels.data(), w * 4) != 0) texels.clear();
  }
  SDL_SetRenderTarget(renderer, previous);
  internal::ForgetClip();
  if (!ok) {
    SDL_DestroyTexture(copy);
    return nullptr;
  }
  if (!texels.empty()) {
    if (SDL_Texture* streaming = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h)) {
      SDL_UpdateTexture(streaming, nullptr, texels.data(), w * 4);
      SDL_DestroyTexture(copy);
      copy = streaming;
    }
  }
  SDL_SetTextureUserData(copy, SDL_GetTextureUserData(t.texture));
  if (t.scaled.size() >= kSizes) {
    SDL_DestroyTexture(t.scaled.back().texture);
    t.scaled.pop_back();
  }
  t.scaled.insert(t.scaled.begin(), Image::Texture::Scaled{copy, source, w, h, t.version});
  return copy;
}

double Cross(const SDL_FPoint& o, const SDL_FPoint& a, const SDL_FPoint& b) {
  return double(a.x - o.x) * (b.y - o.y) - double(a.y - o.y) * (b.x - o.x);
}

bool InTriangle(const SDL_FPoint& p, const SDL_FPoint& a, const SDL_FPoint& b, const SDL_FPoint& c, double sign) {
  return Cross(a, b, p) * sign >= 0 && Cross(b, c, p) * sign >= 0 && Cross(c, a, p) * sign >= 0;
}

// Ear clipping: concave polygons of either winding. A polygon that will not
// clip (self-crossing) gets the rest as a fan.
std::vector<int> Triangulate(const std::vector<SDL_FPoint>& pts) {
  const int n = int(pts.size());
  std::vector<int> out;
  if (n < 3) return out;
  double area = 0;
  for (int i = 0; i < n; ++i) {
    const SDL_FPoint& a = pts[i];
    const SDL_FPoint& b = pts[(i + 1) % n];
    area += double(a.x) * b.y - double(b.x) * a.y;
  }
  const double sign = area >= 0 ? 1.0 : -1.0;
  std::vector<int> left(n);
  for (int i = 0; i < n; ++i) left[i] = i;
  int guard = 0;
  while (left.size() > 3 && guard < n * n) {
    ++guard;
    bool clipped = false;
    const int m = int(left.size());
    for (int i = 0; i < m; ++i) {
      const int ia = left[(i + m - 1) % m], ib = left[i], ic = left[(i + 1) % m];
      const SDL_FPoint &a = pts[ia], &b = pts[ib], &c = pts[ic];
      if (Cross(a, b, c) * sign <= 0) continue;  // reflex or flat corner
      bool empty = true;
      for (int k : left) {
        if (k == ia || k == ib || k == ic) continue;
        if (InTriangle(pts[k], a, b, c, sign)) {
          empty = false;
          break;
        }
      }
      if (!empty) continue;
      out.insert(out.end(), {ia, ib, ic});
      left.erase(left.begin() + i);
      clipped = true;
      break;
    }
    if (!clipped) break;
  }
  for (size_t i = 1; i + 1 < left.size(); ++i) out.insert(out.end(), {left[0], left[i], left[i + 1]});
  return out;
}

}  // namespace

Image::Texture::~Texture() {
  if (generation == internal::RendererGeneration() && internal::Renderer()) {
    internal::TexturesChanging();
    if (texture) SDL_DestroyTexture(texture);
    if (masked) SDL_DestroyTexture(masked);
    for (const Scaled& copy : scaled) SDL_DestroyTexture(copy.texture);
  }
}

void internal::ForgetClip() { g_clip_valid = false; }

SDL_Texture* internal::FrameTexture(const Image& image, int frame, bool masked) {
  SDL_Renderer* renderer = Renderer();
  if (!renderer || frame < 0 || frame >= image.Frames()) return nullptr;
  auto& slots = image.Textures();
  if (slots.size() < size_t(image.Frames())) slots.resize(image.Frames());
  auto& slot = slots[frame];
  if (!slot) slot = std::make_shared<Image::Texture>();
  Image::Texture& t = *slot;
  const uint64_t generation = RendererGeneration();
  if (!image.HeldFrame(frame)) {
    // Only the texture holds the pixels: it is up to date by construction.
    if (!masked && t.texture && t.generation == generation) return t.texture;
    if (!image.Frame(frame)) return nullptr;  // read back and kept
  }
  const Pixmap* pixels = image.HeldFrame(frame).get();
  if (t.generation != generation || t.source != pixels) {
    if (t.generation == generation) {
      internal::TexturesChanging();
      if (t.texture) SDL_DestroyTexture(t.texture);
      if (t.masked) SDL_DestroyTexture(t.masked);
      for (const Image::Texture::Scaled& copy : t.scaled) SDL_DestroyTexture(copy.texture);
    }
    t.texture = t.masked = nullptr;
    t.scaled.clear();
    t.wanted.clear();
    t.generation = generation;
    t.source = pixels;
  }
  if (masked) {
    if (!t.masked || t.masked_version != pixels->Version()) {
      t.masked = Upload(renderer, *pixels, true, image.Flags(), t.masked);
      t.masked_version = pixels->Version();
    }
    return t.masked;
  }
  if (!t.texture || t.version != pixels->Version()) {
    t.texture = Upload(renderer, *pixels, false, image.Flags(), t.texture, &t.see_through);
    t.version = pixels->Version();
    if (t.texture) image.DropPixels(frame);
  }
  return t.texture;
}

namespace {
std::unordered_set<const Image*> g_dropped;
}  // namespace

void internal::RememberDroppedPixels(const Image* image) { g_dropped.insert(image); }
void internal::ForgetDroppedPixels(const Image* image) { g_dropped.erase(image); }

PixmapRef internal::ReadBackFrame(const Image& image, int frame) {
  SDL_Renderer* renderer = Renderer();
  auto& slots = image.Textures();
  if (!renderer || frame < 0 || size_t(frame) >= slots.size() || !slots[frame]) return nullptr;
  Image::Texture& t = *slots[frame];
  if (t.generation != RendererGeneration() || !t.texture) return nullptr;
  const int w = image.Width(), h = image.Height();
  SDL_Texture* target = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
  if (!target) return nullptr;
  SDL_Texture* previous = SDL_GetRenderTarget(renderer);
  auto pixmap = std::make_shared<Pixmap>(w, h);
  bool ok = SDL_SetRenderTarget(renderer, target) == 0;
  if (ok) {
    SDL_RenderSetClipRect(renderer, nullptr);
    SDL_SetTextureBlendMode(t.texture, SDL_BLENDMODE_NONE);
    ok = SDL_RenderCopy(renderer, t.texture, nullptr, nullptr) == 0 &&
         SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixmap->Pixels(), w * 4) == 0;
  }
  SDL_SetRenderTarget(renderer, previous);
  SDL_DestroyTexture(target);
  ForgetClip();
  if (!ok) {
    std::fprintf(stderr, "Graphics: cannot read a %dx%d texture back: %s\n", w, h, SDL_GetError());
    return nullptr;
  }
  // The texture already shows these pixels.
  t.source = pixmap.get();
  t.version = t.masked_version = pixmap->Version();
  return pixmap;
}

void internal::ReadBackAllDroppedPixels() {
  for (const Image* image : g_dropped)
    for (int i = 0; i < image->Frames(); ++i)
      if (!image->HeldFrame(i)) {
        PixmapRef pixels = ReadBackFrame(*image, i);
        image->RestorePixels(i, pixels ? pixels : std::make_shared<Pixmap>(image->Width(), image->Height()));
      }
  g_dropped.clear();
}

bool SeeThroughBounds(const ImageRef& image, int frame, int& x, int& y, int& w, int& h) {
  if (!image || !internal::FrameTexture(*image, frame, false)) return false;
  const SDL_Rect& r = image->Textures()[frame]->see_through;
  x = r.x, y = r.y, w = r.w, h = r.h;
  return true;
}

void Cls() {
  SDL_Renderer* renderer = internal::Renderer();
  if (!renderer) return;
  const DrawState& s = State();
  const SDL_Color clear{Uint8(std::clamp(s.clear_r, 0, 255)), Uint8(std::clamp(s.clear_g, 0, 255)),
                        Uint8(std::clamp(s.clear_b, 0, 255)), 255};
  internal::CanvasCleared(clear);
  SDL_SetRenderDrawColor(renderer, clear.r, clear.g, clear.b, 255);
  SDL_RenderClear(renderer);
}

void DrawImage(const ImageRef& image, float x, float y, int frame) {
  if (!image || frame < 0 || frame >= image->Frames()) return;
  DrawSubImageRect(image, x, y, float(image->Width()), float(image->Height()), 0, 0, float(image->Width()),
                   float(image->Height()), frame);
}

void DrawSubImageRect(const ImageRef& image, float x, float y, float w, float h, float sx, float sy, float sw,
                      float sh, int frame) {
  if (!image || frame < 0 || frame >= image->Frames() || image->Width() <= 0 || image->Height() <= 0) return;
  Paint paint;
  if (!Prepare(paint, true)) return;
  SDL_Texture* texture = TextureFor(*image, frame, paint);
  if (!texture) return;
  // The handle is in image pixels; it stretches with the piece.
  const float x0 = sw != 0 ? -image->HandleX() * w / sw : -image->HandleX();
  const float y0 = sh != 0 ? -image->HandleY() * h / sh : -image->HandleY();
  const float iw = float(image->Width()), ih = float(image->Height());
  const Placer at(x, y);
  if (internal::SoftwareRenderer() && !paint.masked && at.iy == 0 && at.jx == 0 && at.ix > 0 && at.jy > 0 &&
      sx == std::floor(sx) && sy == std::floor(sy) && sw == std::floor(sw) && sh == std::floor(sh) && sw > 0 &&
      sh > 0) {
    // Upright and scaled: drawn from a copy at its size on the canvas.
    const SDL_FPoint a = at(x0, y0), b = at(x0 + w, y0 + h);
    // The size from the scale alone, so that a sprite moving by fractions keeps it.
    const float cx0 = std::round(a.x), cy0 = std::round(a.y);
    const float cx1 = cx0 + std::round(b.x - a.x), cy1 = cy0 + std::round(b.y - a.y);
    const int cw = int(cx1 - cx0), ch = int(cy1 - cy0);
    if ((cw != int(sw) || ch != int(sh)) && std::fabs(cx0) < 1e6f && std::fabs(cy0) < 1e6f) {
      const SDL_Rect source{int(sx), int(sy), int(sw), int(sh)};
      if (SDL_Texture* copy = ScaledCopy(*image->Textures()[frame], paint.renderer, source, cw, ch)) {
        if (!ApplyClip(paint.renderer)) return;  // making a copy switches SDL's target and loses the clip
        SDL_Vertex v[4] = {{{cx0, cy0}, paint.color, {0, 0}},
                           {{cx1, cy0}, paint.color, {1, 0}},
                           {{cx1, cy1}, paint.color, {1, 1}},
                           {{cx0, cy1}, paint.color, {0, 1}}};
        static const int kIndices[6] = {0, 1, 2, 0, 2, 3};
        Geometry(paint, copy, v, 4, kIndices, 6);
        return;
      }
    }
  }
  Quad(paint, texture, at, x0, y0, x0 + w, y0 + h, sx / iw, sy / ih, (sx + sw) / iw, (sy + sh) / ih);
}

void DrawImageRect(const ImageRef& image, float x, float y, float w, float h, int frame) {
  if (!image) return;
  DrawSubImageRect(image, x, y, w, h, 0, 0, float(image->Width()), float(image->Height()), frame);
}

void TileImage(const ImageRef& image, float x, float y, int frame) {
  if (!image || frame < 0 || frame >= image->Frames()) return;
  const int w = image->Width(), h = image->Height();
  if (w <= 0 || h <= 0) return;
  Paint paint;
  if (!Prepare(paint, true)) return;
  SDL_Texture* texture = TextureFor(*image, frame, paint);
  if (!texture) return;
  const DrawState& s = State();
  // Tiles are neither scaled nor rotated; the first one starts left of and
  // above the viewport so that the pattern stays put as the viewport moves.
  const double px = double(x) + s.origin_x - image->HandleX();
  const double py = double(y) + s.origin_y - image->HandleY();
  const double fx = px - std::floor(px), fy = py - std::floor(py);
  const long long ox = s.vp_x - w + 1, oy = s.vp_y - h + 1;
  long long tx = static_cast<long long>(std::floor(px)) - ox;
  long long ty = static_cast<long long>(std::floor(py)) - oy;
  tx = tx >= 0 ? tx % w + ox : w - (-tx % w) + ox;
  ty = ty >= 0 ? ty % h + oy : h - (-ty % h) + oy;
  const long long right = (long long)s.vp_x + s.vp_w, bottom = (long long)s.vp_y + s.vp_h;
  const float sx = internal::CanvasScaleX(), sy = internal::CanvasScaleY();
  std::vector<SDL_Vertex> v;
  std::vector<int> idx;
  for (long long ty2 = ty; ty2 < bottom; ty2 += h) {
    for (long long tx2 = tx; tx2 < right; tx2 += w) {
      // Whole canvas pixels, so that neighbouring tiles share their edges exactly.
      const float x0 = float(std::round((tx2 + fx) * sx)), y0 = float(std::round((ty2 + fy) * sy));
      const float x1 = float(std::round((tx2 + fx + w) * sx)), y1 = float(std::round((ty2 + fy + h) * sy));
      const int base = int(v.size());
      v.push_back({{x0, y0}, paint.color, {0, 0}});
      v.push_back({{x1, y0}, paint.color, {1, 0}});
      v.push_back({{x1, y1}, paint.color, {1, 1}});
      v.push_back({{x0, y1}, paint.color, {0, 1}});
      idx.insert(idx.end(), {base, base + 1, base + 2, base, base + 2, base + 3});
    }
  }
  if (!v.empty()) Geometry(paint, texture, v.data(), int(v.size()), idx.data(), int(idx.size()));
}

void DrawRect(float x, float y, float w, float h) {
  Paint paint;
  if (!Prepare(paint)) return;
  const DrawState& s = State();
  const float x0 = -s.handle_x, y0 = -s.handle_y;
  Shape(paint, Placer(x, y), {{x0, y0}, {x0 + w, y0}, {x0 + w, y0 + h}, {x0, y0 + h}}, {0, 1, 2, 0, 2, 3});
}

void DrawLine(float x1, float y1, float x2, float y2) {
  Paint paint;
  if (!Prepare(paint)) return;
  const DrawState& s = State();
  // The width is measured across the line as drawn, in virtual units.
  const Placer at(x1, y1);
  const float u0 = -s.handle_x, v0 = -s.handle_y, u1 = x2 - x1 - s.handle_x, v1 = y2 - y1 - s.handle_y;
  const float ax = at.ax + at.ix * u0 + at.iy * v0, ay = at.ay + at.jx * u0 + at.jy * v0;
  const float bx = at.ax + at.ix * u1 + at.iy * v1, by = at.ay + at.jx * u1 + at.jy * v1;
  const float dx = bx - ax, dy = by - ay;
  const float len = std::sqrt(dx * dx + dy * dy);
  if (!(len > 0)) return;
  const float half = (s.line_width > 0 ? s.line_width : 1.0f) * 0.5f;
  const float nx = -dy / len * half, ny = dx / len * half;
  const float cx = at.sx, cy = at.sy;
  const SDL_Vertex v[4] = {
      {{(ax + nx) * cx, (ay + ny) * cy}, paint.color, {0, 0}},
      {{(bx + nx) * cx, (by + ny) * cy}, paint.color, {0, 0}},
      {{(bx - nx) * cx, (by - ny) * cy}, paint.color, {0, 0}},
      {{(ax - nx) * cx, (ay - ny) * cy}, paint.color, {0, 0}},
  };
  static const int kIndices[6] = {0, 1, 2, 0, 2, 3};
  Geometry(paint, nullptr, v, 4, kIndices, 6);
}

void DrawOval(float x, float y, float w, float h) {
  Paint paint;
  if (!Prepare(paint)) return;
  const DrawState& s = State();
  const float rx = w * 0.5f, ry = h * 0.5f;
  const float cx = -s.handle_x + rx, cy = -s.handle_y + ry;
  // Enough segments that the rim looks round at the size it is drawn.
  const float span = (std::fabs(rx) * (std::fabs(s.ix) + std::fabs(s.jx)) +
                      std::fabs(ry) * (std::fabs(s.iy) + std::fabs(s.jy))) *
                     std::max(internal::CanvasScaleX(), internal::CanvasScaleY());
  const int segments = std::clamp(int(span * 0.75f), 12, 256);
  std::vector<SDL_FPoint> pts;
  std::vector<int> idx;
  pts.push_back({cx, cy});
  for (int i = 0; i < segments; ++i) {
    const double a = 2.0 * 3.14159265358979323846 * i / segments;
    pts.push_back({cx + rx * float(std::cos(a)), cy + ry * float(std::sin(a))});
    idx.insert(idx.end(), {0, 1 + i, 1 + (i + 1) % segments});
  }
  Shape(paint, Placer(x, y), pts, idx);
}

void DrawPoly(const std::vector<float>& xy) {
  if (xy.size() < 6) return;
  Paint paint;
  if (!Prepare(paint)) return;
  const DrawState& s = State();
  std::vector<SDL_FPoint> pts;
  for (size_t i = 0; i + 1 < xy.size(); i += 2) pts.push_back({xy[i] - s.handle_x, xy[i + 1] - s.handle_y});
  Shape(paint, Placer(0, 0), pts, Triangulate(pts));
}

namespace {
// The picture's texture for a textured draw, with the vertices placed on the
// canvas in the paint's colour; null when there is nothing to draw.
SDL_Texture* PlacedVertices(const ImageRef& image, int frame, const std::vector<FanVertex>& in, Paint& paint,
                            std::vector<SDL_Vertex>& out) {
  if (!Prepare(paint, true)) return nullptr;
  SDL_Texture* texture = TextureFor(*image, frame, paint);
  if (!texture) return nullptr;
  const DrawState& s = State();
  const float sx = internal::CanvasScaleX(), sy = internal::CanvasScaleY();
  out.resize(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    const FanVertex& p = in[i];
    out[i] = SDL_Vertex{{(p.x + s.origin_x) * sx, (p.y + s.origin_y) * sy}, paint.color, {p.u, p.v}};
  }
  return texture;
}
}  // namespace

void DrawTexturedFan(const ImageRef& image, const std::vector<FanVertex>& fan, int frame) {
  if (!image || fan.size() < 3 || frame < 0 || frame >= image->Frames()) return;
  Paint paint;
  std::vector<SDL_Vertex> v;
  SDL_Texture* texture = PlacedVertices(image, frame, fan, paint, v);
  if (!texture) return;
  std::vector<int> idx;
  for (int i = 1; i + 1 < int(fan.size()); ++i) idx.insert(idx.end(), {0, i, i + 1});
  Geometry(paint, texture, v.data(), int(v.size()), idx.data(), int(idx.size()));
}

void DrawTexturedTriangles(const ImageRef& image, const std::vector<FanVertex>& vertices,
                           const std::vector<int>& indices, int frame) {
  if (!image || vertices.empty() || indices.size() < 3 || frame < 0 || frame >= image->Frames()) return;
  Paint paint;
  static thread_local std::vector<SDL_Vertex> v;
  SDL_Texture* texture = PlacedVertices(image, frame, vertices, paint, v);
  if (!texture) return;
  const int n = int(vertices.size());
  const auto outside = [n](int i) { return i < 0 || i >= n; };
  if (std::none_of(indices.begin(), indices.end(), outside)) {
    Geometry(paint, texture, v.data(), n, indices.data(), int(indices.size() / 3 * 3), true);
    return;
  }
  std::vector<int> kept;
  for (size_t i = 0; i + 2 < indices.size(); i += 3)
    if (!outside(indices[i]) && !outside(indices[i + 1]) && !outside(indices[i + 2]))
      kept.insert(kept.end(), {indices[i], indices[i + 1], indices[i + 2]});
  if (!kept.empty()) Geometry(paint, texture, v.data(), n, kept.data(), int(kept.size()), true);
}

namespace {
ImageFont* CurrentFont() {
  ImageFont* font = State().font.get();
  return font ? font : PlatformFont().get();
}
}  // namespace

void DrawText(const std::string& text, float x, float y) {
  if (ImageFont* font = CurrentFont()) font->Draw(text, x, y);
}

int TextWidth(const std::string& text) {
  ImageFont* font = CurrentFont();
  return font ? font->Width(text) : 0;
}

int TextHeight(const std::string& text) {
  ImageFont* font = CurrentFont();
  return font ? font->Height(text) : 0;
}

}  // namespace platform
