#pragma once
// Level-like scenes: boxes with their game logic in the level world, on the
// play field of the physics scenes, with a level screen and a player made
// for them. For the benchmarks and tests of a level frame.
#include <cstdint>

namespace scenes {

// A level world with the walled six-column field and `boxes` released boxes
// of random colours 1..5 dropped in rows (the generator seeded with `seed`),
// a level screen of game type 1 and a player; the red line is far above, so
// a tall pile is not lost. The game clock starts at 1,000,000.
void BuildBoxLevel(int boxes, uint32_t seed = 11);
// Lets go of everything BuildBoxLevel made.
void TearBoxLevel();
// One level frame of the boxes: the box logic, then the physics step, with
// the game clock moving 18 ms.
void BoxLevelFrame();

}  // namespace scenes
