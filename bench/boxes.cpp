// One level frame of the boxes: the box logic (chain search, tickets, links,
// the red line, counts) and then the physics step, for a walled field of
// boxes dropped in rows of six. "Pile" keeps every box (no chain is long
// enough to go); "Chains" plays by the rules, so boxes clear as they touch.
// The data set's "Init" resources are loaded first, as in the game.
#include <benchmark/benchmark.h>

#include <chrono>
#include <climits>

#include "framework/core/frame_clock.h"
#include "physics/engine.h"
#include "platform/files.h"
#include "scenes/level_scenes.h"
#include "world/block.h"
#include "world/world.h"

using namespace kelp;

namespace {

constexpr int kFrames = 300;

bool DataLoaded(benchmark::State& state) {
  static const bool loaded = scenes::LoadInitData(platform::ProgramFolder() + "/..");
  if (!loaded) state.SkipWithError("the data set is not built");
  return loaded;
}

void RunFrames(benchmark::State& state, int chainMinimum) {
  if (!DataLoaded(state)) return;
  const int boxes = static_cast<int>(state.range(0));
  const int saved = ChainMinimum;
  for (auto _ : state) {
    state.PauseTiming();
    scenes::BuildBoxLevel(boxes);
    ChainMinimum = chainMinimum;
    state.ResumeTiming();
    for (int i = 0; i < kFrames; ++i) scenes::BoxLevelFrame();
    benchmark::DoNotOptimize(ReleasedBlockCount);
    state.PauseTiming();
    state.counters["left"] = static_cast<double>(BlockList.Count());
    scenes::TearBoxLevel();
    state.ResumeTiming();
  }
  ChainMinimum = saved;
  state.counters["frame"] = benchmark::Counter(static_cast<double>(state.iterations()) * kFrames,
                                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The box logic alone, timed by hand around UpdateBlocks in the same pile.
void BM_BoxLogicPile(benchmark::State& state) {
  if (!DataLoaded(state)) return;
  const int boxes = static_cast<int>(state.range(0));
  const int saved = ChainMinimum;
  for (auto _ : state) {
    scenes::BuildBoxLevel(boxes);
    ChainMinimum = INT_MAX;
    double seconds = 0;
    for (int i = 0; i < kFrames; ++i) {
      GameTime += 18;
      const auto start = std::chrono::steady_clock::now();
      TBlock::UpdateBlocks(1.0f);
      seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      World->Physics->Update(1.0f);
    }
    state.SetIterationTime(seconds);
    scenes::TearBoxLevel();
  }
  ChainMinimum = saved;
  state.counters["frame"] = benchmark::Counter(static_cast<double>(state.iterations()) * kFrames,
                                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_BoxFramePile(benchmark::State& state) { RunFrames(state, INT_MAX); }
void BM_BoxFrameChains(benchmark::State& state) { RunFrames(state, 3); }

}  // namespace

BENCHMARK(BM_BoxFramePile)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoxLogicPile)->Arg(60)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoxFrameChains)->Arg(60)->Unit(benchmark::kMillisecond);
