#pragma once
// One run of the real game in this process, driven by SoakInput and watched
// by SoakWatch, headless. It ends after the given frames, or earlier when
// the game quits by itself, and writes what it saw to a stats file that the
// driver reads (stats.h).
#include <cstdint>
#include <string>

namespace soak {

struct ChildOptions {
  long frames = 1000;
  uint32_t seed = 1;
  std::string stats_path;
  std::string args;  // extra game arguments, blank-separated
  long kill_at = 0;  // > 0: save often and die at this save stage (soak_saves.h)
  // The main menu's quit brings the menu back instead of ending the process,
  // so that one process lives through all its frames (for its memory).
  bool stay = false;
  // Passes of the guided tour (soak_tour.h) before the random play; the
  // memory baseline waits for them.
  int tours = 0;
  // > 0: one more pass of the tour every so many frames of random play.
  long tour_every = 0;
};

// Never returns: the process ends with the game's exit code, 0 after the
// frames ran out.
[[noreturn]] void RunChild(const ChildOptions& options);

}  // namespace soak
