#pragma once
// The one player: the crane claw steered by the mouse, the boxes it holds
// and releases, and the player's points, money and progress in the level.
// Its fields that the level world shares are those of TPlayerState.
#include "framework/core/typed_global.h"
#include "world/player_state.h"

namespace kelp {

class TPlayer : public TPlayerState {
 public:
  void Load() override;
};

// The one TPlayer, stored as the level world's PlayerState.
extern TypedGlobal<TPlayer, TPlayerState> Player;

}  // namespace kelp
