#include "scenes/level_scenes.h"

#include <unistd.h>

#include "framework/core/frame_clock.h"
#include "framework/media/resources.h"
#include "framework/core/random.h"
#include "framework/media/visuals.h"
#include "physics/engine.h"
#include "platform/window.h"
#include "play/game.h"
#include "play/player.h"
#include "scenes/physics_scenes.h"
#include "world/block.h"
#include "world/effects/electro.h"
#include "world/resource_bindings.h"
#include "world/world.h"

namespace scenes {

using namespace kelp;

Ref<TBlock> MakeBox(const BoxOptions& o) {
  auto b = TBlock::Create(o.x, o.y, 0, 0);
  b->class_ = o.cls;
  b->SetClass();
  if (o.armor >= 0) b->armor = b->max_armor = o.armor;
  b->bonus_class = o.bonus;
  b->boss_class = o.boss;
  b->Group->boss_class = o.boss;
  b->Group->Scale(b->scale);
  if (o.released) b->Released = b->Group->Released = 1;
  if (o.levelSize) {
    const float h = 32 * b->scale;
    b->UpLeft->Position(o.x - h, o.y - h);
    b->UpRight->Position(o.x + h, o.y - h);
    b->DownLeft->Position(o.x - h, o.y + h);
    b->DownRight->Position(o.x + h, o.y + h);
    b->Center->Position(o.x, o.y);
  }
  if (o.pinned)
    for (auto p = b->Group->frstp.get(); p; p = p->nxt.get()) p->static_ = 1;
  b->RenderX = o.x;
  b->RenderY = o.y;
  return b;
}

Ref<TBlock> MakeBox(int cls, float x, float y) { return MakeBox({.cls = cls, .x = x, .y = y}); }

bool LoadInitData(const std::string& root) {
  if (chdir(root.c_str()) != 0) return false;
  if (!platform::OpenGraphics(800, 600, 0, 60, true)) return false;
  if (!ResManager) ResManager = New<TResManager>();
  if (!ReadResourceList("res.xml")) return false;
  ResManager->LoadScope("Init");
  BindInitResources();
  return true;
}

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
    auto b = MakeBox({.x = BoxX(i, kPlayColumns), .y = BoxY(i, kPlayColumns)});
    // The colour is drawn after the box's own draws, so the scene stays as it was.
    b->class_ = b->Group->class_ = 1 + Rand(0, 4);
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
