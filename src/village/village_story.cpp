// Each visit of the village: restore the saved village or move it on to the
// current stage (new villagers from the cave, Ell and Red, the save point),
// then the stage's story.
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/core/startup_settings.h"
#include "framework/files/language.h"
#include "framework/media/fade.h"
#include "framework/ui/controls.h"
#include "play/tutorial.h"
#include "village/dialog_village.h"
#include "village/nodes.h"
#include "village/panel.h"
#include "village/snapshot.h"
#include "village/story_effects.h"
#include "village/story_links.h"
#include "village/upgrade.h"
#include "village/village.h"
#include "village/trophy.h"
#include "village/villager.h"
#include "village/zeppelin.h"
#include "world/effects/camp_fire.h"
#include "world/game_state.h"
#include "world/player_state.h"

namespace kelp {

namespace {

using Creature = TVillageCreature;

void ComeOutOfCave(const Ref<Creature>& c, int delay) {
  const TVillageMode& v = *VillageScreen;
  c->Hide(0);
  c->Unhide(delay, 1);
  c->x = static_cast<float>(Rand(v.Cave_x - 10, v.Cave_x + 10));
  c->y = static_cast<float>(Rand(v.Cave_y - 5, v.Cave_y + 5));
  c->angle = 90.0f;
  c->CurrentNode = TNode::Find(Int(c->x), Int(c->y));
}

// A story character, made only when none with its id lives in the village.
Ref<Creature> Character(int id, int colour, int nameText) {
  if (Ref<Creature> c = Creature::SearchByID(id)) return c;
  Ref<Creature> c = Creature::CreateRandom(colour, GameTexts[nameText]);
  if (c) c->ID = id;
  return c;
}

void Dialog(int id, int delay, int lock) { TDialogVillage::Create(id, delay, lock); }

// A row with a dialog also sends the panel away and takes the input.
void Quiet() {
  TVillageMode& v = *VillageScreen;
  if (v.Panel) v.Panel->StartHiding();
  v.UserInputEnable = 0;
}

void StoryDialog(int id, int delay, int lock) {
  Quiet();
  Dialog(id, delay, lock);
}

void LockPanel(std::initializer_list<Ref<TButtonWidget> TPanel::*> buttons) {
  TVillageMode& v = *VillageScreen;
  if (!v.Panel) return;
  for (auto b : buttons)
    if ((*v.Panel).*b) ((*v.Panel).*b)->locked = 1;
}

Ref<TZeppelin> Zeppelin() {
  TVillageMode& v = *VillageScreen;
  if (!v.Zeppelin) v.Zeppelin = TZeppelin::Create();
  return v.Zeppelin;
}

void Yeti() { Character(Creature::Yeti_id, Creature::YETI, 38); }

}  // namespace

void RunStageScript(int stage) {
  if (!VillageScreen) return;
  TVillageMode& v = *VillageScreen;
  switch (stage) {
    case 1: {
      if (v.CampFire) v.CampFire->state = 0;
      // Everyone goes: the first visit starts with Red and Ell alone.
      for (const Ref<Creature>& c : Snapshot(VillageCreatures))
        if (c->ID >= 1) c->Remove();
      const struct {
        int colour, text, id, delay;
        float x, y;
        int mx, my;
      } two[2] = {{Creature::RED, 35, Creature::Red_id, 1400, 275, 126, 425, 365},
                  {Creature::YELLOW, 34, Creature::Ell_id, 2000, 245, 140, 450, 350}};
      for (const auto& t : two) {
        const Ref<Creature> c = Creature::CreateRandom(t.colour, GameTexts[t.text]);
        if (!c) continue;
        c->ID = t.id;
        c->Brainless = 1;
        c->angle = 90.0f;
        c->Turn(90.0f);
        c->Hide(0);
        c->Unhide(t.delay, 1);
        c->x = t.x;
        c->y = t.y;
        c->CurrentNode = TNode::Find(Int(t.x), Int(t.y));
        c->ConstantMove[0] = 1;
        c->ConstantMove[1] = t.mx;
        c->ConstantMove[2] = t.my;
        c->SetEmotion(Creature::HAPPY);
      }
      if (v.Panel) v.Panel->StartHiding();
      Dialog(1001, 3000, 0);
      break;
    }
    case 2:
      for (const int id : {Creature::Red_id, Creature::Ell_id})
        if (const Ref<Creature> c = Creature::SearchByID(id)) {
          c->Brainless = 0;
          c->ConstantMove[0] = 0;
        }
      StoryDialog(1003, 3000, 0);
      break;
    case 3: StoryDialog(1011, 2000, 0); break;
    case 4: StoryDialog(1014, 2000, 1); break;
    case 5: StoryDialog(1016, 2000, 0); break;
    case 6: {
      // Made once: a continued game already has the Nameless One.
      if (!Creature::SearchByID(Creature::Nameless_id)) {
        if (const Ref<Creature> c = Character(Creature::Nameless_id, Creature::GREEN, 37)) {
          c->x = 190.0f;
          c->y = 250.0f;
          c->angle = 90.0f;
          c->CurrentNode = TNode::Find(190, 250);
          c->AddNeed(3, 5000, 1);
        }
      }
      StoryDialog(1019, 4000, 0);
      break;
    }
    case 7: StoryDialog(1024, 2000, 1); break;
    case 8: StoryDialog(1025, 2000, 0); break;
    case 9: StoryDialog(1028, 2000, 1); break;
    case 10: StoryDialog(1030, 2000, 1); break;
    case 11: {
      v.Portal_state = 2;
      Quiet();
      const struct {
        int id, x, y;
      } walk[2] = {{Creature::Ell_id, 445, 555}, {Creature::Red_id, 468, 535}};
      for (const auto& w : walk) {
        const Ref<Creature> c = Character(w.id, w.id == Creature::Ell_id ? Creature::YELLOW : Creature::RED,
                                          w.id == Creature::Ell_id ? 34 : 35);
        if (!c) continue;
        c->Brainless = 1;
        c->ConstantMove[0] = 1;
        c->ConstantMove[1] = w.x;
        c->ConstantMove[2] = w.y;
        c->SetEmotion(Creature::HAPPY);
        c->OnStopCode = 4;
        c->MoveTo(w.x, w.y);
        c->HighLight(1);
      }
      TSkipMove::Create();
      break;
    }
    case 12: StoryDialog(1037, 2000, 0); break;
    case 15: StoryDialog(1038, 2000, 1); break;
    case 16:
      StoryDialog(1041, 4000, 1);
      if (ScreenFade) ScreenFade->Init(0.0f, 0.003f, 0.3f);
      v.DayTime = TVillageMode::MORNING2;
      v.NextDayTime();
      Zeppelin()->Set(1);
      break;
    case 17:
      v.DayTime = TVillageMode::EVENING2;
      v.TimeStop = 1;
      v.NextDayTime();
      StoryDialog(1047, 2000, 1);
      LockPanel({&TPanel::Button_BUILD, &TPanel::Button_TROPHY, &TPanel::Button_PLAY});
      Zeppelin()->Set(2);
      break;
    case 18: {
      const Ref<TUpgrade> tower = TUpgrade::FindUpgrade("tower01");
      if (tower) {
        tower->built = 1;
        tower->Hide = 0;
        v.Buildings[TVillageMode::TOWER] = 1;
      }
      const Ref<Creature> orbus = Character(Creature::Orbus_id, Creature::ORBUS, 36);
      if (orbus && !orbus->Home() && tower) {
        tower->LivingCreatureList.AddLast(orbus);
        orbus->sweet_home = tower;
        orbus->settled = 1;
      }
      StoryDialog(2009, 3000, 0);
      Zeppelin()->Set(3);
      v.DayTime = TVillageMode::DAY;
      break;
    }
    case 19: {
      if (const Ref<Creature> orbus = Creature::SearchByID(Creature::Orbus_id)) {
        orbus->AddNeed(3, 5000, 1);
        orbus->x = -270.0f;
        orbus->y = 330.0f;
        orbus->CurrentNode = TNode::Find(-270, 330);
        orbus->angle = 90.0f;
        orbus->StopMoving();
        orbus->OuttaHouse();
      }
      StoryDialog(2034, 2000, 0);
      if (v.Zeppelin) v.Zeppelin->Remove();
      v.Zeppelin = nullptr;
      break;
    }
    case 20: StoryDialog(2011, 2000, 1); break;
    case 22: StoryDialog(2013, 2000, 0); break;
    case 23: StoryDialog(2014, 2000, 1); break;
    case 25:
      StoryDialog(2016, 2000, 0);
      Yeti();  // once: a continued game already has the yeti
      break;
    case 26:
      if (!GameState || GameState->GameMode != 1) StoryDialog(2017, 2000, 0);
      break;
    case 27: StoryDialog(2018, 2000, 0); break;
    case 28:
      Yeti();
      StoryDialog(2019, 1500, 0);
      break;
    case 31: StoryDialog(2022, 2000, 1); break;
    case 33:
      Quiet();
      Yeti();
      if (!v.Gate) v.Gate = TGate::Create();
      v.Gate->Open();
      v.QuakeEffect = TQuakeEffect::Create();
      break;
    case 35:
      StoryDialog(2032, 2000, 0);
      TTrophy::Enable("Armor");
      if (v.Panel && v.Panel->Button_TROPHY) v.Panel->Button_TROPHY->blink = 1;
      break;
    case 36: {
      for (const int id : {Creature::Ell_id, Creature::Red_id})
        if (const Ref<Creature> c = Creature::SearchByID(id)) c->HighLight(1);
      if (const Ref<Creature> b = Creature::CreateRandom(Creature::BROWNIE_GOOD, GameTexts[41])) {
        b->HighLight(1);
        ComeOutOfCave(b, 3000);
      }
      StoryDialog(2040, 8000, 1);
      if (VillageStory.SetGameCompleted) VillageStory.SetGameCompleted();
      break;
    }
    default:
      break;
  }
}

void InitVillageStory() {
  VillageStory.OpenDialog = [](int id, int delay, int lock) { TDialogVillage::Create(id, delay, lock); };
  VillageStory.ClearDialogs = [] { TDialogVillage::Clear(); };
  VillageStory.RunStageScript = RunStageScript;
  VillageStory.TutorialHintId = [] { return TutorialHint ? TutorialHint->id : 0; };
  VillageStory.ShowTutorialHint = [](int id, int x, int y, int flag) {
    if (TutorialHint) TutorialHint->Create(id, x, y, flag);
  };
  VillageStory.CampFireState = [] {
    return VillageScreen && VillageScreen->CampFire ? VillageScreen->CampFire->state : 0;
  };
  VillageStory.SetCampFireState = [](int state) {
    if (VillageScreen && VillageScreen->CampFire) VillageScreen->CampFire->state = state;
  };
  VillageStory.EndCampFire = [] {
    if (!VillageScreen || !VillageScreen->CampFire) return;
    VillageScreen->CampFire->Death = 1;
    VillageScreen->CampFire->Update(1.0f);
    VillageScreen->CampFire = nullptr;
  };
  VillageStory.CreateZeppelin = [] {
    if (VillageScreen && !VillageScreen->Zeppelin) VillageScreen->Zeppelin = TZeppelin::Create();
  };
}

int NewVillagerCount(int village, int stage, int parasiteDamage) {
  int n = 1;
  if (village == TVillageMode::DESERT && stage >= 3 && stage <= 9) n = 2;
  if (village == TVillageMode::SNOW) n = stage >= 19 && stage <= 22 ? 2 : stage == 36 ? 0 : 1;
  if (parasiteDamage > 1) n += parasiteDamage - 1;
  return n;
}

void TVillageMode::LoadVillage() {
  if (!CampFire && !Buildings[CENTER]) CampFire = TCampFire::Create();
  int stage = GameState ? GameState->Stage : 0;
  const int saved = StartLevel == 1 && VillageStory.SavedStage ? VillageStory.SavedStage() : 0;
  const bool restore = saved > 1 && saved >= stage && VillageStory.RestoreSaved;
  const bool restored = restore && VillageStory.RestoreSaved();
  // A save the village refused still names the stage: it starts afresh from there.
  if (restore) {
    stage = saved;
    if (GameState) GameState->Stage = saved;
  }
  // The save's day phase goes on as a restored one would (it holds the phase before).
  if (restore && !restored) NextDayTime();
  if (restored) {
    if (Panel) {
      for (const Ref<TCount>& c : {Panel->Points, Panel->Money}) {
        if (!c || !PlayerState) continue;
        const int amount = c == Panel->Points ? PlayerState->scores : PlayerState->money;
        c->Ammount = static_cast<float>(amount);
        c->StartAmmount = c->TargetAmmount = amount;
      }
    }
    TNode::UpdateGraph();
    TimeStop = 0;
    if (Buildings[CENTER] && CampFire) {
      CampFire->Death = 1;
      CampFire->Update(1.0f);
      CampFire = nullptr;
    }
    NextDayTime();
  } else {
    if (stage == 1) {
      DayTime = EVENING2;
      TimeStop = 1;
      NextDayTime();
      if (CampFire) CampFire->state = 0;
    } else {
      TimeStop = 0;
    }
    if (stage > 1) {
      if (stage == 2) {
        DayTime = MORNING1;
        NextDayTime();
      }
      if (stage >= 3) {
        RainGenTime = GameTime;
        RainLifeTime = Rand(2, 5) * 10000;
        RainStartTime = Rand(0, 1) ? Rand(1, 2) * 10000 : Rand(6, 12) * 10000;
      }
      const int n = NewVillagerCount(CurrentVillage, stage, ParaziteDamage);
      if (ParaziteDamage > 1) ParaziteDamage = 0;
      for (int i = 0; i < n; ++i)
        if (const Ref<Creature> c = Creature::CreateRandom(0, ""))
          ComeOutOfCave(c, stage == 2 ? Rand(100, 1500) : Rand(1000, 7000));
      for (const Ref<Creature>& c : {Character(Creature::Ell_id, Creature::YELLOW, 34),
                                     Character(Creature::Red_id, Creature::RED, 35)}) {
        if (!c) continue;
        c->OuttaHouse();
        ComeOutOfCave(c, stage == 2 ? Rand(100, 1500) : Rand(1000, 7000));
      }
      TNode::UpdateGraph();
      if (VillageStory.SaveProfile) VillageStory.SaveProfile();
    }
  }
  if (Panel) {
    if (stage == 1) {
      if (Panel->Button_BUILD) Panel->Button_BUILD->locked = 1;
      if (Panel->Button_TROPHY) Panel->Button_TROPHY->locked = 1;
    } else if (stage == 2 || stage == 3) {
      if (Panel->Button_BUILD) Panel->Button_BUILD->locked = 0;
      if (Panel->Button_TROPHY) Panel->Button_TROPHY->locked = 1;
    }
  }
  if (VillageStory.RunStageScript) VillageStory.RunStageScript(stage);
  if (CurrentVillage == SNOW) Portal_state = 0;
}

}  // namespace kelp
