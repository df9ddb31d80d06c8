#pragma once
// The level's score and effects widget over the whole play area. It keeps the
// particle emitters of level play (any effect hands its emitter over with
// AddEmitter), turns salute particles into small fireworks, and draws the
// effects list in its three layers.
#include "framework/core/object_list.h"
#include "framework/media/particles.h"
#include "framework/ui/widget.h"

namespace kelp {

class TCount;

class TGameInterface : public TWidget {
 public:
  ObjectList<TEmitter> Emitters;
  Ref<TCount> Points;  // the score counter
  Ref<TCount> Money;   // the money counter

  // Bursts the salute particles whose life is over, steps every emitter and
  // drops the dead ones.
  int Update(float dt) override;
  // The counters, the emitters not drawn under the scene, then the effects
  // under, normal and over.
  int Draw() override;
  int RemovedFromManager() override;
  // Hiding drops the emitters and the effects.
  int SetHided(int flag) override;
  int Pause(int flag);
  void AddEmitter(const Ref<TEmitter>& emitter);
};

// Made by the level screen when it joins the widget manager.
extern Ref<TGameInterface> GameInterface;

}  // namespace kelp
