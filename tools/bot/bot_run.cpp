#include "bot_run.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "app/screenshot.h"
#include "app/startup.h"
#include "bot_player.h"
#include "framework/core/frame_clock.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget.h"
#include "platform/events.h"
#include "frontend/main_menu.h"
#include "platform/clock.h"
#include "platform/frame_timer.h"
#include "platform/system.h"
#include "play/game.h"
#include "play/player.h"
#include "world/block.h"
#include "world/handle.h"
#include "world/level.h"

namespace bot {

namespace {

constexpr int kFrameMs = 17;
constexpr int kDrawEvery = 8;

struct State {
  RunOptions options;
  BotPlayer* player = nullptr;
  long frame = 0;
  long drawn = 0;  // drawn frames since the level started
  int clock = 0;
  bool started = false;
  bool trace = false;  // KELP_BOT_TRACE set: a line on the claw every second
  std::string shots;   // KELP_BOT_SHOTS=folder: a picture of the field every 5 s
};

State* g_state = nullptr;

[[noreturn]] void Finish(const std::string& outcome) {
  using namespace kelp;
  const State& s = *g_state;
  std::ofstream out(s.options.result_path, std::ios::trunc);
  int played = 0, limit = 0, score = 0;
  if (GameScreen) {
    played = (GameTime - GameScreen->PlayTime - GameScreen->PausedTime) / 1000;
    limit = GameScreen->LevelLengthTime / 1000;
  }
  if (Player) score = Player->scores;
  if (s.trace)
    for (const auto& b : BlockList)
      if (b->Released && !b->Deleted())
        std::fprintf(stderr, "box %d armour %d at %.0f,%.0f\n", b->class_, b->armor, b->RenderX, b->RenderY);
  out << outcome << " " << played << " " << score << " " << limit << "\n";
  out.flush();
  std::fflush(nullptr);
  std::_Exit(0);
}

// The round's outcome, once it is decided.
void CheckOutcome(State& s) {
  using namespace kelp;
  if (GameScreen && GameScreen->Visible) {
    if (GameScreen->Complete && !GameScreen->SkipRound) Finish("won");
    if (GameScreen->Over) {
      const int used = GameTime - GameScreen->PlayTime - GameScreen->PausedTime;
      Finish(used >= GameScreen->LevelLengthTime ? "time" : "redline");
    }
    // Far past the limit (a level that never ends, or a dialog that never closes).
    if (s.frame * kFrameMs > GameScreen->LevelLengthTime + 120000) Finish("undecided");
  } else if (s.frame > 2000) {
    Finish("missing");  // the level screen never showed
  }
}

void Trace(const State& s) {
  using namespace kelp;
  if (s.trace && s.frame % 60 == 0 && GameScreen && Player && Player->Handle && Player->Handle->Connector)
    std::fprintf(stderr, "frame %ld: claw %.0f target %.0f speed %.1f box %d paused %d enabled %d score %d\n", s.frame,
                 Player->Handle->Connector->x, s.player->Target(), Player->speed, Player->box ? Player->box->class_ : 0,
                 GameScreen->Paused, Player->enabled, Player->scores);
}

// A frame of the frame loop without its drawing: the clock, the mouse and
// the widgets' update, the events.
void UndrawnFrame(State& s) {
  using namespace kelp;
  s.clock += kFrameMs;
  ++s.frame;
  GameTime = platform::Millisecs() - PausedTotal;
  s.player->Act();
  UpdateFrameUndrawn();
  Trace(s);
  CheckOutcome(s);
}

int OnFrameWait() {
  using namespace kelp;
  State& s = *g_state;
  if (!s.started) {
    if (s.options.level > 1) {
      s.started = true;
    } else if (MainMenuScreen && MainMenuScreen->Visible && GameScreen && !GameScreen->Visible) {
      // Level 1 has no debug start (it opens the menu): once the menu is up
      // (the splash and the loading come first), the bot picks the level as
      // the level select would.
      s.started = true;
      TLevel::SetLevel(1);
      MainMenuScreen->SetHided(1);
      GameScreen->SetHided(0);
      if (!GameScreen->Start()) Finish("missing");
    }
  }
  // The frame drawn last is still on the canvas here.
  if (!s.shots.empty() && s.started && ++s.drawn % 37 == 0)
    SaveScreenshot(s.shots + "/" + std::to_string(s.options.level) + "-" + std::to_string(s.frame / 59) + ".bmp");
  // Only one frame in kDrawEvery is drawn: drawing is most of a frame's
  // cost headless, and nobody looks.
  for (int i = 1; i < kDrawEvery && s.started; ++i) UndrawnFrame(s);
  s.clock += kFrameMs;
  ++s.frame;
  GameTime = platform::Millisecs() - PausedTotal;
  s.player->Act();
  Trace(s);
  CheckOutcome(s);
  return 1;  // one tick passed; nobody waits
}

}  // namespace

void RunLevel(const RunOptions& options) {
  static State state;
  static BotPlayer player(options.seed);
  state.options = options;
  state.player = &player;
  // Each seed starts the clock elsewhere, and the game seeds its dice from it.
  state.clock = 1000000 + static_cast<int>(options.seed) * 7919;
  state.trace = std::getenv("KELP_BOT_TRACE") != nullptr;
  if (const char* shots = std::getenv("KELP_BOT_SHOTS")) state.shots = shots;
  g_state = &state;

  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  platform::SetMillisecsSource([] { return g_state->clock; });
  kelp::SplashWaits = 0;
  kelp::FrameLimit = -1;
  platform::SetFrameWaitHook(OnFrameWait);
  platform::SetExitFunction([](int) { Finish("crashed"); });

  std::vector<std::string> words{"kelp"};
  if (options.level > 1) words.insert(words.end(), {"debug", std::to_string(options.level)});
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  kelp::ModuleEntry(static_cast<int>(argv.size()), argv.data());
  Finish("crashed");
}

RunResult ReadResult(const std::string& path, int level, unsigned seed) {
  RunResult r;
  r.level = level;
  r.seed = seed;
  std::ifstream in(path);
  std::string outcome;
  if (in >> outcome >> r.seconds >> r.score >> r.limit) r.outcome = outcome;
  return r;
}

}  // namespace bot
