#pragma once
// The time-freeze bonus: a frozen clock over the level clock while the
// level's time stands still.
#include "framework/media/visuals.h"
#include "platform/image.h"

namespace kelp {

class TTimeFreeze : public TVisuals {
 public:
  platform::ImageRef Image;  // "IMAGE_CLOCK_FREEZE"
  float alpha = 0.0f, scale = 0.0f;
  float alpha_speed = 0.01f, scale_speed = 0.012f;
  int BirthTime = 0;
  int LifeTime = 40000;
  int state = 0;  // 0 appearing, 1 shown, 2 leaving requested, 3 disappearing, 4 done

  // A new picture, appended to VisualsList.
  static Ref<TTimeFreeze> Create();
  void Init();
  void Update(float dt) override;
  void Draw() override;
};

}  // namespace kelp
