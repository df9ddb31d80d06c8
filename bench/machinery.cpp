// The level machinery apart from the physics step: the water's update (waves,
// splashes, buoyancy over every box particle) with a field of boxes afloat,
// and a brick wall's update while its columns fall after hits. The data
// set's "Init" resources (fish, bricks, effects) are loaded first, as in the
// game.
#include <benchmark/benchmark.h>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/visuals.h"
#include "physics/engine.h"
#include "platform/files.h"
#include "scenes/level_scenes.h"
#include "world/block.h"
#include "world/brick.h"
#include "world/water.h"
#include "world/world.h"

using namespace kelp;

namespace {

bool DataLoaded(benchmark::State& state) {
  static const bool loaded = scenes::LoadInitData(platform::ProgramFolder() + "/..");
  if (!loaded) state.SkipWithError("the data set is not built");
  return loaded;
}

void Water(benchmark::State& state) {
  if (!DataLoaded(state)) return;
  const int boxes = static_cast<int>(state.range(0));
  GameTime = 1000000;
  SeedRnd(5);
  ResetBlockState();
  World = New<TWorld>();
  for (int i = 0; i < boxes; ++i) {
    auto b = TBlock::Create(230.0f + 60.0f * float(i % 6), 560.0f - 60.0f * float(i / 6), 0, 0);
    b->Group->Scale(b->scale);
  }
  const Ref<TWater> w = TWater::Create(TWater::WaterArray(156, 29, 16), 300);
  for (auto _ : state) {
    GameTime += 18;
    w->Update(1.0f);
    benchmark::DoNotOptimize(w->cH.data());
  }
  TBlock::ClearBlocks();
  VisualsList.Clear();
  World = nullptr;
}
BENCHMARK(Water)->Arg(20)->Arg(60)->Arg(120);

void FallingWall(benchmark::State& state) {
  if (!DataLoaded(state)) return;
  GameTime = 1000000;
  SeedRnd(5);
  for (auto _ : state) {
    state.PauseTiming();
    TBrick::CreateWall(8, 8);
    for (int i = 0; i < 8; ++i) TBrick::Hit(float(185 + 48 * i + 24), float(210 + 7 * 48 + 24), 40);
    state.ResumeTiming();
    for (int f = 0; f < 120; ++f) {
      GameTime += 18;
      TBrick::UpdateBricks(1.0f);
    }
    benchmark::DoNotOptimize(BrickCount);
  }
  TBrick::Clear();
  VisualsList.Clear();
}
BENCHMARK(FallingWall);

}  // namespace
