// One level frame of the boxes: the box logic (chain search, tickets, links,
// the red line, counts) and then the physics step, for a walled field of
// boxes dropped in rows of six. "Pile" keeps every box (no chain is long
// enough to go); "Chains" plays by the rules, so boxes clear as they touch.
#include <benchmark/benchmark.h>

#include <chrono>
#include <climits>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/visuals.h"
#include "physics/engine.h"
#include "world/effects/electro.h"
#include "play/game.h"
#include "play/player.h"
#include "world/block.h"
#include "world/world.h"

using namespace kelp;

namespace {

constexpr int kFrames = 300;

void BuildLevel(int boxes) {
  GameTime = 1000000;
  SeedRnd(11);
  ResetBlockState();
  World = New<TWorld>();
  TPhysEngine& e = *World->Physics;
  TPhysEngine_Static::Create(190, 560, 570, 560, 0.8f, 2, 1, &e);
  TPhysEngine_Static::Create(190, -1000, 190, 560, 0.8f, 2, 1, &e);
  TPhysEngine_Static::Create(570, -1000, 570, 560, 0.8f, 2, 1, &e);
  World->CriticalLine = -2000;  // a tall pile is not lost
  GameScreen = New<TGame>();
  GameScreen->GameType = 1;
  Player = New<TPlayer>();
  for (int i = 0; i < boxes; ++i) {
    auto b = TBlock::Create(230.0f + 60.0f * (i % 6), 500.0f - 60.0f * (i / 6), 0, 0);
    b->class_ = 1 + Rand(0, 4);
    b->SetClass();
    b->Group->Scale(b->scale);
    b->Released = 1;
    b->Group->Released = 1;
  }
}

void TearLevel() {
  TBlock::ClearBlocks();
  VisualsList.Clear();
  TElectro::Clear();
  World = nullptr;
  GameScreen = nullptr;
  Player = nullptr;
}

void RunFrames(benchmark::State& state, int chainMinimum) {
  const int boxes = static_cast<int>(state.range(0));
  const int saved = ChainMinimum;
  for (auto _ : state) {
    state.PauseTiming();
    BuildLevel(boxes);
    ChainMinimum = chainMinimum;
    state.ResumeTiming();
    for (int i = 0; i < kFrames; ++i) {
      GameTime += 18;
      TBlock::UpdateBlocks(1.0f);
      World->Physics->Update(1.0f);
    }
    benchmark::DoNotOptimize(ReleasedBlockCount);
    state.PauseTiming();
    state.counters["left"] = static_cast<double>(BlockList.Count());
    TearLevel();
    state.ResumeTiming();
  }
  ChainMinimum = saved;
  state.counters["frame"] = benchmark::Counter(static_cast<double>(state.iterations()) * kFrames,
                                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The box logic alone, timed by hand around UpdateBlocks in the same pile.
void BM_BoxLogicPile(benchmark::State& state) {
  const int boxes = static_cast<int>(state.range(0));
  const int saved = ChainMinimum;
  for (auto _ : state) {
    BuildLevel(boxes);
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
    TearLevel();
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
