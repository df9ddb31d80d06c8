#include "world/effects/alarm.h"

#include "overlay_test_env.h"
#include "play/game.h"

namespace kelp {
namespace {

class Alarm : public overlay_env::Overlay {
 protected:
  void SetUp() override {
    Overlay::SetUp();
    GameScreen = New<TGame>();
  }
};

TEST_F(Alarm, NewAlarmIsSilentUntilStarted) {
  auto a = TAlarm::Create(1, 0.1f);
  ASSERT_TRUE(Listed(a.get()));
  EXPECT_EQ(a->Over, 1);
  EXPECT_EQ(a->Under, 0);
  EXPECT_EQ(a->off, 1);
  EXPECT_EQ(a->paused, 1);
  EXPECT_EQ(a->width, 800);
  EXPECT_EQ(a->height, 600);
  for (int i = 0; i < 50; ++i) Frame();
  EXPECT_EQ(a->alpha, 0.0f);
  EXPECT_EQ(a->state, 1);
  EXPECT_TRUE(Listed(a.get()));
}

TEST_F(Alarm, PulsesUpHoldsDownAndRestsScaledByTheFrameFactor) {
  for (float dt : {1.0f, 2.0f}) {
    auto a = TAlarm::Create(1, 0.1f);
    a->Pause(0);
    EXPECT_EQ(a->off, 0);
    a->Update(dt);
    EXPECT_FLOAT_EQ(a->alpha, 0.1f * dt);
    while (a->state == 1) a->Update(dt);
    EXPECT_EQ(a->state, 2);
    EXPECT_EQ(a->alpha, 0.4f);  // held at the peak, not past it
    // Held for blink_time ms of the game clock, whatever the frame factor.
    GameTime += 130;
    a->Update(dt);
    EXPECT_EQ(a->state, 2);
    GameTime += 1;
    a->Update(dt);
    EXPECT_EQ(a->state, 3);
    int falls = 0;
    while (a->state == 3) {
      a->Update(dt);
      ++falls;
    }
    EXPECT_EQ(a->state, 4);
    EXPECT_EQ(a->alpha, 0.0f);
    EXPECT_EQ(falls, dt == 1.0f ? 5 : 3);
    GameTime += 131;
    a->Update(dt);
    EXPECT_EQ(a->state, 1);
    EXPECT_EQ(a->off, 0);  // keeps pulsing
  }
}

TEST_F(Alarm, PauseLetsThePulseFadeOutThenSwitchesOff) {
  auto a = TAlarm::Create(1, 0.1f);
  a->Pause(0);
  a->Update(1.0f);
  a->Update(1.0f);
  a->Pause(1);
  EXPECT_EQ(a->state, 3);
  EXPECT_EQ(a->off, 0);
  int n = 0;
  while (!a->off && n < 100) {
    a->Update(1.0f);
    ++n;
  }
  EXPECT_EQ(a->off, 1);
  EXPECT_EQ(a->state, 1);
  EXPECT_EQ(a->alpha, 0.0f);
  for (int i = 0; i < 20; ++i) Frame();
  EXPECT_EQ(a->alpha, 0.0f);
  // Resuming starts again from dark.
  a->Pause(0);
  EXPECT_EQ(a->alpha, 0.0f);
  EXPECT_EQ(a->state, 1);
  a->Update(1.0f);
  EXPECT_GT(a->alpha, 0.0f);
}

TEST_F(Alarm, StopsForGoodOnceTheLevelIsOver) {
  auto a = TAlarm::Create(1, 0.1f);
  a->Pause(0);
  a->Update(1.0f);
  GameScreen->Over = 1;
  a->Update(1.0f);
  EXPECT_EQ(a->off, 1);
  const float held = a->alpha;
  for (int i = 0; i < 20; ++i) Frame();
  EXPECT_EQ(a->alpha, held);
  // Even a later start is switched off again at once.
  a->Pause(0);
  a->Update(1.0f);
  EXPECT_EQ(a->off, 1);
}

TEST_F(Alarm, RemoveTakesItOutOfTheListAtOnceAndTwiceIsHarmless) {
  auto other = TAlarm::Create(1, 0.1f);
  auto a = TAlarm::Create(1, 0.1f);
  a->Remove();
  a->Remove();
  EXPECT_FALSE(Listed(a.get()));
  EXPECT_TRUE(Listed(other.get()));
}

}  // namespace
}  // namespace kelp
