#include "world/static_path.h"

#include <cmath>
#include <map>
#include <vector>

#include "framework/core/debug_output.h"
#include "framework/core/degrees.h"
#include "framework/core/file_numbers.h"
#include "framework/media/graphics_state.h"
#include "physics/engine.h"
#include "platform/draw.h"
#include "platform/files.h"
#include "platform/graphics_state.h"
#include "world/world.h"

namespace kelp {

Ref<TStaticPath> LevelStaticPath;
int StaticNodeCounter = 0;

Ref<TStaticNode> TStaticPath::HoveredNode;
Ref<TStaticNode> TStaticPath::SelectedNode;
int TStaticPath::LeftHeld = 0;
int TStaticPath::RightHeld = 0;
int TStaticPath::LeftReleased = 0;
int TStaticPath::RightReleased = 0;

namespace {

constexpr int kKeyDelete = 46;

bool Under(const TStaticNode& n, int px, int py) {
  return std::fabs(static_cast<double>(px) - n.x) <= n.radius && std::fabs(static_cast<double>(py) - n.y) <= n.radius;
}
constexpr int kKeySpace = 32;
constexpr int kNodeBytes = 8 * 4;
// The authored paths ride at about one pixel a frame.
constexpr float kMostSpeed = 20.0f;

ObjectList<TPhysEngine_Static>* EngineStatics() {
  return World && World->Physics ? &World->Physics->Statics : nullptr;
}

}  // namespace

// ------------------------------------------------------------------- nodes

Ref<TStaticNode> TStaticNode::Create(int x, int y, float speed, int turn, int id) {
  auto n = New<TStaticNode>();
  n->x = x;
  n->y = y;
  n->speed = speed;
  n->turn = turn;
  n->id = id;
  n->radius = 10.0f;
  n->_id = ++StaticNodeCounter;
  return n;
}

void TStaticNode::CreateConnection(const Ref<TStaticNode>& a, const Ref<TStaticNode>& b) {
  if (!a || !b) return;
  a->nxt = b;
  b->prev = a;
  TStaticPath::SelectedNode = b;
}

void TStaticNode::Draw() {
  using namespace platform;
  const bool hovered = TStaticPath::HoveredNode.get() == this;
  const bool selected = TStaticPath::SelectedNode.get() == this;
  const float d = 2 * radius;
  SetBlend(ALPHABLEND);
  SetColor(40, 40, 40);
  SetAlpha(0.5f);
  const float shadow = hovered ? 2.0f : 1.0f;
  DrawOval(x - radius + shadow, y - radius + shadow, d, d);
  SetAlpha(0.9f);
  if (selected)
    SetColor(0, 0, 200);
  else if (hovered)
    SetColor(250, 0, 0);
  else
    SetColor(200, 0, 0);
  const float at = hovered ? 1.0f : 0.0f;
  DrawOval(x - radius + at, y - radius + at, d, d);
}

// -------------------------------------------------------------------- path

Ref<TStaticPath> TStaticPath::Create() { return New<TStaticPath>(); }

void TStaticPath::Clear() {
  Waypoints.Clear();
  StaticNodeCounter = 0;
}

Ref<TStaticNode> TStaticPath::CreateNode(int x, int y, float speed, int turn, int id) {
  Ref<TStaticNode> n = TStaticNode::Create(x, y, speed, turn, id);
  Waypoints.AddLast(n);
  return n;
}

void TStaticPath::NextStep(TPhysEngine_Static& s) {
  if (!s.Node) {
    s.NextNode = nullptr;
    return;
  }
  auto along = [&s] { return (s.turn ? s.Node->prev : s.Node->nxt).lock(); };
  s.NextNode = along();
  if (!s.NextNode) {
    s.turn = s.turn ? 0 : 1;
    // A node without neighbours leaves NextNode empty: the platform rests there.
    s.NextNode = along();
  }
}

void TStaticPath::BlockStatic(TPhysEngine_Static& s) {
  // Swapping the two nodes sends the platform back along the leg it was on,
  // which also works on a chain of two nodes, where the next node the other
  // way round from Node would be the same end again.
  const int back = s.turn ? 0 : 1;
  auto reverse = [back](TPhysEngine_Static& t) {
    if (t.Node && t.NextNode) std::swap(t.Node, t.NextNode);
    t.turn = back;
    t.blocked = 0;
  };
  if (ObjectList<TPhysEngine_Static>* statics = EngineStatics()) {
    for (const auto& t : *statics)
      if (t.get() != &s && t->path == s.path) reverse(*t);
  }
  reverse(s);
}

void TStaticPath::MoveStatic(TPhysEngine_Static& s, float f) {
  if (s.path == 0) return;
  if (!s.Node) {
    Ref<TStaticNode> first;
    for (const auto& n : Waypoints) {
      if (n->id == s.path) {
        first = n;
        break;
      }
    }
    if (!first) return;
    s.Node = first;
    s.turn = first->turn;
    NextStep(s);
    s.Position(static_cast<float>(first->x), static_cast<float>(first->y));
    return;
  }
  if (s.blocked) BlockStatic(s);
  if (!s.NextNode) return;

  // Node positions come from the file: the difference is taken in floats.
  const float lx = static_cast<float>(s.NextNode->x) - static_cast<float>(s.Node->x);
  const float ly = static_cast<float>(s.NextNode->y) - static_cast<float>(s.Node->y);
  const double a = degrees::ATan2(ly, lx);
  const float ca = static_cast<float>(degrees::Cos(a));
  const float sa = static_cast<float>(degrees::Sin(a));
  const float speed = s.Node->speed;
  // A leg without a positive speed holds the platform where it is.
  if (!(speed > 0)) return;
  s.Move(ca * speed * f, sa * speed * f);

  const float rx = static_cast<float>(s.NextNode->x) - s.ox;
  const float ry = static_cast<float>(s.NextNode->y) - s.oy;
  // The window test alone misses the node when one frame's step is more than
  // twice the speed; a centre already past the node arrives too.
  const bool inWindow = std::fabs(ry) < speed && std::fabs(rx) < speed;
  const bool passed = rx * ca + ry * sa <= 0;
  if (inWindow || passed) {
    s.Node = s.NextNode;
    if (s.Node->turn) s.turn = s.turn ? 0 : 1;
    s.Position(static_cast<float>(s.Node->x), static_cast<float>(s.Node->y));
    NextStep(s);
  }
}

void TStaticPath::Update(float f) {
  ObjectList<TPhysEngine_Static>* statics = EngineStatics();
  if (!statics) return;
  std::vector<Ref<TPhysEngine_Static>> moving;
  std::map<int, std::pair<double, double>> sum;
  std::map<int, int> count;
  for (const auto& s : *statics) {
    if (s->path == 0) continue;
    moving.push_back(s);
    auto& c = sum[s->path];
    c.first += (s->x1 + s->x2) / 2;
    c.second += (s->y1 + s->y2) / 2;
    ++count[s->path];
  }
  for (const auto& s : moving) {
    const auto& c = sum[s->path];
    const int n = count[s->path];
    s->ox = static_cast<float>(c.first / n);
    s->oy = static_cast<float>(c.second / n);
  }
  // Turning every jammed platform round before any static moves keeps all
  // statics of a platform on the same step; otherwise the statics listed
  // before the jammed one would take a step forward and the platform shears.
  for (const auto& s : moving)
    if (s->blocked && s->Node) BlockStatic(*s);
  for (const auto& s : moving) MoveStatic(*s, f);
}

// ------------------------------------------------------------------ editor

Ref<TStaticNode> TStaticPath::NodeAt(int px, int py) {
  Ref<TStaticNode> hit;
  for (const auto& n : Waypoints)
    if (Under(*n, px, py)) hit = n;
  return hit;
}

void TStaticPath::Input_MOUSEDOWN(int button, int x, int y) {
  if (button == 1) LeftHeld = 1;
  if (button == 2) RightHeld = 1;
  if (!LeftHeld) return;
  SelectedNode = NodeAt(x, y);
  if (SelectedNode) {
    SelectedNode->selectionX = x - SelectedNode->x;
    SelectedNode->selectionY = y - SelectedNode->y;
  }
}

void TStaticPath::Input_MOUSEUP(int button, int x, int y) {
  if (button == 1) {
    LeftReleased = 1;
    LeftHeld = 0;
  }
  if (button == 2) {
    RightReleased = 1;
    RightHeld = 0;
    if (SelectedNode) {
      const Ref<TStaticNode> from = SelectedNode;
      std::vector<Ref<TStaticNode>> under;
      for (const auto& n : Waypoints)
        if (n != from && Under(*n, x, y)) under.push_back(n);
      for (const auto& n : under) TStaticNode::CreateConnection(from, n);
    }
  }
}

void TStaticPath::Input_MOUSEMOVE(int x, int y) {
  HoveredNode = NodeAt(x, y);
  if (LeftHeld && SelectedNode) {
    SelectedNode->x = x - SelectedNode->selectionX;
    SelectedNode->y = y - SelectedNode->selectionY;
  }
}

void TStaticPath::Input_KEYDOWN(int key, int x, int y) {
  if (key == kKeyDelete && SelectedNode) {
    const Ref<TStaticNode> gone = SelectedNode;
    int number = 0;
    for (const auto& n : Waypoints) {
      if (n->nxt.lock() == gone) n->nxt.reset();
      if (n->prev.lock() == gone) n->prev.reset();
      n->_id = ++number;
    }
    Waypoints.Remove(gone);
    if (HoveredNode == gone) HoveredNode = nullptr;
    SelectedNode = nullptr;
  } else if (key == kKeySpace && LeftReleased) {
    SelectedNode = CreateNode(x, y, 1.0f, 0, 1);
  }
}

void TStaticPath::Draw() {
  using namespace platform;
  PushGraphicsState();
  SetBlend(ALPHABLEND);
  for (const auto& n : Waypoints) {
    if (Ref<TStaticNode> to = n->nxt.lock()) {
      SetColor(200, 0, 0);
      SetAlpha(0.7f);
      DrawLine(static_cast<float>(n->x), static_cast<float>(n->y), static_cast<float>(to->x),
               static_cast<float>(to->y));
      SetAlpha(1.0f);
      SetColor(255, 255, 255);
    }
  }
  for (const auto& n : Waypoints) n->Draw();
  PopGraphicsState();
}

// ------------------------------------------------------------------- files

int TStaticPath::Save(const std::string& path) {
  const bool written = platform::SaveFileAtomic(path, [this](platform::Stream& out) {
    out.WriteLine("path");
    out.WriteInt(static_cast<int32_t>(Waypoints.Count()));
    for (const auto& n : Waypoints) {
      const Ref<TStaticNode> nx = n->nxt.lock(), pv = n->prev.lock();
      out.WriteInt(n->_id);
      out.WriteInt(n->id);
      out.WriteInt(n->x);
      out.WriteInt(n->y);
      out.WriteInt(n->turn);
      out.WriteFloat(n->speed);
      out.WriteInt(nx ? nx->_id : 0);
      out.WriteInt(pv ? pv->_id : 0);
    }
    return out.Ok();
  });
  return written ? 1 : 0;
}

int TStaticPath::Load(const platform::StreamRef& stream) {
  Clear();
  if (!stream) return 0;
  if (stream->ReadLine() != "path") return 0;
  int64_t count = stream->ReadInt();
  const int64_t room = stream->Remaining() / kNodeBytes;
  if (count < 0) count = 0;
  if (count > room) count = room;
  const std::string where = "TStaticPath : Load";
  for (int64_t i = 0; i < count; ++i) {
    const int32_t number = stream->ReadInt();
    const int32_t id = stream->ReadInt();
    int x = stream->ReadInt();
    int y = stream->ReadInt();
    const int32_t turn = stream->ReadInt();
    float speed = stream->ReadFloat();
    int32_t nxt = stream->ReadInt();
    int32_t prev = stream->ReadInt();
    const std::string what = "node " + std::to_string(number);
    CheckFieldX(x, where, what + " x");
    CheckFieldY(y, where, what + " y");
    // Zero holds the platform on its node; more than kMostSpeed a frame is no ride.
    CheckFloat(speed, 0.0f, kMostSpeed, 0.0f, where, what + " speed");
    // A node that leads to itself never lets its platform pass it: the link goes.
    if (nxt == number && number != 0) {
      DebugOutput("[" + where + " WARNING] " + what + " links to itself as its next node; the link is dropped");
      nxt = 0;
    }
    if (prev == number && number != 0) {
      DebugOutput("[" + where + " WARNING] " + what + " links to itself as its previous node; the link is dropped");
      prev = 0;
    }
    Ref<TStaticNode> n = CreateNode(x, y, speed, turn != 0 ? 1 : 0, id);
    n->_id = number;
    n->nxt_id = nxt;
    n->prev_id = prev;
  }
  std::map<int, Ref<TStaticNode>> byNumber;
  for (const auto& n : Waypoints) byNumber.emplace(n->_id, n);  // the first of a number wins
  auto find = [&byNumber](int number) -> Ref<TStaticNode> {
    if (number == 0) return nullptr;
    const auto it = byNumber.find(number);
    return it == byNumber.end() ? nullptr : it->second;
  };
  for (const auto& n : Waypoints) {
    n->nxt = find(n->nxt_id);
    n->prev = find(n->prev_id);
  }
  return 1;
}

}  // namespace kelp
