#pragma once
// What the engine tells about contacts. The engine gives them no meaning:
// whoever owns the bodies listens and decides what a contact does (the level
// world's boxes: world/box_contacts.h). An engine without a listener only
// pushes bodies apart.
//
// Calls come in the middle of a step, which works on its own copy of the
// particles: a particle's fields read meanwhile are those the step started
// with. A listener must not add or remove particles or constraints.
#include "framework/core/object.h"

namespace kelp {

class TPhysEngine_Group;
class TPhysEngine_Static;

class ContactListener {
 public:
  virtual ~ContactListener() = default;
  // A particle of g overlaps one of h and is about to be pushed apart from
  // it, while g or h has `fall` set. Called before that push, for every
  // such particle pair.
  virtual void Landed(TPhysEngine_Group& g, TPhysEngine_Group& h) = 0;
  // Particles of g came within touching distance (1.7 times their radii) of
  // particles of h in this step. Called once per ordered pair after their
  // particles were handled, so a touching pair is told from both sides.
  virtual void Touched(const Ref<TPhysEngine_Group>& g, const Ref<TPhysEngine_Group>& h) = 0;
  // A particle of g was pushed out of the static s.
  virtual void HitStatic(TPhysEngine_Group& g, TPhysEngine_Static& s) = 0;
};

}  // namespace kelp
