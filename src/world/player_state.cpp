#include "world/player_state.h"

namespace kelp {

Ref<TPlayerState> PlayerState;

}  // namespace kelp
