#pragma once
// A counter: a number that runs from a start value to a target value in
// steps (score and money on the interfaces), with sparks and a flash the
// first time it arrives. It counts only while its holder has it started.
#include "framework/media/visuals.h"

namespace kelp {

class TBMFont;

class TCount : public TVisuals {
 public:
  float Ammount = 0.0f;  // the value shown
  int StartAmmount = 0, TargetAmmount = 0;
  Ref<TBMFont> Font;
  int x = 0, y = 0;
  int Speed = 0;  // ms between steps
  int UpdTime = 0;
  float CurrentStep = 0.0f;
  int flag = 0;     // 1 once the target was reached
  int started = 0;  // set by the holder
  int Centered = 0;
  int Shadow = 0;   // a dark copy 1 pixel down-right

  // under puts it in the under layer; drawable 0 keeps it out of every layer.
  static Ref<TCount> CreateCount(int x, int y, int start, int target, const Ref<TBMFont>& font, int speed,
                                 int centered, int under, int drawable);
  void SetPosition(int x, int y);
  void Update(float dt) override;
  void Draw() override;

  // The base step for a distance between start and target.
  static float StepFor(int start, int target);
};

}  // namespace kelp
