// Brick files: the line reader and the XML form over any bytes, then hits
// all over the wall and the frames that let its bricks fall.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/visuals.h"
#include "fuzz_check.h"
#include "platform/stream.h"
#include "world/block.h"
#include "world/brick.h"

namespace {

using namespace kelp;

using fuzz::Check;

void CheckWall() {
  if (BrickGrid.empty()) return;
  Check(BrickColumns == 8 && BrickRows == 8);
  Check(BrickGrid.size() == 8 && ColumnImpulses.size() == 8);
  for (int i = 0; i < 8; ++i) {
    Check(BrickGrid[size_t(i)].size() == 8);
    for (int j = 0; j < 8; ++j)
      if (const auto& b = BrickGrid[size_t(i)][size_t(j)]) Check(b->wall_x == i && b->wall_y == j);
  }
}

// Nothing falls and no column bounces: further frames change nothing.
bool Settled() {
  for (size_t i = 0; i < BrickGrid.size(); ++i) {
    if (i < ColumnImpulses.size() && ColumnImpulses[i]) return false;
    for (size_t j = 0; j < BrickGrid[i].size(); ++j) {
      const auto& b = BrickGrid[i][j];
      if (!b) continue;
      if (b->y < float(int(j) * BrickHeight + WallOriginY)) return false;
      if (j + 1 < BrickGrid[i].size() && !BrickGrid[i][j + 1]) return false;
    }
  }
  return true;
}

void Play() {
  // Sixteen hits in different cells: every row and column of the wall and
  // one past its corner.
  for (int i = 0; i < 16; ++i) TBrick::Hit(float(175 + (i * 24) % 404), float(200 + (i * 35) % 404), 10);
  // Enough frames for a brick to fall a cell and its column to stop
  // bouncing; most walls take no damage and settle at once.
  for (int i = 0; i < 40; ++i) {
    GameTime += 18;
    TVisuals::UpdateVisuals(1.0f);
    TBrick::UpdateBricks(1.0f);
    CheckWall();
    if (i >= 1 && Settled()) break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SeedRnd(1);
  GameTime = 1000000;
  const std::vector<uint8_t> bytes(data, data + size);
  TBrick::Clear();
  TBrick::Load(platform::OpenMemory(bytes));
  CheckWall();
  Play();
  TBrick::Clear();
  TBrick::LoadNew(platform::OpenMemory(bytes));
  CheckWall();
  Play();
  TBrick::Clear();
  VisualsList.Clear();
  return 0;
}
