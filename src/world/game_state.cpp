#include "world/game_state.h"

namespace kelp {

Ref<TGameState> GameState;

}  // namespace kelp
