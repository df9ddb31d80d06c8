// Moving statics on their waypoint paths: the order of the nodes a platform
// visits, turning at turn nodes and at the chain's ends, turning back as one
// when something is jammed against it, the path file and the editor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/core/frame_clock.h"
#include "physics/engine.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "world/static_path.h"
#include "world/world.h"

namespace {

using namespace kelp;

class StaticPaths : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetWorldRooms();
    GameTime = 1000000;
    World = New<TWorld>();
    LevelStaticPath = TStaticPath::Create();
  }
  void TearDown() override { testsupport::ResetWorldRooms(); }

 public:
  static Ref<TPhysEngine_Static> Platform(float x1, float y1, float x2, float y2, int path) {
    auto s = TPhysEngine_Static::Create(x1, y1, x2, y2, 1, 2, 1, World->Physics.get());
    s->path = path;
    return s;
  }

  // Nodes joined in order, with the turn flags given.
  static std::vector<Ref<TStaticNode>> Chain(int path, const std::vector<std::pair<int, int>>& xy,
                                             const std::vector<int>& turns, float speed) {
    std::vector<Ref<TStaticNode>> nodes;
    for (size_t i = 0; i < xy.size(); ++i)
      nodes.push_back(LevelStaticPath->CreateNode(xy[i].first, xy[i].second, speed, turns[i], path));
    for (size_t i = 0; i + 1 < nodes.size(); ++i) {
      nodes[i]->nxt = nodes[i + 1];
      nodes[i + 1]->prev = nodes[i];
    }
    return nodes;
  }

  static float CentreX(const TPhysEngine_Static& s) { return (s.x1 + s.x2) / 2; }
  static float CentreY(const TPhysEngine_Static& s) { return (s.y1 + s.y2) / 2; }

  // The node numbers the platform reaches, in order, over `frames` frames.
  static std::vector<int> Visits(const Ref<TPhysEngine_Static>& s, int frames, float f = 1.0f) {
    std::vector<int> seen;
    for (int i = 0; i < frames; ++i) {
      LevelStaticPath->Update(f);
      const int at = s->Node ? s->Node->_id : 0;
      if (seen.empty() || seen.back() != at) seen.push_back(at);
    }
    return seen;
  }
};

TEST_F(StaticPaths, PlatformVisitsItsChainInOrder) {
  struct Case {
    const char* what;
    std::vector<int> turns;
    std::vector<int> visits;
  };
  const Case cases[] = {
      {"no turn nodes: to the end and back", {0, 0, 0}, {1, 2, 3, 2, 1, 2, 3}},
      {"a turn node in the middle sends it back", {0, 1, 0}, {1, 2, 1, 2, 1, 2, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    World->Physics->Statics.Clear();
    LevelStaticPath->Clear();
    Chain(1, {{100, 100}, {200, 100}, {300, 100}}, c.turns, 4.0f);
    auto s = Platform(-20, 0, 20, 0, 1);
    const std::vector<int> seen = Visits(s, 26 * 6 + 10);
    ASSERT_GE(seen.size(), c.visits.size());
    EXPECT_EQ(std::vector<int>(seen.begin(), seen.begin() + c.visits.size()), c.visits);
  }
}

TEST_F(StaticPaths, PlatformStartsOnItsFirstNodeAndKeepsItsShape) {
  Chain(1, {{100, 100}, {200, 150}}, {0, 0}, 2.0f);
  auto base = Platform(0, 0, 40, 0, 1);
  auto lip = Platform(40, 0, 40, -10, 1);
  LevelStaticPath->Update(1.0f);
  // The mean of the midpoints (20, 0) and (40, -5) lands on (100, 100).
  EXPECT_FLOAT_EQ(base->x1, 70);
  EXPECT_FLOAT_EQ(base->y1, 102.5f);
  for (int i = 0; i < 300; ++i) LevelStaticPath->Update(1.0f);
  EXPECT_NEAR(lip->x1 - base->x1, 40, 1e-3);
  EXPECT_NEAR(lip->y2 - base->y1, -10, 1e-3);
}

TEST_F(StaticPaths, PathWithoutNodesNeverMovesAndALoneNodeHoldsItsPlatform) {
  LevelStaticPath->CreateNode(150, 150, 3.0f, 0, 2);  // a chain of one node
  auto none = Platform(0, 0, 10, 0, 7);
  auto alone = Platform(0, 0, 10, 0, 2);
  for (int i = 0; i < 50; ++i) LevelStaticPath->Update(1.0f);
  EXPECT_FLOAT_EQ(none->x1, 0);
  EXPECT_FALSE(none->Node);
  EXPECT_FLOAT_EQ(CentreX(*alone), 150);
  EXPECT_FLOAT_EQ(CentreY(*alone), 150);
}

TEST_F(StaticPaths, BlockedPlatformTurnsBackAsOneOnTheNextFrame) {
  // A chain of two nodes: the other way round from the first node is the
  // same node again, so only turning along the leg brings it back.
  Chain(1, {{100, 100}, {300, 100}}, {0, 0}, 2.0f);
  auto a = Platform(-20, 0, 0, 0, 1);
  auto b = Platform(0, 0, 20, 0, 1);
  for (int i = 0; i < 30; ++i) LevelStaticPath->Update(1.0f);
  const float before = CentreX(*a);
  ASSERT_GT(before, 140);
  b->blocked = 1;  // the second static of the platform is jammed
  LevelStaticPath->Update(1.0f);
  EXPECT_FLOAT_EQ(CentreX(*a), before - 2);
  EXPECT_FLOAT_EQ(b->x1 - a->x1, 20) << "the platform kept its shape";
  EXPECT_EQ(a->blocked + b->blocked, 0);
  // It runs back to the node it came from and on from there.
  const std::vector<int> seen = Visits(a, 200);
  EXPECT_EQ(seen.front(), 2);
  EXPECT_EQ(seen.at(1), 1);
}

TEST_F(StaticPaths, ParticleSqueezedUnderAPlatformTurnsItBack) {
  // A lift coming down on a ball that rests on the floor.
  TPhysEngine& e = *World->Physics;
  TPhysEngine_Static::Create(0, 300, 400, 300, 1, 2, 1, &e);
  Chain(1, {{200, 150}, {200, 295}}, {0, 0}, 1.5f);
  auto lift = Platform(150, 0, 250, 0, 1);
  auto g = TPhysEngine_Group::Create(&e);
  auto ball = TPhysEngine_Particle::Create(g.get(), 200, 277, &e);
  ball->radius = 20;
  float lowest = 0;
  bool turned = false;
  for (int i = 0; i < 400 && !turned; ++i) {
    GameTime += 18;
    LevelStaticPath->Update(1.0f);
    e.Update(1.0f);
    lowest = std::max(lowest, lift->y1);
    turned = lift->y1 < lowest - 5;
  }
  EXPECT_TRUE(turned) << "the lift came down to " << lowest;
  EXPECT_LT(lowest, 290) << "it turned before its lowest node";
  EXPECT_LT(ball->y, 300) << "the ball was not pushed through the floor";
}

TEST_F(StaticPaths, LargeFrameFactorStillArrivesAtEveryNode) {
  // A step of three times the speed can jump the arrival window; the
  // platform must still turn at the ends instead of running away.
  Chain(1, {{100, 100}, {200, 100}, {300, 100}}, {0, 0, 0}, 2.0f);
  auto s = Platform(-10, 0, 10, 0, 1);
  float left = 1e9f, right = -1e9f;
  for (int i = 0; i < 500; ++i) {
    LevelStaticPath->Update(3.0f);
    left = std::min(left, CentreX(*s));
    right = std::max(right, CentreX(*s));
  }
  EXPECT_GE(left, 100 - 6.0f);
  EXPECT_LE(right, 300 + 6.0f);
  EXPECT_LT(left, 110);
  EXPECT_GT(right, 290);
}

TEST_F(StaticPaths, FileKeepsNodesAndLinks) {
  testenv::TempDir dir;
  auto nodes = Chain(4, {{10, 20}, {30, 40}, {50, 60}}, {0, 1, 0}, 1.5f);
  nodes[2]->speed = 0.25f;
  ASSERT_EQ(LevelStaticPath->Save(dir / "p.dat"), 1);

  TStaticPath loaded;
  ASSERT_EQ(loaded.Load(platform::OpenFileRead(dir / "p.dat")), 1);
  ASSERT_EQ(loaded.Waypoints.Count(), 3u);
  std::vector<Ref<TStaticNode>> got;
  for (const auto& n : loaded.Waypoints) got.push_back(n);
  EXPECT_EQ(got[1]->x, 30);
  EXPECT_EQ(got[1]->y, 40);
  EXPECT_EQ(got[1]->turn, 1);
  EXPECT_EQ(got[1]->id, 4);
  EXPECT_FLOAT_EQ(got[2]->speed, 0.25f);
  EXPECT_EQ(got[0]->nxt.lock(), got[1]);
  EXPECT_EQ(got[2]->prev.lock(), got[1]);
  EXPECT_FALSE(got[0]->prev.lock());
  EXPECT_FALSE(got[2]->nxt.lock());
  EXPECT_EQ(LevelStaticPath->Save(dir / "no/such/folder/p.dat"), 0);
}

TEST_F(StaticPaths, BadFilesLoadNothingOrWhatTheyHold) {
  auto node = [](int number, int nxt, int prev) {
    std::string b;
    auto put = [&b](int32_t v) { b.append(reinterpret_cast<const char*>(&v), 4); };
    put(number);
    put(1);
    put(5);
    put(6);
    put(0);
    const float speed = 1;
    b.append(reinterpret_cast<const char*>(&speed), 4);
    put(nxt);
    put(prev);
    return b;
  };
  auto count = [](int32_t n) { return std::string(reinterpret_cast<const char*>(&n), 4); };
  struct Case {
    const char* what;
    std::string bytes;
    int result;
    size_t nodes;
  };
  const Case cases[] = {
      {"no header", count(1) + node(1, 0, 0), 0, 0},
      {"another header", "paths\r\n" + count(1) + node(1, 0, 0), 0, 0},
      {"a count beyond the file", "path\r\n" + count(1000000) + node(1, 0, 0) + node(2, 0, 0), 1, 2},
      {"a negative count", "path\r\n" + count(-5) + node(1, 0, 0), 1, 0},
      {"a cut-off node", "path\r\n" + count(2) + node(1, 2, 0) + node(2, 0, 1).substr(0, 10), 1, 1},
      {"empty", "", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LevelStaticPath->CreateNode(1, 1, 1, 0, 1);  // the last level's paths go in any case
    EXPECT_EQ(LevelStaticPath->Load(platform::OpenMemory(c.bytes)), c.result);
    EXPECT_EQ(LevelStaticPath->Waypoints.Count(), c.nodes);
  }
  // A link to a number the file does not hold links nothing.
  ASSERT_EQ(LevelStaticPath->Load(platform::OpenMemory("path\r\n" + count(1) + node(1, 9, 8))), 1);
  EXPECT_FALSE(LevelStaticPath->Waypoints.First()->nxt.lock());
  EXPECT_FALSE(LevelStaticPath->Waypoints.First()->prev.lock());
  EXPECT_EQ(LevelStaticPath->Load(nullptr), 0);
  EXPECT_TRUE(LevelStaticPath->Waypoints.IsEmpty());
}

TEST_F(StaticPaths, EditorPlacesDragsJoinsAndDeletesNodes) {
  TStaticPath& p = *LevelStaticPath;
  p.Input_KEYDOWN(32, 50, 50);
  EXPECT_TRUE(p.Waypoints.IsEmpty()) << "no node before a left click has been let go";
  p.Input_MOUSEDOWN(1, 0, 0);
  p.Input_MOUSEUP(1, 0, 0);
  p.Input_KEYDOWN(32, 50, 50);
  p.Input_KEYDOWN(32, 150, 50);
  p.Input_KEYDOWN(32, 250, 50);
  ASSERT_EQ(p.Waypoints.Count(), 3u);
  std::vector<Ref<TStaticNode>> n;
  for (const auto& w : p.Waypoints) n.push_back(w);
  EXPECT_FLOAT_EQ(n[0]->speed, 1.0f);
  EXPECT_EQ(n[0]->id, 1);

  // Drag the middle node by its edge.
  p.Input_MOUSEDOWN(1, 155, 52);
  EXPECT_EQ(TStaticPath::SelectedNode, n[1]);
  p.Input_MOUSEMOVE(165, 72);
  p.Input_MOUSEUP(1, 165, 72);
  EXPECT_EQ(n[1]->x, 160);
  EXPECT_EQ(n[1]->y, 70);

  // The right button let go over another node joins it after the selected one.
  p.Input_MOUSEDOWN(1, 50, 50);
  p.Input_MOUSEUP(1, 50, 50);
  p.Input_MOUSEDOWN(2, 160, 70);
  p.Input_MOUSEUP(2, 160, 70);
  EXPECT_EQ(n[0]->nxt.lock(), n[1]);
  EXPECT_EQ(n[1]->prev.lock(), n[0]);
  EXPECT_EQ(TStaticPath::SelectedNode, n[1]);

  // Delete cuts the links to the node and numbers the nodes again.
  p.Input_KEYDOWN(46, 0, 0);
  EXPECT_EQ(p.Waypoints.Count(), 2u);
  EXPECT_FALSE(n[0]->nxt.lock());
  EXPECT_EQ(n[0]->_id, 1);
  EXPECT_EQ(n[2]->_id, 3);
  EXPECT_FALSE(TStaticPath::SelectedNode);
}

}  // namespace
