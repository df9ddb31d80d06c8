#pragma once
// Small scene builders shared by the physics tests.
#include <cmath>
#include <cstring>
#include <vector>

#include "framework/core/frame_clock.h"
#include "physics/engine.h"

namespace physics_test {

using namespace kelp;

// What the world file does not carry: box particles glue, corners make dust.
inline void MarkBoxes(TPhysEngine& e) {
  for (const auto& g : e.Groups) {
    if (g->name != "box") continue;
    for (auto p = g->frstp.get(); p; p = p->nxt.get()) {
      p->sticky = 1;
      p->dusty = p->name != "center";
    }
  }
}

// A lone particle in a group of its own.
inline Ref<TPhysEngine_Particle> Lone(TPhysEngine& e, float x, float y, float radius = 8.0f) {
  auto g = TPhysEngine_Group::Create(&e);
  auto p = TPhysEngine_Particle::Create(g.get(), x, y, &e);
  p->radius = radius;
  return p;
}

// A box body like the game's (four corners, a centre, ten constraints) at
// `scale` of full size with its centre near (x, y). The constraints are made
// where the particles stand, as a loaded world makes them.
inline Ref<TPhysEngine_Group> Box(TPhysEngine& e, float x, float y, float scale = 0.55f) {
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

// Floor and two walls: the play field, or one wider by `columns` boxes.
inline void WalledBox(TPhysEngine& e, int columns = 6) {
  const float right = 210.0f + 60.0f * static_cast<float>(columns);
  TPhysEngine_Static::Create(190, 560, right, 560, 0.8f, 2, 1, &e);
  TPhysEngine_Static::Create(190, -1000, 190, 560, 0.8f, 2, 1, &e);
  TPhysEngine_Static::Create(right, -1000, right, 560, 0.8f, 2, 1, &e);
}

// `count` boxes in rows of `columns` above the floor.
inline void DropBoxes(TPhysEngine& e, int count, int columns = 6) {
  for (int i = 0; i < count; ++i)
    Box(e, 230.0f + 60.0f * static_cast<float>(i % columns), 500.0f - 60.0f * static_cast<float>(i / columns));
}

// Every particle's position and previous position, for bitwise comparison.
inline std::vector<float> State(const TPhysEngine& e) {
  std::vector<float> out;
  for (const auto& p : e.Particles) {
    out.push_back(p->x);
    out.push_back(p->y);
    out.push_back(p->ox);
    out.push_back(p->oy);
  }
  return out;
}

inline bool BitEqual(const std::vector<float>& a, const std::vector<float>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

inline bool AllFinite(const TPhysEngine& e) {
  for (const auto& p : e.Particles)
    if (!std::isfinite(p->x) || !std::isfinite(p->y) || !std::isfinite(p->ox) || !std::isfinite(p->oy))
      return false;
  return true;
}

// Steps the engine with the game clock moving 18 ms a frame.
inline void Steps(TPhysEngine& e, int steps) {
  for (int i = 0; i < steps; ++i) {
    GameTime += 18;
    e.Update(1.0f);
  }
}

}  // namespace physics_test
