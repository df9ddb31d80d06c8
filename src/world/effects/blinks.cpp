#include "world/effects/blinks.h"

#include <algorithm>
#include <cmath>

#include "framework/core/color.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/light.h"

namespace kelp {

void TBlink::Init(float x_, float y_) {
  Drawable = 0;
  x = x_;
  y = y_;
  angle = static_cast<float>(Rand(0, 360));
  clockwise = 1;
  anglespeed = 0.2f;
  alphaspeed = 0.004f;
  scalespeed = 0.0002f;
  alpha = Scale = alpha_light = 0.0f;
  state = 1;
  Image = ResManager->GetImage("IMAGE_TROPHY_LIGHT");
  Light = New<TLight>();
  Light->Init2(Int(x), Int(y), ColorCream, 8.0f, 1);
}

Ref<TBlink> TBlink::Create(float x, float y) {
  auto b = New<TBlink>();
  b->Init(x, y);
  VisualsList.AddLast(b);
  return b;
}

void TBlink::Update(float dt) {
  switch (state) {
    case 0:
      alpha_light = 1.0f;
      alpha += alphaspeed * dt;
      Scale += scalespeed * dt;
      // Turned back toward the band rather than flipped, so a long frame that
      // carries it past an edge cannot leave it flipping outside.
      if (alpha >= 1.0f) alphaspeed = -std::fabs(alphaspeed);
      else if (alpha <= 0.8f) alphaspeed = std::fabs(alphaspeed);
      if (Scale >= 1.4f) scalespeed = -std::fabs(scalespeed);
      else if (Scale <= 1.3f) scalespeed = std::fabs(scalespeed);
      break;
    case 1:
      alpha = std::max(0.0f, alpha - 0.01f * dt);
      Scale = std::max(0.0f, Scale - 0.06f * dt);
      alpha_light = std::max(0.0f, alpha_light - 0.02f * dt);
      break;
    case 2:
      alpha = std::min(1.0f, alpha + 0.01f * dt);
      Scale = std::min(1.4f, Scale + 0.05f * dt);
      alpha_light = std::min(1.0f, alpha_light + 0.01f * dt);
      // The scale is capped at 1.4, so "full" is any scale from 1 up.
      if (alpha == 1.0f && Scale >= 1.0f) state = 0;
      break;
    default:
      break;
  }
  angle += clockwise ? anglespeed * dt : -anglespeed * dt;
  if (angle < 0.0f) angle += 360.0f;
  if (angle > 360.0f) angle -= 360.0f;
  if (Light) Light->Update(dt);
}

void TBlink::Draw() {
  PushGraphicsState();
  platform::SetBlend(4);
  platform::SetAlpha(alpha);
  platform::SetColor(255, 255, 255);
  platform::SetScale(Scale, Scale);
  platform::SetRotation(angle);
  if (Image) platform::DrawImage(Image, x, y, 0);
  if (Light) Light->Draw(alpha_light);
  PopGraphicsState();
}

}  // namespace kelp
