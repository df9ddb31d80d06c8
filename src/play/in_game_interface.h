#pragma once
// The level's frame and clock around the play field, drawn in layers between
// the world's images.
#include "framework/core/object.h"
#include "platform/image.h"

namespace kelp {

class TSectorImage;
class TLight;

class TInGameInterface : public Object {
 public:
  platform::ImageRef Sky;
  platform::ImageRef Back;  // the level background, chosen by the level
  Ref<TSectorImage> ClockShadow;
  int ClockTime = 0;
  Ref<TLight> ClockLight;
  int CloudInit = 0;

  // Fetches the images of the "Init" scope; needs that scope loaded.
  void Load();
  // The parts of the frame in one drawing layer, -2 to 3, between the world's images.
  void Draw(int layer);
};

extern Ref<TInGameInterface> InGameInterface;

}  // namespace kelp
