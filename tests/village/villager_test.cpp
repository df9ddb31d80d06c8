// Villagers: the need queue, turning and hopping, the walkability map,
// entering buildings, satisfying every need on a small village with a set
// clock, the script codes on stopping, and ids across a save and restore.
#include <cmath>
#include <map>
#include <set>

#include "village/snapshot.h"
#include "village_fixture.h"

namespace kelp::village_test {
namespace {

using C = TVillageCreature;

// ------------------------------------------------------------------ the queue

using NeedQueue = VillageTest;

std::string Queue(const C& c) {
  std::string s;
  for (const Ref<TCreatureNeed>& n : c.needs) s += std::to_string(n->id) + " ";
  return s;
}

TEST_F(NeedQueue, AddNeedPlacesRefusesAndShowsEmotions) {
  const Ref<C> c = C::Create(0, 0, 2, C::RED);
  EXPECT_EQ(Queue(*c), "0 ") << "a new villager waits with an empty need";
  c->needs.Clear();
  struct Case {
    int id, mode;
    bool added;
    const char* queue;
    int emotion;  // -1: unchanged
  };
  const Case cases[] = {
      {C::HOME, 1, true, "2 ", C::HOME},
      {C::HOME, 3, false, "2 ", -1},       // same as the first
      {C::TAVERN, 3, true, "2 4 ", -1},    // no bubble for the tavern
      {C::TAVERN, 1, false, "2 4 ", -1},   // same as the last
      {C::SLEEP, 2, true, "2 12 4 ", C::SLEEP},
      {C::TREES, 1, true, "5 2 12 4 ", C::TREES},
      {C::QUEST, 3, false, "5 2 12 4 ", -1},  // four is full
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.id) + " mode " + std::to_string(k.mode));
    c->Emotion = 99;
    EXPECT_EQ(c->AddNeed(k.id, 6000, k.mode) != nullptr, k.added);
    EXPECT_EQ(Queue(*c), k.queue);
    EXPECT_EQ(c->Emotion, k.emotion < 0 ? 99 : k.emotion);
  }
  c->needs.Clear();
  NeedAdded = 0;
  ASSERT_TRUE(c->AddNeed(C::QUEST, 0, 2));
  EXPECT_EQ(NeedAdded, 1);
  EXPECT_EQ(c->Emotion, C::QUEST);
  EXPECT_EQ(c->needs.First()->status, TCreatureNeed::WAITING);
  EXPECT_EQ(c->needs.First()->birthtime, GameTime);
}

// ------------------------------------------------------------------ turning and hopping

using Motion = VillageTest;

TEST_F(Motion, TurnsTheShortWay) {
  const Ref<C> c = C::Create(0, 0, 2, C::RED);
  struct Case {
    float from, to;
    int frames;  // whole frames of 10 degrees
    float end;
  };
  for (const Case k : {Case{10, 350, 2, 350}, Case{350, 0, 1, 360}, Case{270, 90, 18, 90}, Case{90, 95, 0, 95},
                       Case{0, 450, 9, 90}, Case{-30, 30, 6, 30}}) {
    SCOPED_TRACE(std::to_string(k.from) + " to " + std::to_string(k.to));
    c->angle = k.from;
    c->Turning = 0;
    c->Turn(k.to);
    int frames = 0;
    while (c->Turning && frames < 100) {
      c->Update(1.0f);
      ++frames;
    }
    EXPECT_NEAR(std::fmod(c->angle, 360.0f), std::fmod(k.end, 360.0f), 0.001f);
    EXPECT_LE(std::abs(frames - k.frames), 1);
  }
}

TEST_F(Motion, AHopEndsWhereItWouldCrossTheGroundWhateverTheFrameStep) {
  for (float dt : {1.0f, 0.37f, 1.73f, 3.0f}) {
    for (float impulse : {-0.9f, -1.17f, -1.4f, -2.8f}) {
      SCOPED_TRACE(std::to_string(dt) + " / " + std::to_string(impulse));
      const Ref<C> c = C::Create(0, 600, 2, C::RED);
      c->def_jump_impulse = impulse;
      c->jump_state = 0;
      c->UpdateHop(dt);
      ASSERT_EQ(c->jump_state, 1);
      int frames = 0;
      float lowest = 0;
      while (c->jump_state == 1 && frames < 1000) {
        c->UpdateHop(dt);
        lowest = std::min(lowest, c->jump_h);
        EXPECT_LE(c->jump_h, 0.0f) << "never below the ground";
        ++frames;
      }
      EXPECT_EQ(c->jump_state, 0) << "the hop ended";
      EXPECT_LT(lowest, 0.0f);
      c->Remove();
    }
  }
  const Ref<C> held = C::Create(0, 0, 2, C::RED);
  held->jump_state = 2;
  held->jump_h = -20;
  held->UpdateHop(1.0f);
  EXPECT_EQ(held->jump_state, 2);
  EXPECT_EQ(held->jump_h, -20);
}

TEST_F(Motion, DirectionFramesAndDepthScale) {
  const Ref<C> c = C::Create(0, 0, 2, C::RED);
  const auto frame = [&](float a) { return ((static_cast<int>(a / 45.0f) + 4) % 8 + 8) % 8; };
  EXPECT_EQ(frame(0), 4);
  EXPECT_EQ(frame(44), 4);
  EXPECT_EQ(frame(45), 5);
  EXPECT_EQ(frame(90), 6);
  EXPECT_EQ(frame(359), 3);
  EXPECT_EQ(frame(450), 6);
  for (const auto& [village, y, scale] :
       {std::tuple{1, 300.0f, 0.7f}, {1, 540.0f, 0.9f}, {1, 700.0f, 1.0f}, {2, 300.0f, 0.6f}, {2, 400.0f, 400.0f / 600}, {2, 600.0f, 0.7f}}) {
    CurrentVillage = village;
    c->y = y;
    c->Update(1.0f);
    EXPECT_NEAR(c->scale, scale, 1e-5) << village << " at " << y;
  }
}

// ------------------------------------------------------------------ walkability

using Walkability = VillageTest;

TEST_F(Walkability, BrightPixelsAreOpenGround) {
  WritePicture(Here("walk.png"), 400, 10, 0, [](int x, int) -> uint32_t {
    if (x < 100) return 0xFF141414;   // 60: blocked
    if (x < 200) return 0xFF151414;   // 61: open
    if (x < 300) return 0x00000000;   // 0: blocked
    return 0xFFFFFFFF;
  });
  ASSERT_TRUE(LoadWalkabilityMap("walk.png"));
  CurrentVillage = 1;
  struct Case {
    int village;
    float x, y;
    int open;
  };
  for (const Case k : {Case{1, 50, 5, 0}, Case{1, 150, 5, 1}, Case{1, 250, 5, 0}, Case{1, 350, 5, 1},
                       Case{1, -5, 5, 0}, Case{1, 350, 10, 0}, Case{1, 350, -1, 0}, Case{1, 400, 5, 0},
                       Case{2, -224, 5, 1},  // pixel 150
                       Case{2, -24, 5, 1},   // pixel 350
                       Case{2, 50, 5, 0}, Case{2, -375, 5, 0}}) {
    CurrentVillage = k.village;
    EXPECT_EQ(C::CheckWalkability(k.x, k.y), k.open) << k.village << ": " << k.x << ", " << k.y;
  }
}

TEST_F(Walkability, WithoutAMapOnlyTheWaypointsSurroundingsAreOpen) {
  EXPECT_FALSE(LoadWalkabilityMap("none.jpg"));
  LoadGraph("node 1 100 100 10 0 -\nnode 2 300 100 10 0 shed\n");
  TNode::UpdateGraph();
  EXPECT_EQ(C::CheckWalkability(100, 100), 1);
  EXPECT_EQ(C::CheckWalkability(100 + 10 + WalkabilityFallbackMargin, 100), 1);
  EXPECT_EQ(C::CheckWalkability(100 + 11 + WalkabilityFallbackMargin, 100), 0);
  EXPECT_EQ(C::CheckWalkability(300, 100), 0) << "the node of a building not built";
}

// ------------------------------------------------------------------ a small village

// Six buildings with a door each, on a line of open ground:
//
//  1 --- 2 --- 3 --- 4 --- 9
//  |     |     |     |     |
//  8     5     6     7     10
// school hut  tavern market telescope/tower
class SmallVillage : public VillageTest {
 protected:
  void SetUp() override {
    VillageTest::SetUp();
    WritePicture(Here("pic/b.png"), 20, 10, 0xFF808080);
    std::string tree = "<upgrades>\n";
    for (const char* c : {"hut", "tavern", "market", "school", "telescope", "tower"})
      tree += std::string("<upgrade path=\"pic/b.png\" type=\"") + c + "\" name=\"" + c + "\" px=\"3\" py=\"2\"/>\n";
    std::filesystem::create_directories(Here("data/img/villages/desert"));
    testenv::WriteFile(Here("data/img/villages/desert/upgrades.xml"), tree);
    WriteGraph(Here("data/img/villages/desert/nodes1.dat"),
               "node 1 0 100 2 0 -\nnode 2 100 100 2 0 -\nnode 3 200 100 2 0 -\nnode 4 300 100 2 0 -\n"
               "node 5 100 150 2 0 hut_door\nnode 6 200 150 2 0 tavern_door\nnode 7 300 150 2 0 market_door\n"
               "node 8 0 150 2 0 school_door\nnode 9 400 100 2 0 telescope_door\nnode 10 400 150 2 0 tower_door\n"
               "join 1 2 3 4 9 10\njoin 2 5\njoin 3 6\njoin 4 7\njoin 1 8\n");
    ASSERT_EQ(VillageScreen->Load(1), 1);
    for (const Ref<TUpgrade>& u : Snapshot(Upgrades)) {
      u->BuildStart();
      u->BuildFinish();
    }
    VillageScreen->DayTime = TVillageMode::DAY;
  }
  Ref<TUpgrade> U(const char* n) { return TUpgrade::FindUpgrade(n); }
  // A villager on node 1 whose levels are all low, with an empty queue.
  Ref<C> Quiet(bool settled) {
    const Ref<C> c = C::Create(0, 100, 2, C::BLUE);
    c->CurrentNode = TNode::ById(1);
    for (auto& row : c->all_needs) {
      row[0] = 20;
      row[1] = 0.0f;
    }
    c->needs.Clear();
    if (settled) TUpgrade::SettleCreature(c, U("hut"));
    return c;
  }
  // Runs frames until `done` or `limit` frames; the frames it took, or -1.
  int RunUntil(const std::function<bool()>& done, int limit = 40000) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return i;
      Frames(1);
    }
    return -1;
  }
};

TEST_F(SmallVillage, EveryNeedIsSatisfiedWhereItBelongs) {
  struct Case {
    const char* name;
    int row, need;
    const char* building;  // "" when it is walked off outside
    int day;
  };
  const Case cases[] = {
      {"home", C::HOME_NEED, C::HOME, "hut", TVillageMode::DAY},
      {"sleep", C::SLEEP_NEED, C::SLEEP, "hut", TVillageMode::NIGHT},
      {"beer", C::BEER_NEED, C::TAVERN, "tavern", TVillageMode::DAY},
      {"market", C::MARKET_NEED, C::MARKET, "market", TVillageMode::DAY},
      {"school", C::SCHOOL_NEED, C::SCHOOL, "school", TVillageMode::DAY},
      {"telescope", C::TELESCOPE_NEED, C::TELESCOPE, "telescope", TVillageMode::DAY},
      {"magic", C::MAGIC_NEED, C::MAGIC, "tower", TVillageMode::DAY},
      {"a walk among the trees", C::ENTERTAIN_NEED, C::TREES, "", TVillageMode::DAY},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TVillageCreature::Clear();
    VillageScreen->DayTime = k.day;
    const Ref<C> c = Quiet(true);
    c->all_needs[k.row][0] = 80;
    c->all_needs[k.row][1] = k.row == C::SLEEP_NEED ? 0.01f : 0.004f;
    bool entered = false, needed = false;
    const int frames = RunUntil([&] {
      if (c->needs.First() && c->needs.First()->id == k.need) needed = true;
      if (c->in_da_house && c->House() && c->House()->upgrade_name == k.building) entered = true;
      return needed && c->all_needs[k.row][0] <= 10 && !c->in_da_house && c->Emotion == C::HAPPY;
    });
    EXPECT_GE(frames, 0) << "the need is met and the villager is happy and outside again";
    EXPECT_TRUE(needed);
    EXPECT_EQ(entered, k.building[0] != 0);
    EXPECT_LE(c->all_needs[k.row][0], 10.0f);
  }
}

TEST_F(SmallVillage, PublicNeedsComeOnlyToVillagersWithAHome) {
  const Ref<C> homeless = Quiet(false);
  homeless->all_needs[C::BEER_NEED][0] = 90;
  const Ref<C> settled = Quiet(true);
  settled->all_needs[C::BEER_NEED][0] = 90;
  Frames(1);
  EXPECT_EQ(homeless->needs.First()->id, C::EMPTY);
  EXPECT_EQ(settled->needs.First()->id, C::TAVERN);
  VillageScreen->Buildings[TVillageMode::TAVERN] = 0;
  const Ref<C> late = Quiet(true);
  late->all_needs[C::BEER_NEED][0] = 90;
  Frames(1);
  EXPECT_EQ(late->needs.First()->id, C::EMPTY) << "no tavern flag, no tavern need";
}

TEST_F(SmallVillage, AHomelessVillagerClaimsTheNearestHutWithRoomAfterWaiting) {
  const Ref<C> c = Quiet(false);
  c->homeless_time = GameTime;
  c->homeless_max = 10000;
  c->all_needs[C::HOME_NEED][0] = 80;
  c->all_needs[C::HOME_NEED][1] = 0.004f;
  Frames(60);
  EXPECT_FALSE(c->Home()) << "it waits on the square first";
  EXPECT_GT(c->home_impossible, 0);
  const int frames = RunUntil([&] { return c->Home() != nullptr; });
  EXPECT_GE(frames, 0);
  EXPECT_EQ(c->Home(), U("hut"));
  EXPECT_TRUE(U("hut")->LivingCreatureList.Contains(c.get()));
}

TEST_F(SmallVillage, ANeedWhoseWalkNeverStartsFailsAfterItsLifetime) {
  // a home without a door: the walk to it cannot start
  WritePicture(Here("pic/shed.png"), 10, 10, 0xFF808080);
  const Ref<TUpgrade> shed = TUpgrade::Create("pic/shed.png", 0, 0);
  shed->class_ = "hut";
  shed->upgrade_name = "shed";
  shed->Hide = 0;
  shed->built = 1;
  const Ref<C> c = Quiet(false);
  TUpgrade::SettleCreature(c, shed);
  c->all_needs[C::HOME_NEED][0] = 80;
  Frames(1);
  ASSERT_EQ(c->needs.First()->id, C::HOME);
  const int frames = RunUntil([&] { return c->needs.First() && c->needs.First()->id == C::UNHAPPY; }, 2000);
  EXPECT_GE(frames, 0) << "not stuck proceeding for ever";
  EXPECT_FALSE(c->in_da_house);
}

TEST_F(SmallVillage, EnteringABuildingByKindAndRoom) {
  const Ref<C> settled = Quiet(true);
  const Ref<C> homeless = Quiet(false);
  const Ref<C> parasite = C::Create(0, 0, 2, C::PARAZITE);
  const Ref<C> yeti = C::Create(0, 0, 2, C::YETI);
  EXPECT_EQ(homeless->IntoHouse(nullptr), 0);
  EXPECT_EQ(parasite->IntoHouse(U("hut")), 0);
  EXPECT_EQ(yeti->IntoHouse(U("hut")), 3);
  EXPECT_EQ(settled->IntoHouse(U("hut")), 1) << "its own home";
  EXPECT_EQ(settled->CurrentNode, TNode::ById(5)) << "it stands in the door";
  EXPECT_EQ(U("hut")->smoke, 1);
  EXPECT_EQ(homeless->IntoHouse(U("hut")), 2) << "a hut with room: a new home";
  homeless->OuttaHouse();
  const Ref<C> third = Quiet(false);
  third->AddNeed(C::HOME, 6000, 1);
  EXPECT_EQ(third->IntoHouse(U("hut")), 0) << "a hut for two holds two";
  EXPECT_EQ(third->needs.First()->status, TCreatureNeed::IMPOSSIBLE);
  EXPECT_EQ(third->home_impossible, GameTime);
  EXPECT_EQ(settled->IntoHouse(U("tavern")), 1) << "a public building: no new home";
  EXPECT_EQ(settled->Home(), U("hut"));
  EXPECT_EQ(U("hut")->smoke, 0) << "the last one left the hut";
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Quiet(false)->IntoHouse(U("tavern")), 1);
  EXPECT_EQ(third->IntoHouse(U("tavern")), 0) << "the tavern holds five";
}

TEST_F(SmallVillage, RandomNodeSearchesAlwaysEnd) {
  // a graph with nothing open, one with a single node, and no gathering nodes
  for (const char* graph : {"node 1 0 0 1 0 shed\nnode 2 5 5 1 0 shed\n", "node 1 0 0 1 0 -\n", ""}) {
    SCOPED_TRACE(graph);
    TVillageCreature::Clear();
    LoadGraph(std::string(graph) + "\n");
    TNode::UpdateGraph();
    const Ref<C> c = C::CreateRandom(0, "");
    ASSERT_TRUE(c);
    TUpgrade::SettleCreature(c, U("hut"));
    C::CreateRandom(C::PARAZITE, "");
    Frames(3000);  // every kind of idle walk comes up, and none of them hangs
    EXPECT_EQ(VillageCreatures.Count(), 2u);
  }
}

// ------------------------------------------------------------------ the story's codes

TEST_F(SmallVillage, StoppingRunsTheScriptCode) {
  std::vector<std::string> calls;
  VillageStory.OpenDialog = [&](int id, int delay, int lock) {
    calls.push_back("dialog " + std::to_string(id) + " " + std::to_string(delay) + " " + std::to_string(lock));
  };
  VillageStory.ShowTutorialHint = [&](int id, int x, int y, int) {
    calls.push_back("hint " + std::to_string(id) + " " + std::to_string(x) + " " + std::to_string(y));
  };
  const Ref<C> ell = Quiet(false), red = Quiet(false);
  ell->ID = C::Ell_id;
  red->ID = C::Red_id;
  struct Case {
    int code;
    bool otherMoving;
    const char* call;
    int hided;
    bool removed;
  };
  const Case cases[] = {
      {1, false, "dialog 1002 1000 0", 0, false}, {2, false, "", 1, false},
      {3, false, "hint 1 650 520", 1, false},     {4, false, "dialog 1031 500 1", 0, false},
      {4, true, "", 0, false},                    {5, false, "dialog 1044 500 0", 1, true},
      {7, false, "dialog 2002 500 0", 0, false},  {8, false, "dialog 1048 1000 1", 0, false},
      {8, true, "", 0, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.code);
    calls.clear();
    if (!VillageCreatures.Contains(ell.get())) VillageCreatures.AddLast(ell);
    ell->hided = 0;
    red->Moving = k.otherMoving;
    red->OnStopCode = k.code;
    ell->OnStopCode = k.code;
    VillageScreen->UserInputEnable = 0;
    ell->StopMoving();
    EXPECT_EQ(calls.empty() ? "" : calls.front(), k.call);
    EXPECT_EQ(ell->OnStopCode, 0);
    EXPECT_EQ(ell->hided, k.hided);
    EXPECT_EQ(!VillageCreatures.Contains(ell.get()), k.removed);
    if (k.code == 3) {
      EXPECT_EQ(VillageScreen->UserInputEnable, 1);
    }
    if ((k.code == 4 || k.code == 8) && !k.otherMoving) {
      EXPECT_EQ(red->OnStopCode, 0) << "both lose their code";
    }
  }
}

TEST_F(SmallVillage, StoryCharactersWalkToTheNodeNearestTheirSpot) {
  const Ref<C> c = Quiet(false);
  c->OnStopCode = 2;
  c->MoveTo(296, 160);  // nearest: the market door
  EXPECT_EQ(c->TargetNode, TNode::ById(7));
  const int frames = RunUntil([&] { return c->hided == 1; }, 3000);
  EXPECT_GE(frames, 0) << "it arrives and its code hides it";
  EXPECT_TRUE(c->in_da_house) << "a walk that ends on a door goes in";
}

// ------------------------------------------------------------------ ids

TEST_F(SmallVillage, IdsStayUniqueAcrossASaveAndARestore) {
  std::vector<Ref<C>> folk;
  for (int i = 0; i < 6; ++i) folk.push_back(C::CreateRandom(0, ""));
  folk[1]->Remove();  // a gap: ids 1, 3, 4, 5, 6 remain
  C::CreateRandom(C::RED, "Red")->ID = C::Red_id;
  struct Record {
    int id, colour;
    float x, y;
  };
  std::vector<Record> save;
  for (const Ref<C>& c : VillageCreatures) save.push_back({c->ID, c->creature_color, c->x, c->y});
  // the restore makes each villager anew and then gives it its saved id
  C::Clear();
  for (auto it = save.rbegin(); it != save.rend(); ++it) C::Create(it->x, it->y, 2, it->colour)->ID = it->id;
  C::RestoreIdCounter();
  EXPECT_EQ(NextCreatureID, 6);
  for (int i = 0; i < 10; ++i) C::CreateRandom(0, "");
  std::set<int> ids;
  for (const Ref<C>& c : VillageCreatures) EXPECT_TRUE(ids.insert(c->ID).second) << "id " << c->ID << " twice";
  // and even without the counter's repair a new villager never takes a used id
  C::Clear();
  C::Create(0, 0, 2, 1)->ID = 2;
  EXPECT_EQ(C::Create(0, 0, 2, 1)->ID, 3);
}

}  // namespace
}  // namespace kelp::village_test
