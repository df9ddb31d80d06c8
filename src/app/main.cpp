// The program's entry. "--headless" runs the real start-up without a display
// (the dummy video and audio drivers), with the splash's fixed waits left out
// and the frame ticks not waited for, for "--frames N" frames (3 unless
// given), then ends with exit code 0. Every other argument is the game's.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/frame_loop.h"
#include "app/startup.h"
#include "platform/frame_timer.h"

int main(int argc, char** argv) {
  std::vector<char*> args;
  bool headless = false;
  int frames = 3;
  for (int i = 0; i < argc; ++i) {
    if (i > 0 && std::strcmp(argv[i], "--headless") == 0) {
      headless = true;
    } else if (i > 0 && std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
      headless = true;
      frames = std::max(0, std::atoi(argv[++i]));
    } else {
      args.push_back(argv[i]);
    }
  }
  if (headless) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    kelp::SplashWaits = 0;
    kelp::FrameLimit = frames;
    platform::SetFrameWaitHook([] { return 1; });
  }
  return kelp::ModuleEntry(static_cast<int>(args.size()), args.data());
}
