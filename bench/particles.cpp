// Particle cost per frame for 10, 50 and 200 live emitters of a typical
// effect (20 particles a second living a second, so about 20 alive each):
// the update alone, and the draw on the headless software canvas.
#include <benchmark/benchmark.h>

#include <vector>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/particles.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/window.h"

using namespace kelp;

namespace {

Ref<TEffect> SparkEffect() {
  auto dot = std::make_shared<platform::Pixmap>(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) dot->WritePixel(x, y, 0xFFFFC040u);
  auto e = New<TEffect>();
  e->GenSpeed = 20;
  e->Lifetime[0] = 800, e->Lifetime[1] = 1200;
  e->PosX[0] = -10, e->PosX[1] = 10;
  e->Dir[0] = 0, e->Dir[1] = 360;
  e->Speed[0] = 0.5f, e->Speed[1] = 2;
  e->Rotation[0] = -3, e->Rotation[1] = 3;
  e->GravitationY = 0.05f;
  e->Scale[0] = e->Scale[2] = 1, e->Scale[1] = e->Scale[3] = 0.3f;
  e->Image[0].image = platform::ImageFromPixmap(dot, platform::FILTEREDIMAGE);
  e->Image[0].image->MidHandle();
  e->Blend = platform::LIGHTBLEND;
  e->Color = CreateColorAlpha(255, 220, 120, 1.0f);
  e->Color->EndColor(255, 80, 0, 0.0f);
  return e;
}

// Emitters spread over the screen, run until their particle count is steady.
std::vector<Ref<TEmitter>> SteadyEmitters(int n, const Ref<TEffect>& effect) {
  SeedRnd(5);
  InitFrameClock();
  GameTime = 1000;
  std::vector<Ref<TEmitter>> emitters;
  for (int i = 0; i < n; ++i)
    emitters.push_back(TEmitter::Create(40.0f + (i * 37) % 720, 40.0f + (i * 53) % 520, effect, 0));
  for (int t = 0; t < 1500; t += 16) {
    GameTime += 16;
    for (auto& em : emitters) em->Update(1.0f);
  }
  return emitters;
}

size_t Live(const std::vector<Ref<TEmitter>>& emitters) {
  size_t n = 0;
  for (const auto& em : emitters) n += em->Particles.Count();
  return n;
}

void ParticleUpdate(benchmark::State& state) {
  auto emitters = SteadyEmitters(static_cast<int>(state.range(0)), SparkEffect());
  for (auto _ : state) {
    GameTime += 16;
    for (auto& em : emitters) em->Update(1.0f);
  }
  state.counters["particles"] = static_cast<double>(Live(emitters));
}

void ParticleDraw(benchmark::State& state) {
  if (!platform::OpenGraphics(800, 600, 0, 60, true)) {
    state.SkipWithError("no headless canvas");
    return;
  }
  platform::ResetDrawState();
  auto emitters = SteadyEmitters(static_cast<int>(state.range(0)), SparkEffect());
  for (auto _ : state) {
    platform::Cls();
    for (auto& em : emitters) em->Draw(1.0f);
    benchmark::DoNotOptimize(platform::GrabCanvas());
  }
  state.counters["particles"] = static_cast<double>(Live(emitters));
  platform::CloseGraphics();
}

}  // namespace

BENCHMARK(ParticleUpdate)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(ParticleDraw)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);
