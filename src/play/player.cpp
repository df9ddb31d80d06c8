#include "play/player.h"

namespace kelp {

Ref<TPlayer> Player;

}  // namespace kelp
