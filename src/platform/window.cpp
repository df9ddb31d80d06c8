#include "platform/window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/graphics_state.h"
#include "platform/sdl_internal.h"

namespace platform {

namespace {

struct Device {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* canvas = nullptr;  // not with the software renderer
  SDL_Surface* frame = nullptr;   // the software renderer's canvas
  bool raster = false;            // the rasteriser may draw into it
  int width = 0, height = 0;             // the mode
  int canvas_w = 0, canvas_h = 0;        // the canvas texture
  int virtual_w = 800, virtual_h = 600;
  float scale_x = 1.0f, scale_y = 1.0f;  // virtual to canvas
  int vsync = -1;  // unknown until the first flip
  std::string renderer_name;
  bool software = false;
};

Device g_dev;
uint64_t g_generation = 1;
Backend g_backend = Backend::Default;
std::string g_title = "Kelp";
PixmapRef g_icon;

bool InitVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "Graphics: no video: %s\n", SDL_GetError());
    return false;
  }
  return true;
}

int DriverIndex(const char* name) {
  const int n = SDL_GetNumRenderDrivers();
  for (int i = 0; i < n; ++i) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(i, &info) == 0 && std::strcmp(info.name, name) == 0) return i;
  }
  return -1;
}

// True when an OpenGL renderer draws on the CPU (Mesa's llvmpipe and the like):
// there the software renderer costs a fraction of the CPU time.
bool GlRasterisesOnCpu(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
  using GetString = const unsigned char* (*)(unsigned int);
  auto get_string = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  if (!get_string) return false;
  const unsigned char* name = get_string(0x1F01);  // GL_RENDERER
  if (!name) return false;
  const std::string gl = reinterpret_cast<const char*>(name);
  for (const char* cpu : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"})
    if (gl.find(cpu) != std::string::npos) return true;
  return false;
}

// Without a graphics device node, OpenGL can only rasterise on the CPU; asking
// it costs a context, which maps the whole shader compiler (some 50 MiB resident).
bool NoGraphicsDevice() {
  std::error_code ec;
  if (std::filesystem::exists("/dev/nvidia0", ec)) return false;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("card", 0) == 0 || name.rfind("renderD", 0) == 0) return false;
  }
  return true;
}

// An accelerated renderer for the window, or null with `software` set when
// the software renderer should draw instead.
SDL_Renderer* MakeRenderer(SDL_Window* window, Backend backend, bool& software) {
  software = false;
  switch (backend) {
    case Backend::OpenGL: {
      const int index = DriverIndex("opengl");
      if (index < 0) return nullptr;
      return SDL_CreateRenderer(window, index, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    }
    case Backend::Software:
      software = true;
      return nullptr;
    case Backend::Default:
    default: {
      if (NoGraphicsDevice()) {
        std::fprintf(stderr, "Graphics: no graphics device here, using the software renderer\n");
        software = true;
        return nullptr;
      }
      SDL_Renderer* r = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
      if (r && GlRasterisesOnCpu(r)) {
        std::fprintf(stderr, "Graphics: OpenGL draws on the CPU here, using the software renderer\n");
        SDL_DestroyRenderer(r);
        software = true;
        return nullptr;
      }
      return r;
    }
  }
}

SDL_Texture* MakeCanvas(SDL_Renderer* renderer, int width, int height) {
  SDL_Texture* canvas = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
  if (!canvas) return nullptr;
  if (SDL_SetRenderTarget(renderer, canvas) != 0) {
    SDL_DestroyTexture(canvas);
    return nullptr;
  }
  SDL_SetTextureBlendMode(canvas, SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(canvas, SDL_ScaleModeLinear);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  return canvas;
}

// The rasteriser reads texels through a texture lock, which SDL promises for
// writing only: it is used where the lock shows what was uploaded.
bool TexturesReadable(SDL_Renderer* renderer) {
  SDL_Texture* t = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, 2, 1);
  if (!t) return false;
  const uint32_t want[2] = {0x12345678u, 0x9ABCDEF0u};
  void* pixels = nullptr;
  int pitch = 0;
  bool ok = SDL_UpdateTexture(t, nullptr, want, 8) == 0 && SDL_LockTexture(t, nullptr, &pixels, &pitch) == 0;
  if (ok) {
    ok = std::memcmp(pixels, want, 8) == 0;
    SDL_UnlockTexture(t);
  }
  SDL_DestroyTexture(t);
  return ok;
}

// The software renderer draws into a surface of ours, the canvas, so that the
// platform's rasteriser can draw into the same pixels. In the window's own
// format it is shown without converting each pixel.
bool MakeSoftwareCanvas(int width, int height) {
  Uint32 format = SDL_PIXELFORMAT_ARGB8888;
  if (g_dev.window) {
    const Uint32 f = SDL_GetWindowPixelFormat(g_dev.window);
    if (SDL_BYTESPERPIXEL(f) == 4 && !SDL_ISPIXELFORMAT_FOURCC(f) && !SDL_ISPIXELFORMAT_ALPHA(f)) format = f;
  }
  SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format);
  if (!frame) return false;
  SDL_SetSurfaceBlendMode(frame, SDL_BLENDMODE_NONE);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(frame);
  if (!renderer) {
    SDL_FreeSurface(frame);
    return false;
  }
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  g_dev.frame = frame;
  g_dev.renderer = renderer;
  g_dev.canvas_w = width;
  g_dev.canvas_h = height;
  g_dev.raster = (format == SDL_PIXELFORMAT_ARGB8888 || format == SDL_PIXELFORMAT_RGB888) && TexturesReadable(renderer);
  return true;
}

void ApplyIcon() {
  if (!g_dev.window || !g_icon || g_icon->Width() <= 0) return;
  const Pixmap& icon = *g_icon;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(icon.Pixels()), icon.Width(),
                                                            icon.Height(), 32, icon.Width() * 4,
                                                            SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return;
  SDL_SetWindowIcon(g_dev.window, surface);
  SDL_FreeSurface(surface);
}

// Where the canvas goes inside an area of w x h: scaled to fit, aspect kept, centred.
SDL_FRect Letterbox(int w, int h) {
  const float s = std::min(float(w) / g_dev.width, float(h) / g_dev.height);
  const float cw = g_dev.width * s, ch = g_dev.height * s;
  return SDL_FRect{(w - cw) * 0.5f, (h - ch) * 0.5f, cw, ch};
}

}  // namespace

namespace internal {

SDL_Window* Window() { return g_dev.window; }
SDL_Renderer* Renderer() { return g_dev.renderer; }
SDL_Texture* Canvas() { return g_dev.canvas; }
SDL_Surface* SoftwareCanvas() { return g_dev.frame; }
bool RasterReady() { return g_dev.raster && g_dev.frame; }
int CanvasWidth() { return g_dev.canvas_w; }
int CanvasHeight() { return g_dev.canvas_h; }
bool SoftwareRenderer() { return g_dev.software; }
float CanvasScaleX() { return g_dev.scale_x; }
float CanvasScaleY() { return g_dev.scale_y; }
uint64_t RendererGeneration() { return g_generation; }

}  // namespace internal

void SetGraphicsBackend(Backend backend) { g_backend = backend; }
Backend GraphicsBackend() { return g_backend; }

DesktopMode GetDesktopMode() {
  DesktopMode mode;
  SDL_DisplayMode dm;
  if (!InitVideo() || SDL_GetDesktopDisplayMode(0, &dm) != 0) return mode;
  if (dm.w > 0 && dm.h > 0) {
    mode.width = dm.w;
    mode.height = dm.h;
  }
  const int bits = static_cast<int>(SDL_BITSPERPIXEL(dm.format));
  mode.depth = bits >= 24 ? 32 : (bits > 0 ? bits : 32);
  mode.refresh = dm.refresh_rate > 0 ? dm.refresh_rate : 60;
  return mode;
}

bool OpenGraphics(int width, int height, int depth, int /*refresh*/, bool headless) {
  CloseGraphics();
  if (width <= 0 || height <= 0) {
    std::fprintf(stderr, "Graphics: bad mode %dx%d\n", width, height);
    return false;
  }
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  // The software renderer's window is shown through the system's shared-memory
  // image, not an OpenGL texture: without a graphics card, the texture costs
  // ten times the CPU. (The environment still overrides it.)
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  bool software = headless;
  if (!headless) {
    if (!InitVideo()) return false;
    Uint32 flags = SDL_WINDOW_SHOWN;
    int ww = width, wh = height;
    if (depth != 0) {
      flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
      // Made at the desktop's size from the start: without a window manager
      // nobody grows a smaller window to full screen, while SDL draws as if
      // it had (an 800 x 600 game on a 1024 x 768 desktop showed the top left
      // of a stretched frame in a centred 800 x 600 window).
      const DesktopMode desktop = GetDesktopMode();
      if (desktop.width > 0 && desktop.height > 0) {
        ww = desktop.width;
        wh = desktop.height;
      }
    }
    if (g_backend == Backend::OpenGL) flags |= SDL_WINDOW_OPENGL;
    g_dev.window = SDL_CreateWindow(g_title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, ww, wh, flags);
    if (!g_dev.window) {
      std::fprintf(stderr, "Graphics: cannot open a %dx%d window: %s\n", width, height, SDL_GetError());
      return false;
    }
    g_dev.renderer = MakeRenderer(g_dev.window, g_backend, software);
    if (!g_dev.renderer && !software) {
      std::fprintf(stderr, "Graphics: renderer failed (%s), using the software renderer\n", SDL_GetError());
      software = true;
    }
  }
  g_dev.width = g_dev.canvas_w = width;
  g_dev.height = g_dev.canvas_h = height;
  if (g_dev.renderer) {
    g_dev.canvas = MakeCanvas(g_dev.renderer, width, height);
    if (!g_dev.canvas) {
      // A renderer that cannot draw into textures is no use: take the software one.
      SDL_DestroyRenderer(g_dev.renderer);
      g_dev.renderer = nullptr;
      software = true;
    }
  }
  if (software && !MakeSoftwareCanvas(width, height)) g_dev.renderer = nullptr;
  if (!g_dev.renderer || (!g_dev.canvas && !g_dev.frame)) {
    std::fprintf(stderr, "Graphics: cannot make the canvas: %s\n", SDL_GetError());
    CloseGraphics();
    return false;
  }
  SDL_RendererInfo info;
  g_dev.renderer_name = SDL_GetRendererInfo(g_dev.renderer, &info) == 0 ? info.name : "";
  g_dev.software = g_dev.renderer_name == "software";
  ++g_generation;
  internal::ForgetClip();
  ApplyIcon();
  SetVirtualResolution(width, height);
  return true;
}

void CloseGraphics() {
  // Pixels that only textures hold come back first: textures die with their
  // renderer, and the new generation tells images so.
  if (g_dev.renderer) internal::ReadBackAllDroppedPixels();
  ++g_generation;
  if (g_dev.renderer) {
    // Destroying a renderer while a texture is its target leaks in SDL 2.26.
    SDL_SetRenderTarget(g_dev.renderer, nullptr);
    if (g_dev.canvas) SDL_DestroyTexture(g_dev.canvas);
    SDL_DestroyRenderer(g_dev.renderer);
  }
  if (g_dev.frame) SDL_FreeSurface(g_dev.frame);
  if (g_dev.window) SDL_DestroyWindow(g_dev.window);
  const int vw = g_dev.virtual_w, vh = g_dev.virtual_h;
  g_dev = Device();
  g_dev.virtual_w = vw;
  g_dev.virtual_h = vh;
}

bool GraphicsOpen() { return g_dev.renderer != nullptr; }
int GraphicsWidth() { return g_dev.width; }
int GraphicsHeight() { return g_dev.height; }
std::string GraphicsRendererName() { return g_dev.renderer_name; }

namespace {

// The software renderer blends scaled sprites slowly, so there the game draws
// at its virtual size and the canvas is stretched once, when shown or read.
void FitCanvas() {
  int w = g_dev.width, h = g_dev.height;
  if (g_dev.software && g_dev.virtual_w <= w && g_dev.virtual_h <= h) {
    w = g_dev.virtual_w;
    h = g_dev.virtual_h;
  }
  if (w == g_dev.canvas_w && h == g_dev.canvas_h) return;
  if (g_dev.frame) {
    // A software renderer draws into one surface for life: a new size takes
    // a new renderer, and the textures go with the old one.
    internal::ReadBackAllDroppedPixels();
    SDL_Surface* old_frame = g_dev.frame;
    SDL_Renderer* old_renderer = g_dev.renderer;
    const int old_w = g_dev.canvas_w, old_h = g_dev.canvas_h;
    if (!MakeSoftwareCanvas(w, h)) {
      std::fprintf(stderr, "Graphics: cannot make a %dx%d canvas: %s\n", w, h, SDL_GetError());
      g_dev.frame = old_frame;
      g_dev.renderer = old_renderer;
      g_dev.canvas_w = old_w;
      g_dev.canvas_h = old_h;
      return;
    }
    // What was drawn stays, rescaled.
    SDL_RenderFlush(old_renderer);
    SDL_BlitScaled(old_frame, nullptr, g_dev.frame, nullptr);
    SDL_DestroyRenderer(old_renderer);
    SDL_FreeSurface(old_frame);
    ++g_generation;
    internal::ForgetClip();
    return;
  }
  SDL_Texture* canvas = MakeCanvas(g_dev.renderer, w, h);
  if (!canvas) {
    std::fprintf(stderr, "Graphics: cannot make a %dx%d canvas: %s\n", w, h, SDL_GetError());
    SDL_SetRenderTarget(g_dev.renderer, g_dev.canvas);
    return;
  }
  // What was drawn stays, rescaled.
  SDL_RenderSetClipRect(g_dev.renderer, nullptr);
  SDL_RenderCopy(g_dev.renderer, g_dev.canvas, nullptr, nullptr);
  SDL_DestroyTexture(g_dev.canvas);
  g_dev.canvas = canvas;
  g_dev.canvas_w = w;
  g_dev.canvas_h = h;
  internal::ForgetClip();
}

}  // namespace

void SetVirtualResolution(int width, int height) {
  if (width <= 0 || height <= 0) return;
  g_dev.virtual_w = width;
  g_dev.virtual_h = height;
  if (g_dev.width > 0) {
    FitCanvas();
    g_dev.scale_x = float(g_dev.canvas_w) / width;
    g_dev.scale_y = float(g_dev.canvas_h) / height;
  }
  internal::SetDefaultViewport(width, height);
  SetViewport(0, 0, width, height);
}

int VirtualResolutionWidth() { return g_dev.virtual_w; }
int VirtualResolutionHeight() { return g_dev.virtual_h; }

void WindowToVirtual(float wx, float wy, float& vx, float& vy) {
  float cx = wx, cy = wy;
  if (g_dev.window && g_dev.width > 0) {
    int ww = 0, wh = 0;
    SDL_GetWindowSize(g_dev.window, &ww, &wh);
    if (ww > 0 && wh > 0) {
      const SDL_FRect box = Letterbox(ww, wh);
      cx = (wx - box.x) * g_dev.width / box.w;
      cy = (wy - box.y) * g_dev.height / box.h;
    }
  }
  if (g_dev.width > 0) {
    cx = cx * g_dev.virtual_w / g_dev.width;
    cy = cy * g_dev.virtual_h / g_dev.height;
  }
  vx = cx;
  vy = cy;
}

void Flip(bool vsync) {
  if (!g_dev.renderer) return;
  internal::CanvasTouched();
  if (g_dev.frame) {
    SDL_RenderFlush(g_dev.renderer);
    SDL_Surface* surface = g_dev.window ? SDL_GetWindowSurface(g_dev.window) : nullptr;
    if (!surface) return;
    const SDL_FRect f = Letterbox(surface->w, surface->h);
    const SDL_Rect box{int(std::lround(f.x)), int(std::lround(f.y)), int(std::lround(f.w)), int(std::lround(f.h))};
    if (internal::PresentSoftwareCanvas(g_dev.window, g_dev.frame, box)) return;
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    SDL_Rect to = box;
    SDL_BlitScaled(g_dev.frame, nullptr, surface, &to);
    SDL_UpdateWindowSurface(g_dev.window);
    return;
  }
  if (g_dev.window && g_dev.vsync != int(vsync)) {
    SDL_RenderSetVSync(g_dev.renderer, vsync ? 1 : 0);
    g_dev.vsync = int(vsync);
  }
  SDL_SetRenderTarget(g_dev.renderer, nullptr);
  int ow = g_dev.width, oh = g_dev.height;
  SDL_GetRendererOutputSize(g_dev.renderer, &ow, &oh);
  const SDL_FRect box = Letterbox(ow, oh);
  // Bars only where the canvas leaves room (full screen on another aspect).
  if (box.x > 0 || box.y > 0 || box.w < ow || box.h < oh) {
    SDL_SetRenderDrawBlendMode(g_dev.renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(g_dev.renderer, 0, 0, 0, 255);
    SDL_RenderClear(g_dev.renderer);
  }
  SDL_RenderCopyF(g_dev.renderer, g_dev.canvas, nullptr, &box);
  SDL_RenderPresent(g_dev.renderer);
  SDL_SetRenderTarget(g_dev.renderer, g_dev.canvas);
  internal::ForgetClip();
}

namespace {

// Reads a rectangle of the canvas; false when graphics are closed.
bool ReadTexels(const SDL_Rect& rect, uint32_t* out, int pitch_pixels) {
  if (!g_dev.renderer) return false;
  internal::CanvasTouched();
  if (SDL_RenderReadPixels(g_dev.renderer, &rect, SDL_PIXELFORMAT_ARGB8888, out, pitch_pixels * 4) != 0) {
    std::fprintf(stderr, "Graphics: cannot read the canvas: %s\n", SDL_GetError());
    return false;
  }
  return true;
}

// Reads a rectangle in mode pixels, stretching a smaller canvas (nearest
// pixel, so that colours come back as drawn).
bool ReadCanvas(const SDL_Rect& rect, uint32_t* out, int pitch_pixels) {
  if (g_dev.canvas_w == g_dev.width && g_dev.canvas_h == g_dev.height) return ReadTexels(rect, out, pitch_pixels);
  const auto source = [](int i, int canvas, int mode) {
    return std::min(int((2 * int64_t(i) + 1) * canvas / (2 * int64_t(mode))), canvas - 1);
  };
  std::vector<int> cols(rect.w);
  for (int x = 0; x < rect.w; ++x) cols[x] = source(rect.x + x, g_dev.canvas_w, g_dev.width);
  const int row0 = source(rect.y, g_dev.canvas_h, g_dev.height);
  const int row1 = source(rect.y + rect.h - 1, g_dev.canvas_h, g_dev.height);
  const SDL_Rect from{cols.front(), row0, cols.back() - cols.front() + 1, row1 - row0 + 1};
  std::vector<uint32_t> texels(size_t(from.w) * from.h);
  if (!ReadTexels(from, texels.data(), from.w)) return false;
  for (int y = 0; y < rect.h; ++y) {
    const uint32_t* src = texels.data() + size_t(source(rect.y + y, g_dev.canvas_h, g_dev.height) - row0) * from.w;
    uint32_t* dst = out + size_t(y) * pitch_pixels;
    for (int x = 0; x < rect.w; ++x) dst[x] = src[cols[x] - from.x];
  }
  return true;
}

}  // namespace

PixmapRef GrabCanvas() {
  if (!g_dev.renderer) return nullptr;
  auto pixmap = std::make_shared<Pixmap>(g_dev.width, g_dev.height);
  uint32_t* pixels = pixmap->Pixels();
  if (!ReadCanvas(SDL_Rect{0, 0, g_dev.width, g_dev.height}, pixels, g_dev.width)) return nullptr;
  for (size_t i = 0, n = size_t(g_dev.width) * g_dev.height; i < n; ++i) pixels[i] |= 0xFF000000u;
  return pixmap;
}

void GrabImage(const ImageRef& image, int x, int y, int frame) {
  if (!image || !g_dev.renderer) return;
  PixmapRef target = image->Frame(frame);
  if (!target) return;
  SDL_Rect want{x, y, target->Width(), target->Height()};
  SDL_Rect canvas{0, 0, g_dev.width, g_dev.height};
  SDL_Rect part;
  if (!SDL_IntersectRect(&want, &canvas, &part)) return;
  std::vector<uint32_t> pixels(size_t(part.w) * part.h);
  if (!ReadCanvas(part, pixels.data(), part.w)) return;
  uint32_t* dst = target->Pixels();
  for (int row = 0; row < part.h; ++row) {
    uint32_t* line = dst + size_t(part.y - y + row) * target->Width() + (part.x - x);
    for (int col = 0; col < part.w; ++col) line[col] = pixels[size_t(row) * part.w + col] | 0xFF000000u;
  }
}

void SetWindowTitle(const std::string& title) {
  g_title = title;
  if (g_dev.window) SDL_SetWindowTitle(g_dev.window, title.c_str());
}

void SetWindowIcon(const PixmapRef& icon) {
  g_icon = icon;
  ApplyIcon();
}

void CentreWindow() {
  if (g_dev.window && !(SDL_GetWindowFlags(g_dev.window) & SDL_WINDOW_FULLSCREEN_DESKTOP)) {
    SDL_SetWindowPosition(g_dev.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
}

void RaiseWindow() {
  if (!g_dev.window) return;
  if (SDL_GetWindowFlags(g_dev.window) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(g_dev.window);
  SDL_RaiseWindow(g_dev.window);
}

}  // namespace platform
