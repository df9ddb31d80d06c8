#pragma once
// Animated images: a light player over the frame strip of an "animimage"
// resource. Every user makes its own player; the strip belongs to the resource.
#include <string>

#include "framework/object.h"
#include "platform/image.h"

namespace kelp {

class TAnimImage : public Object {
 public:
  int Frame = 0;
  int Frames = 0;
  int UpdTime = 0;
  int AnimSpeed = 0;  // ms per frame; 0 or less: no stepping
  int FrameWidth = 0, FrameHeight = 0;
  platform::ImageRef Image;
  int OneShoot = 0;
  int Paused = 0;
  int Mirrored = 0;
  std::string ResName;

  // A player of the resource's strip; animSpeed -1 takes the resource's own.
  // Null (after the resource manager's "Not found") when the id is not a
  // loaded animated image.
  static Ref<TAnimImage> Load2(const std::string& id, int animSpeed);
};

}  // namespace kelp
