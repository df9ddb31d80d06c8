#include "world/world_globals.h"

#include "world/block.h"
#include "world/brick.h"
#include "world/effects/effects_globals.h"
#include "world/game_interface.h"
#include "world/game_state.h"
#include "world/level.h"
#include "world/obstacle.h"
#include "world/player_state.h"
#include "world/pusher.h"
#include "world/resource_bindings.h"
#include "world/static_path.h"
#include "world/trolley.h"
#include "world/village_state.h"
#include "world/world.h"

namespace kelp {

void ResetWorldGlobals() {
  ResetEffectsGlobals();

  // The machinery and the boxes leave the engine while the world still stands.
  TTrolley::Clear();
  TrolleyTimeOffset = 0;
  TrolleyWarningShown = 0;
  TBlock::ClearBlocks();
  ResetBlockState();
  ChainMinimum = 3;
  CriticalDelay = 8000;
  TBrick::Clear();
  BrickWidth = BrickHeight = 48;
  WallOriginX = 185;
  WallOriginY = 210;
  BrickFallMax = 10.0f;
  BrickFallAccel = 1.06f;
  TPusher::DeletePusher();
  TObstacle::Clear();
  TWorldImage::Clear();
  if (LevelStaticPath) LevelStaticPath->Clear();
  LevelStaticPath = nullptr;
  StaticNodeCounter = 0;
  TStaticPath::HoveredNode = TStaticPath::SelectedNode = nullptr;
  TStaticPath::LeftHeld = TStaticPath::RightHeld = 0;
  TStaticPath::LeftReleased = TStaticPath::RightReleased = 0;
  World = nullptr;

  CurrentLevel = nullptr;
  LevelStageIsland.clear();
  LevelCount = 0;
  LevelLinks = TLevelLinks{};
  GameState = nullptr;
  PlayerState = nullptr;
  VillageState = nullptr;
  CurrentVillage = 1;
  GameInterface = nullptr;

  for (auto* color : {&BlockColorGreen, &BlockColorRed, &BlockColorBlue, &BlockColorOrange, &BlockColorPurple,
                      &BlockColorGrey, &BlockColorBrown, &BlockColorSky, &BlockColorIce})
    *color = nullptr;
  for (auto* image : {&ImageBlockSteel, &ImageBlockGold, &ImageBlockRed, &ImageBlockGreen, &ImageBlockBlue,
                      &ImageBlockOrange, &ImageBlockBrown, &ImageBlockSky, &ImageBlockPurple, &ImageBonusExplosion,
                      &ImageBonusParabomb, &ImageBonusFreeze, &ImageBonusResize, &ImageBonusRay, &ImageChest01,
                      &ImageChest02, &ImageBlockIce})
    *image = nullptr;
  ResetResourceBindings();
}

}  // namespace kelp
