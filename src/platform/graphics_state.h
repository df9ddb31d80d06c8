#pragma once
// The drawing state every draw call reads. Plain values; nothing here needs a
// window, so game code and tests can set and read it at any time.
#include <memory>

namespace platform {

// Blend codes: 1 mask, 2 solid, 3 alpha, 4 light (additive), 5 shade.
// 0 or any unknown code draws as alpha.
enum Blend : int { MASKBLEND = 1, SOLIDBLEND = 2, ALPHABLEND = 3, LIGHTBLEND = 4, SHADEBLEND = 5 };

class ImageFont;  // the platform's plain-text font (image_font.h)
using ImageFontRef = std::shared_ptr<ImageFont>;

struct DrawState {
  int blend = ALPHABLEND;
  int r = 255, g = 255, b = 255;
  float alpha = 1.0f;
  float scale_x = 1.0f, scale_y = 1.0f;
  float rotation = 0.0f;  // degrees
  float origin_x = 0.0f, origin_y = 0.0f;
  // The drawing handle of shapes, text and textured polygons (images use their own).
  float handle_x = 0.0f, handle_y = 0.0f;
  // Viewport: a clip rectangle in virtual coordinates, absolute; it does not move the origin.
  int vp_x = 0, vp_y = 0, vp_w = 800, vp_h = 600;
  float line_width = 1.0f;
  ImageFontRef font;
  int clear_r = 0, clear_g = 0, clear_b = 0;
  // The 2x2 transform made of rotation and scale: a point (u, v) of an image,
  // relative to its handle, lands at (x + origin_x + ix*u + iy*v, y + origin_y + jx*u + jy*v).
  float ix = 1.0f, iy = 0.0f, jx = 0.0f, jy = 1.0f;
};

const DrawState& State();

void SetBlend(int mode);
int GetBlend();
void SetColor(int r, int g, int b);
void GetColor(int& r, int& g, int& b);
void SetAlpha(float alpha);
float GetAlpha();
void SetScale(float sx, float sy);
void GetScale(float& sx, float& sy);
void SetRotation(float degrees);
float GetRotation();
void SetTransform(float degrees, float sx, float sy);
void SetOrigin(float x, float y);
void GetOrigin(float& x, float& y);
void SetHandle(float x, float y);
void GetHandle(float& x, float& y);
void SetViewport(int x, int y, int w, int h);
void GetViewport(int& x, int& y, int& w, int& h);
void SetLineWidth(float width);
float GetLineWidth();
void SetImageFont(ImageFontRef font);
ImageFontRef GetImageFont();
void SetClearColor(int r, int g, int b);
// Back to the defaults above, with the viewport covering the virtual screen.
void ResetDrawState();

}  // namespace platform
