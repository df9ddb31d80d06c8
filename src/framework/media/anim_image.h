#pragma once
// Animated images: a light player over the frame strip of an "animimage"
// resource. Every user makes its own player; the strip (and its mirrored copy)
// belongs to the resource.
#include <string>

#include "framework/core/object.h"
#include "platform/image.h"

namespace kelp {

class TAnimImage : public Object {
 public:
  int Frame = 0;
  int Frames = 0;
  int UpdTime = 0;    // GameTime of the last frame step
  int AnimSpeed = 0;  // ms per frame; 0 or less: no stepping
  int FrameWidth = 0, FrameHeight = 0;
  platform::ImageRef Image;
  int OneShoot = 0;  // play once
  int Paused = 0;
  int Mirrored = 0;
  std::string ResName;

  // A player of the resource's strip; animSpeed -1 takes the resource's own.
  // When the id is not a loaded animated image the player has no image and
  // one frame, so it draws nothing (and a warning is logged).
  static Ref<TAnimImage> Load2(const std::string& id, int animSpeed);

  bool CheckComplete() const;  // at or past the last frame
  // Steps the animation, then draws frame Frame at (x, y) with the draw state.
  // A one-shot player stops on its last frame.
  void Draw(float x, float y);
  // Steps the animation without drawing. A one-shot player ends on frame 0.
  void Update();

 private:
  void Step();
};

void DrawAnimImage(const Ref<TAnimImage>& anim, float x, float y);

// Switches the player between the resource's plain and mirrored frames. The
// mirrored copy is made on the first request for a resource and kept with
// it; only then is the player returned, otherwise null.
Ref<TAnimImage> CreateMirrorImage(const Ref<TAnimImage>& anim);

}  // namespace kelp
