#pragma once
// Ropes drawn along the constraint chain of a physics group (the crane cable,
// the menu ropes): the group's form of DrawRope in framework/rope.h.
#include "framework/core/object.h"
#include "framework/media/rope.h"
#include "physics/engine.h"
#include "platform/image.h"

namespace kelp {

// The strip follows the group's constraints from frstc along nxt; a null
// group or one without constraints draws nothing.
void DrawRope(const TPhysEngine_Group* group, const platform::ImageRef& strip, const platform::ImageRef& endImage);
inline void DrawRope(const Ref<TPhysEngine_Group>& group, const platform::ImageRef& strip,
                     const platform::ImageRef& endImage) {
  DrawRope(group.get(), strip, endImage);
}

}  // namespace kelp
