#pragma once
// The graphics device: the window (or a headless canvas), the persistent
// canvas of the mode size, the virtual resolution mapped onto it, flipping
// and grabbing. Full screen is desktop full screen with the canvas scaled
// into it, aspect kept.
#include <string>

#include "platform/image.h"

namespace platform {

// Back ends: the default accelerated renderer, SDL's OpenGL renderer ("ogl"),
// and the software renderer (the old fallback slot, and headless tests).
enum class Backend { Default, OpenGL, Software };
void SetGraphicsBackend(Backend backend);
Backend GraphicsBackend();

struct DesktopMode {
  int width = 800, height = 600, depth = 32, refresh = 60;
};
// The desktop's size, depth and refresh rate (60 when the system reports 0).
DesktopMode GetDesktopMode();

// Opens a window of width x height (windowed when depth is 0, else full
// screen); replaces any open one. The virtual resolution and the viewport
// become the mode size. Headless opens an offscreen canvas with no
// window. False on failure, with the reason on standard error.
bool OpenGraphics(int width, int height, int depth, int refresh, bool headless = false);
void CloseGraphics();
bool GraphicsOpen();
int GraphicsWidth();   // the mode size
int GraphicsHeight();
// SDL's name of the renderer in use ("opengl", "software", ...); "" when closed.
std::string GraphicsRendererName();
// The coordinate system game code draws in, mapped per axis onto the canvas.
void SetVirtualResolution(int width, int height);
int VirtualResolutionWidth();
int VirtualResolutionHeight();
// Window pixels to virtual coordinates (the mouse), taking full-screen scaling into account.
void WindowToVirtual(float wx, float wy, float& vx, float& vy);

// Presents the canvas; the canvas keeps its content.
void Flip(bool vsync);
// The canvas, mode-sized, as opaque pixels; and the rectangle of the image's
// size at (x, y) in canvas pixels (not virtual ones) into an image frame.
PixmapRef GrabCanvas();
void GrabImage(const ImageRef& image, int x, int y, int frame = 0);

void SetWindowTitle(const std::string& title);
void SetWindowIcon(const PixmapRef& icon);
void CentreWindow();
void RaiseWindow();

}  // namespace platform
