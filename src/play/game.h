#pragma once
// The level-play screen: one top-level widget that runs a level from its
// start to its win, loss, skip or restart. Made once at start-up as
// GameScreen; its fields that the level world shares are those of TGameState.
//
// Clock rules: every time is GameTime in ms. A round starts paused (PauseState
// 1) until the red line has swept in; every resume adds the pause's length to
// PausedTime, Timer and TrolleyTimeOffset, so anything timed against them
// behaves as if the pause never happened.
//
// The per-frame order of Update is fixed: music, effects, boxes, bricks,
// player, interface, world, then TimeCheck, FadeCheck, CompleteCheck.
#include <functional>

#include "framework/core/typed_global.h"
#include "world/game_state.h"

namespace kelp {

class TGame : public TGameState {
 public:
  int Update(float dt) override;
  int Draw() override;
  // The pause menu's buttons (1 to 5) and its message boxes' answers.
  int DePress(int id) override;
  int AddedToManager() override;
  int SetHided(int flag) override;

  // 1 pauses, 0 resumes; a resume is refused while PauseState is 1.
  virtual int Pause(int flag);
  virtual void FadeCheck();
  virtual void TimeCheck();
  virtual void CompleteCheck();
  virtual void LevelCompleteForm();
  virtual void LevelComplete();
  // Empties the play field and resets the round's state.
  virtual void Clear();
  // Back to the stage's first round (a level-select level restarts itself).
  virtual void Restart();
  // Counts the round as won (from the game-over screen).
  virtual void Skip();
  // The opening captions, then the red line's sweep.
  virtual void StartText();
  virtual void EndText();
  // Loads the current level and starts its round: 1 when it runs. A level
  // that cannot be loaded leaves nothing loaded, is logged, hides the screen
  // and reports 0 (the caller decides where to go).
  int Start() override;

  // The win test of the level's type: 1 when the round was won this frame.
  int WinTest();
  // The share of the time limit used so far in the round, 0..1 (0 without a limit).
  float UsedShare() const;

 private:
  void DebugKeys();
  void StartMusicWhenDue();
  void SetComplete();
  // The share of the time limit used when the round was won or skipped.
  float WinShare_ = 0.0f;
  WeakRef<TWidget> GameOverForm_;  // the game-over screen while it is up
};

// The one TGame, stored as the level world's GameState.
extern TypedGlobal<TGame, TGameState> GameScreen;

// The story dialog before a round (0: none), and the one after it with its
// delay and kind (id 0: none).
int OpeningDialog(int stage, int round, int gameMode);
struct TClosingDialog {
  int id = 0, delay = 0, kind = 0;
};
TClosingDialog ClosingDialog(int stage, int round);

// The time limit L adjusted to the player's skill S: unchanged unless
// 0 < S < 1; above 0.8 up to 1.5 L, below it down to 0.5 L.
int SkillAdjustedTime(int limit, float skill);
// The skill after a won round that used the share f of its time limit, from
// the skill before; both clamped to [0, 1]. A NaN f leaves the skill alone.
float SkillAfterRound(float skill, float usedShare);

// What the level screen needs of the screens above it; start-up fills them.
// Empty ones do nothing (the level stays where it is).
struct TGameLinks {
  // The current profile's skill: false without a profile.
  std::function<bool(float& skill)> GetSkill;
  std::function<void(float skill)> SetSkill;
  // The options dialog over the level, and the help.
  std::function<void()> ShowOptions;
  std::function<void()> ShowHelp;
  // The main menu shown (the level screen is already hidden).
  std::function<void()> ShowMainMenu;
  // The village of the current island shown (the level screen is already hidden).
  std::function<void()> ShowVillage;
  // A level-select game left for the menu: the profile's saved state read
  // again and its village loaded.
  std::function<void()> ReloadProfile;
  // The player's score entered into the high scores.
  std::function<void()> AddScore;
  // The level record of (level, game mode) gets the current player's score.
  std::function<void(int level, int gameMode, int score)> RecordLevel;
  // Skips left in the save (0 without a save), and one skip used.
  std::function<int()> SkipsLeft;
  std::function<void()> UseSkip;
  // After the game-complete picture: the save starts over (keeping that the
  // game was completed) and is written; then the credits are shown.
  std::function<void()> RestartSave;
  std::function<void()> ShowCredits;
};
extern TGameLinks GameLinks;

}  // namespace kelp
