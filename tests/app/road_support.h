#pragma once
// The player's hands for the headless roads through the game (tests/app):
// input queued one step a frame, the hand on the claw that plays a level to a
// win, the hand in the village that reads the story and builds and presses
// PLAY, and a fixture that runs the whole program on the data set the build
// made with a set clock. Everything goes in through injected keys and mouse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/frame_loop.h"
#include "app_test_env.h"
#include "app/startup.h"
#include "framework/core/frame_clock.h"
#include "pile_calm.h"
#include "framework/core/numbers.h"
#include "framework/core/startup_settings.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/visuals.h"
#include "framework/ui/controls.h"
#include "framework/ui/input_box.h"
#include "framework/ui/message_box.h"
#include "framework/ui/widget.h"
#include "frontend/comics.h"
#include "frontend/game_select.h"
#include "frontend/main_menu.h"
#include "frontend/map.h"
#include "frontend/menu_scene.h"
#include "physics/engine.h"
#include "platform/events.h"
#include "platform/frame_timer.h"
#include "platform/input.h"
#include "platform/single_instance.h"
#include "platform/system.h"
#include "platform/window.h"
#include "play/dialog_game.h"
#include "play/dialog_printer.h"
#include "play/game.h"
#include "play/game_menu.h"
#include "play/level_complete.h"
#include "play/player.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "village/dialog_village.h"
#include "village/panel.h"
#include "village/story_effects.h"
#include "village/story_links.h"
#include "village/upgrade.h"
#include "village/upgrade_dialog.h"
#include "village/village.h"
#include "village/villager.h"
#include "world/block.h"
#include "world/handle.h"
#include "world/world.h"

namespace kelp::road {

namespace fs = std::filesystem;

// The first widget of the type in the manager, or null.
template <class T>
Ref<T> Find() {
  if (!WidgetManager) return nullptr;
  for (const Ref<TWidget>& w : WidgetManager->WidgetsList)
    if (auto t = std::dynamic_pointer_cast<T>(w)) return t;
  return nullptr;
}

// The canvas point of a point of the 800-wide game area.
inline float X(float x) { return x + static_cast<float>(CanvasOffsetX); }

// Input queued one step a frame, as a player's hand gives it.
class Hand {
 public:
  void Click(float x, float y) {
    steps_.push_back([x, y] { platform::InjectMousePosition(x, y); });
    steps_.push_back([] { platform::InjectMouseButton(1, true); });
    steps_.push_back([] { platform::InjectMouseButton(1, false); });
    steps_.push_back([] {});
  }
  void ClickOn(const TWidget& w) {
    Click(w._x + static_cast<float>(w._width) / 2.0f, w._y + static_cast<float>(w._height) / 2.0f);
  }
  void Key(int vk) {
    steps_.push_back([vk] { platform::InjectKey(vk, true); });
    steps_.push_back([vk] { platform::InjectKey(vk, false); });
  }
  void Wait(int frames) {
    for (int i = 0; i < frames; ++i) steps_.push_back([] {});
  }
  bool Busy() const { return !steps_.empty(); }
  void Step() {
    if (steps_.empty()) return;
    steps_.front()();
    steps_.pop_front();
  }

 private:
  std::deque<std::function<void()>> steps_;
};

// The player's hand on the claw: it aims each box at the boxes of its colour
// (swapping for the other offered colour when that lands better), keeps clear
// of the red line and drops once the field is calm, so chains clear.
class ChainBot {
 public:
  void Act() {
    if (pressed_) {
      platform::InjectMouseButton(button_, false);
      pressed_ = false;
    }
    if (!Player || !Player->Handle || !Player->Handle->Connector) return;
    const float x = Player->Handle->Connector->x;
    const Ref<TBlock> held = Player->box;
    if (held && held != planned_) {
      Decide(*held);
      planned_ = held;
    }
    float want = std::fmax(-9.0f, std::fmin(9.0f, (target_ - x) * 0.25f));
    if (std::fabs(target_ - x) < 1.0f) want = 0.0f;
    const float dx = (want - Player->speed) * 5.0f;
    if (std::fabs(dx) > 0.05f) platform::InjectMouseMotion(dx, 0.0f);
    const bool calm = Calm();
    if (!held || GameScreen->Paused || !Player->enabled) return;
    if (swap_) {
      Click(2);
      swap_ = false;
      return;
    }
    if (std::fabs(x - target_) < 4.0f && std::fabs(Player->speed) < 1.5f && GameTime > Player->time + 620 && calm)
      Click(1);
  }

 private:
  void Click(int b) {
    platform::InjectMouseButton(b, true);
    pressed_ = true;
    button_ = b;
  }
  bool Calm() { return calm_.Look(); }
  static float RestingY(float x) {
    float top = 600.0f;
    for (const auto& b : BlockList)
      if (b->Released && !b->Deleted() && std::fabs(b->RenderX - x) < 24.0f) top = std::fmin(top, b->RenderY - 34.0f);
    for (const auto& st : World->Physics->Statics) {
      const float lo = std::fmin(st->x1, st->x2), hi = std::fmax(st->x1, st->x2);
      if (hi - lo < 1.0f || x < lo || x > hi) continue;
      const float t = std::clamp((x - st->x1) / (st->x2 - st->x1), 0.0f, 1.0f);
      const float y = st->y1 + t * (st->y2 - st->y1);
      if (y > 160.0f) top = std::fmin(top, y - 20.0f);
    }
    return top;
  }
  // The best place for a box of the class and how good it is.
  static std::pair<float, float> Best(int class_) {
    float bestX = 390.0f, best = -1e9f;
    const float line = static_cast<float>(World->CriticalLine) + 20.0f;
    for (float x = 240.0f; x <= 538.0f; x += 6.0f) {
      const float y = RestingY(x);
      int same = 0, others = 0;
      for (const auto& b : BlockList) {
        if (!b->Released || b->Deleted() || std::hypot(b->RenderX - x, b->RenderY - y) > 50.0f) continue;
        (b->class_ == class_ ? same : others) += 1;
      }
      float score = 40.0f * static_cast<float>(same) - 8.0f * static_cast<float>(others) + y * 0.05f;
      if (y < line + 90.0f) score -= 400.0f;
      score -= std::fabs(x - 390.0f) * 0.01f;
      if (score > best) best = score, bestX = x;
    }
    return {bestX, best};
  }
  void Decide(const TBlock& held) {
    const int now = held.class_;
    const int other = now == Player->CurrentBlockClass ? Player->NextBlockClass : Player->CurrentBlockClass;
    const auto a = Best(now);
    const auto b = other && other != now ? Best(other) : std::pair<float, float>{390.0f, -1e9f};
    swap_ = b.second > a.second + 5.0f;
    target_ = swap_ ? b.first : a.first;
  }

  testsupport::PileCalm calm_;
  Ref<TBlock> planned_;
  float target_ = 390.0f;
  bool swap_ = false;
  bool pressed_ = false;
  int button_ = 1;
};

// The hand in a running level: story dialogs are read on with Space, the
// results are confirmed with their OK, and the claw plays in between.
// Returns true while the results are on screen (after OK was queued).
inline bool PlayLevel(Hand& hand, ChainBot& bot, int since) {
  if (const Ref<TLevelComplete> results = Find<TLevelComplete>()) {
    if (results->BUTTON_OK && since % 120 == 0) hand.ClickOn(*results->BUTTON_OK);
    return true;
  }
  if (GameScreen->Dialog && GameScreen->Dialog->Dialog && !GameScreen->Dialog->Dialog->Death) {
    const auto& d = GameScreen->Dialog->Dialog;
    if (d->Phrase && d->PhrasePrinter && d->PhrasePrinter->done && since % 10 == 0) hand.Key(platform::VK_SPACE);
    return false;
  }
  bot.Act();
  return false;
}

// The hand in the village: it reads each story dialog to its end with the
// skip button, lets scripted walks be skipped with a click, clicks the
// parasites off the villagers, buys the first building on offer when the
// stage asks for one, asks a villager with a wish when PLAY would be refused
// for it, and presses PLAY (unless told to stay).
class VillageHand {
 public:
  explicit VillageHand(Hand& hand) : hand_(hand) {}
  bool play = true;

  // One look at the village, every few frames; queues at most one action.
  void Act() {
    if (++frame_ % 6 != 0 || !VillageScreen) return;
    TVillageMode& v = *VillageScreen;
    if (const Ref<TDialogVillage> d = Find<TDialogVillage>()) {
      if (d->Started && !d->Death && d->Phrase && d->PhrasePrinter && d->ButtonSkip) hand_.ClickOn(*d->ButtonSkip);
      return;
    }
    for (const Ref<TVisuals>& vis : VisualsList)
      if (std::dynamic_pointer_cast<TSkipMove>(vis) && !vis->Death) {
        hand_.Click(X(400.0f), 40.0f);  // the sky: no villager, no building
        return;
      }
    // The build dialog takes the village's input while it is open.
    const Ref<TUpgradeDialog> build = v.UpgradeDialog;
    if (build && build->Visible) {
      if (++dialogFrames_ < 20) return;  // still sliding in
      const Ref<TUpgrade> offer = build->CurrentUpgrade;
      // A stage that asks for one building: the offers are turned to it.
      if (!want_.empty() && offer && Lower(offer->upgrade_name) != want_ && build->ArrowR && !bought_ &&
          turns_ < 40) {
        ++turns_;
        hand_.ClickOn(*build->ArrowR);
        hand_.Wait(20);
        return;
      }
      if (offer && !offer->locked && build->Build && !build->Build->locked && !bought_) {
        hand_.ClickOn(*build->Build);
        bought_ = true;
      } else if (build->Cross) {
        hand_.ClickOn(*build->Cross);
      }
      return;
    }
    dialogFrames_ = 0;
    // Parasites riding the villagers: each is clicked until it lets go.
    if (v.ParaziteMode && v.UserInputEnable) {
      for (const Ref<TVillageCreature>& c : VillageCreatures)
        if (c->creature_color == TVillageCreature::PARAZITE && Clickable(v, *c)) {
          ClickVillager(v, *c);
          return;
        }
    }
    const Ref<TPanel> panel = v.Panel;
    if (!v.UserInputEnable || !panel || !panel->Visible || !panel->Arrived || VillageDialogActive || v.Closing ||
        TrophyImageShown)
      return;
    for (const Ref<TUpgrade>& u : Upgrades)
      if (u->building) return;  // watch it go up
    const int stage = GameScreen ? GameScreen->Stage : 0;
    const Ref<TUpgrade> bridge = TUpgrade::FindUpgrade("bridge");
    const int buy = build ? build->CheckUpgrades() : 0;
    const int refusal = TPanel::PlayRefusal(CurrentVillage, stage, FinishedBuildCount, NeedAdded,
                                            bridge && bridge->built ? 1 : 0, buy);
    if (refusal && buy && panel->Button_BUILD && !panel->Button_BUILD->locked) {
      bought_ = false;
      want_ = refusal == 1051 ? "bridge" : "";
      turns_ = 0;
      hand_.ClickOn(*panel->Button_BUILD);
    } else if (refusal && ClickQuest(v)) {
      // a villager with a wish is asked about it
    } else if (play && panel->Button_PLAY && !panel->Button_PLAY->locked) {
      hand_.ClickOn(*panel->Button_PLAY);
      hand_.Wait(30);
    }
  }

 private:
  static bool Clickable(const TVillageMode& v, const TVillageCreature& c) {
    const float x = c.x + v.Scroll_x;
    return !c.hided && !c.in_da_house && x > 20.0f && x < static_cast<float>(CanvasOffsetX) + 780.0f;
  }
  void ClickVillager(const TVillageMode& v, const TVillageCreature& c) {
    hand_.Click(c.x + v.Scroll_x, c.y + c.jump_h - 5.0f);
  }
  bool ClickQuest(const TVillageMode& v) {
    for (const Ref<TVillageCreature>& c : VillageCreatures)
      if (c->Emotion == TVillageCreature::QUEST && c->creature_color != TVillageCreature::PARAZITE &&
          Clickable(v, *c)) {
        ClickVillager(v, *c);
        hand_.Wait(30);
        return true;
      }
    return false;
  }

  Hand& hand_;
  int frame_ = 0;
  int dialogFrames_ = 0;
  bool bought_ = false;
  std::string want_;  // the building the stage asks for by name, lower case
  int turns_ = 0;
};

// A player who goes on wherever the game stands: makes the player "ann",
// starts, takes the normal mode, closes the comic, continues on the map,
// plays the village with the village hand and wins each level with the debug
// start's W key (so the run needs AppArguments {"kelp", "debug"}), reading
// level dialogs on and confirming the results.
class Autopilot {
 public:
  explicit Autopilot(Hand& hand) : hand_(hand), village_(hand) {}

  void Act() {
    ++since_;
    if (hand_.Busy()) {
      hand_.Step();
      return;
    }
    const int screen = Screen();
    if (screen != screen_) {
      screen_ = screen;
      since_ = 0;
      return;
    }
    switch (screen) {
      case NAME_BOX:
        if (since_ == 60) {
          for (int vk : {'A', 'N', 'N'}) hand_.Key(vk);
          hand_.Key(platform::VK_RETURN);
        }
        break;
      case MENU:
        // Again now and then: a click while the menu is still arriving is lost.
        if (since_ % 120 == 0 && MainMenuScreen->UserInputEnabled && !MainMenuScreen->Buttons.empty()) {
          const TPhysButton& start = *MainMenuScreen->Buttons.front();
          hand_.Click(X(start.Center->x), start.Center->y);
        }
        break;
      case MODE:
        if (since_ == 60) hand_.ClickOn(*Find<TGameSelect>()->BUTTON_NORMAL);
        break;
      case COMIC:
        if (since_ == 60) hand_.ClickOn(*Find<TComics>()->ButtonClose);
        break;
      case MAP:
        if (since_ % 200 == 0 && since_ > 0) hand_.ClickOn(*MapScreen->Button_CONTINUE);
        break;
      case VILLAGE:
        village_.Act();
        break;
      case LEVEL:
        Level();
        break;
      default:
        break;
    }
  }

  enum { NONE, NAME_BOX, MENU, MODE, COMIC, MAP, VILLAGE, LEVEL };
  static int Screen() {
    if (Find<TInputBox2>()) return NAME_BOX;
    if (Find<TComics>()) return COMIC;
    if (Find<TGameSelect>()) return MODE;
    if (GameScreen && GameScreen->Visible) return LEVEL;
    if (VillageScreen && VillageScreen->Visible) return VILLAGE;
    if (MapScreen && MapScreen->Visible) return MAP;
    if (MainMenuScreen && MainMenuScreen->Visible) return MENU;
    return NONE;
  }

 private:
  void Level() {
    if (const Ref<TLevelComplete> results = Find<TLevelComplete>()) {
      if (results->BUTTON_OK && since_ % 120 == 60) hand_.ClickOn(*results->BUTTON_OK);
      return;
    }
    if (GameScreen->Dialog && GameScreen->Dialog->Dialog && !GameScreen->Dialog->Dialog->Death) {
      const auto& d = GameScreen->Dialog->Dialog;
      if (d->Phrase && d->PhrasePrinter && d->PhrasePrinter->done && since_ % 10 == 0)
        hand_.Key(platform::VK_SPACE);
      return;
    }
    if (!GameScreen->Complete && !GameScreen->Over && since_ % 60 == 30) hand_.Key('W');
  }

  Hand& hand_;
  VillageHand village_;
  int screen_ = NONE;
  int since_ = 0;
};

// Who lives in the village: id, name and colour of each villager, sorted.
inline std::vector<std::string> Villagers() {
  std::vector<std::string> out;
  for (const Ref<TVillageCreature>& c : VillageCreatures)
    out.push_back(std::to_string(c->ID) + " " + c->name + " " + std::to_string(c->creature_color));
  std::sort(out.begin(), out.end());
  return out;
}

// The buildings that stand.
inline std::vector<std::string> Built() {
  std::vector<std::string> out;
  for (const Ref<TUpgrade>& u : Upgrades)
    if (u->built) out.push_back(u->upgrade_name);
  std::sort(out.begin(), out.end());
  return out;
}

// The whole program on the data set the build made, in a fresh save folder,
// with every frame-timer wait moving the clock one tick.
class Road : public ::testing::Test, protected apptest::WholeProgram {
 protected:
  void SetUp() override {
    old_cwd = fs::current_path();
    fs::current_path(KELP_DATA_ROOT);
    setenv("APPDATA", appdata.path().c_str(), 1);
    Fresh();
  }
  void TearDown() override {
    Close();
    fs::current_path(old_cwd);
  }
  // A new start of the program.
  void Fresh(int frameLimit = 12000) { Start(frameLimit); }
  void Close() {
    FrameProbe = nullptr;
    Stop();
  }

  testenv::TempDir appdata;
  fs::path old_cwd;
};

}  // namespace kelp::road
