#include "world/effects/rings.h"

#include "framework/core/random.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/village_state.h"
#include "world/block.h"

namespace kelp {

namespace {

platform::ImageRef RingImage() { return ResManager ? ResManager->GetImage("IMAGE_RING") : nullptr; }

template <class R>
void Start(R& r, float speed, float alphaSpeed) {
  r.img = RingImage();
  r.speed = speed;
  r.alpha_speed = alphaSpeed;
  r.angle_speed = Rnd(-0.8f, 0.8f);
  r.scale = 0.5f;
  r.alpha = 0.8f;
  r.angle = 0.0f;
}

template <class R>
void Step(R& r, float dt) {
  r.scale += r.speed * dt;
  r.alpha -= r.alpha_speed * dt;
  r.angle += r.angle_speed * dt;
  if (r.alpha <= 0.0f) r.Death = 1;
}

template <class R>
void DrawRing(const R& r, float x, float y) {
  platform::SetScale(r.scale, r.scale);
  platform::SetRotation(r.angle);
  platform::SetAlpha(r.alpha);
  if (r.img) platform::DrawImage(r.img, x, y, 0);
}

}  // namespace

Ref<TRing> TRing::Create(const Ref<TBlock>& block, float speed, float alphaSpeed) {
  auto r = New<TRing>();
  r->Block = block;
  Start(*r, speed, alphaSpeed);
  VisualsList.AddLast(r);
  return r;
}

void TRing::Update(float dt) {
  const Ref<TBlock> b = Block.lock();
  if (!b || b->Deleted()) {
    Death = 1;
    return;
  }
  Step(*this, dt);
}

void TRing::Draw() {
  const Ref<TBlock> b = Block.lock();
  if (!b || b->Deleted()) return;
  PushGraphicsState();
  DrawRing(*this, b->RenderX, b->RenderY);
  PopGraphicsState();
}

Ref<TStaticRing> TStaticRing::Create(float x, float y, float speed, float alphaSpeed) {
  auto r = New<TStaticRing>();
  r->x = x;
  r->y = y;
  Start(*r, speed, alphaSpeed);
  VisualsList.AddLast(r);
  return r;
}

void TStaticRing::Update(float dt) { Step(*this, dt); }

void TStaticRing::Draw() {
  PushGraphicsState();
  const float scroll = VillageState ? VillageState->Scroll_x : 0.0f;
  platform::SetOrigin(ShakeOffsetX + scroll, ShakeOffsetY);
  DrawRing(*this, x, y);
  PopGraphicsState();
}

}  // namespace kelp
