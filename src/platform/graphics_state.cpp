#include "platform/graphics_state.h"

#include <cmath>

#include "platform/sdl_internal.h"

namespace platform {
namespace {

DrawState g_state;
int g_default_vp_w = 800, g_default_vp_h = 600;

void UpdateTransform() {
  const double rad = g_state.rotation * 3.14159265358979323846 / 180.0;
  const float c = static_cast<float>(std::cos(rad));
  const float s = static_cast<float>(std::sin(rad));
  g_state.ix = c * g_state.scale_x;
  g_state.iy = -s * g_state.scale_y;
  g_state.jx = s * g_state.scale_x;
  g_state.jy = c * g_state.scale_y;
}

}  // namespace

const DrawState& State() { return g_state; }

void SetBlend(int mode) { g_state.blend = mode; }
int GetBlend() { return g_state.blend; }
void SetColor(int r, int g, int b) { g_state.r = r; g_state.g = g; g_state.b = b; }
void GetColor(int& r, int& g, int& b) { r = g_state.r; g = g_state.g; b = g_state.b; }
void SetAlpha(float alpha) { g_state.alpha = alpha; }
float GetAlpha() { return g_state.alpha; }
void SetScale(float sx, float sy) { g_state.scale_x = sx; g_state.scale_y = sy; UpdateTransform(); }
void GetScale(float& sx, float& sy) { sx = g_state.scale_x; sy = g_state.scale_y; }
void SetRotation(float degrees) { g_state.rotation = degrees; UpdateTransform(); }
float GetRotation() { return g_state.rotation; }
void SetTransform(float degrees, float sx, float sy) {
  g_state.rotation = degrees;
  g_state.scale_x = sx;
  g_state.scale_y = sy;
  UpdateTransform();
}
void SetOrigin(float x, float y) { g_state.origin_x = x; g_state.origin_y = y; }
void GetOrigin(float& x, float& y) { x = g_state.origin_x; y = g_state.origin_y; }
void SetHandle(float x, float y) { g_state.handle_x = x; g_state.handle_y = y; }
void GetHandle(float& x, float& y) { x = g_state.handle_x; y = g_state.handle_y; }
void SetViewport(int x, int y, int w, int h) { g_state.vp_x = x; g_state.vp_y = y; g_state.vp_w = w; g_state.vp_h = h; }
void GetViewport(int& x, int& y, int& w, int& h) { x = g_state.vp_x; y = g_state.vp_y; w = g_state.vp_w; h = g_state.vp_h; }
void SetLineWidth(float width) { g_state.line_width = width; }
float GetLineWidth() { return g_state.line_width; }
void SetImageFont(ImageFontRef font) { g_state.font = std::move(font); }
ImageFontRef GetImageFont() { return g_state.font; }
void SetClearColor(int r, int g, int b) { g_state.clear_r = r; g_state.clear_g = g; g_state.clear_b = b; }

void ResetDrawState() {
  g_state = DrawState();
  g_state.vp_w = g_default_vp_w;
  g_state.vp_h = g_default_vp_h;
}

void internal::SetDefaultViewport(int width, int height) {
  g_default_vp_w = width;
  g_default_vp_h = height;
}

}  // namespace platform
