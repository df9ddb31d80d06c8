// Start-up and the idle main menu.
//   BM_StartToFirstMenuFrame: a fresh "kelp --headless --frames 1" process, from
//     its start to the end of its first menu frame, the tick waits and the
//     splash's fixed waits left out. /1 still draws the splash's 100 fade
//     frames; /0 runs a copy of the game in a folder without the splash.
//   BM_MenuFrame: one frame of the main menu, not waiting for the tick.
//   BM_IdleMenuCpu: 110 menu frames (2 s) at the real 55 Hz; the counter
//     cpu_percent is the process's CPU time over the wall time.
// They run on the data beside the game (build/<type>/data and res.xml), with
// the offscreen video driver; "data_set" tells whether a resource list was there.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/frame_loop.h"
#include "app/startup.h"
#include "framework/core/frame_clock.h"
#include "platform/files.h"
#include "platform/frame_timer.h"
#include "platform/system.h"
#include "platform/window.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The build folder: the game and its data one level above the benchmarks.
fs::path GameFolder() { return fs::path(platform::ProgramFolder()).parent_path().parent_path(); }

fs::path AppDataPath() { return fs::temp_directory_path() / ("kelp-bench-" + std::to_string(getpid())); }

const fs::path& AppData() {
  static const fs::path dir = [] {
    fs::create_directories(AppDataPath());
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(AppDataPath(), ec);
    });
    return AppDataPath();
  }();
  return dir;
}

void Environment() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("APPDATA", AppData().c_str(), 1);
}

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

// A copy of the game beside links to its data, without the splash description.
fs::path GameWithoutSplash() {
  const fs::path dir = AppData() / "game";
  if (!fs::exists(dir)) {
    fs::create_directories(dir);
    for (const auto& entry : fs::directory_iterator(GameFolder())) {
      const std::string name = entry.path().filename().string();
      if (name == "data" || name == "res.xml" || name.rfind("Kelp.", 0) == 0) fs::create_symlink(entry.path(), dir / name);
    }
    // The game's folder is that of the executable itself, so it is copied, not linked.
    fs::copy_file(GameFolder() / "kelp", dir / "kelp");
  }
  return dir / "kelp";
}

void BM_StartToFirstMenuFrame(benchmark::State& state) {
  Environment();
  const std::string game = state.range(0) ? (GameFolder() / "kelp").string() : GameWithoutSplash().string();
  char* argv[] = {const_cast<char*>(game.c_str()), const_cast<char*>("--headless"), const_cast<char*>("--frames"),
                  const_cast<char*>("1"), nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, game.c_str(), nullptr, nullptr, argv, environ) != 0) {
      state.SkipWithError("cannot start the game");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the game did not end with exit code 0");
      return;
    }
  }
  state.SetLabel(fs::exists(GameFolder() / "res.xml") || fs::exists(GameFolder() / "data/res.xml") ? "data_set"
                                                                                                   : "no data set");
}
BENCHMARK(BM_StartToFirstMenuFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// Starts the game once in this process and leaves it at the menu.
bool StartToMenu() {
  static bool started = false;
  if (started) return true;
  started = true;
  Environment();
  fs::current_path(GameFolder());
  platform::SetExitFunction([](int) {});
  platform::SetFrameWaitHook([] { return 1; });
  kelp::SplashWaits = 0;
  kelp::FrameLimit = 30;  // past the menu's fade-in
  kelp::AppArguments = {"kelp"};
  kelp::GameMain();
  kelp::AppRunning = 1;
  return platform::GraphicsOpen();
}

void BM_MenuFrame(benchmark::State& state) {
  if (!StartToMenu()) {
    state.SkipWithError("no graphics");
    return;
  }
  platform::SetFrameWaitHook([] { return 1; });
  for (auto _ : state) kelp::UpdateFrame();
}
BENCHMARK(BM_MenuFrame)->Unit(benchmark::kMillisecond);

void BM_IdleMenuCpu(benchmark::State& state) {
  if (!StartToMenu()) {
    state.SkipWithError("no graphics");
    return;
  }
  platform::SetFrameWaitHook({});
  kelp::FrameTimer = std::make_unique<platform::FrameTimer>(55);
  double cpu = 0.0, wall = 0.0;
  for (auto _ : state) {
    const double c0 = CpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < 110; ++i) kelp::UpdateFrame();
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    cpu += CpuSeconds() - c0;
  }
  state.counters["cpu_percent"] = 100.0 * cpu / wall;
}
BENCHMARK(BM_IdleMenuCpu)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
