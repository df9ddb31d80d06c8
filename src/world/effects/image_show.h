#pragma once
// An image that grows from nothing to full size and settles with a springy
// wobble (the results screen). The effects list updates it; its owner draws it.
#include "framework/media/impulse.h"
#include "framework/media/visuals.h"
#include "framework/ui/widget.h"
#include "platform/image.h"

namespace kelp {

class TShowImage : public TVisuals {
 public:
  Ref<TWidget> Parent;
  platform::ImageRef Image;
  Ref<TImpulse> Impulse;
  float scale = 0.0f;
  float scale_speed = 0.0f;
  int state = 0;  // 0 growing, 1 starting the wobble, 2 wobbling, 3 at rest
  int time = 0;
  int x = 0, y = 0;

  static Ref<TShowImage> Create(const platform::ImageRef& image, int x, int y, const Ref<TWidget>& parent);
  void Update(float dt) override;
  void Draw() override;
  void Kill();
};

}  // namespace kelp
