// The frame around the level, one drawing layer at a time, on the software
// renderer, with the game's own art (layer -2 is the sky, its clouds and the
// backdrop; 2 the right panel, the swing, the pipe and the clock), and the
// score widget with its counters.
#include <benchmark/benchmark.h>

#include "../tools/levels/level_view.h"
#include "platform/files.h"

namespace {

bool Ready() {
  static const bool ready =
      level_view::Open(platform::ProgramFolder() + "/..") >= 1 && level_view::Load(1);
  if (ready) {
    for (int k = 0; k < 20; ++k) level_view::Frame(k);  // clouds made, the red line open
  }
  return ready;
}

void BM_InterfaceLayer(benchmark::State& state) {
  if (!Ready()) {
    state.SkipWithError("the data set is not built");
    return;
  }
  const int layer = static_cast<int>(state.range(0));
  for (auto _ : state) kelp::InGameInterface->Draw(layer);
}
BENCHMARK(BM_InterfaceLayer)->DenseRange(-2, 3)->Unit(benchmark::kMicrosecond);

// The frame's and the score widget's steps, with the claw moving.
void BM_InterfaceUpdate(benchmark::State& state) {
  if (!Ready()) {
    state.SkipWithError("the data set is not built");
    return;
  }
  kelp::Player->speed = 6.0f;
  for (auto _ : state) {
    kelp::GameTime += 18;
    kelp::TVisuals::UpdateVisuals(1.0f);  // clouds drift off and die
    kelp::InGameInterface->Update(1.0f);
    kelp::GameInterface->Update(1.0f);
  }
}
BENCHMARK(BM_InterfaceUpdate)->Unit(benchmark::kMicrosecond);

void BM_ScoreWidgetDraw(benchmark::State& state) {
  if (!Ready()) {
    state.SkipWithError("the data set is not built");
    return;
  }
  for (auto _ : state) kelp::GameInterface->Draw();
}
BENCHMARK(BM_ScoreWidgetDraw)->Unit(benchmark::kMicrosecond);

}  // namespace
