// Hostile numbers in every file of a level: NaN, infinity, 3.4e38, negative,
// zero and huge counts in the world, path, floor, brick, trolley, obstacle and
// box files are clamped or refused with a debug line, and the world built from
// them stays finite and bounded through 1,000 frames.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "framework/core/debug_output.h"
#include "level_scene.h"
#include "world/brick.h"
#include "world/obstacle.h"

namespace {

using namespace kelp;

// The level's files as text, each value a key the cases replace.
struct Pack {
  std::map<std::string, std::string> v = {
      {"gravity", "100"}, {"timestep", "0.05"}, {"iterations", "2"},  //
      {"px", "300"},      {"py", "100"},        {"mass", "1"},
      {"friction", "0.5"}, {"radius", "8"},     {"length", "40"},
      {"stiffness", "1"}, {"sx1", "200"},       {"sy1", "300"},
      {"sradius", "2"},   {"sfriction", "0.8"}, {"hp", "30"},
      {"dy", "-0.01"},    {"brick_hp", "40"},   {"trolley_time", "12000"},
      {"money", "5"},     {"bx", "380"},        {"by", "200"},
  };
  int trolleys = 3, blocks = 2;

  std::string World() const {
    auto at = [this](const char* k) { return v.at(k); };
    return "<world gravity=\"" + at("gravity") + "\" iterations=\"" + at("iterations") + "\" timestep=\"" +
           at("timestep") + "\">\n" +
           // the box around the field, which no case touches
           "<static x1=\"100\" y1=\"-200\" x2=\"100\" y2=\"560\" radius=\"2\"/>\n"
           "<static x1=\"700\" y1=\"-200\" x2=\"700\" y2=\"560\" radius=\"2\"/>\n"
           "<static x1=\"100\" y1=\"560\" x2=\"700\" y2=\"560\" radius=\"2\"/>\n"
           "<static x1=\"120\" y1=\"540\" x2=\"680\" y2=\"540\" radius=\"2\"/>\n"
           "<static x1=\"" + at("sx1") + "\" y1=\"" + at("sy1") + "\" x2=\"320\" y2=\"300\" radius=\"" + at("sradius") +
           "\" friction=\"" + at("sfriction") + "\" path=\"1\" obstacle=\"2\" hp=\"" + at("hp") + "\"/>\n"
           "<group name=\"g\">\n"
           "<particle name=\"a\" x=\"" + at("px") + "\" y=\"" + at("py") + "\" mass=\"" + at("mass") +
           "\" friction=\"" + at("friction") + "\" radius=\"" + at("radius") + "\"/>\n"
           "<particle name=\"b\" x=\"340\" y=\"100\" radius=\"8\"/>\n"
           "<constraint particle1=\"a\" particle2=\"b\" length=\"" + at("length") + "\" stiffness=\"" +
           at("stiffness") + "\"/>\n";
  }
  std::string Floor() const {
    return "<floor dy=\"" + v.at("dy") + "\">\n<element x1=\"120\" y1=\"540\" x2=\"680\" y2=\"540\"/>\n";
  }
  std::string Bricks() const {
    return "<bricks>\n<node x=\"2\" y=\"3\" hp=\"" + v.at("brick_hp") + "\" empty=\"0\"/>\n";
  }
  std::string Trolleys() const {
    std::string t = "<trolleys>\n";
    for (int i = 1; i <= trolleys; ++i)
      t += "<trolley id=\"" + std::to_string(i) + "\" time=\"" + v.at("trolley_time") + "\"/>\n";
    return t;
  }
  std::string Blocks() const {
    std::string t = "<blocks>\n";
    for (int i = 0; i < blocks; ++i) {
      // The first box where the case puts it, the others in rows apart.
      const std::string x = i == 0 ? v.at("bx") : std::to_string(140 + 40 * (i % 13));
      const std::string y = i == 0 ? v.at("by") : std::to_string(500 - 40 * (i / 13));
      t += "<block class=\"1\" money=\"" + v.at("money") + "\" scale=\"0.55\"/>\n<center x=\"" + x + "\" y=\"" + y +
           "\"/>\n";
    }
    return t;
  }
};

struct PathNode {
  int32_t number, id, x, y, turn;
  float speed;
  int32_t nxt, prev;
};

std::string PathFile(const std::vector<PathNode>& nodes, int32_t count) {
  std::string b = "path\r\n";
  auto put = [&b](const void* p) { b.append(static_cast<const char*>(p), 4); };
  put(&count);
  for (const PathNode& n : nodes) {
    put(&n.number);
    put(&n.id);
    put(&n.x);
    put(&n.y);
    put(&n.turn);
    put(&n.speed);
    put(&n.nxt);
    put(&n.prev);
  }
  return b;
}

const std::vector<PathNode> kPath = {{1, 1, 260, 300, 0, 0.8f, 2, 0}, {2, 1, 500, 300, 0, 0.8f, 0, 1}};

class LevelNumbers : public level_test::LevelScene {
 protected:
  void SetUp() override {
    LevelScene::SetUp();
    CopyClaw();
    SetDebugOutputHook([this](const std::string& m) { said += m + "\n"; });
  }
  void TearDown() override {
    SetDebugOutputHook(nullptr);
    LevelScene::TearDown();
  }

  // Builds the level from its files as the loader does and runs it.
  void Run(const Pack& pack, const std::string& path, int frames = 1000) {
    said.clear();
    TObstacle::Clear();
    TBrick::Clear();
    TBlock::ClearBlocks();
    World->Clear();
    ASSERT_TRUE(World->LoadOld(platform::OpenMemory(pack.World()))) << said;
    World->MovingFloor = TFloor::Load(platform::OpenMemory(pack.Floor()));
    TBrick::Load(platform::OpenMemory(pack.Bricks()));
    TTrolley::LoadTrolley(platform::OpenMemory(pack.Trolleys()));
    TObstacle::Load();
    TBlock::LoadBlocks(platform::OpenMemory(pack.Blocks()));
    LevelStaticPath->Load(platform::OpenMemory(path));
    ArmPushers();
    for (int i = 0; i < frames; ++i) Frame();
  }

  // Every particle and static finite and within reach of the field.
  ::testing::AssertionResult Bounded() const {
    constexpr float kFar = 1e7f;
    auto ok = [](float v) { return std::isfinite(v) && std::fabs(v) < kFar; };
    for (const auto& p : World->Physics->Particles)
      if (!ok(p->x) || !ok(p->y) || !ok(p->ox) || !ok(p->oy))
        return ::testing::AssertionFailure() << "particle " << p->name << " at " << p->x << "," << p->y;
    for (const auto& s : World->Physics->Statics)
      if (!ok(s->x1) || !ok(s->y1) || !ok(s->x2) || !ok(s->y2))
        return ::testing::AssertionFailure() << "static at " << s->x1 << "," << s->y1;
    if (World->MovingFloor && !ok(World->MovingFloor->dy)) return ::testing::AssertionFailure() << "floor speed";
    for (const auto& o : Obstacles)
      if (o->hp > 100000 || o->max_hp > 100000) return ::testing::AssertionFailure() << "obstacle hp " << o->hp;
    for (const auto& t : Trolleys)
      if (t->StayTime <= 0 || t->StayTime > 2 * 3600000) return ::testing::AssertionFailure() << "trolley time";
    return ::testing::AssertionSuccess();
  }

  std::string said;
};

const char* const kHostile[] = {"nan", "inf", "-inf", "3.4e38", "-3.4e38", "-5", "0", "1e9"};

TEST_F(LevelNumbers, EachValueOfEachMachinesFileGivesAFiniteBoundedWorld) {
  const char* const keys[] = {"gravity",   "timestep", "iterations", "px",   "py",       "mass",
                              "friction",  "radius",   "length",     "stiffness", "sx1", "sy1",
                              "sradius",   "sfriction", "hp",        "dy",   "brick_hp", "trolley_time",
                              "money",     "bx",       "by"};
  for (const char* key : keys) {
    for (const char* value : kHostile) {
      SCOPED_TRACE(std::string(key) + "=" + value);
      Pack pack;
      pack.v[key] = value;
      Run(pack, PathFile(kPath, 2));
      EXPECT_TRUE(Bounded()) << said;
    }
  }
}

TEST_F(LevelNumbers, PathNumbersAndSelfLinksKeepThePlatformFinite) {
  const float nan = std::nanf(""), inf = INFINITY;
  struct Case {
    const char* name;
    std::vector<PathNode> nodes;
    int32_t count;
    const char* said;  // a piece of the debug line, "" for none
  };
  const Case cases[] = {
      {"speed NaN", {{1, 1, 260, 300, 0, nan, 2, 0}, {2, 1, 500, 300, 0, 0.8f, 0, 1}}, 2, "node 1 speed"},
      {"speed infinite", {{1, 1, 260, 300, 0, inf, 2, 0}, {2, 1, 500, 300, 0, 0.8f, 0, 1}}, 2, "node 1 speed"},
      {"speed 3.4e38", {{1, 1, 260, 300, 0, 3.4e38f, 2, 0}, {2, 1, 500, 300, 0, 3.4e38f, 0, 1}}, 2, "speed"},
      {"speed 3.4e38 on a node linked to itself", {{1, 1, 260, 300, 0, 3.4e38f, 1, 1}}, 1, "links to itself"},
      {"a chain whose end links to itself", {{1, 1, 260, 300, 0, 0.8f, 2, 0}, {2, 1, 500, 300, 0, 5, 2, 1}}, 2,
       "links to itself"},
      {"negative speed", {{1, 1, 260, 300, 0, -5, 2, 0}, {2, 1, 500, 300, 0, -5, 0, 1}}, 2, "speed"},
      {"zero speed", {{1, 1, 260, 300, 0, 0, 2, 0}, {2, 1, 500, 300, 0, 0, 0, 1}}, 2, ""},
      {"positions at the int range", {{1, 1, INT32_MAX, INT32_MIN, 0, 20, 2, 0}, {2, 1, INT32_MIN, 300, 0, 20, 0, 1}},
       2, "node 1 x"},
      {"a huge count", {{1, 1, 260, 300, 0, 0.8f, 2, 0}, {2, 1, 500, 300, 0, 0.8f, 0, 1}}, 2000000000, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Run(Pack(), PathFile(c.nodes, c.count));
    EXPECT_TRUE(Bounded()) << said;
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
    for (const auto& n : LevelStaticPath->Waypoints) {
      EXPECT_NE(n->nxt.lock(), n);
      EXPECT_NE(n->prev.lock(), n);
    }
  }
}

TEST_F(LevelNumbers, HugeCountsAreCutWithALine) {
  Pack pack;
  pack.trolleys = 5000;
  pack.blocks = 5000;
  Run(pack, PathFile(kPath, 2), 20);
  EXPECT_TRUE(Bounded());
  EXPECT_EQ(Trolleys.Count(), 64u);
  EXPECT_EQ(BlockList.Count(), 100u);
  EXPECT_NE(said.find("trolleys; the rest of the file is left out"), std::string::npos);
  EXPECT_NE(said.find("blocks; the rest of the file is left out"), std::string::npos);
}

// What a clamp says, so a level's author finds the line in the log.
TEST_F(LevelNumbers, AClampedValueNamesItselfAndWhatIsUsed) {
  Pack pack;
  pack.v["stiffness"] = "7";
  pack.v["dy"] = "3.4e38";
  Run(pack, PathFile(kPath, 2));
  EXPECT_NE(said.find("Number \"7\" for stiffness of constraint is out of range; 1 is used"), std::string::npos)
      << said;
  EXPECT_NE(said.find("[TFloor : Load WARNING] the floor's speed dy 3.4e+38 is out of range; 0.5 is used"),
            std::string::npos)
      << said;
}

}  // namespace
