// A frame of animated polygon scenes: 40 swaying meshes of 8 points over an
// 800x600 canvas (update and draw), on the software renderer (headless) and on
// SDL's OpenGL renderer through the offscreen video driver where it works. The
// plain-fan case draws the same polygons as one fan each, to show what drawing
// them a triangle at a time costs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "framework/media/poly_anim.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/window.h"

using namespace kelp;

namespace {

platform::ImageRef Texture() {
  auto p = std::make_shared<platform::Pixmap>(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) p->WritePixel(x, y, 0xC0000000u | uint32_t(x * 2) << 16 | uint32_t(y * 2) << 8 | 0x40);
  return platform::ImageFromPixmap(p, platform::FILTEREDIMAGE);
}

void BuildScene() {
  TPolyAnim::ClearPoly();
  const platform::ImageRef image = Texture();
  for (int m = 0; m < 40; ++m) {
    auto anim = TPolyAnim::Create();
    anim->Image = image;
    anim->x = float((m * 97) % 700);
    anim->y = float((m * 61) % 500);
    for (int k = 0; k < 8; ++k) {
      const double a = k * 3.14159265358979 / 4;
      auto p = TPoint::Create();
      p->ox = float(50 + 50 * std::cos(a));
      p->oy = float(50 + 50 * std::sin(a));
      p->u = float(0.5 + 0.5 * std::cos(a));
      p->v = float(0.5 + 0.5 * std::sin(a));
      p->scale->x = p->scale->y = 4;
      p->anim_speed = 3.0f + k;
      anim->AddPoint(p);
    }
  }
}

void Frames(benchmark::State& state, bool plainFan) {
  BuildScene();
  std::vector<platform::FanVertex> fan;
  for (auto _ : state) {
    platform::ResetDrawState();
    platform::Cls();
    TPolyAnim::UpdateAnim(1.0f);
    if (!plainFan) {
      TPolyAnim::DrawAnim(0);
    } else {
      for (const auto& anim : PolyAnims()) {
        fan.clear();
        for (size_t i = 0; i + 3 < anim->xyuv.size(); i += 4)
          fan.push_back({anim->xyuv[i], anim->xyuv[i + 1], anim->xyuv[i + 2], anim->xyuv[i + 3]});
        platform::DrawTexturedFan(anim->Image, fan);
      }
    }
    platform::Flip(false);
  }
  state.SetLabel(platform::GraphicsRendererName());
  TPolyAnim::ClearPoly();
}

bool OpenSoftware() { return platform::OpenGraphics(800, 600, 0, 60, true); }

bool OpenGL() {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  platform::SetGraphicsBackend(platform::Backend::OpenGL);
  const bool open = platform::OpenGraphics(800, 600, 0, 60, false) && platform::GraphicsRendererName() == "opengl";
  platform::SetGraphicsBackend(platform::Backend::Default);
  if (!open) platform::CloseGraphics();
  return open;
}

void BM_PolySceneSoftware(benchmark::State& state) {
  if (!OpenSoftware()) return state.SkipWithError("no software canvas");
  Frames(state, state.range(0) != 0);
  platform::CloseGraphics();
}
BENCHMARK(BM_PolySceneSoftware)->Arg(0)->Arg(1)->ArgName("plain_fan")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PolySceneOpenGL(benchmark::State& state) {
  if (!OpenGL()) return state.SkipWithError("no OpenGL renderer on the offscreen driver");
  Frames(state, state.range(0) != 0);
  platform::CloseGraphics();
}
BENCHMARK(BM_PolySceneOpenGL)->Arg(0)->Arg(1)->ArgName("plain_fan")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PolySceneUpdateOnly(benchmark::State& state) {
  BuildScene();
  for (auto _ : state) TPolyAnim::UpdateAnim(1.0f);
  TPolyAnim::ClearPoly();
}
BENCHMARK(BM_PolySceneUpdateOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
