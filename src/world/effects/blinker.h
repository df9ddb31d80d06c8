#pragma once
// The blink timer of a building under construction: alpha rises to 0.8,
// holds, falls to 0 and rests, using one count per half blink, and each half
// blink advances the building's progress bar. The building reads alpha for
// its construction glow; the blinker itself draws nothing.
#include <cstdint>
#include <string>

#include "framework/media/visuals.h"
#include "world/effects/building_progress.h"

namespace kelp {

class TBlinker : public TVisuals {
 public:
  Ref<TBuildingProgress> Progress;  // null for roads
  int x = 0, y = 0;
  int count = 0, max_count = 0;
  float speed = 0.0f;
  float alpha = 0.0f;
  int upd_time = 0;
  int blink_time = 130;  // ms held at the top and at the bottom
  int state = 1;         // 1 rising, 2 top, 3 falling, 4 bottom
  uint8_t accel_flag = 0;  // blinks speed up and pauses shorten

  // kind "road" and "road2" get no bar; "road2" always blinks 9 counts, accelerating.
  static Ref<TBlinker> Create(const std::string& kind, int x, int y, int state, int count, float speed);
  void Init(int x, int y, int state, int count, float speed);
  void Update(float dt) override;
  void Draw() override {}

 private:
  void Advance(int oldCount);
};

}  // namespace kelp
