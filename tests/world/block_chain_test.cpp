// Chains, removal tickets, combos and points on small hand-built scenes.
#include <algorithm>

#include "box_scene.h"
#include "world/effects/electro.h"
#include "world/trolley.h"

using namespace kelp;
using namespace box_test;

namespace {

class Chains : public BoxScene {};

// Boxes on the floor in a row, close enough for their corners to touch.
std::vector<Ref<TBlock>> Row(std::initializer_list<int> classes, float x = 300.0f) {
  std::vector<Ref<TBlock>> out;
  for (int c : classes) {
    out.push_back(MakeBox(c, x, 528.0f));
    x += 53.0f;
  }
  return out;
}

int CountLinks() {
  int n = 0;
  for (const auto& v : VisualsList)
    if (As<TBlockElectro>(v)) ++n;
  return n;
}

}  // namespace

TEST_F(Chains, ThreeTouchingOfOneColourGetTicketsAndGoForTenPointsEach) {
  auto boxes = Row({TBlock::RED, TBlock::RED, TBlock::RED});
  Frames(3);
  for (const auto& b : boxes) {
    EXPECT_EQ(b->Ticket, 1);
    EXPECT_EQ(b->TicketElectro, 1);
    EXPECT_EQ(b->State, TBlock::OUCH);
  }
  EXPECT_GT(CountLinks(), 0) << "a pending chain shows its electric links";
  EXPECT_EQ(Count(), 3) << "the boxes wait out their ticket delay";

  RunFor(450);
  EXPECT_EQ(Count(), 0);
  for (const auto& b : boxes) EXPECT_TRUE(b->Deleted());
  EXPECT_EQ(Player->scores, 30);
  EXPECT_FLOAT_EQ(Player->ReleasedCreatures, 3.0f);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"+10", "+10", "+10"}));
  EXPECT_EQ(CountLinks(), 0) << "removal ends the links";
  EXPECT_EQ(ReleasedBlockCount, 0);

  RunFor(1000);
  EXPECT_EQ(GameScreen->Combos, 0) << "three boxes are no combo";
  EXPECT_EQ(GameScreen->MaxCombo, 0);
  EXPECT_EQ(ComboCount, 0);
  EXPECT_EQ(FlyingText(), "");
}

TEST_F(Chains, TwoColoursDoNotChain) {
  auto boxes = Row({TBlock::RED, TBlock::RED, TBlock::BLUE, TBlock::BLUE});
  Frames(3);
  // Each pair counts its own chain of two, every frame, and nothing happens.
  EXPECT_EQ(boxes[0]->Group->CollidedObjects, 0) << "the chain data is cleared after the decision";
  RunFor(2000);
  EXPECT_EQ(Count(), 4);
  for (const auto& b : boxes) EXPECT_EQ(b->Ticket, 0);
  EXPECT_EQ(Player->scores, 0);
  EXPECT_EQ(CountLinks(), 0);
  EXPECT_EQ(ReleasedBlockCount, 4);
  EXPECT_EQ(ReleasedClasses[TBlock::RED - 1], 1);
  EXPECT_EQ(ReleasedClasses[TBlock::BLUE - 1], 1);
  EXPECT_EQ(ReleasedClasses[TBlock::GREEN - 1], 0);
}

TEST_F(Chains, TwoRedsWaitUntilAThirdTouchesEither) {
  auto pair = Row({TBlock::RED, TBlock::RED});
  RunFor(1000);
  for (const auto& b : pair) EXPECT_EQ(b->Ticket, 0);

  // The pair does count two: with two enough, it goes.
  ChainMinimum = 2;
  Frames(3);
  ChainMinimum = 3;
  for (const auto& b : pair) EXPECT_EQ(b->Ticket, 1) << "a pair counts a chain of two";
  RunFor(500);
  EXPECT_EQ(Count(), 0);

  for (float x : {300.0f, 406.0f}) {
    SCOPED_TRACE(x);
    auto again = Row({TBlock::RED, TBlock::RED}, x);
    RunFor(1000);
    for (const auto& b : again) EXPECT_EQ(b->Ticket, 0);
    // A third beside the left one, or beside the right one.
    auto third = MakeBox(TBlock::RED, x == 300.0f ? 247.0f : 512.0f, 528.0f);
    Frames(3);
    for (const auto& b : again) EXPECT_EQ(b->Ticket, 1);
    EXPECT_EQ(third->Ticket, 1);
    RunFor(500);
    EXPECT_EQ(Count(), 0);
  }
}

TEST_F(Chains, FourBoxesMakeACombo) {
  Row({TBlock::GREEN, TBlock::GREEN, TBlock::GREEN, TBlock::GREEN});
  RunFor(500);
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(Player->scores, 50) << "the fourth removal pays twice";
  auto labels = Labels();
  std::sort(labels.begin(), labels.end());
  EXPECT_EQ(labels, (std::vector<std::string>{"+10", "+10", "+10", "+20"}));
  EXPECT_EQ(GameScreen->MaxCombo, 2);
  EXPECT_EQ(ComboCount, 4) << "the combo text waits 900 ms after the last ticket";
  EXPECT_EQ(GameScreen->Combos, 0);

  RunFor(900);
  EXPECT_EQ(ComboCount, 0);
  EXPECT_EQ(GameScreen->Combos, 1);
  const std::string text = FlyingText();
  EXPECT_TRUE(text == "Combo50" || text == "Combo51" || text == "Combo52") << text;
}

TEST_F(Chains, ComboTextsFollowTheCount) {
  struct Case {
    int count;
    int first, last;  // entries; 0 for none
  };
  const Case cases[] = {{3, 0, 0}, {4, 50, 52}, {6, 50, 52}, {7, 48, 49}, {9, 48, 49}, {10, 46, 47}, {25, 46, 47}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    VisualsList.Clear();
    GameScreen->Combos = 0;
    ComboCount = c.count;
    ComboTime = GameTime;
    GameTime += 800;
    TBlock::UpdateBlocks(1.0f);
    EXPECT_EQ(ComboCount, c.count) << "not before 900 ms";
    GameTime += 100;
    TBlock::UpdateBlocks(1.0f);
    EXPECT_EQ(ComboCount, 0);
    const std::string text = FlyingText();
    if (c.first == 0) {
      EXPECT_EQ(text, "");
      EXPECT_EQ(GameScreen->Combos, 0);
    } else {
      bool known = false;
      for (int e = c.first; e <= c.last; ++e) known = known || text == "Combo" + std::to_string(e);
      EXPECT_TRUE(known) << text;
      EXPECT_EQ(GameScreen->Combos, 1);
    }
  }
}

TEST_F(Chains, AnArmouredBoxLosesOneArmourPaysAndStays) {
  auto boxes = Row({TBlock::BLUE, TBlock::BLUE * 10, TBlock::BLUE});
  ASSERT_EQ(boxes[1]->armor, 1);
  RunFor(500);
  EXPECT_EQ(Count(), 1);
  EXPECT_FALSE(boxes[1]->Deleted());
  EXPECT_EQ(boxes[1]->armor, 0);
  EXPECT_EQ(boxes[1]->Ticket, 0);
  EXPECT_EQ(Player->scores, 30) << "the armour hit pays too";
  EXPECT_FLOAT_EQ(Player->ReleasedCreatures, 2.0f);
}

TEST_F(Chains, ParasitesAndBonusBoxesTouchingAChainGoWithIt) {
  auto boxes = Row({TBlock::PARAZITE, TBlock::ORANGE, TBlock::ORANGE, TBlock::ORANGE, TBlock::BONUS});
  boxes[4]->bonus_class = TBlock::EXPLOSION;
  RunFor(600);
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(Player->scores, 30) << "parasites and bonus boxes pay nothing";
}

TEST_F(Chains, BoxesOffTheFieldVanishWithoutPointsAndLeaveNoReferences) {
  struct Case {
    float x, y;
    bool gone;
  };
  const Case cases[] = {{851, 300, true}, {-251, 300, true}, {300, 651, true},  {300, -51, true},
                        {849, 300, false}, {-249, 300, false}, {300, 649, false}, {300, -49, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    auto b = MakeBox({.cls = TBlock::BOSS, .x = c.x, .y = c.y, .pinned = true, .boss = TBlock::BROWNIE});
    BrownieBlock = b;
    Player->box = b;
    auto trolley = New<TTrolley>();
    trolley->Blocks.AddLast(b);
    CurrentTrolley = trolley;
    Frame();
    EXPECT_EQ(b->Deleted(), c.gone);
    EXPECT_EQ(BlockList.Contains(b.get()), !c.gone);
    EXPECT_EQ(trolley->Blocks.Contains(b.get()), !c.gone);
    EXPECT_EQ(BrownieBlock.lock() == b, !c.gone);
    EXPECT_EQ(Player->box == b, !c.gone);
    EXPECT_EQ(Player->scores, 0);
    TBlock::ClearBlocks();
    CurrentTrolley = nullptr;
    Player->box = nullptr;
  }
}

TEST_F(Chains, ARemovedBoxTakesEveryPathOutSafely) {
  auto boxes = Row({TBlock::SKY, TBlock::SKY, TBlock::SKY});
  Frames(6);
  // Taken out early (as the ray does); removing, deleting and stepping it
  // again are harmless once it is gone.
  TBlock::Remove(boxes[0]);
  EXPECT_TRUE(boxes[0]->Deleted());
  TBlock::Remove(boxes[0]);
  boxes[0]->Del();
  boxes[0]->Update(1.0f);
  boxes[0]->Draw();
  EXPECT_EQ(Player->scores, 10);
  // The others keep the chain they counted and go as planned.
  RunFor(500);
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(Player->scores, 30);
}
