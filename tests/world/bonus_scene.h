#pragma once
// The box scene with what the bonus and boss boxes act through: a level
// interface to receive emitters, and an effect of its own
// for every effect id they use, so that each emitter can be told by its
// effect. Boxes are pinned where they are put; the bosses' hop clock is held
// back unless a test lets it run.
#include <cmath>

#include "box_scene.h"
#include "framework/media/particles.h"
#include "world/game_interface.h"

namespace box_test {

class BonusScene : public BoxScene {
 protected:
  void SetUp() override {
    BoxScene::SetUp();
    GameInterface = New<TGameInterface>();
    for (Ref<TEffect>* e : Effects()) *e = New<TEffect>();
    EffectSmoke01->GenSpeed = 5.0f;
    EffectFreeze02->GenSpeed = 7.0f;
    HoldHops();
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

  // A box of the class value in its level size, pinned where it is put.
  static Ref<TBlock> Put(int fileClass, float x, float y) {
    return MakeBox({.cls = fileClass, .x = x, .y = y, .pinned = true, .levelSize = true});
  }
  static Ref<TBlock> Bonus(int kind, float x, float y, int armor = 0) {
    return MakeBox({.cls = TBlock::BONUS, .x = x, .y = y, .pinned = true, .levelSize = true, .armor = armor,
                    .bonus = kind});
  }
  static Ref<TBlock> Boss(int kind, float x, float y, int armor) {
    return MakeBox({.cls = TBlock::BOSS, .x = x, .y = y, .pinned = true, .levelSize = true, .armor = armor,
                    .boss = kind});
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
};

}  // namespace box_test
