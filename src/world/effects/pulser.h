#pragma once
// Makes a box's physics body breathe between 1 - `ammount` and 1 + `ammount`
// of its size: the warning of a box about to be captured. Its owner ends it.
#include "framework/media/visuals.h"

namespace kelp {

class TBlock;

class TPulser : public TVisuals {
 public:
  WeakRef<TBlock> Block;
  float speed = 0.0f, ammount = 0.0f;
  float scale = 1.0f;

  static Ref<TPulser> Create(const Ref<TBlock>& block, float speed, float amount);
  // Ends only when the box is gone.
  void Update(float dt) override;
  void Draw() override {}
};

}  // namespace kelp
