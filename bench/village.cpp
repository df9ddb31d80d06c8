// The village's model: one frame of the authored desert and snow villages
// with every building standing and forty villagers (target: under 0.5 ms),
// path searches across each village's waypoint graph, and the village
// screen's whole frame, update and draw on the default renderer, with forty
// villagers (target: under 1.8 ms, a tenth of the 18.2 ms tick).
#include <benchmark/benchmark.h>

#include "../tools/village_view/village_view.h"
#include "framework/media/canvas_placement.h"
#include "platform/files.h"

namespace {

using namespace kelp;

bool Ready(int village, int stage, int villagers) {
  // The benchmark runs from the build's bench/ folder; the data set is beside it.
  return village_view::Open(platform::ProgramFolder() + "/..", false) &&
         village_view::Start(village, stage, villagers, 3);
}

void BM_VillageFrame(benchmark::State& state) {
  const int village = static_cast<int>(state.range(0));
  if (!Ready(village, village == 1 ? 18 : 36, 40)) {
    state.SkipWithError("the village data is not built");
    return;
  }
  // settle into everyday life first: walks, needs, buildings entered
  for (int i = 0; i < 2000; ++i) village_view::Frame();
  for (auto _ : state) village_view::Frame();
  village_view::Close();
}
BENCHMARK(BM_VillageFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_PathSearch(benchmark::State& state) {
  const int village = static_cast<int>(state.range(0));
  if (!Ready(village, village == 1 ? 18 : 36, 0)) {
    state.SkipWithError("the village data is not built");
    return;
  }
  const std::vector<Ref<TNode>> nodes = Snapshot(Nodes);
  size_t a = 0, b = nodes.size() / 2;
  for (auto _ : state) {
    benchmark::DoNotOptimize(TPath::Find(nodes[a], nodes[b]));
    a = (a + 7) % nodes.size();
    b = (b + 13) % nodes.size();
  }
  village_view::Close();
}
BENCHMARK(BM_PathSearch)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The light the screen's frames are drawn in: the day (white, nothing
// retinted), dusk (the light changes every frame, so the tinted pictures
// follow it) and the night (dark, the stars out). The player sees all three.
struct Light {
  const char* name;
  int phase;         // the day's phase the frames start in
  int into;          // ms already spent in it
  int starsFor;      // ms the stars have been coming out
};
constexpr Light kLights[] = {
    {"day", TVillageMode::DAY, 0, 0},
    {"dusk", TVillageMode::EVENING1, 10000, 10000},
    {"night", TVillageMode::NIGHT, 0, 240000},
};

void BM_VillageScreenFrame(benchmark::State& state) {
  const int village = static_cast<int>(state.range(0));
  const Light& light = kLights[state.range(1)];
  state.SetLabel(light.name);
  if (!village_view::Open(platform::ProgramFolder() + "/..", true) ||
      !village_view::Start(village, village == 1 ? 18 : 36, 40, 3)) {
    state.SkipWithError("the village data is not built");
    return;
  }
  TVillageMode& v = *VillageScreen;
  v.Hidden = 0;  // on screen, as after a show
  v.Scroll_x = static_cast<float>(CanvasOffsetX - 100);
  for (int i = 0; i < 2000; ++i) village_view::Frame();
  // Into the phase as the day's clock enters it, then that far on.
  v.DayTime = light.phase == TVillageMode::MORNING1 ? TVillageMode::NIGHT : light.phase - 1;
  v.NextDayTime();
  v.StartTime = GameTime - light.into;
  v.StarsTime = GameTime - light.starsFor;
  // The first frames shown make the textures and the pictures tinted for the light.
  for (int i = 0; i < 5; ++i) {
    GameTime += 18;
    v.Update(1.0f);
    v.Draw();
  }
  for (auto _ : state) {
    GameTime += 18;
    v.Update(1.0f);
    v.Draw();
  }
  village_view::Close();
}
BENCHMARK(BM_VillageScreenFrame)
    ->ArgNames({"village", "light"})
    ->ArgsProduct({{1, 2}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
