// Trolleys: the trolley file, the line of copies, a trolley's whole cycle
// (rolling in with its boxes, standing with its clock and warning, rolling out
// with the boxes still on it) and what holds it: the player's box, a reached
// goal, a pause; their statics and boxes going in and out of the engine.
#include "play/play_hooks.h"
#include "reset_rooms.h"
#include "scenes/level_scenes.h"
#include "world/trolley.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/files/language.h"
#include "framework/media/bmfont.h"
#include "framework/media/visuals.h"
#include "physics/engine.h"
#include "platform/stream.h"
#include "world/effects/electro.h"
#include "world/effects/flying_text.h"
#include "play/game.h"
#include "world/game_interface.h"
#include "play/player.h"
#include "play/thermometer.h"
#include "world/block.h"
#include "world/resource_bindings.h"
#include "world/world.h"

namespace {

using namespace kelp;

class TrolleyLine : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetPlayRooms();
    GameTime = 1000000;
    SeedRnd(3);
    World = New<TWorld>();
    // The field's walls end above the trolleys' way; there is no floor.
    TPhysEngine& e = *World->Physics;
    TPhysEngine_Static::Create(190, -1000, 190, 380, 0.8f, 2, 1, &e);
    TPhysEngine_Static::Create(570, -1000, 570, 380, 0.8f, 2, 1, &e);
    InitPlayHooks();
    GameScreen = New<TGame>();
    GameScreen->GameType = 2;
    Player = New<TPlayer>();
    Player->ReleasedCreatures = 5;
    GameInterface = New<TGameInterface>();
    Font02 = New<TBMFont>();
    GameTexts.Resize(30);
    GameTexts.Set(27, "Gone");
  }

  void TearDown() override { testsupport::ResetPlayRooms(); }

  static void LoadFile(const std::string& text) { TTrolley::LoadTrolley(platform::OpenMemory(text)); }

  // A released box resting on the floor of a trolley standing at the load offset.
  static Ref<TBlock> OnTrolley(int cls, float x, float y = 517.6f) {
    return scenes::MakeBox({.cls = cls, .x = x, .y = y, .levelSize = true});
  }

  // A level frame: the boxes, the trolleys, one physics step, 18 ms apart.
  static void Frame() {
    GameTime += 18;
    TBlock::UpdateBlocks(1.0f);
    TTrolley::UpdateTrolley(1.0f);
    World->Physics->Update(1.0f);
  }

  static int RunUntil(const std::function<bool()>& done, int most = 3000) {
    for (int i = 0; i < most; ++i) {
      if (done()) return i;
      Frame();
    }
    ADD_FAILURE() << "never happened in " << most << " frames";
    return most;
  }

  static Ref<TTrolley> ByID(int id) {
    for (const auto& t : Trolleys)
      if (t->ID == id) return t;
    return nullptr;
  }

  static bool InEngine(const TBlock& b) {
    return b.Group && World->Physics->Groups.Contains(b.Group.get()) &&
           World->Physics->Particles.Contains(b.Center.get());
  }

  static int EngineStatics() { return static_cast<int>(World->Physics->Statics.Count()); }

  static int FlyingLetters() {
    int n = 0;
    for (const auto& v : VisualsList)
      if (As<TFlyingChar>(v)) ++n;
    return n;
  }
};

TEST_F(TrolleyLine, TheFileMakesTrolleysInOrderWithTheirStays) {
  struct Case {
    const char* text;
    int mode;
    std::vector<int> stays;
  };
  const Case cases[] = {
      {"<trolleys>\n<trolley id=\"1\" time=\"7000\"/>\n<trolley id=\"2\" time=\"4000\"/>\n",
       TGame::NORMAL,
       {7000, 4000}},
      {"<trolleys>\n<trolley id=\"1\" time=\"7000\"/>\n", TGame::RELAXED, {14000}},
      {"<trolleys>\n", TGame::NORMAL, {}},
      {"<carts>\n<trolley id=\"1\" time=\"7000\"/>\n", TGame::NORMAL, {}},
      {"", TGame::NORMAL, {}},
      // No time, or none that makes sense: the default stay, never a stay of 0.
      {"<trolleys>\n<trolley id=\"1\"/>\n<trolley id=\"2\" time=\"-5\"/>\n", TGame::NORMAL, {10000, 10000}},
      // Ids out of order are the file's order.
      {"<trolleys>\n<trolley id=\"7\" time=\"1000\"/>\n<trolley id=\"3\" time=\"2000\"/>\n",
       TGame::NORMAL,
       {1000, 2000}},
      {"<trolleys>\n<trolley id=\"1\" time=\"1000\"/>\n<floor/>\n<trolley id=\"2\" time=\"2000\"/>\n",
       TGame::NORMAL,
       {1000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TTrolley::Clear();
    GameScreen->GameMode = c.mode;
    LoadFile(c.text);
    ASSERT_EQ(Trolleys.Count(), c.stays.size());
    int id = 0;
    for (const auto& t : Trolleys) {
      EXPECT_EQ(t->ID, ++id);
      EXPECT_EQ(t->StayTime, c.stays[size_t(id - 1)]);
      EXPECT_EQ(t->state, TTrolley::HIDDEN);
    }
  }
  TTrolley::Clear();
  TTrolley::LoadTrolley(nullptr);
  EXPECT_TRUE(Trolleys.IsEmpty());
  TTrolley::Reset();
  EXPECT_EQ(CurrentTrolley, nullptr) << "no trolleys: Reset does nothing";
}

TEST_F(TrolleyLine, ResetCopiesAllButTheFirstHidesThemAndBringsTheFirstIn) {
  LoadFile("<trolleys>\n<trolley id=\"1\" time=\"3000\"/>\n<trolley id=\"2\" time=\"4000\"/>\n");
  const auto a = OnTrolley(TBlock::RED, -120), b = OnTrolley(TBlock::GREEN, -60), c = OnTrolley(TBlock::BLUE, -100);
  TTrolley::AddTrolleyBlock(1, a);
  TTrolley::AddTrolleyBlock(1, b);
  TTrolley::AddTrolleyBlock(2, c);
  TTrolley::Reset();

  ASSERT_EQ(Trolleys.Count(), 3u);
  const auto copy = ByID(3);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->StayTime, 4000);
  ASSERT_EQ(copy->Blocks.Count(), 1u);
  EXPECT_NE(copy->Blocks.First(), c);
  EXPECT_EQ(BlockList.Count(), 4u);
  EXPECT_FLOAT_EQ(copy->Blocks.First()->Center->x, c->Center->x);

  ASSERT_EQ(CurrentTrolley, ByID(1));
  EXPECT_EQ(CurrentTrolley->state, TTrolley::ARRIVING);
  EXPECT_EQ(CurrentTrolley->hided, 0);
  EXPECT_TRUE(InEngine(*a) && InEngine(*b));
  for (int id : {2, 3}) {
    EXPECT_EQ(ByID(id)->hided, 1);
    EXPECT_EQ(ByID(id)->state, TTrolley::HIDDEN);
    EXPECT_EQ(ByID(id)->Blocks.First()->hided, 1);
    EXPECT_FALSE(InEngine(*ByID(id)->Blocks.First()));
  }
  EXPECT_EQ(EngineStatics(), 2 + 3) << "the field's walls and the first trolley";
}

TEST_F(TrolleyLine, ATrolleyRollsInStandsAndRollsOutTakingItsBoxesOffTheField) {
  LoadFile("<trolleys>\n<trolley id=\"1\" time=\"3000\"/>\n<trolley id=\"2\" time=\"4000\"/>\n");
  const auto a = OnTrolley(TBlock::RED, -120), b = OnTrolley(TBlock::GREEN, -60), c = OnTrolley(TBlock::BLUE, -100);
  TTrolley::AddTrolleyBlock(1, a);
  TTrolley::AddTrolleyBlock(1, b);
  TTrolley::AddTrolleyBlock(2, c);
  TTrolley::Reset();
  const Ref<TTrolley> first = CurrentTrolley;

  // Rolling in: 405 units of travel, the boxes with it.
  RunUntil([&] { return first->state == TTrolley::STANDING; });
  EXPECT_GE(first->x, 405.0f);
  EXPECT_LT(first->x, 420.0f);
  EXPECT_EQ(first->velocity->x, 0.0f);
  EXPECT_NEAR(a->Center->x, -120 + first->x, 20.0f);
  EXPECT_NEAR(a->Center->y, 517.6f, 3.0f);
  EXPECT_GT(first->TrolleyFloor->x1, 215.0f);

  // A box the player lets go lands on the standing trolley and joins it.
  const auto released = OnTrolley(TBlock::RED, 400, 300);
  CurrentTrolley->AddBlock(released);
  RunUntil([&] { return released->Center->y > 510; }, 200);

  // Its stay is shorter than the warning time: the light is on at once.
  EXPECT_EQ(TrolleyWarningShown, 1);
  EXPECT_TRUE(first->ClockLight);
  RunUntil([&] { return first->state == TTrolley::LEAVING; });
  EXPECT_NEAR(GameTime - first->InTime, 3000, 20);
  EXPECT_FLOAT_EQ(first->ClockAngle, 360.0f);
  EXPECT_GT(FlyingLetters(), 0) << "leaving with boxes on it says so";

  // The next one comes in at once.
  ASSERT_EQ(CurrentTrolley, ByID(2));
  EXPECT_EQ(CurrentTrolley->state, TTrolley::ARRIVING);
  EXPECT_TRUE(InEngine(*c));

  // Off the field each box goes once, and the player's count drops while it does.
  RunUntil([&] { return a->Deleted() && b->Deleted() && released->Deleted(); }, 400);
  EXPECT_FALSE(BlockList.Contains(a.get()));
  EXPECT_FALSE(BlockList.Contains(released.get()));
  EXPECT_LT(Player->ReleasedCreatures, 5.0f);
  EXPECT_GE(Player->ReleasedCreatures, 0.0f);
  RunUntil([&] { return !Trolleys.Contains(first.get()); }, 400);
  EXPECT_EQ(first->Blocks.Count(), 0u);

  // The line refills: the one that went was the middle of three.
  ASSERT_EQ(Trolleys.Count(), 3u);
  EXPECT_EQ(Trolleys.First(), CurrentTrolley);
  EXPECT_EQ(CurrentTrolley->ID, 1) << "numbered again";
  EXPECT_EQ(TrolleyCount, 3);
  EXPECT_EQ(Trolleys.Last()->hided, 1);
  EXPECT_EQ(EngineStatics(), 2 + 3);
  EXPECT_EQ(TrolleyWarningShown, 0) << "cleared as the trolley went";
  for (const auto& p : World->Physics->Particles) {
    EXPECT_TRUE(std::isfinite(p->x) && std::isfinite(p->y));
    EXPECT_LE(p->x, 800.0f) << "nothing rides on out of the picture";
  }
}

TEST_F(TrolleyLine, WhatHoldsAStandingTrolley) {
  struct Case {
    const char* name;
    std::function<void(TTrolley&)> arrange;
    bool leaves;
    bool warns;
  };
  const Case cases[] = {
      {"its time is not up", [](TTrolley&) {}, false, true},
      {"empty, it leaves at once", [](TTrolley& t) { t.Blocks.Clear(); }, true, true},
      {"only the box at the claw on it: as good as empty", [](TTrolley& t) { Player->box = t.Blocks.First(); }, true,
       true},
      {"the goal is reached: it waits, empty or not",
       [](TTrolley& t) {
         t.Blocks.Clear();
         Thermometer = New<TThermometer>();
         Thermometer->percent = 309;
       },
       false, false},
      {"the level is paused",
       [](TTrolley& t) {
         t.Blocks.Clear();
         GameScreen->Paused = 1;
       },
       false, false},
      {"the level is complete",
       [](TTrolley& t) {
         t.Blocks.Clear();
         GameScreen->Complete = 1;
       },
       false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTrolley::Clear();
    TBlock::ClearBlocks();
    Player->box = nullptr;
    Thermometer = nullptr;
    GameScreen->Paused = GameScreen->Complete = 0;
    // A stay shorter than the warning time: the light is due from the first standing frame.
    LoadFile("<trolleys>\n<trolley id=\"1\" time=\"4000\"/>\n");
    TTrolley::AddTrolleyBlock(1, OnTrolley(TBlock::RED, -100));
    TTrolley::Reset();
    const Ref<TTrolley> t = CurrentTrolley;
    RunUntil([&] { return t->state == TTrolley::STANDING; });
    c.arrange(*t);
    for (int i = 0; i < 20; ++i) Frame();
    EXPECT_EQ(t->state == TTrolley::LEAVING, c.leaves);
    EXPECT_EQ(TrolleyWarningShown == 1, c.warns);
    Player->box = nullptr;
  }
}

TEST_F(TrolleyLine, APauseStopsTheClockAndTheOffsetMakesUpForIt) {
  LoadFile("<trolleys>\n<trolley id=\"1\" time=\"6000\"/>\n");
  TTrolley::AddTrolleyBlock(1, OnTrolley(TBlock::RED, -100));
  TTrolley::Reset();
  const Ref<TTrolley> t = CurrentTrolley;
  RunUntil([&] { return t->state == TTrolley::STANDING; });
  for (int i = 0; i < 50; ++i) Frame();
  const float before = t->ClockAngle;
  EXPECT_NEAR(before, 360.0f * 50 * 18 / 6000, 4.0f);
  EXPECT_EQ(TrolleyWarningShown, 0);

  GameScreen->Paused = 1;
  for (int i = 0; i < 600; ++i) Frame();
  EXPECT_FLOAT_EQ(t->ClockAngle, before);
  EXPECT_EQ(t->state, TTrolley::STANDING);
  EXPECT_EQ(TrolleyWarningShown, 0);
  // What the running level does on resume.
  TrolleyTimeOffset += 600 * 18;
  GameScreen->Paused = 0;
  Frame();
  EXPECT_NEAR(t->ClockAngle, before, 2.0f);
  EXPECT_EQ(t->state, TTrolley::STANDING);
}

TEST_F(TrolleyLine, AStayOfNothingEndsAtOnceWithoutBreakingTheClock) {
  LoadFile("<trolleys>\n<trolley id=\"1\" time=\"5000\"/>\n");
  TTrolley::AddTrolleyBlock(1, OnTrolley(TBlock::RED, -100));
  TTrolley::Reset();
  const Ref<TTrolley> t = CurrentTrolley;
  t->StayTime = 0;
  RunUntil([&] { return t->state == TTrolley::STANDING; });
  Frame();
  EXPECT_EQ(t->state, TTrolley::LEAVING);
  EXPECT_FLOAT_EQ(t->ClockAngle, 360.0f);
}

TEST_F(TrolleyLine, WithOneTrolleyTheLineEndsAndTheLastStaysCurrent) {
  LoadFile("<trolleys>\n<trolley id=\"1\" time=\"1000\"/>\n");
  const auto box = OnTrolley(TBlock::RED, -100);
  TTrolley::AddTrolleyBlock(1, box);
  TTrolley::Reset();
  EXPECT_EQ(Trolleys.Count(), 1u) << "no copies";
  const Ref<TTrolley> t = CurrentTrolley;
  RunUntil([&] { return t->state == TTrolley::LEAVING; });
  EXPECT_EQ(CurrentTrolley, t) << "nothing to bring in";
  RunUntil([&] { return Trolleys.IsEmpty(); });
  EXPECT_TRUE(box->Deleted());
  EXPECT_EQ(EngineStatics(), 2);
}

TEST_F(TrolleyLine, ABoxAChainTookFromALeavingTrolleyCostsThePlayerNothing) {
  LoadFile("<trolleys>\n<trolley id=\"1\" time=\"1000\"/>\n<trolley id=\"2\" time=\"1000\"/>\n");
  const auto a = OnTrolley(TBlock::RED, -100);
  TTrolley::AddTrolleyBlock(1, a);
  TTrolley::AddTrolleyBlock(2, OnTrolley(TBlock::GREEN, -100));
  TTrolley::Reset();
  const Ref<TTrolley> first = CurrentTrolley;
  RunUntil([&] { return first->state == TTrolley::LEAVING; });
  ASSERT_NE(CurrentTrolley, first);
  for (int i = 0; i < 30; ++i) Frame();
  // Gone with a chain near the edge, as the trolley is no longer the current one.
  a->RenderX = 650;
  a->Del();
  BlockList.Remove(a);
  for (int i = 0; i < 100; ++i) Frame();
  EXPECT_FLOAT_EQ(Player->ReleasedCreatures, 5.0f);
  EXPECT_TRUE(first->Blocks.IsEmpty());
}

TEST_F(TrolleyLine, HidingAndShowingMoveEverythingOnceInAndOutOfTheEngine) {
  LoadFile("<trolleys>\n<trolley id=\"1\" time=\"1000\"/>\n");
  const auto box = OnTrolley(TBlock::RED, -100);
  TTrolley::AddTrolleyBlock(1, box);
  const Ref<TTrolley> t = Trolleys.First();
  TPhysEngine& e = *World->Physics;
  const size_t statics = e.Statics.Count(), particles = e.Particles.Count(), constraints = e.Constraints.Count(),
               groups = e.Groups.Count();
  t->hide();
  t->hide();
  EXPECT_EQ(e.Statics.Count(), statics - 3);
  EXPECT_EQ(e.Particles.Count(), particles - 5);
  EXPECT_EQ(e.Constraints.Count(), constraints - 10);
  EXPECT_EQ(e.Groups.Count(), groups - 1);
  EXPECT_EQ(box->hided, 1);
  EXPECT_EQ(t->hided, 1);
  t->unhide();
  t->unhide();
  EXPECT_EQ(e.Statics.Count(), statics);
  EXPECT_EQ(e.Particles.Count(), particles);
  EXPECT_EQ(e.Constraints.Count(), constraints);
  EXPECT_EQ(e.Groups.Count(), groups);
  EXPECT_EQ(box->hided, 0);
  EXPECT_EQ(t->state, TTrolley::ARRIVING);
  // The box still comes out of the engine whole when it goes.
  box->Del();
  EXPECT_EQ(e.Particles.Count(), particles - 5);
  EXPECT_EQ(e.Constraints.Count(), constraints - 10);
}

TEST_F(TrolleyLine, ClearDeletesEveryTrolleyAndItsBoxes) {
  LoadFile("<trolleys>\n<trolley id=\"1\" time=\"1000\"/>\n<trolley id=\"2\" time=\"1000\"/>\n");
  TTrolley::AddTrolleyBlock(1, OnTrolley(TBlock::RED, -100));
  TTrolley::AddTrolleyBlock(2, OnTrolley(TBlock::GREEN, -100));
  TTrolley::Reset();
  TTrolley::Clear();
  EXPECT_TRUE(Trolleys.IsEmpty());
  EXPECT_EQ(CurrentTrolley, nullptr);
  EXPECT_EQ(TrolleyCount, 0);
  EXPECT_TRUE(BlockList.IsEmpty());
  EXPECT_TRUE(World->Physics->Particles.IsEmpty());
  EXPECT_EQ(EngineStatics(), 2);
}

TEST_F(TrolleyLine, TheSameLevelRunsTheSameTwice) {
  auto run = [this] {
    SetUp();
    LoadFile("<trolleys>\n<trolley id=\"1\" time=\"1500\"/>\n<trolley id=\"2\" time=\"1500\"/>\n");
    const auto a = OnTrolley(TBlock::RED, -120);
    TTrolley::AddTrolleyBlock(1, a);
    TTrolley::AddTrolleyBlock(2, OnTrolley(TBlock::GREEN, -80));
    TTrolley::Reset();
    for (int i = 0; i < 150; ++i) Frame();
    std::vector<float> out{CurrentTrolley->x, a->Center->x, a->Center->y};
    TearDown();
    return out;
  };
  EXPECT_EQ(run(), run());
}

}  // namespace
