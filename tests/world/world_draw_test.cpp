// What the level world draws behind and in front of the boxes, on the
// headless canvas: rope groups by their exact name, the world images by
// layer, and the pictures riding the moving floor or a moving platform.
#include <gtest/gtest.h>

#include <array>

#include "draw_probe.h"
#include "physics/engine.h"
#include "play/game.h"
#include "play/player.h"
#include "reset_rooms.h"
#include "world/floor.h"
#include "world/pusher.h"
#include "world/resource_bindings.h"
#include "world/static_path.h"
#include "world/world.h"

namespace {

using namespace kelp;

class WorldDraw : public draw_probe::Canvas {
 protected:
  void SetUp() override {
    testsupport::ResetPlayRooms();
    draw_probe::Canvas::SetUp();
    World = New<TWorld>();
    GameScreen = New<TGame>();
  }
  void TearDown() override {
    testsupport::ResetPlayRooms();
    draw_probe::Canvas::TearDown();
  }

 public:
  static void Rope(const std::string& name, float y) {
    TPhysEngine& e = *World->Physics;
    auto g = TPhysEngine_Group::Create(&e);
    g->name = name;
    auto a = TPhysEngine_Particle::Create(g.get(), 250, y, &e);
    auto b = TPhysEngine_Particle::Create(g.get(), 550, y, &e);
    TPhysEngine_Constraint::Create(g.get(), a, b, &e);
  }
  static Ref<TWorldImage> Picture(int layer, float x, float y) {
    auto w = New<TWorldImage>();
    w->Image = draw_probe::Solid(10, 10, 0xFF0000FFu);
    w->Image->MidHandle();
    w->layer = layer;
    w->x = x;
    w->y = y;
    WorldImages.AddLast(w);
    return w;
  }
};

TEST_F(WorldDraw, RopesAreTheGroupsNamedExactlyRope) {
  ImageRopeTex = draw_probe::Solid(4, 4, 0xFF00FF00u);
  Rope("rope", 100);
  Rope("rope", 200);
  Rope("Rope", 300);
  World->Draw();
  const platform::Pixmap got = Grab();
  EXPECT_EQ(draw_probe::RGB(got, 400, 100), 0x00FF00u);
  EXPECT_EQ(draw_probe::RGB(got, 400, 200), 0x00FF00u);
  EXPECT_FALSE(draw_probe::Lit(got, 400, 300));
}

TEST_F(WorldDraw, ImagesGoBehindOrInFrontByLayerAndHiddenOnesNot) {
  Picture(0, 100, 100);
  Picture(1, 200, 100);
  Picture(4, 300, 100);
  Picture(0, 400, 100)->hided = 1;
  World->Draw();
  platform::Pixmap behind = Grab();
  EXPECT_TRUE(draw_probe::Lit(behind, 100, 100));
  EXPECT_FALSE(draw_probe::Lit(behind, 200, 100));
  EXPECT_FALSE(draw_probe::Lit(behind, 400, 100));
  World->DrawOver();
  platform::Pixmap all = Grab();
  EXPECT_TRUE(draw_probe::Lit(all, 200, 100));
  EXPECT_TRUE(draw_probe::Lit(all, 300, 100));
  EXPECT_FALSE(draw_probe::Lit(all, 400, 100));
}

TEST_F(WorldDraw, FloorImagesRideTheMovingFloor) {
  auto s = TPhysEngine_Static::Create(200, 500, 560, 500, 1, 2, 1, World->Physics.get());
  World->MovingFloor = TFloor::Create(0, -1);
  World->MovingFloor->Static.AddLast(s);
  Ref<TWorldImage> rider = Picture(0, 300, 480);
  rider->moving_floor = 1;
  TWorldImage::Init();
  EXPECT_FLOAT_EQ(rider->floor_dy, 20);
  for (int i = 0; i < 100; ++i) World->MovingFloor->Update(1.0f);
  World->Draw();
  const platform::Pixmap got = Grab();
  EXPECT_TRUE(draw_probe::Lit(got, 300, 380));
  EXPECT_FALSE(draw_probe::Lit(got, 300, 480));
}

// A picture tied to a path id keeps its place on the platform while the path
// carries the platform away; one of another id stays where it was placed.
TEST_F(WorldDraw, PlatformImagesRideTheirPath) {
  TPhysEngine& e = *World->Physics;
  for (auto [x1, y1, x2, y2] : {std::array{200, 400, 300, 400}, std::array{200, 400, 200, 380}}) {
    auto s = TPhysEngine_Static::Create(x1, y1, x2, y2, 1, 2, 1, &e);
    s->path = 7;
  }
  Ref<TWorldImage> rider = Picture(0, 250, 395);
  rider->platform = 7;
  Ref<TWorldImage> other = Picture(0, 500, 395);
  other->platform = 8;
  TWorldImage::Init();
  LevelStaticPath = TStaticPath::Create();
  auto a = LevelStaticPath->CreateNode(225, 395, 2.0f, 0, 7);
  auto b = LevelStaticPath->CreateNode(225, 195, 2.0f, 0, 7);
  TStaticNode::CreateConnection(a, b);
  for (int i = 0; i < 51; ++i) LevelStaticPath->Update(1.0f);
  World->Draw();
  const platform::Pixmap got = Grab();
  LevelStaticPath = nullptr;
  EXPECT_TRUE(draw_probe::Lit(got, 250, 295));
  EXPECT_FALSE(draw_probe::Lit(got, 250, 395));
  EXPECT_TRUE(draw_probe::Lit(got, 500, 395));
}

}  // namespace
