#include "scenes/physics_scenes.h"

#include <cmath>
#include <cstring>

#include "framework/core/frame_clock.h"

namespace scenes {

using kelp::TPhysEngine_Constraint;
using kelp::TPhysEngine_Static;

float FieldRight(int columns) { return kFieldLeft + 20.0f + kBoxPitch * static_cast<float>(columns); }

int FieldColumns(int boxes) { return boxes > 10 * kPlayColumns ? (boxes + 9) / 10 : kPlayColumns; }

float BoxX(int i, int columns) { return kFirstBoxX + kBoxPitch * static_cast<float>(i % columns); }
float BoxY(int i, int columns) { return kFirstBoxY - kBoxPitch * static_cast<float>(i / columns); }

Ref<TPhysEngine_Particle> Lone(TPhysEngine& e, float x, float y, float radius) {
  auto g = TPhysEngine_Group::Create(&e);
  auto p = TPhysEngine_Particle::Create(g.get(), x, y, &e);
  p->radius = radius;
  return p;
}

Ref<TPhysEngine_Group> Box(TPhysEngine& e, float x, float y, float scale) {
  auto g = TPhysEngine_Group::Create(&e);
  g->name = "box";
  struct P { const char* name; float x, y, mass, radius; };
  const P parts[] = {{"particle", -32, -32, 1.0f, 16}, {"particle(2)", 32, -32, 1.0f, 16},
                     {"particle(3)", -32, 32, 1.0f, 16}, {"align", 32, 32, 0.8f, 16},
                     {"center", 0, 0, 1.0f, 48}};
  std::vector<Ref<TPhysEngine_Particle>> ps;
  for (const P& p : parts) {
    auto q = TPhysEngine_Particle::Create(g.get(), x + p.x * scale, y + p.y * scale, &e);
    q->name = p.name;
    q->mass = p.mass;
    q->friction = 0.5f;
    q->radius = p.radius * scale;
    q->sticky = 1;
    q->dusty = q->name != "center";
    ps.push_back(q);
  }
  const int joins[10][2] = {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}};
  for (const auto& j : joins) TPhysEngine_Constraint::Create(g.get(), ps[j[0]], ps[j[1]], &e);
  return g;
}

void MarkBoxes(TPhysEngine& e) {
  for (const auto& g : e.Groups) {
    if (g->name != "box") continue;
    for (auto p = g->frstp.get(); p; p = p->nxt.get()) {
      p->sticky = 1;
      p->dusty = p->name != "center";
    }
  }
}

void WalledBox(TPhysEngine& e, int columns, float floorY) {
  const float right = FieldRight(columns);
  TPhysEngine_Static::Create(kFieldLeft, floorY, right, floorY, kWallFriction, kWallRadius, 1, &e);
  TPhysEngine_Static::Create(kFieldLeft, kWallTop, kFieldLeft, floorY, kWallFriction, kWallRadius, 1, &e);
  TPhysEngine_Static::Create(right, kWallTop, right, floorY, kWallFriction, kWallRadius, 1, &e);
}

void DropBoxes(TPhysEngine& e, int count, int columns) {
  for (int i = 0; i < count; ++i) Box(e, BoxX(i, columns), BoxY(i, columns));
}

std::unique_ptr<TPhysEngine> BoxField(int boxes, int columns) {
  auto e = std::make_unique<TPhysEngine>();
  e->ClearWorld();
  WalledBox(*e, columns);
  DropBoxes(*e, boxes, columns);
  return e;
}

std::unique_ptr<TPhysEngine> Pile(int rows) { return BoxField(rows * kPlayColumns, kPlayColumns); }

void Steps(TPhysEngine& e, int steps) {
  for (int i = 0; i < steps; ++i) {
    kelp::GameTime += 18;
    e.Update(1.0f);
  }
}

std::vector<float> State(const TPhysEngine& e) {
  std::vector<float> out;
  out.reserve(e.Particles.Count() * 4);
  for (const auto& p : e.Particles) {
    out.push_back(p->x);
    out.push_back(p->y);
    out.push_back(p->ox);
    out.push_back(p->oy);
  }
  return out;
}

bool BitEqual(const std::vector<float>& a, const std::vector<float>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

bool AllFinite(const TPhysEngine& e) {
  for (const auto& p : e.Particles)
    if (!std::isfinite(p->x) || !std::isfinite(p->y) || !std::isfinite(p->ox) || !std::isfinite(p->oy))
      return false;
  return true;
}

uint64_t PositionHash(const TPhysEngine& e) {
  uint64_t h = 1469598103934665603ull;
  for (float v : State(e)) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 4; ++i) {
      h ^= (bits >> (8 * i)) & 0xffu;
      h *= 1099511628211ull;
    }
  }
  return h;
}

size_t TemporaryCount(const TPhysEngine& e) {
  size_t n = 0;
  for (const auto& c : e.Constraints) n += c->temporary ? 1 : 0;
  return n;
}

}  // namespace scenes
