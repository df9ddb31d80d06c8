#pragma once
// The red full-screen warning pulse of a level in danger. The level owns it;
// it stays silent until Pause(0) and switches itself off once the level is over.
#include "framework/media/visuals.h"

namespace kelp {

class TAlarm : public TVisuals {
 public:
  int width = 0, height = 0;
  int paused = 0;  // 1: the running pulse fades out, then the alarm goes off
  int off = 0;     // 1: neither updated nor drawn
  float speed = 0.1f;
  float alpha = 0.0f;
  int upd_time = 0;
  int blink_time = 130;  // ms held at the peak and at the bottom
  int state = 1;         // 1 rising, 2 peak, 3 falling, 4 bottom

  static Ref<TAlarm> Create(int state, float speed);
  void Init(int state, float speed);
  // 0 starts pulsing from dark; 1 lets the current pulse fade out, then stops.
  void Pause(int flag);
  void Remove();
  void Update(float dt) override;
  void Draw() override;
};

}  // namespace kelp
