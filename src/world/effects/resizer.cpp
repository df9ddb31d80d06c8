#include "world/effects/resizer.h"

#include "world/block.h"

namespace kelp {

Ref<TResizer> TResizer::Create(const Ref<TBlock>& block, float speed, float amount) {
  auto r = New<TResizer>();
  r->Block = block;
  r->speed = speed;
  r->ammount = amount;
  r->scale = 1.0f;
  VisualsList.AddLast(r);
  return r;
}

void TResizer::Update(float dt) {
  const Ref<TBlock> b = Block.lock();
  if (!b || !b->Group) {
    Death = 1;
    return;
  }
  scale -= speed * dt;
  if (scale <= 1.0f - ammount) Death = 1;
  b->Group->Scale(1.0f - speed * dt);
}

}  // namespace kelp
