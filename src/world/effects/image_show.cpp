#include "world/effects/image_show.h"

#include "framework/core/frame_clock.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

Ref<TShowImage> TShowImage::Create(const platform::ImageRef& image, int x, int y, const Ref<TWidget>& parent) {
  auto s = New<TShowImage>();
  s->Image = image;
  s->scale = 0.0f;
  s->time = GameTime;
  s->Drawable = 0;
  s->scale_speed = 0.1f;
  s->x = x + (image ? image->Width() / 2 : 0);
  s->y = y;
  s->Parent = parent;
  VisualsList.AddLast(s);
  return s;
}

void TShowImage::Update(float dt) {
  if (Death) return;
  switch (state) {
    case 0:
      scale += dt * scale_speed;
      if (scale >= 1.0f) {
        scale = 1.0f;
        state = 1;
      }
      break;
    case 1:
      Impulse = TImpulse::CreateImpulse(0.03f, 0.1f, 0.12f, 1);
      state = 2;
      break;
    case 2:
      if (!Impulse || Impulse->Death) {
        scale = 1.0f;
        state = 3;
      } else {
        scale += dt * Impulse->impulse_strength;
      }
      break;
    default:
      break;
  }
}

void TShowImage::Draw() {
  platform::SetScale(scale, scale);
  if (Image) platform::DrawImage(Image, static_cast<float>(x), static_cast<float>(y), 0);
  platform::SetScale(1.0f, 1.0f);
}

void TShowImage::Kill() {
  Death = 1;
  Parent.reset();
  Image.reset();
  Impulse.reset();
}

}  // namespace kelp
