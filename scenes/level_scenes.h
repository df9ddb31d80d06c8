#pragma once
// Level-like scenes: boxes with their game logic in the level world, on the
// play field of the physics scenes, with a level screen and a player made
// for them; and the one way tests and benchmarks make a box of the level
// world.
#include <cstdint>
#include <string>

#include "framework/core/object.h"
#include "world/block.h"

namespace scenes {

struct BoxOptions {
  // The class as block files hold it: trailing digits are armour (30 is a
  // blue box with one armour); bosses keep class 11.
  int cls = kelp::TBlock::RED;
  float x = 0.0f, y = 0.0f;  // where its centre stands; also where it is drawn
  bool released = true;      // in play (loaded, or let go by the claw)
  bool pinned = false;       // every particle static: the box stays where it is put
  // The corners drawn in to the box's scale around its centre, as a block file
  // places them (scaling the body shortens its joints but leaves its corners).
  bool levelSize = false;
  int armor = -1;  // when set: the armour and full armour, whatever the class value says
  int bonus = 0;   // bonus_class of a bonus box (class 9)
  int boss = 0;    // boss_class of a boss box (class 11), on the body too
};

// A box in the engine of `World` (which must exist), appended to BlockList
// as the game's own boxes are; the world's reset takes it out again.
kelp::Ref<kelp::TBlock> MakeBox(const BoxOptions& o);
// A released box of the class value at (x, y).
kelp::Ref<kelp::TBlock> MakeBox(int cls, float x, float y);

// Opens a headless canvas and loads the data set's "Init" resources (box
// and brick pictures, the effects) from `root`, the folder holding res.xml
// and data/, binding them as start-up does; the current folder becomes
// `root`. Without them every dust puff, box part and brick would log its
// missing resource. False when the data set is not there.
bool LoadInitData(const std::string& root);

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
