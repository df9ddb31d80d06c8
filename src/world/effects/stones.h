#pragma once
// A trophy stone that is pulled by its effect's magnet into the trophy
// counter, turning and changing size on the way; it ends on reaching the magnet.
#include <string>

#include "framework/media/particles.h"
#include "framework/media/visuals.h"
#include "platform/image.h"

namespace kelp {

class TStone : public TVisuals {
 public:
  platform::ImageRef Image;
  float x = 0.0f, y = 0.0f;
  float Speed = 0.0f;
  int TimeStart = 0;
  float LifeTime = 0.0f;
  float Scale = 1.0f, StartScale = 1.0f, EndScale = 1.0f;
  TMagnetRef Magnet;  // shared with the effect it was pointed at
  float Dir = 0.0f;   // 0 down, 90 right
  float angle = 0.0f;
  float angleSpeed = 0.0f;

  static Ref<TStone> Create(const std::string& imageId, int x, int y, float startScale, float endScale,
                            int lifeTime);
  void Update(float dt) override;
  void Draw() override;
};

}  // namespace kelp
