#pragma once
// The red danger line at the world's critical height. Start asks for a sweep
// after a delay; the sweep grows the band from the middle and unpauses the
// level once it is fully open. Afterwards it wobbles and flickers. Its marker
// (Pimpo) is run by the boxes above the line. One object, made at start-up.
#include "framework/core/object.h"
#include "platform/image.h"

namespace kelp {

class TAnimImage;

class TRedLine : public Object {
 public:
  int startX = 0, startY = 0;  // centre of the wobble
  float currentX = 0.0f, currentY = 0.0f;
  float angle = 0.0f;  // degrees
  float speed = 1.5f;  // wobble, degrees a frame
  float accel = 1.5f;  // growth of Length a frame
  float radius = 3.0f;
  float alpha = 1.0f;   // flicker, 0.8..1
  int alpha_state = 0;  // 0 steady, 1 brightening, 2 dimming
  int clockwise = 0;
  Ref<TAnimImage> Pimpo;  // "IMAGE_PIMPO", the end markers
  platform::ImageRef Ray;  // "IMAGE_RAY", tiled into the band
  int Length = 30;
  int state = 0;  // 0 idle, 1 sweep requested, 2 sweeping, 3 done
  int starting = 0;
  int timeout = 0;  // GameTime at which the requested sweep begins

  int Init();
  // Requests a sweep delay ms from now.
  int Start(int delay);
  // Sweeps (unpausing the level when fully open), flickers and wobbles.
  int Update(float dt);
  // The band at the world's critical line, with a marker at each end.
  int Draw();
};

extern Ref<TRedLine> RedLine;

}  // namespace kelp
