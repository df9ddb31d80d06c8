// What a box does when it goes or loses armour, and the bonus effects.
#include "world/block.h"

namespace kelp {

// The removal effects of a box (dust, sparks, creatures, the push, brick
// hits; a brownie's defeat). Filled in with the bonus and boss boxes.
void TBlock::Explode(int) {}

// A bonus box going off. Filled in with the bonus and boss boxes.
void TBlock::BonusApply() {}

}  // namespace kelp
