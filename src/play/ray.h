#pragma once
// The ray bonus: the crane claw turned into a laser for a while. The claw
// keeps the active ray and draws it.
#include "framework/object.h"
#include "framework/particles.h"

namespace kelp {

class TRay : public Object {
 public:
  int state = 0;  // 0 idle, 1 charging, 2 firing
  Ref<TEmitter> Effect;  // set by the bonus that made the ray

  static Ref<TRay> Create();
  virtual void Draw();
};

}  // namespace kelp
