#pragma once
// The progress bar under a building while it is built: the front image is
// revealed from the left as Current runs toward Target (percent). The bar
// removes itself once full.
#include "framework/media/visuals.h"
#include "platform/image.h"

namespace kelp {

class TBuildingProgress : public TVisuals {
 public:
  float x = 0.0f, y = 0.0f;
  int width = 0, height = 0;  // of the front image
  platform::ImageRef ImageBack, ImageFront;
  float CurWidth = 0.0f;
  float Alpha = 0.0f;
  float Speed = 0.24f;  // percent per unit of frame factor
  int AlphaState = 0, AlphaUpd = 0;
  float Target = 0.0f, Current = 0.0f;

  static Ref<TBuildingProgress> Create(float x, float y);
  void Init();
  // The percent to run to; above 100 counts as 100.
  void SetState(float percent);
  void Update(float dt) override;
  void Draw() override;
};

}  // namespace kelp
