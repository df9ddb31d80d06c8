#pragma once
// The closing scene of the last story level: the screen shakes and fades to
// black, the brownie's transformation plays in the middle of the screen with
// a glow behind it, the picture fades back and the level completes. The
// level stays paused from the scene's start to its end.
#include "framework/ui/widget.h"

namespace kelp {

class TAnimImage;
class TEffectsWidget;
class TFade2;
class TBlink;

class TBrownieTransform : public TWidget {
 public:
  Ref<TAnimImage> Image;  // "IMAGE_BROWNIE_TRANSFORM", played once
  float Shake = 0.0f;     // screen-shake strength, grows to 3
  int ShakeTime = 0;      // GameTime of the last shake
  int UpdTime = 0;        // GameTime at the start of the current step
  float alpha = 0.0f;     // of the animation; counts up to 2, drawn clamped
  float scale = 1.0f;
  int state = 0;  // 0 shaking, 1 fade starts, 2 fading to black, 3 appearing, 4 playing, 5 vanishing, 6 fading back
  Ref<TEffectsWidget> Effects;
  Ref<TFade2> Fade2;  // its own black cover
  Ref<TBlink> Effect;  // the glow behind the animation

  // A new scene, started and added to the widget manager.
  static Ref<TBrownieTransform> Create();
  // Covers the screen, pauses the level and fades the music out.
  int Init();
  int Update(float dt) override;
  int Draw() override;
  int AddedToManager() override;
  int RemovedFromManager() override;

 private:
  // The level's results window leaves the screen before the picture returns.
  void RemoveResults();
};

}  // namespace kelp
