// Each authored level played from its start to a win, and to each way of
// losing, by a scripted player who acts only through the mouse of the
// platform layer (motion to steer the claw, a left click to drop, a right
// click to swap), frame after frame of the real frame loop. It looks at the
// field as a player looks at the screen: where the boxes lie, their colours,
// the claw, the box in the claw and the one offered next.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "play/dialog_game.h"
#include "play/dialog_printer.h"
#include "play/dialog_texts.h"
#include "play/game_over.h"
#include "play/count2.h"
#include "play/level_complete.h"
#include "world/brick.h"
#include "pile_calm.h"
#include "play_scene.h"

namespace play_test {
namespace {

constexpr int kDropGate = 620;  // a drop is refused for 600 ms after the last one

struct Landing {
  float x = 390.0f;
  float score = -1e9f;
};

// The scripted player: steers toward a target, swaps when the other offered
// colour lands better, drops when the claw is over its target.
class Bot {
 public:
  enum Plan { CLEAR, STACK_HIGH, IDLE };
  explicit Bot(Plan plan) : plan_(plan) {}

  // The input of one frame, put in before the frame runs.
  void Act() {
    if (pressed_) {  // the button goes up the frame after it went down
      platform::InjectMouseButton(pressedButton_, false);
      pressed_ = false;
    }
    if (plan_ == IDLE || !Player || !Player->Handle || !Player->Handle->Connector) return;
    const float x = Player->Handle->Connector->x;
    const Ref<TBlock> held = Player->box;
    if (held && held != planned_) {
      Decide(*held);
      planned_ = held;
    }
    Steer(x, target_);
    if (!held || GameScreen->Paused || !Player->enabled) return;
    if (wantSwap_) {
      Click(2);
      wantSwap_ = false;
      return;
    }
    const bool over = std::fabs(x - target_) < 4.0f && std::fabs(Player->speed) < 1.5f;
    const bool calm = Calm();
    if (over && GameTime > Player->time + kDropGate && (plan_ != CLEAR || calm)) Click(1);
  }

 private:
  // Once the field must be cleared, a box dropped while a chain is still
  // going, or while boxes still move, would stay behind: wait for calm.
  bool Calm() {
    const int type = GameScreen->GameType;
    return calm_.Look() || type == 2 || type == 20 || type == 200;
  }

  // Where a box dropped at x comes to rest: on the highest box or ledge under it.
  static float RestingY(float x) {
    float top = 600.0f;
    for (const auto& b : BlockList)
      if (b->Released && !b->Deleted() && std::fabs(b->RenderX - x) < 24.0f) top = std::fmin(top, b->RenderY - 34.0f);
    for (const auto& st : World->Physics->Statics) {
      const float lo = std::fmin(st->x1, st->x2), hi = std::fmax(st->x1, st->x2);
      if (hi - lo < 1.0f || x < lo || x > hi) continue;  // walls and segments elsewhere
      const float t = std::clamp((x - st->x1) / (st->x2 - st->x1), 0.0f, 1.0f);
      const float y = st->y1 + t * (st->y2 - st->y1);
      if (y > 160.0f) top = std::fmin(top, y - 20.0f);  // below the claw's rail
    }
    return top;
  }

  void Click(int button) {
    platform::InjectMouseButton(button, true);
    pressed_ = true;
    pressedButton_ = button;
  }

  // Mouse motion that brings the claw's speed toward what reaches the target.
  void Steer(float x, float target) {
    float want = (target - x) * 0.25f;
    want = std::fmax(-9.0f, std::fmin(9.0f, want));
    if (std::fabs(target - x) < 1.0f) want = 0.0f;
    const float dx = (want - Player->speed) * 5.0f;
    if (std::fabs(dx) > 0.05f) platform::InjectMouseMotion(dx, 0.0f);
  }

  void Decide(const TBlock& held) {
    const int now = held.class_;
    const int other = now == Player->CurrentBlockClass ? Player->NextBlockClass : Player->CurrentBlockClass;
    const Landing a = Best(now);
    Landing b;
    if (other && other != now && plan_ != IDLE) b = Best(other);
    wantSwap_ = b.score > a.score + 5.0f;
    target_ = wantSwap_ ? b.x : a.x;
  }

  // The best place to drop a box of the class.
  Landing Best(int class_) const {
    Landing best;
    const float line = static_cast<float>(World->CriticalLine) + 20.0f;
    for (float x = 240.0f; x <= 538.0f; x += 6.0f) {
      const float y = RestingY(x);
      int same = 0, others = 0;
      for (const auto& b : BlockList) {
        if (!b->Released || b->Deleted()) continue;
        const float d = std::hypot(b->RenderX - x, b->RenderY - y);
        if (d > 50.0f) continue;
        if (b->class_ == class_)
          ++same;
        else
          ++others;
      }
      float score = 0.0f;
      if (plan_ == STACK_HIGH) {
        // The field filled evenly with colours that do not chain.
        score = y - 100.0f * static_cast<float>(same);
      } else {
        score = 40.0f * static_cast<float>(same) - 8.0f * static_cast<float>(others) + y * 0.05f;
        if (y < line + 90.0f) score -= 400.0f;  // too near the red line
        score -= std::fabs(x - 390.0f) * 0.01f;
      }
      if (score > best.score) best = {x, score};
    }
    return best;
  }

  Plan plan_;
  testsupport::PileCalm calm_;
  Ref<TBlock> planned_;
  float target_ = 390.0f;
  bool wantSwap_ = false;
  bool pressed_ = false;
  int pressedButton_ = 1;
};

class ScriptedPlay : public PlayScene {
 public:
  enum Outcome { WON, TIME_OUT, RED_LINE, UNDECIDED };

  // Plays the level from its start; the frames are those of the frame loop.
  Outcome PlayLevel(int level, Bot::Plan plan, int* frames = nullptr) {
    TLevel::SetLevel(level);
    GameScreen->SetHided(0);
    if (!GameScreen->Start()) return UNDECIDED;
    return PlayRound(plan, frames);
  }

  // Plays the round on screen until it is won or lost.
  Outcome PlayRound(Bot::Plan plan, int* frames = nullptr) {
    Bot bot(plan);
    return PlayRound(bot, frames);
  }
  Outcome PlayRound(Bot& bot, int* frames = nullptr) {
    // The round's time limit in frames, and a little more.
    const int limit = (GameScreen->LevelLengthTime + 20000) / 18;
    for (int i = 0; i < limit; ++i) {
      bot.Act();
      Frame();
      if (frames) *frames = i;
      if (GameScreen->Complete) return WON;
      if (GameScreen->Over) return LoggedRedLine() ? RED_LINE : TIME_OUT;
    }
    return UNDECIDED;
  }

  // Reads the story dialog on screen as a quick reader does: the space bar
  // once a phrase is typed out. The player's hand stays on the mouse. The
  // phrases read, in order.
  std::vector<std::string> ReadTheDialog(Bot* hand = nullptr) {
    std::vector<std::string> read;
    const Ref<TDialogGame> window = GameScreen->Dialog;
    if (!window) return read;
    for (int i = 0; i < 3000 && !window->Dialog->Death; ++i) {
      if (hand) hand->Act();
      const Ref<TDialogPhrase> phrase = window->Dialog->Phrase;
      if (phrase && (read.empty() || read.back() != phrase->Content)) read.push_back(phrase->Content);
      if (phrase && window->Dialog->PhrasePrinter && window->Dialog->PhrasePrinter->done && i % 10 == 0)
        platform::InjectKey(platform::VK_SPACE, true);
      Frame();
      platform::InjectKey(platform::VK_SPACE, false);
    }
    return read;
  }

  // A left click in the middle of a widget, through the platform's mouse.
  void ClickOn(const Ref<TWidget>& w) {
    const float x = w->_x + static_cast<float>(w->_width) / 2.0f, y = w->_y + static_cast<float>(w->_height) / 2.0f;
    platform::InjectMousePosition(x, y);
    Frame();
    platform::InjectMouseButton(1, true);
    Frame();
    platform::InjectMouseButton(1, false);
    Frame();
  }

  void SetUp() override {
    PlayScene::SetUp();
    // The red line's loss and the clock's are told apart by what the log says.
    ASSERT_TRUE(OpenLog(log_.path() + "/"));
  }
  bool LoggedRedLine() const {
    return testenv::ReadFile(log_ / "log.xml").find("Player looses") != std::string::npos;
  }

 private:
  testenv::TempDir log_;
};

// Why a round that was not won could not be: the level's own data, not the
// player. "" when nothing in the level stands in the way.
std::string WhatTheLevelPreventsAWinWith(ScriptedPlay::Outcome outcome) {
  // The colours the level's type makes for the player and the side feed.
  const int type = GameScreen->GameType;
  const int top = type == 100 || type == 200 ? 7 : type == 10 || type == 20 ? 6 : 5;
  for (const auto& b : BlockList)
    if (b->Released && !b->Deleted() && b->class_ > top && b->class_ <= 7)
      return "a box of colour " + std::to_string(b->class_) + " lies in a level of type " + std::to_string(type) +
             ", which never makes that colour, so it can never be cleared";
  if (outcome == ScriptedPlay::RED_LINE) {
    const float line = static_cast<float>(World->CriticalLine) + 20.0f;
    for (const auto& b : BlockList)
      if (b->Released && !b->Deleted() && b->RenderX > 572.0f && b->RenderY < line)
        return "a side-fed box waited beside the field, above the red line, until the round was lost";
  }
  if (!BrickGrid.empty() && BrickCount > 0)
    return "the brick wall still stands: the scripted player does not pile boxes up to it";
  return "";
}

class EachLevel : public ScriptedPlay, public ::testing::WithParamInterface<int> {};

// Every authored level is won through the controls, unless its data stands in
// the way (which the test names).
TEST_P(EachLevel, IsWonThroughTheControls) {
  const int level = GetParam();
  ASSERT_LE(level, LevelCount);
  int frames = 0;
  const Outcome outcome = PlayLevel(level, Bot::CLEAR, &frames);
  const int seconds = frames * 18 / 1000;
  if (outcome == WON) {
    std::printf("level %d won in %d s\n", level, seconds);
    return;
  }
  const std::string why = WhatTheLevelPreventsAWinWith(outcome);
  ASSERT_FALSE(why.empty()) << "level " << level << " was not won after " << seconds << " s (outcome " << outcome
                            << "), and nothing in the level explains it";
  GTEST_SKIP() << "level " << level << " cannot be won: " << why;
}

INSTANTIATE_TEST_SUITE_P(Authored, EachLevel, ::testing::Range(1, 12));

// The level of clear-the-field type without side feed: nothing comes in
// unless the player drops it.
constexpr int kQuietLevel = 6;

TEST_F(ScriptedPlay, DoingNothingLosesByTime) {
  EXPECT_EQ(PlayLevel(kQuietLevel, Bot::IDLE), TIME_OUT);
  EXPECT_EQ(Player->enabled, 0);
  // The fade and the game-over screen follow.
  ASSERT_TRUE(FramesUntil([] { return Count<TGameOver>() == 1; }, 600));
}

// A pile of colours that do not chain, in a level whose boxes come in all
// colours, reaches over the red line.
TEST_F(ScriptedPlay, PilingUpLosesAtTheRedLine) {
  int frames = 0;
  EXPECT_EQ(PlayLevel(2, Bot::STACK_HIGH, &frames), RED_LINE);
  EXPECT_LT(frames * 18, 60000) << "lost well before the clock";
  EXPECT_EQ(Player->enabled, 0);
  ASSERT_TRUE(FramesUntil([] { return Count<TGameOver>() == 1; }, 600));
}

// The end of the first stage as a player meets it: the opening dialog read
// through, the round won, the closing dialog, the results screen passed with
// OK, and on to the village with the next level ready.
TEST_F(ScriptedPlay, TheStoryIsToldAndTheResultsLeadToTheNextLevel) {
  LoadDialogs();
  CurrentPlayerName = [] { return std::string("Tester"); };
  int villages = 0;
  LevelLinks.ShowVillage = [&villages] { ++villages; };
  std::vector<std::vector<int>> records;
  GameLinks.RecordLevel = [&records](int level, int mode, int score) { records.push_back({level, mode, score}); };

  TLevel::SetLevel(2);  // stage 1, round 2: a dialog before and after, then the results
  GameScreen->SetHided(0);
  ASSERT_TRUE(GameScreen->Start());
  ASSERT_TRUE(GameScreen->Dialog) << "the round opens with its story";
  Bot bot(Bot::CLEAR);
  const std::vector<std::string> opening = ReadTheDialog(&bot);
  ASSERT_EQ(opening.size(), 2u);
  EXPECT_NE(opening[0].find("Tester"), std::string::npos) << opening[0];
  EXPECT_EQ(Count<TDialogGame>(), 0);
  EXPECT_EQ(GameScreen->PauseState, 1) << "the red line sweeps in before the round begins";
  ASSERT_EQ(PlayRound(bot), WON);

  // The closing dialog, then the results.
  ASSERT_TRUE(FramesUntil([] { return GameScreen->Dialog && GameScreen->Dialog->Dialog->Phrase; }, 600));
  EXPECT_EQ(ReadTheDialog().size(), 2u);
  ASSERT_TRUE(FramesUntil([] { return GameScreen->CompleteForm != nullptr; }, 600));
  const Ref<TLevelComplete> results = GameScreen->CompleteForm;
  for (int i = 0; i < 600 && results->state < 3; ++i) {  // the screen is drawn, so its counters run
    Frame();
    Draw();
  }
  EXPECT_EQ(results->state, 3) << "the score and the combos are counted";
  EXPECT_EQ(results->ScoreCount->Ammount, static_cast<float>(results->LevelScore));
  EXPECT_EQ(records, (std::vector<std::vector<int>>{{2, 0, results->LevelScore + results->BonusScore}}));
  ClickOn(results->BUTTON_OK);
  EXPECT_EQ(results->PressedID, TLevelComplete::Button_OK_ID);
  ASSERT_TRUE(FramesUntil([&] { return villages == 1; }, 600));
  EXPECT_EQ(GameScreen->Level, 3) << "the next level waits in the village";
  EXPECT_EQ(Count<TLevelComplete>(), 0);
}

// A lost round ends in the game-over screen; Retry, clicked, takes it away and
// starts the stage's first round again.
TEST_F(ScriptedPlay, GameOverRetryStartsTheStageAgain) {
  EXPECT_EQ(PlayLevel(kQuietLevel, Bot::IDLE), TIME_OUT);
  ASSERT_TRUE(FramesUntil([] { return Count<TGameOver>() == 1; }, 600));
  const Ref<TGameOver> over = Find<TGameOver>();
  Frame(120);  // slid in
  EXPECT_EQ(over->_y, 0.0f);
  ClickOn(over->BUTTON_RETRY);
  EXPECT_EQ(over->PressedID, TGameOver::Button_RETRY_ID);
  ASSERT_TRUE(FramesUntil([] { return Count<TGameOver>() == 0; }, 300));
  EXPECT_EQ(GameScreen->Over, 0);
  EXPECT_EQ(GameScreen->Round, 1);
  EXPECT_EQ(GameScreen->Level, TLevel::PrevLevel());
  ASSERT_TRUE(FramesUntil([] { return !GameScreen->Paused; }, 600)) << "the round runs again";
  EXPECT_EQ(Player->enabled, 1) << "with the claw in the player's hand";
  EXPECT_LT(GameScreen->UsedShare(), 0.05f) << "on a fresh clock";
}

}  // namespace
}  // namespace play_test
