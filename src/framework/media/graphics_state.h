#pragma once
// Saving and restoring the drawing state around a drawing routine, and small
// drawing helpers built on it.
#include <string>

#include "framework/core/object.h"
#include "framework/core/stack.h"
#include "platform/graphics_state.h"
#include "platform/image.h"

namespace kelp {

class TGraphicsState : public Object {
 public:
  int Blend = 0;
  float Rotation = 0.0f;
  float ScaleX = 1.0f, ScaleY = 1.0f;
  float alpha = 1.0f;
  int r = 0, g = 0, b = 0;
  int vpx = 0, vpy = 0, vpw = 0, vph = 0;
  float OrX = 0.0f, OrY = 0.0f;
  float SuperOrX = 0.0f, SuperOrY = 0.0f;  // not saved or restored
  float lineW = 1.0f;
  platform::ImageFontRef font;
};

// Saved states, last pushed on top; never replaced.
extern const Ref<LIFO> GraphicsStateStack;

// Saves the current drawing state; every push is matched by one pop in the
// same drawing routine. A pop with nothing saved does nothing.
void PushGraphicsState();
void PopGraphicsState();

// Draws the frame at (x - offsetX, y - offsetY) seen through a w x h window
// placed at (x, y) (moved by the image's handle); the viewport is restored after.
void DrawImageWindow(const platform::ImageRef& image, float x, float y, float offsetX, float offsetY,
                     float w, float h, int frame);
// A circle of radius r at (x, y) wholly outside the graphics mode.
bool IsOffScreen(int x, int y, int r);

// Text size in a font (the current one when null), drawing state untouched.
int TextWidthInFont(const std::string& text, const platform::ImageFontRef& font);
int TextHeightInFont(const platform::ImageFontRef& font);

}  // namespace kelp
