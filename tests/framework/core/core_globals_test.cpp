// The core's reset: the clocks, settings, colours, generator and debug hook
// as they were when the program started.
#include "framework/core/core_globals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/color.h"
#include "framework/core/debug_output.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/core/startup_settings.h"
#include "start_values.h"

namespace {

using namespace kelp;
using testsupport::StartValue;
#define START KELP_START_VALUE

const std::vector<StartValue<int>> kInts = {
    START(GameTime),    START(PausedTotal),  START(PauseStartTime),       START(AppPaused),
    START(AppRunning),  START(SkipFrame),    START(VSync),                START(TimeScale),
    START(TotalPlayTime), START(DebugMode),  START(StartLevel),           START(UseOpenGL),
    START(UseDirect3D7), START(ColorDepth),  START(GraphicsDriverChoice), START(AudioAvailable),
    START(DesktopDepth), START(DesktopRefreshRate)};
#undef START

class CoreGlobals : public ::testing::Test {
 protected:
  void SetUp() override { ResetCoreGlobals(); }
  void TearDown() override { ResetCoreGlobals(); }
};

TEST_F(CoreGlobals, EverythingGoesBackToItsStartValue) {
  const int first = Rand(0, 1 << 30);
  testsupport::Disturb(kInts);
  GameVersion = "ver. 1.35 DEBUG";
  InitFrameClock();
  ColorWhite->r = 1;
  SeedRnd(99);
  std::string heard;
  SetDebugOutputHook([&](const std::string& m) { heard = m; });

  ResetCoreGlobals();
  testsupport::ExpectStartValues(kInts);
  EXPECT_EQ(GameVersion, "ver. 1.35");
  EXPECT_EQ(FrameSync, nullptr);
  EXPECT_EQ(FPSCounter, nullptr);
  EXPECT_EQ(ColorWhite->r, 255);
  EXPECT_EQ(RndSeed(), kStartSeed);
  EXPECT_EQ(Rand(0, 1 << 30), first) << "the generator starts its sequence again";
  DebugOutput("after the reset");
  EXPECT_EQ(heard, "");
}

}  // namespace
