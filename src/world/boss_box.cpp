// The per-frame parasite, freeze and boss behaviour of the boxes.
#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/sound.h"
#include "world/effects/flash.h"
#include "world/effects/parasite_effects.h"
#include "world/effects/pulser.h"
#include "world/effects/rings.h"
#include "world/game_state.h"
#include "world/game_interface.h"
#include "world/block.h"
#include "world/bonus_box.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

// The emitter that grows while the effect runs goes back to its described rate.
void ResetRate(const Ref<TEmitter>& e) {
  if (e && e->Config) e->GenSpeed = e->Config->GenSpeed;
}

void EndPulser(Ref<TPulser>& pulser) {
  if (pulser) pulser->Death = 1;
  pulser = nullptr;
}

}  // namespace

void TBlock::UpdateParaziteEffects(float dt) {
  if (!Group) return;
  TPhysEngine_Group& g = *Group;
  const Ref<TBlock> self = shared_from_this();
  const int pausedTotal = GameState ? GameState->PausedTime : 0;

  // The bosses share one hop clock: only the first boss due hops.
  if (class_ == BOSS && GameTime > static_cast<double>(LastParaziteTime) + ParaziteInterval) {
    LastParaziteTime = GameTime;
    ParaziteInterval = Rand(0, 1) == 1 ? Rand(500, 800) : Rand(3000, 4000);
    switch (boss_class) {
      case PARAZ:
      case ELITE:
      case BROWNIE_FULL:
      case BROWNIE: {
        const int hx = Rand(-3, 3);
        const int hy = Rand(-10, -6);
        Move(static_cast<float>(hx), static_cast<float>(hy));
        break;
      }
      case YETI: {
        const int hx = Rand(-2, 2);
        const int hy = Rand(-7, -5);
        if (Center) Center->Move(static_cast<float>(hx), static_cast<float>(hy));
        break;
      }
      case EVIL_YETI: {
        const int hx = Rand(-2, 2);
        const int hy = Rand(-7, -3);
        Move(static_cast<float>(hx), static_cast<float>(hy));
        break;
      }
      default:
        break;
    }
  }

  if (class_ >= RED && class_ <= SKY && g.ParaziteOnBoard != NO_PARAZITE) {
    if (g.ParaziteOnBoardTime == 0) ParazitePausedBase = pausedTotal;
    auto smoke = [&self](TBlock& b) {
      if (!b.EvilSmoke)
        b.EvilSmoke = TEvilSmoke::Create(self);
      else
        b.EvilSmoke->Pause(0);
    };

    if (g.ParaziteOnBoard == PARAZITE_STATIC) {
      if (GameTime - g.ParaziteUpdTime < 2000) {
        smoke(*this);
      } else if (EvilSmoke) {
        g.ParaziteOnBoard = NO_PARAZITE;
        g.ParaziteOnBoardTime = 0;
        EvilSmoke->Pause(1);
        ResetRate(EvilSmoke->Emitter2);
      }
    } else {
      // The last touching group decides whether the box freezes.
      for (const auto& other : g.CollideList2) {
        Freeze = 0;
        for (const auto& b : BlockList) {
          if (b->Group != other) continue;
          if (b->class_ == BOSS && (b->boss_class == YETI || b->boss_class == EVIL_YETI)) {
            Freeze = 1;
            if (!FreezeEffect)
              FreezeEffect = TFreezeEffect::Create(self);
            else
              FreezeEffect->Pause(0);
          } else {
            smoke(*this);
          }
        }
      }
    }

    State = OUCH;
    // Only the pauses taken during this contact lengthen it.
    const double t = g.ParaziteOnBoardTime;
    const double pauses = pausedTotal - ParazitePausedBase;
    if (!Freeze && t > 15000.0 + pauses - 2000.0 * dt && !Pulser) Pulser = TPulser::Create(self, 0.004f, 0.02f);
    if (Freeze && !FreezeEffect2 && t > 10000.0 + pauses - 500.0)
      FreezeEffect2 = BoxEmitter(EffectBonusFreeze, RenderX, RenderY);
    if (Freeze && t > 10000.0 + pauses) {
      class_ = BONUS;
      armor = 3;
      bonus_class = ICE;
      g.class_ = BONUS;
    }
    if (!Freeze && t > 15000.0 + pauses) {
      EndPulser(Pulser);
      bool captured = true;
      if (g.ParaziteOnBoard == BROWNIE_TOUCH) {
        // What the brownie turns a box into depends on how hurt it is.
        const Ref<TBlock> brownie = BrownieBlock.lock();
        float r = 0.0f;
        if (brownie && !brownie->Deleted() && brownie->max_armor > 0)
          r = static_cast<float>(brownie->armor) / static_cast<float>(brownie->max_armor);
        if (r > 0.0f && r <= 0.4f) {
          class_ = BOSS;
          boss_class = EVIL_YETI;
          g.Scale(1.5f);
          armor = 10;
        } else if (r > 0.4f && r <= 0.8f) {
          class_ = BOSS;
          boss_class = SMALL_ELITE;
          g.Scale(1.2f);
          armor = 6;
        } else if (r > 0.8f) {
          class_ = PARAZITE;
          boss_class = 0;
          armor = 2;
        } else {
          captured = false;
        }
        if (captured) {
          max_armor = armor;
          g.class_ = class_;
          g.boss_class = boss_class;
        }
      } else {
        class_ = PARAZITE;
        g.class_ = PARAZITE;
      }
      if (!captured) {
        // Nothing to turn into: the contact starts over instead of capturing
        // again every frame.
        g.ParaziteOnBoardTime = 0;
        ParazitePausedBase = pausedTotal;
        return;
      }
      PlaySoundEffect("SOUND_PARAZITE_CAPTURE", 0, 0);
      TRing::Create(self, 0.01f, 0.01f);
      TFlash::CreateFlash(Int(RenderX), Int(RenderY), 2.0f, 0.7f, ColorWhite, 2.0f, 0);
    }
    return;
  }

  // No parasite on the box (or it is one itself): it calms down.
  ParazitePausedBase = pausedTotal;
  EndPulser(Pulser);
  if (EvilSmoke) {
    EvilSmoke->Pause(1);
    ResetRate(EvilSmoke->Emitter2);
  }
  if (FreezeEffect) {
    FreezeEffect->Pause(1);
    ResetRate(FreezeEffect->Emitter);
  }
  if (State == OUCH && !Ticket) State = Rand(1, 4);
}

// Called by Del: the parasite effects end with the box.
void TBlock::KillParaziteEffects() {
  if (EvilSmoke) EvilSmoke->Kill();
  if (FreezeEffect) FreezeEffect->Kill();
  EvilSmoke = nullptr;
  FreezeEffect = nullptr;
  EndPulser(Pulser);
}

// Called by Draw after the box: the smoke and frost follow it.
void TBlock::DrawParaziteEffects() {
  if (EvilSmoke) EvilSmoke->Update2();
  if (FreezeEffect) FreezeEffect->Update2();
}

}  // namespace kelp
