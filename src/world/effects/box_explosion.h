#pragma once
// What shows when a box is destroyed: its corner pieces fly apart and fall
// (TBoxExplode), and the creature that lived in it jumps out and tumbles off
// the screen (TCreature). Both sit in the normal layer of the effects list.
#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "framework/media/particles.h"
#include "framework/media/visuals.h"
#include "platform/image.h"

namespace kelp {

class TBlock;

class TBoxExplode : public TVisuals {
 public:
  Ref<ObjectList<TParticle>> List;  // the pieces; dropped when the last one is gone

  // Three or four pieces of the box's corners, moved by "EFFECT_BOX_EXPLODE";
  // appended to VisualsList.
  static Ref<TBoxExplode> Create(const Ref<TBlock>& block);
  // Fetches the piece images not fetched yet.
  static void Init();

  // While the frame rate is below 70 % of the target every piece lives one
  // update only, so a burst of explosions does not keep it down.
  void Update(float dt) override;
  void Draw() override;
};

// The piece images, by corner (upper left, upper right, lower left, lower
// right): plain, steel (armour 1) and gold (armour 2).
extern platform::ImageRef ImageBoxPart[4], ImageBoxPartSteel[4], ImageBoxPartGold[4];

class TCreature : public TVisuals {
 public:
  float x = 0.0f, y = 0.0f;
  float scale = 0.3f;  // grows to 1
  float dx = 0.0f, dy = 0.0f;
  float g = 0.0f;
  float angle = 0.0f;
  float angle_speed = 0.0f;
  platform::ImageRef image;  // none for a boss other than the yeti: never drawn

  static Ref<TCreature> Create(float x, float y, const Ref<TBlock>& block);
  void Init(float x, float y, const Ref<TBlock>& block);
  // Gravity and drag scale with the frame factor, the step itself does not.
  void Update(float f) override;
  void Draw() override;
};

// A plain image at a point.
class TImageContainer : public Object {
 public:
  int x = 0, y = 0;
  platform::ImageRef Image;

  static Ref<TImageContainer> Create(const platform::ImageRef& image, int x, int y);
  void Draw();
};

}  // namespace kelp
