// Waypoint graphs from any bytes: what loads has ids 1..n, positions, radii
// and costs within their limits and joins on both sides, and path searches
// between its nodes always end and leave no search state behind.
#include <cstdint>
#include <cstdlib>

#include "fuzz_check.h"
#include "platform/stream.h"
#include "village/nodes.h"
#include "village/path_search.h"
#include "village/snapshot.h"

using namespace kelp;

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto stream = platform::OpenMemory(std::string_view(reinterpret_cast<const char*>(data), size));
  if (TNode::Load(*stream)) {
    const std::vector<Ref<TNode>> nodes = Snapshot(Nodes);
    Check(nodes.size() <= 255);
    int id = 0;
    for (const Ref<TNode>& n : nodes) {
      Check(n->ID == static_cast<uint8_t>(++id));
      Check(n->x >= -NodeCoordinateLimit && n->x <= NodeCoordinateLimit);
      Check(n->y >= -NodeCoordinateLimit && n->y <= NodeCoordinateLimit);
      Check(n->Radius >= 0 && n->Radius <= NodeRadiusLimit);
      Check(n->MovementCost >= 0 && n->MovementCost <= 255);
      for (const WeakRef<TNode>& w : n->NeighbourList) {
        const Ref<TNode> m = w.lock();
        Check(m != nullptr);
        bool back = false;
        for (const WeakRef<TNode>& k : m->NeighbourList) back = back || k.lock() == n;
        Check(back);
      }
    }
    TNode::UpdateGraph();
    // a few searches from the first nodes to the last ones
    for (size_t a = 0; a < nodes.size() && a < 4; ++a)
      for (size_t b = nodes.size(); b-- > 0 && b + 4 >= nodes.size();) {
        const Ref<TPath> p = TPath::Find(nodes[a], nodes[b]);
        if (p) {
          Check(p->WaypointList.front() == nodes[a] && p->WaypointList.back() == nodes[b]);
          Check(p->WaypointList.size() <= nodes.size());
        }
        for (const Ref<TNode>& n : nodes) Check(!n->InOpenList && !n->InClosedList && n->Gcost == 0);
      }
    Check(TNode::Find(0, 0) != nullptr || nodes.empty());
  }
  TNode::Clear();
  return 0;
}
