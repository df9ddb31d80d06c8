#pragma once
// The soak's runs read back from their stats files and summed up.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace soak {

struct RunResult {
  bool ok = false;  // ended by its frame budget or a clean quit
  std::string why;  // when not ok
  long frames = 0;
  int quit = 0;
  long bad_particles = 0;
  std::string first_bad;
  long rss_early = 0, rss_late = 0, peak = 0;
  long rss_early_frame = 0;  // the frame of the early reading
  long live_early = 0, live_late = 0;  // the program's live heap then, KiB
  long tour_frames = 0;              // frames of the guided tour
  std::vector<long> tour_rss;        // resident set after each pass of the tour
  std::vector<long> tour_live;       // and the live heap
  std::vector<std::string> tour_failed;  // tour steps whose screen did not open
  long quits_turned_back = 0;  // the menu's quit, answered by showing the menu again
  long moves = 0, clicks = 0, button_clicks = 0, drags = 0, keys = 0, focus_losses = 0;
  std::map<std::string, long> screens;
  std::string start;    // how the run started: the menu or its game arguments
  std::string damaged;  // the data file damaged before the run, if any
};

// Whether widgets of the class show one of the game's screens (soak_watch.h
// counts them whatever their size).
bool IsScreenClass(const std::string& name);

// `status` is the child's wait status. With `refusal_ok` (a damaged data set)
// a clean exit with a code of the game's own is a good end too.
RunResult ReadRun(const std::string& stats_path, int status, bool refusal_ok = false);

// What a run must show, besides ending well: the live heap's growth within
// 10% and every screen of the game reached.
struct Demands {
  bool memory = false;
  bool every_screen = false;
};

class Report {
 public:
  void Add(const RunResult& run) { runs_.push_back(run); }
  void Print(std::FILE* out, const std::string& work, const Demands& demands) const;
  bool Passed(const Demands& demands) const;

 private:
  // The game's screens not seen in any run.
  std::vector<std::string> Missing() const;
  std::map<std::string, long> Screens() const;
  // The longest run with an early memory reading, or null.
  const RunResult* Longest() const;
  // The longest run's late live heap over its early one: the demand. The
  // resident set also holds what the allocator keeps for itself (freed
  // memory it has not returned; under the sanitizer its quarantine, its
  // size-class caches and their shadow), which grows without the game's
  // memory growing, so it is reported beside.
  double MemoryGrowth() const;
  double ResidentGrowth() const;
  std::vector<RunResult> runs_;
};

}  // namespace soak
