#include "world/effects/pulser.h"

#include "world/block.h"

namespace kelp {

Ref<TPulser> TPulser::Create(const Ref<TBlock>& block, float speed, float amount) {
  auto p = New<TPulser>();
  p->Block = block;
  p->speed = speed;
  p->ammount = amount;
  p->scale = 1.0f;
  VisualsList.AddLast(p);
  return p;
}

void TPulser::Update(float dt) {
  const Ref<TBlock> b = Block.lock();
  if (!b || !b->Group) {
    Death = 1;
    return;
  }
  scale += speed * dt;
  if (scale >= 1.0f + ammount || scale <= 1.0f - ammount) speed = -speed;
  b->Group->Scale(1.0f + speed * dt);
}

}  // namespace kelp
