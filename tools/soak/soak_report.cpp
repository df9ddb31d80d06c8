#include "soak_report.h"

#include <sys/wait.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>

namespace soak {

RunResult ReadRun(const std::string& stats_path, int status, bool refusal_ok) {
  RunResult r;
  std::ifstream in(stats_path);
  int exit_code = -1;
  bool have_stats = false;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    have_stats = true;
    if (key == "frames") words >> r.frames;
    else if (key == "quit") words >> r.quit;
    else if (key == "exit_code") words >> exit_code;
    else if (key == "bad_particles") words >> r.bad_particles;
    else if (key == "first_bad") std::getline(words >> std::ws, r.first_bad);
    else if (key == "rss_early") words >> r.rss_early >> r.rss_early_frame;
    else if (key == "tour") {
      words >> r.tour_frames;
      for (long kib = 0; words >> kib;) r.tour_rss.push_back(kib);
    } else if (key == "tour_live") {
      for (long kib = 0; words >> kib;) r.tour_live.push_back(kib);
    } else if (key == "tour_failed") {
      std::string name;
      std::getline(words >> std::ws, name);
      r.tour_failed.push_back(name);
    }
    else if (key == "rss_late") words >> r.rss_late;
    else if (key == "live") words >> r.live_early >> r.live_late;
    else if (key == "peak") words >> r.peak;
    else if (key == "quits_turned_back") words >> r.quits_turned_back;
    else if (key == "input") words >> r.moves >> r.clicks >> r.button_clicks >> r.drags >> r.keys >> r.focus_losses;
    else if (key == "screen") {
      long n = 0;
      std::string name;
      words >> n;
      std::getline(words >> std::ws, name);
      r.screens[name] += n;
    }
  }
  if (WIFSIGNALED(status)) {
    r.why = std::string("killed by signal ") + strsignal(WTERMSIG(status));
  } else if (!have_stats) {
    r.why = "ended with code " + std::to_string(WEXITSTATUS(status)) + " and no stats";
  } else if (WEXITSTATUS(status) != exit_code) {
    // A sanitizer report changes the exit code after the stats were written.
    r.why = "ended with code " + std::to_string(WEXITSTATUS(status)) + " after stats of code " +
            std::to_string(exit_code);
  } else if (exit_code != 0 && !refusal_ok) {
    r.why = "the game ended with code " + std::to_string(exit_code);
  } else if (!r.tour_failed.empty()) {
    r.why = "the tour could not open " + r.tour_failed.front();
  } else {
    r.ok = true;
  }
  return r;
}

namespace {

// Each screen of the game and the widget classes that show it; levels by
// their kind.
struct Screen {
  const char* name;
  std::vector<std::string> classes;
};

const std::vector<Screen>& GameScreens() {
  static const std::vector<Screen> screens = {
      {"menu", {"TMainMenu"}},
      {"player selection", {"TUserOptions"}},
      {"options", {"TOptions"}},
      {"map", {"TMapMode"}},
      {"level select", {"TLevelSelect"}},
      {"level of kind 1", {"TGame type 1"}},
      {"level of kind 2", {"TGame type 2"}},
      {"level of kind 4", {"TGame type 4"}},
      {"level of kind 10", {"TGame type 10"}},
      {"level of kind 20", {"TGame type 20"}},
      {"level of kind 100", {"TGame type 100"}},
      {"level of kind 200", {"TGame type 200"}},
      {"pause menu", {"TGameMenu"}},
      {"results", {"TLevelComplete", "TGameComplete"}},
      {"game over", {"TGameOver"}},
      {"village", {"TVillageMode"}},
      {"dialogs", {"TDialogGame", "TDialogVillage"}},
      {"trophy room", {"TTrophyRoom"}},
      {"comic", {"TComics"}},
      {"credits", {"TCredits"}},
      {"help", {"THelp"}},
  };
  return screens;
}

}  // namespace

bool IsScreenClass(const std::string& name) {
  for (const Screen& s : GameScreens())
    for (const std::string& c : s.classes)
      if (c == name) return true;
  return false;
}

std::map<std::string, long> Report::Screens() const {
  std::map<std::string, long> screens;
  for (const auto& r : runs_)
    for (const auto& [name, n] : r.screens) screens[name] += n;
  return screens;
}

std::vector<std::string> Report::Missing() const {
  const auto seen = Screens();
  std::vector<std::string> missing;
  for (const Screen& s : GameScreens()) {
    bool found = false;
    for (const std::string& c : s.classes) found = found || seen.count(c) > 0;
    if (!found) missing.push_back(s.name);
  }
  return missing;
}

const RunResult* Report::Longest() const {
  const RunResult* longest = nullptr;
  for (const auto& r : runs_)
    if (r.rss_early > 0 && (!longest || r.frames > longest->frames)) longest = &r;
  return longest;
}

double Report::MemoryGrowth() const {
  const RunResult* longest = Longest();
  if (!longest || longest->live_early <= 0) return 0.0;
  return static_cast<double>(longest->live_late) / static_cast<double>(longest->live_early) - 1.0;
}

double Report::ResidentGrowth() const {
  const RunResult* longest = Longest();
  if (!longest) return 0.0;
  return static_cast<double>(longest->rss_late) / static_cast<double>(longest->rss_early) - 1.0;
}

bool Report::Passed(const Demands& demands) const {
  for (const auto& r : runs_)
    if (!r.ok || r.bad_particles) return false;
  if (demands.every_screen && !Missing().empty()) return false;
  return !demands.memory || MemoryGrowth() <= 0.10;
}

void Report::Print(std::FILE* out, const std::string& work, const Demands& demands) const {
  long frames = 0, quits = 0, bad = 0, peak = 0;
  RunResult total;
  const std::map<std::string, long> screens = Screens();
  for (const auto& r : runs_) {
    frames += r.frames;
    quits += r.quit && r.ok;
    bad += r.bad_particles;
    peak = std::max(peak, r.peak);
    total.moves += r.moves;
    total.clicks += r.clicks;
    total.button_clicks += r.button_clicks;
    total.drags += r.drags;
    total.keys += r.keys;
    total.focus_losses += r.focus_losses;
  }
  std::fprintf(out, "soak: %ld frames in %zu runs (%ld ended by the game's own quit), work folder %s\n", frames,
               runs_.size(), quits, work.c_str());
  std::fprintf(out, "input: %ld moves, %ld clicks (%ld on widgets), %ld drags, %ld keys, %ld focus losses\n",
               total.moves, total.clicks, total.button_clicks, total.drags, total.keys, total.focus_losses);
  std::fprintf(out, "screens reached (frames on show):\n");
  for (const auto& [name, n] : screens) std::fprintf(out, "  %8ld  %s\n", n, name.c_str());
  std::fprintf(out, "the game's screens:");
  const auto missing = Missing();
  for (const Screen& s : GameScreens()) {
    const bool seen = std::find(missing.begin(), missing.end(), s.name) == missing.end();
    std::fprintf(out, "%s %s%s", &s == &GameScreens().front() ? "" : ",", s.name, seen ? "" : " (NOT REACHED)");
  }
  std::fprintf(out, "\n%s\n", missing.empty() ? "every screen reached" : "some screens not reached");
  std::fprintf(out, "bad particles: %ld\n", bad);
  for (const auto& r : runs_)
    if (!r.first_bad.empty()) std::fprintf(out, "  first: %s\n", r.first_bad.c_str());
  std::fprintf(out, "peak memory: %ld KiB\n", peak);
  for (size_t i = 0; i < runs_.size(); ++i) {
    const auto& r = runs_[i];
    std::fprintf(out, "run %zu (%s): %ld frames, resident %ld KiB after frame %ld, %ld KiB at the end%s%s%s\n", i,
                 r.start.c_str(), r.frames, r.rss_early, r.rss_early_frame, r.rss_late,
                 r.quits_turned_back ? (", the menu's quit turned back " + std::to_string(r.quits_turned_back) + " times").c_str() : "",
                 r.ok ? "" : ", FAILED: ", r.ok ? "" : r.why.c_str());
    if (r.live_early) std::fprintf(out, "    live heap: %ld KiB then, %ld KiB at the end\n", r.live_early, r.live_late);
    if (r.tour_frames) {
      std::fprintf(out, "    tour: %ld frames; resident after each pass (KiB):", r.tour_frames);
      for (long kib : r.tour_rss) std::fprintf(out, " %ld", kib);
      std::fprintf(out, "; live heap:");
      for (long kib : r.tour_live) std::fprintf(out, " %ld", kib);
      std::fprintf(out, "\n");
    }
    if (!r.damaged.empty()) std::fprintf(out, "    damaged: %s%s\n", r.damaged.c_str(), r.quit ? " (the game ended itself)" : "");
  }
  if (demands.memory)
    std::fprintf(out, "memory growth of the longest run: live heap %+.1f%% (resident set %+.1f%%)\n",
                 MemoryGrowth() * 100.0, ResidentGrowth() * 100.0);
  std::fprintf(out, "%s\n", Passed(demands) ? "PASSED" : "FAILED");
}

}  // namespace soak
