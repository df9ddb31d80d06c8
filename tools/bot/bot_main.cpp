// The campaign bot: plays levels of the built game through the player's own
// controls, headless, each run in a child process, and writes the report
// table (level, type, machines, box kinds, won, time, score).
//
//   kelp_bot [--levels A-B,C,...] [--seeds N] [--jobs J] [--report FILE]
//
// Run from the build folder (it holds the game's data). A level is tried
// with seeds 1..N until one wins. Exit status 0 when every level was won.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bot_run.h"
#include "framework/files/pak.h"
#include "level_facts.h"

namespace fs = std::filesystem;

namespace {

std::string Arg(int argc, char** argv, const char* name, const char* fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
  return fallback;
}

struct Job {
  int level = 0;
  unsigned seed = 1;
  std::string path;
};

pid_t Launch(const Job& job) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    // Each game its own save folder: the game runs once per save folder.
    const fs::path appdata = fs::path(job.path).parent_path() / ("appdata-" + std::to_string(getpid()));
    fs::create_directories(appdata);
    setenv("APPDATA", appdata.c_str(), 1);
    const std::string level = std::to_string(job.level), seed = std::to_string(job.seed);
    execl("/proc/self/exe", "kelp_bot", "--child", level.c_str(), seed.c_str(), job.path.c_str(),
          static_cast<char*>(nullptr));
    std::_Exit(127);
  }
  return pid;
}

// "A-B", "A" or a comma list of both; empty when malformed.
std::vector<int> ParseLevels(const std::string& text) {
  std::vector<int> out;
  size_t at = 0;
  while (at <= text.size()) {
    const size_t comma = std::min(text.find(',', at), text.size());
    const std::string part = text.substr(at, comma - at);
    int lo = 0, hi = 0;
    char tail = 0;
    if (std::sscanf(part.c_str(), "%d-%d%c", &lo, &hi, &tail) == 2) {
    } else if (std::sscanf(part.c_str(), "%d%c", &lo, &tail) == 1) {
      hi = lo;
    } else {
      return {};
    }
    if (lo < 1 || hi < lo || hi > 999) return {};
    for (int l = lo; l <= hi; ++l) out.push_back(l);
    at = comma + 1;
  }
  return out;
}

const char* TypeName(int t) {
  switch (t) {
    case 1: return "1 clear";
    case 2: return "2 fill+clear";
    case 4: return "4 clear, fed";
    case 10: return "10 clear (6)";
    case 20: return "20 fill+clear (6)";
    case 100: return "100 clear (7)";
    case 200: return "200 fill+clear (7)";
    default: return "?";
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--child") == 0) {
    bot::RunOptions o;
    o.level = std::atoi(argv[2]);
    o.seed = static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10));
    o.result_path = argv[4];
    bot::RunLevel(o);
  }
  const std::string levels = Arg(argc, argv, "--levels", "1-67");
  const std::vector<int> list = ParseLevels(levels);
  if (list.empty()) {
    std::fprintf(stderr, "kelp_bot: --levels wants A-B, A or a list A,B-C, not \"%s\"\n", levels.c_str());
    return 2;
  }
  const int seeds = std::max(1, std::atoi(Arg(argc, argv, "--seeds", "3").c_str()));
  const int jobs = std::max(1, std::atoi(Arg(argc, argv, "--jobs", "3").c_str()));
  const std::string report = Arg(argc, argv, "--report", "bot-report.md");
  if (!fs::exists("res.xml")) {
    std::fprintf(stderr, "kelp_bot: run it from the build folder (no res.xml here)\n");
    return 2;
  }
  char tmpl[] = "/tmp/kelp-bot-XXXXXX";
  if (!mkdtemp(tmpl)) {
    std::perror("kelp_bot: mkdtemp");
    return 2;
  }
  const fs::path work = tmpl;

  // Per level: the best result so far (a win stops the seeds).
  std::map<int, bot::RunResult> best;
  std::map<pid_t, Job> running;
  std::vector<Job> queue;
  for (int l : list) queue.push_back({l, 1, (work / ("level" + std::to_string(l) + "-1.txt")).string()});
  size_t next = 0;
  while (next < queue.size() || !running.empty()) {
    while (running.size() < static_cast<size_t>(jobs) && next < queue.size()) {
      const Job job = queue[next++];
      running[Launch(job)] = job;
    }
    int status = 0;
    const pid_t pid = wait(&status);
    if (pid < 0) break;
    const auto it = running.find(pid);
    if (it == running.end()) continue;
    const Job job = it->second;
    running.erase(it);
    const bot::RunResult r = bot::ReadResult(job.path, job.level, job.seed);
    std::printf("level %2d seed %u: %-9s %4d s of %4d, score %d\n", r.level, r.seed, r.outcome.c_str(), r.seconds,
                r.limit, r.score);
    std::fflush(stdout);
    auto& b = best[job.level];
    if (b.outcome != "won") b = r;
    if (r.outcome != "won" && static_cast<int>(job.seed) < seeds)
      queue.push_back({job.level, job.seed + 1,
                       (work / ("level" + std::to_string(job.level) + "-" + std::to_string(job.seed + 1) + ".txt"))
                           .string()});
  }

  std::ofstream out(report, std::ios::trunc);
  out << "| level | stage | island | type | machines | box kinds | won | time (s) | limit (s) | score | seed |\n";
  out << "|---|---|---|---|---|---|---|---|---|---|---|\n";
  int won = 0;
  // The table in level order, whatever order the levels were played in.
  std::vector<int> rows = list;
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  for (int l : rows) {
    const bot::LevelFacts f = bot::ReadLevelFacts(l);
    const bot::RunResult& r = best[l];
    won += r.outcome == "won";
    out << "| " << l << " | " << f.stage << " | " << f.island << " | " << TypeName(f.gametype) << " | " << f.machines
        << " | " << f.boxes << " | " << (r.outcome == "won" ? "yes" : "no (" + r.outcome + ")") << " | " << r.seconds
        << " | " << r.limit << " | " << r.score << " | " << r.seed << " |\n";
  }
  out << "\n" << won << " of " << rows.size() << " levels won, NORMAL mode, up to " << seeds << " seeds each.\n";
  out.close();
  std::printf("%d of %d levels won; table in %s\n", won, static_cast<int>(rows.size()), report.c_str());
  fs::remove_all(work);
  return won == static_cast<int>(rows.size()) ? 0 : 1;
}
