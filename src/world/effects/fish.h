#pragma once
// Fish leaping out of the level's water along a wobbling path. They live in
// the effects list but are not Drawable: the water draws them with DrawFishes.
#include "framework/core/color.h"
#include "framework/media/anim_image.h"
#include "framework/media/visuals.h"

namespace kelp {

class TFish : public TVisuals {
 public:
  float x = 0.0f, y = 0.0f;
  float scale = 0.0f;
  float dx = 0.0f, dy = 0.0f;
  float fall_angle = 0.0f;  // drawing angle: the direction of the last step
  float angle = 0.0f, angle_speed = 0.0f;
  float _angle = 0.0f, _angle_speed = 0.0f;  // phase of the wobble
  Ref<TAnimImage> image;
  float radius = 0.0f;  // wobble amplitude
  Ref<TColor> Color;

  // A fish at (x, y) leaping right (dir 1) or left (-1), appended to VisualsList.
  static Ref<TFish> Create(float x, float y, int dir);
  static void DrawFishes();

  void Init(float x, float y, int dir);
  void Update(float dt) override;
  void Draw() override;
};

}  // namespace kelp
