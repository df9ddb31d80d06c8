// The two villages as the build makes them: their trees, graphs and maps
// agree with each other and with what the story needs, forty villagers live
// in each for 10,000 frames without leaving open ground, the visible village
// or getting stuck, and damaged village files leave a village that still runs.
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "../../tools/village_view/village_view.h"
#include "framework/core/numbers.h"
#include "village_fixture.h"

namespace kelp::village_test {
namespace {

namespace fs = std::filesystem;
using C = TVillageCreature;

class Authored : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    char* cwd = getcwd(nullptr, 0);
    old_cwd_ = cwd ? cwd : ".";
    std::free(cwd);
  }
  void SetUp() override {
    ResetVillage();
    ASSERT_TRUE(village_view::Open(KELP_DATA_ROOT, false)) << "no data set in " << KELP_DATA_ROOT;
    PlayerState = New<TestPlayer>();
  }
  void TearDown() override {
    village_view::Close();
    ResetVillage();
    EXPECT_EQ(chdir(old_cwd_.c_str()), 0);
  }
  static std::string old_cwd_;
};
std::string Authored::old_cwd_;

struct VillageFacts {
  int village;
  int first_level, last_level;  // levels of the buildings on offer
  std::vector<int> gathering;
  size_t min_nodes;
  std::string must_have;  // the building the story names
  std::string must_class;
  float min_x, max_x;  // the village the scroll limits show
};
const VillageFacts kVillages[] = {
    {1, 0, 17, {20, 21, 22, 23, 24, 25, 33, 37, 38}, 38, "bridge", "bridge", -250, 1050},
    {2, 18, 35, {5, 30, 57, 58, 59, 60}, 60, "tower01", "tower", -550, 1700},
};

TEST_F(Authored, BothTreesLoadWithEveryBuildingParentAndDoor) {
  for (const VillageFacts& v : kVillages) {
    SCOPED_TRACE(v.village);
    ASSERT_TRUE(village_view::Start(v.village, 1, 0, 1));
    EXPECT_GE(Upgrades.Count(), 20u);
    EXPECT_GE(Nodes.Count(), v.min_nodes);
    TUpgrade::FindParents();
    std::set<std::string> names;
    std::map<std::string, int> classes;
    for (const Ref<TUpgrade>& u : Upgrades) {
      SCOPED_TRACE(u->upgrade_name);
      EXPECT_TRUE(names.insert(u->upgrade_name).second) << "one name, one building";
      EXPECT_EQ(u->upgrade_name, Lower(u->upgrade_name));
      ++classes[u->class_];
      EXPECT_GT(u->w, 0);
      if (!u->upgrade_parent.empty()) {
        EXPECT_TRUE(u->parent) << "its parent " << u->upgrade_parent << " exists";
      }
      if (u->IsHut() || u->IsPublic()) {
        EXPECT_TRUE(TUpgrade::FindDoorNode(u)) << "a door";
      }
      if (u->upgrade_name != v.must_have) {
        EXPECT_GE(u->appear_level - 1, v.first_level);
        EXPECT_LE(u->appear_level - 1, v.last_level);
      }
      if (u->class_ == "hut2" || u->class_ == "hut3") {
        EXPECT_TRUE(u->parent && u->parent->IsHut()) << "huts grow";
      }
    }
    const Ref<TUpgrade> story = TUpgrade::FindUpgrade(v.must_have);
    ASSERT_TRUE(story);
    EXPECT_EQ(story->class_, v.must_class);
    if (v.village == 1) {
      EXPECT_LE(story->appear_level, 15) << "bought by stage 15";
    }
    EXPECT_GE(classes["hut"], 3);
    EXPECT_GE(classes["hut2"], 3);
    EXPECT_GE(classes["hut3"], 3);
    EXPECT_EQ(classes["tavern"], 1);
    EXPECT_EQ(classes["center"], 1);
    // every waypoint belongs to open ground or to a building of the tree
    for (const Ref<TNode>& n : Nodes) {
      std::string owner = n->ParentUpgrade;
      if (owner.empty() || owner == "westfield") continue;
      if (const size_t d = owner.find("_door"); d != std::string::npos) owner = owner.substr(0, d);
      for (size_t start = 0; start <= owner.size();) {
        const size_t comma = std::min(owner.find(',', start), owner.size());
        EXPECT_TRUE(TUpgrade::FindUpgrade(owner.substr(start, comma - start))) << "node " << +n->ID << ": " << owner;
        start = comma + 1;
      }
    }
    for (int id : v.gathering) {
      const Ref<TNode> n = TNode::ById(id);
      ASSERT_TRUE(n) << "gathering node " << id;
      EXPECT_EQ(n->ParentUpgrade, "") << "gathering node " << id << " is open ground";
    }
    // the cave where villagers come out has a node close by
    const Ref<TNode> cave = TNode::Find(VillageScreen->Cave_x, VillageScreen->Cave_y);
    EXPECT_LT(std::hypot(cave->x - VillageScreen->Cave_x, cave->y - VillageScreen->Cave_y), 30.0);
    village_view::Close();
    village_view::Open(KELP_DATA_ROOT, false);
  }
}

TEST_F(Authored, EveryVisitThatAsksForABuildingHasOneToOffer) {
  // Stages 2-12 and 19-23 refuse to go on until something was built; buying
  // one building a visit, each of those visits must still find one.
  for (const auto& [village, from, to] : {std::tuple{1, 2, 12}, std::tuple{2, 19, 23}}) {
    ASSERT_TRUE(village_view::Start(village, 1, 0, 1));
    TUpgrade::FindParents();
    for (int stage = from; stage <= to; ++stage) {
      Ref<TUpgrade> offer;
      for (const Ref<TUpgrade>& u : Upgrades)
        if (!offer && !u->built && !u->upgrade_connected && u->class_ != "road" && u->appear_level <= stage &&
            (!u->parent || u->parent->built))
          offer = u;
      ASSERT_TRUE(offer) << "nothing to build in stage " << stage;
      village_view::BuildNow(offer);
    }
    village_view::Close();
    village_view::Open(KELP_DATA_ROOT, false);
  }
}

TEST_F(Authored, FortyVillagersLiveTenThousandFramesOnOpenGround) {
  struct Run {
    int village, stage;
  };
  for (const Run r : {Run{1, 3}, Run{1, 18}, Run{2, 20}, Run{2, 36}}) {
    SCOPED_TRACE("village " + std::to_string(r.village) + ", stage " + std::to_string(r.stage));
    const VillageFacts& v = kVillages[r.village - 1];
    ASSERT_TRUE(village_view::Start(r.village, r.stage, 40, 11));
    ASSERT_EQ(VillageCreatures.Count(), 40u);
    std::map<const C*, std::set<const TNode*>> visited;
    std::map<const C*, std::pair<int, std::pair<float, float>>> still;  // since when walking on the spot
    std::map<const C*, int> waiting;  // since when a started need neither walks nor is inside
    int off_ground = 0, outside = 0, stuck = 0, held = 0;
    for (int frame = 0; frame < 10000; ++frame) {
      village_view::Frame();
      for (const Ref<C>& c : VillageCreatures) {
        const Ref<TCreatureNeed> need = c->needs.First();
        if (!(need && need->status == TCreatureNeed::PROCEEDING && !c->Moving && !c->in_da_house))
          waiting[c.get()] = frame;
        else if (frame - waiting[c.get()] > 1100 && held++ < 5)
          ADD_FAILURE() << "villager " << c->ID << " holds need " << +need->id << " without going anywhere";
        if (c->hided || c->in_da_house) continue;
        if (!C::CheckWalkability(c->x, c->y) && off_ground++ < 5)
          ADD_FAILURE() << "villager " << c->ID << " off open ground at " << c->x << ", " << c->y << " in frame " << frame;
        if ((c->x < v.min_x || c->x > v.max_x || c->y < 0 || c->y > 600) && outside++ < 5)
          ADD_FAILURE() << "villager " << c->ID << " outside the village at " << c->x << ", " << c->y;
        visited[c.get()].insert(c->CurrentNode.get());
        auto& [since, at] = still[c.get()];
        if (!c->Moving || at != std::pair{c->x, c->y}) {
          since = frame;
          at = {c->x, c->y};
        } else if (frame - since > 200 && stuck++ < 5) {
          ADD_FAILURE() << "villager " << c->ID << " walks without moving at " << c->x << ", " << c->y;
        }
      }
    }
    for (const Ref<C>& c : VillageCreatures)
      EXPECT_GE(visited[c.get()].size(), 2u) << "villager " << c->ID << " never went anywhere";
    village_view::Close();
    village_view::Open(KELP_DATA_ROOT, false);
  }
}

// ------------------------------------------------------------------ damaged files

class Damaged : public VillageTest {
 protected:
  void SetUp() override {
    VillageTest::SetUp();
    const fs::path from = fs::path(KELP_DATA_ROOT) / "data/img/villages";
    fs::create_directories(Here("data/img"));
    fs::copy(from, Here("data/img/villages"), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
  void Corrupt(const std::string& file, size_t keep, const std::string& tail = "") {
    std::string bytes = testenv::ReadFile(Here(file));
    bytes.resize(std::min(keep, bytes.size()));
    testenv::WriteFile(Here(file), bytes + tail);
  }
  // Load the village, let forty villagers loose and run two thousand frames.
  void Live(int village) {
    VillageScreen->Load(village);
    if (village == 2)
      VillageScreen->LoadSnow();
    else
      VillageScreen->LoadDesert();
    village_view::BuildUpTo(40);
    for (int i = 0; i < 40; ++i) C::CreateRandom(0, "");
    TUpgrade::SettleAllCreatures();
    Frames(2000);
  }
};

TEST_F(Damaged, BrokenVillageFilesLeaveAVillageThatRuns) {
  const std::string d = "data/img/villages/desert/", s = "data/img/villages/snow/";
  struct Case {
    const char* name;
    std::function<void()> damage;
    int village;
    bool graph, tree;  // what is left of each
  };
  const Case cases[] = {
      {"no graph", [&] { fs::remove(Here(d + "nodes1.dat")); }, 1, false, true},
      {"a graph cut inside its records", [&] { Corrupt(d + "nodes1.dat", 400); }, 1, true, true},
      {"a graph with another header", [&] { Corrupt(s + "nodes2.dat", 0, "NODES\r\n\x05garbage"); }, 2, false, true},
      {"no tree", [&] { fs::remove(Here(s + "upgrades.xml")); }, 2, true, false},
      {"a tree of noise", [&] { Corrupt(d + "upgrades.xml", 0, std::string("\x89PNG\0\0\x1f", 7)); }, 1, true, false},
      {"a tree cut in a line", [&] { Corrupt(d + "upgrades.xml", 900); }, 1, true, true},
      {"a map cut short", [&] { Corrupt(d + "walkability.jpg", 200); }, 1, true, true},
      {"a missing map", [&] { fs::remove(Here(s + "walkability.jpg")); }, 2, true, true},
      {"a missing picture", [&] { fs::remove(Here(d + "hut1.png")); }, 1, true, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TearDown();
    SetUp();
    k.damage();
    // the other village first, so that nothing of it may stay behind
    VillageScreen->Load(k.village == 1 ? 2 : 1);
    Live(k.village);
    EXPECT_EQ(CurrentVillage, k.village);
    EXPECT_EQ(!Nodes.IsEmpty(), k.graph);
    EXPECT_EQ(!Upgrades.IsEmpty(), k.tree);
    EXPECT_EQ(VillageCreatures.Count(), 40u);
  }
}

}  // namespace
}  // namespace kelp::village_test
