#pragma once
// The island map screen. Made once at start-up as MapScreen.
#include "framework/ui/widget.h"

namespace kelp {

class TMapMode : public TWidget {};

extern Ref<TMapMode> MapScreen;

}  // namespace kelp
