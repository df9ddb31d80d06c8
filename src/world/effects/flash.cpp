#include "world/effects/flash.h"

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/village_state.h"
#include "world/resource_bindings.h"

namespace kelp {

Ref<TFlash> TFlash::CreateFlash(int x, int y, float scale, float alpha, const Ref<TColor>& color, float speed,
                                int under) {
  auto flash = New<TFlash>();
  flash->Init(x, y, scale, alpha, color, speed, under);
  VisualsList.AddLast(flash);
  return flash;
}

void TFlash::Init(int px, int py, float pscale, float palpha, const Ref<TColor>& pcolor, float pspeed, int under) {
  x = px;
  y = py;
  Image = ImageFlash;
  AnimSpeed = Rand(20, 30);
  frame = 0;
  scale = pscale;
  alpha = palpha;
  fading = 1;
  Under = under;
  color = pcolor;
  speed = pspeed;
}

void TFlash::Update(float) {
  if (fading) {
    frame = 5;
    alpha -= 0.009f * speed;
    scale -= 0.004f * speed;
    if (alpha <= 0.0f) {
      alpha = 0.0f;
      Death = 1;
    }
    if (scale <= 0.0f) {
      scale = 0.0f;
      Death = 1;
    }
    return;
  }
  if (static_cast<long long>(updTime) + AnimSpeed < GameTime) {
    ++frame;
    updTime = GameTime;
  }
  if (frame > 13) Death = 1;
}

void TFlash::Draw() {
  PushGraphicsState();
  const float scroll = VillageState ? VillageState->Scroll_x : 0.0f;
  platform::SetOrigin(ShakeOffsetX + scroll, ShakeOffsetY);
  platform::SetBlend(platform::LIGHTBLEND);
  // Doubled, so that a mid grey tint gives the image's full brightness.
  if (color) platform::SetColor(color->r * 2, color->g * 2, color->b * 2);
  platform::SetAlpha(alpha);
  platform::SetScale(scale, scale);
  platform::DrawImage(Image, static_cast<float>(x), static_cast<float>(y), frame);
  PopGraphicsState();
}

}  // namespace kelp
