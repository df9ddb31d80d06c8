#pragma once
// Settings fixed once at start-up, from the command line and the desktop,
// that the screens and the window opening read.
#include <string>

namespace kelp {

extern int DebugMode;             // 1: first argument "debug"; the screens' debug keys work
extern int StartLevel;            // level to start in; only a debug start changes it
extern int UseOpenGL;             // first argument "ogl"
extern int UseDirect3D7;          // first argument "dx7"
extern int ColorDepth;            // bits of full-screen modes: 32, or 16 by the second argument
extern int GraphicsDriverChoice;  // 0 OpenGL, 1 the fallback renderer, 2 the default one
extern int AudioAvailable;        // 1 once the audio device could be opened
extern std::string GameVersion;   // "ver. 1.35", with " DEBUG" in debug mode
extern int DesktopDepth;          // the desktop's bits per pixel
extern int DesktopRefreshRate;    // the desktop's refresh rate in Hz

}  // namespace kelp
