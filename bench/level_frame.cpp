// A full frame of the busiest authored level (the rising floor, a cradle on
// its path, the feeder shelf and the pusher, fourteen boxes): the boxes and
// the world stepped, then everything drawn on the software renderer. The
// level starts afresh every 1,000 frames, before its floor has risen far.
#include <benchmark/benchmark.h>

#include "../tools/levels/level_view.h"
#include "platform/files.h"

namespace {

constexpr int kBusiestLevel = 7;
constexpr int kRound = 1000;

void BM_LevelFrame(benchmark::State& state) {
  // The benchmark runs from the build's bench/ folder; the data set is beside it.
  if (level_view::Open(platform::ProgramFolder() + "/..") < kBusiestLevel || !level_view::Load(kBusiestLevel)) {
    state.SkipWithError("the level packs are not built");
    return;
  }
  int frame = 0;
  for (auto _ : state) {
    if (frame == kRound) {
      state.PauseTiming();
      level_view::Load(kBusiestLevel);
      frame = 0;
      state.ResumeTiming();
    }
    level_view::Frame(frame++);
    level_view::Draw(false);
  }
  platform::CloseGraphics();
}

}  // namespace

BENCHMARK(BM_LevelFrame)->Unit(benchmark::kMillisecond);
