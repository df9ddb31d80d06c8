// Block files: the line reader and the XML form over any bytes, then a few
// level frames with whatever boxes they made.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/visuals.h"
#include "fuzz_check.h"
#include "physics/engine.h"
#include "platform/stream.h"
#include "world/effects/electro.h"
#include "play/game.h"
#include "play/player.h"
#include "world/block.h"
#include "world/world.h"

namespace {

using namespace kelp;

using fuzz::Check;

bool Setup() {
  World = New<TWorld>();
  TPhysEngine& e = *World->Physics;
  TPhysEngine_Static::Create(190, 560, 570, 560, 0.8f, 2, 1, &e);
  TPhysEngine_Static::Create(190, -1000, 190, 560, 0.8f, 2, 1, &e);
  TPhysEngine_Static::Create(570, -1000, 570, 560, 0.8f, 2, 1, &e);
  World->CriticalLine = 200;
  GameScreen = New<TGame>();
  GameScreen->GameType = 1;
  GameScreen->Level = 56;
  Player = New<TPlayer>();
  GameTime = 1000000;
  return true;
}

void CheckBoxes() {
  for (const auto& b : BlockList) {
    Check(b->scale > 0.0f && b->scale <= 4.0f);
    Check((b->class_ >= 1 && b->class_ <= 9) || b->class_ == TBlock::BOSS);
    Check(b->armor >= 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = Setup();
  (void)ready;
  SeedRnd(1);
  const std::vector<uint8_t> bytes(data, data + size);
  kelp::TBlock::LoadBlocks(platform::OpenMemory(bytes));
  CheckBoxes();
  kelp::TBlock::LoadBlocksNew(platform::OpenMemory(bytes));
  CheckBoxes();
  for (int i = 0; i < 3; ++i) {
    kelp::GameTime += 18;
    kelp::TBlock::UpdateBlocks(1.0f);
    kelp::World->Physics->Update(1.0f);
  }
  kelp::TBlock::ClearBlocks();
  kelp::VisualsList.Clear();
  kelp::TElectro::Clear();
  return 0;
}
