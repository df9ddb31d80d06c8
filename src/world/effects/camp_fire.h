#pragma once
// The village's camp fire in front of the huts: a fire place, flames, smoke
// and sparks, a light on the fire and a wider glow. The village screen owns
// it (not the effects list): it sets its state, updates it and draws it with
// Draw and, in a later pass, DrawLight. Place and pictures follow the village
// loaded when it is made (CurrentVillage).
#include "framework/media/visuals.h"
#include "platform/image.h"

namespace kelp {

class TEmitter;
class TLight;

class TCampFire : public TVisuals {
 public:
  static constexpr int OUT = 0, BURNING = 1, SMOULDERING = 2;

  float x = 0.0f, y = 0.0f;
  int state = OUT;
  platform::ImageRef Image, Image2, Image3;  // fire place; desert stones; snow glow
  float alpha = 0.0f;
  int alpha_state = 0;  // 0 brightening, 1 dimming
  Ref<TEmitter> Body, Body2, Smoke, Smoke2, Sparks, Sparks2;
  Ref<TLight> Light, Ambient;

  // An unlit fire of the current village; its six emitters join the village's.
  static Ref<TCampFire> Create();
  void Update(float dt) override;
  void Draw() override;
  void DrawLight();
};

}  // namespace kelp
