#include "world/effects/expl_child.h"

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

Ref<TExplChild> TExplChild::Create() {
  auto c = New<TExplChild>();
  c->Image = ResManager->GetImage("Iskra");
  if (c->Image) c->Image->MidHandle();
  c->AnimSpeed = Rand(40, 90);
  c->Frames = Rand(14, 19);
  c->ScaleB = Rnd(0.4f, 1.7f);
  return c;
}

void TExplChild::Draw(float x, float y) {
  if (updTime + AnimSpeed < GameTime) {
    frame += 1;
    if (frame >= Frames) frame = 0;
    updTime = GameTime;
  }
  platform::SetBlend(4);
  platform::SetScale(ScaleB, ScaleB);
  platform::SetRotation(static_cast<float>(-Angle - 90));
  if (Image) platform::DrawImage(Image, x, y, frame);
  platform::SetBlend(3);
}

}  // namespace kelp
