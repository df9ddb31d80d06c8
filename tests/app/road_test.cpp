// The whole road of a new player, headless on the data set the build made,
// through the widgets with injected keys and mouse only: the name box, the
// menu's start button, the game mode, the island map, level 1 played to a
// win, back on the map with level 2 next; then quit, start again, and the
// player and the progress are there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>

#include "app/frame_loop.h"
#include "app/startup.h"
#include "framework/core/frame_clock.h"
#include "framework/core/startup_settings.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/ui/controls.h"
#include "framework/ui/input_box.h"
#include "framework/ui/message_box.h"
#include "framework/ui/widget.h"
#include "framework/ui/widget_updater.h"
#include "frontend/game_select.h"
#include "frontend/main_menu.h"
#include "frontend/map.h"
#include "frontend/menu_scene.h"
#include "frontend/profile.h"
#include "platform/events.h"
#include "platform/frame_timer.h"
#include "platform/input.h"
#include "platform/single_instance.h"
#include "platform/system.h"
#include "platform/window.h"
#include "play/dialog_game.h"
#include "play/dialog_printer.h"
#include "play/game.h"
#include "play/player.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "world/block.h"
#include "world/handle.h"
#include "world/world.h"
#include "physics/engine.h"

namespace kelp {
namespace {

namespace fs = std::filesystem;

template <class T>
Ref<T> Find() {
  if (!WidgetManager) return nullptr;
  for (const Ref<TWidget>& w : WidgetManager->WidgetsList)
    if (auto t = std::dynamic_pointer_cast<T>(w)) return t;
  return nullptr;
}

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
  bool Calm() {
    std::map<const TBlock*, std::pair<float, float>> now;
    bool calm = true;
    for (const auto& b : BlockList) {
      if (!b->Released || b->Deleted()) continue;
      now[b.get()] = {b->RenderX, b->RenderY};
      if (b->Ticket) calm = false;
      const auto was = last_.find(b.get());
      if (was == last_.end() || std::hypot(b->RenderX - was->second.first, b->RenderY - was->second.second) > 0.5f)
        calm = false;
    }
    last_ = std::move(now);
    return calm;
  }
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

  std::map<const TBlock*, std::pair<float, float>> last_;
  Ref<TBlock> planned_;
  float target_ = 390.0f;
  bool swap_ = false;
  bool pressed_ = false;
  int button_ = 1;
};

class NewPlayerRoad : public ::testing::Test {
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
  void Fresh() {
    testsupport::ResetAppRooms();
    platform::ResetAppState();
    platform::ResetInput();
    platform::SetFrameWaitHook([this] {
      clock.Advance(18);
      return 1;
    });
    platform::SetExitFunction([this](int code) { exit_codes.push_back(code); });
    SplashWaits = 0;
    FrameLimit = 12000;
    AppArguments = {"kelp"};
  }
  void Close() {
    FrameProbe = nullptr;
    platform::SetFrameWaitHook({});
    platform::SetExitFunction({});
    platform::ReleaseSingleInstance();
    platform::CloseGraphics();
    platform::ResetAppState();
    testsupport::ResetAppRooms();
  }
  // The canvas point of a point of the 800-wide game area.
  static float X(float x) { return x + static_cast<float>(CanvasOffsetX); }

  testenv::TempDir appdata;
  testenv::FakeClock clock;
  fs::path old_cwd;
  std::vector<int> exit_codes;
};

TEST_F(NewPlayerRoad, NameModeMapLevelOneWonThenTheProgressIsThereNextTime) {
  enum Stage { NAME, MENU, MODE, MAP, LEVEL, BACK_ON_MAP, QUIT, DONE };
  Stage stage = NAME;
  Hand hand;
  ChainBot bot;
  int since = 0;  // frames in this stage
  std::string markersAfterWin;
  auto next = [&](Stage s) {
    stage = s;
    since = 0;
  };
  FrameProbe = [&](int) {
    ++since;
    if (hand.Busy()) {
      hand.Step();
      return;
    }
    switch (stage) {
      case NAME:
        if (Find<TInputBox2>() && since > 120) {
          for (int vk : {'A', 'N', 'N'}) hand.Key(vk);
          hand.Key(platform::VK_RETURN);
          next(MENU);
        }
        break;
      case MENU:
        if (!Find<TInputBox2>() && Player->Profile && MainMenuScreen->UserInputEnabled && since > 120 &&
            !MainMenuScreen->Buttons.empty()) {
          const TPhysButton& start = *MainMenuScreen->Buttons.front();
          hand.Click(X(start.Center->x), start.Center->y);
          next(MODE);
        }
        break;
      case MODE:
        if (const Ref<TGameSelect> select = Find<TGameSelect>(); select && since > 90) {
          hand.ClickOn(*select->BUTTON_NORMAL);
          next(MAP);
        }
        break;
      case MAP:
        if (MapScreen->Visible && since > 120) {
          hand.ClickOn(*MapScreen->Button_CONTINUE);
          next(LEVEL);
        }
        break;
      case LEVEL:
        if (MapScreen->Visible && !GameScreen->Visible && since > 60) {
          for (const TLevelMarker& m : MapScreen->Markers)
            markersAfterWin += std::to_string(m.level) +
                               (m.state == MarkerState::DONE ? "d " : m.state == MarkerState::CURRENT ? "c " : "l ");
          hand.ClickOn(*MapScreen->Button_MAINMENU);
          next(BACK_ON_MAP);
          break;
        }
        if (!GameScreen->Visible) break;
        if (GameScreen->Dialog && GameScreen->Dialog->Dialog && !GameScreen->Dialog->Dialog->Death) {
          const auto& d = GameScreen->Dialog->Dialog;
          if (d && d->Phrase && d->PhrasePrinter && d->PhrasePrinter->done && since % 10 == 0) hand.Key(platform::VK_SPACE);
          break;
        }
        bot.Act();
        break;
      case BACK_ON_MAP:
        if (MainMenuScreen->Visible && MainMenuScreen->UserInputEnabled && since > 120) {
          hand.Key(platform::VK_ESCAPE);
          next(QUIT);
        }
        break;
      case QUIT:
        if (Find<TMessageBox>() && since > 60) {
          hand.Key(platform::VK_RETURN);
          next(DONE);
        }
        break;
      case DONE:
        break;
    }
  };
  GameMain();
  EXPECT_EQ(stage, DONE) << "the road stopped before its end; level " << GameScreen->Level << " won "
                         << GameScreen->Complete << " over " << GameScreen->Over;
  EXPECT_EQ(exit_codes, std::vector<int>{0});
  EXPECT_EQ(markersAfterWin.substr(0, 6), "1d 2c ") << markersAfterWin;
  Close();

  // Started again: the player and the progress are there.
  Fresh();
  std::string name;
  int level = -1;
  int marker2 = -1;
  Stage again = MENU;
  since = 0;
  FrameProbe = [&](int) {
    ++since;
    if (hand.Busy()) {
      hand.Step();
      return;
    }
    if (again == MENU && MainMenuScreen->Visible && MainMenuScreen->UserInputEnabled && since > 120) {
      name = Player->Profile ? Player->Profile->name : "";
      level = Player->Profile && Player->Profile->data ? Player->Profile->data->Level : -1;
      const TPhysButton& start = *MainMenuScreen->Buttons.front();
      hand.Click(X(start.Center->x), start.Center->y);
      again = MAP;
      since = 0;
    } else if (again == MAP && MapScreen->Visible && since > 60) {
      for (const TLevelMarker& m : MapScreen->Markers)
        if (m.level == 2) marker2 = static_cast<int>(m.state);
      hand.ClickOn(*MapScreen->Button_MAINMENU);
      again = QUIT;
      since = 0;
    } else if (again == QUIT && MainMenuScreen->Visible && MainMenuScreen->UserInputEnabled && since > 120) {
      hand.Key(platform::VK_ESCAPE);
      hand.Wait(60);
      hand.Key(platform::VK_RETURN);
      again = DONE;
    }
  };
  GameMain();
  EXPECT_EQ(name, "ann") << "typed without Shift";
  EXPECT_EQ(level, 2);
  EXPECT_EQ(marker2, static_cast<int>(MarkerState::CURRENT)) << "a saved game goes straight to the map";
}

}  // namespace
}  // namespace kelp
