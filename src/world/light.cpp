#include "world/light.h"

#include "framework/media/graphics_state.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/village_state.h"
#include "world/block.h"
#include "world/resource_bindings.h"

namespace kelp {

void TLight::Init(const Ref<TBlock>& block, const Ref<TColor>& color, float scale, int pulse) {
  Block = block;
  Color = color;
  Stationary = 0;
  Scale = scale;
  CurrentScale = scale;
  Pulse = pulse;
}

void TLight::Init2(int px, int py, const Ref<TColor>& color, float scale, int pulse) {
  x = static_cast<float>(px);
  y = static_cast<float>(py);
  Color = color;
  Stationary = 1;
  Scale = scale;
  CurrentScale = scale;
  Pulse = pulse;
}

void TLight::Remove() {
  Block.reset();
  Color = nullptr;
}

void TLight::Update(float dt) {
  if (!Pulse) return;
  if (PulseState == 1)
    CurrentScale += dt * Speed;
  else
    CurrentScale -= dt * Speed;
  if (CurrentScale <= Scale / 1.5f) PulseState = 1;
  if (CurrentScale >= Scale) PulseState = 0;
}

void TLight::Draw(float alpha) {
  PushGraphicsState();
  if (!Stationary) {
    if (Ref<TBlock> block = Block.lock()) {
      x = block->RenderX;
      y = block->RenderY;
    }
  }
  const float c = VillageState ? VillageState->Closing_scale : 1.0f;
  platform::SetBlend(platform::LIGHTBLEND);
  platform::SetAlpha(alpha);
  platform::SetScale(CurrentScale * c, CurrentScale * c);
  ApplyColor(Color);
  platform::DrawImage(ImageLight, x * c, y * c);
  PopGraphicsState();
}

}  // namespace kelp
