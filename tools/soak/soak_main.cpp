// The soak: the real game, headless, on the bundled data, played with random
// but plausible input for many frames, in child processes of this program so
// that a quit, a crash or a sanitizer report ends one run and is reported.
//
//   soak --frames N [--seed S] [--work DIR] [--segment F] [--levels A-B]
//        [--memory] [--readonly] [--damage] [--args "..."]
//
// Player files go to DIR/appdata (a fresh temporary folder unless given), so a
// later run reads what an earlier one saved.
//   --segment F   a new game process every F frames (the player restarts)
//   --levels A-B  every run after the first starts at a random level A..B
//                 (a debug start) instead of the menu
//   --memory      the resident set after the longest run's last frame must be
//                 within 10% of that after a tenth of its frames
//   --readonly    the save folder is made read-only at a random moment of each
//                 run and writable again after it
//   --damage      each run plays a copy of the data set with one file
//                 damaged (cut, scrambled or removed); the game may refuse it
//                 with a message and an exit code, never crash
//   --kill-saves K  instead of playing: K runs that save the player's files
//                 often and are killed in the middle of a save; after each,
//                 every file must be whole (old or new), and at the end the
//                 game must start and play on them
// Exits 0 when every run ended well and no particle went bad.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "soak_child.h"
#include "soak_damage.h"
#include "soak_report.h"
#include "soak_saves.h"

namespace fs = std::filesystem;

namespace {

std::string Arg(int argc, char** argv, const char* name, const std::string& fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
  return fallback;
}

bool Flag(int argc, char** argv, const char* name) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return true;
  return false;
}

void SetWritable(const fs::path& dir, bool writable) {
  std::error_code ec;
  const auto perms = fs::perms::owner_write | fs::perms::group_write;
  for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (it->is_directory(ec)) fs::permissions(it->path(), perms, writable ? fs::perm_options::add : fs::perm_options::remove, ec);
  }
  fs::permissions(dir, perms, writable ? fs::perm_options::add : fs::perm_options::remove, ec);
}

// Waits for the child; with a read-only moment, takes the save folder's
// write permission away after `readonly_after` and gives it back at the end.
int WaitChild(pid_t pid, const fs::path& appdata, double readonly_after) {
  int status = 0;
  if (readonly_after < 0) {
    waitpid(pid, &status, 0);
    return status;
  }
  const auto start = std::chrono::steady_clock::now();
  bool locked = false;
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!locked && elapsed >= readonly_after) {
      SetWritable(appdata, false);
      locked = true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  SetWritable(appdata, true);
  return status;
}

pid_t StartChild(const std::string& exe, long frames, uint32_t seed, const std::string& stats, const std::string& args,
                 long kill_at) {
  const std::string frames_text = std::to_string(frames);
  const std::string seed_text = std::to_string(seed);
  const std::string kill_text = std::to_string(kill_at);
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    // The child ends with std::exit, without the game's own teardown, so the
    // leak check at exit would report what the game still holds then (the
    // village's waypoint graph links its nodes both ways). Leaks while
    // playing show as resident memory growth instead.
    std::string asan = getenv("ASAN_OPTIONS") ? getenv("ASAN_OPTIONS") : "";
    setenv("ASAN_OPTIONS", (asan + (asan.empty() ? "" : ":") + "detect_leaks=0").c_str(), 1);
    execl(exe.c_str(), "soak", "--child", "--frames", frames_text.c_str(), "--seed", seed_text.c_str(), "--stats",
          stats.c_str(), "--args", args.c_str(), "--kill-at", kill_text.c_str(), static_cast<char*>(nullptr));
    std::_Exit(127);
  }
  return pid;
}

// K runs killed in the middle of a save, each followed by a check of every
// per-user file; then one ordinary run on what is left.
int KillSaves(int kills, uint32_t seed, const std::string& work, const fs::path& appdata) {
  std::mt19937 rng(seed);
  int killed = 0, ended = 0;
  std::vector<std::string> broken;
  for (int run = 0; run < kills && broken.empty(); ++run) {
    const auto before = soak::Snapshot(appdata);
    const long kill_at = std::uniform_int_distribution<long>(1, 40)(rng);
    const std::string stats = work + "/kill-stats.txt";
    const pid_t pid = StartChild("/proc/self/exe", 2000, seed + static_cast<uint32_t>(run) * 7919u, stats, "", kill_at);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) {
      ++killed;
    } else if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
      ++ended;  // the budget ran out before the chosen stage
    } else {
      broken.push_back("run " + std::to_string(run) + " ended with wait status " + std::to_string(status));
    }
    for (const auto& why : soak::BrokenSaves(appdata, before)) broken.push_back("run " + std::to_string(run) + ": " + why);
  }
  // The game starts and plays on the files the kills left.
  const std::string stats = work + "/after-kills.txt";
  int status = 0;
  waitpid(StartChild("/proc/self/exe", 300, seed, stats, "", 0), &status, 0);
  const soak::RunResult after = soak::ReadRun(stats, status);
  std::printf("soak: %d runs killed during a save, %d ended first; a start afterwards %s\n", killed, ended,
              after.ok ? "played 300 frames" : ("failed: " + after.why).c_str());
  for (const auto& why : broken) std::printf("soak: broken save: %s\n", why.c_str());
  const bool passed = broken.empty() && after.ok && killed > 0;
  std::printf("soak %s\n", passed ? "PASSED" : "FAILED");
  return passed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const long frames = std::atol(Arg(argc, argv, "--frames", "2000").c_str());
  const auto seed = static_cast<uint32_t>(std::strtoul(Arg(argc, argv, "--seed", "1").c_str(), nullptr, 10));
  const std::string game_args = Arg(argc, argv, "--args", "");

  if (Flag(argc, argv, "--child")) {
    soak::ChildOptions o;
    o.frames = frames;
    o.seed = seed;
    o.stats_path = Arg(argc, argv, "--stats", "soak-stats.txt");
    o.args = game_args;
    o.kill_at = std::atol(Arg(argc, argv, "--kill-at", "0").c_str());
    soak::RunChild(o);
  }

  const long segment = std::atol(Arg(argc, argv, "--segment", "0").c_str());
  int level_lo = 0, level_hi = 0;
  if (const std::string levels = Arg(argc, argv, "--levels", ""); !levels.empty()) {
    if (std::sscanf(levels.c_str(), "%d-%d", &level_lo, &level_hi) != 2 || level_lo < 1 || level_hi < level_lo) {
      std::fprintf(stderr, "soak: --levels wants A-B with 1 <= A <= B, not \"%s\"\n", levels.c_str());
      return 2;
    }
  }
  const bool memory = Flag(argc, argv, "--memory");
  const bool readonly = Flag(argc, argv, "--readonly");
  const bool damage = Flag(argc, argv, "--damage");

  std::string work = Arg(argc, argv, "--work", "");
  if (work.empty()) {
    char tmpl[] = "/tmp/kelp-soak-XXXXXX";
    if (!mkdtemp(tmpl)) {
      std::perror("soak: mkdtemp");
      return 2;
    }
    work = tmpl;
  }
  work = fs::absolute(work).string();
  const fs::path appdata = fs::path(work) / "appdata";
  fs::create_directories(appdata);
  setenv("APPDATA", appdata.c_str(), 1);

  if (const int kills = std::atoi(Arg(argc, argv, "--kill-saves", "0").c_str()); kills > 0)
    return KillSaves(kills, seed, work, appdata);

  std::mt19937 rng(seed);
  soak::Report report;
  long left = frames;
  for (int run = 0; left > 0; ++run) {
    const long budget = segment > 0 ? std::min(segment, left) : left;
    const std::string stats = work + "/stats-" + std::to_string(run) + ".txt";
    fs::remove(stats);
    std::string args = game_args;
    if (level_lo > 0 && run > 0) {
      args += " debug " + std::to_string(std::uniform_int_distribution<int>(level_lo, level_hi)(rng));
    }
    std::string exe = "/proc/self/exe";
    std::string damaged;
    if (damage) {
      const auto copy = soak::DamagedCopy(fs::canonical("/proc/self/exe"), fs::path(work) / "game", rng);
      exe = copy.executable.string();
      damaged = copy.what;
    }
    const pid_t pid = StartChild(exe, budget, seed + static_cast<uint32_t>(run) * 7919u, stats, args, 0);
    // A read-only moment somewhere in the run's first seconds.
    const double readonly_after =
        readonly ? std::uniform_real_distribution<double>(0.2, 3.0)(rng) : -1.0;
    const int status = WaitChild(pid, appdata, readonly_after);
    soak::RunResult result = soak::ReadRun(stats, status, damage);
    result.start = args.empty() ? "menu" : args;
    result.damaged = damaged;
    report.Add(result);
    if (!result.ok) break;
    left -= std::max(1L, result.frames);
  }
  report.Print(stdout, work, memory);
  return report.Passed(memory) ? 0 : 1;
}
