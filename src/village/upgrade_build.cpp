// Construction of a building: the start with its effects, the timed build
// and what a finished building changes in the village.
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/media/particles.h"
#include "framework/media/sound.h"
#include "village/nodes.h"
#include "village/panel.h"
#include "village/story_links.h"
#include "village/snapshot.h"
#include "village/upgrade.h"
#include "village/upgrade_dialog.h"
#include "village/village.h"
#include "village/villager.h"
#include "world/effects/blinker.h"
#include "world/effects/message_label.h"
#include "world/effects/screen_shake.h"
#include "world/light.h"
#include "world/player_state.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

void Celebrate(const Ref<TVillageCreature>& c) {
  c->StopMoving();
  c->last_descision_time = GameTime + 4000;
  c->AddNeed(TVillageCreature::ENTERTAIN_NEED, 0, 1);
  c->SetEmotion(TVillageCreature::HAPPY);
}

bool IsRoad(const std::string& c) { return c == "road" || c == "road2"; }

}  // namespace

int TUpgrade::BuildStart() {
  // A building already under construction is not started twice.
  if (building) return 0;
  const float mx = x + cx, my = y + cy;
  const bool snow = CurrentVillage == TVillageMode::SNOW;
  if (!IsRoad(class_) && class_ != "bridge") {
    const Ref<TColor> color = snow ? CreateColor(138, 156, 225) : CreateColor(255, 255, 255);
    TAdvancedMessageLabel::CreateLabel2(GameTexts[57] + " +" + std::to_string(cost), mx, my, FontHelp, color, 0.4f,
                                        0.9f, 0.008f);
    if (PlayerState) {
      PlayerState->scores += cost;
      if (VillageScreen && VillageScreen->Panel && VillageScreen->Panel->Points)
        VillageScreen->Panel->Points->TargetAmmount = PlayerState->scores;
    }
    if (VillageScreen) {
      VillageScreen->ScrollTo(259 - x, 0.5f);
      VillageScreen->Scroll_dx = 0.0f;
    }
  } else if (class_ == "bridge" && VillageScreen) {
    VillageScreen->ScrollTo(300, 0.5f);
    VillageScreen->Scroll_dx = 0.0f;
  }
  if (VillageScreen && VillageScreen->Panel) VillageScreen->Panel->StartHiding();
  building = 1;
  Blinker = TBlinker::Create(class_, Int(mx), Int(my), 1, 10, 0.02f);
  if (class_ == "road2") {
    VillageEmitter(mx, my, EffectUpgradeBuildRoad2);
    PlaySoundEffect("SOUND_BUILD_ROAD", 0.0f, 1);
  }
  if (!IsRoad(class_)) {
    Emitter01 = VillageEmitter(mx, my, snow ? EffectUpgradeBuildSnow : EffectUpgradeBuildBefore);
    Emitter02 = VillageEmitter(mx, my, snow ? EffectUpgradeBuildSnow2 : EffectUpgradeBuildBefore2);
    Emitter03 = VillageEmitter(mx, -30, snow ? EffectBeamSnow : EffectBeam);
    if (!snow) {
      Ambient = New<TLight>();
      Ambient->Init2(Int(mx), Int(my), CreateColor(200, 200, 237), 5.0f, 0);
      Ambient->Speed = 0.02f;
    }
    if (Emitter03) {
      Emitter03->Pause = 1;
      Emitter03->BorderRect[0] = snow ? -500 : -100;
      Emitter03->BorderRect[1] = -100;
      Emitter03->BorderRect[2] = snow ? 2000 : 1000;
      Emitter03->BorderRect[3] = Int(my + 100);
    }
    PlaySoundEffect("SOUND_BUILD_START", 0.0f, 1);
  }
  BuildConnected();
  return 1;
}

int TUpgrade::BuildFinish() {
  const Ref<TVillageMode> village = VillageScreen ? Ref<TVillageMode>(VillageScreen) : nullptr;
  const Ref<TPanel> panel = village ? village->Panel : nullptr;
  ++FinishedBuildCount;
  if (class_ != "road") WriteLog(class_ + " has been constructed", LOG_MESSAGE, "");
  if (VillageStory.TutorialHintId && VillageStory.TutorialHintId() == 4 && FinishedBuildCount == 1) {
    if (VillageStory.OpenDialog) VillageStory.OpenDialog(1008, 3000, 0);
    if (panel && panel->Button_PLAY) panel->Button_PLAY->locked = 1;
  }
  if (CurrentVillage == TVillageMode::DESERT && class_ == "tavern" && VillageStory.OpenDialog)
    VillageStory.OpenDialog(1029, 3000, 0);
  if (panel) panel->StartShow();

  BuildingEndTime = GameTime;
  if (Emitter03) Emitter03->Pause = 1;
  Ambient = nullptr;
  RentTime = GameTime;
  TScreenShake::CreateScreenShake(2, 0.5f);

  if (class_ == "bridge" && VillageStory.CreateZeppelin) VillageStory.CreateZeppelin();
  if (village) {
    static const std::pair<const char*, int> kFlags[] = {
        {"market", TVillageMode::MARKET}, {"school", TVillageMode::SCHOOL}, {"telescope", TVillageMode::TELESCOPE},
        {"tower", TVillageMode::TOWER},   {"tavern", TVillageMode::TAVERN}, {"center", TVillageMode::CENTER}};
    for (const auto& [c, flag] : kFlags)
      if (class_ == c) village->Buildings[flag] = 1;
  }
  if (class_ == "center" && VillageStory.EndCampFire) VillageStory.EndCampFire();

  // Villagers may be removed while they celebrate: walk a copy.
  const std::vector<Ref<TVillageCreature>> folk = Snapshot(VillageCreatures);
  if (class_ == "center" || class_ == "tavern") {
    if (village) {
      if (village->Salute) village->Salute->Pause = 0;
      village->SaluteUpdTime = GameTime;
      village->ScrollTo(0, 0.1f);
    }
    for (const Ref<TVillageCreature>& c : folk)
      if (c->creature_color != TVillageCreature::PARAZITE && c->creature_color != TVillageCreature::YETI)
        Celebrate(c);
  }
  if (IsHut()) {
    for (const Ref<TVillageCreature>& c : folk) {
      if (c->sweet_home.lock() || c->creature_color == TVillageCreature::PARAZITE) continue;
      const Ref<TCreatureNeed> first = c->needs.First();
      if (first && first->id == TVillageCreature::HOME && first->status == TCreatureNeed::PROCEEDING) continue;
      Celebrate(c);
    }
  }

  building = 0;
  Blinker = nullptr;
  Hide = 0;
  built = 1;
  const float mx = x + cx, my = y + cy;
  if (!IsRoad(class_)) {
    VillageEmitter(mx, my, EffectAfterBeam);
  } else if (class_ == "road2") {
    VillageEmitter(mx, my, EffectUpgradeBricks);
    VillageEmitter(mx, my, EffectUpgradeBuild);
    building_effect = VillageEmitter(mx, my, EffectUpgradeBuildUnder);
    if (building_effect && building_effect->Config) building_effect->Config->UserDraw = 1;
  }
  TNode::UpdateGraph();

  if (parent && !upgrade_connected) {
    parent->Hide = 1;
    // The occupants move over with their house and home set to this building.
    const std::vector<Ref<TVillageCreature>> inside = Snapshot(parent->CreatureList);
    const std::vector<Ref<TVillageCreature>> living = Snapshot(parent->LivingCreatureList);
    parent->CreatureList.Clear();
    parent->LivingCreatureList.Clear();
    const Ref<TUpgrade> self = weak_from_this().lock();
    for (const Ref<TVillageCreature>& c : inside) {
      CreatureList.AddLast(c);
      c->house = self;
    }
    for (const Ref<TVillageCreature>& c : living) {
      LivingCreatureList.AddLast(c);
      c->sweet_home = self;
    }
    parent->StopSmoke();
    StartSmoke();
  }
  CountBuilt();
  if (village && village->Buildings[TVillageMode::ROADS] && class_ == "road") {
    const std::vector<Ref<TUpgrade>> all = Snapshot(Upgrades);
    for (const Ref<TUpgrade>& u : all)
      if (u->parent.get() == this) u->BuildStart();
  }
  if (village && village->UpgradeDialog) {
    village->UpgradeDialog->PrepareUpgrades();
    if (panel && panel->Button_BUILD) {
      if (village->UpgradeDialog->CheckUpgrades()) {
        panel->Button_BUILD->locked = 0;
      } else {
        panel->Button_BUILD->locked = 1;
        panel->Button_BUILD->blink = 0;
      }
    }
  }
  return 1;
}

}  // namespace kelp
