#include "soak_child.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/frame_loop.h"
#include "app/startup.h"
#include "frontend/main_menu.h"
#include "platform/frame_timer.h"
#include "platform/system.h"
#include "soak_heap.h"
#include "soak_input.h"
#include "soak_saves.h"
#include "soak_tour.h"
#include "soak_watch.h"

namespace soak {

namespace {

struct ChildState {
  ChildOptions options;
  SoakInput* input = nullptr;
  SoakTour* tour = nullptr;
  SoakWatch watch;
  long frame = 0;
  long rss_early = 0;  // after a tenth of the frames, and after the tour
  long rss_early_frame = 0;
  long rss_late = 0;
  HeapStats heap_early, heap_late;  // at the same two moments
  bool quit_turned = false;  // the menu's quit is turned back (options.stay)
  long quits_turned_back = 0;
};

ChildState* g_child = nullptr;

void WriteStats(const ChildState& s, int quit, int exit_code, const std::string& path) {
  std::ofstream out(path, std::ios::trunc);
  out << "frames " << s.frame << "\n";
  out << "quit " << quit << "\n";
  out << "exit_code " << exit_code << "\n";
  out << "bad_particles " << s.watch.bad_particles << "\n";
  if (!s.watch.first_bad.empty()) out << "first_bad " << s.watch.first_bad << "\n";
  out << "rss_early " << s.rss_early << " " << s.rss_early_frame << "\n";
  out << "rss_late " << (s.rss_late ? s.rss_late : ResidentKiB()) << "\n";
  out << "live " << s.heap_early.live_kib << " " << (s.rss_late ? s.heap_late : ReadHeap()).live_kib << "\n";
  out << "peak " << PeakResidentKiB() << "\n";
  out << "quits_turned_back " << s.quits_turned_back << "\n";
  const auto& c = s.input->counts();
  out << "input " << c.moves << " " << c.clicks << " " << c.button_clicks << " " << c.drags << " " << c.keys << " "
      << c.focus_losses << "\n";
  if (s.tour) {
    out << "tour " << s.tour->frames();
    for (long kib : s.tour->rss_after_pass()) out << " " << kib;
    out << "\n";
    out << "tour_live";
    for (long kib : s.tour->live_after_pass()) out << " " << kib;
    out << "\n";
    for (const auto& name : s.tour->failures()) out << "tour_failed " << name << "\n";
  }
  for (const auto& [name, frames] : s.watch.screens) out << "screen " << frames << " " << name << "\n";
  out.flush();
}

// Every so many frames a line to the progress file beside the stats (the
// frame, the resident set, the screens seen so far) and the stats so far, so
// that a long run stopped early still tells how far it got.
void WriteProgress(const ChildState& s) {
  if (s.frame % 5000 == 0) {
    WriteStats(s, 0, -1, s.options.stats_path + ".partial");
    std::fprintf(stderr, "soak: frame %ld\n", s.frame);
    PrintAllocatorStats();
  }
  std::ofstream out(s.options.stats_path + ".progress", std::ios::app);
  out << "frame " << s.frame << " rss " << ResidentKiB() << " " << HeapText(ReadHeap()) << " screens "
      << s.watch.screens.size();
  if (s.tour) out << " tour_passes " << s.tour->rss_after_pass().size();
  out << "\n";
}

int OnFrameWait() {
  ChildState& s = *g_child;
  s.watch.Frame(s.frame);
  ++s.frame;
  if (s.frame % 1000 == 0) WriteProgress(s);
  if (!s.rss_early && s.frame >= std::max(1L, s.options.frames / 10) && (!s.tour || s.tour->Done())) {
    s.rss_early = ResidentKiB();
    s.heap_early = ReadHeap();
    s.rss_early_frame = s.frame;
  }
  if (s.frame >= s.options.frames) {
    s.rss_late = ResidentKiB();
    s.heap_late = ReadHeap();
    WriteStats(s, 0, 0, s.options.stats_path);
    std::fflush(nullptr);
    std::exit(0);
  }
  if (s.options.stay && !s.quit_turned && kelp::ExitGameHook) {
    s.quit_turned = true;
    kelp::ExitGameHook = [] {
      ++g_child->quits_turned_back;
      if (kelp::MainMenuScreen) kelp::MainMenuScreen->StartShow();
      return 0;
    };
  }
  if (s.tour && s.options.tour_every > 0 && s.frame % s.options.tour_every == 0 && s.tour->Done()) s.tour->Again();
  if (!(s.tour && s.tour->Step())) s.input->Step();
  if (s.options.kill_at > 0) StepSaves();
  return 1;  // one tick passed; nobody waits
}

}  // namespace

void RunChild(const ChildOptions& options) {
  static ChildState state;
  static SoakInput input(options.seed);
  state.options = options;
  state.input = &input;
  static SoakTour tour(options.tours);
  if (options.tours > 0) state.tour = &tour;
  g_child = &state;

  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  kelp::SplashWaits = 0;
  kelp::FrameLimit = -1;
  if (options.kill_at > 0) InstallSaveKiller(options.seed, options.kill_at);
  platform::SetFrameWaitHook(OnFrameWait);
  // The game leaving by itself (its quit box, a fatal message) ends the run
  // with what was seen so far.
  platform::SetExitFunction([](int code) {
    WriteStats(*g_child, 1, code, g_child->options.stats_path);
    std::fflush(nullptr);
    std::exit(code);
  });

  std::vector<std::string> words{"kelp"};
  std::istringstream extra(options.args);
  for (std::string w; extra >> w;) words.push_back(w);
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  kelp::ModuleEntry(static_cast<int>(argv.size()), argv.data());
  // The loop ended without the exit routine (should not happen).
  WriteStats(state, 1, 2, state.options.stats_path);
  std::exit(2);
}

}  // namespace soak
