// Each visit of the village: restore the saved village or move it on to the
// current stage (new villagers from the cave, Ell and Red, the save point),
// then the stage's story.
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/core/startup_settings.h"
#include "framework/files/language.h"
#include "framework/media/fade.h"
#include "village/nodes.h"
#include "village/panel.h"
#include "village/snapshot.h"
#include "village/story_effects.h"
#include "village/story_links.h"
#include "village/upgrade.h"
#include "village/village.h"
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

}  // namespace

void InitVillageStory() {
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
  const int stage = GameState ? GameState->Stage : 0;
  const int saved = StartLevel == 1 && VillageStory.SavedStage ? VillageStory.SavedStage() : 0;
  if (saved > 1 && saved >= stage && VillageStory.RestoreSaved && VillageStory.RestoreSaved()) {
    if (GameState) GameState->Stage = saved;
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
