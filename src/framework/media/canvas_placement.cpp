#include "framework/media/canvas_placement.h"

#include <cmath>

#include "framework/core/numeric.h"
#include "framework/media/graphics_state.h"
#include "platform/draw.h"

namespace kelp {

std::string DesktopAspect = "4:3";
int ScreenWidth = 800, ScreenHeight = 600;
int WideLayout = 0;
double ScreenScaleX = 1.0, ScreenScaleY = 1.0;
int VirtualWidth = 800, VirtualHeight = 600;
int VirtualCenterX = 400, VirtualCenterY = 300;
int ScreenCenterX = 400, ScreenCenterY = 300;
int CanvasOffsetX = 0;

int DesktopWidth = 0, DesktopHeight = 0;
int FullScreen = 1, WideScreen = 1;
float ShakeOffsetX = 0.0f, ShakeOffsetY = 0.0f;
platform::ImageRef SideBarLeft, SideBarRight;

void DetectScreenAspect() {
  // No height (no desktop read yet) matches no wide ratio.
  const float r = DesktopHeight > 0 ? static_cast<float>(DesktopWidth) / static_cast<float>(DesktopHeight) : 0.0f;
  DesktopAspect = "";
  if (std::fabs(r - 1.25f) <= 0.01f) DesktopAspect = "4:3";
  if (std::fabs(r - 1.33f) <= 0.01f) DesktopAspect = "4:3";
  if (std::fabs(r - 1.6f) <= 0.01f) DesktopAspect = "16:10";
  if (std::fabs(r - 1.77f) <= 0.01f) DesktopAspect = "16:9";
  if (DesktopAspect.empty()) DesktopAspect = "4:3";

  if (DesktopAspect == "16:10") {
    ScreenWidth = 1280;
    ScreenHeight = 800;
    WideLayout = 1;
  } else if (DesktopAspect == "16:9") {
    ScreenWidth = 1280;
    ScreenHeight = 720;
    WideLayout = 1;
  } else {
    ScreenWidth = 800;
    ScreenHeight = 600;
    WideLayout = 0;
  }

  if (!FullScreen || !WideScreen || !WideLayout) {
    ScreenWidth = 800;
    ScreenHeight = 600;
    WideLayout = 0;
    ScreenScaleX = 1.0;
    ScreenScaleY = 1.0;
    VirtualWidth = 800;
    VirtualHeight = 600;
  } else {
    ScreenScaleX = ScreenWidth / 800.0;
    ScreenScaleY = ScreenHeight / 600.0;
    VirtualWidth = Int(ScreenScaleX * 600.0);
    VirtualHeight = 600;
  }
  VirtualCenterX = VirtualWidth / 2;
  VirtualCenterY = VirtualHeight / 2;
  ScreenCenterX = ScreenWidth / 2;
  ScreenCenterY = ScreenHeight / 2;
  CanvasOffsetX = Int((VirtualWidth - 800) * 0.5);
}

void SetGameViewport() {
  platform::SetViewport(0, 0, VirtualWidth, VirtualHeight);
  platform::SetOrigin(static_cast<float>(CanvasOffsetX) + ShakeOffsetX, ShakeOffsetY);
}

void DrawSideBars() {
  if (!WideLayout) return;
  PushGraphicsState();
  platform::SetOrigin(0.0f, 0.0f);
  // A bar whose image failed to load is left out; the strip stays as drawn.
  if (SideBarLeft) platform::DrawImage(SideBarLeft, static_cast<float>(CanvasOffsetX), 0.0f, 0);
  if (SideBarRight) platform::DrawImage(SideBarRight, static_cast<float>(VirtualWidth - CanvasOffsetX - 1), 0.0f, 0);
  PopGraphicsState();
}

}  // namespace kelp
