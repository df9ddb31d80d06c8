#pragma once
// The villagers' path search over the waypoint graph: a best-first search
// with open and closed lists whose current node is the first walkable open
// node at or below a running lowest F cost that starts at 255. Real pixel
// distances make F costs above 255 the rule, so the search then expands the
// open list first in, first out; unwalkable nodes are still expanded and used
// when that order reaches them. Only a cost of 255 or more closes a node.
//
// A search leaves no trace in the nodes: their search fields are cleared
// before Find returns, whatever the result.
#include <vector>

#include "framework/core/object.h"
#include "village/nodes.h"

namespace kelp {

class TPath : public Object {
 public:
  std::vector<Ref<TNode>> WaypointList;  // start to goal, both included

  static void Init();
  static void Clear();
  // The path from start to goal, or null when either is null, they are the
  // same node, the goal's cost is 255 or more, or nothing joins them.
  static Ref<TPath> Find(const Ref<TNode>& start, const Ref<TNode>& goal);
  // sqrt(Int(dx^2) + Int(dy^2)) * k.
  static double Heuristics(const TNode& a, const TNode& b, double k);

  void Draw();
  void Remove() { WaypointList.clear(); }
};

}  // namespace kelp
