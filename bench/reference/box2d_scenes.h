#pragma once
// The physics benchmark's scenes built in Debian's Box2D, the reference the
// game's step is measured against: the same walled field, box size, grid,
// gravity and step as scenes/physics_scenes.h, with sleeping turned off so
// that a pile at rest costs what it costs in the game. Benchmark only: the
// game never links Box2D.
#include <memory>

class b2World;

namespace reference {

// Box2D works in metres; the game's pixels are scaled by this.
inline constexpr float kPixelsPerMetre = 32.0f;
// Box2D's own defaults for the solver passes.
inline constexpr int kVelocityIterations = 8;
inline constexpr int kPositionIterations = 3;

// A world with the walled field `columns` wide and `boxes` boxes dropped in
// rows of `columns`, as scenes::BoxField builds it for the game's engine.
std::unique_ptr<b2World> BoxField(int boxes, int columns);
// One step of the game's fixed TIMESTEP.
void Step(b2World& w);
// Contacts whose shapes touch (Box2D's constraints of the step).
int TouchingContacts(b2World& w);
// The lowest box's centre height in game pixels (to keep the work observable).
float LowestBoxY(b2World& w);

}  // namespace reference
