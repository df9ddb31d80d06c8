// The levels with machinery (a brick wall, trolleys, water, obstacles), each
// played for 2,000 whole frames (boxes, bricks, effects and the world) with
// the wall hit now and then: nothing turns into something that is not a
// number, nothing leaves the play field, and each machine does its work.
#include <set>

#include "framework/files/line_reader.h"
#include "level_scene.h"
#include "world/brick.h"
#include "world/obstacle.h"
#include "world/water.h"

namespace level_test {
namespace {

constexpr int kFrames = 2000;

bool InField(const TPhysEngine_Particle& p) { return p.x >= 0 && p.x <= 800 && p.y >= -100 && p.y <= 600; }

class MachineryLevels : public LevelScene {
 protected:
  // A whole level frame as the running level makes it.
  static void FullFrame() {
    GameTime += 18;
    TVisuals::UpdateVisuals(1.0f);
    TBlock::UpdateBlocks(1.0f);
    TBrick::UpdateBricks(1.0f);
    World->Update(1.0f);
  }

  static void CheckWorld(int frame) {
    // Boxes rolling in on a trolley come from the left of the picture.
    std::set<const TPhysEngine_Group*> arriving;
    for (const auto& t : Trolleys)
      if (t->state == TTrolley::ARRIVING)
        for (const auto& b : t->Blocks) arriving.insert(b->Group.get());
    int broken = 0, outside = 0;
    for (const auto& p : World->Physics->Particles) {
      if (!Finite(*p))
        ++broken;
      else if (!InField(*p) && !arriving.count(p->grp))
        ++outside;
    }
    EXPECT_EQ(broken, 0) << "frame " << frame;
    EXPECT_EQ(outside, 0) << "frame " << frame;
  }

  static void CheckWall() {
    int standing = 0;
    for (int i = 0; i < BrickColumns; ++i)
      for (int j = 0; j < BrickRows; ++j)
        if (const auto& b = BrickGrid[size_t(i)][size_t(j)]) {
          EXPECT_EQ(b->wall_x, i);
          EXPECT_EQ(b->wall_y, j);
          EXPECT_TRUE(std::isfinite(b->y) && std::isfinite(b->imp));
          if (!b->empty) ++standing;
        }
    EXPECT_EQ(WallStanding, standing > 0 ? 1 : 0);
  }
};

TEST_F(MachineryLevels, EachMachinePlaysTwoThousandFramesInItsLevel) {
  CopyClaw();
  CopyPacks();
  const int count = TLevel::CountLevels();
  std::set<std::string> machines;
  for (int level = 1; level <= count; ++level) {
    SCOPED_TRACE("level " + std::to_string(level));
    GameScreen->Level = level;
    World->Clear();
    TBrick::Clear();
    TObstacle::Clear();
    ASSERT_EQ(CurrentLevel->Load(level), 1);
    const bool wall = !BrickGrid.empty(), trolleys = !Trolleys.IsEmpty(), water = World->Water != nullptr,
               obstacles = !Obstacles.IsEmpty();
    if (!wall && !trolleys && !water && !obstacles) continue;
    if (wall) machines.insert("bricks");
    if (trolleys) machines.insert("trolleys");
    if (water) machines.insert("water");
    if (obstacles) machines.insert("obstacles");

    const Ref<TTrolley> first = CurrentTrolley;
    std::vector<Ref<TBlock>> onFirst;
    if (first)
      for (const auto& b : first->Blocks) onFirst.push_back(b);
    const size_t obstaclesAtStart = Obstacles.Count();

    for (int frame = 0; frame < kFrames; ++frame) {
      if (frame % 150 == 0) ArmPushers();
      // Exploding boxes now and then: the wall and the obstacles take the hits.
      if (frame % 120 == 60) {
        const float x = float(Rand(190, 570)), y = float(Rand(220, 580));
        TBrick::Hit(x, y, 10);
        TObstacle::Hit(x, y, 40, 1);
      }
      FullFrame();
      if (frame % 250 == 0 || frame == kFrames - 1) CheckWorld(frame);
    }
    if (wall) {
      CheckWall();
      EXPECT_LT(BrickCount, 64) << "the hits broke bricks";
    }
    if (trolleys) {
      ASSERT_TRUE(first);
      EXPECT_NE(CurrentTrolley, first) << "the first trolley has gone";
      for (const auto& b : onFirst) EXPECT_TRUE(b->Deleted()) << "its boxes left with it";
      EXPECT_GE(Trolleys.Count(), 2u) << "the line is refilled";
    }
    if (water) {
      const TWater& w = *World->Water;
      for (size_t i = 0; i < w.cH.size(); ++i) {
        EXPECT_TRUE(std::isfinite(w.cH[i].y) && std::isfinite(w.H[i].y));
        EXPECT_LT(std::fabs(w.cH[i].y), 60.0f);
      }
      int afloat = 0;
      for (const auto& b : BlockList)
        if (b->Center && std::fabs(b->Center->y - float(w.WaterLevel)) < 40) ++afloat;
      EXPECT_GT(afloat, 0) << "boxes float at the surface";
    }
    if (obstacles) {
      EXPECT_LE(Obstacles.Count(), obstaclesAtStart);
      for (const auto& o : Obstacles) EXPECT_GT(o->hp, 0);
    }
    TBlock::ClearBlocks();
    World->Clear();
  }
  EXPECT_EQ(machines, (std::set<std::string>{"bricks", "obstacles", "trolleys", "water"}))
      << "every machine has a level";
}

}  // namespace
}  // namespace level_test
