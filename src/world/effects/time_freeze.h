#pragma once
// The time-freeze bonus: a frozen clock grows over the level clock, the
// level's time stands still for LifeTime ms (longer by any time the level
// spends paused meanwhile), and the picture shrinks away. When it is gone the
// frozen time is credited once to the level clock and the trolleys' clock.
// A level reset that clears the effects before then credits nothing.
#include "framework/media/visuals.h"
#include "platform/image.h"

namespace kelp {

class TTimeFreeze : public TVisuals {
 public:
  platform::ImageRef Image;  // "IMAGE_CLOCK_FREEZE"
  float alpha = 0.0f, scale = 0.0f;
  float alpha_speed = 0.01f, scale_speed = 0.012f;  // per frame
  int BirthTime = 0;
  int LifeTime = 40000;
  int state = 0;  // 0 appearing, 1 shown, 2 leaving requested, 3 disappearing, 4 done

  // A new picture, appended to VisualsList.
  static Ref<TTimeFreeze> Create();
  // Starts the freeze: a burst at the clock, and the level's TimeFreeze flag set.
  void Init();
  // Nothing while the level is paused.
  void Update(float dt) override;
  void Draw() override;
};

}  // namespace kelp
