#pragma once
// The standard physics scenes that the tests, the benchmarks and the fuzz
// targets share: single bodies, the game's box body, the walled play field
// with boxes dropped in a grid, a tall pile, and the helpers that step a
// scene and read its state. Everything here builds into the engine it is
// given (or a new one) and keeps no state of its own.
#include <cstdint>
#include <memory>
#include <vector>

#include "physics/engine.h"

namespace scenes {

using kelp::Ref;
using kelp::TPhysEngine;
using kelp::TPhysEngine_Group;
using kelp::TPhysEngine_Particle;

// The play field: floor at y 560 from x 190, walls at x 190 and at
// FieldRight(columns), all of radius 2 and friction 0.8. Boxes stand in
// columns 60 apart from x 230, rows 60 apart upwards from y 500.
inline constexpr float kFieldLeft = 190.0f;
inline constexpr float kFloorY = 560.0f;
inline constexpr float kWallTop = -1000.0f;
inline constexpr float kWallRadius = 2.0f;
inline constexpr float kWallFriction = 0.8f;
inline constexpr float kBoxPitch = 60.0f;
inline constexpr float kFirstBoxX = 230.0f;
inline constexpr float kFirstBoxY = 500.0f;
inline constexpr float kBoxScale = 0.55f;  // a level box: 64 * 0.55 across its corner centres
inline constexpr int kPlayColumns = 6;     // the level's field holds six boxes side by side

float FieldRight(int columns);
// Columns of a field whose rows of `boxes` are at most ten high (at least six).
int FieldColumns(int boxes);
// Centre of box `i` of a field `columns` wide.
float BoxX(int i, int columns);
float BoxY(int i, int columns);

// A lone particle in a group of its own.
Ref<TPhysEngine_Particle> Lone(TPhysEngine& e, float x, float y, float radius = 8.0f);
// A box body like the game's (four corners, a centre, ten constraints) at
// `scale` of full size with its centre near (x, y). The constraints are made
// where the particles stand, as a loaded world makes them; its particles glue
// and its corners make dust.
Ref<TPhysEngine_Group> Box(TPhysEngine& e, float x, float y, float scale = kBoxScale);
// What a world file does not carry: box particles glue, corners make dust.
void MarkBoxes(TPhysEngine& e);

// Floor and two walls around `columns` boxes; the floor at `floorY`.
void WalledBox(TPhysEngine& e, int columns = kPlayColumns, float floorY = kFloorY);
// `count` boxes in rows of `columns` above the floor.
void DropBoxes(TPhysEngine& e, int count, int columns = kPlayColumns);
// A new engine as a level starts it (after ClearWorld), with the walled
// field `columns` wide and `boxes` boxes dropped in it.
std::unique_ptr<TPhysEngine> BoxField(int boxes, int columns);
// The boxes of `rows` full rows of the six-column play field: they settle
// into a pile that high.
std::unique_ptr<TPhysEngine> Pile(int rows);

// Steps the engine with the game clock moving 18 ms a frame.
void Steps(TPhysEngine& e, int steps);

// Every particle's position and previous position, in list order.
std::vector<float> State(const TPhysEngine& e);
bool BitEqual(const std::vector<float>& a, const std::vector<float>& b);
bool AllFinite(const TPhysEngine& e);
// FNV-1a over the bits of every particle's x, y, ox, oy in list order: one
// changed bit anywhere changes it.
uint64_t PositionHash(const TPhysEngine& e);
// Constraints made by contacts (glue) now in the engine.
size_t TemporaryCount(const TPhysEngine& e);

}  // namespace scenes
