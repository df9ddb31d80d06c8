#pragma once
// The level-play screen: one top-level widget that runs a level from its
// start to its end. Made once at start-up as GameScreen.
#include "framework/ui/widget.h"

namespace kelp {

class TLevelComplete;
class TAlarm;
class TDialogGame;

class TGame : public TWidget {
 public:
  static constexpr int NORMAL = 0;
  static constexpr int RELAXED = 1;

  int GameMode = NORMAL;
  int SkipRound = 0;
  int Combos = 0;
  int MaxCombo = 0;
  int OrbicsReleased = 0;
  float BonusTime = 0.0f;
  int LevelMoney = 0;
  int GenTime = 0;
  int parazite = 0;
  int FlushFlag = 0;
  int Over = 0;
  int GameType = 0;
  int Paused = 0;
  int PauseTime = 0;
  int PausedTime = 0;
  int Level = 0;
  int Stage = 0;
  int PlayTime = 0;
  int TotalTime = 0;
  int Tick = 0;
  int Complete = 0;
  int Timer = 0;
  Ref<TLevelComplete> CompleteForm;
  int started = 0;
  int TimeWarning20 = 0;
  int TimeWarning10 = 0;
  int LevelLengthTime = 0;
  int CompleteText = 0;
  int DialogEnd = 0;
  int Round = 0;
  int music = 0;
  Ref<TAlarm> Alarm;
  Ref<TDialogGame> Dialog;
  int PauseState = 0;
  int CustomLevel = 0;
  int TimeFreeze = 0;
  int LevelCompleted = 0;

  // Starts the current round.
  virtual int Start();
};

extern Ref<TGame> GameScreen;

}  // namespace kelp
