#pragma once
// Shrinks a box's physics body once, geometrically, by about `ammount`.
#include "framework/media/visuals.h"

namespace kelp {

class TBlock;

class TResizer : public TVisuals {
 public:
  WeakRef<TBlock> Block;
  float speed = 0.0f, ammount = 0.0f;
  float scale = 1.0f;

  static Ref<TResizer> Create(const Ref<TBlock>& block, float speed, float amount);
  // Scales the body by 1 - speed * dt each update, the last one included;
  // ends at its target, or at once when the box is gone.
  void Update(float dt) override;
  void Draw() override {}
};

}  // namespace kelp
