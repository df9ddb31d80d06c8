// The physics step on the benchmark's scene family, each scene run in the
// game's engine and in Box2D (sleeping off) in the same run, so every run
// prints the ratio: boxes dropped in a grid into a walled field (rows at most
// ten high; larger scenes use a wider field), and a pile 20 rows high in the
// level's six-column field. Beside each time stands the engine's constraint
// count (the boxes' own ten each plus the glue) and Box2D's touching contacts.
// Times are the thread's CPU time, so a busy machine does not tilt the ratio.
#include <benchmark/benchmark.h>
#include <box2d/box2d.h>

#include <time.h>

#include <algorithm>

#include "bench/reference/box2d_scenes.h"
#include "framework/core/frame_clock.h"
#include "scenes/physics_scenes.h"

namespace {

double Now() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Since(double t) { return Now() - t; }

struct Run {
  double kelp = 0, box2d = 0;  // seconds over all steps
  double late = 0;             // seconds over the last `lateSteps` steps of the game's engine
  size_t constraints = 0, maxConstraints = 0, glue = 0;
  int contacts = 0;
};

// Both engines on the same scene for `steps` steps.
void RunScene(Run& run, int boxes, int columns, int steps, int lateSteps) {
  kelp::GameTime = 1000;
  auto engine = scenes::BoxField(boxes, columns);
  double start = Now();
  for (int i = 0; i < steps; ++i) {
    if (i == steps - lateSteps) {
      run.kelp += Since(start);
      start = Now();
    }
    kelp::GameTime += 18;
    engine->Update(1.0f);
    run.maxConstraints = std::max(run.maxConstraints, engine->Constraints.Count());
  }
  const double late = Since(start);
  run.kelp += late;
  run.late += late;
  benchmark::DoNotOptimize(engine->Particles.First()->y);
  run.constraints = engine->Constraints.Count();
  run.glue = scenes::TemporaryCount(*engine);
  engine.reset();

  auto world = reference::BoxField(boxes, columns);
  start = Now();
  for (int i = 0; i < steps; ++i) reference::Step(*world);
  run.box2d += Since(start);
  benchmark::DoNotOptimize(reference::LowestBoxY(*world));
  run.contacts = reference::TouchingContacts(*world);
}

// Times are the game's step; the counters say µs per step of each engine,
// their ratio and the game's cost per box.
void Report(benchmark::State& state, const Run& run, int boxes, int steps, int lateSteps) {
  const double n = static_cast<double>(state.iterations());
  const double kelp = run.kelp / n / steps * 1e6, box2d = run.box2d / n / steps * 1e6;
  state.counters["kelp_us"] = kelp;
  state.counters["box2d_us"] = box2d;
  state.counters["ratio"] = kelp / box2d;
  state.counters["us_per_box"] = kelp / boxes;
  if (lateSteps > 0) state.counters["late_us"] = run.late / n / lateSteps * 1e6;
  state.counters["constraints"] = static_cast<double>(run.constraints);
  state.counters["max_constraints"] = static_cast<double>(run.maxConstraints);
  state.counters["glue"] = static_cast<double>(run.glue);
  state.counters["b2_contacts"] = run.contacts;
}

constexpr int kSteps = 1000;

void BM_BoxField(benchmark::State& state) {
  const int boxes = static_cast<int>(state.range(0));
  Run run;
  for (auto _ : state) {
    const double before = run.kelp;
    RunScene(run, boxes, scenes::FieldColumns(boxes), kSteps, 0);
    state.SetIterationTime(run.kelp - before);
  }
  Report(state, run, boxes, kSteps, 0);
}

// The pile keeps building up contacts long after the last box landed; the
// late steps show what a settled pile costs.
constexpr int kPileSteps = 600;
constexpr int kPileLateSteps = 100;

void BM_Pile(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const int boxes = rows * scenes::kPlayColumns;
  Run run;
  for (auto _ : state) {
    const double before = run.kelp;
    RunScene(run, boxes, scenes::kPlayColumns, kPileSteps, kPileLateSteps);
    state.SetIterationTime(run.kelp - before);
  }
  Report(state, run, boxes, kPileSteps, kPileLateSteps);
}

}  // namespace

BENCHMARK(BM_BoxField)->Arg(20)->Arg(60)->Arg(120)->Arg(240)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pile)->Arg(20)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
