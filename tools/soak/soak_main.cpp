// The soak: the real game, headless, on the bundled data, played with random
// but plausible input for many frames, in child processes of this program so
// that a quit, a crash or a sanitizer report ends one run and is reported.
//
//   soak --frames N [--seed S] [--work DIR] [--segment F] [--first F]
//        [--levels LIST] [--villages LIST] [--memory] [--every-screen]
//        [--readonly] [--damage] [--tour P] [--args "..."]
//
// Player files go to DIR/appdata (a fresh temporary folder unless given), so a
// later run reads what an earlier one saved.
//   --segment F   a new game process every F frames (the player restarts)
//   --first F     the first run (from the menu) lasts F frames, the later
//                 ones --segment frames; the menu's quit does not end it (the
//                 menu comes back), so that it lives through all its frames
//   --levels LIST, --villages LIST  the runs after the first take turns:
//                 a level (a debug start at a level of LIST), a village (a
//                 debug start in the village before a stage of LIST) and the
//                 menu. LIST is numbers and ranges, "2-11" or "6,2,14-16";
//                 each run takes the next of LIST in a shuffled order
//   --tour P      the first run starts with P passes of the guided tour of
//                 every screen (soak_tour.h), as a debug start from the menu,
//                 and plays randomly after them; its memory baseline is taken
//                 after the tour, at a tenth of its frames at the earliest
//   --tour-every F  and one more pass every F frames of that run
//   --memory      the live heap (what the program holds allocated, as the
//                 allocator counts it) after the longest run's last frame must
//                 be within 10% of that after a tenth of its frames; the
//                 resident set's growth is printed beside it
//   --every-screen  every screen of the game must have been on show
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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

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
                 long kill_at, bool stay = false, int tours = 0, long tour_every = 0) {
  const std::string frames_text = std::to_string(frames);
  const std::string tours_text = std::to_string(tours);
  const std::string every_text = std::to_string(tour_every);
  const std::string seed_text = std::to_string(seed);
  const std::string kill_text = std::to_string(kill_at);
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    execl(exe.c_str(), "soak", "--child", "--frames", frames_text.c_str(), "--seed", seed_text.c_str(), "--stats",
          stats.c_str(), "--args", args.c_str(), "--kill-at", kill_text.c_str(), "--tours", tours_text.c_str(),
          "--tour-every", every_text.c_str(), stay ? "--stay" : "--go", static_cast<char*>(nullptr));
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

// "6,2,14-16" -> {6, 2, 14, 15, 16}; empty when malformed or out of lo..hi.
std::vector<int> ParseList(const std::string& text, int lo, int hi) {
  std::vector<int> out;
  size_t at = 0;
  while (at <= text.size()) {
    const size_t end = std::min(text.find(',', at), text.size());
    const std::string item = text.substr(at, end - at);
    int a = 0, b = 0;
    char tail = 0;
    if (std::sscanf(item.c_str(), "%d-%d%c", &a, &b, &tail) == 2) {
    } else if (std::sscanf(item.c_str(), "%d%c", &a, &tail) == 1) {
      b = a;
    } else {
      return {};
    }
    if (a < lo || b > hi || b < a) return {};
    for (int v = a; v <= b; ++v) out.push_back(v);
    at = end + 1;
  }
  return out;
}

// Hands out the numbers of a list in shuffled order, every one once before
// any comes again.
class Deck {
 public:
  explicit Deck(std::vector<int> items) : items_(std::move(items)) {}
  bool Empty() const { return items_.empty(); }
  int Next(std::mt19937& rng) {
    if (next_ == 0) std::shuffle(items_.begin(), items_.end(), rng);
    const int v = items_[next_];
    next_ = (next_ + 1) % items_.size();
    return v;
  }

 private:
  std::vector<int> items_;
  size_t next_ = 0;
};

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
    o.stay = Flag(argc, argv, "--stay");
    o.tours = std::atoi(Arg(argc, argv, "--tours", "0").c_str());
    o.tour_every = std::atol(Arg(argc, argv, "--tour-every", "0").c_str());
    soak::RunChild(o);
  }

  const long segment = std::atol(Arg(argc, argv, "--segment", "0").c_str());
  const long first = std::atol(Arg(argc, argv, "--first", "0").c_str());
  Deck levels({}), villages({});
  for (auto [name, deck, hi] : {std::tuple{"--levels", &levels, 1000}, std::tuple{"--villages", &villages, 36}}) {
    const std::string text = Arg(argc, argv, name, "");
    if (text.empty()) continue;
    *deck = Deck(ParseList(text, 1, hi));
    if (deck->Empty()) {
      std::fprintf(stderr, "soak: %s wants numbers and ranges from 1 to %d such as 2-11 or 6,2,14-16, not \"%s\"\n",
                   name, hi, text.c_str());
      return 2;
    }
  }
  soak::Demands demands;
  demands.memory = Flag(argc, argv, "--memory");
  demands.every_screen = Flag(argc, argv, "--every-screen");
  const bool readonly = Flag(argc, argv, "--readonly");
  const bool damage = Flag(argc, argv, "--damage");
  const int tours = std::max(0, std::atoi(Arg(argc, argv, "--tour", "0").c_str()));
  const long tour_every = std::max(0L, std::atol(Arg(argc, argv, "--tour-every", "0").c_str()));

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
  // The kinds of start the runs after the first take turns with.
  std::vector<std::string> kinds;
  if (!levels.Empty()) kinds.push_back("level");
  if (!villages.Empty()) kinds.push_back("village");
  if (!kinds.empty()) kinds.push_back("menu");
  for (int run = 0; left > 0; ++run) {
    const long length = run == 0 && first > 0 ? first : segment;
    const long budget = length > 0 ? std::min(length, left) : left;
    const std::string stats = work + "/stats-" + std::to_string(run) + ".txt";
    fs::remove(stats);
    std::string args = game_args;
    // The tour wins and loses levels with the debug start's keys.
    if (run == 0 && tours > 0) args += " debug";
    if (run > 0 && !kinds.empty()) {
      const std::string& kind = kinds[static_cast<size_t>(run - 1) % kinds.size()];
      // A debug start: the level's own win and loss keys work there too.
      if (kind == "level") args += " debug " + std::to_string(levels.Next(rng));
      if (kind == "village") args += " debug village " + std::to_string(villages.Next(rng));
    }
    std::string exe = "/proc/self/exe";
    std::string damaged;
    if (damage) {
      const auto copy = soak::DamagedCopy(fs::canonical("/proc/self/exe"), fs::path(work) / "game", rng);
      exe = copy.executable.string();
      damaged = copy.what;
    }
    const pid_t pid = StartChild(exe, budget, seed + static_cast<uint32_t>(run) * 7919u, stats, args, 0,
                                 run == 0 && first > 0, run == 0 ? tours : 0,
                                 run == 0 && tours > 0 ? tour_every : 0);
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
  report.Print(stdout, work, demands);
  return report.Passed(demands) ? 0 : 1;
}
