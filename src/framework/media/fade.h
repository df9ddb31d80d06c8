#pragma once
// The black full-screen fade. One shared instance, ScreenFade, runs every
// screen change; it is Constant, so clearing the effects keeps it. A user
// starts it with Init and waits for alpha to reach exactly 0 or max_alpha
// while `set` is 1, then clears `set` when it takes the fade over.
#include "framework/media/visuals.h"

namespace kelp {

class TFade : public TVisuals {
 public:
  float alpha = 0.0f;
  float speed = 0.0f;  // per unit of frame factor; positive darkens
  int pause = 0;       // 1 freezes and hides the fade
  int paused = 0;      // state saved by SetPaused(1)
  int set = 0;         // started and not yet taken over by its user
  float max_alpha = 0.0f;
  int _over = 0, _pause = 0, _set = 0;
  float _speed = 0.0f, _alpha = 0.0f, _max_alpha = 0.0f;

  void Update(float dt) override;
  void Draw() override;

  static Ref<TFade> Create(float alpha, float speed, float max);
  void Init(float alpha, float speed, float max);
  void InitOut(float alpha, float speed, float max) { Init(alpha, speed, max); }
  void InitMenuIn(float alpha, float speed, float max) { Init(alpha, speed, max); }
  void InitMenuOut(float alpha, float speed, float max) { Init(alpha, speed, max); }
  // 1 saves alpha, speed, Over, pause, set and max_alpha; 0 restores them.
  void SetPaused(int flag);
};

// The size of the fade's rectangle, set by every fade start.
extern int FadeWidth, FadeHeight;

// The shared screen fade; made at start-up.
extern Ref<TFade> ScreenFade;

}  // namespace kelp
