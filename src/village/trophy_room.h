#pragma once
// The trophy room screen. Made once at start-up as TrophyRoomScreen.
#include "framework/ui/widget.h"

namespace kelp {

class TTrophyRoom : public TWidget {};

extern Ref<TTrophyRoom> TrophyRoomScreen;

}  // namespace kelp
