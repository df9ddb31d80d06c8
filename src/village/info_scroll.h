#pragma once
// The paper scrolls that unroll under a building (who lives there) and under
// a villager (its name and current thought). Both are visual effects of
// VisualsList: the owner opens one by setting state 1 and rolls it up with 3,
// after which it dies by itself. They draw in village coordinates shifted by
// the village's scroll.
#include "framework/media/visuals.h"
#include "platform/image.h"

namespace kelp {

class TBMFont;
class TUpgrade;
class TVillageCreature;

class TScroll : public TVisuals {
 public:
  float x = 0.0f, y = 0.0f;  // top-left
  float w = 0.0f;            // width of the top picture
  float th = 0.0f, bh = 0.0f;  // heights of the top and bottom pictures
  float target_length = 0.0f;
  float length = 0.0f;
  float speed = 5.0f;
  platform::ImageRef top, bottom;
  int state = 0;  // 0 closed, 1 unrolling, 2 at rest, 3 rolling up
  Ref<TBMFont> Font;
  WeakRef<TUpgrade> Upgrade;

  static Ref<TScroll> Create(const Ref<TUpgrade>& upgrade);
  // The paper length the building's inhabitants need.
  float WantedLength() const;
  void Update(float dt) override;
  void Draw() override;
};

class TCreatureScroll : public TVisuals {
 public:
  float x = 0.0f, y = 0.0f;
  float w = 0.0f;
  float th = 0.0f, bh = 0.0f;
  float target_length = 0.0f;
  float length = 0.0f;
  float speed = 10.0f;
  platform::ImageRef top, bottom;
  int state = 0;
  WeakRef<TVillageCreature> Creature;
  Ref<TBMFont> Font;

  static Ref<TCreatureScroll> Create(const Ref<TVillageCreature>& creature, const Ref<TBMFont>& font);
  void Update(float dt) override;
  void Draw() override;
};

}  // namespace kelp
