// Destructible obstacles: gathered from the world's statics and pictures,
// damaged by explosions (every static in reach), showing damage frames,
// bursting once at 0, and the ray's choice of the segment it meets first.
#include "reset_rooms.h"
#include "world/obstacle.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/files/pak.h"
#include "framework/media/particles.h"
#include "framework/media/visuals.h"
#include "physics/engine.h"
#include "platform/image.h"
#include "play/game.h"
#include "world/game_interface.h"
#include "play/player.h"
#include "test_env.h"
#include "world/handle.h"
#include "world/resource_bindings.h"
#include "world/world.h"

namespace {

using namespace kelp;

void WritePicture(const std::string& path, int w, int h) {
  platform::Pixmap p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.WritePixel(x, y, 0xFF806040u);
  ASSERT_TRUE(platform::SavePixmapPNG(p, path));
}

class Obstacle : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetPlayRooms();
    GameTime = 1000000;
    SeedRnd(4);
    World = New<TWorld>();
    GameScreen = New<TGame>();
    GameScreen->Level = 5;
    GameInterface = New<TGameInterface>();
    EffectBrick1 = New<TEffect>();
    EffectBrick2 = New<TEffect>();
    EffectBrick3 = New<TEffect>();
    Player = New<TPlayer>();
    Player->Handle = New<THandle>();
    Player->Handle->Connector = New<TPhysEngine_Particle>();
    Player->Handle->Connector->x = 300;
    Player->Handle->Connector->y = 30;
  }
  void TearDown() override { testsupport::ResetPlayRooms(); }

  static Ref<TPhysEngine_Static> Piece(float x1, float y1, float x2, float y2, int id, int hp = 0, int parazite = 0) {
    auto s = TPhysEngine_Static::Create(x1, y1, x2, y2, 1, 2, 1, World->Physics.get());
    s->obstacle = id;
    s->hp = hp;
    s->Parazite = static_cast<uint8_t>(parazite);
    return s;
  }

  // An obstacle of its own, with a picture and two damage frames of its size.
  static Ref<TObstacle> Shown(int id, int parazite = 0) {
    Ref<TObstacle> o = TObstacle::Create(id);
    o->Parazite = parazite;
    o->Image = New<TWorldImage>();
    WorldImages.AddLast(o->Image);
    o->Anim = platform::CreateImage(8, 8, parazite ? 4 : 2, 0);
    return o;
  }

  static size_t Emitters() { return GameInterface->Emitters.Count(); }
};

TEST_F(Obstacle, LoadGathersTheStaticsAndPicturesOfEachId) {
  testenv::TempDir dir;
  const std::string wall = dir.path() + "/wall.png", tower = dir.path() + "/tower.png";
  WritePicture(wall, 40, 20);
  WritePicture(dir.path() + "/wall_anim.png", 80, 20);
  WritePicture(tower, 30, 30);
  WritePicture(dir.path() + "/tower_anim.png", 60, 30);  // a parasite needs four frames
  const auto a1 = Piece(200, 300, 260, 300, 1);
  const auto a2 = Piece(200, 320, 260, 320, 1, 14);
  const auto b = Piece(400, 300, 420, 350, 2, 0, 1);
  Piece(100, 100, 150, 100, 0, 30);
  Piece(100, 150, 150, 150, -3, 30);
  const auto wallImage = TWorldImage::Create(wall, 230, 310);
  ASSERT_TRUE(wallImage);
  wallImage->obstacle = 1;
  const auto towerImage = TWorldImage::Create(tower, 410, 320);
  ASSERT_TRUE(towerImage);
  towerImage->obstacle = 2;
  TWorldImage::Create(wall, 50, 50);

  TObstacle::Create(1)->Statics.AddLast(Piece(0, 0, 10, 0, 0));  // left from an earlier level
  TObstacle::Load();
  ASSERT_EQ(Obstacles.Count(), 2u);
  const Ref<TObstacle> one = TObstacle::Search(1), two = TObstacle::Search(2);
  ASSERT_TRUE(one && two);
  EXPECT_EQ(one->Statics.Count(), 2u);
  EXPECT_EQ(one->hp, 14);
  EXPECT_EQ(one->max_hp, 14);
  EXPECT_EQ(one->Image, wallImage);
  ASSERT_TRUE(one->Anim);
  EXPECT_EQ(one->Anim->Frames(), 2);
  EXPECT_EQ(one->Anim->Width(), 40);
  EXPECT_EQ(two->Parazite, 1);
  EXPECT_EQ(two->hp, 10);
  EXPECT_EQ(two->Image, towerImage);
  EXPECT_EQ(two->Anim, nullptr) << "two frames are too few for a parasite obstacle";
  EXPECT_EQ(ParaziteObstacleLeft, 1);
  EXPECT_EQ(TObstacle::Search(0), nullptr);
  EXPECT_EQ(TObstacle::Search(-3), nullptr);
  (void)a1;
  (void)a2;
  (void)b;
}

TEST_F(Obstacle, DamageFramesFollowTheHitPoints) {
  struct Case {
    int parazite, hp, stage;
  };
  const Case cases[] = {{0, 10, 0}, {0, 6, 0},  {0, 5, 1}, {0, 4, 1}, {0, 3, 2}, {0, 0, 2},
                        {0, -4, 2}, {1, 10, 0}, {1, 9, 0}, {1, 8, 1}, {1, 7, 1}, {1, 6, 2},
                        {1, 5, 2},  {1, 4, 3},  {1, 3, 3}, {1, 2, 4}, {1, 0, 4}};
  Ref<TObstacle> o = TObstacle::Create(1);
  for (const Case& c : cases) {
    o->Parazite = c.parazite;
    o->hp = c.hp;
    EXPECT_EQ(o->DamageStage(), c.stage) << "parazite " << c.parazite << " hp " << c.hp;
  }
}

TEST_F(Obstacle, HitsHideThePictureWhereTheDamageFramesTakeOver) {
  struct Case {
    int parazite;
    int lastWhole;  // the lowest hit points that still show the picture
  };
  for (const Case c : {Case{0, 6}, Case{1, 7}}) {
    SCOPED_TRACE(c.parazite);
    TObstacle::Clear();
    const Ref<TObstacle> o = Shown(3, c.parazite);
    o->Statics.AddLast(Piece(300, 400, 360, 400, 3));
    while (o->hp > c.lastWhole) TObstacle::Hit(330, 400, 20, 1);
    EXPECT_EQ(o->Image->hided, 0);
    TObstacle::Hit(330, 400, 20, 1);
    EXPECT_EQ(o->Image->hided, 1);
  }
}

TEST_F(Obstacle, WithoutDamageFramesThePictureStaysWholeUntilTheBurst) {
  const Ref<TObstacle> o = Shown(3);
  o->Anim = nullptr;
  const Ref<TWorldImage> image = o->Image;
  o->Statics.AddLast(Piece(300, 400, 360, 400, 3));
  for (int i = 0; i < 9; ++i) TObstacle::Hit(330, 400, 20, 1);
  EXPECT_EQ(image->hided, 0);
  EXPECT_EQ(o->hp, 1);
  TObstacle::Hit(330, 400, 20, 1);
  EXPECT_TRUE(o->Removed());
  EXPECT_FALSE(WorldImages.Contains(image.get()));
}

TEST_F(Obstacle, AnExplosionReachingTwoStaticsDealsDoubleDamage) {
  const Ref<TObstacle> o = TObstacle::Create(2);
  o->Statics.AddLast(Piece(300, 400, 360, 400, 2));
  o->Statics.AddLast(Piece(300, 430, 360, 430, 2));
  o->Statics.AddLast(Piece(500, 100, 560, 100, 2));
  TObstacle::Hit(330, 415, 40, 1);
  EXPECT_EQ(o->hp, 8);
  EXPECT_EQ(Emitters(), 2u) << "a burst of chips where the blast cuts each line";
  // The reach is strict: a circle just touching the box of the static misses.
  TObstacle::Hit(330, 360, 38, 1);  // the box of the upper line starts at y 398
  EXPECT_EQ(o->hp, 8);
  TObstacle::Hit(330, 360, 38.5f, 1);
  EXPECT_EQ(o->hp, 7);
}

TEST_F(Obstacle, AnObstacleBurstsOnceAndLeavesTheEngine) {
  const Ref<TObstacle> o = Shown(4);
  const Ref<TWorldImage> image = o->Image;
  const auto s1 = Piece(300, 400, 360, 400, 4), s2 = Piece(300, 430, 360, 430, 4);
  o->Statics.AddLast(s1);
  o->Statics.AddLast(s2);
  o->hp = 1;
  const size_t statics = World->Physics->Statics.Count();
  TObstacle::Hit(330, 415, 40, 1);
  EXPECT_TRUE(o->Removed());
  EXPECT_TRUE(Obstacles.IsEmpty());
  EXPECT_EQ(World->Physics->Statics.Count(), statics - 2);
  EXPECT_TRUE(o->Statics.IsEmpty());
  EXPECT_FALSE(WorldImages.Contains(image.get()));
  EXPECT_EQ(Emitters(), 1u + 3 * 2) << "the chips of one hit and three bursts per static, once";
  o->Remove();
  EXPECT_EQ(Emitters(), 7u);
}

TEST_F(Obstacle, TheLastParasiteObstacleGoingOpensTheWayToWinning) {
  const Ref<TObstacle> o = TObstacle::Create(5);
  o->Parazite = 1;
  o->Statics.AddLast(Piece(300, 400, 360, 400, 5));
  TObstacle::Update();
  EXPECT_EQ(ParaziteObstacleLeft, 1);
  TObstacle::Hit(330, 400, 10, 10);
  EXPECT_EQ(ParaziteObstacleLeft, 0) << "known at once, without a frame drawn";
}

TEST_F(Obstacle, TheBurstEffectDependsOnTheKindAndTheLevel) {
  struct Case {
    int level, id, parazite;
    const Ref<TEffect>* effect;
  };
  const Case cases[] = {{5, 1, 0, &EffectBrick2},  {5, 1, 1, &EffectBrick3},  {60, 6, 0, &EffectBrick1},
                        {60, 5, 0, &EffectBrick2}, {60, 6, 1, &EffectBrick3}, {66, 2, 0, &EffectBrick1}};
  for (const Case& c : cases) {
    GameScreen->Level = c.level;
    Ref<TObstacle> o = TObstacle::Create(c.id);
    o->Parazite = c.parazite;
    EXPECT_EQ(o->BurstEffect(), *c.effect) << c.level << " " << c.id << " " << c.parazite;
  }
}

TEST_F(Obstacle, TheRayMeetsTheHighestSegmentUnderTheClawAboveItsLimit) {
  const Ref<TObstacle> o = TObstacle::Create(1), p = TObstacle::Create(2);
  const auto low = Piece(250, 400, 350, 400, 1);
  const auto high = Piece(280, 300, 320, 320, 2);
  const auto aside = Piece(400, 100, 500, 100, 2);
  o->Statics.AddLast(low);
  p->Statics.AddLast(high);
  p->Statics.AddLast(aside);
  struct Case {
    float limit;
    Ref<TPhysEngine_Static> expected;
  };
  for (const Case& c : {Case{10000, high}, Case{350, high}, Case{310, nullptr}, Case{100, nullptr}}) {
    EXPECT_EQ(TObstacle::RayHit(c.limit), c.expected) << c.limit;
  }
  Player->Handle->Connector->x = 260;
  EXPECT_EQ(TObstacle::RayHit(10000), low);
  Player->Handle->Connector->x = 100;
  EXPECT_EQ(TObstacle::RayHit(10000), nullptr);
  Player->Handle = nullptr;
  EXPECT_EQ(TObstacle::RayHit(10000), nullptr);
}

}  // namespace
