// One physics step of a walled field full of boxes dropped in a grid, as the
// level world runs it once a frame. Rows are at most ten boxes high: larger
// scenes use a wider field.
#include <benchmark/benchmark.h>

#include "framework/core/frame_clock.h"
#include "scenes/physics_scenes.h"

namespace {

constexpr int kSteps = 1000;

void BM_PhysicsStep(benchmark::State& state) {
  const int boxes = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    kelp::GameTime = 1000;
    auto engine = scenes::BoxField(boxes, scenes::FieldColumns(boxes));
    state.ResumeTiming();
    scenes::Steps(*engine, kSteps);
    benchmark::DoNotOptimize(engine->Particles.First()->y);
    state.PauseTiming();
    engine.reset();
    state.ResumeTiming();
  }
  state.counters["step"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kSteps,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(BM_PhysicsStep)->Arg(20)->Arg(60)->Arg(120)->Unit(benchmark::kMillisecond);
