#pragma once
// A snow-village geyser: a quiet steam emitter that erupts for 1.5 to 2
// seconds after a random pause of 10 to 20 or 30 to 60 seconds. Its emitters
// live in the village's emitter list.
#include "framework/media/particles.h"
#include "framework/media/visuals.h"

namespace kelp {

class TGeysir : public TVisuals {
 public:
  float x = 0.0f, y = 0.0f;
  Ref<TEmitter> Effect;  // paused while quiet
  int UpdTime = 0;
  int GenTime = 0;   // ms of quiet before the next eruption
  int LifeTime = 0;  // ms an eruption lasts

  static Ref<TGeysir> Create(float x, float y);
  void Draw() override {}
  void Update(float dt) override;
  void Remove();

 private:
  static int NewGenTime();
};

}  // namespace kelp
