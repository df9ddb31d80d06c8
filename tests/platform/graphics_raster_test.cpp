// The platform's textured triangles and fills against SDL's own software
// renderer on the same canvas: same blend and tint, edges within a pixel. The texel
// mapping is OpenGL's (SDL's software triangles stretch all but the last texel
// row and column over the triangle), checked at the texel centres.
// Neighbouring triangles neither overlap nor leave gaps.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/raster.h"

using platform::internal::RasterTarget;
using platform::internal::RasterTexture;
using platform::internal::RasterTriangles;

namespace {

constexpr int kSize = 96;

// A background with colour and alpha varying over the canvas.
SDL_Surface* Canvas(Uint32 format) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, kSize, kSize, 32, format);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      static_cast<uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] =
          uint32_t(40 + y) << 24 | uint32_t(x * 2) << 16 | uint32_t(y * 2) << 8 | uint32_t(90);
  if (format != SDL_PIXELFORMAT_ARGB8888)
    for (int i = 0; i < kSize * kSize; ++i) static_cast<uint32_t*>(s->pixels)[i] &= 0x00FFFFFFu;
  return s;
}

struct FanVertexCase {
  float x, y, u, v;
};

std::vector<SDL_Vertex> Fan(const std::vector<FanVertexCase>& corners, SDL_Color color, std::vector<int>& indices) {
  std::vector<SDL_Vertex> v;
  for (const auto& c : corners) v.push_back(SDL_Vertex{{c.x, c.y}, color, {c.u, c.v}});
  indices.clear();
  for (int i = 1; i + 1 < int(corners.size()); ++i) indices.insert(indices.end(), {0, i, i + 1});
  return v;
}

// Channels (with alpha when the canvas keeps it) of a pixel within `tolerance`
// of the reference there or at one of its eight neighbours.
bool NearAround(const SDL_Surface* ref, const SDL_Surface* got, int x, int y, int tolerance, bool alpha) {
  const auto at = [](const SDL_Surface* s, int px, int py) {
    return static_cast<const uint32_t*>(s->pixels)[py * (s->pitch / 4) + px];
  };
  const uint32_t g = at(got, x, y);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const int rx = x + dx, ry = y + dy;
      if (rx < 0 || ry < 0 || rx >= kSize || ry >= kSize) continue;
      const uint32_t r = at(ref, rx, ry);
      bool near = true;
      for (int shift = 0; shift < (alpha ? 32 : 24); shift += 8)
        near = near && std::abs(int((r >> shift) & 255) - int((g >> shift) & 255)) <= tolerance;
      if (near) return true;
    }
  return false;
}

TEST(GraphicsRaster, TrianglesMatchSdlsSoftwareRenderer) {
  const std::vector<FanVertexCase> turned = {{48, 8, 0, 0}, {88, 48, 1, 0}, {48, 88, 1, 1}, {8, 48, 0, 1}};
  const std::vector<FanVertexCase> mirrored = {{20, 10, 1, 0}, {80, 18, 0, 0}, {74, 80, 0, 1}, {14, 70, 1, 1}};
  std::vector<FanVertexCase> hexagon = {{48, 48, 0.5f, 0.5f}};
  for (int i = 0; i <= 6; ++i) {
    const double a = i * 3.14159265358979 / 3 + 0.2;
    hexagon.push_back({float(48 + 40 * std::cos(a)), float(48 + 36 * std::sin(a)), float(0.5 + 0.5 * std::cos(a)),
                       float(0.5 + 0.5 * std::sin(a))});
  }
  const std::vector<FanVertexCase> off_canvas = {{-30, -20, 0, 0}, {70, 5, 1, 0}, {120, 130, 1, 1}, {10, 70, 0, 1}};
  struct Case {
    const char* name;
    const std::vector<FanVertexCase>* fan;
    SDL_BlendMode mode;
    SDL_Color color;
    Uint32 format;
    uint32_t texel;
  };
  const Case cases[] = {
      {"blend opaque", &turned, SDL_BLENDMODE_BLEND, {255, 255, 255, 255}, SDL_PIXELFORMAT_ARGB8888, 0xFFC08040u},
      {"blend", &turned, SDL_BLENDMODE_BLEND, {255, 255, 255, 255}, SDL_PIXELFORMAT_ARGB8888, 0xC8C08040u},
      {"blend tinted", &turned, SDL_BLENDMODE_BLEND, {200, 120, 60, 255}, SDL_PIXELFORMAT_ARGB8888, 0x60F0A0FFu},
      {"blend half alpha", &mirrored, SDL_BLENDMODE_BLEND, {255, 180, 255, 128}, SDL_PIXELFORMAT_ARGB8888, 0xFF3070F0u},
      {"blend, no canvas alpha", &hexagon, SDL_BLENDMODE_BLEND, {90, 255, 255, 220}, SDL_PIXELFORMAT_RGB888,
       0xB0FFFFFFu},
      {"add", &turned, SDL_BLENDMODE_ADD, {255, 255, 255, 200}, SDL_PIXELFORMAT_ARGB8888, 0xE0A0C0FFu},
      {"add tinted", &hexagon, SDL_BLENDMODE_ADD, {100, 200, 255, 255}, SDL_PIXELFORMAT_RGB888, 0x80FFFFFFu},
      {"modulate", &mirrored, SDL_BLENDMODE_MOD, {255, 255, 255, 255}, SDL_PIXELFORMAT_ARGB8888, 0x90C060A0u},
      {"copy", &hexagon, SDL_BLENDMODE_NONE, {255, 255, 255, 255}, SDL_PIXELFORMAT_ARGB8888, 0x70C060A0u},
      {"copy tinted", &turned, SDL_BLENDMODE_NONE, {128, 255, 64, 255}, SDL_PIXELFORMAT_RGB888, 0xFFC060A0u},
      {"clipped by the canvas", &off_canvas, SDL_BLENDMODE_BLEND, {255, 255, 255, 255}, SDL_PIXELFORMAT_ARGB8888,
       0xA0C060A0u},
      {"clear texels", &turned, SDL_BLENDMODE_BLEND, {255, 255, 255, 255}, SDL_PIXELFORMAT_ARGB8888, 0x00C060A0u},
      // A texel of 0 stands for no texture: SDL fills in the vertex colour, ours is one white texel.
      {"fill blend", &hexagon, SDL_BLENDMODE_BLEND, {30, 60, 90, 140}, SDL_PIXELFORMAT_ARGB8888, 0},
      {"fill add", &turned, SDL_BLENDMODE_ADD, {200, 60, 90, 200}, SDL_PIXELFORMAT_RGB888, 0},
      {"fill modulate", &mirrored, SDL_BLENDMODE_MOD, {200, 100, 50, 255}, SDL_PIXELFORMAT_ARGB8888, 0},
      {"fill copy", &turned, SDL_BLENDMODE_NONE, {10, 250, 120, 255}, SDL_PIXELFORMAT_RGB888, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> indices;
    const std::vector<SDL_Vertex> v = Fan(*c.fan, c.color, indices);
    const std::vector<uint32_t> texels(64, c.texel);

    SDL_Surface* ref = Canvas(c.format);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(ref);
    ASSERT_NE(renderer, nullptr);
    const bool fill = c.texel == 0;
    SDL_Texture* texture = nullptr;
    if (fill) {
      SDL_SetRenderDrawBlendMode(renderer, c.mode);
    } else {
      texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 8, 8);
      SDL_UpdateTexture(texture, nullptr, texels.data(), 32);
      SDL_SetTextureBlendMode(texture, c.mode);
    }
    SDL_RenderGeometry(renderer, texture, v.data(), int(v.size()), indices.data(), int(indices.size()));
    SDL_RenderFlush(renderer);

    SDL_Surface* got = Canvas(c.format);
    const SDL_Surface* before = Canvas(c.format);
    RasterTarget target{static_cast<uint32_t*>(got->pixels), got->pitch / 4, c.format == SDL_PIXELFORMAT_ARGB8888,
                        SDL_Rect{0, 0, kSize, kSize}};
    const uint32_t white = 0xFFFFFFFFu;
    const RasterTexture source = fill ? RasterTexture{&white, 1, 1, 1} : RasterTexture{texels.data(), 8, 8, 8};
    ASSERT_TRUE(RasterTriangles(target, source, v.data(), int(v.size()), indices.data(), int(indices.size()), c.mode,
                                c.color));

    int off = 0, changed = 0;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        off += !NearAround(ref, got, x, y, 2, target.alpha);
        changed += !NearAround(before, got, x, y, 0, target.alpha);
      }
    EXPECT_EQ(off, 0);
    if (fill || c.texel >> 24 != 0 || c.mode == SDL_BLENDMODE_NONE) {
      EXPECT_GT(changed, 1000) << "the triangles drew nothing";
    }
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(ref);
    SDL_FreeSurface(got);
    SDL_FreeSurface(const_cast<SDL_Surface*>(before));
  }
}

// Unscaled upright copies of part of a picture, read row by row, against
// SDL's own blits: same pixels, cut by the canvas and the clip.
TEST(GraphicsRaster, UprightCopiesMatchSdlsBlits) {
  std::vector<uint32_t> texels(24 * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 24; ++x) {
      const uint32_t a = (x + y) % 4 == 0 ? 0 : (x + y) % 4 == 1 ? 96 : (x + y) % 4 == 2 ? 200 : 255;
      texels[y * 24 + x] = a << 24 | uint32_t(x * 10) << 16 | uint32_t(y * 15) << 8 | 0x40;
    }
  struct Case {
    const char* name;
    SDL_BlendMode mode;
    SDL_Color color;
    Uint32 format;
    SDL_Rect at;  // where the 18 x 13 texels from (3, 2) go
  };
  const Case cases[] = {
      {"blend", SDL_BLENDMODE_BLEND, {255, 255, 255, 255}, SDL_PIXELFORMAT_ARGB8888, {30, 40, 18, 13}},
      {"blend tinted, faded", SDL_BLENDMODE_BLEND, {90, 200, 255, 150}, SDL_PIXELFORMAT_RGB888, {30, 40, 18, 13}},
      {"add", SDL_BLENDMODE_ADD, {255, 120, 255, 255}, SDL_PIXELFORMAT_ARGB8888, {30, 40, 18, 13}},
      {"modulate", SDL_BLENDMODE_MOD, {255, 255, 255, 255}, SDL_PIXELFORMAT_RGB888, {30, 40, 18, 13}},
      {"copy tinted", SDL_BLENDMODE_NONE, {100, 255, 30, 255}, SDL_PIXELFORMAT_ARGB8888, {30, 40, 18, 13}},
      {"past the left and top", SDL_BLENDMODE_BLEND, {255, 255, 255, 255}, SDL_PIXELFORMAT_ARGB8888, {-7, -4, 18, 13}},
      {"past the right and bottom", SDL_BLENDMODE_BLEND, {255, 255, 255, 255}, SDL_PIXELFORMAT_RGB888,
       {85, 90, 18, 13}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SDL_Surface* ref = Canvas(c.format);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(ref);
    ASSERT_NE(renderer, nullptr);
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 24, 16);
    SDL_UpdateTexture(texture, nullptr, texels.data(), 24 * 4);
    SDL_SetTextureBlendMode(texture, c.mode);
    SDL_SetTextureColorMod(texture, c.color.r, c.color.g, c.color.b);
    SDL_SetTextureAlphaMod(texture, c.color.a);
    const SDL_Rect from{3, 2, 18, 13};
    SDL_RenderCopy(renderer, texture, &from, &c.at);
    SDL_RenderFlush(renderer);

    SDL_Surface* got = Canvas(c.format);
    SDL_Surface* before = Canvas(c.format);
    RasterTarget target{static_cast<uint32_t*>(got->pixels), got->pitch / 4, c.format == SDL_PIXELFORMAT_ARGB8888,
                        SDL_Rect{0, 0, kSize, kSize}};
    ASSERT_TRUE(platform::internal::RasterCopy(target, RasterTexture{texels.data(), 24, 16, 24}, c.at.x, c.at.y,
                                               c.at.w, c.at.h, from.x, from.y, c.mode, c.color));
    int off = 0, changed = 0;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        off += !NearAround(ref, got, x, y, 2, target.alpha);
        changed += !NearAround(before, got, x, y, 0, target.alpha);
      }
    EXPECT_EQ(off, 0);
    EXPECT_GT(changed, 20) << "the copy drew nothing";
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(ref);
    SDL_FreeSurface(got);
    SDL_FreeSurface(before);
  }

  // A clip cuts the copy; a mode it cannot draw is refused.
  std::vector<uint32_t> canvas(kSize * kSize, 0);
  RasterTarget clipped{canvas.data(), kSize, true, SDL_Rect{35, 45, 5, 4}};
  ASSERT_TRUE(platform::internal::RasterCopy(clipped, RasterTexture{texels.data(), 24, 16, 24}, 30, 40, 18, 13, 3, 2,
                                             SDL_BLENDMODE_NONE, SDL_Color{255, 255, 255, 255}));
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const bool in = x >= 35 && x < 40 && y >= 45 && y < 49;
      EXPECT_EQ(canvas[y * kSize + x], in ? texels[(y - 40 + 2) * 24 + (x - 30 + 3)] : 0u) << x << "," << y;
    }
  EXPECT_FALSE(platform::internal::RasterCopy(clipped, RasterTexture{texels.data(), 24, 16, 24}, 30, 40, 18, 13, 3,
                                              2, SDL_BLENDMODE_MUL, SDL_Color{255, 255, 255, 255}));
}

// Each texel's centre, mapped through a turned, mirrored quad, shows that texel.
TEST(GraphicsRaster, TexelCentresLandWhereTheirCoordinatesMapThem) {
  std::vector<uint32_t> texels(64);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) texels[y * 8 + x] = 0xFF000000u | uint32_t(x * 32) << 16 | uint32_t(y * 32) << 8;
  // Corners (u, v): (1, 0) at p, (0, 0) at p + a, (1, 1) at p + b: a parallelogram.
  const float px = 20, py = 6, ax = 60, ay = 14, bx = -10, by = 70;
  const SDL_Color white{255, 255, 255, 255};
  const SDL_Vertex v[4] = {{{px, py}, white, {1, 0}},
                           {{px + ax, py + ay}, white, {0, 0}},
                           {{px + ax + bx, py + ay + by}, white, {0, 1}},
                           {{px + bx, py + by}, white, {1, 1}}};
  const int indices[6] = {0, 1, 2, 0, 2, 3};
  std::vector<uint32_t> canvas(kSize * kSize, 0);
  RasterTarget target{canvas.data(), kSize, true, SDL_Rect{0, 0, kSize, kSize}};
  ASSERT_TRUE(RasterTriangles(target, RasterTexture{texels.data(), 8, 8, 8}, v, 4, indices, 6, SDL_BLENDMODE_BLEND,
                              white));
  for (int ty = 0; ty < 8; ++ty)
    for (int tx = 0; tx < 8; ++tx) {
      const float u = (tx + 0.5f) / 8, w = (ty + 0.5f) / 8;
      const int x = int(px + (1 - u) * ax + w * bx), y = int(py + (1 - u) * ay + w * by);
      EXPECT_EQ(canvas[y * kSize + x], texels[ty * 8 + tx]) << "texel " << tx << "," << ty;
    }
}

// A fan of many thin triangles added over black: every pixel inside is added
// exactly once, none twice and none left out; nothing lands outside the clip.
TEST(GraphicsRaster, FanTrianglesShareEdgesExactlyAndKeepToTheClip) {
  std::vector<uint32_t> canvas(kSize * kSize, 0);
  const uint32_t texel = 0xFF282828u;
  const SDL_Color white{255, 255, 255, 255};
  std::vector<SDL_Vertex> v{{{48.3f, 47.7f}, white, {0, 0}}};
  constexpr int kSpokes = 37;
  for (int i = 0; i <= kSpokes; ++i) {
    const double a = 2 * 3.14159265358979 * i / kSpokes;
    v.push_back({{float(48.3 + 40 * std::cos(a)), float(47.7 + 40 * std::sin(a))}, white, {1, 1}});
  }
  std::vector<int> indices;
  for (int i = 1; i <= kSpokes; ++i) indices.insert(indices.end(), {0, i, i + 1});
  const SDL_Rect clip{10, 20, 70, 60};
  RasterTarget target{canvas.data(), kSize, false, clip};
  ASSERT_TRUE(RasterTriangles(target, RasterTexture{&texel, 1, 1, 1}, v.data(), int(v.size()), indices.data(),
                              int(indices.size()), SDL_BLENDMODE_ADD, white));
  int inside = 0;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const uint32_t p = canvas[y * kSize + x];
      const bool in_clip = x >= clip.x && y >= clip.y && x < clip.x + clip.w && y < clip.y + clip.h;
      const double r = std::hypot(x + 0.5 - 48.3, y + 0.5 - 47.7);
      ASSERT_TRUE(p == 0 || p == 0x282828u) << "drawn twice at " << x << "," << y;
      if (!in_clip) {
        ASSERT_EQ(p, 0u) << "outside the clip at " << x << "," << y;
      } else if (r < 38) {
        ASSERT_EQ(p, 0x282828u) << "a gap at " << x << "," << y;
      }
      inside += p != 0;
    }
  EXPECT_GT(inside, 3000);

  const SDL_Vertex nan_corner[3] = {{{NAN, 5}, white, {0, 0}}, {{50, 5}, white, {1, 0}}, {{5, 50}, white, {0, 1}}};
  const int bad[6] = {0, 1, 2, 0, 1, 7};  // a corner that is not a number, an index out of range
  std::vector<uint32_t> untouched = canvas;
  EXPECT_TRUE(RasterTriangles(target, RasterTexture{&texel, 1, 1, 1}, nan_corner, 3, bad, 6, SDL_BLENDMODE_ADD, white));
  EXPECT_EQ(canvas, untouched);
  EXPECT_FALSE(RasterTriangles(target, RasterTexture{&texel, 1, 1, 1}, v.data(), int(v.size()), indices.data(),
                               int(indices.size()), SDL_BLENDMODE_MUL, white));
}

// A fill is the two triangles of its rectangle, pixel for pixel: on both
// canvas formats, cut by the clip, with widths that leave part of a group of four.
TEST(GraphicsRaster, FillsMatchTheTrianglesOfTheirRectangle) {
  const uint32_t white_texel = 0xFFFFFFFFu;
  struct Case {
    SDL_Color color;
    Uint32 format;
    SDL_Rect at;
  };
  const Case cases[] = {
      {{0, 0, 0, 90}, SDL_PIXELFORMAT_RGB888, {0, 0, kSize, kSize}},
      {{200, 40, 130, 1}, SDL_PIXELFORMAT_ARGB8888, {5, 7, 13, 9}},
      {{255, 255, 255, 255}, SDL_PIXELFORMAT_ARGB8888, {30, 31, 3, 2}},
      {{10, 250, 90, 170}, SDL_PIXELFORMAT_RGB888, {-6, 80, 41, 40}},
  };
  const SDL_Rect clip{2, 3, kSize - 9, kSize - 4};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.at.x) + "," + std::to_string(c.at.y));
    SDL_Surface* ref = Canvas(c.format);
    SDL_Surface* got = Canvas(c.format);
    const bool alpha = c.format == SDL_PIXELFORMAT_ARGB8888;
    const float x0 = float(c.at.x), y0 = float(c.at.y), x1 = x0 + c.at.w, y1 = y0 + c.at.h;
    const SDL_Vertex v[4] = {{{x0, y0}, c.color, {0, 0}}, {{x1, y0}, c.color, {0, 0}},
                             {{x1, y1}, c.color, {0, 0}}, {{x0, y1}, c.color, {0, 0}}};
    const int indices[6] = {0, 1, 2, 0, 2, 3};
    ASSERT_TRUE(RasterTriangles(RasterTarget{static_cast<uint32_t*>(ref->pixels), ref->pitch / 4, alpha, clip},
                                RasterTexture{&white_texel, 1, 1, 1}, v, 4, indices, 6, SDL_BLENDMODE_BLEND, c.color));
    ASSERT_TRUE(platform::internal::RasterFill(
        RasterTarget{static_cast<uint32_t*>(got->pixels), got->pitch / 4, alpha, clip}, c.at.x, c.at.y, c.at.w,
        c.at.h, SDL_BLENDMODE_BLEND, c.color));
    EXPECT_EQ(std::memcmp(ref->pixels, got->pixels, size_t(ref->pitch) * kSize), 0);
    SDL_FreeSurface(ref);
    SDL_FreeSurface(got);
  }
  std::vector<uint32_t> canvas(kSize * kSize, 0);
  EXPECT_FALSE(platform::internal::RasterFill(RasterTarget{canvas.data(), kSize, true, clip}, 0, 0, 10, 10,
                                              SDL_BLENDMODE_ADD, SDL_Color{1, 2, 3, 4}))
      << "only blending is filled here";
}

}  // namespace
