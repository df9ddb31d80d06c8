// Villagers and the mouse: hovering, picking up and dropping, the forbidden
// cursor, quest clicks, parasites that ride villagers and the three clicks
// that free them, and the order villagers are drawn in.
#include "framework/ui/mouse.h"
#include "village/panel.h"
#include "village_fixture.h"
#include "world/effects/message_label.h"

namespace kelp::village_test {
namespace {

using C = TVillageCreature;

// Open ground on a line of nodes, a hut and a wall of rock (map x 200..299).
class MouseVillage : public VillageTest {
 protected:
  void SetUp() override {
    VillageTest::SetUp();
    LoadGraph("node 1 0 100 2 0 -\nnode 2 100 100 2 0 -\nnode 3 300 100 2 0 -\nnode 4 100 150 2 0 hut_door\n"
              "join 1 2 3\njoin 2 4\n");
    WritePicture(Here("walk.png"), 400, 300, 0, [](int x, int) { return x >= 200 && x < 300 ? 0xFF000000u : 0xFFFFFFFFu; });
    ASSERT_TRUE(LoadWalkabilityMap("walk.png"));
    WritePicture(Here("hut.png"), 20, 10, 0xFF808080);
    hut_ = TUpgrade::Create("hut.png", 90, 140);
    hut_->class_ = "hut";
    hut_->upgrade_name = "hut";
    hut_->capacity = 2;
    hut_->Hide = 0;
    hut_->built = 1;
    TNode::UpdateGraph();
    Mouse = New<TMouse>();
    Mouse->ID = -1;
    VillageScreen->Scroll_x = 0;
  }
  Ref<C> At(float x, float y, int colour = C::GREEN) {
    const Ref<C> c = C::Create(x, y, 2, colour);
    c->CurrentNode = TNode::Find(static_cast<int>(x), static_cast<int>(y));
    c->jump_state = 2;  // standing still, not hopping
    c->jump_h = 0;
    return c;
  }
  void Point(float x, float y, bool click) {
    Mouse->x = x;
    Mouse->y = y;
    Mouse->Bt1Hit = click ? 1 : 0;
    VillageScreen->UserInput();
    Mouse->Bt1Hit = 0;
  }
  static int Labels() {
    int n = 0;
    for (const Ref<TVisuals>& v : VisualsList)
      if (As<TAdvancedMessageLabel>(v)) ++n;
    return n;
  }
  Ref<TUpgrade> hut_;
};

TEST_F(MouseVillage, PickUpCarryAndDropOnOpenGroundOnly) {
  const Ref<C> c = At(100, 100);
  Point(100, 95, false);
  EXPECT_EQ(HoverCreature, c);
  EXPECT_EQ(Mouse->ID, CURSOR_KIND_HAND);
  Point(100, 95, true);
  ASSERT_EQ(DraggedCreature, c);
  EXPECT_EQ(HoverCreature, nullptr);
  EXPECT_EQ(c->jump_h, -20);
  Point(250, 80, false);
  EXPECT_EQ(c->x, 250);
  EXPECT_EQ(c->y, 105) << "held 25 pixels below the pointer";
  EXPECT_EQ(c->jump_state, 2);
  EXPECT_EQ(Mouse->ID, CURSOR_KIND_FORBIDDEN) << "over rock";
  Point(250, 80, true);
  EXPECT_EQ(DraggedCreature, c) << "not dropped on rock";
  Point(350, 80, false);
  Point(350, 80, true);
  EXPECT_EQ(DraggedCreature, nullptr);
  EXPECT_EQ(c->jump_state, 1) << "it falls";
  EXPECT_EQ(c->CurrentNode, TNode::ById(3));
  Point(10, 10, false);
  EXPECT_EQ(Mouse->ID, CURSOR_KIND_NORMAL);
}

TEST_F(MouseVillage, DroppingOnAHutSettlesOnceAndRefusalsAreShownSparingly) {
  const Ref<C> a = At(100, 100), b = At(10, 100), late = At(300, 100);
  const int score = PlayerState->scores;
  HoveredUpgrade = hut_;
  DraggedCreature = a;
  Point(100, 150, true);
  EXPECT_EQ(DraggedCreature, nullptr);
  EXPECT_EQ(a->Home(), hut_);
  EXPECT_TRUE(a->in_da_house);
  EXPECT_EQ(PlayerState->scores, score + 100);
  EXPECT_EQ(Labels(), 1);
  DraggedCreature = b;
  HoveredUpgrade = hut_;
  Point(100, 150, true);
  EXPECT_EQ(PlayerState->scores, score + 200);
  // the hut is full: refused, with a label at most every 500 ms
  DraggedCreature = late;
  HoveredUpgrade = hut_;
  GameTime += 1000;
  Point(100, 150, true);
  EXPECT_EQ(DraggedCreature, late);
  EXPECT_EQ(Labels(), 3);
  GameTime += 500;
  Point(100, 150, true);
  EXPECT_EQ(Labels(), 3);
  GameTime += 1;
  Point(100, 150, true);
  EXPECT_EQ(Labels(), 4);
  EXPECT_EQ(PlayerState->scores, score + 200);
}

TEST_F(MouseVillage, TheLastVillagerUnderThePointerIsHoveredAndAParasiteFirst) {
  const Ref<C> first = At(100, 100), second = At(105, 100);
  Point(102, 95, false);
  EXPECT_EQ(HoverCreature, second);
  EXPECT_EQ(second->hover_time, GameTime);
  const int since = GameTime;
  GameTime += 200;
  Point(102, 95, false);
  EXPECT_EQ(HoverCreature, second);
  EXPECT_EQ(second->hover_time, since) << "the same villager keeps its hover time";
  const Ref<C> parasite = At(98, 100, C::PARAZITE);
  VillageCreatures.Remove(parasite);
  VillageCreatures.AddFirst(parasite);
  Point(102, 95, false);
  EXPECT_EQ(HoverCreature, parasite);
  // in parasite mode nobody is picked up
  VillageScreen->ParaziteMode = 1;
  parasite->Remove();
  Point(102, 95, true);
  EXPECT_EQ(DraggedCreature, nullptr);
}

TEST_F(MouseVillage, AQuestVillagerOpensItsDialogsAndIsNeverPickedUp) {
  std::vector<int> dialogs;
  VillageStory.OpenDialog = [&](int id, int, int) { dialogs.push_back(id); };
  VillageScreen->Panel = New<TPanel>();
  const Ref<C> c = At(100, 100);
  c->AddNeed(C::QUEST, 0, 1);
  for (int i = 0; i < 4; ++i) {
    VillageScreen->UserInputEnable = 1;
    Point(100, 95, true);
    EXPECT_EQ(DraggedCreature, nullptr);
    EXPECT_EQ(VillageScreen->UserInputEnable, 0);
  }
  EXPECT_EQ(dialogs, (std::vector<int>{2003, 2004, 2005}));
  GameState->Stage = 6;
  VillageScreen->UserInputEnable = 1;
  NeedAdded = 1;
  Point(100, 95, true);
  EXPECT_EQ(dialogs.back(), 1020);
  EXPECT_EQ(NeedAdded, 0);
}

TEST_F(MouseVillage, ThreeQuickClicksFreeTheVictimOfAParasite) {
  const Ref<C> victim = At(100, 100), parasite = At(300, 100, C::PARAZITE);
  victim->needs.Clear();
  victim->AddParazite(parasite);
  EXPECT_EQ(victim->Brainless, 1);
  EXPECT_EQ(parasite->Target.lock(), victim);
  EXPECT_EQ(parasite->OnStopCode, 6);
  // clicks that decay before the third do not free it
  for (int i = 0; i < 3; ++i) {
    Point(parasite->x, parasite->y - 5, true);
    GameTime += 700;
    parasite->Update(1.0f);
    parasite->Update(1.0f);
  }
  EXPECT_TRUE(VillageCreatures.Contains(parasite.get()));
  EXPECT_LT(parasite->Clicks, 3);
  // riding: three clicks in a row
  parasite->x = victim->x;
  parasite->StopMoving();
  ASSERT_EQ(victim->ParaziteOnBoard.lock(), parasite);
  ASSERT_TRUE(InfectedCreatures.Contains(victim.get()));
  for (int i = 0; i < 3; ++i) Point(parasite->x, parasite->y - 5, true);
  EXPECT_FALSE(VillageCreatures.Contains(parasite.get())) << "the parasite is gone";
  EXPECT_EQ(victim->Brainless, 0);
  EXPECT_FALSE(victim->ParaziteOnBoard.lock());
  EXPECT_FALSE(InfectedCreatures.Contains(victim.get()));
  EXPECT_EQ(victim->needs.First()->id, C::EMPTY);
  EXPECT_EQ(victim->needs.First()->lifetime, 2000);
}

TEST_F(MouseVillage, ParasitesInfectAVillagerAndCaptureItAfterFiveSeconds) {
  VillageScreen->ParaziteMode = 1;
  LastInfectionTime = GameTime;
  const Ref<C> victim = At(100, 100), parasite = At(300, 100, C::PARAZITE);
  victim->jump_state = parasite->jump_state = 0;
  Frames(250);  // 4.5 s: nobody yet
  EXPECT_FALSE(parasite->Target.lock());
  Frames(40);
  ASSERT_EQ(parasite->Target.lock(), victim) << "after five seconds the first villager is chosen";
  EXPECT_TRUE(victim->Brainless);
  for (int i = 0; i < 2000 && !victim->ParaziteOnBoard.lock(); ++i) Frames(1);
  ASSERT_EQ(victim->ParaziteOnBoard.lock(), parasite) << "the parasite reached it and sat down";
  const int sat = victim->ParaziteTime;
  while (GameTime <= sat + 5000) Frames(1);
  Frames(1);
  EXPECT_EQ(victim->creature_color, C::PARAZITE);
  EXPECT_EQ(VillageScreen->ParaziteDamage, 1);
  EXPECT_FALSE(parasite->Target.lock());
  EXPECT_EQ(parasite->Brainless, 0);
  EXPECT_EQ(victim->speed_coef, 1.5f);
  EXPECT_EQ(victim->HighLighted, 1);
}

TEST_F(MouseVillage, VillagersAreDrawnBackToFront) {
  for (float y : {300.0f, 120.0f, 500.0f, 120.0f, 50.0f}) At(10, y);
  C::DrawCreatures();
  float last = -1;
  for (const Ref<C>& c : VillageCreatures) {
    EXPECT_GE(c->y, last);
    last = c->y;
  }
}

}  // namespace
}  // namespace kelp::village_test
