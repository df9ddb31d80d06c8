#include "framework/core/frame_clock.h"

#include <gtest/gtest.h>

#include "framework/core/core_globals.h"
#include "test_env.h"

using namespace kelp;

namespace {

class FrameClock : public ::testing::Test {
 protected:
  void SetUp() override { ResetCoreGlobals(); }
  void TearDown() override { ResetCoreGlobals(); }
};

}  // namespace

TEST_F(FrameClock, NewCounterAndSyncStartAt75FpsAndFactorZero) {
  testenv::FakeClock clock(5000000);
  TFPSCounter counter;
  EXPECT_EQ(counter.FPS, 75);
  EXPECT_EQ(counter.FPS_time, 5000000);
  TFrameSync sync;
  EXPECT_FLOAT_EQ(sync.dt, 0.0f);
  EXPECT_EQ(sync.InitTime, 5000000);
  clock.Advance(40);
  sync.Init();
  EXPECT_EQ(sync.InitTime, 5000040);
}

TEST_F(FrameClock, FpsWindowClosesOnlyStrictlyAfterASecond) {
  testenv::FakeClock clock;
  TFPSCounter counter;
  for (int i = 0; i < 5; ++i) {
    counter.GetFPS();
    clock.Advance(250);  // the fifth frame lands exactly on FPS_time + 1000
  }
  clock.now -= 250;
  EXPECT_EQ(counter.FPS_counter, 5);
  EXPECT_EQ(counter.averageFPS, 0);

  clock.Advance(1);
  counter.GetFPS();
  EXPECT_EQ(counter.averageFPS, 5);
  EXPECT_EQ(counter.FPS_counter, 1);
  EXPECT_EQ(counter.FPS_time, clock.now);
}

TEST_F(FrameClock, FrameFactorIsTargetOverMeasuredRate) {
  testenv::FakeClock clock;
  FPSCounter = New<TFPSCounter>();
  TFrameSync sync;
  sync.TargetFPS = 60.0f;
  struct Case {
    int fps;
    float dt;
  };
  const Case cases[] = {{75, 0.8f}, {55, 60.0f / 55.0f}, {60, 1.0f}, {120, 0.5f}, {0, 1.0f}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.fps);
    FPSCounter->FPS = k.fps;
    sync.Update();
    EXPECT_FLOAT_EQ(sync.dt, k.dt);
  }
  FPSCounter = nullptr;
  sync.Update();
  EXPECT_FLOAT_EQ(sync.dt, 1.0f);
}

TEST_F(FrameClock, InitFrameClockCreatesMissingObjectsOnly) {
  InitFrameClock();
  ASSERT_TRUE(FrameSync);
  ASSERT_TRUE(FPSCounter);
  auto sync = FrameSync;
  InitFrameClock();
  EXPECT_EQ(FrameSync, sync);
}
