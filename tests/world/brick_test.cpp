// The brick wall: the file's holes and hit points on the 8 x 8 wall, hits and
// bursts, bricks dropping one cell a frame and falling onto their cell with
// one bounce a column, and the editor's file written back.
#include "reset_rooms.h"
#include "world/brick.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "draw_probe.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/anim_image.h"
#include "framework/media/impulse.h"
#include "framework/media/visuals.h"
#include "platform/stream.h"
#include "world/game_interface.h"
#include "test_env.h"
#include "village/village.h"
#include "world/block.h"

namespace {

using namespace kelp;

class Bricks : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetWorldRooms();
    GameTime = 1000000;
    SeedRnd(5);
    GameInterface = New<TGameInterface>();
  }
  void TearDown() override { testsupport::ResetWorldRooms(); }

  static int Load(const std::string& text) { return TBrick::Load(platform::OpenMemory(text)); }

  static Ref<TBrick> At(int column, int row) { return BrickGrid[size_t(column)][size_t(row)]; }

  // One frame: the effects list (the column bounces), then the wall.
  static void Frame(float f = 1.0f) {
    GameTime += 18;
    TVisuals::UpdateVisuals(f);
    TBrick::UpdateBricks(f);
  }

  // The centre of a cell as built.
  static float CellX(int column) { return float(column * BrickWidth + WallOriginX + BrickWidth / 2); }
  static float CellY(int row) { return float(row * BrickHeight + WallOriginY + BrickHeight / 2); }

  static size_t Emitters() { return GameInterface->Emitters.Count(); }
};

TEST_F(Bricks, FileBuildsTheFullWallWithItsHolesAndHitPoints) {
  ASSERT_EQ(Load("<bricks>\n"
                 "   <node x=\"2\" y=\"7\" hp=\"40\" empty=\"1\"/>\n"
                 "   <node x=\"0\" y=\"0\" hp=\"10\" empty=\"0\"/>\n"),
            1);
  ASSERT_EQ(BrickColumns, 8);
  ASSERT_EQ(BrickRows, 8);
  EXPECT_EQ(WallStanding, 1);
  EXPECT_EQ(At(2, 7)->empty, 1);
  EXPECT_EQ(At(0, 0)->hp, 10);
  EXPECT_EQ(At(0, 0)->max_hp, 10);
  EXPECT_EQ(At(5, 5)->hp, 40);
  EXPECT_FLOAT_EQ(At(3, 4)->x, 185 + 3 * 48);
  EXPECT_FLOAT_EQ(At(3, 4)->y, 210 + 4 * 48);
  TBrick::UpdateBricks(1);
  EXPECT_EQ(BrickCount, 63) << "a hole is no standing brick";
}

TEST_F(Bricks, NodesOutsideTheWallAreRefused) {
  for (const char* node :
       {"<node x=\"8\" y=\"0\" hp=\"1\" empty=\"1\"/>", "<node x=\"0\" y=\"-1\" hp=\"1\" empty=\"1\"/>",
        "<node x=\"2147483647\" y=\"7\" hp=\"1\" empty=\"1\"/>",
        "<node x=\"-2147483648\" y=\"-2147483648\" hp=\"1\" empty=\"1\"/>"}) {
    SCOPED_TRACE(node);
    ASSERT_EQ(Load(std::string("<bricks>\n") + node + "\n"), 1);
    TBrick::UpdateBricks(1);
    EXPECT_EQ(BrickCount, 64);
    for (const auto& column : BrickGrid)
      for (const auto& b : column) EXPECT_EQ(b->hp, 40);
  }
}

TEST_F(Bricks, UnreadableFilesLeaveTheWallAsItWas) {
  ASSERT_EQ(Load("<bricks>\n<node x=\"1\" y=\"1\" hp=\"5\" empty=\"0\"/>\n"), 1);
  EXPECT_EQ(TBrick::Load(nullptr), 0);
  EXPECT_EQ(Load("<walls>\n<node x=\"1\" y=\"1\" hp=\"7\" empty=\"0\"/>\n"), 0);
  EXPECT_EQ(Load(""), 0);
  ASSERT_EQ(BrickColumns, 8);
  EXPECT_EQ(At(1, 1)->hp, 5);
}

TEST_F(Bricks, ReadingStopsAtTheFirstOtherTag) {
  ASSERT_EQ(Load("<bricks>\n<node x=\"0\" y=\"0\" hp=\"3\" empty=\"0\"/>\n<wall/>\n"
                 "<node x=\"1\" y=\"0\" hp=\"3\" empty=\"0\"/>\n"),
            1);
  EXPECT_EQ(At(0, 0)->hp, 3);
  EXPECT_EQ(At(1, 0)->hp, 40);
}

TEST_F(Bricks, FourHitsOfTenBurstABrickAndTheWindowReachesFiveUnitsOut) {
  ASSERT_EQ(Load("<bricks>\n"), 1);
  const Ref<TBrick> b = At(4, 7);
  const float left = b->x, top = b->y;
  struct Case {
    float x, y;
    bool hits;
  };
  const Case cases[] = {{left - 5, top + 10, true},      {left - 5.5f, top + 10, false}, {left + 53, top + 10, true},
                        {left + 53.5f, top + 10, false}, {left + 10, top + 53, true},    {left + 10, top - 6, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    b->hp = 40;
    TBrick::Hit(c.x, c.y, 10);
    EXPECT_EQ(b->hp, c.hits ? 30 : 40);
  }
  b->hp = 40;
  // The five particles of one exploding box over the same brick.
  for (int i = 0; i < 3; ++i) TBrick::Hit(CellX(4), CellY(7), 10);
  EXPECT_EQ(At(4, 7), b);
  const size_t before = Emitters();
  TBrick::Hit(CellX(4), CellY(7), 10);
  EXPECT_EQ(At(4, 7), nullptr) << "the fourth hit bursts it";
  EXPECT_EQ(Emitters(), before + 1 + 11) << "the burst and eleven dust puffs";
}

TEST_F(Bricks, APointOnACornerHitsEveryBrickAroundIt) {
  ASSERT_EQ(Load("<bricks>\n"), 1);
  TBrick::Hit(float(185 + 2 * 48), float(210 + 3 * 48), 10);
  EXPECT_EQ(At(1, 2)->hp, 30);
  EXPECT_EQ(At(2, 2)->hp, 30);
  EXPECT_EQ(At(1, 3)->hp, 30);
  EXPECT_EQ(At(2, 3)->hp, 30);
  EXPECT_EQ(At(3, 3)->hp, 40);
}

TEST_F(Bricks, BricksAboveAGapDropOneCellAFrameThenFallOntoTheirCell) {
  ASSERT_EQ(Load("<bricks>\n<node x=\"3\" y=\"7\" hp=\"10\" empty=\"0\"/>\n"), 1);
  const Ref<TBrick> top = At(3, 0);
  const Ref<TBrick> above = At(3, 6);
  TBrick::Hit(CellX(3), CellY(7), 10);
  ASSERT_EQ(At(3, 7), nullptr);

  Frame();
  EXPECT_EQ(At(3, 7), above) << "the brick next to the gap drops at once";
  EXPECT_EQ(At(3, 6), nullptr);
  EXPECT_EQ(above->wall_y, 7);
  EXPECT_FLOAT_EQ(above->dy, 1.35f);
  EXPECT_FLOAT_EQ(above->y, 210 + 6 * 48) << "it is still drawn where it was";
  EXPECT_EQ(At(3, 5)->wall_y, 5) << "one cell a frame: the one above waits";

  // The gap climbs a row each frame until the top brick has left row 0.
  for (int i = 0; i < 6; ++i) Frame();
  EXPECT_EQ(At(3, 0), nullptr);
  EXPECT_EQ(top->wall_y, 1);
  for (int row = 1; row < 8; ++row) EXPECT_NE(At(3, row), nullptr) << row;

  // The first update after the drop speeds the fall up by 1.06.
  const float y0 = above->y, dy0 = above->dy;
  Frame();
  EXPECT_FLOAT_EQ(above->dy, dy0 * 1.06f);
  EXPECT_FLOAT_EQ(above->y, y0 + above->dy);

  for (int i = 0; i < 200; ++i) Frame();
  for (int row = 1; row < 8; ++row) {
    const Ref<TBrick> b = At(3, row);
    EXPECT_FLOAT_EQ(b->y, float(210 + row * 48)) << row;
    EXPECT_LE(b->dy, BrickFallMax);
    EXPECT_EQ(b->imp, 0.0f) << "the bounce has died out";
  }
  EXPECT_EQ(ColumnImpulses[3], nullptr);
  EXPECT_FLOAT_EQ(At(2, 0)->y, 210) << "other columns stand";
}

TEST_F(Bricks, ALongFallSpeedsUpBy106AnUpdateUpToTen) {
  ASSERT_EQ(Load("<bricks>\n"), 1);
  const Ref<TBrick> top = At(2, 0);
  for (int row = 1; row < 8; ++row) TBrick::Hit(CellX(2), CellY(row), 40);
  for (int i = 0; i < 7; ++i) Frame();
  ASSERT_EQ(top->wall_y, 7);
  ASSERT_FLOAT_EQ(top->y, 210) << "dropped seven cells, still drawn at the top";
  float dy = top->dy, fastest = 0;
  for (int i = 0; i < 100 && top->y < 210 + 7 * 48; ++i) {
    Frame();
    EXPECT_FLOAT_EQ(top->dy, std::min(dy * 1.06f, 10.0f));
    dy = top->dy;
    fastest = std::max(fastest, dy);
  }
  EXPECT_FLOAT_EQ(fastest, 10.0f) << "the fall reached its cap";
  EXPECT_FLOAT_EQ(top->y, 210 + 7 * 48);
}

TEST_F(Bricks, OnlyTheFirstLandingOfAColumnBouncesUntilTheBounceDies) {
  ASSERT_EQ(Load("<bricks>\n<node x=\"5\" y=\"7\" hp=\"10\" empty=\"0\"/>\n"), 1);
  TBrick::Hit(CellX(5), CellY(7), 10);
  Ref<TImpulse> first;
  int bounces = 0;
  size_t dust = 0;
  for (int i = 0; i < 60; ++i) {
    const size_t before = Emitters();
    Frame();
    if (ColumnImpulses[5] && ColumnImpulses[5] != first) {
      first = ColumnImpulses[5];
      ++bounces;
      dust += Emitters() - before;
    }
  }
  EXPECT_EQ(bounces, 1) << "seven bricks land, one bounce";
  EXPECT_EQ(dust, 11u);
  // Landed bricks follow the bounce.
  first = nullptr;
  TBrick::Hit(CellX(5), CellY(7), 40);
  for (int i = 0; i < 300 && !first; ++i) {
    Frame();
    first = ColumnImpulses[5];
  }
  ASSERT_TRUE(first);
  Frame();
  EXPECT_NE(At(5, 7)->imp, 0.0f);
  EXPECT_FLOAT_EQ(At(5, 7)->imp, first->impulse_strength);
}

TEST_F(Bricks, HolesNeitherFallNorBurstAndHoldTheBricksAboveThem) {
  ASSERT_EQ(Load("<bricks>\n<node x=\"1\" y=\"6\" hp=\"10\" empty=\"1\"/>\n"
                 "<node x=\"1\" y=\"7\" hp=\"10\" empty=\"0\"/>\n"),
            1);
  const Ref<TBrick> hole = At(1, 6);
  TBrick::Hit(CellX(1), CellY(6), 30);
  EXPECT_EQ(At(1, 6), hole) << "a hole does not burst";
  TBrick::Hit(CellX(1), CellY(7) + 10, 10);
  ASSERT_EQ(At(1, 7), nullptr);
  for (int i = 0; i < 20; ++i) Frame();
  EXPECT_EQ(At(1, 7), nullptr) << "the hole does not fall";
  EXPECT_EQ(At(1, 6), hole);
  EXPECT_EQ(At(1, 5)->wall_y, 5) << "nor does what stands on it";
  EXPECT_EQ(BrickCount, 62);
}

TEST_F(Bricks, TheWallStopsStandingWithItsLastBrick) {
  std::string file = "<bricks>\n";
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y)
      if (x != 6 || y != 2)
        file += "<node x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" hp=\"5\" empty=\"1\"/>\n";
  ASSERT_EQ(Load(file), 1);
  EXPECT_EQ(WallStanding, 1);
  TBrick::Hit(CellX(6), CellY(2), 30);
  EXPECT_EQ(WallStanding, 1);
  TBrick::Hit(CellX(6), CellY(2), 10);
  EXPECT_EQ(WallStanding, 0);

  ASSERT_EQ(Load(file + "<node x=\"6\" y=\"2\" hp=\"5\" empty=\"1\"/>\n"), 1);
  EXPECT_EQ(WallStanding, 0) << "a wall of holes never stood";
}

TEST_F(Bricks, WhatTheEditorSavesLoadsBackTheSame) {
  testenv::TempDir dir;
  ASSERT_EQ(Load("<bricks>\n<node x=\"0\" y=\"3\" hp=\"12\" empty=\"0\"/>\n"), 1);
  TBrick::Input_MOUSEDOWN(1, Int(CellX(7)), Int(CellY(1)));
  TBrick::Input_KEYDOWN(46);
  EXPECT_EQ(At(7, 1)->empty, 1);
  const std::string path = dir.path() + "/wall";
  ASSERT_EQ(TBrick::Save(path), 1);
  const std::string text = testenv::ReadFile(path + ".xml");
  EXPECT_EQ(text.rfind("<bricks>\r\n   <node x=\"7\" y=\"7\" hp=\"40\" empty=\"0\"/>\r\n", 0), 0u) << text;

  TBrick::Clear();
  ASSERT_EQ(TBrick::Load(platform::OpenFileRead(path + ".xml")), 1);
  EXPECT_EQ(At(0, 3)->hp, 12);
  EXPECT_EQ(At(7, 1)->empty, 1);
  EXPECT_EQ(At(7, 2)->empty, 0);

  TBrick::Clear();
  EXPECT_EQ(TBrick::Save(path), 0) << "no wall, nothing written";
}

TEST_F(Bricks, TheXmlFormReadsTheSameContent) {
  ASSERT_EQ(TBrick::LoadNew(platform::OpenMemory("<bricks><NODE x=\"4\" y=\"4\" hp=\"9\" empty=\"1\"/>"
                                                 "<node x=\"9\" y=\"4\" hp=\"9\" empty=\"1\"/></bricks>")),
            1);
  EXPECT_EQ(At(4, 4)->empty, 1);
  EXPECT_EQ(At(4, 4)->hp, 9);
  EXPECT_EQ(TBrick::LoadNew(platform::OpenMemory("<wall/>")), 0);
}

// The wall on the headless canvas: holes are never drawn, and a brick's
// frame follows its hit points in thirds.
class BrickDraw : public draw_probe::Canvas {
 protected:
  void SetUp() override {
    testsupport::ResetWorldRooms();
    draw_probe::Canvas::SetUp();
    SeedRnd(5);
  }
  void TearDown() override {
    testsupport::ResetWorldRooms();
    draw_probe::Canvas::TearDown();
  }
};

TEST_F(BrickDraw, HolesAreNotDrawnAndTheFrameFollowsTheHitPoints) {
  ASSERT_EQ(TBrick::Load(platform::OpenMemory("<bricks>\n<node x=\"2\" y=\"3\" hp=\"40\" empty=\"1\"/>\n")), 1);
  // Frames 0, 1, 2 in red, green, blue.
  auto strip = New<TAnimImage>();
  strip->Image = platform::CreateImage(48, 48, 3, 0);
  const uint32_t colours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
  for (int f = 0; f < 3; ++f) {
    auto p = std::make_shared<platform::Pixmap>(48, 48);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 48; ++x) p->WritePixel(x, y, colours[f]);
    strip->Image->SetFrame(f, p);
  }
  for (const auto& column : BrickGrid)
    for (const auto& b : column) b->Anim = strip;
  struct Case {
    int column, hp;
    uint32_t rgb;
  };
  const Case cases[] = {{0, 40, 0xFF0000u}, {1, 26, 0xFF0000u}, {3, 25, 0x00FF00u},
                        {4, 14, 0x00FF00u}, {5, 13, 0x0000FFu}, {6, 1, 0x0000FFu}};
  for (const Case& c : cases) BrickGrid[size_t(c.column)][3]->hp = c.hp;
  TBrick::DrawBricks();
  const platform::Pixmap got = Grab();
  auto centre = [&](int column, int row) {
    return draw_probe::RGB(got, 185 + column * 48 + 24, 210 + row * 48 + 24);
  };
  for (const Case& c : cases) EXPECT_EQ(centre(c.column, 3), c.rgb) << "hp " << c.hp;
  EXPECT_EQ(centre(2, 3), 0u) << "the hole";
  EXPECT_EQ(centre(2, 2), 0xFF0000u);
}

}  // namespace
