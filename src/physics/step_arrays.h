#pragma once
// The physics step's working copy of the world, laid out flat so that the
// step walks memory in order instead of following pointers from object to
// object: the fields of every particle the step reads or writes in one array
// of bodies, the constraints as pairs of body slots in the order of the
// engine's Constraints, each group's particles as slots in chain order, and
// the statics' bounding boxes.
//
// The engine fills it at the start of a step and writes the particles back at
// the end. It holds plain pointers, owned by the engine's lists; nothing may
// add or remove particles or constraints while it is in use (the contact
// listener included). A listener reads the positions the step started with.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/object.h"

namespace kelp {

class TPhysEngine_Particle;
class TPhysEngine_Constraint;
class TPhysEngine_Group;
class TPhysEngine_Static;

// A particle's fields as the step uses them (names as on the particle, so
// the swept move serves both).
struct StepBody {
  float x, y, ox, oy, tx, ty;
  float mass, radius, friction, col_friction;
  int static_, underwater, inactive, col_occured;
  uint8_t breakable, sticky, dusty;
  uint8_t glue;  // temporary constraints in the engine that end at it
};

struct StepLink {
  static constexpr uint32_t kNone = UINT32_MAX;
  uint32_t a, b;  // body slots; kNone once the constraint is gone
  float length, stiffness;
  int ctype;
  int temporary;
};

struct StepStatic {
  float minx, maxx, miny, maxy;
  TPhysEngine_Static* s;
};

struct StepArrays {
  // Bodies: first those of the engine's Particles, then any that only a group
  // or a constraint names. Same index in all three.
  std::vector<StepBody> bodies;
  std::vector<TPhysEngine_Particle*> objects;
  std::vector<TPhysEngine_Group*> owners;
  // The engine's Particles as slots, in list order.
  std::vector<uint32_t> order;
  // The engine's Groups, as the list's own references (valid while the list
  // is unchanged). Group i's particles are groupSlots[groupStart[i] ..
  // groupStart[i + 1]), each held by the chain link in groupLinks.
  std::vector<const Ref<TPhysEngine_Group>*> groups;
  std::vector<uint32_t> groupStart, groupSlots;
  std::vector<const Ref<TPhysEngine_Particle>*> groupLinks;
  // The engine's Constraints in list order, and each one's ends and values.
  std::vector<TPhysEngine_Constraint*> constraints;
  std::vector<StepLink> links;
  std::vector<StepStatic> statics;

  // The order above is kept from step to step while the lists' change counts
  // are these (and every chain and constraint end is still where it was).
  bool kept = false;
  uint64_t particlesSeen = 0, groupsSeen = 0, constraintsSeen = 0;
};

}  // namespace kelp
