// The world's reset: every plain global back to the value it had when the
// program started, and nothing of a played level left alive.
#include "reset_rooms.h"
#include "scenes/level_scenes.h"
#include "scenes/physics_scenes.h"
#include "world/world_globals.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "start_values.h"
#include "framework/media/particles.h"
#include "play/game.h"
#include "play/player.h"
#include "world/block.h"
#include "world/brick.h"
#include "world/effects/chain_lights.h"
#include "world/effects/clouds.h"
#include "world/effects/electro.h"
#include "world/effects/fade2.h"
#include "world/game_state.h"
#include "world/level.h"
#include "world/obstacle.h"
#include "world/player_state.h"
#include "world/resource_bindings.h"
#include "world/static_path.h"
#include "world/trolley.h"
#include "world/village_state.h"
#include "world/world.h"

namespace {

using namespace kelp;

using testsupport::StartValue;
#define START KELP_START_VALUE

const std::vector<StartValue<int>> kInts = {
    START(ReleasedBlockCount), START(ParaziteInPlay),   START(BossInPlay),         START(LastParaziteTime),
    START(ParaziteInterval),   START(ChainMinimum),     START(CriticalDelay),      START(ComboCount),
    START(ComboTime),          START(ComboX),           START(ComboY),             START(LastRemoveSoundTime),
    START(BrickColumns),       START(BrickRows),        START(BrickWidth),         START(BrickHeight),
    START(WallOriginX),        START(WallOriginY),      START(BrickCount),         START(LevelCount),
    START(ParaziteObstacleLeft), START(StaticNodeCounter), START(TrolleyTimeOffset), START(TrolleyCount),
    START(TrolleyWarningShown), START(CurrentVillage),  START(WorldImageCounter),  START(ChainLightsCount),
    START(ChainLightsOn),      START(ChainLightsStopTime), START(BlockElectroSoundTime), START(TFade2::Width),
    START(TFade2::Height),     START(TStaticPath::LeftHeld), START(TStaticPath::RightHeld),
    START(TStaticPath::LeftReleased), START(TStaticPath::RightReleased)};
const std::vector<StartValue<float>> kFloats = {START(BrickFallMax),    START(BrickFallAccel),
                                                START(CloudMinX),       START(CloudMaxX),
                                                START(CloudShadowMinX), START(CloudShadowMaxX)};
const std::vector<StartValue<uint8_t>> kBytes = {START(WallStanding), START(ChainLightsStopping)};
#undef START

class WorldGlobals : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::ResetPlayRooms(); }
  void TearDown() override { testsupport::ResetPlayRooms(); }
};

TEST_F(WorldGlobals, EveryPlainGlobalGoesBackToItsStartValue) {
  testsupport::Disturb(kInts);
  testsupport::Disturb(kFloats);
  testsupport::Disturb(kBytes);
  ReleasedClasses[2] = 1;
  ResetWorldGlobals();
  testsupport::ExpectStartValues(kInts);
  testsupport::ExpectStartValues(kFloats);
  testsupport::ExpectStartValues(kBytes);
  for (int c : ReleasedClasses) EXPECT_EQ(c, 0);
}

TEST_F(WorldGlobals, NothingOfAPlayedLevelStaysAlive) {
  World = New<TWorld>();
  scenes::WalledBox(*World->Physics);
  GameScreen = New<TGame>();
  Player = New<TPlayer>();
  CreateBlockColors();
  const Ref<TBlock> box = scenes::MakeBox(TBlock::RED, 300, 400);
  PlayerState->box = box;
  auto trolley = New<TTrolley>();
  trolley->ID = 1;
  trolley->Blocks.AddLast(scenes::MakeBox(TBlock::BLUE, 350, 400));
  Trolleys.AddLast(trolley);
  CurrentTrolley = trolley;
  TElectro::Create(0, 0, 10, 10, 2);
  LevelStaticPath = TStaticPath::Create();
  CurrentLevel = New<TLevel>();
  LevelLinks.ShowVillage = [] {};
  ImageFlash = platform::CreateImage(2, 2, 1, 0);
  EffectDust = New<TEffect>();

  const std::weak_ptr<TWorld> world = World;
  const std::weak_ptr<TBlock> heldBox = box;
  const std::weak_ptr<TTrolley> heldTrolley = trolley;
  const std::weak_ptr<TGameState> game = GameState;
  const std::weak_ptr<TStaticPath> path = LevelStaticPath;
  trolley = nullptr;
  ResetWorldGlobals();
  EXPECT_TRUE(box->Deleted()) << "the box's body left the engine";
  EXPECT_EQ(heldBox.use_count(), 1) << "only this test holds the box";
  EXPECT_TRUE(world.expired());
  EXPECT_TRUE(heldTrolley.expired());
  EXPECT_TRUE(game.expired());
  EXPECT_TRUE(path.expired());
  EXPECT_TRUE(BlockList.IsEmpty());
  EXPECT_TRUE(Trolleys.IsEmpty());
  EXPECT_EQ(CurrentTrolley, nullptr);
  EXPECT_TRUE(ElectroList.IsEmpty());
  EXPECT_EQ(PlayerState, nullptr);
  EXPECT_FALSE(Player) << "the player's name for it is empty too";
  EXPECT_EQ(CurrentLevel, nullptr);
  EXPECT_FALSE(LevelLinks.ShowVillage);
  EXPECT_EQ(BlockColorRed, nullptr);
  EXPECT_EQ(ImageFlash, nullptr);
  EXPECT_EQ(EffectDust, nullptr);
}

}  // namespace
