#include "play/game.h"

#include "framework/core/frame_clock.h"

namespace kelp {

TypedGlobal<TGame, TGameState> GameScreen(GameState);

int TGame::Start() {
  Over = 0;
  Complete = 0;
  LevelCompleted = 0;
  PausedTime = 0;
  PlayTime = GameTime;
  started = 1;
  return 0;
}

}  // namespace kelp
