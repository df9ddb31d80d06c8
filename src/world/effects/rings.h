#pragma once
// A ring that grows, turns and fades: around a box (TRing, it follows the
// box) or at a fixed point of the village (TStaticRing).
#include "framework/media/visuals.h"
#include "platform/image.h"

namespace kelp {

class TBlock;

class TRing : public TVisuals {
 public:
  WeakRef<TBlock> Block;
  platform::ImageRef img;  // "IMAGE_RING"
  float speed = 0.0f, alpha_speed = 0.0f;
  float scale = 0.5f, alpha = 0.8f;
  float angle = 0.0f, angle_speed = 0.0f;

  static Ref<TRing> Create(const Ref<TBlock>& block, float speed, float alphaSpeed);
  // Ends when transparent, or when its box is gone.
  void Update(float dt) override;
  void Draw() override;
};

class TStaticRing : public TVisuals {
 public:
  float x = 0.0f, y = 0.0f;
  platform::ImageRef img;
  float speed = 0.0f, alpha_speed = 0.0f;
  float scale = 0.5f, alpha = 0.8f;
  float angle = 0.0f, angle_speed = 0.0f;

  static Ref<TStaticRing> Create(float x, float y, float speed, float alphaSpeed);
  void Update(float dt) override;
  // In village coordinates: shifted by the village's scroll and the shake.
  void Draw() override;
};

}  // namespace kelp
