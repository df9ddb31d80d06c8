#pragma once
// The level-play screen: one top-level widget that runs a level from its
// start to its end. Made once at start-up as GameScreen; its fields that
// the level world shares are those of TGameState.
#include "framework/core/typed_global.h"
#include "world/game_state.h"

namespace kelp {

class TGame : public TGameState {
 public:
  int Start() override;
};

// The one TGame, stored as the level world's GameState.
extern TypedGlobal<TGame, TGameState> GameScreen;

}  // namespace kelp
