#pragma once
// The level's score and effects widget over the whole play area. It shows the
// score and money counters and the stage (or level) number, keeps the
// particle emitters of level play (any effect hands its emitter over with
// AddEmitter), turns salute particles into small fireworks, and draws the
// effects list in its three layers. The level screen makes it when it first
// joins the widget manager; it lives to the end of the process.
#include <functional>

#include "framework/core/object_list.h"
#include "framework/media/particles.h"
#include "framework/ui/widget.h"

namespace kelp {

class TBMFont;
class TCount;

class TGameInterface : public TWidget {
 public:
  ObjectList<TEmitter> Emitters;
  Ref<TCount> Points;  // the score counter
  Ref<TCount> Money;   // the money counter; it shows the value last copied into it

  // The counters follow the player's score and money (a change counts from
  // the old value); bursts the salute particles whose life is over, steps
  // every emitter and drops the dead ones.
  int Update(float dt) override;
  // The counters and the stage (or level) number, the emitters not drawn
  // under the scene, then the effects under, normal and over.
  int Draw() override;
  // Readies the red line and the gauge, makes the counters from the
  // player's score and money, and the gauge's bubbles (paused).
  int AddedToManager() override;
  int RemovedFromManager() override;
  // Hiding drops the gauge's bubbles, the emitters and the effects; showing
  // makes the bubbles again and copies the score and money into the counters.
  int SetHided(int flag) override;
  // The level's pause; the effects keep running.
  int Pause(int flag);
  void AddEmitter(const Ref<TEmitter>& emitter);

 private:
  Ref<TBMFont> Font;  // "FONT_SCORES", fetched when joining the manager
};

// Steps a list of emitters: every salute particle whose life is over (and
// that is not hidden) bursts into a firework, handed to `add` with a white
// flash; then each emitter updates and the dead ones leave. Returns the
// number of particles counted before the update.
int StepEmitters(ObjectList<TEmitter>& emitters, float dt, const std::function<void(const Ref<TEmitter>&)>& add);

// Made by the level screen when it joins the widget manager.
extern Ref<TGameInterface> GameInterface;

}  // namespace kelp
