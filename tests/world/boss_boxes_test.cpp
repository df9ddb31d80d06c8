// Boss hops, parasite captures, freezing next to a yeti, the brownie's
// captures by its health and its defeat, on small hand-built scenes.
#include <algorithm>

#include "bonus_scene.h"
#include "world/effects/flash.h"
#include "world/effects/parasite_effects.h"
#include "world/effects/pulser.h"
#include "world/effects/rings.h"

using namespace kelp;
using namespace box_test;

namespace {

class BossBoxes : public BonusScene {
 public:
  // A boss standing free (not pinned) at (x, y).
  static Ref<TBlock> FreeBoss(int kind, float x, float y, int armor) {
    return MakeBox({.cls = TBlock::BOSS, .x = x, .y = y, .levelSize = true, .armor = armor, .boss = kind});
  }
  // A box of the class standing free in its level size.
  static Ref<TBlock> FreeBox(int cls, float x, float y) {
    return MakeBox({.cls = cls, .x = x, .y = y, .levelSize = true});
  }

  // Frames until `done` holds or `limit` ms have passed; the ms run.
  template <class F>
  static int RunUntil(F done, int limit) {
    int t = 0;
    while (!done() && t < limit) {
      Frame();
      t += 18;
    }
    return t;
  }

  static int Contact(const Ref<TBlock>& b) { return b->Group ? b->Group->ParaziteOnBoardTime : -1; }
};

// Where a box rests on the floor, and the gap between two that touch.
constexpr float kFloor = 531.6f;
constexpr float kNext = 58.0f;

}  // namespace

TEST_F(BossBoxes, EachKindHopsOnTheSharedClockButTheSmallEliteAndABossOfNoKind) {
  struct Row {
    int kind;
    float rise;  // at least; 0: it stays put
  };
  // The yeti kicks off with its centre only, so its body lifts less.
  const Row rows[] = {{TBlock::PARAZ, 2.0f},   {TBlock::ELITE, 2.0f}, {TBlock::BROWNIE_FULL, 2.0f},
                      {TBlock::BROWNIE, 2.0f}, {TBlock::YETI, 1.0f},  {TBlock::EVIL_YETI, 2.0f},
                      {TBlock::SMALL_ELITE, 0.0f}, {0, 0.0f}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.kind);
    TBlock::ClearBlocks();
    auto boss = FreeBoss(r.kind, 380, kFloor, 10);
    HoldHops();
    Frames(60);
    const float y0 = boss->Center->y;
    LastParaziteTime = GameTime - ParaziteInterval;
    Frame();
    EXPECT_EQ(LastParaziteTime, GameTime) << "the boss took the clock";
    EXPECT_TRUE((ParaziteInterval >= 500 && ParaziteInterval <= 800) ||
                (ParaziteInterval >= 3000 && ParaziteInterval <= 4000))
        << ParaziteInterval;
    float top = std::min(y0, boss->Center->y);
    for (int i = 0; i < 10; ++i) {
      Frame();
      top = std::min(top, boss->Center->y);
    }
    if (r.rise > 0) {
      EXPECT_LT(top, y0 - r.rise);
    } else {
      EXPECT_NEAR(top, y0, 0.5f);
    }
  }
}

TEST_F(BossBoxes, OnlyTheFirstBossDueHops) {
  auto first = FreeBoss(TBlock::PARAZ, 300, kFloor, 16);
  auto second = FreeBoss(TBlock::PARAZ, 460, kFloor, 16);
  Frames(60);
  const float y1 = first->Center->y, y2 = second->Center->y;
  LastParaziteTime = GameTime - ParaziteInterval;
  float top1 = y1, top2 = y2;
  for (int i = 0; i < 10; ++i) {
    Frame();
    top1 = std::min(top1, first->Center->y);
    top2 = std::min(top2, second->Center->y);
  }
  EXPECT_LT(top1, y1 - 2.0f);
  EXPECT_NEAR(top2, y2, 0.5f) << "the next hop waits for the next interval";
}

TEST_F(BossBoxes, AParasiteCapturesATouchingBoxAfterFifteenSeconds) {
  auto red = FreeBox(TBlock::RED, 300, kFloor);
  auto parasite = FreeBox(TBlock::PARAZITE, 300 + kNext, kFloor);
  ASSERT_LT(RunUntil([&] { return red->Group->ParaziteOnBoard != 0; }, 1000), 1000);
  Frame();
  ASSERT_TRUE(red->EvilSmoke) << "it smokes from the first contact";
  EXPECT_EQ(red->EvilSmoke->Paused, 0);
  EXPECT_EQ(red->State, TBlock::OUCH);
  EXPECT_FALSE(red->Pulser);

  RunUntil([&] { return red->Pulser != nullptr; }, 20000);
  ASSERT_TRUE(red->Pulser);
  EXPECT_GT(Contact(red), 13000);
  EXPECT_LE(Contact(red), 13036) << "it pulses two seconds before the capture";
  const Ref<TPulser> pulser = red->Pulser;
  EXPECT_EQ(red->class_, TBlock::RED);

  RunUntil([&] { return red->class_ != TBlock::RED; }, 5000);
  EXPECT_EQ(red->class_, TBlock::PARAZITE);
  EXPECT_EQ(red->Group->class_, TBlock::PARAZITE);
  EXPECT_GT(Contact(red), 15000);
  EXPECT_LE(Contact(red), 15036);
  EXPECT_FALSE(red->Pulser);
  EXPECT_EQ(pulser->Death, 1);
  auto rings = AllOf<TRing>();
  ASSERT_EQ(rings.size(), 1u);
  EXPECT_EQ(rings[0]->Block.lock(), red);
  EXPECT_EQ(CountOf<TFlash>(), 1);

  Frames(2);
  EXPECT_EQ(red->EvilSmoke->Paused, 1) << "a parasite does not smoke";
  EXPECT_FALSE(parasite->Deleted());
}

TEST_F(BossBoxes, ABoxThatGetsAwayCalmsDownAndStartsOver) {
  auto red = FreeBox(TBlock::RED, 300, kFloor);
  auto parasite = FreeBox(TBlock::PARAZITE, 300 + kNext, kFloor);
  RunFor(14000);
  ASSERT_TRUE(red->Pulser);
  const Ref<TPulser> pulser = red->Pulser;
  red->EvilSmoke->Emitter2->GenSpeed = 25.0f;  // thickened meanwhile

  parasite->Position(480, kFloor, 1);
  Frames(3);
  EXPECT_EQ(red->Group->ParaziteOnBoard, 0);
  EXPECT_EQ(Contact(red), 0);
  EXPECT_NE(red->State, TBlock::OUCH);
  EXPECT_FALSE(red->Pulser);
  EXPECT_EQ(pulser->Death, 1);
  ASSERT_TRUE(red->EvilSmoke);
  EXPECT_EQ(red->EvilSmoke->Paused, 1);
  EXPECT_EQ(red->EvilSmoke->Emitter2->GenSpeed, EffectSmoke01->GenSpeed);
  EXPECT_EQ(red->class_, TBlock::RED);

  parasite->Position(300 + kNext, kFloor, 1);
  const int back = GameTime;
  RunUntil([&] { return red->class_ != TBlock::RED; }, 20000);
  EXPECT_EQ(red->class_, TBlock::PARAZITE);
  EXPECT_GE(GameTime - back, 15000) << "the count restarted";
  EXPECT_EQ(CountOf<TEvilSmoke>(), 1) << "the paused smoke came back instead of a second one";
}

TEST_F(BossBoxes, NextToAYetiABoxFreezesIntoIceAfterTenSeconds) {
  auto red = FreeBox(TBlock::RED, 300, kFloor);
  FreeBoss(TBlock::YETI, 300 + kNext, kFloor, 20);
  bool pulsed = false;
  RunUntil([&] {
    pulsed = pulsed || red->Pulser;
    return !EmittersOf(EffectBonusFreeze).empty();
  }, 12000);
  ASSERT_EQ(EmittersOf(EffectBonusFreeze).size(), 1u);
  EXPECT_EQ(red->FreezeEffect2, EmittersOf(EffectBonusFreeze)[0]);
  EXPECT_GT(Contact(red), 9500);
  EXPECT_LE(Contact(red), 9536);
  EXPECT_EQ(red->Freeze, 1);
  ASSERT_TRUE(red->FreezeEffect);
  EXPECT_FALSE(red->EvilSmoke) << "a yeti freezes, it does not smoke";
  EXPECT_EQ(red->class_, TBlock::RED);

  RunUntil([&] {
    pulsed = pulsed || red->Pulser;
    return red->class_ != TBlock::RED;
  }, 2000);
  EXPECT_EQ(red->class_, TBlock::BONUS);
  EXPECT_EQ(red->bonus_class, TBlock::ICE);
  EXPECT_EQ(red->armor, 3);
  EXPECT_EQ(red->Group->class_, TBlock::BONUS);
  EXPECT_GT(Contact(red), 10000);
  EXPECT_LE(Contact(red), 10036);
  EXPECT_FALSE(pulsed) << "a freezing box never pulses";
  EXPECT_EQ(EmittersOf(EffectBonusFreeze).size(), 1u);
  Frames(2);
  EXPECT_EQ(red->FreezeEffect->Paused, 1) << "ice does not freeze further";
}

TEST_F(BossBoxes, TheBrownieTurnsCapturesIntoWhatItsHealthAllows) {
  struct Row {
    const char* what;
    int armor;  // of 52
    bool brownieKnown;
    int cls, boss, newArmor;
    float grow;
  };
  const Row rows[] = {
      {"badly hurt", 15, true, TBlock::BOSS, TBlock::EVIL_YETI, 10, 1.5f},
      {"half", 30, true, TBlock::BOSS, TBlock::SMALL_ELITE, 6, 1.2f},
      {"barely hurt", 50, true, TBlock::PARAZITE, 0, 2, 1.0f},
      {"unhurt", 52, true, TBlock::PARAZITE, 0, 2, 1.0f},
      {"at no armour", 0, true, TBlock::RED, 0, 0, 1.0f},
      {"not known", 30, false, TBlock::RED, 0, 0, 1.0f},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    TBlock::ClearBlocks();
    VisualsList.Clear();
    auto red = FreeBox(TBlock::RED, 300, kFloor);
    auto brownie = FreeBoss(TBlock::BROWNIE, 300 + kNext, kFloor, 52);
    brownie->armor = r.armor;
    if (r.brownieKnown) BrownieBlock = brownie;
    else BrownieBlock.reset();
    ASSERT_LT(RunUntil([&] { return red->Group->ParaziteOnBoard == 3; }, 1000), 1000);
    const float radius = red->Center->radius;
    red->Group->ParaziteOnBoardTime = 14990;
    Frames(3);
    EXPECT_EQ(red->class_, r.cls);
    EXPECT_EQ(red->Group->class_, r.cls);
    EXPECT_EQ(red->boss_class, r.boss);
    EXPECT_EQ(red->Group->boss_class, r.boss);
    EXPECT_EQ(red->armor, r.newArmor);
    EXPECT_EQ(red->max_armor, r.newArmor);
    EXPECT_NEAR(red->Center->radius / radius, r.grow, 1e-4f);
    const bool captured = r.cls != TBlock::RED;
    EXPECT_EQ(CountOf<TRing>(), captured ? 1 : 0);
    if (!captured) {
      EXPECT_LT(Contact(red), 1000) << "the count starts over instead of capturing every frame";
    }
  }
}

TEST_F(BossBoxes, ABrownieGoneFromTheFieldTurnsNothing) {
  auto red = FreeBox(TBlock::RED, 300, kFloor);
  auto brownie = FreeBoss(TBlock::BROWNIE, 300 + kNext, kFloor, 52);
  brownie->armor = 10;
  BrownieBlock = brownie;
  brownie->Position(-400, 300, 1);  // pushed off the field
  Frame();
  ASSERT_TRUE(brownie->Deleted());
  EXPECT_FALSE(BrownieBlock.lock());
  // The box still counts the brownie's last touch.
  red->Group->ParaziteOnBoard = 3;
  red->Group->ParaziteOnBoardTime = 15010;
  red->Update(1.0f);
  EXPECT_EQ(red->class_, TBlock::RED);
  EXPECT_EQ(CountOf<TRing>(), 0);
}

TEST_F(BossBoxes, DefeatingTheBrownieClearsTheFieldButTheClaw) {
  GameScreen->GameType = 4;
  World->CreaturesToRelease = 30.0f;
  auto brownie = Boss(TBlock::BROWNIE, 380, 300, 0);
  BrownieBlock = brownie;
  const std::vector<Ref<TBlock>> others = {Put(TBlock::RED, 250, 500), Put(TBlock::BLUE, 500, 500),
                                           Put(TBlock::PARAZITE, 250, 400), Boss(TBlock::PARAZ, 500, 400, 16),
                                           Bonus(TBlock::EXPLOSION, 380, 450)};
  auto held = Put(TBlock::GREEN, 380, 150);
  held->Released = 0;
  Player->box = held;

  TBlock::Remove(brownie);

  EXPECT_TRUE(brownie->Deleted());
  EXPECT_FALSE(BrownieBlock.lock());
  for (const auto& b : others) EXPECT_TRUE(b->Deleted());
  EXPECT_FALSE(held->Deleted());
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(GameScreen->GameType, 1);
  EXPECT_EQ(Player->scores, 20) << "the two colour boxes pay";
  EXPECT_FLOAT_EQ(Player->ReleasedCreatures, 36.0f) << "the goal, then one for each box that went";
}

TEST_F(BossBoxes, OnlyPausesDuringTheContactLengthenTheCapture) {
  // The round began with a long pause, before any contact.
  GameScreen->PausedTime = 5000;
  auto red = FreeBox(TBlock::RED, 300, kFloor);
  FreeBox(TBlock::PARAZITE, 300 + kNext, kFloor);
  RunFor(5000);
  ASSERT_GT(Contact(red), 4000);
  // A pause of 3 s in the middle of the contact; the world stands still.
  Pause();
  GameTime += 3000;
  Resume();
  RunUntil([&] { return red->class_ != TBlock::RED; }, 20000);
  EXPECT_EQ(red->class_, TBlock::PARAZITE);
  EXPECT_GT(Contact(red), 18000);
  EXPECT_LE(Contact(red), 18036) << "15 s of contact while the level ran";
}

TEST_F(BossBoxes, EffectsOfARemovedBoxEndWithIt) {
  auto red = FreeBox(TBlock::RED, 300, kFloor);
  FreeBox(TBlock::PARAZITE, 300 + kNext, kFloor);
  RunFor(14000);
  ASSERT_TRUE(red->Pulser);
  ASSERT_TRUE(red->EvilSmoke);
  const Ref<TPulser> pulser = red->Pulser;
  const Ref<TEvilSmoke> smoke = red->EvilSmoke;
  TBlock::Remove(red);
  ASSERT_TRUE(red->Deleted());
  EXPECT_EQ(pulser->Death, 1);
  EXPECT_EQ(smoke->Death, 1);
  EXPECT_EQ(smoke->Emitter->Death, 1);
  EXPECT_EQ(smoke->Emitter2->Death, 1);
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(CountOf<TPulser>(), 0);
  EXPECT_EQ(CountOf<TEvilSmoke>(), 0);
}
