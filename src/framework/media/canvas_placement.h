#pragma once
// The graphics mode and virtual resolution chosen from the desktop's aspect
// ratio, and the placement of the 800 x 600 canvas inside the virtual screen:
// 800 x 600 as it is, or centred in 960 x 600 with side bars on a wide
// desktop in full screen with the wide-screen option on.
#include <string>

#include "platform/image.h"

namespace kelp {

extern std::string DesktopAspect;  // "4:3", "16:10" or "16:9"
extern int ScreenWidth, ScreenHeight;  // the mode to open
extern int WideLayout;
extern double ScreenScaleX, ScreenScaleY;
extern int VirtualWidth, VirtualHeight;
extern int VirtualCenterX, VirtualCenterY;
extern int ScreenCenterX, ScreenCenterY;
extern int CanvasOffsetX;  // x of the 800-wide canvas in the virtual screen: 0 or 80

// Read here, set elsewhere: the desktop size (start-up), the FullScreen and
// WideScreen options (options dialog), the screen-shake offsets (screen
// shake) and the side-bar images (base resources).
extern int DesktopWidth, DesktopHeight;
extern int FullScreen, WideScreen;
extern float ShakeOffsetX, ShakeOffsetY;
extern platform::ImageRef SideBarLeft, SideBarRight;

// Sets every global of the first group from the desktop size and the options.
void DetectScreenAspect();
// Viewport over the virtual screen, origin at the canvas moved by the shake.
void SetGameViewport();
// In the wide layout, the side bars over the strips left and right of the canvas.
void DrawSideBars();

}  // namespace kelp
