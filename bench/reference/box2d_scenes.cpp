#include "bench/reference/box2d_scenes.h"

#include <box2d/box2d.h>

#include <algorithm>

#include "scenes/physics_scenes.h"

namespace reference {
namespace {

constexpr float kTimeStep = 0.05f;  // the engine's TIMESTEP after ClearWorld
constexpr float kGravity = 100.0f;  // the engine's GRAVITY, in pixels per second squared
constexpr float kBoxFriction = 0.5f;

float M(float pixels) { return pixels / kPixelsPerMetre; }

// A static slab along a wall segment of the field, as thick as the wall.
void Wall(b2World& w, float x1, float y1, float x2, float y2) {
  b2BodyDef def;
  def.position.Set(M((x1 + x2) * 0.5f), M((y1 + y2) * 0.5f));
  b2Body* body = w.CreateBody(&def);
  b2PolygonShape shape;
  shape.SetAsBox(M((x2 - x1) * 0.5f + scenes::kWallRadius), M((y2 - y1) * 0.5f + scenes::kWallRadius));
  b2FixtureDef fix;
  fix.shape = &shape;
  fix.friction = scenes::kWallFriction;
  body->CreateFixture(&fix);
}

}  // namespace

std::unique_ptr<b2World> BoxField(int boxes, int columns) {
  // y grows downwards as in the game, so gravity is positive.
  auto w = std::make_unique<b2World>(b2Vec2(0.0f, M(kGravity)));
  w->SetAllowSleeping(false);
  const float right = scenes::FieldRight(columns);
  Wall(*w, scenes::kFieldLeft, scenes::kFloorY, right, scenes::kFloorY);
  Wall(*w, scenes::kFieldLeft, scenes::kWallTop, scenes::kFieldLeft, scenes::kFloorY);
  Wall(*w, right, scenes::kWallTop, right, scenes::kFloorY);
  // The game's box reaches its corner particles' rims: 32 + 16 at full size.
  const float half = (32.0f + 16.0f) * scenes::kBoxScale;
  b2PolygonShape shape;
  shape.SetAsBox(M(half), M(half));
  for (int i = 0; i < boxes; ++i) {
    b2BodyDef def;
    def.type = b2_dynamicBody;
    def.allowSleep = false;
    def.position.Set(M(scenes::BoxX(i, columns)), M(scenes::BoxY(i, columns)));
    b2Body* body = w->CreateBody(&def);
    b2FixtureDef fix;
    fix.shape = &shape;
    fix.density = 1.0f;
    fix.friction = kBoxFriction;
    body->CreateFixture(&fix);
  }
  return w;
}

void Step(b2World& w) { w.Step(kTimeStep, kVelocityIterations, kPositionIterations); }

int TouchingContacts(b2World& w) {
  int n = 0;
  for (b2Contact* c = w.GetContactList(); c; c = c->GetNext()) n += c->IsTouching() ? 1 : 0;
  return n;
}

float LowestBoxY(b2World& w) {
  float y = -1e9f;
  for (b2Body* b = w.GetBodyList(); b; b = b->GetNext())
    if (b->GetType() == b2_dynamicBody) y = std::max(y, b->GetPosition().y * kPixelsPerMetre);
  return y;
}

}  // namespace reference
