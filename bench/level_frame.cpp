// A full frame of the running level as the frame loop makes it: the level
// screen and its interface updated through the widget manager (effects,
// boxes, bricks, player, interface, world and the round's checks), then the
// whole screen drawn and shown. The busiest authored level (the rising floor,
// a cradle on its path, the feeder shelf and the pusher) with 60 boxes in
// play that never chain (so no box leaves and no explosion runs), topped up
// outside the timing should one fall out; no time limit and no red-line
// loss, so the round never ends. The counters split the frame into its update
// and its drawing (with the flip). On the headless software canvas, on the
// renderer the game picks by default, in a window of the offscreen driver
// (the present into the window's surface included), and on SDL's OpenGL
// renderer through the offscreen driver.
//
// To compare the drawing of two builds: KELP_LEVEL_FRAME_PNG=prefix saves the
// settled frame of each renderer as prefix-<renderer>.png, and
// KELP_LEVEL_FRAME_LEVEL=n plays level n instead.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/files/language.h"
#include "framework/media/fade.h"
#include "framework/media/resources.h"
#include "framework/media/visuals.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget.h"
#include "platform/clock.h"
#include "platform/draw.h"
#include "platform/files.h"
#include "platform/image.h"
#include "platform/window.h"
#include "play/game.h"
#include "play/in_game_interface.h"
#include "play/play_hooks.h"
#include "play/player.h"
#include "play/red_line.h"
#include "play/thermometer.h"
#include "play/tutorial.h"
#include "world/block.h"
#include "world/game_interface.h"
#include "world/effects/effects_hooks.h"
#include "world/level.h"
#include "world/resource_bindings.h"
#include "world/static_path.h"
#include "world/world.h"

namespace {

using namespace kelp;

constexpr int kBusiestLevel = 7;
constexpr int kBoxes = 60;
int g_now = 100000000;

int BoxesInPlay() {
  int n = 0;
  for (const auto& b : BlockList)
    if (!b->Deleted()) ++n;
  return n;
}

// New released boxes on a grid over the field until kBoxes are in play.
void TopUp() {
  for (int slot = 0; BoxesInPlay() < kBoxes && slot < 96; ++slot) {
    const float x = 225.0f + 40.0f * static_cast<float>(slot % 8);
    const float y = 90.0f + 40.0f * static_cast<float>(slot / 8 % 12);
    const Ref<TBlock> box = TBlock::Create(x, y, 0, 0);
    if (!box || !box->Group) return;
    box->class_ = Rand(1, 5);
    box->Group->class_ = box->class_;
    box->Group->Scale(0.55f);
    box->Released = 1;
    box->Group->Released = 1;
    box->ReleaseTime = GameTime;
  }
}

// The game's objects as start-up makes them, and the level started.
bool OpenLevel() {
  if (chdir((platform::ProgramFolder() + "/..").c_str()) != 0) return false;
  platform::SetMillisecsSource([] { return g_now; });
  GameTime = g_now;
  InitFrameClock();
  FrameSync = New<TFrameSync>();
  SeedRnd(1);
  InitColors();
  CreateBlockColors();
  ResManager = New<TResManager>();
  if (!ReadResourceList("res.xml")) return false;
  ResManager->LoadScope("Init");
  BindInitResources();
  LoadLanguageTables();
  InitWidgetManager();
  Mouse = New<TMouse>();
  VisualsList.Clear();
  ScreenFade = New<TFade>();
  ScreenFade->Constant = 1;
  VisualsList.AddLast(ScreenFade);
  InitEffectsHooks();
  InitPlayHooks();
  World = New<TWorld>();
  Player = New<TPlayer>();
  InGameInterface = New<TInGameInterface>();
  InGameInterface->Load();
  RedLine = New<TRedLine>();
  Thermometer = New<TThermometer>();
  TutorialHint = New<TTutorial>();
  CurrentLevel = New<TLevel>();
  LevelStaticPath = TStaticPath::Create();
  const char* chosen = std::getenv("KELP_LEVEL_FRAME_LEVEL");
  const int level = chosen ? std::atoi(chosen) : kBusiestLevel;
  if (level < 1 || TLevel::CountLevels() < level) return false;
  GameScreen = New<TGame>();
  GameScreen->Resize(0, 0, 800, 600);
  WidgetManager->AddWidget(GameScreen);
  CriticalDelay = 1 << 29;  // no loss at the red line
  ChainMinimum = 1 << 29;   // no chains: the 60 boxes stay
  TLevel::SetLevel(level);
  GameScreen->SetHided(0);
  if (!GameScreen->Start()) return false;
  GameScreen->LevelLengthTime = 0;
  GameScreen->PauseState = 0;
  GameScreen->Pause(0);
  TopUp();
  return true;
}

double g_update = 0, g_draw = 0;

void Frame() {
  using Clock = std::chrono::steady_clock;
  const auto t0 = Clock::now();
  g_now += 18;
  GameTime = g_now;
  Mouse->Update(1.0f);
  WidgetManager->Update(1.0f);
  const auto t1 = Clock::now();
  platform::Cls();
  WidgetManager->Draw();
  platform::Flip(false);
  g_update += std::chrono::duration<double, std::milli>(t1 - t0).count();
  g_draw += std::chrono::duration<double, std::milli>(Clock::now() - t1).count();
}

void RunFrames(benchmark::State& state) {
  if (!OpenLevel()) {
    state.SkipWithError("the data set or the level packs are not built");
    return;
  }
  for (int i = 0; i < 300; ++i) Frame();  // faded in, boxes settled
  // The settled frame as a picture, to compare the drawing of two builds.
  if (const char* prefix = std::getenv("KELP_LEVEL_FRAME_PNG"))
    if (const platform::PixmapRef canvas = platform::GrabCanvas())
      platform::SavePixmapPNG(*canvas, std::string(prefix) + "-" + platform::GraphicsRendererName() + ".png");
  g_update = g_draw = 0;
  int frame = 0;
  for (auto _ : state) {
    if (++frame % 100 == 0) {
      state.PauseTiming();
      TopUp();
      state.ResumeTiming();
    }
    Frame();
  }
  state.counters["boxes"] = BoxesInPlay();
  size_t particles = 0;
  for (const auto& e : GameInterface->Emitters) particles += e->Particles.Count();
  state.counters["particles"] = static_cast<double>(particles);
  state.counters["update_ms"] = g_update / static_cast<double>(frame);
  state.counters["draw_ms"] = g_draw / static_cast<double>(frame);
  state.SetLabel(platform::GraphicsRendererName());
  GameScreen->SetHided(1);
  InitWidgetManager();
  platform::CloseGraphics();
}

void BM_LevelFrameSoftware(benchmark::State& state) {
  platform::SetGraphicsBackend(platform::Backend::Software);
  const bool open = platform::OpenGraphics(800, 600, 0, 60, true);
  platform::SetGraphicsBackend(platform::Backend::Default);
  if (!open) {
    state.SkipWithError("no software canvas");
    return;
  }
  RunFrames(state);
}
BENCHMARK(BM_LevelFrameSoftware)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LevelFrameDefault(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  if (!platform::OpenGraphics(800, 600, 0, 60, false)) {
    platform::CloseGraphics();
    state.SkipWithError("no window on the offscreen driver");
    return;
  }
  RunFrames(state);
}
BENCHMARK(BM_LevelFrameDefault)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LevelFrameOpenGL(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  platform::SetGraphicsBackend(platform::Backend::OpenGL);
  const bool open = platform::OpenGraphics(800, 600, 0, 60, false) && platform::GraphicsRendererName() == "opengl";
  platform::SetGraphicsBackend(platform::Backend::Default);
  if (!open) {
    platform::CloseGraphics();
    state.SkipWithError("no OpenGL renderer on the offscreen driver");
    return;
  }
  RunFrames(state);
}
BENCHMARK(BM_LevelFrameOpenGL)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
