#pragma once
// Effects a box carries while a parasite sits on it or a yeti freezes it, and
// the parasite smoke on a villager. They draw nothing themselves: their
// emitters go to the level interface (or the village screen), which steps and
// draws them. The owner calls Update2 every frame, so that the particles
// follow, and Kill when the parasite leaves or the box goes.
#include "framework/core/object.h"
#include "framework/media/particles.h"
#include "framework/media/visuals.h"

namespace kelp {

class TBlock;

class TEvilSmoke : public TVisuals {
 public:
  WeakRef<TBlock> Block;
  Ref<TEmitter> Emitter;   // "EFFECT_SMOKE02": its particles stay where they were born
  Ref<TEmitter> Emitter2;  // "EFFECT_SMOKE01": moves with the box and thickens
  int Paused = 0;

  // Pauses every smoke while the level is paused; on resume only those that
  // were not paused by their owner go on.
  static void GamePause();
  void Init(const Ref<TBlock>& block);
  void Update2();
  // Thickens the smoke up to 30 particles a second.
  void Update(float dt) override;
  void Kill();
  // An unpause is refused while the level is paused.
  void Pause(int flag);
  void Draw() override {}
  // Starts paused when the level is paused.
  static Ref<TEvilSmoke> Create(const Ref<TBlock>& block);
};

class TFreezeEffect : public TVisuals {
 public:
  WeakRef<TBlock> Block;
  Ref<TEmitter> Emitter;  // "EFFECT_FREEZE02"
  int Paused = 0;

  static void GamePause();
  void Init(const Ref<TBlock>& block);
  void Update2();
  // Thickens the frost up to 100 particles a second.
  void Update(float dt) override;
  void Kill();
  void Pause(int flag);
  void Draw() override {}
  static Ref<TFreezeEffect> Create(const Ref<TBlock>& block);
};

}  // namespace kelp
