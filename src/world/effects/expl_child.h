#pragma once
// An animated spark sprite drawn by its holder at a point of its choosing.
#include "framework/core/object.h"
#include "platform/image.h"

namespace kelp {

class TExplChild : public Object {
 public:
  int Angle = 0;
  float Size = 0.0f;
  float Speed = 0.0f;
  int frame = 0;
  int updTime = 0;
  int AnimSpeed = 0;  // ms per frame
  int Frames = 0;
  float ScaleB = 1.0f;
  platform::ImageRef Image;
  float alpha = 1.0f;

  static Ref<TExplChild> Create();
  // Advances the animation when its time has come, then draws the frame.
  void Draw(float x, float y);
};

}  // namespace kelp
