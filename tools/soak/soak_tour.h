#pragma once
// The long run's guided tour: every screen of the game opened once through
// the game's own entry points (the menu's dialogs, the map, the level select,
// a level of each kind with its pause menu, results and game over, both
// villages with their dialogs, the trophy room, the comic, the credits, the
// help), a few hundred frames each, so that pictures decoded on first use
// are in memory before the soak takes its memory baseline. Between steps the
// game is brought back to the main menu. The level steps use the debug
// start's win and loss keys, so the run is started with "debug".
#include <string>
#include <vector>

namespace soak {

class SoakTour {
 public:
  // `passes` tours one after the other (1 for the long run; more to see
  // whether memory grows from one pass to the next).
  explicit SoakTour(int passes) : passes_(passes) {}

  // One frame of the tour's input; false once every pass is done.
  bool Step();
  bool Done() const { return pass_ >= passes_; }
  // One more pass, once the ones asked for are done.
  void Again() { ++passes_; }
  long frames() const { return frames_; }
  // The resident set after each finished pass, KiB.
  const std::vector<long>& rss_after_pass() const { return rss_; }
  // The program's live heap after each finished pass, KiB.
  const std::vector<long>& live_after_pass() const { return live_; }
  // Steps whose screen would not open (a level that did not start).
  const std::vector<std::string>& failures() const { return failures_; }

 private:
  bool Naming();
  void Begin(size_t step);
  void Act(size_t step, int since);

  int passes_;
  int pass_ = 0;
  size_t step_ = 0;
  int since_ = -1;  // frames into the current step; -1 before it began
  long frames_ = 0;
  int key_up_ = 0;  // a key to let go next frame
  bool named_ = false;
  int naming_frames_ = 0, typed_ = 0;
  std::vector<long> rss_, live_;
  std::vector<std::string> failures_;
};

}  // namespace soak
