#include "world/brick.h"

namespace kelp {

// The wall itself comes with its own change; until then no level has one.
void TBrick::DrawBricks() {}

int TBrick::Load(const platform::StreamRef&) { return 0; }

void TBrick::Clear() {}

void TBrick::Hit(float, float, int) {}

}  // namespace kelp
