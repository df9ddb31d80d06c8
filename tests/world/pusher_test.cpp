// The pusher: armed, it waits its reaction time, shoves 60 pixels left and
// comes back, and disarms; never past its two ends, never while paused.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "physics/engine.h"
#include "play/game.h"
#include "reset_rooms.h"
#include "world/pusher.h"
#include "world/world.h"

namespace {

using namespace kelp;

class Pusher : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetPlayRooms();
    GameTime = 1000000;
    SeedRnd(5);
    World = New<TWorld>();
    GameScreen = New<TGame>();
    TPusher::Create();
    p = Pushers.First();
  }
  void TearDown() override { testsupport::ResetPlayRooms(); }

 public:
  static void Frame(float f = 1.0f) {
    GameTime += 18;
    TPusher::UpdatePusher(f);
  }
  void Arm() {
    p->Ready = 1;
    p->Time = GameTime;
  }
  Ref<TPusher> p;
};

TEST_F(Pusher, RestsAtTheTopRightOfTheField) {
  ASSERT_EQ(p->Static.Count(), 2u);
  const auto arm = p->Static.First();
  const auto face = p->Static.Last();
  EXPECT_FLOAT_EQ(arm->x1, 680);
  EXPECT_FLOAT_EQ(arm->y1, 172);
  EXPECT_FLOAT_EQ(arm->x2, 820);
  EXPECT_FLOAT_EQ(face->y1, 152);
  EXPECT_FLOAT_EQ(face->y2, 192);
  EXPECT_EQ(p->x, 0);
  EXPECT_EQ(World->Physics->Statics.Count(), 2u);
}

TEST_F(Pusher, OnePushRunsThroughItsPhasesBetweenItsEnds) {
  for (int i = 0; i < 100; ++i) Frame();
  EXPECT_EQ(p->State, TPusher::WAITING) << "not armed";

  Arm();
  const int armed = GameTime;
  int started = 0, outAt = 0, backAt = 0;
  float least = 0;
  for (int i = 0; i < 2000 && !backAt; ++i) {
    const int before = p->State;
    Frame();
    least = std::min(least, p->x);
    EXPECT_LE(p->x, 0.0f);
    EXPECT_GE(p->x, -60.0f);
    EXPECT_NEAR(p->Static.Last()->x1, 680 + p->x, 1e-3) << "the ram's face moves with it";
    if (before == TPusher::WAITING && p->State == TPusher::PUSHING) started = GameTime;
    if (before == TPusher::PUSHING && p->State == TPusher::RETURNING) outAt = GameTime;
    if (before == TPusher::RETURNING && p->State == TPusher::WAITING) backAt = GameTime;
  }
  EXPECT_GT(started - armed, 530);
  EXPECT_LE(started - armed, 530 + 18);
  EXPECT_GT(outAt, started);
  EXPECT_GT(backAt, outAt);
  EXPECT_EQ(least, -60.0f) << "out to exactly 60 pixels";
  EXPECT_EQ(p->x, 0.0f) << "back to exactly its rest";
  EXPECT_EQ(p->Ready, 0);
  EXPECT_EQ(p->Time, backAt);
  EXPECT_LE(p->maxaccel, -0.06f);
  EXPECT_GE(p->maxaccel, -0.2f);
  EXPECT_LE(p->accel, -0.004f);
  EXPECT_GE(p->accel, -0.02f);
}

TEST_F(Pusher, ReactionTimeScalesWithTheFrameFactor) {
  Arm();
  const int armed = GameTime;
  while (p->State == TPusher::WAITING && GameTime - armed < 5000) Frame(2.0f);
  EXPECT_GT(GameTime - armed, 1060);
  EXPECT_LE(GameTime - armed, 1060 + 18);
}

TEST_F(Pusher, PauseHoldsItAndItStartsOnceTheTimeHasPassed) {
  Arm();
  GameScreen->Paused = 1;
  for (int i = 0; i < 100; ++i) Frame();
  EXPECT_EQ(p->State, TPusher::WAITING);
  EXPECT_EQ(p->x, 0.0f);
  GameScreen->Paused = 0;
  Frame();
  EXPECT_EQ(p->State, TPusher::PUSHING);
}

TEST_F(Pusher, ArmingDuringAPushOnlyRefreshesIt) {
  Arm();
  while (p->State != TPusher::PUSHING) Frame();
  for (int i = 0; i < 5; ++i) Frame();
  const float x = p->x;
  Arm();
  Frame();
  EXPECT_LT(p->x, x) << "the push goes on";
  while (p->State != TPusher::WAITING) Frame();
  EXPECT_EQ(p->Ready, 0) << "the ended push disarms it";
}

TEST_F(Pusher, ShovesABoxOffItsShelf) {
  TPhysEngine& e = *World->Physics;
  TPhysEngine_Static::Create(560, 200, 720, 200, 0.5f, 2, 1, &e);
  auto g = TPhysEngine_Group::Create(&e);
  auto box = TPhysEngine_Particle::Create(g.get(), 650, 175, &e);
  box->radius = 20;
  for (int i = 0; i < 50; ++i) {
    GameTime += 18;
    e.Update(1.0f);
  }
  const float rest = box->x;
  Arm();
  for (int i = 0; i < 300; ++i) {
    Frame();
    e.Update(1.0f);
  }
  EXPECT_LT(box->x, rest - 20);
  EXPECT_LE(box->x, 620 - 20);
}

}  // namespace
