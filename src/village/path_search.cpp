#include "village/path_search.h"

#include <cmath>
#include <cstdint>

#include "framework/core/numeric.h"

namespace kelp {

namespace {

// The open list and every node a search has touched (to clear afterwards).
std::vector<TNode*> OpenList;
std::vector<Ref<TNode>> Touched;

void Reset() {
  for (const Ref<TNode>& n : Touched) {
    n->InClosedList = 0;
    n->InOpenList = 0;
    n->Gcost = n->Hcost = n->Fcost = 0;
    n->Parent = nullptr;
  }
  Touched.clear();
  OpenList.clear();
}

TNode* ChooseCurrent() {
  uint16_t lowest = 255;
  for (TNode* n : OpenList)
    if (!n->Unwalkable && n->Fcost < lowest) lowest = static_cast<uint16_t>(n->Fcost);
  for (TNode* n : OpenList)
    if (!n->Unwalkable && n->Fcost <= lowest) return n;
  return OpenList.front();
}

void RemoveOpen(TNode* n) {
  for (size_t i = 0; i < OpenList.size(); ++i)
    if (OpenList[i] == n) {
      OpenList.erase(OpenList.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
}

}  // namespace

void TPath::Init() { OpenList.clear(); }

void TPath::Clear() { Reset(); }

double TPath::Heuristics(const TNode& a, const TNode& b, double k) {
  const double dx = static_cast<double>(a.x) - b.x, dy = static_cast<double>(a.y) - b.y;
  const auto sq = [](double v) { return static_cast<double>(static_cast<int64_t>(v * v)); };
  return std::sqrt(sq(dx) + sq(dy)) * k;
}

Ref<TPath> TPath::Find(const Ref<TNode>& start, const Ref<TNode>& goal) {
  if (!start || !goal || start == goal || goal->MovementCost >= ImpassableCost) return nullptr;
  Reset();
  OpenList.push_back(start.get());
  Touched.push_back(start);
  start->InOpenList = 1;
  bool found = false;
  while (true) {
    TNode* current = ChooseCurrent();
    RemoveOpen(current);
    current->InClosedList = 1;
    current->InOpenList = 0;
    for (const WeakRef<TNode>& weak : current->NeighbourList) {
      const Ref<TNode> ref = weak.lock();
      TNode* n = ref.get();
      if (!n || n->MovementCost >= ImpassableCost || n->InClosedList) continue;
      const double step = Heuristics(*n, *current, 2.0);
      if (!n->InOpenList) {
        n->Parent = current;
        n->CalcGcost(current->Gcost + step);
        n->Hcost = Int(Heuristics(*n, *goal, 2.0));
        n->CalcFcost();
        OpenList.push_back(n);
        Touched.push_back(ref);
        n->InOpenList = 1;
      } else {
        const int g = Int(current->Gcost + step + n->MovementCost);
        if (g < n->Gcost) {
          n->Parent = current;
          n->Gcost = g;
          n->CalcFcost();
        }
      }
    }
    if (goal->InOpenList) {
      found = true;
      break;
    }
    if (OpenList.empty()) break;
  }
  Ref<TPath> path;
  if (found) {
    path = New<TPath>();
    // Parents lead back to the start; the bound only guards against a broken chain.
    const auto refOf = [](const TNode* n) -> Ref<TNode> {
      for (const Ref<TNode>& t : Touched)
        if (t.get() == n) return t;
      return nullptr;
    };
    std::vector<Ref<TNode>> reversed{goal};
    for (TNode* n = goal->Parent; n && reversed.size() <= Touched.size(); n = n->Parent) {
      reversed.push_back(refOf(n));
      if (n == start.get()) break;
    }
    if (reversed.back() != start)
      path = nullptr;
    else
      path->WaypointList.assign(reversed.rbegin(), reversed.rend());
  }
  Reset();
  return path;
}

void TPath::Draw() {
  for (const Ref<TNode>& n : WaypointList) n->Draw2();
}

}  // namespace kelp
