#pragma once
// A black cover over the game area whose alpha runs toward a ceiling. Its
// holder owns it, updates and draws it; it is not in the effects list.
#include "framework/core/object.h"

namespace kelp {

class TFade2 : public Object {
 public:
  float alpha = 0.0f;
  float speed = 0.0f;  // per unit of frame factor; positive darkens
  int pause = 0;       // 1 freezes and hides it
  int set = 0;
  float max_alpha = 0.0f;

  // The rectangle's size, shared by every cover; set by each Init.
  static int Width, Height;

  void Init(float alpha, float speed, float maxAlpha);
  static Ref<TFade2> Create(float alpha, float speed, float maxAlpha);
  void Draw();
  void Update(float dt);
};

}  // namespace kelp
