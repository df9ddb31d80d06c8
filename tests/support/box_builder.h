#pragma once
// The one way tests make a box of the level world, and the walled play field
// they drop boxes into. A box's body goes into the engine of `World` (which
// must exist) and the box is appended to BlockList, as the game's own boxes
// are; the world's reset takes them out again.
#include "physics/engine.h"
#include "world/block.h"

namespace testsupport {

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

inline kelp::Ref<kelp::TBlock> MakeBox(const BoxOptions& o) {
  auto b = kelp::TBlock::Create(o.x, o.y, 0, 0);
  b->class_ = o.cls;
  b->SetClass();
  if (o.armor >= 0) b->armor = b->max_armor = o.armor;
  b->bonus_class = o.bonus;
  b->boss_class = o.boss;
  b->Group->boss_class = o.boss;
  b->Group->Scale(b->scale);
  if (o.released) b->Released = b->Group->Released = 1;
  if (o.levelSize) {
    const float h = 32 * b->scale;
    b->UpLeft->Position(o.x - h, o.y - h);
    b->UpRight->Position(o.x + h, o.y - h);
    b->DownLeft->Position(o.x - h, o.y + h);
    b->DownRight->Position(o.x + h, o.y + h);
    b->Center->Position(o.x, o.y);
  }
  if (o.pinned)
    for (auto p = b->Group->frstp.get(); p; p = p->nxt.get()) p->static_ = 1;
  b->RenderX = o.x;
  b->RenderY = o.y;
  return b;
}

// A released box of the class value at (x, y).
inline kelp::Ref<kelp::TBlock> MakeBox(int cls, float x, float y) {
  return MakeBox({.cls = cls, .x = x, .y = y});
}

// The play field's floor at `floorY` between walls at x 190 and 570.
inline void WalledField(kelp::TPhysEngine& e, float floorY = 560.0f) {
  kelp::TPhysEngine_Static::Create(190, floorY, 570, floorY, 0.8f, 2, 1, &e);
  kelp::TPhysEngine_Static::Create(190, -1000, 190, floorY, 0.8f, 2, 1, &e);
  kelp::TPhysEngine_Static::Create(570, -1000, 570, floorY, 0.8f, 2, 1, &e);
}

}  // namespace testsupport
