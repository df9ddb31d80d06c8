// The level clock: pauses taken out, the time limit with the player's skill,
// the warnings and the time-out.
#include <cmath>
#include <limits>
#include <vector>

#include "framework/media/sound.h"
#include "play_scene.h"
#include "world/light.h"

namespace play_test {
namespace {

using Clock = PlayScene;

// Pauses of any kind are counted once, into PausedTime, Timer and the
// trolleys' clock alike; a level left during the red line's sweep carries
// nothing into the next start.
TEST_F(Clock, PausesAreCountedOnceWhateverTheirOrder) {
  enum Op { PAUSE, RESUME, SWEEP_ENDS, LEAVE_AND_START_AGAIN };
  struct Step {
    Op op;
    int wait;  // ms after the step
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;  // from the start, which pauses the level
    int paused;               // PausedTime at the end
    int stillPaused;
  };
  const Case cases[] = {
      {"the sweep's pause", {{SWEEP_ENDS, 500}}, 0, 0},
      {"a resume during the sweep is refused", {{RESUME, 1000}, {SWEEP_ENDS, 0}}, 1000, 0},
      {"pausing twice counts once", {{SWEEP_ENDS, 1000}, {PAUSE, 700}, {PAUSE, 300}, {RESUME, 200}}, 1000, 0},
      {"resuming twice counts once", {{SWEEP_ENDS, 0}, {PAUSE, 400}, {RESUME, 900}, {RESUME, 100}}, 400, 0},
      {"a pause still open", {{SWEEP_ENDS, 0}, {PAUSE, 5000}}, 0, 1},
      {"left during the sweep and started again",
       {{RESUME, 900}, {LEAVE_AND_START_AGAIN, 1800}, {SWEEP_ENDS, 0}},
       1800,
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(StartLevel(1), 1);
    EXPECT_EQ(GameScreen->Paused, 1);
    EXPECT_EQ(GameScreen->PauseState, 1);
    const int timer = GameScreen->Timer;
    for (const Step& s : c.steps) {
      switch (s.op) {
        case PAUSE: GameScreen->Pause(1); break;
        case RESUME: GameScreen->Pause(0); break;
        case SWEEP_ENDS: EndSweep(); break;
        case LEAVE_AND_START_AGAIN:
          GameScreen->DePress(15001);  // "yes" on the main-menu box
          EXPECT_EQ(GameScreen->Visible, 0);
          EXPECT_EQ(GameScreen->Paused, 0);
          Wait(60000);
          ASSERT_EQ(StartLevel(1), 1);
          break;
      }
      Wait(s.wait);
    }
    EXPECT_EQ(GameScreen->PausedTime, c.paused);
    EXPECT_EQ(GameScreen->Timer - timer, c.paused);
    EXPECT_EQ(TrolleyTimeOffset, c.paused);
    EXPECT_EQ(GameScreen->Paused, c.stillPaused);
    GameScreen->SetHided(1);
  }
}

TEST_F(Clock, APauseOfAnyLengthLeavesTheSecondsLeftAlone) {
  ASSERT_EQ(StartLevel(1), 1);
  EndSweep();
  Frame(50);
  const int left = InGameInterface->ClockTime;
  EXPECT_GT(left, 100);
  for (int pause : {18, 999, 1000, 123456}) {
    SCOPED_TRACE(pause);
    GameScreen->Pause(1);
    Wait(pause);
    GameScreen->Pause(0);
    GameScreen->TimeCheck();
    EXPECT_EQ(InGameInterface->ClockTime, left);
  }
}

// With the limit at 30 s: the clock light comes once at 25 s left, the
// warning once at 15 s, the time-out once when the hand passes the full
// circle; the player loses control then.
TEST_F(Clock, WarningsComeOnceEachAndTimeRunsOut) {
  ASSERT_EQ(StartLevel(1), 1);
  EndSweep();
  GameScreen->LevelLengthTime = 30000;
  GameScreen->PlayTime = GameTime;
  GameScreen->PausedTime = 0;
  Ref<TLight> light;
  int lights = 0, warnings = 0, outs = 0;
  int firstLight = -1, firstWarning = -1, out = -1;
  for (int t = 0; t < 31000; t += 100) {
    Wait(100);
    GameScreen->TimeCheck();
    if (InGameInterface->ClockLight != light) {
      light = InGameInterface->ClockLight;
      ++lights;
      firstLight = t + 100;
    }
    if (GameScreen->TimeWarning10 && firstWarning < 0) {
      ++warnings;
      firstWarning = t + 100;
    }
    if (GameScreen->Over && out < 0) {
      ++outs;
      out = t + 100;
    }
  }
  EXPECT_EQ(lights, 1);
  EXPECT_EQ(firstLight, 5000);
  EXPECT_EQ(warnings, 1);
  EXPECT_EQ(firstWarning, 15000);
  EXPECT_EQ(outs, 1);
  EXPECT_EQ(out, 30100) << "the hand must pass the full circle";
  EXPECT_EQ(GameScreen->Timer, GameScreen->PlayTime + 30100);
  EXPECT_EQ(Player->enabled, 0);
  EXPECT_EQ(InGameInterface->ClockTime, 0) << "frozen at the time-out";
}

// No clock runs in the relaxed mode, after a skip, while time is frozen, or
// with a limit of 0 (which a level may set or the debug key reach).
TEST_F(Clock, NoClockWhereThereIsNoLimit) {
  struct Case {
    const char* what;
    std::function<void(TGame&)> set;
  };
  const Case cases[] = {
      {"relaxed", [](TGame& g) { g.GameMode = TGameState::RELAXED; }},
      {"skipped", [](TGame& g) { g.SkipRound = 1; }},
      {"time frozen", [](TGame& g) { g.TimeFreeze = 1; }},
      {"no limit", [](TGame& g) { g.LevelLengthTime = 0; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(StartLevel(1), 1);
    EndSweep();
    GameScreen->LevelLengthTime = 20000;
    c.set(*GameScreen);
    for (int i = 0; i < 30; ++i) {
      Wait(1000);
      GameScreen->TimeCheck();
    }
    EXPECT_EQ(GameScreen->Over, 0);
    EXPECT_EQ(GameScreen->TimeWarning20, 0);
    EXPECT_EQ(GameScreen->TimeWarning10, 0);
    EXPECT_FALSE(InGameInterface->ClockLight);
    GameScreen->GameMode = TGameState::NORMAL;
    GameScreen->SetHided(1);
  }
}

TEST(Skill, TheTimeLimitFollowsTheSkill) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    float skill;
    int limit;
  };
  const Case cases[] = {
      {0.0f, 100000},   // no skill yet
      {0.4f, 75000},    // slow: down to three quarters
      {0.8f, 100000},   // both formulas meet
      {0.9f, 124999},   // quick: up to half as much again (0.9f is a shade below 0.9)
      {0.99f, 147500},
      {1.0f, 100000},   // out of range: unchanged
      {-0.5f, 100000},
      {nan, 100000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.skill);
    EXPECT_EQ(SkillAdjustedTime(100000, c.skill), c.limit);
  }
  EXPECT_EQ(SkillAdjustedTime(0, 0.5f), 0);
}

TEST(Skill, ARoundMovesTheSkillWithinItsRange) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    float skill, used, after;
  };
  const Case cases[] = {
      {0.0f, 0.5f, 0.5f},   // the first round sets it
      {0.6f, 0.2f, 0.4f},   // then the mean
      {0.6f, 3.0f, 0.8f},   // a share above 1 counts as 1
      {0.6f, -1.0f, 0.3f},  // and below 0 as 0
      {2.0f, 1.0f, 1.0f},   // a skill out of range is taken back into it
      {nan, 0.25f, 0.25f},  // a damaged skill counts as none
      {0.6f, nan, 0.6f},    // no measure: no change
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.used);
    EXPECT_FLOAT_EQ(SkillAfterRound(c.skill, c.used), c.after);
  }
}

// The skill is measured at the win (not after the results and the fade),
// only against a clock, and a level without a limit never writes NaN.
TEST_F(Clock, TheSkillIsMeasuredAtTheWin) {
  float skill = 0.6f;
  GameLinks.GetSkill = [&skill](float& s) {
    s = skill;
    return true;
  };
  GameLinks.SetSkill = [&skill](float s) { skill = s; };
  struct Case {
    const char* what;
    int limit, mode;
    float after;
  };
  const Case cases[] = {
      {"a quarter of the time", 40000, TGameState::NORMAL, (0.25f + 0.6f) / 2},
      {"no limit", 0, TGameState::NORMAL, 0.6f},
      {"relaxed", 40000, TGameState::RELAXED, 0.6f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    skill = 0.6f;
    ASSERT_EQ(StartLevel(1), 1);
    GameScreen->GameMode = c.mode;
    EndSweep();
    GameScreen->LevelLengthTime = c.limit;
    GameScreen->PlayTime = GameTime;
    GameScreen->PausedTime = 0;
    Wait(10000);
    Player->ReleasedCreatures = World->CreaturesToRelease;  // the goal reached
    GameScreen->GameType = 1;
    ReleasedBlockCount = 0;
    GameScreen->WinTest();
    ASSERT_EQ(GameScreen->Complete, 1);
    Wait(60000);  // the closing text, the results, the fade
    GameScreen->LevelComplete();
    EXPECT_FLOAT_EQ(skill, c.after);
    EXPECT_FALSE(std::isnan(GameScreen->BonusTime));
    GameScreen->GameMode = TGameState::NORMAL;
    GameScreen->SetHided(1);
  }
}

}  // namespace
}  // namespace play_test
