#pragma once
// A rotating, pulsing light star that fades in and out (trophies). The
// effects list updates it; its owner sets state and draws it.
#include "framework/media/visuals.h"
#include "platform/image.h"

namespace kelp {

class TLight;

class TBlink : public TVisuals {
 public:
  float x = 0.0f, y = 0.0f;
  float Scale = 0.0f;
  platform::ImageRef Image;
  float alpha = 0.0f;
  float angle = 0.0f;
  int clockwise = 1;
  float anglespeed = 0.0f, alphaspeed = 0.0f, scalespeed = 0.0f;
  int state = 1;  // 0 shining, 1 fading out, 2 fading in
  Ref<TLight> Light;
  float alpha_light = 0.0f;

  void Init(float x, float y);
  void Update(float dt) override;
  void Draw() override;
  static Ref<TBlink> Create(float x, float y);
};

}  // namespace kelp
