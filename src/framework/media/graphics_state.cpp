#include "framework/media/graphics_state.h"

#include <cstdint>

#include "framework/core/numeric.h"
#include "platform/draw.h"
#include "platform/window.h"

namespace kelp {

const Ref<LIFO> GraphicsStateStack = New<LIFO>();

void PushGraphicsState() {
  auto s = New<TGraphicsState>();
  s->Blend = platform::GetBlend();
  s->Rotation = platform::GetRotation();
  platform::GetScale(s->ScaleX, s->ScaleY);
  s->alpha = platform::GetAlpha();
  platform::GetColor(s->r, s->g, s->b);
  platform::GetViewport(s->vpx, s->vpy, s->vpw, s->vph);
  platform::GetOrigin(s->OrX, s->OrY);
  s->lineW = platform::GetLineWidth();
  s->font = platform::GetImageFont();
  GraphicsStateStack->Push(s);
}

void PopGraphicsState() {
  auto s = As<TGraphicsState>(GraphicsStateStack->Pop());
  if (!s) return;
  platform::SetAlpha(s->alpha);
  platform::SetScale(s->ScaleX, s->ScaleY);
  platform::SetBlend(s->Blend);
  platform::SetRotation(s->Rotation);
  platform::SetColor(s->r, s->g, s->b);
  platform::SetOrigin(s->OrX, s->OrY);
  platform::SetViewport(s->vpx, s->vpy, s->vpw, s->vph);
  platform::SetLineWidth(s->lineW);
  platform::SetImageFont(s->font);
}

void DrawImageWindow(const platform::ImageRef& image, float x, float y, float offsetX, float offsetY,
                     float w, float h, int frame) {
  if (!image) return;
  int vx, vy, vw, vh;
  platform::GetViewport(vx, vy, vw, vh);
  int left = Int(x);
  if (image->HandleX() != 0.0f && image->Width() > 0)
    left = Int(x - image->HandleX() / static_cast<float>(image->Width()) * w);
  int top = Int(y);
  if (image->HandleY() != 0.0f && image->Height() > 0)
    top = Int(y - image->HandleY() / static_cast<float>(image->Height()) * h);
  platform::SetViewport(vx + left, vy + top, Int(w), Int(h));
  platform::DrawImage(image, x - offsetX, y - offsetY, frame);
  platform::SetViewport(vx, vy, vw, vh);
}

bool IsOffScreen(int x, int y, int r) {
  // In 64 bits: a huge radius must not wrap around.
  const int64_t X = x, Y = y, R = r;
  return X - R > platform::GraphicsWidth() || X + R < 0 || Y - R > platform::GraphicsHeight() || Y + R < 0;
}

int TextWidthInFont(const std::string& text, const platform::ImageFontRef& font) {
  PushGraphicsState();
  if (font) platform::SetImageFont(font);
  const int w = platform::TextWidth(text);
  PopGraphicsState();
  return w;
}

int TextHeightInFont(const platform::ImageFontRef& font) {
  PushGraphicsState();
  if (font) platform::SetImageFont(font);
  const int h = platform::TextHeight("X");
  PopGraphicsState();
  return h;
}

}  // namespace kelp
