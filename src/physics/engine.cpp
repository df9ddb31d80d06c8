#include "physics/engine.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "physics/contacts.h"
#include "physics/effects_hook.h"
#include "physics/step_arrays.h"

namespace kelp {
namespace {

constexpr float kDegToRad = 3.14159265358979323846f / 180.0f;
constexpr float kRadToDeg = 180.0f / 3.14159265358979323846f;

// Drops the rest of a chain one link at a time, so a long chain is not freed
// by nested destructors. Links that someone else still holds stay intact.
template <class T>
void ReleaseChain(Ref<T>& head) {
  Ref<T> p = std::move(head);
  while (p && p.use_count() == 1) {
    Ref<T> next = std::move(p->nxt);
    p.reset();
    p = std::move(next);
  }
}

// Unlinks `item` from the singly linked chain starting at `head`; the
// chain's reference to it, or null when it was not in the chain.
template <class T>
Ref<T> UnlinkFromChain(Ref<T>& head, const T* item) {
  for (Ref<T>* link = &head; *link; link = &(*link)->nxt) {
    if (link->get() == item) {
      Ref<T> keep = *link;  // item stays alive while the chain is rejoined
      *link = keep->nxt;
      return keep;
    }
  }
  return nullptr;
}

// The list's reference to `item` (null when it is not in the list): what
// keeps an object alive while it takes itself out of the list that may hold
// its last reference.
template <class T>
Ref<T> Held(const ObjectList<T>& list, const T* item) {
  return list.FindFirst([item](const T& o) { return &o == item; }).Value();
}

template <class T>
void AppendToChain(Ref<T>& head, const Ref<T>& item) {
  Ref<T>* link = &head;
  while (*link) link = &(*link)->nxt;
  *link = item;
}

// The first of name, name(2), name(3), ... that no other member of the chain
// starting at `head` carries. Names are compared by parsing, not hashing: glue
// is named on every contact.
template <class T>
std::string FreeName(const std::string& name, const T* head, const T* self) {
  std::vector<char> used(2, 0);
  const size_t b = name.size();
  size_t others = 0;
  for (const T* o = head; o; o = o->nxt.get()) {
    if (o == self) continue;
    ++others;
    const std::string& s = o->name;
    if (s == name) {
      used[1] = 1;
      continue;
    }
    if (s.size() < b + 3 || s.compare(0, b, name) != 0 || s[b] != '(' || s.back() != ')') continue;
    const size_t len = s.size() - b - 2;
    if (len > 9 || s[b + 1] == '0') continue;
    size_t n = 0;
    bool digits = true;
    for (size_t i = b + 1; i < s.size() - 1; ++i) {
      if (s[i] < '0' || s[i] > '9') { digits = false; break; }
      n = n * 10 + static_cast<size_t>(s[i] - '0');
    }
    if (!digits || n < 2) continue;
    if (n >= used.size()) {
      if (n > others + 2) continue;  // beyond any first free number
      used.resize(n + 1, 0);
    }
    used[n] = 1;
  }
  if (!used[1]) return name;
  for (size_t n = 2;; ++n)
    if (n >= used.size() || !used[n]) return name + "(" + std::to_string(n) + ")";
}

void EraseJoint(TPhysEngine_Particle* p, const TPhysEngine_Constraint* c) {
  if (!p) return;
  auto& j = p->joints;
  auto it = std::find(j.begin(), j.end(), c);
  if (it == j.end()) return;
  p->partners.erase(p->partners.begin() + (it - j.begin()));
  j.erase(it);
}

template <class T>
void Snapshot(const ObjectList<T>& list, std::vector<Ref<T>>& out) {
  out.clear();
  for (const auto& v : list) out.push_back(v);
}

// The list's elements as plain pointers, without touching their counts. For
// lists whose elements nothing removes while the copy is in use.
template <class T>
void PlainSnapshot(const ObjectList<T>& list, std::vector<T*>& out) {
  out.clear();
  list.FindFirst([&out](T& v) {
    out.push_back(&v);
    return false;
  });
}

bool Finite(float a, float b) { return std::isfinite(a) && std::isfinite(b); }

// Keeps a body's glue count, which saturates (any count from the cap on
// answers alike).
void CountGlue(StepBody& b, int change) {
  const int n = b.glue + change;
  b.glue = static_cast<uint8_t>(n < 0 ? 0 : n > 255 ? 255 : n);
}

}  // namespace

// ---------------------------------------------------------------- particles

Ref<TPhysEngine_Particle> TPhysEngine_Particle::Create(TPhysEngine_Group* group, float x, float y,
                                                       TPhysEngine* engine) {
  if (!group || !engine) return nullptr;
  auto p = New<TPhysEngine_Particle>();
  p->Physics = engine;
  p->x = p->ox = x;
  p->y = p->oy = y;
  AppendToChain(group->frstp, p);
  p->grp = group;
  p->Rename("particle");
  engine->Particles.AddLast(p);
  return p;
}

Ref<TPhysEngine_Particle> TPhysEngine_Particle::Find(const TPhysEngine_Group* group, const std::string& name) {
  if (!group) return nullptr;
  for (const Ref<TPhysEngine_Particle>* link = &group->frstp; *link; link = &(*link)->nxt)
    if ((*link)->name == name) return *link;
  return nullptr;
}

namespace {

// The contact of one sub-step with a static whose box the particle is in.
// P is a particle or the step's copy of one (same field names).
template <class P>
void CollideStatic(P& p, TPhysEngine_Group* grp, TPhysEngine* engine, TPhysEngine_Static& s, int n, float sx,
                   float sy) {
  const float r = p.radius;
  const float ex = s.x2 - s.x1, ey = s.y2 - s.y1;
  const float t = (p.x - s.x1) * ex + (p.y - s.y1) * ey;
  const float e2 = ex * ex + ey * ey;
  float cx, cy;
  if (t <= 0) {
    cx = s.x1;
    cy = s.y1;
  } else if (t >= e2) {
    cx = s.x2;
    cy = s.y2;
  } else {
    cx = s.x1 + ex * t / e2;
    cy = s.y1 + ey * t / e2;
  }
  const float ddx = p.x - cx, ddy = p.y - cy;
  const float dist = std::sqrt(ddx * ddx + ddy * ddy);
  const float R = r + s.radius;
  if (!(dist < R)) return;

  const float px = p.x, py = p.y;
  if (dist > 0) {
    const float h = (dist - R) / dist;
    if (h < -2 && s.path != 0) s.blocked = 1;
    p.ox = p.x;
    p.oy = p.y;
    p.x += h * (cx - p.x);
    p.y += h * (cy - p.y);
  } else {
    // Centre right on the segment: out along its normal, to the side the
    // particle came from (straight up for a segment of no length).
    if (s.path != 0) s.blocked = 1;
    float nx = 0, ny = -1;
    if (e2 > 0) {
      const float el = std::sqrt(e2);
      nx = -ey / el;
      ny = ex / el;
      if (nx * -sx + ny * -sy < 0) {
        nx = -nx;
        ny = -ny;
      }
    }
    p.ox = p.x;
    p.oy = p.y;
    p.x = cx + nx * R;
    p.y = cy + ny * R;
  }
  if (!Finite(p.x, p.y)) {
    p.x = px;
    p.y = py;
  }

  p.col_occured = 1;
  if (p.dusty && n > 1 && PhysicsEffects.SpawnDust) PhysicsEffects.SpawnDust(Int(p.x), Int(p.y), 0);
  p.col_friction = (p.col_friction + s.friction) * 0.5f;
  if (grp && engine && engine->Contacts) engine->Contacts->HitStatic(*grp, s);
}

// Moves p by (dx, dy) in steps no longer than its radius; after each,
// `statics(n, sx, sy)` pushes it out of the statics it entered.
template <class P, class Statics>
void SweptMove(P& p, TPhysEngine_Group* grp, float dx, float dy, Statics&& statics) {
  if (dx == 0 && dy == 0) return;
  // A move that is not a number would spread NaN through every later step.
  if (!Finite(dx, dy)) return;
  const float len = std::sqrt(dx * dx + dy * dy);
  int n;
  if (p.radius != 0) {
    // A negative or NaN size gives no step. Most moves are shorter than the
    // radius: one step, without the rounding.
    const float q = len / p.radius;
    n = q > 0 && q <= 1 ? 1 : Int(std::ceil(q));
  } else {
    n = len > 0 ? 1 : 0;  // no size to step by: one step
  }
  if (n <= 0) return;
  if (len > 15 && grp) grp->fall = 1;
  const float sx = n == 1 ? dx : dx / static_cast<float>(n);
  const float sy = n == 1 ? dy : dy / static_cast<float>(n);
  const int steps = n > 50 ? 50 : n;
  for (int i = 0; i < steps; ++i) {
    const float nx = p.x + sx, ny = p.y + sy;
    if (!Finite(nx, ny)) return;  // at the edge of the float range: stay
    p.x = nx;
    p.y = ny;
    statics(n, sx, sy);
  }
}

}  // namespace

void TPhysEngine_Particle::Move(float dx, float dy) {
  TPhysEngine* engine = Physics;
  SweptMove(*this, grp, dx, dy, [&](int n, float sx, float sy) {
    if (!engine) return;
    const float r = radius;
    auto test = [&](TPhysEngine_Static& s) {
      if (s.minx - r < x && x < s.maxx + r && s.miny - r < y && y < s.maxy + r)
        CollideStatic(*this, grp, engine, s, n, sx, sy);
    };
    if (engine->inStep_) {
      for (const auto& s : engine->stepStatics_) test(*s);
    } else {
      for (const auto& s : engine->Statics) test(*s);
    }
  });
}

void TPhysEngine_Particle::Rename(const std::string& newName) {
  name = grp ? FreeName(newName, grp->frstp.get(), this) : newName;
}

void TPhysEngine_Particle::Position(float px, float py) {
  x = ox = px;
  y = oy = py;
  tx = ty = 0;
}

void TPhysEngine_Particle::Translate(float dx, float dy) {
  x += dx;
  y += dy;
  ox = x;
  oy = y;
}

void TPhysEngine_Particle::Remove() {
  if (Physics) {
    std::vector<Ref<TPhysEngine_Constraint>> ends;
    for (const auto& c : Physics->Constraints)
      if (c->p1.get() == this || c->p2.get() == this) ends.push_back(c);
    for (const auto& c : ends) c->Remove();
  }
  Ref<TPhysEngine_Particle> self = grp ? UnlinkFromChain(grp->frstp, this) : nullptr;
  if (Physics) {
    if (!self) self = Held(Physics->Particles, this);
    Physics->Particles.Remove(this);
  }
  Del();
}

void TPhysEngine_Particle::Del() {
  nxt = nullptr;
  grp = nullptr;
}

TPhysEngine_Particle::~TPhysEngine_Particle() { ReleaseChain(nxt); }

// -------------------------------------------------------------- constraints

TPhysEngine_Constraint::~TPhysEngine_Constraint() {
  EraseJoint(p1.get(), this);
  EraseJoint(p2.get(), this);
  ReleaseChain(nxt);
}

Ref<TPhysEngine_Constraint> TPhysEngine_Constraint::Create(TPhysEngine_Group* group,
                                                           const Ref<TPhysEngine_Particle>& p1,
                                                           const Ref<TPhysEngine_Particle>& p2,
                                                           TPhysEngine* engine) {
  if (!engine || !group || !p1 || !p2 || p1 == p2) return nullptr;
  const float dx = p2->x - p1->x, dy = p2->y - p1->y;
  return Join(group, p1, p2, engine, std::sqrt(dx * dx + dy * dy));
}

Ref<TPhysEngine_Constraint> TPhysEngine_Constraint::Join(TPhysEngine_Group* group,
                                                         const Ref<TPhysEngine_Particle>& p1,
                                                         const Ref<TPhysEngine_Particle>& p2, TPhysEngine* engine,
                                                         float length) {
  if (!engine || !group || !p1 || !p2 || p1 == p2) return nullptr;
  // Ends are only set here and cleared after leaving the joints: a partner
  // listed is joined by a constraint that still has both ends.
  const auto& partners = p1->partners;
  if (std::find(partners.begin(), partners.end(), p2.get()) != partners.end()) return nullptr;

  auto c = New<TPhysEngine_Constraint>();
  c->Physics = engine;
  c->ctype = TPhysEngine::PULLPUSH;
  c->stiffness = 1.0f;
  c->p1 = p1;
  c->p2 = p2;
  c->length = length;
  p1->joints.push_back(c.get());
  p1->partners.push_back(p2.get());
  p2->joints.push_back(c.get());
  p2->partners.push_back(p1.get());

  engine->InsertConstraint(c);

  AppendToChain(group->frstc, c);
  c->grp = group;
  c->Rename("constraint");
  return c;
}

Ref<TPhysEngine_Constraint> TPhysEngine_Constraint::Find(const TPhysEngine_Group* group, const std::string& name) {
  if (!group) return nullptr;
  for (const Ref<TPhysEngine_Constraint>* link = &group->frstc; *link; link = &(*link)->nxt)
    if ((*link)->name == name) return *link;
  return nullptr;
}

void TPhysEngine_Constraint::Rename(const std::string& newName) {
  name = grp ? FreeName(newName, grp->frstc.get(), this) : newName;
}

void TPhysEngine_Constraint::Remove() {
  Ref<TPhysEngine_Constraint> self = grp ? UnlinkFromChain(grp->frstc, this) : nullptr;
  if (Physics) {
    if (!self) self = Held(Physics->Constraints, this);
    Physics->ConstraintLeaves(this);
    if (place.InList() && place.Value().get() == this)
      place.Remove();
    else
      Physics->Constraints.Remove(this);  // it was taken out and put back by hand
  }
  place = {};
  Del();
}

void TPhysEngine_Constraint::Del() {
  EraseJoint(p1.get(), this);
  EraseJoint(p2.get(), this);
  p1 = nullptr;
  p2 = nullptr;
  nxt = nullptr;
  grp = nullptr;
}

// Keeps Constraints longest first: the new one goes before the first shorter
// one. Within a step the step's index of the list finds that place (glue is
// made by the hundred in a full field); otherwise the list is walked.
void TPhysEngine::InsertConstraint(const Ref<TPhysEngine_Constraint>& c) {
  const float len = c->length;
  if (order_.On()) {
    TPhysEngine_Constraint* before = order_.Before(len);
    ObjectList<TPhysEngine_Constraint>::Link at;
    if (before) at = before->place;
    if (!before || (at.InList() && at.Value().get() == before)) {
      c->place = Constraints.InsertBefore(at, c);
      order_.Inserted(c.get(), len, before);
      return;
    }
    order_.Off();  // the list was changed by hand: walk it
  }
  auto shorter = Constraints.FindFirst([len](const TPhysEngine_Constraint& o) { return o.length < len; });
  c->place = Constraints.InsertBefore(shorter, c);
}

void TPhysEngine::ConstraintLeaves(const TPhysEngine_Constraint* c) {
  if (!order_.On()) return;
  const auto& order = step_->constraints;
  if (relaxing_ < order.size() && order[relaxing_] == c)
    order_.Left(relaxing_);
  else
    order_.Off();
}

// ------------------------------------------------------------------- groups

TPhysEngine_Group::~TPhysEngine_Group() {
  ClearContacts();
  for (auto p = frstp.get(); p; p = p->nxt.get()) p->grp = nullptr;
  for (auto c = frstc.get(); c; c = c->nxt.get()) c->grp = nullptr;
  ReleaseChain(frstc);
  ReleaseChain(frstp);
}

void GroupGameFields::ClearContacts() {
  CollideList.Clear();
  CollideList2.Clear();
  CollideList3.Clear();
  CollideListBonus.Clear();
}

void TPhysEngine_Group::Del() {
  ClearContacts();
  ReleaseChain(frstc);
  ReleaseChain(frstp);
}

Ref<TPhysEngine_Group> TPhysEngine_Group::Create(TPhysEngine* engine) {
  if (!engine) return nullptr;
  auto g = New<TPhysEngine_Group>();
  g->Physics = engine;
  g->docollisions = 1;
  g->name = "group";
  engine->Groups.AddLast(g);
  return g;
}

Ref<TPhysEngine_Group> TPhysEngine_Group::Find(const std::string& name, const TPhysEngine* engine) {
  if (!engine) return nullptr;
  for (const auto& g : engine->Groups)
    if (g->name == name) return g;
  return nullptr;
}

void TPhysEngine_Group::Move(float dx, float dy) {
  for (auto p = frstp.get(); p; p = p->nxt.get())
    if (p->mass > 0) p->Move(dx, dy);
}

void TPhysEngine_Group::Reset() {
  for (auto p = frstp.get(); p; p = p->nxt.get()) {
    p->tx = p->ty = 0;
    p->ox = p->x;
    p->oy = p->y;
  }
}

void TPhysEngine_Group::Rename(const std::string& newName) { name = newName; }

bool TPhysEngine_Group::ComputeCenter() {
  auto p = frstp.get();
  if (!p) return false;
  float minx = p->x, maxx = p->x, miny = p->y, maxy = p->y;
  for (p = p->nxt.get(); p; p = p->nxt.get()) {
    minx = std::min(minx, p->x);
    maxx = std::max(maxx, p->x);
    miny = std::min(miny, p->y);
    maxy = std::max(maxy, p->y);
  }
  centerx = Int((minx + maxx) * 0.5f);
  centery = Int((miny + maxy) * 0.5f);
  return true;
}

void TPhysEngine_Group::Position(float px, float py, int stop) {
  if (!ComputeCenter()) return;
  const float dx = px - static_cast<float>(centerx);
  const float dy = py - static_cast<float>(centery);
  for (auto p = frstp.get(); p; p = p->nxt.get()) {
    p->x += dx;
    p->y += dy;
    if (stop) {
      p->ox = p->x;
      p->oy = p->y;
    } else {
      p->ox += dx;
      p->oy += dy;
    }
  }
}

void TPhysEngine_Group::Translate(float dx, float dy) {
  ComputeCenter();
  for (auto p = frstp.get(); p; p = p->nxt.get()) p->Translate(dx, dy);
}

void TPhysEngine_Group::Remove() {
  std::vector<Ref<TPhysEngine_Constraint>> cons;
  for (const Ref<TPhysEngine_Constraint>* l = &frstc; *l; l = &(*l)->nxt) cons.push_back(*l);
  for (const auto& c : cons) c->Remove();
  std::vector<Ref<TPhysEngine_Particle>> parts;
  for (const Ref<TPhysEngine_Particle>* l = &frstp; *l; l = &(*l)->nxt) parts.push_back(*l);
  for (const auto& p : parts) p->Remove();
  Ref<TPhysEngine_Group> self;
  if (Physics) {
    self = Held(Physics->Groups, this);
    Physics->Groups.Remove(this);
  }
  Del();
}

void TPhysEngine_Group::Scale(float f) {
  for (auto c = frstc.get(); c; c = c->nxt.get()) c->length *= f;
  for (auto p = frstp.get(); p; p = p->nxt.get()) p->radius *= f;
}

namespace {

// Where a particle lands when turned about (cx, cy) by `angle` degrees.
void TurnPoint(const TPhysEngine_Particle& p, int cx, int cy, float angle, float& outx, float& outy) {
  const float dx = p.x - static_cast<float>(cx), dy = p.y - static_cast<float>(cy);
  const float dist = std::sqrt(dx * dx + dy * dy);
  const float a = (std::atan2(dy, dx) * kRadToDeg + angle) * kDegToRad;
  outx = static_cast<float>(cx) + std::cos(a) * dist;
  outy = static_cast<float>(cy) + std::sin(a) * dist;
}

}  // namespace

void TPhysEngine_Group::Turn(float angle) {
  if (centerx == 0 && centery == 0) ComputeCenter();
  for (auto p = frstp.get(); p; p = p->nxt.get()) {
    float nx, ny;
    TurnPoint(*p, centerx, centery, angle, nx, ny);
    p->Move(nx - p->x, ny - p->y);
  }
}

void TPhysEngine_Group::Rotate(float angle) {
  if (centerx == 0 && centery == 0) ComputeCenter();
  for (auto p = frstp.get(); p; p = p->nxt.get()) {
    float nx, ny;
    TurnPoint(*p, centerx, centery, angle, nx, ny);
    p->Position(nx, ny);
  }
}

// ------------------------------------------------------------------ statics

Ref<TPhysEngine_Static> TPhysEngine_Static::Create(float x1, float y1, float x2, float y2, float friction,
                                                   float radius, int add, TPhysEngine* engine) {
  if (!engine) return nullptr;
  auto s = New<TPhysEngine_Static>();
  s->Physics = engine;
  s->x1 = x1;
  s->y1 = y1;
  s->x2 = x2;
  s->y2 = y2;
  s->friction = friction;
  s->radius = radius;
  s->Update();
  if (add) engine->Statics.AddLast(s);
  return s;
}

void TPhysEngine_Static::Move(float mx, float my) {
  x1 += mx;
  y1 += my;
  x2 += mx;
  y2 += my;
  Update();
}

void TPhysEngine_Static::Position(float px, float py) { Move(px - ox, py - oy); }

void TPhysEngine_Static::Update() {
  minx = std::min(x1, x2) - radius;
  maxx = std::max(x1, x2) + radius;
  miny = std::min(y1, y2) - radius;
  maxy = std::max(y1, y2) + radius;
}

void TPhysEngine_Static::Remove() {
  if (Physics) Physics->Statics.Remove(this);
}

// ------------------------------------------------------------------- forces

void TForce::Update() {
  if (constant == 0 && static_cast<int64_t>(birth) + life < GameTime) death = 1;
}

void TForce::Force(int px, int py, float& fx, float& fy, int underwater) {
  const float dx = static_cast<float>(px) - static_cast<float>(x);
  const float dy = static_cast<float>(py) - static_cast<float>(y);
  const float dist = std::sqrt(dx * dx + dy * dy);
  if (!(dist < radius)) return;
  const int angle = Int(std::atan2(dy, dx) * kRadToDeg);
  float e = dist / radius;
  if (underwater) e *= 0.5f;
  const float a = static_cast<float>(angle) * kDegToRad;
  fx += std::cos(a) * strength * e;
  fy += std::sin(a) * strength * e;
}

Ref<TForce> TForce::Create(int x, int y, float radius, float strength, int life, TPhysEngine* engine,
                           int constant) {
  if (!engine) return nullptr;
  auto f = New<TForce>();
  f->Physics = engine;
  f->x = x;
  f->y = y;
  f->radius = radius;
  f->strength = strength;
  f->life = life;
  f->constant = constant;
  f->birth = GameTime;
  engine->Forces.AddLast(f);
  return f;
}

// ------------------------------------------------------------------- engine

TPhysEngine::TPhysEngine() : step_(std::make_unique<StepArrays>()) {}

TPhysEngine::~TPhysEngine() { ForgetObjects(); }

void TPhysEngine::ForgetObjects() {
  for (const auto& c : Constraints) c->Physics = nullptr;
  for (const auto& p : Particles) p->Physics = nullptr;
  for (const auto& s : Statics) s->Physics = nullptr;
  for (const auto& f : Forces) f->Physics = nullptr;
  for (const auto& g : Groups) {
    g->Physics = nullptr;
    g->ClearContacts();  // groups naming each other would keep each other alive
  }
}

void TPhysEngine::Del() {
  for (const auto& g : Groups) g->ClearContacts();
  Constraints.Clear();
  Groups.Clear();
  Particles.Clear();
  Statics.Clear();
  Forces.Clear();
}

void TPhysEngine::ClearWorld() {
  GRAVITY = 100.0f;
  ITERATIONS = 1;
  TIMESTEP = 0.05f;
  STOPLIMIT = 0.05f;
  SLEEPMODE = 0;
  COLSTOPLIMIT = 0.1f;
  for (const auto& g : Groups) g->ClearContacts();
  Constraints.Clear();
  Groups.Clear();
  Particles.Clear();
  Statics.Clear();
}

void TPhysEngine::Gather() {
  StepArrays& s = *step_;
  const bool same = s.kept && s.particlesSeen == Particles.Changes() && s.groupsSeen == Groups.Changes() &&
                    s.constraintsSeen == Constraints.Changes();
  if (!same || !LoadStep()) {
    GatherOrder();
    LoadStep();
  }
  groupScratch_.clear();
  for (const Ref<TPhysEngine_Group>* g : s.groups) groupScratch_.push_back(*g);
  Snapshot(Statics, stepStatics_);
  s.statics.clear();
  for (const auto& st : stepStatics_) s.statics.push_back({st->minx, st->maxx, st->miny, st->maxy, st.get()});
  gathered_ = true;
}

// The order of everything from the engine's lists; a body for every particle
// they name, in the order first met.
void TPhysEngine::GatherOrder() {
  StepArrays& s = *step_;
  s.objects.clear();
  s.order.clear();
  s.groups.clear();
  s.groupStart.clear();
  s.groupSlots.clear();
  s.groupLinks.clear();
  s.constraints.clear();
  s.links.clear();
  auto slotOf = [&s](TPhysEngine_Particle* p) -> uint32_t {
    if (p->slot_ < s.objects.size() && s.objects[p->slot_] == p) return p->slot_;
    const auto slot = static_cast<uint32_t>(s.objects.size());
    p->slot_ = slot;
    s.objects.push_back(p);
    return slot;
  };
  Particles.FindFirst([&](TPhysEngine_Particle& p) {
    s.order.push_back(slotOf(&p));
    return false;
  });
  for (const Ref<TPhysEngine_Group>& g : Groups) {
    s.groups.push_back(&g);
    s.groupStart.push_back(static_cast<uint32_t>(s.groupSlots.size()));
    for (const Ref<TPhysEngine_Particle>* l = &g->frstp; *l; l = &(*l)->nxt) {
      s.groupSlots.push_back(slotOf(l->get()));
      s.groupLinks.push_back(l);
    }
  }
  s.groupStart.push_back(static_cast<uint32_t>(s.groupSlots.size()));
  PlainSnapshot(Constraints, s.constraints);
  for (const TPhysEngine_Constraint* c : s.constraints)
    if (c->p1 && c->p2) {
      slotOf(c->p1.get());
      slotOf(c->p2.get());
    }
  s.kept = true;
  s.particlesSeen = Particles.Changes();
  s.groupsSeen = Groups.Changes();
  s.constraintsSeen = Constraints.Changes();
}

// The values of the step along the order; false (and nothing to use) when a
// chain or a constraint's end is no longer where the order has it.
bool TPhysEngine::LoadStep() {
  StepArrays& s = *step_;
  const size_t n = s.objects.size();
  // Every body must be named by what was checked before its fields are read.
  for (size_t gi = 0; gi < s.groups.size(); ++gi) {
    const Ref<TPhysEngine_Particle>* l = &(*s.groups[gi])->frstp;
    for (uint32_t k = s.groupStart[gi]; k < s.groupStart[gi + 1]; ++k) {
      if (s.groupLinks[k] != l || l->get() != s.objects[s.groupSlots[k]]) return false;
      l = &(*l)->nxt;
    }
    if (*l) return false;
  }
  s.links.resize(s.constraints.size());
  for (size_t i = 0; i < s.constraints.size(); ++i) {
    const TPhysEngine_Constraint& c = *s.constraints[i];
    StepLink& l = s.links[i];
    TPhysEngine_Particle* p1 = c.p1.get();
    TPhysEngine_Particle* p2 = c.p2.get();
    if (p1 && p2) {
      if (p1->slot_ >= n || s.objects[p1->slot_] != p1 || p2->slot_ >= n || s.objects[p2->slot_] != p2)
        return false;
      l.a = p1->slot_;
      l.b = p2->slot_;
    } else {
      l.a = l.b = StepLink::kNone;
    }
    l.length = c.length;
    l.stiffness = c.stiffness;
    l.ctype = c.ctype;
    l.temporary = c.temporary;
  }
  s.bodies.resize(n);
  s.owners.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const TPhysEngine_Particle& p = *s.objects[i];
    StepBody& b = s.bodies[i];
    s.owners[i] = p.grp;
    b.x = p.x;
    b.y = p.y;
    b.ox = p.ox;
    b.oy = p.oy;
    b.tx = p.tx;
    b.ty = p.ty;
    b.mass = p.mass;
    b.radius = p.radius;
    b.friction = p.friction;
    b.col_friction = p.col_friction;
    b.static_ = p.static_;
    b.underwater = p.underwater;
    b.inactive = p.inactive;
    b.col_occured = p.col_occured;
    b.breakable = p.breakable != 0;
    b.sticky = p.sticky != 0;
    b.dusty = p.dusty != 0;
    b.glue = 0;
  }
  for (const StepLink& l : s.links)
    if (l.temporary && l.a != StepLink::kNone) {
      CountGlue(s.bodies[l.a], 1);
      CountGlue(s.bodies[l.b], 1);
    }
  return true;
}

void TPhysEngine::Scatter() {
  const StepArrays& s = *step_;
  for (size_t i = 0; i < s.objects.size(); ++i) {
    TPhysEngine_Particle& p = *s.objects[i];
    const StepBody& b = s.bodies[i];
    p.x = b.x;
    p.y = b.y;
    p.ox = b.ox;
    p.oy = b.oy;
    p.tx = b.tx;
    p.ty = b.ty;
    p.col_friction = b.col_friction;
    p.static_ = b.static_;
    p.inactive = b.inactive;
    p.col_occured = b.col_occured;
  }
  gathered_ = false;
  stepStatics_.clear();
  groupScratch_.clear();
}

// After a step whose only changes to the lists were its own glue, made and
// dropped through the index, the index knows the new order of Constraints.
void TPhysEngine::KeepOrder() {
  StepArrays& s = *step_;
  if (order_.On() && s.kept && s.particlesSeen == Particles.Changes() && s.groupsSeen == Groups.Changes() &&
      s.constraintsSeen + order_.Edits() == Constraints.Changes()) {
    order_.Merge(s.constraints);
    s.constraintsSeen = Constraints.Changes();
  } else {
    s.kept = false;
  }
}

void TPhysEngine::MoveBody(uint32_t slot, float dx, float dy) {
  StepBody& p = step_->bodies[slot];
  TPhysEngine_Group* grp = step_->owners[slot];
  auto statics = [&](int n, float sx, float sy) {
    const float r = p.radius;
    for (const StepStatic& s : step_->statics)
      if (s.minx - r < p.x && p.x < s.maxx + r && s.miny - r < p.y && p.y < s.maxy + r)
        CollideStatic(p, grp, this, *s.s, n, sx, sy);
  };
  // Most moves are short and well inside the radius: one step and no fall,
  // as the swept move would find, without its square root and division.
  const float d2 = dx * dx + dy * dy, r = p.radius;
  if (d2 > 1e-12f && d2 < 200.0f && r < 1e6f && d2 < 0.98f * r * r) {
    const float nx = p.x + dx, ny = p.y + dy;
    if (!Finite(nx, ny)) return;
    p.x = nx;
    p.y = ny;
    statics(1, dx, dy);
    return;
  }
  SweptMove(p, grp, dx, dy, statics);
}

void TPhysEngine::Update(float frameFactor) {
  const int t0 = GameTime;
  Gather();
  inStep_ = true;
  Verlet(frameFactor);
  SatisfyConstraints(frameFactor);
  ParticleCollisions();
  UpdateForces();
  UpdateBounds();
  Scatter();
  KeepOrder();
  inStep_ = false;
  order_.Off();
  PHYSICSTIME = (PHYSICSTIME * 9 + static_cast<float>(GameTime - t0)) * 0.1f;
  TimeStepOld = TIMESTEP;
}

void TPhysEngine::UpdateForces() {
  for (auto it = Forces.begin(); it != Forces.end(); ++it) {
    (*it)->Update();
    if ((*it)->death == 1) it.link().Remove();
  }
}

// On the step's arrays, for the groups the step started with.
void TPhysEngine::UpdateBounds() {
  const StepArrays& s = *step_;
  // A group without particles keeps the extremes of the group before it.
  float minx = 0, maxx = 0, miny = 0, maxy = 0;
  for (size_t gi = 0; gi < groupScratch_.size(); ++gi) {
    TPhysEngine_Group& g = *groupScratch_[gi];
    const uint32_t first = s.groupStart[gi], end = s.groupStart[gi + 1];
    if (first < end) {
      const StepBody& p = s.bodies[s.groupSlots[first]];
      minx = p.x - p.radius;
      maxx = p.x + p.radius;
      miny = p.y - p.radius;
      maxy = p.y + p.radius;
      for (uint32_t k = first + 1; k < end; ++k) {
        const StepBody& q = s.bodies[s.groupSlots[k]];
        minx = std::min(minx, q.x - q.radius);
        maxx = std::max(maxx, q.x + q.radius);
        miny = std::min(miny, q.y - q.radius);
        maxy = std::max(maxy, q.y + q.radius);
      }
    }
    g.centerx = Int((minx + maxx) * 0.5f);
    g.centery = Int((miny + maxy) * 0.5f);
    const float w = maxx - minx, h = maxy - miny;
    float r = 0.5f * std::sqrt(w * w + h * h);
    const float below = static_cast<float>(g.centery) - miny;
    if (below > r) r = below;
    g.radius = r;
  }
}

void TPhysEngine::Verlet(float /*frameFactor*/) {
  const bool own = !gathered_;
  if (own) Gather();
  const float dt2 = TIMESTEP * TIMESTEP;
  forceScratch_.clear();
  for (const auto& f : Forces) forceScratch_.push_back(f.get());
  for (const uint32_t slot : step_->order) {
    StepBody& p = step_->bodies[slot];
    const float cx = p.x, cy = p.y;
    if (SLEEPMODE != 0 && (std::fabs(cx - static_cast<float>(RANGECENTERX)) > static_cast<float>(RANGEWIDTH) ||
                           std::fabs(cy - static_cast<float>(RANGECENTERY)) > static_cast<float>(RANGEHEIGHT))) {
      p.inactive = 1;
    } else {
      float vx = cx - p.ox, vy = cy - p.oy;
      if (p.col_occured) {
        const float f = p.col_friction;
        p.col_friction = 0;
        const float k = (f + p.friction) * 0.5f;
        vx = (-COLSTOPLIMIT < vx && vx < COLSTOPLIMIT) ? 0.0f : k * vx;
        vy = (-COLSTOPLIMIT < vy && vy < COLSTOPLIMIT) ? 0.0f : k * vy;
        p.col_occured = 0;
      } else {
        if (-STOPLIMIT < vx && vx < STOPLIMIT) vx = 0;
        if (-STOPLIMIT < vy && vy < STOPLIMIT) vy = 0;
      }
      if (vx == 0 && vy == 0 && SLEEPMODE != 0) {
        p.inactive = 1;
      } else {
        p.inactive = 0;
        if (p.mass > 0 && p.static_ == 0) {
          float fx = 0, fy = 0;
          for (TForce* f : forceScratch_) f->Force(Int(p.x), Int(p.y), fx, fy, p.underwater);
          const float k = dt2 / p.mass;
          MoveBody(slot, vx + fx * k + GRAVITYX * k, vy + fy * k + GRAVITY * k + GRAVITYY * k);
        }
      }
    }
    p.ox = cx;
    p.oy = cy;
  }
  forceScratch_.clear();
  if (own) Scatter();
}

void TPhysEngine::SatisfyConstraints(float /*frameFactor*/) {
  const bool own = !gathered_;
  if (own) Gather();
  // Within a step the index stays for the glue made by the collisions.
  if (inStep_) order_.Build(step_->constraints, step_->links);
  std::vector<StepLink>& links = step_->links;
  std::vector<StepBody>& bodies = step_->bodies;
  for (int pass = 0; pass < ITERATIONS; ++pass) {
    for (size_t slot = 0; slot < links.size(); ++slot) {
      StepLink& c = links[slot];
      if (c.a == StepLink::kNone) continue;  // no ends, or removed earlier in this step
      StepBody& a = bodies[c.a];
      StepBody& b = bodies[c.b];
      if (a.inactive && b.inactive) continue;
      const float m1 = a.mass, m2 = b.mass;
      const float dx = b.x + b.tx - a.x - a.tx;
      const float dy = b.y + b.ty - a.y - a.ty;
      const float d = std::sqrt(dx * dx + dy * dy);
      if (d == 0) continue;
      if (d >= 1.6f * c.length) {
        if (a.static_ && a.breakable) a.static_ = 0;
        if (b.static_ && b.breakable) b.static_ = 0;
      }
      if (c.ctype == PULLPUSH || (c.ctype == PULL && d > c.length) || (c.ctype == PUSH && d < c.length)) {
        const float msum = -m1 - m2;
        if (msum != 0) {  // two weightless ends cannot share a correction
          const float w = (d - c.length) / (d * msum) * c.stiffness;
          const float ax = dx * -m1 * w, ay = dy * -m1 * w;
          const float bx = dx * -m2 * w, by = dy * -m2 * w;
          if (Finite(ax, ay) && Finite(bx, by)) {
            a.tx += ax;
            a.ty += ay;
            b.tx -= bx;
            b.ty -= by;
          }
        }
      }
      if (c.temporary && d - c.length > 4.5f) {
        // Later passes still find it in the copy: it stays alive till the end.
        TPhysEngine_Constraint& glue = *step_->constraints[slot];
        auto held = glue.place.Value();
        if (held.get() != &glue)
          held = Constraints.FindFirst([&glue](const TPhysEngine_Constraint& o) { return &o == &glue; }).Value();
        constraintScratch_.push_back(std::move(held));
        relaxing_ = slot;
        glue.Remove();
        relaxing_ = static_cast<size_t>(-1);
        CountGlue(a, -1);
        CountGlue(b, -1);
        c.a = c.b = StepLink::kNone;
      }
    }
  }
  constraintScratch_.clear();

  for (const uint32_t slot : step_->order) {
    StepBody& p = bodies[slot];
    if (!p.static_) MoveBody(slot, p.tx, p.ty);
    p.tx = p.ty = 0;
  }
  if (own) Scatter();
}

// The collision push of two overlapping particles; a pinned partner gives the
// other an extra push of twice its share.
void TPhysEngine::Push(uint32_t ia, uint32_t ib, float dx, float dy, float d, float R) {
  StepBody& a = step_->bodies[ia];
  StepBody& b = step_->bodies[ib];
  const float msum = -a.mass - b.mass;
  if (msum == 0) return;
  const float w = (d - R) / (d * msum);
  const float ax = dx * -a.mass * w, ay = dy * -a.mass * w;
  const float bx = -dx * -b.mass * w, by = -dy * -b.mass * w;
  if (!Finite(ax, ay) || !Finite(bx, by)) return;
  if (!a.static_) MoveBody(ia, ax, ay);
  if (!b.static_) MoveBody(ib, bx, by);
  // A pinned particle never moves, also when its partner is pinned too.
  if (a.static_ && !b.static_) MoveBody(ib, bx * 2, by * 2);
  if (b.static_ && !a.static_) MoveBody(ia, ax * 2, ay * 2);
  ++pushes_;
  if (dense_) {
    lanes_.Changed(step_->bodies.data(), ia);
    lanes_.Changed(step_->bodies.data(), ib);
  }
}

// Whether the particle may take one more glue: the glue in the engine at it,
// counted when the step copies the constraints and kept as it makes and drops
// glue (a resting pile asks at every contact).
bool TPhysEngine::GlueRoom(uint32_t slot) { return static_cast<size_t>(step_->bodies[slot].glue) < kMostGlue; }

bool TPhysEngine::GlueAt(uint32_t i, uint32_t j, uint32_t ia, uint32_t ib, float d) {
  if (!GlueRoom(ia) || !GlueRoom(ib)) return false;
  const StepArrays& s = *step_;
  const Ref<TPhysEngine_Particle>& pa = *s.groupLinks[i];
  auto glue = TPhysEngine_Constraint::Join(pa->grp, pa, *s.groupLinks[j], this, d);
  if (!glue) return false;
  glue->temporary = 1;
  CountGlue(step_->bodies[ia], 1);
  CountGlue(step_->bodies[ib], 1);
  return true;
}

namespace {

// Beyond this distance on either axis no pair test can fire: not touching
// (1.7 R), not overlapping (R), not close enough to glue (R + 3).
inline float ReachOf(float R) { return std::max(1.7f * R, R + 4.0f); }

}  // namespace

void TPhysEngine::SelfCollide(size_t group) {
  const uint32_t first = step_->groupStart[group], end = step_->groupStart[group + 1];
  for (uint32_t i = first; i < end; ++i) {
    const uint32_t ia = step_->groupSlots[i];
    StepBody& a = step_->bodies[ia];
    const float aox = a.ox, aoy = a.oy;
    for (uint32_t j = i + 1; j < end; ++j) {
      const uint32_t ib = step_->groupSlots[j];
      const StepBody& b = step_->bodies[ib];
      if (a.inactive && b.inactive) continue;
      const float dx = b.x - a.x, dy = b.y - a.y;
      const float R = a.radius + b.radius;
      if (!(std::fabs(dx) < R && std::fabs(dy) < R)) continue;
      const float d = std::sqrt(dx * dx + dy * dy);
      if (0 < d && d < R) Push(ia, ib, dx, dy, d, R);
    }
    a.ox = aox;
    a.oy = aoy;
  }
}

// The particles of group gi against those of hi, in order; whether any came
// within touching distance. One pair at a time: few pairs are near each other.
bool TPhysEngine::OneByOne(size_t gi, size_t hi) {
  const StepArrays& s = *step_;
  StepBody* const bodies = step_->bodies.data();
  const uint32_t* const slots = s.groupSlots.data();
  TPhysEngine_Group* g = groupScratch_[gi].get();
  TPhysEngine_Group* h = groupScratch_[hi].get();
  bool touched = false;
  const uint32_t hFirst = s.groupStart[hi], hEnd = s.groupStart[hi + 1];
  for (uint32_t i = s.groupStart[gi], iEnd = s.groupStart[gi + 1]; i < iEnd; ++i) {
    const uint32_t ia = slots[i];
    StepBody& a = bodies[ia];
    // Only a push moves a; the rest of it stays as it is for the pass.
    float ax = a.x, ay = a.y;
    const float ar = a.radius;
    const bool aRests = a.inactive != 0;
    const float aox = a.ox, aoy = a.oy;
    for (uint32_t j = hFirst; j < hEnd; ++j) {
      const uint32_t ib = slots[j];
      const StepBody& b = bodies[ib];
      if (aRests && b.inactive) continue;
      const float dx = b.x - ax, dy = b.y - ay;
      const float R = ar + b.radius;
      const float reach = ReachOf(R);
      if (!(std::fabs(dx) < reach && std::fabs(dy) < reach)) continue;
      const float d = std::sqrt(dx * dx + dy * dy);
      if (0 < d && d < 1.7f * R) touched = true;
      if (0 < d && d < R) {
        if ((g->fall || h->fall) && Contacts) Contacts->Landed(*g, *h);
        Push(ia, ib, dx, dy, d, R);
        ax = a.x;
        ay = a.y;
      } else if (0 < d && std::fabs(d - R) <= 3 && a.sticky && b.sticky) {
        GlueAt(i, j, ia, ib, d);  // its rest length is the distance just measured
      }
    }
    a.ox = aox;
    a.oy = aoy;
  }
  return touched;
}

// As OneByOne, bit for bit, each particle measured against all of the other
// group at once: cheaper where many pairs are near each other (a crushed
// pile), dearer where most are far apart (boxes lying side by side).
bool TPhysEngine::MeasuredPairs(size_t gi, size_t hi) {
  const StepArrays& s = *step_;
  StepBody* const bodies = step_->bodies.data();
  const uint32_t* const slots = s.groupSlots.data();
  TPhysEngine_Group* g = groupScratch_[gi].get();
  TPhysEngine_Group* h = groupScratch_[hi].get();
  bool touched = false;
  const uint32_t hFirst = s.groupStart[hi], hEnd = s.groupStart[hi + 1], hLane = lanes_.First(hi);
  for (uint32_t i = s.groupStart[gi], iEnd = s.groupStart[gi + 1]; i < iEnd; ++i) {
    const uint32_t ia = slots[i];
    StepBody& a = bodies[ia];
    const float aox = a.ox, aoy = a.oy;
    // a is measured against all of h at once; then only the pairs that push
    // or may glue are handled, in order. A push moves both, so the pairs
    // after it are measured again.
    for (uint32_t j = 0; j < hEnd - hFirst;) {
      const uint32_t n = std::min(hEnd - hFirst - j, PairLanes::kMost);
      uint64_t touch, todo;
      lanes_.Measure(a, hLane + j, n, touch, todo);
      uint32_t next = j + n;
      while (todo) {
        const uint32_t q = static_cast<uint32_t>(std::countr_zero(todo));
        const uint64_t upTo = (uint64_t{2} << q) - 1;
        touched |= (touch & upTo) != 0;
        touch &= ~upTo;
        todo &= todo - 1;
        const uint32_t ib = slots[hFirst + j + q];
        const PairLanes::Pair p = lanes_.At(a, hLane + j + q);
        if (p.d < p.R) {
          if ((g->fall || h->fall) && Contacts) Contacts->Landed(*g, *h);
          Push(ia, ib, p.dx, p.dy, p.d, p.R);
          next = j + q + 1;
          break;
        }
        if (GlueAt(i, hFirst + j + q, ia, ib, p.d)) {
          lanes_.Changed(bodies, ia);
          lanes_.Changed(bodies, ib);
        }
      }
      touched |= touch != 0;
      j = next;
    }
    a.ox = aox;
    a.oy = aoy;
  }
  return touched;
}

void TPhysEngine::ParticleCollisions() {
  const bool own = !gathered_;
  if (own) Gather();
  const StepArrays& s = *step_;
  const size_t count = groupScratch_.size();
  // The bounding circles stay as the last step left them until its end, so
  // the sweep names every pair the test below can pass, in group order.
  circleScratch_.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const TPhysEngine_Group& g = *groupScratch_[i];
    circleScratch_[i] = {static_cast<float>(g.centerx), static_cast<float>(g.centery), g.radius};
  }
  sweep_.Build(circleScratch_);
  if (dense_) lanes_.Load(step_->bodies.data(), s.groupSlots, s.groupStart, kMostGlue);
  pushes_ = 0;
  size_t pairs = 0;
  for (size_t gi = 0; gi < count; ++gi) {
    const Ref<TPhysEngine_Group>& g = groupScratch_[gi];
    if (!g->docollisions) continue;
    if (g->selfcollision) SelfCollide(gi);
    sweep_.Candidates(gi, nearScratch_);
    for (size_t hi : nearScratch_) {
      const Ref<TPhysEngine_Group>& h = groupScratch_[hi];
      if (h == g || h->docollisions != 1) continue;
      const float cdx = static_cast<float>(h->centerx) - static_cast<float>(g->centerx);
      const float cdy = static_cast<float>(h->centery) - static_cast<float>(g->centery);
      const float rsum = g->radius + h->radius;
      // No distance is below either offset, so these pairs cannot overlap.
      if (!(std::fabs(cdx) < rsum && std::fabs(cdy) < rsum)) continue;
      if (!(std::sqrt(cdx * cdx + cdy * cdy) < rsum)) continue;

      ++pairs;
      const bool touched = dense_ ? MeasuredPairs(gi, hi) : OneByOne(gi, hi);
      if (touched && Contacts) Contacts->Touched(g, h);
    }
  }
  dense_ = pushes_ > kDensePushes * pairs;
  if (own) Scatter();
}

}  // namespace kelp
