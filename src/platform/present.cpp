// Showing the software renderer's canvas in a window. Stretching the whole
// canvas onto a full-screen window and sending it to the display server every
// tick cost more than drawing the frame: here the canvas is compared with the
// frame last shown, band by band, and only the bands that changed are
// stretched (nearest pixel) into the window surface and sent. A canvas shown
// at its own size is compared with the window surface itself, which holds
// the frame last shown, and its changed bands are copied row by row.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/sdl_internal.h"

namespace platform::internal {

namespace {

constexpr int kBand = 16;  // canvas rows compared and sent together
constexpr int kTile = 64;  // canvas columns compared together within a band

struct Shown {
  const uint32_t* frame = nullptr;    // the canvas being shown
  int pitch = 0;                      // its row length, in pixels
  std::vector<uint32_t> last;         // canvas pixels of the frame last shown, when stretched
  uint32_t* seen = nullptr;           // the frame last shown: `last`, or the window's own pixels
  int seen_pitch = 0;                 // its row length, in pixels
  bool direct = false;                // shown at its own size: `seen` is the window surface
  SDL_Surface* surface = nullptr;
  int surface_w = 0, surface_h = 0;
  int canvas_w = 0, canvas_h = 0;
  SDL_Rect box{0, 0, 0, 0};
  std::vector<int> src_x, src_y;      // per window column / row of the box: the canvas one
  std::vector<int> first_x, first_y;  // per canvas column / row (and one past): its first window one
  bool repaint = true;
};

Shown g_shown;

// Centre sampling, as the canvas grabs read a smaller canvas. `first` holds,
// for each canvas pixel and one past the last, the first window pixel at or after it.
void Map(int canvas, int out, std::vector<int>& src, std::vector<int>& first) {
  src.resize(out);
  for (int d = 0; d < out; ++d) src[d] = std::min(int((2 * int64_t(d) + 1) * canvas / (2 * int64_t(out))), canvas - 1);
  first.resize(canvas + 1);
  int d = 0;
  for (int c = 0; c <= canvas; ++c) {
    while (d < out && src[d] < c) ++d;
    first[c] = d;
  }
}

// Stretches canvas rows [y0, y1) and columns [x0, x1) into the window surface;
// the window rectangle it covered, empty when it covers none.
SDL_Rect Stretch(const Shown& s, int x0, int x1, int y0, int y1) {
  const int dx0 = s.first_x[x0], dx1 = s.first_x[x1];
  const int dy0 = s.first_y[y0], dy1 = s.first_y[y1];
  if (dx1 <= dx0 || dy1 <= dy0) return SDL_Rect{0, 0, 0, 0};
  auto* base = static_cast<uint8_t*>(s.surface->pixels);
  const int pitch = s.surface->pitch;
  for (int dy = dy0; dy < dy1; ++dy) {
    auto* out = reinterpret_cast<uint32_t*>(base + size_t(dy + s.box.y) * pitch) + s.box.x;
    if (dy > dy0 && s.src_y[dy] == s.src_y[dy - 1]) {
      const auto* above = reinterpret_cast<const uint32_t*>(base + size_t(dy - 1 + s.box.y) * pitch) + s.box.x;
      std::memcpy(out + dx0, above + dx0, size_t(dx1 - dx0) * 4);
      continue;
    }
    const uint32_t* in = s.frame + size_t(s.src_y[dy]) * s.pitch;
    for (int dx = dx0; dx < dx1; ++dx) out[dx] = in[s.src_x[dx]];
  }
  return SDL_Rect{dx0 + s.box.x, dy0 + s.box.y, dx1 - dx0, dy1 - dy0};
}

bool BandTileChanged(const Shown& s, int tx, int y0, int y1) {
  const int x0 = tx * kTile, w = std::min(kTile, s.canvas_w - x0);
  for (int y = y0; y < y1; ++y) {
    if (std::memcmp(s.frame + size_t(y) * s.pitch + x0, s.seen + size_t(y) * s.seen_pitch + x0, size_t(w) * 4) != 0)
      return true;
  }
  return false;
}

// Canvas columns [x0, x1) of rows [y0, y1) are now what the window shows.
void Remember(Shown& s, int x0, int x1, int y0, int y1) {
  for (int y = y0; y < y1; ++y)
    std::memcpy(s.seen + size_t(y) * s.seen_pitch + x0, s.frame + size_t(y) * s.pitch + x0, size_t(x1 - x0) * 4);
}

}  // namespace

void RepaintWindow() { g_shown.repaint = true; }

bool PresentSoftwareCanvas(SDL_Window* window, const SDL_Surface* canvas, const SDL_Rect& box) {
  // Until this frame is shown here, whatever else shows the window leaves our copy of it stale.
  bool all = g_shown.repaint;
  g_shown.repaint = true;
  const Uint32 format = canvas->format->format;
  const int cw = canvas->w, ch = canvas->h;
  if (SDL_BYTESPERPIXEL(format) != 4) return false;
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (!surface || surface->format->format != format || box.w <= 0 || box.h <= 0 || box.x < 0 || box.y < 0 ||
      box.x + box.w > surface->w || box.y + box.h > surface->h)
    return false;
  Shown& s = g_shown;
  if (surface != s.surface || surface->w != s.surface_w || surface->h != s.surface_h || cw != s.canvas_w ||
      ch != s.canvas_h || !SDL_RectEquals(&box, &s.box)) {
    s.surface = surface;
    s.surface_w = surface->w;
    s.surface_h = surface->h;
    s.canvas_w = cw;
    s.canvas_h = ch;
    s.box = box;
    Map(cw, box.w, s.src_x, s.first_x);
    Map(ch, box.h, s.src_y, s.first_y);
    s.direct = box.w == cw && box.h == ch;
    if (s.direct) {
      std::vector<uint32_t>().swap(s.last);
    } else {
      s.last.assign(size_t(cw) * ch, 0);
    }
    all = true;
  }
  if (s.direct) {
    auto* top = static_cast<uint8_t*>(surface->pixels) + size_t(box.y) * surface->pitch;
    s.seen = reinterpret_cast<uint32_t*>(top) + box.x;
    s.seen_pitch = surface->pitch / 4;
  } else {
    s.seen = s.last.data();
    s.seen_pitch = cw;
  }
  s.frame = static_cast<const uint32_t*>(canvas->pixels);
  s.pitch = canvas->pitch / 4;
  s.repaint = false;
  if (all) {
    // Bars where the canvas leaves room (full screen on another aspect).
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
  }
  std::vector<SDL_Rect> rects;
  const int tiles = (cw + kTile - 1) / kTile;
  int run_x0 = -1, run_x1 = -1, run_y0 = 0;
  auto flush = [&](int y_end) {
    if (run_x0 < 0) return;
    if (s.direct) {
      Remember(s, run_x0, run_x1, run_y0, y_end);
      rects.push_back(SDL_Rect{run_x0 + s.box.x, run_y0 + s.box.y, run_x1 - run_x0, y_end - run_y0});
    } else {
      const SDL_Rect r = Stretch(s, run_x0, run_x1, run_y0, y_end);
      if (r.w > 0 && r.h > 0) rects.push_back(r);
      Remember(s, run_x0, run_x1, run_y0, y_end);
    }
    run_x0 = -1;
  };
  for (int y0 = 0; y0 < ch; y0 += kBand) {
    const int y1 = std::min(ch, y0 + kBand);
    int first = -1, last = -1;
    for (int t = 0; t < tiles; ++t) {
      if (all || BandTileChanged(s, t, y0, y1)) {
        if (first < 0) first = t;
        last = t;
      }
    }
    const int x0 = first < 0 ? -1 : first * kTile, x1 = first < 0 ? -1 : std::min(cw, (last + 1) * kTile);
    // Bands that changed over the same columns are sent as one rectangle.
    if (x0 != run_x0 || x1 != run_x1) {
      flush(y0);
      if (x0 >= 0) {
        run_x0 = x0;
        run_x1 = x1;
        run_y0 = y0;
      }
    }
  }
  flush(ch);
  s.frame = nullptr;
  if (all) {
    SDL_UpdateWindowSurface(window);
  } else if (!rects.empty()) {
    SDL_UpdateWindowSurfaceRects(window, rects.data(), int(rects.size()));
  }
  return true;
}

}  // namespace platform::internal
