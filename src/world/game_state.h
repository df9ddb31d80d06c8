#pragma once
// The running level as the level world and the effects see it: the fields
// of the level screen they read and write, and the operations they call.
// The level screen (play/game.h) derives from it; start-up makes the one
// object and it lives until the end.
#include "framework/core/object.h"
#include "framework/ui/widget.h"

namespace kelp {

class TLevelComplete;
class TAlarm;
class TDialogGame;

class TGameState : public TWidget {
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
  virtual int Start() = 0;
};

// The same object as the GameScreen of the layer above (one stored reference).
extern Ref<TGameState> GameState;

}  // namespace kelp
