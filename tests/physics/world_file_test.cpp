#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/core/debug_output.h"
#include "framework/core/frame_clock.h"
#include "physics/engine.h"
#include "platform/stream.h"
#include "reset_rooms.h"
#include "scenes/physics_scenes.h"
#include "test_env.h"

using namespace kelp;
using namespace scenes;

namespace {

class WorldFile : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetPhysicsRooms();
    GameTime = 5000;
    SetDebugOutputHook([this](const std::string& m) { messages.push_back(m); });
  }
  void TearDown() override { testsupport::ResetPhysicsRooms(); }

  static platform::StreamRef Text(const std::string& s) { return platform::OpenMemory(s); }
  bool Said(const std::string& text) const {
    for (const auto& m : messages)
      if (m.find(text) != std::string::npos) return true;
    return false;
  }

  TPhysEngine e;
  std::vector<std::string> messages;
  testenv::TempDir dir;
};

const char* kWorld = R"xml(<?xml version="1.0" ?>
<world gravity="80" iterations="3" timestep="0.04">
  <!-- a rope and a weight -->
  <group name="rope" collisions="False" selfcollision="TRUE">
    <particle name="top" x="10" y="20" static="1"/>
    <particle x="10" y="40" mass="2.5" friction="0.5" radius="4"/>
    <particle x="10" y="60"/>
    <constraint name="c1" particle1="top" particle2="particle" stiffness="0.5" type="pull"/>
    <constraint particle1="particle" particle2="particle(2)" length="25" type="push"/>
    <constraint particle1="particle(2)" particle2="later"/>
    <constraint particle1="top" particle2="top"/>
    <constraint particle1="particle" particle2="top"/>
    <constraint particle1="top" particle2="w@weight"/>
    <particle name="later" x="0" y="0"/>
  </group>
  <group name="weight">
    <particle name="w" x="10" y="80" radius="12"/>
    <constraint particle1="w" particle2="particle(2)@rope" type="odd"/>
  </group>
  <static x1="0" y1="100" x2="200" y2="100.5" friction="0.3" radius="10" path="%101" obstacle="$1F" hp="7" parazite="257"/>
  <STATIC x1="5"/>
  <spring/>
</world>
)xml";

}  // namespace

TEST_F(WorldFile, LoadWorldReadsGroupsParticlesConstraintsAndStatics) {
  TForce::Create(0, 0, 1, 1, 1, &e, 1);
  ASSERT_EQ(e.LoadWorld(Text(kWorld)), 1);
  EXPECT_FLOAT_EQ(e.GRAVITY, 80);
  EXPECT_EQ(e.ITERATIONS, 3);
  EXPECT_FLOAT_EQ(e.TIMESTEP, 0.04f);
  EXPECT_FLOAT_EQ(e.STOPLIMIT, 0.05f);  // the world was cleared first
  EXPECT_EQ(e.Forces.Count(), 1u);

  auto rope = TPhysEngine_Group::Find("rope", &e);
  auto weight = TPhysEngine_Group::Find("weight", &e);
  ASSERT_TRUE(rope && weight);
  EXPECT_EQ(rope->docollisions, 0);
  EXPECT_EQ(rope->selfcollision, 1);
  EXPECT_EQ(weight->docollisions, 1);
  EXPECT_EQ(weight->selfcollision, 0);

  auto top = TPhysEngine_Particle::Find(rope.get(), "top");
  auto mid = TPhysEngine_Particle::Find(rope.get(), "particle");
  auto low = TPhysEngine_Particle::Find(rope.get(), "particle(2)");
  ASSERT_TRUE(top && mid && low);
  EXPECT_EQ(top->static_, 1);
  EXPECT_FLOAT_EQ(top->oy, 20);
  EXPECT_FLOAT_EQ(mid->mass, 2.5f);
  EXPECT_FLOAT_EQ(mid->friction, 0.5f);
  EXPECT_FLOAT_EQ(mid->radius, 4);
  EXPECT_FLOAT_EQ(low->mass, 1.0f);
  EXPECT_FLOAT_EQ(low->friction, 0.75f);
  EXPECT_FLOAT_EQ(low->radius, 8);
  EXPECT_EQ(e.Particles.Count(), 5u);

  // c1, the push, and the weight's link into the rope; the forward references
  // (in the group and to a later group), the self-join and the second join of
  // the same pair are dropped.
  ASSERT_EQ(e.Constraints.Count(), 3u);
  auto c1 = TPhysEngine_Constraint::Find(rope.get(), "c1");
  ASSERT_TRUE(c1);
  EXPECT_EQ(c1->ctype, TPhysEngine::PULL);
  EXPECT_FLOAT_EQ(c1->stiffness, 0.5f);
  EXPECT_FLOAT_EQ(c1->length, 20);
  auto push = TPhysEngine_Constraint::Find(rope.get(), "constraint");
  ASSERT_TRUE(push);
  EXPECT_EQ(push->ctype, TPhysEngine::PUSH);
  EXPECT_FLOAT_EQ(push->length, 25);
  auto link = weight->frstc;
  ASSERT_TRUE(link);
  EXPECT_EQ(link->p2, low);
  EXPECT_EQ(link->ctype, TPhysEngine::PULLPUSH);
  EXPECT_TRUE(Said("later"));
  EXPECT_TRUE(Said("w@weight"));

  ASSERT_EQ(e.Statics.Count(), 2u);  // element names in any case
  auto s = e.Statics.First();
  EXPECT_FLOAT_EQ(s->y2, 100.5f);
  EXPECT_FLOAT_EQ(s->friction, 0.3f);
  EXPECT_FLOAT_EQ(s->radius, 10);
  EXPECT_EQ(s->path, 5);
  EXPECT_EQ(s->obstacle, 31);
  EXPECT_EQ(s->hp, 7);
  EXPECT_EQ(s->Parazite, 1);
  EXPECT_FLOAT_EQ(s->miny, 90);  // the box covers the file's radius
  EXPECT_FLOAT_EQ(e.Statics.Last()->x1, 5);
  EXPECT_TRUE(Said("spring"));  // the unknown element was reported
}

TEST_F(WorldFile, AttributeTextIsReadLikeTheFileFormatSays) {
  struct Case {
    const char* world;
    const char* group;
    int iterations, collisions, self;
  };
  const Case cases[] = {
      {R"(iterations="2.9")", R"(collisions="TRUE" selfcollision="yes")", 2, 1, 0},
      {R"(iterations="257")", R"(collisions="yes" selfcollision="True")", 1, 1, 1},
      {R"(iterations="-1")", R"(collisions="false")", 255, 0, 0},
      {R"(iterations="")", R"(collisions="" selfcollision="")", 1, 1, 0},
  };
  for (const Case& c : cases) {
    TPhysEngine w;
    w.ITERATIONS = 9;
    const std::string text = std::string("<world ") + c.world + "><group " + c.group + "/></world>";
    ASSERT_EQ(w.LoadWorld(Text(text)), 1) << text;
    EXPECT_EQ(w.ITERATIONS, c.iterations) << text;
    EXPECT_EQ(w.Groups.First()->docollisions, c.collisions) << text;
    EXPECT_EQ(w.Groups.First()->selfcollision, c.self) << text;
  }
  // Empty attributes are not applied: the defaults stay.
  ASSERT_EQ(e.LoadWorld(Text(R"(<world gravity=""><group name=""><particle name="" mass="" x="3"/></group></world>)")), 1);
  EXPECT_FLOAT_EQ(e.GRAVITY, 100);
  EXPECT_EQ(e.Groups.First()->name, "group");
  EXPECT_EQ(e.Particles.First()->name, "particle");
  EXPECT_FLOAT_EQ(e.Particles.First()->mass, 1.0f);
  EXPECT_FLOAT_EQ(e.Particles.First()->x, 3.0f);
}

TEST_F(WorldFile, RejectedRootLeavesTheWorldAsItWas) {
  auto keep = Lone(e, 1, 2);
  EXPECT_EQ(e.LoadWorld(Text(R"(<World gravity="5"><group/></World>)")), 0);
  EXPECT_TRUE(Said("[TPhysEngine ERROR : LoadWorld] The file does not begin with a world tag!"));
  EXPECT_EQ(e.Particles.Count(), 1u);
  EXPECT_FLOAT_EQ(e.GRAVITY, 100);
  EXPECT_EQ(e.LoadWorld(Text("no markup at all")), 0);
  EXPECT_EQ(e.LoadWorldOld(Text("<World gravity=\"5\">\n")), 1);  // line tags compare in lower case
  messages.clear();
  EXPECT_EQ(e.LoadWorldOld(Text("<group>\n")), 0);
  EXPECT_TRUE(Said("[TPhysEngine ERROR : LoadWorld] The file does not begin with a world tag!"));
  messages.clear();
  EXPECT_EQ(e.LoadWorld(dir / "missing.xml"), 0);
  EXPECT_TRUE(Said("[TPhysEngine ERROR : LoadWorld] Failed to load the specified path!"));
  messages.clear();
  EXPECT_EQ(e.LoadWorldOld(dir / "missing.xml"), 0);
  EXPECT_TRUE(Said("[TPhysEngine ERROR : LoadWorld] Failed to load the specified path!"));
  EXPECT_EQ(e.LoadGroup(dir / "missing.xml", ""), nullptr);
  EXPECT_TRUE(Said("[TPhysEngine ERROR : LoadGroup] Failed to load the specified path!"));
}

TEST_F(WorldFile, LoadGroupMatchesTheNameAndKeepsTheWorld) {
  const std::string file = R"xml(<GROUP name="claw" selfcollision="true">
    <particle x="1" y="2"/>
    <particle x="5" y="2"/>
    <PARTICLE name="a@b" x="9" y="2"/>
    <constraint particle1="particle" particle2="particle(2)"/>
    <constraint particle1="particle(2)" particle2="a@b"/>
    <constraint particle1="particle" particle2="x@claw"/>
  </GROUP>)xml";
  auto other = Lone(e, 0, 0);
  e.GRAVITY = 7;
  EXPECT_EQ(e.LoadGroup(Text(file), "hand"), nullptr);
  EXPECT_EQ(e.Groups.Count(), 1u);
  auto g = e.LoadGroup(Text(file), "claw");
  ASSERT_TRUE(g);
  EXPECT_EQ(g->name, "claw");
  EXPECT_EQ(g->selfcollision, 1);
  EXPECT_EQ(e.Groups.Count(), 2u);
  EXPECT_EQ(e.Particles.Count(), 4u);
  EXPECT_FLOAT_EQ(e.GRAVITY, 7);  // not cleared
  // "@" is no group reference in a group file: the whole text names a particle.
  EXPECT_EQ(e.Constraints.Count(), 2u);
  EXPECT_TRUE(Said("[TPhysEngine WARNING : LoadGroup] Constraint pointing to a particle in another group!"));
  EXPECT_TRUE(e.LoadGroup(Text(file), ""));
  EXPECT_EQ(e.LoadGroup(Text("<world/>"), ""), nullptr);
  EXPECT_EQ(e.Groups.Count(), 3u);
}

TEST_F(WorldFile, SaveWorldWritesOneTagPerLine) {
  e.ClearWorld();
  auto rope = TPhysEngine_Group::Create(&e);
  rope->name = "rope";
  auto other = TPhysEngine_Group::Create(&e);
  other->name = "other";
  other->selfcollision = 1;
  auto box = TPhysEngine_Group::Create(&e);
  box->class_ = 5;
  TPhysEngine_Particle::Create(box.get(), 0, 0, &e);
  auto a = TPhysEngine_Particle::Create(rope.get(), 1.5f, -2, &e);
  a->name = "a";
  a->static_ = 1;
  auto b = TPhysEngine_Particle::Create(other.get(), 1.5f, 3, &e);
  b->name = "b";
  auto c = TPhysEngine_Constraint::Create(other.get(), b, a, &e);
  c->name = "c1";
  c->ctype = TPhysEngine::PULL;
  EXPECT_EQ(TPhysEngine_Constraint::Create(rope.get(), a, b, &e), nullptr);  // already joined
  auto s = TPhysEngine_Static::Create(0, 10, 20, 10, 0.5f, 2, 1, &e);
  s->obstacle = 3;
  s->hp = 7;
  s->Parazite = 1;
  s->path = 2;

  ASSERT_EQ(e.SaveWorld(dir / "level", 0), 1);
  const std::string want =
      "<world gravity=\"100.000000\" iterations=\"1\" timestep=\"0.0500000007\">\r\n"
      "   <group name=\"rope\" collisions=\"true\" selfcollision=\"false\">\r\n"
      "      <particle name=\"a\" x=\"1.50000000\" y=\"-2.00000000\" mass=\"1.00000000\" friction=\"0.750000000\" "
      "radius=\"8.00000000\" static=\"1\"/>\r\n"
      "   </group>\r\n"
      "   <group name=\"other\" collisions=\"true\" selfcollision=\"true\">\r\n"
      "      <particle name=\"b\" x=\"1.50000000\" y=\"3.00000000\" mass=\"1.00000000\" friction=\"0.750000000\" "
      "radius=\"8.00000000\" static=\"0\"/>\r\n"
      "      <constraint name=\"c1\" particle1=\"b\" particle2=\"a@rope\" length=\"5.00000000\" "
      "stiffness=\"1.00000000\" type=\"pull\"/>\r\n"
      "   </group>\r\n"
      "   <static x1=\"0.00000000\" y1=\"10.0000000\" x2=\"20.0000000\" y2=\"10.0000000\" radius=\"2.00000000\" "
      "friction=\"0.500000000\" obstacle=\"3\" hp=\"7\" parazite=\"1\" path=\"2\"/>\r\n"
      "</world>\r\n";
  EXPECT_EQ(testenv::ReadFile(dir / "level.xml"), want);

  // An existing file is kept unless overwriting is asked for.
  EXPECT_EQ(e.SaveWorld(dir / "level", 0), 0);
  EXPECT_TRUE(Said("[TPhysEngine ERROR : SaveWorld] Path already exists, and overwrite = False was specified!"));
  EXPECT_EQ(e.SaveWorld(dir / "level.xml", 1), 1);
  std::filesystem::create_directories(dir / "a.b");
  EXPECT_EQ(e.SaveWorld(dir / "a.b/level", 0), 1);
  EXPECT_TRUE(std::filesystem::exists(dir / "a.b/level"));
  EXPECT_EQ(e.SaveWorld(dir / "no/such/folder/w.xml", 1), 0);
  EXPECT_TRUE(Said("[TPhysEngine ERROR : SaveWorld] Failed to create/overwrite the specified path!"));

  // The reader takes the written world back.
  TPhysEngine back;
  ASSERT_EQ(back.LoadWorld(dir / "level.xml"), 1);
  EXPECT_EQ(back.Groups.Count(), 2u);
  ASSERT_EQ(back.Constraints.Count(), 1u);
  EXPECT_EQ(back.Constraints.First()->name, "c1");
  EXPECT_EQ(back.Constraints.First()->p2->grp->name, "rope");
  EXPECT_EQ(back.Statics.First()->Parazite, 1);
}

TEST_F(WorldFile, GroupSaveWritesPlainNames) {
  auto g = TPhysEngine_Group::Create(&e);
  g->name = "claw";
  auto h = TPhysEngine_Group::Create(&e);
  auto a = TPhysEngine_Particle::Create(g.get(), 0, 0, &e);
  auto b = TPhysEngine_Particle::Create(h.get(), 0, 4, &e);
  TPhysEngine_Constraint::Create(g.get(), a, b, &e)->ctype = 9;
  ASSERT_EQ(g->Save(dir / "claw", 0), 1);
  EXPECT_EQ(testenv::ReadFile(dir / "claw.xml"),
            "<group name=\"claw\" collisions=\"true\" selfcollision=\"false\">\r\n"
            "   <particle name=\"particle\" x=\"0.00000000\" y=\"0.00000000\" mass=\"1.00000000\" "
            "friction=\"0.750000000\" radius=\"8.00000000\"/>\r\n"
            "   <constraint name=\"constraint\" particle1=\"particle\" particle2=\"particle\" length=\"4.00000000\" "
            "stiffness=\"1.00000000\" type=\"unknown\"/>\r\n"
            "</group>\r\n");
  EXPECT_EQ(g->Save(dir / "claw", 0), 0);
  EXPECT_TRUE(Said("[TPhysEngine ERROR : SaveGroup] Path already exists, and overwrite = False was specified!"));
  EXPECT_EQ(g->Save(dir / "no/such/folder/claw.xml", 1), 0);
  EXPECT_TRUE(Said("[TPhysEngine ERROR : SaveGroup] Failed to create/overwrite the specified path!"));
  auto back = e.LoadGroup(dir / "claw.xml", "claw");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->frstp->name, "particle");
}

TEST_F(WorldFile, LineWorldReadsPastClosingTagsAndStopsAtUnknownTags) {
  const std::string file =
      "<world gravity=\"50\" iterations=\"2\" timestep=\"0.1\">\r\n"
      "<particle name=\"orphan\"/>\r\n"
      "   <group name=\"one\" collisions=\"true\" selfcollision=\"false\">\r\n"
      "      <particle name=\"p\" x=\"1\" y=\"2\" static=\"1\"/>\r\n"
      "      <particle name=\"q\" x=\"4\" y=\"6\"/>\r\n"
      "      <constraint name=\"k\" particle1=\"p\" particle2=\"q\" type=\"pull\"/>\r\n"
      "   </group>\r\n"
      "\r\n"
      "   <group name=\"two\">\r\n"
      "      <particle name=\"r\" x=\"0\" y=\"0\"/>\r\n"
      "      <constraint particle1=\"r\" particle2=\"q@one\"/>\r\n"
      "   </group>\r\n"
      "   <static x1=\"0\" y1=\"1\" x2=\"2\" y2=\"3\" radius=\"4\"/>\r\n"
      "<level>\r\n"
      "   <static x1=\"9\" y1=\"9\" x2=\"9\" y2=\"9\"/>\r\n";
  ASSERT_EQ(e.LoadWorldOld(Text(file)), 1);
  EXPECT_FLOAT_EQ(e.GRAVITY, 50);
  EXPECT_EQ(e.ITERATIONS, 2);
  EXPECT_EQ(e.Groups.Count(), 2u);
  EXPECT_EQ(e.Particles.Count(), 3u);
  EXPECT_EQ(e.Constraints.Count(), 2u);
  auto k = TPhysEngine_Constraint::Find(TPhysEngine_Group::Find("one", &e).get(), "k");
  ASSERT_TRUE(k);
  EXPECT_EQ(k->ctype, TPhysEngine::PULL);
  EXPECT_FLOAT_EQ(k->length, 5);
  ASSERT_EQ(e.Statics.Count(), 1u);
  EXPECT_FLOAT_EQ(e.Statics.First()->radius, 4);
  EXPECT_TRUE(Said("before the first group"));
}

TEST_F(WorldFile, ThickStaticFromAFileCollidesAtItsFullRadius) {
  ASSERT_EQ(e.LoadWorld(Text(R"(<world><static x1="0" y1="100" x2="200" y2="100" radius="10"/></world>)")), 1);
  auto g = TPhysEngine_Group::Create(&e);
  auto p = TPhysEngine_Particle::Create(g.get(), 100, 80, &e);
  p->Move(0, 5);  // 15 from the segment, inside 8 + 10
  EXPECT_FLOAT_EQ(p->y, 82.0f);
}

TEST_F(WorldFile, BadInputLoadsWhatIsValidAndReportsTheRest) {
  const std::string file = R"(<world gravity="nan" iterations="inf" timestep="1e30">
    <group name="g">
      <particle name="a" x="nan" y="5" radius="1e39" mass="-inf"/>
      <particle name="b" x="1e7" y="20" friction="abc"/>
      <particle name="c" x="30" y="20" mass="0"/>
      <particle name="d" x="30" y="20" mass="0" radius="0"/>
      <constraint particle1="a" particle2="nobody"/>
      <constraint particle1="ghost@nowhere" particle2="a"/>
      <constraint particle1="c" particle2="d"/>
      <constraint/>
      <bolt x="1"/>
    </group>
    <group>
      <particle x="1e38" y="-1e38"/>
    </group>
    <static x1="-1e30" y1="500" x2="1e30" y2="500" radius="1e20"/>
    <static x1="0" y1="300" x2="400" y2="300" radius="-5"/>
    <static/>
    <joint/>
  </world>)";
  ASSERT_EQ(e.LoadWorld(Text(file)), 1);
  // Text without digits reads as 0; numbers too large for the step are skipped.
  EXPECT_FLOAT_EQ(e.GRAVITY, 0);
  EXPECT_EQ(e.ITERATIONS, 0);
  EXPECT_FLOAT_EQ(e.TIMESTEP, 0.05f);
  EXPECT_EQ(e.Particles.Count(), 5u);
  EXPECT_EQ(e.Constraints.Count(), 1u);
  EXPECT_EQ(e.Statics.Count(), 3u);
  auto a = TPhysEngine_Particle::Find(TPhysEngine_Group::Find("g", &e).get(), "a");
  EXPECT_FLOAT_EQ(a->x, 0);
  EXPECT_FLOAT_EQ(a->radius, 8);
  EXPECT_FLOAT_EQ(a->mass, 0);
  EXPECT_FLOAT_EQ(TPhysEngine_Particle::Find(a->grp, "b")->x, 0);
  EXPECT_FLOAT_EQ(TPhysEngine_Particle::Find(a->grp, "b")->friction, 0);
  EXPECT_TRUE(Said("Bad number \"nan\" for gravity"));
  EXPECT_TRUE(Said("Bad number \"abc\" for friction"));
  EXPECT_TRUE(Said("Bad number \"1e39\" for radius"));
  EXPECT_TRUE(Said("nobody"));
  EXPECT_TRUE(Said("ghost@nowhere"));
  EXPECT_TRUE(Said("bolt"));
  EXPECT_TRUE(Said("joint"));
  e.GRAVITY = 100;  // run the odd bodies with gravity and constraints
  e.ITERATIONS = 1;
  Steps(e, 300);
  EXPECT_TRUE(AllFinite(e));
}

TEST_F(WorldFile, ReloadedWorldRunsBitIdenticalToTheOriginal) {
  auto build = [](TPhysEngine& w) {
    w.ClearWorld();  // the settings every loaded world starts from
    WalledBox(w);
    DropBoxes(w, 20);
    auto rope = TPhysEngine_Group::Create(&w);
    rope->name = "rope";
    Ref<TPhysEngine_Particle> last;
    for (int i = 0; i < 6; ++i) {
      auto p = TPhysEngine_Particle::Create(rope.get(), 300.0f + 13.0f * i, 40.0f, &w);
      p->static_ = i == 0;
      if (last) TPhysEngine_Constraint::Create(rope.get(), last, p, &w);
      last = p;
    }
  };
  auto run = [](TPhysEngine& w) {
    GameTime = 5000;
    TForce::Create(380, 450, 150, 210, 30, &w, 0);
    Steps(w, 1000);
    return State(w);
  };

  TPhysEngine original;
  build(original);
  ASSERT_EQ(original.SaveWorld(dir / "scene.xml", 0), 1);
  TPhysEngine twin;
  build(twin);
  TPhysEngine loaded, loadedOld;
  ASSERT_EQ(loaded.LoadWorld(dir / "scene.xml"), 1);
  ASSERT_EQ(loadedOld.LoadWorldOld(dir / "scene.xml"), 1);
  MarkBoxes(loaded);
  MarkBoxes(loadedOld);
  ASSERT_EQ(loaded.Particles.Count(), original.Particles.Count());

  const auto want = run(original);
  EXPECT_TRUE(BitEqual(run(twin), want));
  EXPECT_TRUE(BitEqual(run(loaded), want));
  EXPECT_TRUE(BitEqual(run(loadedOld), want));
}
