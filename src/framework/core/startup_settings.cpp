#include "framework/core/startup_settings.h"

namespace kelp {

int DebugMode = 0;
int StartLevel = 1;
int UseOpenGL = 0;
int UseDirect3D7 = 0;
int ColorDepth = 32;
int GraphicsDriverChoice = 2;
int AudioAvailable = 0;
std::string GameVersion = "ver. 1.35";
int DesktopDepth = 32;
int DesktopRefreshRate = 60;

}  // namespace kelp
