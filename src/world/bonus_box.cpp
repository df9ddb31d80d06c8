// What a box does when it goes or loses armour, and the bonus effects.
#include "world/bonus_box.h"

#include <cmath>

#include "framework/core/color.h"
#include "framework/core/numeric.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "physics/engine.h"
#include "world/effects/box_explosion.h"
#include "world/effects/flash.h"
#include "world/effects/parasite_effects.h"
#include "world/effects/ray.h"
#include "world/effects/resizer.h"
#include "world/effects/screen_shake.h"
#include "world/effects/stones.h"
#include "world/effects/time_freeze.h"
#include "world/game_state.h"
#include "world/game_interface.h"
#include "world/player_state.h"
#include "world/block.h"
#include "world/brick.h"
#include "world/handle.h"
#include "world/resource_bindings.h"
#include "world/world.h"

namespace kelp {

Ref<TEmitter> BoxEmitter(const Ref<TEffect>& effect, float x, float y, int drawUnder, bool cut) {
  Ref<TEmitter> e = TEmitter::Create(x, y, effect, drawUnder);
  if (cut) e->cut();
  if (GameInterface) GameInterface->AddEmitter(e);
  return e;
}

namespace {

// The box hanging at the claw, which bonuses and the brownie leave alone.
Ref<TBlock> HeldBox() { return PlayerState ? PlayerState->box : nullptr; }

bool IsYeti(const TBlock& b) {
  return b.class_ == TBlock::BOSS && (b.boss_class == TBlock::YETI || b.boss_class == TBlock::EVIL_YETI);
}

bool IsParaziteBoss(const TBlock& b) {
  if (b.class_ != TBlock::BOSS) return false;
  switch (b.boss_class) {
    case TBlock::PARAZ:
    case TBlock::ELITE:
    case TBlock::BROWNIE_FULL:
    case TBlock::BROWNIE:
    case TBlock::SMALL_ELITE:
      return true;
    default:
      return false;
  }
}

// Another box a bonus may act on.
bool Target(const Ref<TBlock>& b, const TBlock* self) { return b.get() != self && !b->hided && !b->Deleted(); }

// The box pays out and goes, whatever its armour.
void RemoveNow(const Ref<TBlock>& b) {
  b->armor = 0;
  b->TakeTicket();
  TBlock::Remove(b);
}

void Blast(float x, float y) {
  const int X = Int(x), Y = Int(y);
  BoxEmitter(EffectBoxExplodeDust, x, y);
  TFlash::CreateFlash(X, Y, 4.5f, 0.5f, ColorCream, 2.0f, 0);
  BoxEmitter(EffectExplCircle, x, y);
  BoxEmitter(EffectExplIskra, x, y, 0, true);
  TFlash::CreateFlash(X, Y, 10.0f, 0.3f, ColorPeach, 3.0f, 1);
  TScreenShake::CreateScreenShake(8, 0.5f);
}

void OpenChest(const TBlock& chest) {
  const float x = chest.RenderX, y = chest.RenderY;
  if (PlayerState) PlayerState->money += chest.Money;
  const Ref<TEmitter> coins = BoxEmitter(EffectCoins, x, y);
  const Ref<TEmitter> gems = BoxEmitter(EffectGems, x, y);
  // Coins from far off fly faster, so they arrive about as soon.
  const TMagnet& m = *coins->Magnet;
  const float d = std::sqrt((x - m[1]) * (x - m[1]) + (y - m[2]) * (y - m[2]));
  const float speed = d >= 300.0f ? 8.0f : 3.0f;
  (*coins->Magnet)[3] = speed;
  (*gems->Magnet)[3] = speed;
  ChestCoins = coins;
  PlaySoundEffect("SOUND_CHEST", 0, 1);

  if (chest.bonus_class != TBlock::CHEST_02 || !GameState || GameState->Round != 2) return;
  const char* stone = nullptr;
  switch (GameState->Stage) {
    case 8:
      stone = "TROPHY_STONE_01";
      break;
    case 9:
      stone = "TROPHY_STONE_02_2";
      break;
    case 10:
      stone = "TROPHY_STONE_03_2";
      break;
    default:
      return;
  }
  if (!ResManager) return;
  const Ref<TStone> s = TStone::Create(stone, Int(x), Int(y), 0.4f, 0.6f, 5000);
  if (EffectStone01) s->Magnet = EffectStone01->Magnet;
}

}  // namespace

void TBlock::Explode(int m) {
  const Ref<TBlock> self = shared_from_this();
  const float x = RenderX, y = RenderY;
  const int X = Int(x), Y = Int(y);

  // Dropped as well as ended, so that a box that keeps its armour smokes
  // again at its next parasite contact.
  if (EvilSmoke) EvilSmoke->Kill();
  if (FreezeEffect) FreezeEffect->Kill();
  EvilSmoke = nullptr;
  FreezeEffect = nullptr;

  const bool parasiteKind = class_ == PARAZITE || class_ == BOSS;
  if (class_ == BONUS && bonus_class == ICE) {
    BoxEmitter(EffectBrick2, x, y, 1);
  } else if (!parasiteKind) {
    TBoxExplode::Create(self);
    if (armor == 0) {
      TCreature::Create(static_cast<float>(X), static_cast<float>(Y), self);
      BoxEmitter(EffectBoxExplodeDust, x, y, 0, true);
      BoxEmitter(EffectBoxExplodeSparks, x, y, 0, true);
    }
  }

  if (armor == 0) {
    BoxEmitter(EffectStars05, x, y, 0, true);
    if (m > 1) TScreenShake::CreateScreenShake(2, 0.5f);
    if (m > 2) TFlash::CreateFlash(X, Y, 4.5f, 0.4f, ColorCream, 2.0f, 1);
    TForce::Create(X, Y, 100.0f, 210.0f, 30, World ? World->Physics.get() : nullptr, 0);
    if (Group)
      for (auto p = Group->frstp.get(); p; p = p->nxt.get()) TBrick::Hit(Int(p->x), Int(p->y), 10);
  }

  if (!parasiteKind) return;
  TBoxExplode::Create(self);
  if (armor > 0) return;

  if (class_ == PARAZITE) {
    BoxEmitter(EffectParExplodeDust, x, y, 0, true);
    BoxEmitter(EffectBoxExplodeSparks, x, y, 0, true);
    PlaySoundEffect("SOUND_PARAZITE_REMOVE", 0, 0);
    return;
  }

  PlaySoundEffect("SOUND_BONUS_EXPLOSION", 0, 1);
  PlaySoundEffect("SOUND_BOSS", 0, 1);
  if (boss_class == YETI) TCreature::Create(static_cast<float>(X), static_cast<float>(Y), self);
  if (boss_class >= PARAZ && boss_class <= SMALL_ELITE) {
    BoxEmitter(EffectParExplodeDust, x, y);
    BoxEmitter(EffectBoxExplodeSparks, x, y);
    BoxEmitter(EffectExplCircle2, x, y);
    BoxEmitter(EffectExplIskra2, x, y);
    TForce::Create(X, Y, 150.0f, 210.0f, 30, World ? World->Physics.get() : nullptr, 0);
    TScreenShake::CreateScreenShake(10, 0.5f);
    TFlash::CreateFlash(X, Y, 12.0f, 0.7f, ColorCream, 1.5f, 1);
  }

  if (boss_class != BROWNIE) return;
  // The brownie's defeat ends the level's fight: every other box pays and goes.
  BrownieBlock.reset();
  if (PlayerState && World) PlayerState->ReleasedCreatures = World->CreaturesToRelease;
  if (GameState) GameState->GameType = 1;
  const Ref<TBlock> held = HeldBox();
  for (const auto& b : BlockList)
    if (b != self && b != held && !b->Deleted()) RemoveNow(b);
}

void TBlock::BonusApply() {
  if (armor > 0) return;
  const float x = RenderX, y = RenderY;
  const Ref<TBlock> held = HeldBox();

  switch (bonus_class) {
    case EXPLOSION:
      bonused = 1;
      for (const auto& b : BlockList) {
        // The box in the claw is not on the field yet.
        if (!Target(b, this) || b == held || b->class_ == PARAZITE || b->bonused) continue;
        const float dx = b->RenderX - x, dy = b->RenderY - y;
        if (!(std::sqrt(dx * dx + dy * dy) < 120.0f)) continue;
        if (b->class_ == BONUS) {
          b->GiveTicket(0);
          if (b->Group) ClearChainData(*b->Group);
        } else if (b->class_ == BOSS) {
          b->armor -= 4;
          if (IsYeti(*b)) BoxEmitter(EffectBrick2, b->RenderX, b->RenderY, 1);
        } else {
          RemoveNow(b);
        }
      }
      Blast(x, y);
      PlaySoundEffect("SOUND_BONUS_EXPLOSION", 0, 1);
      break;

    case CHEST_01:
    case CHEST_02:
      OpenChest(*this);
      break;

    case PARABOMB:
      for (const auto& b : BlockList) {
        if (!Target(b, this) || b == held) continue;
        if (b->class_ == PARAZITE) {
          RemoveNow(b);
        } else if (IsParaziteBoss(*b)) {
          b->armor -= 3;
          BoxEmitter(EffectParExplodeDust, b->RenderX, b->RenderY, 0, true);
          BoxEmitter(EffectBoxExplodeSparks, b->RenderX, b->RenderY, 0, true);
        }
      }
      Blast(x, y);
      PlaySoundEffect("SOUND_BONUS_PARABOMB", 0, 1);
      break;

    case ICE:
      PlaySoundEffect("SOUND_BLOCK_ICE", 0, 0);
      break;

    case TIME_FREEZE:
      BoxEmitter(EffectBoxExplodeDust, x, y);
      PlaySoundEffect("SOUND_BONUS_EXPLOSION", 0, 1);
      TTimeFreeze::Create();
      break;

    case RESIZE:
      for (const auto& b : BlockList) {
        if (!Target(b, this) || b->Resized || b->class_ == BONUS || b->class_ == BOSS) continue;
        TResizer::Create(b, 0.004f, 0.2f);
        b->Resized = 1;
      }
      PlaySoundEffect("SOUND_BONUS_RESIZE", 0, 1);
      break;

    case RAY: {
      if (!PlayerState || !PlayerState->Handle) break;
      const Ref<THandle>& claw = PlayerState->Handle;
      if (!claw->Ray) claw->Ray = TRay::Create();
      claw->Ray->Effect = BoxEmitter(EffectRay, x, y);
      break;
    }

    default:
      break;
  }
}

}  // namespace kelp
