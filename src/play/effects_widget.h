#pragma once
// A full-canvas layer of particle emitters for a screen or scene of its own
// (the results screen, the closing scene of the story): salute particles
// burst into small fireworks, finished emitters leave.
#include "framework/core/object_list.h"
#include "framework/media/particles.h"
#include "framework/ui/widget.h"

namespace kelp {

class TEffectsWidget : public TWidget {
 public:
  ObjectList<TEmitter> Emitters;
  int particles = 0;  // live particles counted by the last update

  // A new layer at the virtual size, not modal, not fadeable, added to the widget manager.
  static Ref<TEffectsWidget> Create();
  void AddEmitter(const Ref<TEmitter>& emitter);
  int Update(float dt) override;
  // Every emitter not cut, at alpha 1.
  int Draw() override;
  // Drops every emitter with its particles.
  int RemovedFromManager() override;
};

}  // namespace kelp
