#include "world/effects/building_progress.h"

#include <algorithm>
#include <cmath>

#include "framework/core/numeric.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/village_state.h"

namespace kelp {

Ref<TBuildingProgress> TBuildingProgress::Create(float x, float y) {
  auto bar = New<TBuildingProgress>();
  bar->Init();
  bar->x = x;
  bar->y = y;
  bar->Over = 1;
  bar->Speed = 0.24f;
  VisualsList.AddLast(bar);
  return bar;
}

void TBuildingProgress::Init() {
  ImageBack = ResManager->GetImage("IMAGE_GUI_BUILD_PROGRESS_BACK");
  ImageFront = ResManager->GetImage("IMAGE_GUI_BUILD_PROGRESS_FRONT");
  width = ImageFront ? ImageFront->Width() : 0;
  height = ImageFront ? ImageFront->Height() : 0;
}

void TBuildingProgress::SetState(float percent) { Target = std::min(percent, 100.0f); }

void TBuildingProgress::Update(float dt) {
  const float gap = Target - Current;
  if (std::fabs(gap) >= 0.1f * dt) {
    // Never past the target: a step that overshot would swing to and fro around it.
    const float step = std::min(dt * Speed, std::fabs(gap));
    Current += gap > 0.0f ? step : -step;
  } else {
    Current = Target;
  }
  CurWidth = static_cast<float>(width) * Current * 0.01f;
  if (Current >= 100.0f) Death = 1;
}

void TBuildingProgress::Draw() {
  const float c = VillageState ? VillageState->Closing_scale : 1.0f;
  const float sx = ShakeOffsetX + (VillageState ? VillageState->Scroll_x : 0.0f);
  PushGraphicsState();
  platform::SetOrigin(0.0f, 0.0f);
  platform::SetViewport(CanvasOffsetX, 0, VirtualWidth - CanvasOffsetX, VirtualHeight);
  platform::SetBlend(3);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::SetScale(1.0f, 1.0f);
  if (ImageBack) platform::DrawImage(ImageBack, c * (x + sx), c * y, 0);
  const int vx = Int(std::max(c * (sx + x), static_cast<float>(CanvasOffsetX)));
  const int vy = Int(c * (ShakeOffsetY + y));
  const int vw = Int(std::min(c * CurWidth, static_cast<float>(VirtualWidth - CanvasOffsetX)));
  const int vh = Int(c * static_cast<float>(height));
  platform::SetViewport(vx, vy, vw, vh);
  if (ImageFront) platform::DrawImage(ImageFront, c * (sx + x), c * (ShakeOffsetY + y), 0);
  PopGraphicsState();
}

}  // namespace kelp
