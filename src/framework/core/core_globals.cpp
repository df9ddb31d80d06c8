#include "framework/core/core_globals.h"

#include "framework/core/color.h"
#include "framework/core/debug_output.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/core/startup_settings.h"

namespace kelp {

void ResetCoreGlobals() {
  GameTime = 0;
  PausedTotal = 0;
  PauseStartTime = 0;
  AppPaused = 0;
  AppRunning = 0;
  SkipFrame = 0;
  VSync = 0;
  TimeScale = 1;
  TotalPlayTime = 0;
  FrameSync = nullptr;
  FPSCounter = nullptr;

  DebugMode = 0;
  StartLevel = 1;
  UseOpenGL = 0;
  UseDirect3D7 = 0;
  ColorDepth = 32;
  GraphicsDriverChoice = 2;
  AudioAvailable = 0;
  GameVersion = "ver. 1.35";
  DesktopDepth = 32;
  DesktopRefreshRate = 60;

  InitColors();
  SeedRnd(kStartSeed);
  SetDebugOutputHook(nullptr);
}

}  // namespace kelp
