#include "village/trophy_room.h"

namespace kelp {

Ref<TTrophyRoom> TrophyRoomScreen;

}  // namespace kelp
