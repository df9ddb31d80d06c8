#pragma once
// The zeppelin over the desert village. It hovers, can be shown broken, and
// carries the villagers to the snow island: state 1 takes off, 2 flies out
// and fades to black, 3 (one frame) swaps the village for the snow one, 4
// flies in and fades in, 5 lands, 6 has landed (Ell and Red step out and
// dialog 2001 opens). The village screen owns, updates and draws it; the
// story starts the flight by setting state to 1.
// Clock: stepped by the frame factor f, timed on GameTime.
#include "framework/core/color.h"
#include "framework/core/object.h"
#include "platform/image.h"

namespace kelp {

class TEmitter;

class TZeppelin : public Object {
 public:
  float currentx = 0.0f, currenty = 0.0f;
  float startx = -120.0f, starty = 40.0f;
  float shadowx = 30.0f, shadowy = 250.0f;
  float shadow_alpha = 0.0f, shadow_max_alpha = 1.0f;
  Ref<TColor> shadow_color;
  float scale = 0.7f, shadow_scale = 0.7f;
  float dx = 0.0f, dy = 0.0f;
  float speed = 0.001f;
  float angle = 0.0f, angle_speed = 1.5f, radius = 3.0f;
  platform::ImageRef Image, Shadow;
  int state = 0;
  int shadow_state = 0;  // 0 fading in, 1 fading out
  float width = 600.0f, width_speed = -2.0f;
  Ref<TEmitter> Smoke;
  int fade_flag = 0;
  int daytime_flag = 0;
  int Crushed = 0;
  Ref<TEmitter> CrushedSmoke;

  static Ref<TZeppelin> Create();
  void Remove();
  // The picture: 0, 1, 2 the airship's looks, 3 broken (it no longer moves).
  void Set(int n);
  void Update(float f);
  // Ell and Red step out after the landing; dialog 2001 opens.
  void CreateCreatures();
  void DrawShadow();
  void Draw();
};

}  // namespace kelp
