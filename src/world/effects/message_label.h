#pragma once
// A rising label: a coloured text that drifts up, grows and then fades (score
// pop-ups in the level and the village).
#include <string>

#include "framework/core/color.h"
#include "framework/media/impulse.h"
#include "framework/media/visuals.h"

namespace kelp {

class TBMFont;

class TAdvancedMessageLabel : public TVisuals {
 public:
  std::string text;
  float x = 0.0f, y = 0.0f;
  float dx = 0.0f, dy = 0.0f;
  float _dx = 0.0f, _dy = 0.0f;  // _dy: added to dy every update
  float ImpulseX = 0.0f, ImpulseY = 0.0f;
  int impulsed = 0;
  Ref<TImpulse> impulse;  // not set by the creators
  float alpha = 1.0f;
  float Scale = 1.0f;
  float TargetScale = 1.0f;  // fading starts once Scale reaches it
  float ScaleSpeed = 0.0f;   // added to Scale every update
  Ref<TBMFont> Font;
  Ref<TColor> Color;

  // Rises fast with a little sideways drift.
  static Ref<TAdvancedMessageLabel> CreateLabel(const std::string& text, float x, float y, const Ref<TBMFont>& font,
                                                const Ref<TColor>& color, float scale, float targetScale,
                                                float scaleSpeed);
  // Rises slowly and straight.
  static Ref<TAdvancedMessageLabel> CreateLabel2(const std::string& text, float x, float y,
                                                 const Ref<TBMFont>& font, const Ref<TColor>& color, float scale,
                                                 float targetScale, float scaleSpeed);
  void Update(float dt) override;
  void Draw() override;
};

}  // namespace kelp
