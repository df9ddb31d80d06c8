#include "app/app_globals.h"

#include "app/frame_loop.h"
#include "app/startup.h"

namespace kelp {

void ResetAppGlobals() {
  LoopStartHook = DefaultLoopStartHook;
  LoopHook = DefaultLoopHook;
  CloseHook = DefaultCloseHook;
  FrameTimer = nullptr;
  PauseImage = PauseBackground = nullptr;
  FrameLimit = -1;
  FrameProbe = nullptr;
  AppArguments.clear();
  AppTitle.clear();
  SplashConfigFile = "screenbranding\\config.xml";
  LoadingText.clear();
  SplashWaits = 1;
  StartVillageStage = 0;
  ResetStartup();
}

}  // namespace kelp
