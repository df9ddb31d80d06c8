// What a contact between bodies means for the boxes: the level world's
// listener turns the engine's reports into contact lists, parasite contacts,
// first-contact times and cleared fall flags on the groups.
#include <gtest/gtest.h>

#include <string>

#include "framework/core/core_globals.h"
#include "framework/core/frame_clock.h"
#include "physics/engine.h"
#include "physics/physics_globals.h"
#include "scenes/physics_scenes.h"
#include "world/block.h"
#include "world/box_contacts.h"
#include "world/world.h"

using namespace kelp;
using scenes::Lone;
using scenes::Steps;

namespace {

class BoxContactsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCoreGlobals();
    ResetPhysicsGlobals();
    GameTime = 1000;
    e.Contacts = &BoxContacts();
    e.GRAVITY = 0;
  }
  void TearDown() override {
    ResetPhysicsGlobals();
    ResetCoreGlobals();
  }
  // Two lone particles 20 apart: touching, not overlapping.
  void Pair() {
    Lone(e, 100, 100);
    Lone(e, 120, 100);
    g = e.Groups.First();
    h = e.Groups.Last();
  }
  TPhysEngine e;
  Ref<TPhysEngine_Group> g, h;
};

}  // namespace

TEST_F(BoxContactsTest, TheLevelWorldsEngineReportsHere) {
  TWorld world;
  EXPECT_EQ(world.Physics->Contacts, &BoxContacts());
}

TEST_F(BoxContactsTest, TouchingFillsTheListsByClass) {
  struct Case {
    int gclass, hclass, boss, greleased, hreleased;
    bool same, any, bonus, parasite;
    int onboard;
  };
  const Case cases[] = {
      {TBlock::RED, TBlock::RED, 0, 1, 1, true, true, false, false, TBlock::NO_PARAZITE},
      {TBlock::RED, TBlock::RED, 0, 1, 0, false, true, false, false, TBlock::NO_PARAZITE},
      {TBlock::RED, TBlock::GREEN, 0, 1, 1, false, true, false, false, TBlock::NO_PARAZITE},
      {TBlock::RED, TBlock::BONUS, 0, 1, 1, false, true, true, false, TBlock::NO_PARAZITE},
      {TBlock::RED, TBlock::PARAZITE, 0, 1, 1, false, true, false, true, TBlock::PARAZITE_TOUCH},
      {TBlock::RED, TBlock::BOSS, TBlock::BROWNIE, 1, 1, false, true, false, true, TBlock::BROWNIE_TOUCH},
      {TBlock::RED, TBlock::BOSS, TBlock::YETI, 1, 1, false, true, false, true, TBlock::PARAZITE_TOUCH},
      {TBlock::RED, 0, 0, 1, 1, false, false, false, false, TBlock::NO_PARAZITE},
      {0, TBlock::PARAZITE, 0, 1, 1, false, false, false, false, TBlock::NO_PARAZITE},
  };
  for (const Case& c : cases) {
    TPhysEngine w;
    w.Contacts = &BoxContacts();
    w.GRAVITY = 0;
    Lone(w, 100, 100);
    Lone(w, 120, 100);
    auto a = w.Groups.First(), b = w.Groups.Last();
    a->class_ = c.gclass;
    b->class_ = c.hclass;
    b->boss_class = c.boss;
    a->Released = c.greleased;
    b->Released = c.hreleased;
    Steps(w, 2);
    const std::string what = std::to_string(c.gclass) + "/" + std::to_string(c.hclass);
    EXPECT_EQ(a->CollideList.Contains(b.get()), c.same) << what;
    EXPECT_EQ(a->CollideList3.Contains(b.get()), c.any) << what;
    EXPECT_EQ(a->CollideListBonus.Contains(b.get()), c.bonus) << what;
    EXPECT_EQ(a->CollideList2.Contains(b.get()), c.parasite) << what;
    EXPECT_EQ(a->ParaziteOnBoard, c.onboard) << what;
  }
}

TEST_F(BoxContactsTest, ContactsCountFromBothSidesAndStartTheActiveClock) {
  Pair();
  g->class_ = h->class_ = TBlock::ORANGE;
  g->Released = h->Released = 1;
  g->Active = 1;
  GameTime = 2000;
  Steps(e, 1);  // bounding circles only
  EXPECT_TRUE(g->CollideList.IsEmpty());
  Steps(e, 1);
  EXPECT_EQ(g->CollideList.Count(), 2u);  // once as g, once as h
  EXPECT_EQ(h->CollideList3.Count(), 2u);
  EXPECT_EQ(g->ActiveStartTime, 2036);
  EXPECT_EQ(h->ActiveStartTime, 0);  // not Active
}

TEST_F(BoxContactsTest, ParasiteContactTimeRunsWithTheGameClock) {
  Pair();
  g->class_ = TBlock::BLUE;
  h->class_ = TBlock::PARAZITE;
  Steps(e, 2);
  EXPECT_EQ(g->ParaziteOnBoard, TBlock::PARAZITE_TOUCH);
  EXPECT_EQ(g->ParaziteOnBoardTime, 0);
  Steps(e, 3);
  EXPECT_EQ(g->ParaziteOnBoardTime, 54);
  EXPECT_EQ(g->ParaziteUpdTime, GameTime);
  h->class_ = TBlock::BOSS;
  h->boss_class = TBlock::BROWNIE;
  Steps(e, 1);
  EXPECT_EQ(g->ParaziteOnBoard, TBlock::BROWNIE_TOUCH);
}

TEST_F(BoxContactsTest, AParasiteStaticMarksTheBoxStandingOnIt) {
  auto s = TPhysEngine_Static::Create(0, 100, 200, 100, 1, 2, 1, &e);
  s->Parazite = 1;
  auto p = Lone(e, 100, 85);
  p->grp->class_ = TBlock::GREEN;
  GameTime = 5000;
  p->Move(0, 10);
  EXPECT_EQ(p->grp->ParaziteOnBoard, TBlock::PARAZITE_STATIC);
  EXPECT_EQ(p->grp->ParaziteUpdTime, 5000);
  EXPECT_EQ(p->grp->ParaziteOnBoardTime, 0);
  GameTime = 5018;
  p->Move(0, 10);
  EXPECT_EQ(p->grp->ParaziteOnBoardTime, 18);
  auto plain = Lone(e, 50, 85);  // class 0: no box, no parasite
  plain->Move(0, 10);
  EXPECT_EQ(plain->grp->ParaziteOnBoard, TBlock::NO_PARAZITE);
  s->Parazite = 0;
  auto other = Lone(e, 150, 85);
  other->grp->class_ = TBlock::GREEN;
  other->Move(0, 10);
  EXPECT_EQ(other->grp->ParaziteOnBoard, TBlock::NO_PARAZITE);
}

TEST_F(BoxContactsTest, AComicBoxChangesClassOnItsFirstContactOnly) {
  auto a = Lone(e, 100, 100);
  auto b = Lone(e, 200, 100);
  a->grp->class_ = TBlock::COMIC_BOX;  // the other body is no box
  Steps(e, 5);
  EXPECT_EQ(a->grp->class_, TBlock::COMIC_BOX);
  b->Position(120, 100);
  Steps(e, 2);
  EXPECT_EQ(a->grp->class_, TBlock::COMIC_BOX_TOUCHED);
  EXPECT_EQ(b->grp->class_, 0);
  EXPECT_TRUE(a->grp->CollideList3.IsEmpty());  // a body of class 0 is no box
}

TEST_F(BoxContactsTest, ALandingClearsTheFallFlagsOfReleasedBoxesOnly) {
  struct Case {
    int gclass, hclass, greleased, hreleased;
    bool cleared;
  };
  const Case cases[] = {
      {TBlock::RED, TBlock::GREEN, 1, 1, true},
      {TBlock::RED, TBlock::GREEN, 1, 0, false},
      {TBlock::RED, 0, 1, 1, false},
  };
  for (const Case& c : cases) {
    TPhysEngine w;
    w.Contacts = &BoxContacts();
    w.GRAVITY = 0;
    auto a = Lone(w, 100, 100);
    auto b = Lone(w, 200, 100);
    auto ga = w.Groups.First(), gb = w.Groups.Last();
    ga->class_ = c.gclass;
    gb->class_ = c.hclass;
    ga->Released = c.greleased;
    gb->Released = c.hreleased;
    b->Position(110, 100);
    Steps(w, 1);  // overlapping, but the bounding circles were apart
    ga->fall = 1;
    w.ParticleCollisions();
    EXPECT_EQ(ga->fall, c.cleared ? 0 : 1) << c.gclass << "/" << c.hclass << " " << c.hreleased;
    EXPECT_EQ(gb->fall, 0);
    EXPECT_GT(b->x - a->x, 10.0f);
  }
}
