// The waypoint graph: its file, the walkability of nodes by building, the
// nearest-node lookup and the path search.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "village_fixture.h"

namespace kelp::village_test {
namespace {

// Node-file bytes written by hand, for damaged and unusual files.
struct Bytes {
  platform::MemoryStream s;
  Bytes& Header(const std::string& h = "nodes\r\n") {
    s.WriteBytes(h);
    return *this;
  }
  Bytes& Count(int n) {
    s.WriteByte(static_cast<uint8_t>(n));
    return *this;
  }
  Bytes& Node(int x, int y, int r, float cost, const std::string& owner) {
    s.WriteInt(x);
    s.WriteInt(y);
    s.WriteInt(r);
    s.WriteFloat(cost);
    s.WriteLine(owner);
    return *this;
  }
  Bytes& Pair(int a, int b) {
    s.WriteByte(static_cast<uint8_t>(a));
    s.WriteByte(static_cast<uint8_t>(b));
    return *this;
  }
  Bytes& Raw(const std::string& b) {
    s.WriteBytes(b);
    return *this;
  }
  int Load() {
    s.Seek(0);
    return TNode::Load(s);
  }
};

// "1-2 1-3" style: every join of the graph, each once, lower id first.
std::string Joins() {
  std::string out;
  for (const Ref<TNode>& n : Nodes)
    for (const WeakRef<TNode>& w : n->NeighbourList)
      if (const Ref<TNode> m = w.lock(); m && n->ID < m->ID) out += std::to_string(n->ID) + "-" + std::to_string(m->ID) + " ";
  return out;
}

using GraphFile = VillageTest;

TEST_F(GraphFile, ReadsNodesAndJoinsOfEveryKindOfFile) {
  struct Case {
    const char* name;
    std::function<void(Bytes&)> write;
    int result;
    size_t nodes;
    std::string joins;
  };
  const Case cases[] = {
      {"joins listed once", [](Bytes& b) {
         b.Header().Count(3).Node(0, 0, 1, 0, "").Node(10, 0, 1, 0, "a").Node(20, 0, 1, 0, "b_door").Pair(1, 2).Pair(2, 3);
       }, 1, 3, "1-2 2-3 "},
      {"joins listed from both ends", [](Bytes& b) {
         b.Header().Count(3).Node(0, 0, 1, 0, "").Node(10, 0, 1, 0, "").Node(20, 0, 1, 0, "");
         b.Pair(1, 2).Pair(2, 1).Pair(2, 3).Pair(3, 2);
       }, 1, 3, "1-2 2-3 "},
      {"a byte 255 ends the joins", [](Bytes& b) {
         b.Header().Count(3).Node(0, 0, 1, 0, "").Node(10, 0, 1, 0, "").Node(20, 0, 1, 0, "").Pair(1, 2).Pair(255, 1).Pair(2, 3);
       }, 1, 3, "1-2 "},
      {"ids 0 and above the count join nothing", [](Bytes& b) {
         b.Header().Count(2).Node(0, 0, 1, 0, "").Node(10, 0, 1, 0, "").Pair(0, 1).Pair(1, 3).Pair(1, 2);
       }, 1, 2, "1-2 "},
      {"a record cut short is dropped", [](Bytes& b) {
         b.Header().Count(3).Node(0, 0, 1, 0, "").Node(10, 0, 1, 0, "").Raw(std::string("\x05\x00\x00", 3));
       }, 1, 2, ""},
      {"the count says more than the file holds", [](Bytes& b) { b.Header().Count(200).Node(0, 0, 1, 0, "x"); }, 1, 1, ""},
      {"no nodes", [](Bytes& b) { b.Header().Count(0); }, 1, 0, ""},
      {"an odd byte after the joins", [](Bytes& b) {
         b.Header().Count(2).Node(0, 0, 1, 0, "").Node(10, 0, 1, 0, "").Pair(1, 2).Raw("\x01");
       }, 1, 2, "1-2 "},
      {"LF alone ends the header and the names", [](Bytes& b) {
         b.Header("nodes\n").Count(1).Node(5, 5, 1, 0, "hut");
       }, 1, 1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes b;
    c.write(b);
    EXPECT_EQ(b.Load(), c.result);
    EXPECT_EQ(Nodes.Count(), c.nodes);
    EXPECT_EQ(Joins(), c.joins);
    int id = 0;
    for (const Ref<TNode>& n : Nodes) EXPECT_EQ(n->ID, ++id) << "ids run 1.. in file order";
  }
}

TEST_F(GraphFile, AWrongHeaderOrNoStreamLeavesTheGraphAsItWas) {
  LoadGraph("node 1 0 0 1 0 -\nnode 2 9 9 1 0 -\njoin 1 2\n");
  for (const std::string& header : {std::string("nodez\r\n"), std::string(""), std::string("nodes extra\r\n")}) {
    Bytes b;
    b.Header(header).Count(1).Node(1, 1, 1, 0, "");
    EXPECT_EQ(b.Load(), 0) << header;
    EXPECT_EQ(Nodes.Count(), 2u);
    EXPECT_EQ(Joins(), "1-2 ");
  }
  EXPECT_EQ(TNode::Load(platform::StreamRef()), 0);
  EXPECT_EQ(Nodes.Count(), 2u);
}

TEST_F(GraphFile, NumbersOutOfRangeAreRepairedNotTrusted) {
  Bytes b;
  b.Header().Count(5);
  b.Node(std::numeric_limits<int>::max(), -2000000000, -7, 3.9f, "");
  b.Node(1, 2, 1000000, std::numeric_limits<float>::quiet_NaN(), "");
  b.Node(3, 4, 2, -12.0f, "");
  b.Node(5, 6, 2, std::numeric_limits<float>::infinity(), "");
  b.Node(7, 8, 2, 1e30f, std::string(400, 'n'));
  ASSERT_EQ(b.Load(), 1);
  ASSERT_EQ(Nodes.Count(), 5u);
  const Ref<TNode> a = TNode::ById(1), nan = TNode::ById(2), neg = TNode::ById(3), inf = TNode::ById(4),
                   big = TNode::ById(5);
  EXPECT_EQ(a->x, NodeCoordinateLimit);
  EXPECT_EQ(a->y, -NodeCoordinateLimit);
  EXPECT_EQ(a->Radius, 0);
  EXPECT_EQ(a->MovementCost, 3) << "truncated toward zero";
  EXPECT_EQ(nan->Radius, NodeRadiusLimit);
  EXPECT_EQ(nan->MovementCost, 255) << "garbage closes the node";
  EXPECT_EQ(neg->MovementCost, 0);
  EXPECT_EQ(inf->MovementCost, 255);
  EXPECT_EQ(big->MovementCost, 255);
  EXPECT_EQ(big->ParentUpgrade.size(), 255u);
  // The clamped positions keep the search's sums in range.
  const Ref<TNode> far = TNode::ById(1);
  EXPECT_GT(TPath::Heuristics(*far, *neg, 2.0), 0.0);
}

TEST_F(GraphFile, SavedGraphReadsBackTheSame) {
  LoadGraph("node 1 0 0 3 0 -\nnode 2 40 0 5 7 hut\nnode 3 40 30 2 255 a,b\njoin 1 2 3\njoin 3 1\n");
  platform::MemoryStream out;
  ASSERT_TRUE(TNode::Save(out));
  const std::string before = Joins();
  ASSERT_TRUE(out.Seek(0));
  ASSERT_EQ(TNode::Load(out), 1);
  EXPECT_EQ(Joins(), before);
  EXPECT_EQ(TNode::ById(2)->ParentUpgrade, "hut");
  EXPECT_EQ(TNode::ById(3)->MovementCost, 255);
  EXPECT_EQ(TNode::ById(2)->Radius, 5);
}

TEST_F(GraphFile, TextGraphsReportEveryBadLine) {
  const NodeSource g = ParseNodeSource(
      "node 1 0 0 1 0 -\n"
      "node 3 0 0 1 0 -\n"        // out of order
      "node 2 0 0 x 0 -\n"        // not a number
      "join 1 9\n"                // unknown node
      "join 1\n"                  // one id
      "wander 1 2\n"              // unknown word
      "node 2 5 5 1 0 hut # a comment\n"
      "join 1 2\n");
  EXPECT_EQ(g.nodes.size(), 2u);
  EXPECT_EQ(g.joins.size(), 1u);
  ASSERT_EQ(g.errors.size(), 5u);
  EXPECT_EQ(g.errors[0].rfind("line 2:", 0), 0u);
}

// ------------------------------------------------------------------ walkability by building

using GraphWalkability = VillageTest;

TEST_F(GraphWalkability, OwnersOpenNodesWhenTheirBuildingStands) {
  WritePicture(Here("b.png"), 4, 4, 0xFF808080);
  for (const char* name : {"hut", "road", "tavern"}) {
    const Ref<TUpgrade> u = TUpgrade::Create("b.png", 0, 0);
    ASSERT_TRUE(u);
    u->upgrade_name = name;
  }
  TUpgrade::FindUpgrade("hut")->built = 1;
  LoadGraph(
      "node 1 0 0 1 0 -\n"
      "node 2 0 0 1 0 hut\n"
      "node 3 0 0 1 0 hut_door\n"
      "node 4 0 0 1 0 road\n"
      "node 5 0 0 1 0 road_door\n"
      "node 6 0 0 1 0 road,hut\n"
      "node 7 0 0 1 0 TAVERN,road\n"
      "node 8 0 0 1 0 Hut\n"
      "node 9 0 0 1 0 nothing\n"
      "node 10 0 0 1 0 road,HUT\n");
  TNode::UpdateGraph();
  // Plain names compare exactly; the two halves of "a,b" ignore case.
  const int unwalkable[] = {0, 0, 0, 1, 1, 0, 1, 1, 1, 0};
  int i = 0;
  for (const Ref<TNode>& n : Nodes) EXPECT_EQ(n->Unwalkable, unwalkable[i++]) << n->ParentUpgrade;
  TUpgrade::FindUpgrade("road")->built = 1;
  TNode::UpdateGraph();
  EXPECT_EQ(TNode::ById(4)->Unwalkable, 0);
  EXPECT_EQ(TNode::ById(7)->Unwalkable, 0);
}

TEST_F(GraphWalkability, NearestNodeTakesTheLastOfEqualsAndNothingWithoutNodes) {
  EXPECT_EQ(TNode::Find(0, 0), nullptr);
  LoadGraph("node 1 0 0 1 0 -\nnode 2 10 0 1 0 -\nnode 3 20 0 1 0 -\n");
  EXPECT_EQ(TNode::Find(5, 0)->ID, 2);
  EXPECT_EQ(TNode::Find(-100, 3)->ID, 1);
  EXPECT_EQ(TNode::Find(14, 0)->ID, 2);
}

// ------------------------------------------------------------------ path search

// A fixture graph:
//
//   1 --- 2 --- 3 --- 4        9 (alone)
//         |     |
//         5 --- 6 --- 7 (cost 255)
//         |
//         8 (unwalkable building "shed")
using PathSearch = VillageTest;

std::string Ids(const Ref<TPath>& p) {
  if (!p) return "none";
  std::string s;
  for (const Ref<TNode>& n : p->WaypointList) s += (s.empty() ? "" : " ") + std::to_string(n->ID);
  return s;
}

TEST_F(PathSearch, FindsPathsOnAFixtureGraph) {
  LoadGraph(
      "node 1   0   0 2 0 -\n"
      "node 2 100   0 2 0 -\n"
      "node 3 200   0 2 0 -\n"
      "node 4 300   0 2 0 -\n"
      "node 5 100 100 2 0 -\n"
      "node 6 200 100 2 0 -\n"
      "node 7 300 100 2 255 -\n"
      "node 8 100 200 2 0 shed\n"
      "node 9 900 900 2 0 -\n"
      "join 1 2 3 4\njoin 2 5 6 3\njoin 6 7\njoin 5 8\n");
  TNode::UpdateGraph();
  ASSERT_EQ(TNode::ById(8)->Unwalkable, 1);
  // node 4 gets a one-way link to 9: 4 lists 9, 9 does not list 4
  TNode::ById(4)->NeighbourList.push_back(TNode::ById(9));
  struct Case {
    int from, to;
    const char* path;
  };
  const Case cases[] = {
      {1, 2, "1 2"},                // two joined nodes
      {1, 4, "1 2 3 4"},
      {4, 1, "4 3 2 1"},
      {1, 6, "1 2 3 6"},            // first in, first out: ties go to the older branch
      {6, 1, "6 5 2 1"},            // 2 is reached from 5 first; 3 offers no cheaper way
      {1, 8, "1 2 5 8"},            // an unwalkable node is still a goal and a waypoint
      {8, 4, "8 5 2 3 4"},
      {1, 7, "none"},               // cost 255: never entered
      {7, 1, "7 6 5 2 1"},          // but can be left
      {1, 9, "1 2 3 4 9"},          // along the one-way link
      {9, 1, "none"},               // not back against it
      {3, 3, "none"},               // the same node
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
    EXPECT_EQ(Ids(TPath::Find(TNode::ById(c.from), TNode::ById(c.to))), c.path);
    for (const Ref<TNode>& n : Nodes) {
      EXPECT_EQ(n->InOpenList + n->InClosedList + n->Gcost + n->Hcost + n->Fcost, 0) << "search fields left behind";
      EXPECT_EQ(n->Parent, nullptr);
    }
  }
  EXPECT_EQ(TPath::Find(nullptr, TNode::ById(1)), nullptr);
  EXPECT_EQ(TPath::Find(TNode::ById(1), nullptr), nullptr);
}

TEST_F(PathSearch, ANodeKeptAfterItsGraphWasReplacedLeadsNowhere) {
  LoadGraph("node 1 0 0 1 0 -\nnode 2 10 0 1 0 -\njoin 1 2\n");
  const Ref<TNode> old = TNode::ById(1);
  LoadGraph("node 1 0 0 1 0 -\nnode 2 10 0 1 0 -\njoin 1 2\n");
  EXPECT_TRUE(old->NeighbourList.empty()) << "the old graph's joins are broken, not kept alive";
  EXPECT_EQ(TPath::Find(old, TNode::ById(2)), nullptr);
  EXPECT_EQ(Ids(TPath::Find(TNode::ById(1), TNode::ById(2))), "1 2");
}

// Joined nodes must not keep each other alive: a graph dropped in any way is
// freed at once, not only when Clear breaks its joins first.
TEST_F(PathSearch, ADroppedGraphIsFreed) {
  struct Case {
    const char* name;
    std::function<void()> drop;
    std::vector<int> freed;  // ids of the first graph
  };
  const Case cases[] = {
      {"replaced by another file", [] { LoadGraph("node 1 5 5 1 0 -\n"); }, {1, 2, 3}},
      {"the list emptied (as at the program's end)", [] { Nodes.Clear(); }, {1, 2, 3}},
      {"the middle node removed", [] { TNode::ById(2)->Remove(); }, {2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoadGraph("node 1 0 0 1 0 -\nnode 2 10 0 1 0 -\nnode 3 20 0 1 0 -\njoin 1 2 3\njoin 3 1\n");
    std::vector<WeakRef<TNode>> first;
    for (const Ref<TNode>& n : Nodes) first.push_back(n);
    c.drop();
    for (int id = 1; id <= 3; ++id) {
      const bool freed = std::find(c.freed.begin(), c.freed.end(), id) != c.freed.end();
      EXPECT_EQ(first[static_cast<size_t>(id - 1)].expired(), freed) << "node " << id;
    }
    for (const Ref<TNode>& n : Nodes)
      for (const WeakRef<TNode>& w : n->NeighbourList) EXPECT_FALSE(w.expired()) << "a join to a freed node";
    TNode::Clear();
  }
}

}  // namespace
}  // namespace kelp::village_test
