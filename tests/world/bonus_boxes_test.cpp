// What each bonus box does to the boxes around it when it goes off, and the
// effects of a box that goes or loses armour.
#include <cmath>
#include <map>

#include "bonus_scene.h"
#include "test_resources.h"
#include "world/effects/box_explosion.h"
#include "world/effects/flash.h"
#include "world/effects/parasite_effects.h"
#include "world/effects/ray.h"
#include "world/effects/resizer.h"
#include "world/effects/screen_shake.h"
#include "world/effects/stones.h"
#include "world/effects/time_freeze.h"

using namespace kelp;
using namespace box_test;

namespace {

class BonusBoxes : public BonusScene {};

float CenterRadius(const Ref<TBlock>& b) { return b->Center->radius; }

}  // namespace

TEST_F(BonusBoxes, ExplosionClearsColoursWithin120TicketsBonusesAndHurtsBosses) {
  auto bomb = Bonus(TBlock::EXPLOSION, 380, 400);
  auto left = Put(TBlock::RED, 320, 400);     // 60 away
  auto right = Put(TBlock::BLUE, 440, 400);   // 60 away
  auto armoured = Put(300, 380, 340);          // blue with armour 2, 60 away
  auto far = Put(TBlock::RED, 510, 400);      // 130 away
  auto parasite = Put(TBlock::PARAZITE, 380, 460);
  auto chest = Bonus(TBlock::CHEST_01, 330, 460);
  chest->Money = 25;
  auto boss = Boss(TBlock::PARAZ, 450, 470, 16);  // 99 away
  auto yeti = Boss(TBlock::YETI, 310, 330, 20);   // 99 away
  auto held = Put(TBlock::GREEN, 400, 360);
  held->Released = 0;
  Player->box = held;

  TBlock::Remove(bomb);

  EXPECT_TRUE(bomb->Deleted());
  for (const auto& b : {left, right, armoured}) EXPECT_TRUE(b->Deleted()) << "colour boxes go whatever their armour";
  EXPECT_EQ(Player->scores, 30);
  for (const auto& b : {far, parasite, chest, boss, yeti, held}) EXPECT_FALSE(b->Deleted());
  EXPECT_EQ(parasite->armor, 0);
  EXPECT_EQ(parasite->Ticket, 0) << "parasites are left alone";
  EXPECT_EQ(chest->Ticket, 1) << "a bonus in range goes off after its ticket delay";
  EXPECT_EQ(boss->armor, 12);
  EXPECT_EQ(yeti->armor, 16);
  auto bricks = EmittersOf(EffectBrick2);
  ASSERT_EQ(bricks.size(), 1u) << "only the yeti shatters";
  EXPECT_EQ(bricks[0]->x, yeti->RenderX);
  EXPECT_EQ(bricks[0]->DrawUnder, 1);
  EXPECT_EQ(Player->box, held) << "the box in the claw is not on the field";
  EXPECT_EQ(CountOf<TFlash>(), 2) << "the blast's two flashes";
  EXPECT_EQ(CountOf<TScreenShake>(), 1);
  EXPECT_EQ(EmittersOf(EffectExplCircle).size(), 1u);
  ASSERT_EQ(EmittersOf(EffectExplIskra).size(), 1u);
  EXPECT_EQ(EmittersOf(EffectExplIskra)[0]->cutable, 1);

  RunFor(450);
  EXPECT_TRUE(chest->Deleted());
  EXPECT_EQ(Player->money, 25);
}

TEST_F(BonusBoxes, ArmouredExplosionWaitsForItsLastHit) {
  auto bomb = Bonus(TBlock::EXPLOSION, 380, 400, 1);
  auto red = Put(TBlock::RED, 320, 400);
  TBlock::Remove(bomb);
  EXPECT_FALSE(bomb->Deleted());
  EXPECT_EQ(bomb->armor, 0);
  EXPECT_EQ(bomb->bonused, 0);
  EXPECT_FALSE(red->Deleted());
  TBlock::Remove(bomb);
  EXPECT_TRUE(bomb->Deleted());
  EXPECT_TRUE(red->Deleted());
}

TEST_F(BonusBoxes, ExplosionSetsOffAnotherWhichClearsItsOwnSurroundings) {
  auto first = Bonus(TBlock::EXPLOSION, 300, 400);
  auto second = Bonus(TBlock::EXPLOSION, 400, 400);
  auto nearSecond = Put(TBlock::GREEN, 480, 400);  // 180 from the first
  TBlock::Remove(first);
  EXPECT_EQ(second->Ticket, 1);
  EXPECT_FALSE(nearSecond->Deleted());
  RunFor(450);
  EXPECT_TRUE(second->Deleted());
  EXPECT_TRUE(nearSecond->Deleted());
  EXPECT_EQ(Count(), 0);
}

TEST_F(BonusBoxes, ParabombClearsEveryParasiteAndHurtsParasiteBosses) {
  auto bomb = Bonus(TBlock::PARABOMB, 380, 400);
  auto nearby = Put(TBlock::PARAZITE, 320, 400);
  auto farAway = Put(800, 560, 100);  // a parasite with armour 2, across the field
  auto hidden = Put(TBlock::PARAZITE, 200, 100);
  hidden->hided = 1;
  auto red = Put(TBlock::RED, 440, 400);
  auto paraz = Boss(TBlock::PARAZ, 250, 300, 16);
  auto elite = Boss(TBlock::SMALL_ELITE, 500, 300, 6);
  auto yeti = Boss(TBlock::YETI, 380, 250, 20);

  TBlock::Remove(bomb);

  EXPECT_TRUE(nearby->Deleted());
  EXPECT_TRUE(farAway->Deleted());
  EXPECT_FALSE(hidden->Deleted());
  EXPECT_FALSE(red->Deleted());
  EXPECT_EQ(Player->scores, 0) << "parasites pay nothing";
  EXPECT_EQ(paraz->armor, 13);
  EXPECT_EQ(elite->armor, 3);
  EXPECT_EQ(yeti->armor, 20) << "a yeti is no parasite";
  // Two cut bursts at each parasite boss.
  int atBosses = 0;
  for (const auto& e : EmittersOf(EffectParExplodeDust))
    if (e->x == paraz->RenderX || e->x == elite->RenderX) {
      ++atBosses;
      EXPECT_EQ(e->cutable, 1);
    }
  EXPECT_EQ(atBosses, 2);
  EXPECT_EQ(CountOf<TFlash>(), 2);
}

TEST_F(BonusBoxes, ChestsPayAndThrowTheStageStone) {
  struct Row {
    int kind, stage, round;
    float x, y;
    const char* stone;  // "" for none
    float magnetSpeed;
  };
  const Row rows[] = {
      {TBlock::CHEST_01, 9, 2, 400, 500, "", 8.0f},  {TBlock::CHEST_02, 5, 2, 400, 500, "", 8.0f},
      {TBlock::CHEST_02, 9, 1, 200, 300, "", 3.0f},  {TBlock::CHEST_02, 8, 2, 200, 300, "TROPHY_STONE_01", 3.0f},
      {TBlock::CHEST_02, 9, 2, 400, 500, "TROPHY_STONE_02_2", 8.0f},
      {TBlock::CHEST_02, 10, 2, 400, 500, "TROPHY_STONE_03_2", 8.0f},
  };
  std::map<std::string, platform::ImageRef> stones;
  for (const char* id : {"TROPHY_STONE_01", "TROPHY_STONE_02_2", "TROPHY_STONE_03_2"})
    stones[id] = testsupport::AddImage(id, platform::CreateImage(4, 4, 1, 0));
  *EffectCoins->Magnet = {1, 120, 150, 5, 1, 0};  // the money counter
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.kind) + " stage " + std::to_string(r.stage) + " round " + std::to_string(r.round));
    VisualsList.Clear();
    GameInterface->Emitters.Clear();
    Player->money = 10;
    GameScreen->Stage = r.stage;
    GameScreen->Round = r.round;
    auto chest = Bonus(r.kind, r.x, r.y);
    chest->Money = 40;
    TBlock::Remove(chest);
    EXPECT_TRUE(chest->Deleted());
    EXPECT_EQ(Player->money, 50);
    ASSERT_EQ(EmittersOf(EffectCoins).size(), 1u);
    EXPECT_EQ(ChestCoins, EmittersOf(EffectCoins)[0]);
    EXPECT_EQ(EmittersOf(EffectGems).size(), 1u);
    EXPECT_EQ((*EffectCoins->Magnet)[3], r.magnetSpeed);
    EXPECT_EQ((*EffectGems->Magnet)[3], r.magnetSpeed);
    auto thrown = AllOf<TStone>();
    if (*r.stone == '\0') {
      EXPECT_TRUE(thrown.empty());
    } else {
      ASSERT_EQ(thrown.size(), 1u);
      EXPECT_EQ(thrown[0]->Image, stones[r.stone]);
      EXPECT_EQ(thrown[0]->Magnet, EffectStone01->Magnet) << "it flies to the stone counter";
    }
  }
}

TEST_F(BonusBoxes, IceTakesThreeHitsAndShattersEachTime) {
  auto ice = Bonus(TBlock::ICE, 380, 400, 3);
  auto red = Put(TBlock::RED, 330, 400);
  for (int hit = 1; hit <= 3; ++hit) {
    TBlock::Remove(ice);
    EXPECT_FALSE(ice->Deleted());
    EXPECT_EQ(ice->armor, 3 - hit);
    EXPECT_EQ(EmittersOf(EffectBrick2).size(), static_cast<size_t>(hit));
  }
  TBlock::Remove(ice);
  EXPECT_TRUE(ice->Deleted());
  EXPECT_FALSE(red->Deleted());
  EXPECT_EQ(CountOf<TBoxExplode>(), 0) << "ice breaks into shards, not box pieces";
  for (const auto& e : EmittersOf(EffectBrick2)) EXPECT_EQ(e->DrawUnder, 1);
}

TEST_F(BonusBoxes, TimeFreezeStartsTheFrozenClock) {
  auto freeze = Bonus(TBlock::TIME_FREEZE, 380, 400);
  TBlock::Remove(freeze);
  ASSERT_EQ(CountOf<TTimeFreeze>(), 1);
  EXPECT_EQ(AllOf<TTimeFreeze>()[0]->BirthTime, GameTime);
  int atBox = 0;
  for (const auto& e : EmittersOf(EffectBoxExplodeDust))
    if (e->x == 380.0f && e->cutable == 0) ++atBox;
  EXPECT_EQ(atBox, 1) << "its own dust, besides the cut one of every removal";
}

TEST_F(BonusBoxes, ResizeShrinksEveryPlainBoxOnce) {
  auto resize = Bonus(TBlock::RESIZE, 380, 400);
  auto red = Put(TBlock::RED, 200, 500);
  auto parasite = Put(TBlock::PARAZITE, 500, 500);
  auto done = Put(TBlock::BLUE, 300, 200);
  done->Resized = 1;
  auto hidden = Put(TBlock::BLUE, 300, 300);
  hidden->hided = 1;
  auto chest = Bonus(TBlock::CHEST_01, 450, 300);
  auto boss = Boss(TBlock::PARAZ, 250, 300, 16);
  const float redBefore = CenterRadius(red), bossBefore = CenterRadius(boss), doneBefore = CenterRadius(done);

  TBlock::Remove(resize);
  EXPECT_EQ(CountOf<TResizer>(), 2);
  EXPECT_EQ(red->Resized, 1);
  EXPECT_EQ(parasite->Resized, 1);
  EXPECT_EQ(hidden->Resized, 0);
  EXPECT_EQ(chest->Resized, 0);
  EXPECT_EQ(boss->Resized, 0);

  for (int i = 0; i < 60; ++i) TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(CountOf<TResizer>(), 0) << "a resizer ends at its size";
  EXPECT_NEAR(CenterRadius(red) / redBefore, std::pow(1.0f - 0.004f, 50.0f), 0.01f);
  EXPECT_FLOAT_EQ(CenterRadius(boss), bossBefore);
  EXPECT_FLOAT_EQ(CenterRadius(done), doneBefore);

  // A second resize bonus leaves the shrunk boxes as they are.
  TBlock::Remove(Bonus(TBlock::RESIZE, 380, 400));
  EXPECT_EQ(CountOf<TResizer>(), 0);
}

TEST_F(BonusBoxes, RayBonusArmsTheClawOnce) {
  ASSERT_FALSE(Player->Handle->Ray);
  TBlock::Remove(Bonus(TBlock::RAY, 380, 400));
  const Ref<TRay> ray = Player->Handle->Ray;
  ASSERT_TRUE(ray);
  ASSERT_TRUE(ray->Effect);
  EXPECT_EQ(ray->Effect->Config, EffectRay);
  EXPECT_EQ(ray->Effect->x, 380.0f);
  EXPECT_EQ(EmittersOf(EffectRay).size(), 1u);

  TBlock::Remove(Bonus(TBlock::RAY, 300, 420));
  EXPECT_EQ(Player->Handle->Ray, ray) << "the claw keeps its ray";
  EXPECT_EQ(ray->Effect->x, 300.0f);
  EXPECT_EQ(EmittersOf(EffectRay).size(), 2u);
}

TEST_F(BonusBoxes, RemovalEffectsDependOnClassAndArmour) {
  struct Row {
    const char* what;
    int fileClass, bossKind, armor;
    int pieces, creatures, flashes;
  };
  const Row rows[] = {
      {"red", TBlock::RED, 0, 0, 1, 1, 0},          {"armoured red", TBlock::RED, 0, 1, 1, 0, 0},
      {"parasite", TBlock::PARAZITE, 0, 0, 1, 0, 0}, {"armoured parasite", TBlock::PARAZITE, 0, 2, 1, 0, 0},
      {"paraz boss", TBlock::BOSS, TBlock::PARAZ, 0, 1, 0, 1},
      {"yeti", TBlock::BOSS, TBlock::YETI, 0, 1, 1, 1},
      {"hurt boss", TBlock::BOSS, TBlock::ELITE, 5, 1, 0, 0},
      {"boss of no kind", TBlock::BOSS, 0, 0, 1, 0, 0},
      {"chest", TBlock::BONUS, 0, 0, 1, 1, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    VisualsList.Clear();
    GameInterface->Emitters.Clear();
    auto b = r.fileClass == TBlock::BOSS ? Boss(r.bossKind, 380, 400, r.armor) : Put(r.fileClass, 380, 400);
    if (r.fileClass == TBlock::BONUS) b->bonus_class = TBlock::CHEST_01;
    b->armor = r.armor;
    TBlock::Remove(b);
    EXPECT_EQ(b->Deleted(), r.armor == 0);
    EXPECT_EQ(CountOf<TBoxExplode>(), r.pieces);
    EXPECT_EQ(CountOf<TCreature>(), r.creatures);
    EXPECT_EQ(CountOf<TFlash>(), r.flashes);
    // The stars and the push come with every box that goes.
    EXPECT_EQ(EmittersOf(EffectStars05).size(), r.armor == 0 ? 1u : 0u);
    EXPECT_EQ(World->Physics->Forces.Count(), r.armor == 0 ? (r.bossKind != 0 ? 2u : 1u) : 0u);
    World->Physics->Forces.Clear();
    TBlock::ClearBlocks();
  }
}

TEST_F(BonusBoxes, ARemovalStopsTheSmokeSoItCanStartAgain) {
  auto red = Put(120, 380, 400);  // red with armour 2
  red->EvilSmoke = TEvilSmoke::Create(red);
  const Ref<TEvilSmoke> smoke = red->EvilSmoke;
  TBlock::Remove(red);
  EXPECT_FALSE(red->Deleted());
  EXPECT_EQ(smoke->Death, 1);
  EXPECT_EQ(smoke->Emitter->Death, 1);
  EXPECT_EQ(smoke->Emitter2->Death, 1);
  EXPECT_FALSE(red->EvilSmoke);
}
