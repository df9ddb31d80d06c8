// What happens when a village dialog has slid out: the story script by dialog id.
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/fade.h"
#include "framework/media/particles.h"
#include "play/tutorial.h"
#include "village/dialog_village.h"
#include "village/panel.h"
#include "village/snapshot.h"
#include "village/story_effects.h"
#include "village/trophy_dialog.h"
#include "village/upgrade_dialog.h"
#include "village/village.h"
#include "village/villager.h"
#include "village/zeppelin.h"
#include "world/game_state.h"

namespace kelp {

namespace {

using Creature = TVillageCreature;

Ref<Creature> Find(int id) { return Creature::SearchByID(id); }

void Hint(int id, int x, int y) {
  if (TutorialHint) TutorialHint->Create(id, x, y, 0);
}

void PanelBack() {
  TVillageMode* v = VillageScreen.get();
  if (!v || !v->Panel) return;
  v->Panel->SetHided(0);
  v->Panel->StartShow();
}

// The panel comes back and the player takes over.
void R() {
  PanelBack();
  if (VillageScreen) VillageScreen->UserInputEnable = 1;
}

void LockButtons(int locked) {
  TVillageMode* v = VillageScreen.get();
  if (!v || !v->Panel) return;
  for (const Ref<TButtonWidget>& b : {v->Panel->Button_BUILD, v->Panel->Button_PLAY, v->Panel->Button_TROPHY})
    if (b) b->locked = locked;
}

void WalkToConstantMove(const Ref<Creature>& c) {
  if (c) c->MoveTo(c->ConstantMove[1], c->ConstantMove[2]);
}

void QuestDone(const Ref<Creature>& c) {
  if (c && !c->needs.IsEmpty()) c->needs.Remove(c->needs.First());
  if (c) c->SetEmotion(Creature::HAPPY);
  NeedAdded = 0;
}

}  // namespace

void TDialogVillage::EndScript(int dialog) {
  TVillageMode* v = VillageScreen.get();
  if (!v) return;
  const int stage = GameState ? GameState->Stage : 0;
  switch (dialog) {
    case 1001: {
      const Ref<Creature> ell = Find(Creature::Ell_id), red = Find(Creature::Red_id);
      WalkToConstantMove(ell);
      WalkToConstantMove(red);
      if (ell) ell->OnStopCode = 1;
      TSkipMove::Create();
      break;
    }
    case 1002: {
      const Ref<Creature> ell = Find(Creature::Ell_id), red = Find(Creature::Red_id);
      if (ell) {
        ell->MoveTo(275, 126);
        ell->OnStopCode = 2;
      }
      if (red) {
        red->MoveTo(245, 140);
        red->OnStopCode = 3;
      }
      TSkipMove::Create();
      break;
    }
    case 1003:
      R();
      Hint(3, 650, 355);
      break;
    case 1007:
      if (stage == 2) Hint(3, 650, 355);
      R();
      break;
    case 1008:
      if (TutorialHint) TutorialHint->id = 0;
      R();
      if (v->Panel && v->Panel->Button_PLAY) v->Panel->Button_PLAY->locked = 0;
      break;
    case 1015:
      Hint(5, 650, 404);
      R();
      break;
    case 1020:
      QuestDone(Find(Creature::Nameless_id));
      R();
      break;
    case 1031:
      PanelBack();
      LockButtons(1);
      break;
    case 1032:
      for (const Ref<Creature>& c : {Find(Creature::Ell_id), Find(Creature::Red_id)})
        if (c) {
          c->Brainless = 0;
          c->ConstantMove[0] = 0;
        }
      LockButtons(0);
      R();
      v->Scroll_speed = 0.5f;
      break;
    case 1041:
      v->ParaziteModeStart(10);
      break;
    case 1042:
      v->UserInputEnable = 1;
      LockButtons(1);
      PanelBack();
      break;
    case 1043:
      v->UserInputEnable = 0;
      if (const Ref<Creature> p = Creature::SearchByColor(Creature::PARAZITE)) {
        p->ConstantMove[0] = 1;
        p->ConstantMove[1] = 255;
        p->ConstantMove[2] = 116;
        p->MoveTo(255, 116);
        p->OnStopCode = 5;
      }
      TSkipMove::Create();
      break;
    case 1047: {
      const Ref<Creature> ell = Find(Creature::Ell_id), red = Find(Creature::Red_id);
      const auto go = [](const Ref<Creature>& c, float x, int tx) {
        if (!c) return;
        c->x = x;
        c->y = 380.0f;
        c->OuttaHouse();
        c->Brainless = 1;
        c->ConstantMove[0] = 1;
        c->ConstantMove[1] = tx;
        c->ConstantMove[2] = 170;
        c->MoveTo(tx, 170);
        c->OnStopCode = 8;
        c->HighLight(1);
      };
      go(ell, 60.0f, -80);
      go(red, 80.0f, -100);
      v->ScrollTo(300.0f, 0.1f);
      PanelBack();
      v->UserInputEnable = 0;
      TSkipMove::Create();
      break;
    }
    case 1048:
      if (const Ref<Creature> ell = Find(Creature::Ell_id)) ell->Hide(100);
      if (const Ref<Creature> red = Find(Creature::Red_id)) red->Hide(500);
      if (!v->Zeppelin) v->Zeppelin = TZeppelin::Create();
      v->Zeppelin->state = 1;
      break;
    case 2001:
      for (const Ref<Creature>& c : {Find(Creature::Ell_id), Find(Creature::Red_id)})
        if (c) {
          WalkToConstantMove(c);
          c->OnStopCode = 7;
        }
      TSkipMove::Create();
      break;
    case 2002: {
      const int ranges[3][2] = {{2000, 4000}, {3000, 5000}, {4000, 6000}};
      const int ids[3] = {Creature::Ell_id, Creature::Red_id, Creature::Orbus_id};
      for (const int id : ids)
        if (const Ref<Creature> c = Find(id)) c->Brainless = 0;
      R();
      for (int i = 0; i < 3; ++i)
        if (const Ref<Creature> c = Find(ids[i])) {
          c->last_descision_time = GameTime;
          c->descision_time = Rand(ranges[i][0], ranges[i][1]);
        }
      break;
    }
    case 2005:
      QuestDone(Find(Creature::Orbus_id));
      QuestClickCount = 0;
      R();
      break;
    case 2009:
      v->ParaziteModeStart(10);
      v->UserInputEnable = 1;
      break;
    case 2019:
      v->ParaziteModeStart(12);
      v->UserInputEnable = 1;
      break;
    case 2020:
      R();
      v->Gate = TGate::Create();
      v->ScrollTo(100.0f, 0.5f);
      break;
    case 2021:
      if (v->TrophyDialog) v->TrophyDialog->SetHided(1);
      if (v->UpgradeDialog) v->UpgradeDialog->SetHided(1);
      v->Closing = 1;
      v->ScrollTo(90.0f, 0.5f);
      if (ScreenFade) {
        ScreenFade->alpha = 0.0f;
        ScreenFade->set = 0;
      }
      break;
    case 2024:
      if (v->QuakeEffect) v->QuakeEffect->state = 5;
      break;
    case 2025:
      v->ParaziteModeStart(18);
      v->UserInputEnable = 1;
      break;
    case 2026:
      if (v->QuakeEffect) v->QuakeEffect->state = 9;
      v->ScrollTo(100.0f, 0.3f);
      break;
    case 2027:
      if (v->QuakeEffect) v->QuakeEffect->state = 11;
      break;
    case 2040:
      if (v->Salute) v->Salute->Pause = 0;
      v->SaluteUpdTime = GameTime;
      v->ScrollTo(0.0f, 0.1f);
      for (const Ref<Creature>& c : Snapshot(VillageCreatures)) {
        if (c->creature_color == Creature::PARAZITE || c->creature_color == Creature::YETI) continue;
        c->StopMoving();
        c->last_descision_time = GameTime + 4000;
        c->AddNeed(0, 0, 1);
        c->SetEmotion(Creature::HAPPY);
      }
      v->GameComplete = 1;
      break;
    default:
      R();
      break;
  }
}

}  // namespace kelp
