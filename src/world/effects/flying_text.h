#pragma once
// Flying letters: a message split into letters that fly in from off screen
// along curved paths, spring into place, hang and then burst into sparks or
// drop away under gravity.
#include <string>
#include <vector>

#include "framework/media/impulse.h"
#include "framework/media/visuals.h"

namespace kelp {

class TBMFont;
class TLight;

class TFlyingChar : public TVisuals {
 public:
  std::string Char;          // one letter
  std::vector<int> Coords;   // start, control 1, control 2, target as x, y pairs
  float x = 0.0f, y = 0.0f;
  float oldX = 0.0f, oldY = 0.0f;
  float dx = 0.0f, dy = 0.0f;
  float ImpulseX = 0.0f, ImpulseY = 0.0f;
  Ref<TImpulse> impulse;
  float velocity = 0.0f;  // path parameter per unit of frame factor
  int impulsed = 0;
  float t = 0.0f;         // path parameter 0..1
  int phase = 0;          // 1 once hanging in place
  int HangTime = 0;       // ms
  int BirthTime = 0;
  Ref<TLight> Light;
  Ref<TBMFont> Font;
  int xPlode = 0;         // 0 bursts at the end, 1 drops a falling copy, 2 is a falling letter
  float _dx = 0.0f, _dy = 0.0f;
  float alpha = 1.0f;
  int WaitTime = 0;       // GameTime before which it neither moves nor shows

  // One letter per character of text, laid out from (x, y) in font.
  static void CreateFlyingText(const std::string& text, float x, float y, int hang, float velocity,
                               const Ref<TBMFont>& font, int xPlode, int wait, int sound);
  static Ref<TFlyingChar> CreateFlyingChar(const std::string& letter, int targetX, int targetY, float velocity,
                                           int hang, const Ref<TBMFont>& font, int xPlode, int wait);
  void Remove();
  void Update(float dt) override;
  void Draw() override;

 private:
  void End();
};

}  // namespace kelp
