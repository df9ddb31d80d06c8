#include "scenes/level_scenes.h"

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/visuals.h"
#include "physics/engine.h"
#include "play/game.h"
#include "play/player.h"
#include "scenes/physics_scenes.h"
#include "world/block.h"
#include "world/effects/electro.h"
#include "world/world.h"

namespace scenes {

using namespace kelp;

void BuildBoxLevel(int boxes, uint32_t seed) {
  GameTime = 1000000;
  SeedRnd(seed);
  ResetBlockState();
  World = New<TWorld>();
  WalledBox(*World->Physics, kPlayColumns);
  World->CriticalLine = -2000;
  GameScreen = New<TGame>();
  GameScreen->GameType = 1;
  Player = New<TPlayer>();
  for (int i = 0; i < boxes; ++i) {
    auto b = TBlock::Create(BoxX(i, kPlayColumns), BoxY(i, kPlayColumns), 0, 0);
    b->class_ = 1 + Rand(0, 4);
    b->SetClass();
    b->Group->Scale(b->scale);
    b->Released = 1;
    b->Group->Released = 1;
  }
}

void TearBoxLevel() {
  TBlock::ClearBlocks();
  VisualsList.Clear();
  TElectro::Clear();
  World = nullptr;
  GameScreen = nullptr;
  Player = nullptr;
}

void BoxLevelFrame() {
  GameTime += 18;
  TBlock::UpdateBlocks(1.0f);
  World->Physics->Update(1.0f);
}

}  // namespace scenes
