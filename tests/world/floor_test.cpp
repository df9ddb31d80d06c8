// The moving floor: which world statics it takes over, how it moves, the
// slow-down after a removed box, its dust while it rises.
#include <gtest/gtest.h>

#include "box_scene.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "physics/engine.h"
#include "play/game.h"
#include "reset_rooms.h"
#include "scenes/level_scenes.h"
#include "world/floor.h"
#include "world/game_interface.h"
#include "world/world.h"

namespace {

using namespace kelp;
using scenes::MakeBox;

class Floors : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetPlayRooms();
    GameTime = 1000000;
    SeedRnd(3);
    World = New<TWorld>();
    GameScreen = New<TGame>();
  }
  void TearDown() override { testsupport::ResetPlayRooms(); }

 public:
  static Ref<TPhysEngine_Static> Static(float x1, float y1, float x2, float y2) {
    return TPhysEngine_Static::Create(x1, y1, x2, y2, 1, 2, 1, World->Physics.get());
  }
  static Ref<TFloor> Load(const std::string& text) { return TFloor::Load(platform::OpenMemory(text)); }
};

TEST_F(Floors, TakesOverTheStaticsItsElementsName) {
  auto a = Static(200, 560, 560, 560);
  Static(200, 560, 560, 560);  // its twin
  Static(190, 0, 190, 560);
  struct Case {
    const char* what;
    std::string file;
    size_t statics;  // 0: no floor at all
  };
  const Case cases[] = {
      {"one element, two identical statics", "<floor dy=\"-0.02\">\n<element x1=\"200\" y1=\"560\" x2=\"560\" y2=\"560\">\n", 2},
      {"friction and radius change nothing",
       "<floor dy=\"-0.02\">\n<element x1=\"190\" y1=\"0\" x2=\"190\" y2=\"560\" friction=\"0\" radius=\"9\">\n", 1},
      {"an element that names no static", "<floor dy=\"-0.02\">\n<element x1=\"1\" y1=\"2\" x2=\"3\" y2=\"4\">\n", 0},
      {"no elements", "<floor dy=\"-0.02\">\n", 0},
      {"another first tag", "<floors dy=\"-0.02\">\n<element x1=\"200\" y1=\"560\" x2=\"560\" y2=\"560\">\n", 0},
      {"reading stops at another tag",
       "<floor dy=\"1\">\n<other/>\n<element x1=\"200\" y1=\"560\" x2=\"560\" y2=\"560\">\n", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Ref<TFloor> f = Load(c.file);
    ASSERT_EQ(f != nullptr, c.statics > 0);
    if (f) {
      EXPECT_EQ(f->Static.Count(), c.statics);
    }
  }
  EXPECT_FALSE(TFloor::Load(platform::StreamRef()));
  // The match is on the values of all four end points, however written.
  Ref<TFloor> f = Load("<floor dy=\"-0.5\">\n<element x1=\"200.0\" y1=\"560\" x2=\"560\" y2=\"5.6e2\">\n");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->Static.First(), a);
  EXPECT_FLOAT_EQ(f->dy, -0.5f);
  EXPECT_FLOAT_EQ(f->_dy, -0.5f);
}

TEST_F(Floors, MovesItsStaticsByItsSpeedTimesTheFrameFactorUnlessPaused) {
  auto s = Static(200, 560, 560, 560);
  World->MovingFloor = Load("<floor dy=\"-0.25\">\n<element x1=\"200\" y1=\"560\" x2=\"560\" y2=\"560\">\n");
  ASSERT_TRUE(World->MovingFloor);
  for (int i = 0; i < 4; ++i) World->MovingFloor->Update(2.0f);
  EXPECT_FLOAT_EQ(s->y1, 558);
  EXPECT_FLOAT_EQ(s->y2, 558);
  EXPECT_FLOAT_EQ(World->MovingFloor->y, -2);
  GameScreen->Paused = 1;
  World->MovingFloor->Update(2.0f);
  EXPECT_FLOAT_EQ(s->y1, 558);
  // Removed, the floor lets go of its statics; they stay in the world.
  World->MovingFloor->Remove();
  EXPECT_TRUE(World->MovingFloor->Static.IsEmpty());
  EXPECT_EQ(World->Physics->Statics.Count(), 1u);
}

TEST_F(Floors, SlowDownTakesTheLargerSpeedForASecondFromTheLastCall) {
  struct Case {
    const char* what;
    int mode;
    float startDy;
  };
  const Case cases[] = {
      {"normal game", TGame::NORMAL, -0.02f},
      {"relaxed game starts twice as fast", TGame::RELAXED, -0.04f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    World->Physics->Statics.Clear();
    Static(200, 560, 560, 560);
    GameScreen->GameMode = c.mode;
    Ref<TFloor> f = Load("<floor dy=\"-0.02\">\n<element x1=\"200\" y1=\"560\" x2=\"560\" y2=\"560\">\n");
    ASSERT_TRUE(f);
    EXPECT_FLOAT_EQ(f->dy, c.startDy);
    EXPECT_FLOAT_EQ(f->_dy, -0.02f);

    f->SlowDown(0, 0.03f);
    EXPECT_FLOAT_EQ(f->dy, 0.03f);
    f->SlowDown(0, 0.01f);  // smaller: the speed stays
    EXPECT_FLOAT_EQ(f->dy, 0.03f);
    GameTime += 600;
    f->SlowDown(0, 0.03f);  // the second removal restarts the second
    GameTime += 999;
    f->Update(1.0f);
    EXPECT_EQ(f->Slow, 1);
    EXPECT_FLOAT_EQ(f->dy, 0.03f);
    GameTime += 1;
    f->Update(1.0f);
    EXPECT_EQ(f->Slow, 0);
    EXPECT_FLOAT_EQ(f->dy, -0.02f);
  }
}

TEST_F(Floors, RaisesDustOnlyWhileItRisesFasterThanFourHundredths) {
  GameInterface = New<TGameInterface>();
  auto s = Static(200, 560, 560, 560);
  for (float dy : {-0.04f, -0.05f}) {
    SCOPED_TRACE(dy);
    GameInterface->Emitters.Clear();
    Ref<TFloor> f = TFloor::Create(0, dy);
    f->Static.AddLast(s);
    for (int i = 0; i < 600; ++i) {
      GameTime += 18;
      f->Update(1.0f);
    }
    if (dy < -0.04f)
      EXPECT_GT(GameInterface->Emitters.Count(), 0u);
    else
      EXPECT_EQ(GameInterface->Emitters.Count(), 0u);
  }
}

// With the box rules of the running level: every removed box sinks the floor.
class FloorUnderBoxes : public box_test::BoxScene {};

TEST_F(FloorUnderBoxes, RemovedBoxesSlowTheFloorDown) {
  World->MovingFloor = TFloor::Create(0, -0.02f);
  World->MovingFloor->Add(200, 600, 560, 600);
  struct Case {
    int fileClass;
    float dy;
  };
  for (const Case& c : {Case{TBlock::RED, 0.03f}, Case{TBlock::PARAZITE, 0.05f}}) {
    SCOPED_TRACE(c.fileClass);
    World->MovingFloor->dy = World->MovingFloor->_dy;
    World->MovingFloor->Slow = 0;
    Ref<TBlock> box = MakeBox(c.fileClass, 300, 400);
    TBlock::Remove(box);
    EXPECT_EQ(World->MovingFloor->Slow, 1);
    EXPECT_FLOAT_EQ(World->MovingFloor->dy, c.dy);
    EXPECT_EQ(World->MovingFloor->SlowStartTime, GameTime);
  }
}

}  // namespace
