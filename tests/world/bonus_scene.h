#pragma once
// The box scene with what the bonus and boss boxes act through: a level
// interface to receive emitters, a resource manager, and an effect of its own
// for every effect id they use, so that each emitter can be told by its
// effect. Boxes are pinned where they are put; the bosses' hop clock is held
// back unless a test lets it run.
#include <cmath>

#include "box_scene.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "world/game_interface.h"

namespace box_test {

class BonusScene : public BoxScene {
 protected:
  void SetUp() override {
    BoxScene::SetUp();
    saved_res_ = ResManager;
    ResManager = New<TResManager>();
    GameInterface = New<TGameInterface>();
    for (Ref<TEffect>* e : Effects()) *e = New<TEffect>();
    EffectSmoke01->GenSpeed = 5.0f;
    EffectFreeze02->GenSpeed = 7.0f;
    HoldHops();
  }
  void TearDown() override {
    BoxScene::TearDown();
    for (Ref<TEffect>* e : Effects()) *e = nullptr;
    GameInterface = nullptr;
    ResManager = saved_res_;
  }

 public:
  static std::vector<Ref<TEffect>*> Effects() {
    return {&EffectBrick2,      &EffectBoxExplodeDust, &EffectBoxExplodeSparks, &EffectStars05,
            &EffectParExplodeDust, &EffectExplCircle,  &EffectExplIskra,       &EffectExplCircle2,
            &EffectExplIskra2,  &EffectCoins,          &EffectGems,            &EffectStone01,
            &EffectRay,         &EffectBonusFreeze,    &EffectSmoke01,         &EffectSmoke02,
            &EffectFreeze02,    &EffectBoxExplode};
  }

  static void HoldHops() { LastParaziteTime = GameTime + 100000000; }

  // A box of the class value at (x, y) in its level size, its drawing
  // position set. (Scaling a body shortens its joints but leaves its corners
  // where they were, so the corners are drawn in around the centre.)
  static Ref<TBlock> Make(int fileClass, float x, float y) {
    auto b = Place(fileClass, x, y);
    const float cx = b->Center->x, cy = b->Center->y;
    for (auto p = b->Group->frstp.get(); p; p = p->nxt.get())
      p->Position(cx + (p->x - cx) * b->scale, cy + (p->y - cy) * b->scale);
    b->RenderX = x;
    b->RenderY = y;
    return b;
  }
  // The same, pinned where it is put.
  static Ref<TBlock> Put(int fileClass, float x, float y) {
    auto b = Make(fileClass, x, y);
    Pin(b);
    return b;
  }
  static Ref<TBlock> Bonus(int kind, float x, float y, int armor = 0) {
    auto b = Put(TBlock::BONUS, x, y);
    b->bonus_class = kind;
    b->armor = b->max_armor = armor;
    return b;
  }
  static Ref<TBlock> Boss(int kind, float x, float y, int armor) {
    auto b = Put(TBlock::BOSS, x, y);
    b->boss_class = kind;
    b->Group->boss_class = kind;
    b->armor = b->max_armor = armor;
    return b;
  }

  // Emitters handed to the level interface with this effect.
  static std::vector<Ref<TEmitter>> EmittersOf(const Ref<TEffect>& effect) {
    std::vector<Ref<TEmitter>> out;
    for (const auto& e : GameInterface->Emitters)
      if (e->Config == effect) out.push_back(e);
    return out;
  }
  template <class T>
  static int CountOf() {
    int n = 0;
    for (const auto& v : VisualsList)
      if (As<T>(v)) ++n;
    return n;
  }
  template <class T>
  static std::vector<Ref<T>> AllOf() {
    std::vector<Ref<T>> out;
    for (const auto& v : VisualsList)
      if (auto t = As<T>(v)) out.push_back(t);
    return out;
  }

 private:
  Ref<TResManager> saved_res_;
};

}  // namespace box_test
