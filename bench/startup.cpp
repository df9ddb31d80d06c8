// Start-up and the idle main menu.
//   BM_StartToFirstMenuFrame: a fresh "kelp --headless --frames 1" process, from
//     its start to the end of its first menu frame, the tick waits and the
//     splash's fixed waits left out. /1 still draws the splash's 100 fade
//     frames; /0 runs a copy of the game in a folder without the splash.
//   BM_MenuFrame: one frame of the main menu, not waiting for the tick.
//   BM_IdleCpu: a fresh "kelp" process left alone, at the main menu (/0) or
//     in the busiest level (/7, a debug start from the command line), measured from
//     outside over 20 s once it has settled: cpu_percent is its CPU time over
//     the wall time, vmhwm_mib its peak resident memory.
// They run on the data beside the game (build/<type>/data and res.xml), with
// the offscreen video driver unless SDL_VIDEODRIVER says otherwise (x11 with
// DISPLAY on an X server shows the present as a player's desktop does);
// "data_set" tells whether a resource list was there.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

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

// The CPU seconds and the peak resident memory of a running process, from /proc.
bool ProcessUsage(pid_t pid, double& cpu_seconds, double& hwm_mib) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return false;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  unsigned long long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) utime = std::stoull(field);
    if (i == 15) stime = std::stoull(field);
  }
  cpu_seconds = double(utime + stime) / double(sysconf(_SC_CLK_TCK));
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) hwm_mib = std::stod(line.substr(6)) / 1024.0;
  return true;
}

void BM_IdleCpu(benchmark::State& state) {
  Environment();
  const std::string game = (GameFolder() / "kelp").string();
  const std::string level = std::to_string(state.range(0));
  std::string debug = "debug";
  std::vector<char*> argv{const_cast<char*>(game.c_str())};
  // A bare level number opens the menu; the debug start goes into the level.
  if (state.range(0) > 0) {
    argv.push_back(debug.data());
    argv.push_back(const_cast<char*>(level.c_str()));
  }
  argv.push_back(nullptr);
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, game.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("cannot start the game");
      return;
    }
    // The splash, the loading and the screen's fade-in.
    std::this_thread::sleep_for(std::chrono::seconds(12));
    double c0 = 0, c1 = 0, hwm = 0;
    const auto t0 = std::chrono::steady_clock::now();
    const bool first = ProcessUsage(pid, c0, hwm);
    std::this_thread::sleep_for(std::chrono::seconds(20));
    const bool second = ProcessUsage(pid, c1, hwm);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!first || !second) {
      state.SkipWithError("the game ended before it was measured");
      return;
    }
    state.counters["cpu_percent"] = 100.0 * (c1 - c0) / wall;
    state.counters["vmhwm_mib"] = hwm;
  }
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  state.SetLabel(driver ? driver : "");
}
BENCHMARK(BM_IdleCpu)->Arg(0)->Arg(7)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
