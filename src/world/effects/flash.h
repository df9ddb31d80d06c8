#pragma once
// A short additive flash sprite: it fades and shrinks from its start values
// at its own speed and dies when either reaches 0.
#include "framework/core/color.h"
#include "framework/media/visuals.h"
#include "platform/image.h"

namespace kelp {

class TFlash : public TVisuals {
 public:
  int frame = 0;
  int updTime = 0;
  int AnimSpeed = 0;
  platform::ImageRef Image;  // "IMAGE_FLASH"
  int x = 0, y = 0;
  float scale = 0.0f;
  float alpha = 0.0f;
  float speed = 0.0f;
  int fading = 0;
  Ref<TColor> color;

  // A new flash, appended to VisualsList; under 1 puts it in the under layer.
  static Ref<TFlash> CreateFlash(int x, int y, float scale, float alpha, const Ref<TColor>& color, float speed,
                                 int under);
  void Init(int x, int y, float scale, float alpha, const Ref<TColor>& color, float speed, int under);

  // Fading takes alpha and scale down per update, whatever the frame factor.
  void Update(float dt) override;
  void Draw() override;
};

}  // namespace kelp
