// A frame of 1,000 turned, scaled, alpha-blended 48-pixel sprites over a
// background on the 800x600 canvas: the software renderer (headless), and
// SDL's OpenGL renderer through the offscreen video driver where it works.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/window.h"

using namespace platform;

namespace {

ImageRef Sprite() {
  auto p = std::make_shared<Pixmap>(48, 48);
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x) {
      const float d = std::hypot(x - 23.5f, y - 23.5f);
      if (d < 23) p->WritePixel(x, y, 0xFF000000u | uint32_t(x * 5) << 16 | uint32_t(y * 5) << 8 | 0x60);
    }
  }
  ImageRef image = ImageFromPixmap(p, FILTEREDIMAGE);
  image->MidHandle();
  return image;
}

ImageRef Background() {
  auto p = std::make_shared<Pixmap>(800, 600);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) p->WritePixel(x, y, 0xFF000000u | uint32_t(x / 4) << 8 | uint32_t(y / 3));
  return ImageFromPixmap(p, FILTEREDIMAGE);
}

void DrawFrames(benchmark::State& state) {
  ImageRef sprite = Sprite();
  ImageRef background = Background();
  int frame = 0;
  for (auto _ : state) {
    ResetDrawState();
    Cls();
    DrawImage(background, 0, 0);
    SetAlpha(0.7f);
    for (int i = 0; i < 1000; ++i) {
      const float s = 0.6f + 0.4f * float((i * 7) % 10) / 10;
      SetTransform(float(i * 13 + frame * 3), s, s);
      DrawImage(sprite, float((i * 97) % 800), float((i * 61) % 600));
    }
    Flip(false);
    ++frame;
  }
  state.SetLabel(GraphicsRendererName());
}

void BM_SpritesSoftware(benchmark::State& state) {
  if (!OpenGraphics(800, 600, 0, 60, true)) {
    state.SkipWithError("no software canvas");
    return;
  }
  DrawFrames(state);
  CloseGraphics();
}
BENCHMARK(BM_SpritesSoftware)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SpritesOpenGL(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  SetGraphicsBackend(Backend::OpenGL);
  const bool open = OpenGraphics(800, 600, 0, 60, false) && GraphicsRendererName() == "opengl";
  SetGraphicsBackend(Backend::Default);
  if (!open) {
    CloseGraphics();
    state.SkipWithError("no OpenGL renderer on the offscreen driver");
    return;
  }
  DrawFrames(state);
  CloseGraphics();
}
BENCHMARK(BM_SpritesOpenGL)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
