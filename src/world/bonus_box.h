#pragma once
// What the bonus and boss boxes share.
#include "framework/media/particles.h"

namespace kelp {

// A new emitter of the effect at (x, y), handed to the level interface;
// `cut` marks it cutable.
Ref<TEmitter> BoxEmitter(const Ref<TEffect>& effect, float x, float y, int drawUnder = 0, bool cut = false);

}  // namespace kelp
