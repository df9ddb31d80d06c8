#include "physics/rope_draw.h"

#include <vector>

namespace kelp {

void DrawRope(const TPhysEngine_Group* group, const platform::ImageRef& strip, const platform::ImageRef& endImage) {
  if (!group) return;
  static thread_local std::vector<RopeLink> links;
  links.clear();
  for (const TPhysEngine_Constraint* c = group->frstc.get(); c; c = c->nxt.get()) {
    if (!c->p1 || !c->p2) continue;
    links.push_back({c->p1->x, c->p1->y, c->p2->x, c->p2->y});
  }
  DrawRope(links, strip, endImage);
}

}  // namespace kelp
