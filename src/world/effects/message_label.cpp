#include "world/effects/message_label.h"

#include "framework/core/random.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "platform/graphics_state.h"
#include "world/village_state.h"

namespace kelp {

namespace {

Ref<TAdvancedMessageLabel> MakeLabel(const std::string& text, float x, float y, const Ref<TBMFont>& font,
                                     const Ref<TColor>& color, float scale, float targetScale, float scaleSpeed) {
  auto l = New<TAdvancedMessageLabel>();
  l->text = text;
  l->x = x;
  l->y = y;
  l->Font = font;
  l->Color = color;
  l->Scale = scale;
  l->TargetScale = targetScale;
  l->ScaleSpeed = scaleSpeed;
  l->alpha = 1.0f;
  return l;
}

}  // namespace

Ref<TAdvancedMessageLabel> TAdvancedMessageLabel::CreateLabel(const std::string& text, float x, float y,
                                                              const Ref<TBMFont>& font, const Ref<TColor>& color,
                                                              float scale, float targetScale, float scaleSpeed) {
  auto l = MakeLabel(text, x, y, font, color, scale, targetScale, scaleSpeed);
  l->_dy = -0.1f + Rnd(-0.02f, 0.02f);
  l->dx = Rnd(-0.2f, 0.2f);
  VisualsList.AddLast(l);
  return l;
}

Ref<TAdvancedMessageLabel> TAdvancedMessageLabel::CreateLabel2(const std::string& text, float x, float y,
                                                               const Ref<TBMFont>& font, const Ref<TColor>& color,
                                                               float scale, float targetScale, float scaleSpeed) {
  auto l = MakeLabel(text, x, y, font, color, scale, targetScale, scaleSpeed);
  l->_dy = Rnd(-0.02f, -0.015f);
  l->dx = 0.0f;
  VisualsList.AddLast(l);
  return l;
}

void TAdvancedMessageLabel::Update(float dt) {
  dy += _dy;
  x += dx * dt;
  y += dt * dy;
  if (alpha <= 0.0f) Death = 1;
  Scale += ScaleSpeed;
  if (Scale >= TargetScale) alpha -= dt * 0.04f;
}

void TAdvancedMessageLabel::Draw() {
  const float c = VillageState ? VillageState->Closing_scale : 1.0f;
  const float scroll = VillageState ? VillageState->Scroll_x : 0.0f;
  PushGraphicsState();
  platform::SetOrigin(ShakeOffsetX + scroll, ShakeOffsetY);
  platform::SetBlend(3);
  ApplyColor(Color);
  SetBMFont(Font);
  platform::SetAlpha(alpha);
  platform::SetScale(Scale * c, Scale * c);
  DrawBMText(text, x * c, y * c);
  ApplyColor(ColorWhite);
  PopGraphicsState();
}

}  // namespace kelp
