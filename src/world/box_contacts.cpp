#include "world/box_contacts.h"

#include "framework/core/frame_clock.h"
#include "physics/engine.h"
#include "world/block.h"

namespace kelp {
namespace {

// The parasite contact that touching h gives: a brownie boss, any other boss
// or a parasite, or none.
int ParaziteKind(const TPhysEngine_Group& h) {
  if (h.class_ == TBlock::BOSS && h.boss_class == TBlock::BROWNIE) return TBlock::BROWNIE_TOUCH;
  if (h.class_ == TBlock::PARAZITE || h.class_ == TBlock::BOSS) return TBlock::PARAZITE_TOUCH;
  return TBlock::NO_PARAZITE;
}

void AddParazite(TPhysEngine_Group& g, const Ref<TPhysEngine_Group>& h) {
  const int kind = ParaziteKind(*h);
  if (kind == TBlock::NO_PARAZITE) return;
  g.CollideList2.AddLast(h);
  if (g.ParaziteOnBoard != TBlock::NO_PARAZITE) {
    if (kind == TBlock::BROWNIE_TOUCH) g.ParaziteOnBoard = TBlock::BROWNIE_TOUCH;
    if (g.ParaziteUpdTime != 0) g.ParaziteOnBoardTime += GameTime - g.ParaziteUpdTime;
  } else {
    g.ParaziteOnBoardTime = 0;
    g.ParaziteOnBoard = kind;
  }
  g.ParaziteUpdTime = GameTime;
}

class Listener final : public ContactListener {
 public:
  // A released box that lands on another released box stops falling.
  void Landed(TPhysEngine_Group& g, TPhysEngine_Group& h) override {
    if (g.class_ != 0 && h.class_ != 0 && g.Released && h.Released) g.fall = h.fall = 0;
  }

  void Touched(const Ref<TPhysEngine_Group>& g, const Ref<TPhysEngine_Group>& h) override {
    if (g->class_ == 0) return;  // only a box keeps contacts
    if (g->class_ == TBlock::COMIC_BOX) g->class_ = TBlock::COMIC_BOX_TOUCHED;
    if (h->class_ != 0) {
      if (g->Active && g->ActiveStartTime == 0) g->ActiveStartTime = GameTime;
      if (h->Active && h->ActiveStartTime == 0) h->ActiveStartTime = GameTime;
      g->CollideList3.AddLast(h);
      h->CollideList3.AddLast(g);
    }
    if (g->class_ == h->class_ && g->Released && h->Released) {
      g->CollideList.AddLast(h);
      h->CollideList.AddLast(g);
    }
    if (h->class_ == TBlock::BONUS) g->CollideListBonus.AddLast(h);
    AddParazite(*g, h);
  }

  // A box on a parasite static: the contact time runs on from the last one.
  void HitStatic(TPhysEngine_Group& g, TPhysEngine_Static& s) override {
    if (!s.Parazite || g.class_ == 0) return;
    if (g.ParaziteOnBoard != TBlock::NO_PARAZITE)
      g.ParaziteOnBoardTime += GameTime - g.ParaziteUpdTime;
    else
      g.ParaziteOnBoardTime = 0;
    g.ParaziteOnBoard = TBlock::PARAZITE_STATIC;
    g.ParaziteUpdTime = GameTime;
  }
};

}  // namespace

ContactListener& BoxContacts() {
  static Listener listener;
  return listener;
}

}  // namespace kelp
