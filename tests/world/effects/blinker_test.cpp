#include "world/effects/blinker.h"

#include "overlay_test_env.h"

namespace kelp {
namespace {

class Blinker : public overlay_env::Overlay {
 protected:
  // Runs the blinker through whole frames until it has gone; returns the
  // number of half blinks seen (count decrements).
  static int RunOut(const Ref<TBlinker>& b, int maxFrames = 5000) {
    int halves = 0;
    int last = b->count;
    for (int i = 0; i < maxFrames && Listed(b.get()); ++i) {
      Frame(1.0f, 18);
      if (b->count != last) {
        halves += last - b->count;
        last = b->count;
      }
    }
    return halves;
  }
};

TEST_F(Blinker, Road2RunsNineAcceleratingCountsWithoutABar) {
  auto b = TBlinker::Create("road2", 100, 200, 1, 4, 0.01f);
  EXPECT_EQ(b->Progress, nullptr);
  EXPECT_EQ(b->count, 9);
  EXPECT_EQ(b->max_count, 4);
  EXPECT_EQ(b->accel_flag, 1);
  EXPECT_FLOAT_EQ(b->speed, 0.04f);
  float lastSpeed = b->speed;
  int lastBlink = b->blink_time;
  int peaks = 0;
  for (int i = 0; i < 5000 && Listed(b.get()); ++i) {
    const int before = b->state;
    Frame();
    if (before == 1 && b->state == 2) {
      ++peaks;
      EXPECT_TRUE(b->speed > lastSpeed || lastSpeed >= 0.5f) << peaks;
      lastSpeed = b->speed;
    }
    if (before == 2 && b->state == 3) {
      EXPECT_LT(b->blink_time, lastBlink);
      lastBlink = b->blink_time;
    }
  }
  EXPECT_FALSE(Listed(b.get()));
  EXPECT_EQ(b->count, 0);
  EXPECT_EQ(peaks, 5);  // 9 half blinks: 5 up, 4 down
  EXPECT_EQ(VisualsList.Count(), 0u);
}

TEST_F(Blinker, RoadHasNoBarAndKeepsItsCount) {
  auto b = TBlinker::Create("road", 10, 20, 1, 6, 0.1f);
  EXPECT_EQ(b->Progress, nullptr);
  EXPECT_EQ(b->count, 6);
  EXPECT_EQ(b->accel_flag, 0);
  EXPECT_EQ(RunOut(b), 6);
}

TEST_F(Blinker, EachHalfBlinkAdvancesTheBuildingsBar) {
  auto b = TBlinker::Create("hut", 300, 100, 1, 10, 0.1f);
  ASSERT_NE(b->Progress, nullptr);
  auto bar = b->Progress;
  EXPECT_EQ(bar->x, 260.0f);
  EXPECT_EQ(bar->y, 180.0f);
  EXPECT_EQ(bar->Over, 1);
  // The first peak: 100 - 100 * (10 - 2) / 10.
  while (b->state == 1) Frame();
  EXPECT_FLOAT_EQ(bar->Target, 20.0f);
  while (b->state != 4) Frame();
  EXPECT_FLOAT_EQ(bar->Target, 30.0f);
  EXPECT_EQ(RunOut(b), 8);
  EXPECT_EQ(bar->Target, 100.0f);
  // The bar catches up and removes itself.
  for (int i = 0; i < 1000 && Listed(bar.get()); ++i) Frame();
  EXPECT_FALSE(Listed(bar.get()));
}

TEST_F(Blinker, AlphaRisesAndFallsByTheFrameFactorAndHoldsByTheClock) {
  for (float dt : {1.0f, 2.5f}) {
    auto b = TBlinker::Create("road", 0, 0, 1, 4, 0.1f);
    b->Update(dt);
    EXPECT_FLOAT_EQ(b->alpha, 0.1f * dt);
    while (b->state == 1) b->Update(dt);
    EXPECT_EQ(b->alpha, 0.8f);
    const int peak = GameTime;
    b->Update(dt);
    EXPECT_EQ(b->state, 2);
    GameTime = peak + 131;
    b->Update(dt);
    EXPECT_EQ(b->state, 3);
    b->Update(dt);
    EXPECT_FLOAT_EQ(b->alpha, 0.8f - 0.1f * dt);
    VisualsList.Clear();
  }
}

TEST_F(Blinker, WithoutCountsItEndsAtOnceAndLeavesNoBarBehind) {
  // A count of 0 would divide by zero at the first peak and leave the bar forever.
  auto b = TBlinker::Create("hut", 0, 0, 1, 0, 0.1f);
  auto bar = b->Progress;
  ASSERT_NE(bar, nullptr);
  Frame();
  EXPECT_FALSE(Listed(b.get()));
  EXPECT_EQ(bar->Target, 100.0f);
  for (int i = 0; i < 1000 && Listed(bar.get()); ++i) Frame();
  EXPECT_FALSE(Listed(bar.get()));
}

TEST_F(Blinker, Road2WithoutCountsStillBlinksWithoutDividing) {
  auto b = TBlinker::Create("road2", 0, 0, 1, 0, 0.1f);
  EXPECT_EQ(b->count, 9);
  EXPECT_EQ(RunOut(b), 9);
}

}  // namespace
}  // namespace kelp
