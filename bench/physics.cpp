// One physics step of a walled field full of boxes dropped in a grid, as the
// level world runs it once a frame. Rows are at most ten boxes high: the
// 120-box scene uses a field twice as wide.
#include <benchmark/benchmark.h>

#include "../tests/physics/scene.h"

using namespace physics_test;

namespace {

constexpr int kSteps = 1000;

void BM_PhysicsStep(benchmark::State& state) {
  const int boxes = static_cast<int>(state.range(0));
  const int columns = boxes > 60 ? 12 : 6;
  for (auto _ : state) {
    state.PauseTiming();
    GameTime = 1000;
    auto engine = std::make_unique<TPhysEngine>();
    engine->ClearWorld();
    WalledBox(*engine, columns);
    DropBoxes(*engine, boxes, columns);
    state.ResumeTiming();
    for (int i = 0; i < kSteps; ++i) {
      GameTime += 18;
      engine->Update(1.0f);
    }
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
