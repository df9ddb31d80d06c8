// Villagers and the player: hovering, picking up and dropping with the
// mouse, quest clicks, and the parasites that ride villagers until clicked
// off three times.
#include <cmath>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/files/language.h"
#include "framework/files/strings.h"
#include "framework/media/anim_image.h"
#include "framework/media/particles.h"
#include "framework/media/sound.h"
#include "framework/ui/mouse.h"
#include "village/nodes.h"
#include "village/panel.h"
#include "village/path_search.h"
#include "village/story_links.h"
#include "village/snapshot.h"
#include "village/upgrade.h"
#include "village/upgrade_dialog.h"
#include "village/village.h"
#include "village/villager.h"
#include "village/villager_smoke.h"
#include "world/effects/flash.h"
#include "world/effects/message_label.h"
#include "world/game_state.h"
#include "world/player_state.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

int Stage() { return GameState ? GameState->Stage : 0; }

void OpenDialog(int id, int delay, int lock) {
  if (VillageStory.OpenDialog) VillageStory.OpenDialog(id, delay, lock);
}

void KillSmoke(TVillageCreature& c) {
  if (c.Parazite_effect) c.Parazite_effect->Kill();
  c.Parazite_effect = nullptr;
}

bool UnderMouse(const TVillageCreature& c, float mx, float my) {
  return std::fabs(mx - c.x) <= 15.0f && my >= c.y + c.jump_h - 25.0f && my <= c.y + c.jump_h + 15.0f;
}

void Label(const TVillageCreature& c, const std::string& text) {
  const Ref<TColor> color =
      CurrentVillage == TVillageMode::DESERT ? CreateColor(255, 255, 255) : CreateColor(138, 156, 225);
  TAdvancedMessageLabel::CreateLabel2(text, static_cast<float>(Int(c.x)), static_cast<float>(Int(c.y - 30 + c.jump_h)),
                                      FontHelp, color, 0.4f, 0.9f, 0.008f);
}

void ActiveNeedWaits(TVillageCreature& c) {
  if (const Ref<TCreatureNeed> need = c.needs.First()) need->status = TCreatureNeed::WAITING;
}

}  // namespace

// ------------------------------------------------------------------ parasites

void TVillageCreature::Recolour(int colour) {
  creature_color = colour;
  CreatureAnim = CreatureAnimFor(colour);
}

void TVillageCreature::AddParazite(const Ref<TVillageCreature>& parasite) {
  if (!parasite) return;
  const Ref<TVillageCreature> self = Self();
  if (!InfectedCreatures.Contains(this)) InfectedCreatures.AddLast(self);
  parasite->Target = self;
  // The code is set first, so that a parasite already standing there still rides.
  parasite->OnStopCode = 6;
  parasite->MoveTo(Int(x), Int(y - jump_h));
  Brainless = 1;
  StopMoving();
}

void TVillageCreature::StartParazite(const Ref<TVillageCreature>& parasite) {
  ParaziteTime = GameTime;
  ParaziteOnBoard = parasite;
  KillSmoke(*this);
  Parazite_effect = TVillageEvilSmoke::Create(Self());
}

void TVillageCreature::RemoveParazite() {
  InfectedCreatures.Remove(this);
  ParaziteOnBoard.reset();
  Brainless = 0;
  AddNeed(EMPTY, 2000, 1);
  KillSmoke(*this);
}

void TVillageCreature::UpdateParazite() {
  if (Parazite_effect) Parazite_effect->Update2();
  if (click_effect) {
    click_effect->x = x;
    click_effect->y = y + jump_h - 5;
    click_effect->PositionParticles(click_effect->x, click_effect->y);
  }
  if (!VillageScreen || !VillageScreen->ParaziteMode) return;
  TVillageMode& village = *VillageScreen;
  if (GameTime > LastInfectionTime + 5000 && !Brainless && InfectedCreatures.IsEmpty()) {
    Ref<TVillageCreature> victim;
    for (const Ref<TVillageCreature>& c : VillageCreatures)
      if (c->creature_color != PARAZITE && c->ID < 1000 && !c->ParaziteOnBoard.lock() && !c->in_da_house && !c->hided) {
        victim = c;
        break;
      }
    if (victim) {
      for (const Ref<TVillageCreature>& p : VillageCreatures)
        if (p->creature_color == PARAZITE && !p->Target.lock() && !p->hided) {
          victim->AddParazite(p);
          break;
        }
    }
    LastInfectionTime = GameTime;
  }
  const Ref<TVillageCreature> rider = ParaziteOnBoard.lock();
  if (rider && GameTime > ParaziteTime + 5000) {
    if (Stage() == 16 && !CaptureDialogShown) {
      OpenDialog(1042, 2000, 0);
      CaptureDialogShown = 1;
    }
    if (const Ref<TUpgrade> home = Home()) home->LivingCreatureList.Remove(this);
    Recolour(PARAZITE);
    PlaySoundEffect("SOUND_PARAZITE_CAPTURE", 0.0f, 1);
    Brainless = 0;
    HighLight(1);
    Target.reset();
    speed_coef = 1.5f;
    descision_time = 300;
    def_jump_impulse *= 2.0f;
    def_g_force = 0.12f;
    rider->Target.reset();
    rider->Brainless = 0;
    ParaziteOnBoard.reset();
    KillSmoke(*this);
    SetEmotion(UNHAPPY);
    ++village.ParaziteDamage;
    InfectedCreatures.Remove(this);
  }
}

// ------------------------------------------------------------------ info scroll

// ------------------------------------------------------------------ the mouse

void TVillageCreature::UserInput() {
  if (!VillageScreen || !Mouse) return;
  TVillageMode& village = *VillageScreen;
  if (!village.UserInputEnable || (village.UpgradeDialog && village.UpgradeDialog->Visible)) return;
  const float mx = Mouse->x - village.Scroll_x, my = Mouse->y;
  const bool hit = Mouse->Bt1Hit > 0;
  const std::vector<Ref<TVillageCreature>> all = Snapshot(VillageCreatures);
  const auto visible = [](const Ref<TVillageCreature>& c) { return !c->hided && !c->in_da_house; };

  if (hit && DraggedCreature) {
    const Ref<TVillageCreature> held = DraggedCreature;
    if (HoveredUpgrade) {
      const Ref<TUpgrade> building = HoveredUpgrade;
      const int r = held->IntoHouse(building);
      const bool refusalFree = GameTime - LastRefusalTime > 500;
      if (r == 0 && refusalFree) {
        Label(*held, GameTexts[held->Home() && building->IsHut() ? 45 : 39]);
        LastRefusalTime = GameTime;
      } else if (r == 2) {
        Label(*held, GameTexts[40]);
        if (PlayerState) {
          PlayerState->scores += 100;
          if (village.Panel && village.Panel->Points) village.Panel->Points->TargetAmmount = PlayerState->scores;
        }
      } else if (r == 3 && refusalFree) {
        Label(*held, GameTexts[59]);
        LastRefusalTime = GameTime;
      }
    } else if (held->Drop()) {
      DraggedCreature = nullptr;
    }
  } else if (hit) {
    for (const Ref<TVillageCreature>& c : all) {
      if (c->creature_color != PARAZITE || !visible(c) || !UnderMouse(*c, mx, my)) continue;
      if (c->click_effect) c->click_effect->GenerationStop = 1;
      c->click_effect = VillageEmitter(c->x, c->y - c->jump_h - 5, EffectParaziteClick);
      TFlash::CreateFlash(Int(c->x), Int(c->y - c->jump_h - 10), 1.0f, 0.3f, ColorCream, 2.0f, 1);
      ++c->Clicks;
      PlaySoundEffect("SOUND_PARAZITE_CLICK", 0.0f, 1);
      village.ParaziteModeTime = GameTime;
      c->LastClickTime = GameTime;
      if (c->Clicks >= 3) {
        if (const Ref<TVillageCreature> victim = c->Target.lock()) victim->RemoveParazite();
        c->Target.reset();
        village.ParaziteModeEnd(c);
      }
      return;
    }
    if (!village.ParaziteMode) {
      for (const Ref<TVillageCreature>& c : all) {
        if (c->creature_color == PARAZITE || !visible(c) || !UnderMouse(*c, mx, my)) continue;
        if (c->ParaziteOnBoard.lock()) break;
        if (c->Emotion == QUEST) {
          if (Stage() != 6) {
            ++QuestClickCount;
            if (QuestClickCount >= 1 && QuestClickCount <= 3) OpenDialog(2002 + QuestClickCount, 0, 0);
          } else {
            OpenDialog(1020, 0, 1);
            NeedAdded = 0;
          }
          if (village.Panel) village.Panel->StartHiding();
          village.UserInputEnable = 0;
          HoverCreature = nullptr;
        } else {
          DraggedCreature = c;
          c->jump_h = -20.0f;
          c->Moving = 0;
          HoverCreature = nullptr;
          if (c->Path) c->Path->Remove();
          c->Path = nullptr;
          c->last_descision_time = GameTime;
        }
        break;
      }
    }
  } else if (!DraggedCreature) {
    const Ref<TVillageCreature> prev = HoverCreature;
    const int prevTime = prev ? prev->hover_time : 0;
    if (prev) prev->hover_time = 0;
    HoverCreature = nullptr;
    for (const Ref<TVillageCreature>& c : all) {
      if (!visible(c) || !UnderMouse(*c, mx, my)) continue;
      if (c->creature_color == PARAZITE) {
        HoverCreature = c;
        return;
      }
      if (village.ParaziteMode) return;
      if (c == prev) {
        HoverCreature = c;
        c->StopMoving();
        ActiveNeedWaits(*c);
        c->hover_time = prevTime;
        return;
      }
      HoverCreature = c;
      if (const Ref<TCreatureNeed> need = c->needs.First(); need && need->id != EMPTY && PhraseBank)
        c->current_thought = PhraseBank->GetThought(c->creature_color == YETI ? 11 : need->id);
    }
    if (HoverCreature && HoverCreature != prev) {
      HoverCreature->StopMoving();
      ActiveNeedWaits(*HoverCreature);
      HoverCreature->hover_time = GameTime;
    }
    if (prev && prev != HoverCreature && prev->ConstantMove[0]) prev->MoveTo(prev->ConstantMove[1], prev->ConstantMove[2]);
  }
  if (const Ref<TVillageCreature> held = DraggedCreature) {
    held->x = mx;
    held->y = Mouse->y + 25.0f;
    held->jump_state = 2;
    held->jump_scale = held->scale;
    held->Turn(90.0f);
    held->last_descision_time = GameTime;
  }
}

}  // namespace kelp
