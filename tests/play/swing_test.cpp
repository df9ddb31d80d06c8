// The seesaw on the left panel: rocking while the claw moves, throwing the
// creatures, levelling out, blinking.
#include "play/swing.h"

#include <gtest/gtest.h>

#include "level_frame_env.h"
#include "world/resource_bindings.h"

namespace kelp {
namespace {

class Swing : public frame_test::LevelFrame {
 protected:
  void SetUp() override {
    LevelFrame::SetUp();
    swing = New<TSwing>();
    swing->Init();
  }
  // Rocks the swing at the claw's speed for `frames` frames of factor dt.
  void Rock(int frames, float dt, float clawSpeed = 5.0f) {
    Player->speed = clawSpeed;
    for (int k = 0; k < frames; ++k) {
      GameTime += 18;
      swing->Start(1.0f);
      swing->Update(dt);
    }
  }
  Ref<TSwing> swing;
};

TEST_F(Swing, StartsWithTheLeftEndDownAndTheCreaturesOnTheEnds) {
  EXPECT_EQ(swing->ly, 475.0f);
  EXPECT_EQ(swing->ry, 452.0f);
  EXPECT_EQ(swing->c1_x, 8.0f);
  EXPECT_EQ(swing->c2_x, 118.0f);
  EXPECT_EQ(swing->c1_y, 434.0f);
  EXPECT_EQ(swing->c2_y, 410.0f);
  EXPECT_EQ(swing->c1_jump_scale, swing->c1_scale);
  EXPECT_GE(swing->c1_BlinkTime, GameTime + 2000);
  EXPECT_LE(swing->c1_BlinkTime, GameTime + 3000);
}

TEST_F(Swing, TheLaunchImpulseIsSevenUpToTheTopClawSpeedAndStrongerBeyond) {
  struct Case {
    float speed, impulse;
  };
  for (Case c : {Case{0.0f, -7.0f}, Case{-14.0f, -7.0f}, Case{14.0f, -7.0f}, Case{-20.0f, -10.0f}}) {
    Player->speed = c.speed;
    swing->Start(1.0f);
    EXPECT_FLOAT_EQ(swing->def_jump_impulse, c.impulse) << c.speed;
  }
}

TEST_F(Swing, TheLowEndRisesAndReachingTheStopThrowsTheOtherCreature) {
  EffectDust = New<TEffect>();
  swing->Start(1.0f);
  EXPECT_EQ(swing->state, 1);
  EXPECT_EQ(swing->dy, -1.0f) << "the left end is down, so it rises";
  for (int k = 0; k < 30 && swing->c1_jump_state == 0; ++k) swing->UpdateTop(1.0f);
  EXPECT_EQ(swing->ly, 452.0f);
  EXPECT_EQ(swing->ry, 475.0f);
  EXPECT_EQ(swing->dy, 0.0f);
  EXPECT_EQ(swing->c1_jump_state, 1) << "the left end went up: the creature on it is thrown";
  EXPECT_EQ(swing->c2_jump_state, 0);
  ASSERT_EQ(GameInterface->Emitters.Count(), 6u) << "six puffs of dust";
  for (const Ref<TEmitter>& puff : GameInterface->Emitters) {
    EXPECT_EQ(puff->Config, EffectDust);
    EXPECT_GE(puff->x, 106 + 25);
    EXPECT_LE(puff->x, 106 + 50);
    EXPECT_EQ(puff->y, 475 + 50) << "under the right end, now down";
  }
}

TEST_F(Swing, ARockingSwingStaysBetweenItsStopsAndEveryThrownCreatureLands) {
  // Frame factors around the real one, where an equality test of the landing
  // misses some landings.
  for (float dt : {1.0f, 60.0f / 55.0f, 0.37f, 1.93f, 2.71f}) {
    swing->Init();
    swing->state = 0;
    int throws = 0, landings = 0;
    int prev1 = 0, prev2 = 0;
    for (int k = 0; k < 3000; ++k) {
      GameTime += 18;
      swing->Start(1.0f);
      swing->Update(dt);
      ASSERT_GE(swing->ly, 452.0f) << dt;
      ASSERT_LE(swing->ly, 475.0f) << dt;
      ASSERT_GE(swing->ry, 452.0f) << dt;
      ASSERT_LE(swing->ry, 475.0f) << dt;
      for (auto [now, prev] : {std::pair{swing->c1_jump_state, &prev1}, std::pair{swing->c2_jump_state, &prev2}}) {
        if (*prev != 2 && now == 2) ++throws;
        if (*prev == 2 && now == 0) ++landings;
        *prev = now;
      }
    }
    EXPECT_GT(throws, 10) << dt;
    EXPECT_GE(landings, throws - 2) << dt << ": a creature in the air at the end may still be flying";
  }
}

TEST_F(Swing, AJumpStretchesTheCreatureAndTheLandingSquashesIt) {
  swing->c1_jump_state = 1;
  swing->UpdateCreatures(1.0f);
  EXPECT_EQ(swing->c1_jump_state, 2);
  EXPECT_FLOAT_EQ(swing->c1_jump_impulse, -7.0f * 0.45f);
  EXPECT_FLOAT_EQ(swing->c1_g_force, 0.3f * 0.45f);
  EXPECT_FLOAT_EQ(swing->c1_jump_scale, 0.8f * 0.45f);
  EXPECT_GE(swing->c1_dx, -0.1f);
  EXPECT_LE(swing->c1_dx, 0.1f);
  float highest = 0.0f;
  int frames = 0;
  while (swing->c1_jump_state == 2 && frames < 200) {
    swing->UpdateCreatures(1.0f);
    highest = std::min(highest, swing->c1_jump_h);
    ++frames;
  }
  EXPECT_EQ(swing->c1_jump_state, 0);
  EXPECT_LT(highest, -30.0f) << "it went up";
  EXPECT_FLOAT_EQ(swing->c1_scale_dy, 7.0f);
  EXPECT_FLOAT_EQ(swing->c1_jump_scale, 0.9f * 0.45f);
  EXPECT_EQ(swing->dy, 0.0f) << "a landing drives the seesaw only while it rocks";
  swing->UpdateCreatures(1.0f);
  EXPECT_FLOAT_EQ(swing->c1_scale_dy, 6.3f) << "the sag springs back";
}

TEST_F(Swing, WhenTheClawStopsTheSwingLevelsOutOnceNobodyIsInTheAir) {
  swing->Start(1.0f);
  swing->c2_jump_state = 2;
  swing->Stop();
  EXPECT_EQ(swing->state, 1) << "at a stop, but a creature is flying";
  swing->c2_jump_state = 0;
  swing->ly = 460.0f;
  swing->Stop();
  EXPECT_EQ(swing->state, 1) << "between the stops";
  swing->ly = 475.0f;
  swing->ry = 452.0f;
  swing->Stop();
  EXPECT_EQ(swing->state, 2);
  EXPECT_EQ(swing->dy, 0.0f);
  int frames = 0;
  while (swing->state == 2 && frames < 100) {
    swing->UpdateTop(1.0f);
    ++frames;
  }
  EXPECT_EQ(swing->state, 0);
  EXPECT_EQ(swing->ly, swing->ry);
  EXPECT_NEAR(swing->ly, 463.5f, 0.5f);
  EXPECT_EQ(frames, 23);
  swing->Start(1.0f);
  EXPECT_EQ(swing->state, 1) << "a level swing rocks again when the claw moves";
}

TEST_F(Swing, ABlinkLastsUntilAQuarterSecondPastItsDueTime) {
  swing->c1_BlinkTime = GameTime - 10;
  swing->c2_BlinkTime = GameTime + 100000;
  int frames = 0;
  while (!swing->c1_Blink && frames < 1000) {
    swing->BlinkUpdate();
    ++frames;
  }
  ASSERT_EQ(swing->c1_Blink, 1);
  EXPECT_EQ(swing->c2_Blink, 0);
  GameTime += 240;
  swing->BlinkUpdate();
  EXPECT_EQ(swing->c1_Blink, 1);
  GameTime += 1;
  swing->BlinkUpdate();
  EXPECT_EQ(swing->c1_Blink, 0);
  EXPECT_GE(swing->c1_BlinkTime, GameTime + 2000);
  EXPECT_LE(swing->c1_BlinkTime, GameTime + 3000);
}

TEST_F(Swing, ABlinkDueLongAgoEndsInTheUpdateThatStartsIt) {
  swing->c1_BlinkTime = GameTime - 1000;
  int frames = 0;
  while (swing->c1_BlinkTime < GameTime && frames < 1000) {
    swing->BlinkUpdate();
    EXPECT_EQ(swing->c1_Blink, 0);
    ++frames;
  }
  EXPECT_GT(swing->c1_BlinkTime, GameTime);
}

}  // namespace
}  // namespace kelp
