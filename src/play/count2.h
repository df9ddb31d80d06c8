#pragma once
// The animated number of the results screen: it counts from a start value to
// a target in steps whose size makes every distance take about the same time
// (about divisor / Speed frames at frame factor 1), plays its sound while it
// counts, and bursts a sparkle at its end when it arrives. It always lands
// exactly on the target, however long a frame.
//
// Ownership: CreateCount appends it to VisualsList, which updates it; its
// parent dialog draws it (Over 0, Drawable 0) and kills it when it leaves.
#include <string>

#include "framework/media/visuals.h"

namespace kelp {

class TBMFont;
class TLevelComplete;

class TCount2 : public TVisuals {
 public:
  float Progress = 0.0f;  // 0..1
  float Ammount = 0.0f;   // the value shown
  int StartAmmount = 0;
  int TargetAmmount = 0;
  Ref<TBMFont> Font;
  int x = 0, y = 0;  // relative to the parent
  float Speed = 0.0f;
  int UpdTime = 0;
  float CurrentStep = 0.0f;
  int flag = 0;  // the last step was taken
  int started = 0;
  int Align = 0;  // 0 left, 1 centred in width, 2 right-aligned to x + width
  int Shadow = 0;
  int done = 0;
  WeakRef<TLevelComplete> Parent;
  std::string Sound;
  int width = 0;

  static Ref<TCount2> CreateCount(const Ref<TLevelComplete>& parent, int x, int y, int start, int target,
                                  const Ref<TBMFont>& font, float speed, int align, int over, int drawable,
                                  int width);
  // Back to the start value with new arguments; the counter waits for Start.
  void Init(int x, int y, int start, int target, const Ref<TBMFont>& font, float speed, int align, int over,
            int drawable, int width);
  void Start() { started = 1; }
  void Kill();
  void SetPosition(int px, int py);
  void Update(float dt) override;
  // The value, truncated, at (x, y) of the parent's rectangle (the parent draws it).
  void Draw() override;

  // The step divisor for a distance.
  static int Divisor(int distance);
};

}  // namespace kelp
