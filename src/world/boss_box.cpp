// The per-frame parasite, freeze and boss behaviour of the boxes.
#include "world/block.h"

namespace kelp {

// Boss hops, parasite capture and freezing. Filled in with the bonus and
// boss boxes.
void TBlock::UpdateParaziteEffects(float) {}

// Called by Del: the parasite smoke and freeze effect end with the box.
void TBlock::KillParaziteEffects() {
  EvilSmoke = nullptr;
  FreezeEffect = nullptr;
}

// Called by Draw after the box: the smoke and freeze effect step as drawn.
void TBlock::DrawParaziteEffects() {}

}  // namespace kelp
