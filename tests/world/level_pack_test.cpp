// Every level pack of the data set loads, from disk and from inside the main
// archive, with all its companions, and its world runs 5,000 frames with the
// pushers worked as the player works them, without a particle leaving the
// play field or turning into something that is not a number.
#include <algorithm>
#include <map>

#include "framework/core/debug_output.h"
#include "framework/core/numbers.h"
#include "framework/files/line_reader.h"
#include "level_scene.h"

namespace level_test {
namespace {

constexpr int kFrames = 5000;

// The play field with the rail above it and the feeder shelf at its right.
bool InField(const TPhysEngine_Particle& p) { return p.x >= 0 && p.x <= 800 && p.y >= -100 && p.y <= 600; }

// What a level's files promise, read from the built pack itself.
struct Expected {
  int boxes = 0;
  bool floor = false;
  bool path = false;
};

Expected Expect(int level) {
  Expected e;
  const std::string base = LevelPackPath(level).substr(0, LevelPackPath(level).size() - 4);
  LevelPakPath = LevelPackPath(level);
  LevelPakReady = 0;
  int trolleys = 0;
  if (platform::StreamRef s = TPak::PakSmall(base + "_trolley.xml"))
    for (std::string line = ReadTagLine(*s); !line.empty(); line = ReadTagLine(*s))
      if (GetLineTag(line) == "trolley") ++trolleys;
  if (platform::StreamRef s = TPak::PakSmall(base + "_blocks.xml"))
    for (std::string line = ReadTagLine(*s); !line.empty(); line = ReadTagLine(*s)) {
      if (GetLineTag(line) != "block") continue;
      ++e.boxes;
      // The waiting line starts with a copy of every trolley but the first.
      const int trolley = ToInt(GetLineAttr(line, "trolley"));
      if (trolley >= 2 && trolley <= trolleys) ++e.boxes;
    }
  e.floor = TPak::PakSmall(base + "_floor.xml") != nullptr;
  e.path = TPak::PakSmall(base + "_path.dat") != nullptr;
  return e;
}

class LevelPacks : public LevelScene {
 public:
  // Loads every counted level and runs it; returns the levels checked.
  int LoadAndRunAll() {
    const int count = TLevel::CountLevels();
    for (int level = 1; level <= count; ++level) {
      SCOPED_TRACE("level " + std::to_string(level));
      const Expected e = Expect(level);
      GameScreen->Level = level;
      World->Clear();
      // A whole level loads without a complaint: optional files it lacks are not errors.
      std::vector<std::string> said;
      const DebugOutputHook before = SetDebugOutputHook([&](const std::string& m) { said.push_back(m); });
      EXPECT_EQ(CurrentLevel->Load(level), 1);
      SetDebugOutputHook(before);
      for (const std::string& m : said) ADD_FAILURE() << m;
      EXPECT_EQ(World->CriticalLine, 200);
      EXPECT_TRUE(Player->Handle);
      EXPECT_EQ(static_cast<int>(BlockList.Count()), e.boxes);
      EXPECT_EQ(World->MovingFloor != nullptr, e.floor);
      EXPECT_EQ(!LevelStaticPath->Waypoints.IsEmpty(), e.path);
      int pictures = 0;  // obstacles and moving platforms bring pictures of their own
      std::set<int> riders, platforms;
      for (const auto& w : WorldImages) {
        pictures += w->obstacle == 0 && w->platform == 0 ? 1 : 0;
        if (w->platform != 0) riders.insert(w->platform);
      }
      for (const auto& s : World->Physics->Statics)
        if (s->path != 0) platforms.insert(s->path);
      EXPECT_EQ(pictures, 1) << "the level's picture";
      EXPECT_EQ(riders, platforms) << "every moving platform is seen";
      EXPECT_GE(CurrentLevel->time, 60000);
      EXPECT_EQ(Pushers.Count(), 1u);

      for (int frame = 0; frame < kFrames; ++frame) {
        if (frame % 150 == 0) ArmPushers();
        Frame();
      }
      int outside = 0, broken = 0;
      for (const auto& p : World->Physics->Particles) {
        if (!Finite(*p)) ++broken;
        else if (!InField(*p)) ++outside;
      }
      EXPECT_EQ(broken, 0);
      EXPECT_EQ(outside, 0);
      for (const auto& s : World->Physics->Statics)
        EXPECT_TRUE(std::isfinite(s->x1) && std::isfinite(s->y1) && std::isfinite(s->x2) && std::isfinite(s->y2));
      // Every box stays in one piece: its top edge keeps its length.
      for (const auto& box : BlockList) {
        const float w = std::hypot(box->UpRight->x - box->UpLeft->x, box->UpRight->y - box->UpLeft->y);
        EXPECT_GT(w, 20.0f) << "a box collapsed";
        EXPECT_LT(w, 50.0f) << "a box was torn";
      }
      TBlock::ClearBlocks();
      World->Clear();
    }
    return count;
  }
};

TEST_F(LevelPacks, EveryPackLoadsFromDiskAndRunsFiveThousandFrames) {
  CopyClaw();
  const std::vector<std::string> packs = CopyPacks();
  ASSERT_GE(packs.size(), 6u);
  EXPECT_EQ(LoadAndRunAll(), static_cast<int>(packs.size()));
}

TEST_F(LevelPacks, EveryPackLoadsFromInsideTheMainArchive) {
  // The same packs and group files, only inside data/data.pak.
  const std::vector<std::string> packs = CopyPacks();
  CopyClaw();
  for (const std::string& p : packs) ASSERT_TRUE(TFile::AddFile(Here("data/levels/" + p), "data/levels/" + p));
  for (const char* f : {"cable.xml", "handle.xml", "box.xml"})
    ASSERT_TRUE(TFile::AddFile(Here(std::string("data/world/") + f), std::string("data/world/") + f));
  ASSERT_TRUE(TFile::Pack(Here("data/data.pak")));
  fs::remove_all(Here("data/levels"));
  fs::remove_all(Here("data/world"));
  ResetPakState();

  EXPECT_EQ(LoadAndRunAll(), static_cast<int>(packs.size()));
}

TEST_F(LevelPacks, TheClawRestsOnTheRailAboveTheField) {
  CopyClaw();
  CopyPacks();
  TLevel::CountLevels();
  ASSERT_EQ(CurrentLevel->Load(1), 1);
  for (int i = 0; i < 200; ++i) Frame();
  const Ref<THandle> h = Player->Handle;
  EXPECT_FLOAT_EQ(h->Connector->x, 390);
  EXPECT_FLOAT_EQ(h->Connector->y, 32);
  EXPECT_FLOAT_EQ(h->RightCablePart->x, 390);
  EXPECT_FLOAT_EQ(h->LeftCablePart->x, 200);
  EXPECT_FLOAT_EQ(h->LeftCablePart->y, 0);
  // The tips hang below the connector, the cable lies along the rail.
  EXPECT_NEAR((h->LeftClaw->x + h->RightClaw->x) / 2, 390, 1);
  EXPECT_NEAR(h->LeftClaw->y, 110, 2);
  for (auto p = h->Cable->frstp.get(); p; p = p->nxt.get()) EXPECT_LT(p->y, 50) << p->name;
}

}  // namespace
}  // namespace level_test
