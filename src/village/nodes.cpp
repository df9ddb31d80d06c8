#include "village/nodes.h"

#include <cmath>
#include <vector>

#include "framework/core/numeric.h"
#include "framework/files/log.h"
#include "framework/media/graphics_state.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "village/upgrade.h"

namespace kelp {

ObjectList<TNode> Nodes;
uint8_t NodeCounter = 0;
int ImpassableCost = 255;
Ref<TNode> SelectedNode, MarkedNode;

namespace {

constexpr size_t kMaxOwnerName = 255;

void Warn(const std::string& text) { WriteLog("[TNode WARNING : Load] " + text, LOG_WARNING); }

// A line up to LF, a 0 byte or the end; CR bytes are dropped. Longer lines
// are read to their end but kept only to kMaxOwnerName characters.
std::string ReadNodeLine(platform::Stream& in, bool& cut) {
  std::string s;
  cut = false;
  while (!in.Eof()) {
    const uint8_t c = in.ReadByte();
    if (c == '\n' || c == 0) break;
    if (c == '\r') continue;
    if (s.size() < kMaxOwnerName)
      s += static_cast<char>(c);
    else
      cut = true;
  }
  return s;
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// A graph left behind (kept by villagers) leads nowhere.
void Unjoin(const ObjectList<TNode>& list) {
  for (const Ref<TNode>& n : list) {
    n->NeighbourList.clear();
    n->Parent = nullptr;
  }
}

}  // namespace

void TNode::Init() {}

void TNode::Clear() {
  NodeCounter = 0;
  Unjoin(Nodes);
  Nodes.Clear();
  SelectedNode = nullptr;
  MarkedNode = nullptr;
}

Ref<TNode> TNode::Create(int x, int y, int radius, float cost, const std::string& parent) {
  auto n = New<TNode>();
  ++NodeCounter;  // wraps 255 -> 0
  n->ID = NodeCounter;
  n->x = static_cast<float>(x);
  n->y = static_cast<float>(y);
  n->Radius = radius;
  n->MovementCost = Int(cost);
  n->ParentUpgrade = parent;
  Nodes.AddLast(n);
  return n;
}

int TNode::CreateConnection(const Ref<TNode>& a, const Ref<TNode>& b) {
  if (!a || !b) return 0;
  for (const WeakRef<TNode>& n : a->NeighbourList)
    if (n.lock() == b) return 0;
  a->NeighbourList.push_back(b);
  b->NeighbourList.push_back(a);
  SelectedNode = b;
  return 1;
}

Ref<TNode> TNode::ById(int id) {
  if (id <= 0) return nullptr;
  for (const Ref<TNode>& n : Nodes)
    if (n->ID == id) return n;
  return nullptr;
}

int TNode::Load(const platform::StreamRef& in) { return in ? Load(*in) : 0; }

int TNode::Load(platform::Stream& in) {
  bool cut = false;
  if (ReadNodeLine(in, cut) != "nodes") return 0;
  Clear();
  Init();
  const int count = in.ReadByte();
  int clamped = 0, names_cut = 0, costs_fixed = 0;
  std::vector<Ref<TNode>> byId;  // index = id - 1
  for (int i = 0; i < count; ++i) {
    if (in.Remaining() < 16) {
      Warn("the file ends inside node " + std::to_string(i + 1) + " of " + std::to_string(count) +
           "; the rest is dropped");
      break;
    }
    const int rx = in.ReadInt(), ry = in.ReadInt(), rr = in.ReadInt();
    float cost = in.ReadFloat();
    const std::string name = ReadNodeLine(in, cut);
    if (cut) ++names_cut;
    const int x = Clamp(rx, -NodeCoordinateLimit, NodeCoordinateLimit);
    const int y = Clamp(ry, -NodeCoordinateLimit, NodeCoordinateLimit);
    const int r = Clamp(rr, 0, NodeRadiusLimit);
    if (x != rx || y != ry || r != rr) ++clamped;
    // Costs are whole numbers 0..255; garbage closes the node.
    if (!std::isfinite(cost) || cost < 0.0f || cost > 255.0f) {
      cost = std::isfinite(cost) && cost < 0.0f ? 0.0f : 255.0f;
      ++costs_fixed;
    }
    byId.push_back(Create(x, y, r, cost, name));
  }
  if (clamped) Warn(std::to_string(clamped) + " node(s) with a position or radius out of range were clamped");
  if (names_cut) Warn(std::to_string(names_cut) + " owner name(s) were cut to " + std::to_string(kMaxOwnerName) +
                      " characters");
  if (costs_fixed) Warn(std::to_string(costs_fixed) + " node cost(s) out of 0..255 were repaired");
  int bad_pairs = 0;
  while (in.Remaining() >= 2) {
    const int a = in.ReadByte(), b = in.ReadByte();
    if (a == 255 || b == 255) break;
    if (a < 1 || b < 1 || a > static_cast<int>(byId.size()) || b > static_cast<int>(byId.size())) {
      ++bad_pairs;
      continue;
    }
    CreateConnection(byId[static_cast<size_t>(a - 1)], byId[static_cast<size_t>(b - 1)]);
  }
  if (bad_pairs) Warn(std::to_string(bad_pairs) + " join(s) naming no node were ignored");
  SelectedNode = nullptr;
  return 1;
}

bool TNode::Save(platform::Stream& out) {
  out.WriteBytes("nodes\r\n");
  out.WriteByte(NodeCounter);
  for (const Ref<TNode>& n : Nodes) {
    out.WriteInt(static_cast<int32_t>(n->x));
    out.WriteInt(static_cast<int32_t>(n->y));
    out.WriteInt(n->Radius);
    out.WriteFloat(static_cast<float>(n->MovementCost));
    out.WriteLine(n->ParentUpgrade);
  }
  for (const Ref<TNode>& n : Nodes)
    for (const WeakRef<TNode>& w : n->NeighbourList)
      if (const Ref<TNode> m = w.lock()) {
        out.WriteByte(n->ID);
        out.WriteByte(m->ID);
      }
  return out.Ok();
}

Ref<TNode> TNode::Find(int x, int y) {
  Ref<TNode> best;
  double best_d = 1000000.0;
  for (const Ref<TNode>& n : Nodes) {
    const double dx = n->x - x, dy = n->y - y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d <= best_d) {
      best_d = d;
      best = n;
    }
  }
  return best;
}

void TNode::UpdateGraph() {
  for (const Ref<TNode>& n : Nodes) {
    n->Unwalkable = 1;
    const std::string& owner = n->ParentUpgrade;
    if (owner.empty()) {
      n->Unwalkable = 0;
      continue;
    }
    if (const size_t comma = owner.find(','); comma != std::string::npos) {
      const Ref<TUpgrade> a = TUpgrade::FindUpgrade(owner.substr(0, comma));
      const Ref<TUpgrade> b = TUpgrade::FindUpgrade(owner.substr(comma + 1));
      if ((a && a->built) || (b && b->built)) n->Unwalkable = 0;
      continue;
    }
    for (const Ref<TUpgrade>& u : Upgrades) {
      if (!u->built) continue;
      if (owner == u->upgrade_name || owner == u->upgrade_name + "_door") {
        n->Unwalkable = 0;
        break;
      }
    }
  }
}

void TNode::Remove() {
  for (const WeakRef<TNode>& w : NeighbourList)
    if (const Ref<TNode> m = w.lock())
      std::erase_if(m->NeighbourList, [this](const WeakRef<TNode>& k) { return k.lock().get() == this; });
  NeighbourList.clear();
  Nodes.Remove(this);
  NodeCounter = 0;
  for (const Ref<TNode>& n : Nodes) n->ID = ++NodeCounter;
}

void TNode::CalcGcost(double g) { Gcost = Int(g + MovementCost); }

void TNode::Draw() {
  Draw2();
  platform::SetColor(255, 255, 255);
  platform::DrawText(std::to_string(ID) + " " + std::to_string(MovementCost), x - 8, y - 6);
}

void TNode::Draw2() {
  platform::SetAlpha(0.5f);
  if (this == SelectedNode.get())
    platform::SetColor(40, 200, 40);
  else if (this == MarkedNode.get())
    platform::SetColor(40, 40, 200);
  else
    platform::SetColor(40, 40, 40);
  const float r = static_cast<float>(Radius > 0 ? Radius : 4);
  platform::DrawOval(x - r, y - r, 2 * r, 2 * r);
}

void TNode::DrawNodes() {
  PushGraphicsState();
  platform::SetColor(200, 0, 0);
  platform::SetAlpha(0.8f);
  for (const Ref<TNode>& n : Nodes)
    for (const WeakRef<TNode>& w : n->NeighbourList)
      if (const Ref<TNode> m = w.lock()) platform::DrawLine(n->x, n->y, m->x, m->y);
  for (const Ref<TNode>& n : Nodes) n->Draw();
  PopGraphicsState();
}

}  // namespace kelp
