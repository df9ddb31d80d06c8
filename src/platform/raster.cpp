#include "platform/raster.h"

#include <algorithm>
#include <cmath>

namespace platform::internal {

namespace {

struct Corner {
  double x, y, u, v;  // canvas pixels, texels
};

bool Before(const Corner& a, const Corner& b) { return a.y < b.y || (a.y == b.y && a.x < b.x); }

// Where the edge from p to q (p above q) crosses the row whose centre is at y.
// Both triangles on an edge compute it from the same ends in the same order,
// so they agree on the exact pixel boundary.
double EdgeX(const Corner& p, const Corner& q, double y) { return p.x + (y - p.y) * (q.x - p.x) / (q.y - p.y); }

enum class Mode { None, Blend, Add, Mod };

struct Tint {
  uint32_t r = 255, g = 255, b = 255, a = 255;
};

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

  const SDL_Rect& clip = s.target->clip;
  const RasterTexture& tex = *s.texture;
  // Pixel rows and columns whose centres fall inside: from ceil(edge - 0.5) up to but not including the far edge.
  const double y_first = std::max(std::ceil(a.y - 0.5), double(clip.y));
  const double y_end = std::min(std::ceil(c.y - 0.5), double(clip.y + clip.h));
  const int64_t tw = tex.width, th = tex.height;
  constexpr double kOne = 65536.0;
  for (int y = int(y_first); y < int(y_end); ++y) {
    const double py = y + 0.5;
    const double x_long = EdgeX(a, c, py);
    const double x_short = py < b.y ? EdgeX(a, b, py) : EdgeX(b, c, py);
    const double left = short_left ? x_short : x_long, right = short_left ? x_long : x_short;
    const double x_first = std::max(std::ceil(left - 0.5), double(clip.x));
    const double x_end = std::min(std::ceil(right - 0.5), double(clip.x + clip.w));
    if (!(x_first < x_end)) continue;
    const int x0 = int(x_first), x1 = int(x_end);
    const double px = x0 + 0.5;
    const double u = std::clamp(a.u + dudx * (px - a.x) + dudy * (py - a.y), -1e6, 1e6);
    const double v = std::clamp(a.v + dvdx * (px - a.x) + dvdy * (py - a.y), -1e6, 1e6);
    int64_t fu = int64_t(std::floor(u * kOne)), fv = int64_t(std::floor(v * kOne));
    const int64_t su = int64_t(std::llround(std::clamp(dudx, -1e4, 1e4) * kOne));
    const int64_t sv = int64_t(std::llround(std::clamp(dvdx, -1e4, 1e4) * kOne));
    uint32_t* out = s.target->pixels + size_t(y) * s.target->pitch;
    for (int x = x0; x < x1; ++x, fu += su, fv += sv) {
      const int64_t tx = std::clamp<int64_t>(fu >> 16, 0, tw - 1);
      const int64_t ty = std::clamp<int64_t>(fv >> 16, 0, th - 1);
      Put<M, Modulate, KeepAlpha>(out[x], tex.pixels[ty * tex.pitch + tx], s.tint);
    }
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

}  // namespace

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
