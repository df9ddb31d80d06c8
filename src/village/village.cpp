#include "village/village.h"

#include <algorithm>
#include <cmath>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/startup_settings.h"
#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/particles.h"
#include "framework/media/poly_anim.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/ui/mouse.h"
#include "play/in_game_interface.h"
#include "village/nodes.h"
#include "village/panel.h"
#include "village/path_search.h"
#include "village/story_links.h"
#include "village/snapshot.h"
#include "village/upgrade.h"
#include "village/upgrade_dialog.h"
#include "village/villager.h"
#include "village/villager_smoke.h"
#include "village/walkability.h"
#include "world/effects/clouds.h"
#include "world/effects/flash.h"
#include "world/effects/geyser.h"
#include "world/effects/screen_shake.h"
#include "platform/input.h"
#include "world/game_state.h"
#include "world/player_state.h"
#include "world/resource_bindings.h"

namespace kelp {

TypedGlobal<TVillageMode, TVillageState> VillageScreen(VillageState);
TVillageStoryLinks VillageStory;
int VillageDialogActive = 0;
int TrophyImageShown = 0;

namespace {

platform::ImageRef Image(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

std::string Folder(int island) { return island == TVillageMode::SNOW ? "data/img/villages/snow/" : "data/img/villages/desert/"; }

void Explode(const Ref<TVillageCreature>& p) {
  if (p->click_effect) p->click_effect->GenerationStop = 1;
  VillageEmitter(p->x, p->y - p->jump_h - 5, EffectParaziteExplode);
  TFlash::CreateFlash(Int(p->x), Int(p->y - p->jump_h - 10), 2.0f, 0.4f, ColorCream, 2.0f, 1);
  TScreenShake::CreateScreenShake(2, 0.5f);
  p->Remove();
  PlaySoundEffect("SOUND_PARAZITE_REMOVE_VILLAGE", 0.0f, 1);
  if (HuntedParazite == p) {
    HuntedParazite = nullptr;
    if (const Ref<TVillageCreature> yeti = TVillageCreature::SearchByID(TVillageCreature::Yeti_id)) yeti->OnStopCode = 0;
  }
}

}  // namespace

Ref<TEmitter> VillageEmitter(float x, float y, const Ref<TEffect>& effect) {
  if (!effect) return nullptr;
  Ref<TEmitter> e = TEmitter::Create(x, y, effect, 0);
  if (VillageScreen) VillageScreen->AddEmitter(e);
  return e;
}

int TVillageMode::AddedToManager() {
  if (Mouse) Mouse->Flush();
  TVillageCreature::Init();
  TNode::Init();
  TPath::Init();
  Scroll_x = 0.0f;
  Scroll_dx = 0.0f;
  Load(DESERT);
  LoadDesert();
  return 1;
}

int TVillageMode::Load(int island) {
  if (island == 0 || island == Island) return 0;
  Island = island;
  CurrentVillage = island;
  // The level's side panels belong to the island: a level started without a
  // visit to the village (a debug start, the map) must not keep the other's.
  if (InGameInterface) InGameInterface->SetVillage();
  const std::string nodes = Folder(island) + (island == SNOW ? "nodes2.dat" : "nodes1.dat");
  int ok = 1;
  if (!TNode::Load(OpenPakStream(nodes))) {
    // Never the previous village's graph under this village's id.
    WriteLog("[Village ERROR : Load] the waypoint graph " + nodes + " does not load; the village has no paths",
             LOG_ERROR);
    TNode::Clear();
    ok = 0;
  }
  if (!TUpgrade::Load()) {
    WriteLog("[Village ERROR : Load] the upgrade tree " + TUpgrade::FileFor(island) +
                 " does not load; the village has no buildings",
             LOG_ERROR);
    TUpgrade::Clear();
    TNode::UpdateGraph();
    ok = 0;
  }
  // Villagers of the previous village stand on the new graph's nearest nodes.
  for (const Ref<TVillageCreature>& c : VillageCreatures) {
    c->StopMoving();
    c->CurrentNode = TNode::Find(Int(c->x), Int(c->y));
  }
  return ok;
}

void TVillageMode::LoadDesert() {
  min_scroll_x = static_cast<float>(CanvasOffsetX - 250);
  max_scroll_x = static_cast<float>(CanvasOffsetX + 250);
  Cave_x = 255;
  Cave_y = 115;
  LoadWalkabilityMap(Folder(DESERT) + "walkability.jpg");
  TPolyAnim::ClearPoly();
  TPolyAnim::Load(Folder(DESERT) + "polyanim.xml");
  CloudMinX = -200;
  CloudMaxX = 1200;
  CloudShadowMinX = 100;
  CloudShadowMaxX = 700;
  Back[0] = Image("IMAGE_VILLAGE_BACK");
  back_x[0] = 259.0f;
  back_y[0] = 0.0f;
  Back[1] = Back[2] = nullptr;
  Sky = Image("IMAGE_SKY");
  Night_Sky = Image("IMAGE_NIGHT_SKY");
  portal_stone_1 = Image("IMAGE_PORTAL_STONE_01");
  portal_stone_2 = Image("IMAGE_PORTAL_STONE_02");
  portal_stone_3 = Image("IMAGE_PORTAL_STONE_03");
  portal_broken = Image("IMAGE_PORTAL_BROKEN");
  Bridge = nullptr;
  for (Ref<TEmitter>* w : {&Waterfall, &Waterfall2, &Waterfall3, &Waterfall4}) {
    if (*w) (*w)->GenerationStop = 1;
    *w = nullptr;
  }
}

void TVillageMode::LoadSnow() {
  min_scroll_x = static_cast<float>(CanvasOffsetX - 900);
  max_scroll_x = static_cast<float>(CanvasOffsetX + 550);
  Cave_x = 290;
  Cave_y = 180;
  LoadWalkabilityMap(Folder(SNOW) + "walkability.jpg");
  TPolyAnim::ClearPoly();
  TPolyAnim::Load(Folder(SNOW) + "polyanim.xml");
  CloudMinX = -600;
  CloudMaxX = 2000;
  CloudShadowMinX = -400;
  CloudShadowMaxX = 1100;
  const char* backs[3] = {"IMAGE_SNOW_BACK_LEFT", "IMAGE_SNOW_BACK_MIDDLE", "IMAGE_SNOW_BACK_RIGHT"};
  const float xs[3] = {191.0f, 849.0f, 1733.0f};
  for (int i = 0; i < 3; ++i) {
    Back[i] = Image(backs[i]);
    back_x[i] = xs[i];
    back_y[i] = 0.0f;
  }
  Sky = Image("IMAGE_SKY");
  Night_Sky = Image("IMAGE_NIGHT_SKY");
  portal_stone_1 = portal_stone_2 = portal_stone_3 = portal_broken = nullptr;
  Portal_state = 0;
  Bridge = Image("IMAGE_SNOW_BRIDGE");
  for (Ref<TGeysir>* g : {&Geysir1, &Geysir2})
    if (*g) (*g)->Remove();
  Geysir1 = TGeysir::Create(262.0f, 480.0f);
  Geysir2 = TGeysir::Create(747.0f, 482.0f);
  Waterfall = VillageEmitter(498.0f, 200.0f, EffectWaterfall);
  Waterfall2 = VillageEmitter(498.0f, 275.0f, EffectWaterfall2);
  Waterfall3 = VillageEmitter(920.0f, 500.0f, EffectWaterfall3);
  Waterfall4 = VillageEmitter(987.0f, 575.0f, EffectWaterfall4);
  const auto border = [](const Ref<TEmitter>& e, int x, int y, int w, int h) {
    if (!e) return;
    e->BorderRect[0] = x;
    e->BorderRect[1] = y;
    e->BorderRect[2] = w;
    e->BorderRect[3] = h;
  };
  border(Waterfall, 300, 100, 300, 170);
  border(Waterfall3, 800, 400, 400, 175);
  if (RainEffect) RainEffect->GenerationStop = 1;
  RainEffect = nullptr;
}

void TVillageMode::ParaziteModeEnd(const Ref<TVillageCreature>& parasite) {
  if (!parasite) return;
  const auto dialog = [](int id, int delay, int lock) {
    if (VillageStory.OpenDialog) VillageStory.OpenDialog(id, delay, lock);
  };
  if (TVillageCreature::ParaziteCount() > 1) {
    Explode(parasite);
    return;
  }
  const int stage = GameState ? GameState->Stage : 0;
  const auto quiet = [this] {
    if (Panel) Panel->StartHiding();
    UserInputEnable = 0;
  };
  switch (stage) {
    case 16:
      dialog(1043, 0, 1);
      quiet();
      break;
    case 18:
      Explode(parasite);
      dialog(2010, 3000, 0);
      quiet();
      ScrollTo(500, 0.5f);
      break;
    case 28:
      Explode(parasite);
      dialog(2020, 1000, 0);
      quiet();
      break;
    case 33:
      Explode(parasite);
      dialog(2026, 1000, 0);
      quiet();
      break;
    default:
      // Elsewhere the last parasite goes like the others (it would otherwise stay for good).
      Explode(parasite);
      break;
  }
  if (UpgradeDialog) UpgradeDialog->PrepareUpgrades();
  if (Panel) {
    if (Panel->Button_PLAY) Panel->Button_PLAY->locked = 0;
    if (Panel->Button_TROPHY) Panel->Button_TROPHY->locked = 0;
  }
  ParaziteMode = 0;
  const std::vector<Ref<TVillageCreature>> all = Snapshot(VillageCreatures);
  for (const Ref<TVillageCreature>& c : all) {
    if (c->ParaziteOnBoard.lock()) {
      c->ParaziteOnBoard.reset();
      if (c->Parazite_effect) c->Parazite_effect->Kill();
      c->Parazite_effect = nullptr;
      c->SetEmotion(TVillageCreature::HAPPY);
    }
    if (c->ID == TVillageCreature::Ell_id || c->ID == TVillageCreature::Red_id || c->ID == TVillageCreature::Orbus_id) {
      c->Brainless = 0;
      if (c->Home()) c->OuttaHouse();
    }
  }
  PlayMusic("MUSIC_VILLAGE", 1);
}

void TVillageMode::UserInput() {
  if (!Mouse) return;
  if (!UserInputEnable) {
    Mouse->Init(32512, "IMAGE_GUI_CURSOR_01", CURSOR_KIND_NORMAL);
    return;
  }
  TVillageCreature::UserInput();
  TNode::InputNode();
  if (DebugMode && PlayerState) {
    int cheat = 0;
    if (platform::KeyHit(187)) {
      WriteLog("Add money cheat");
      PlayerState->money += 2000;
      cheat = 1;
    }
    if (platform::KeyHit(189)) {
      WriteLog("Remove money cheat");
      PlayerState->money = std::max(0, PlayerState->money - 2000);
      cheat = 1;
    }
    if (cheat) {
      if (Panel && Panel->Money) {
        Panel->Money->Ammount = static_cast<float>(PlayerState->money);
        Panel->Money->StartAmmount = Panel->Money->TargetAmmount = PlayerState->money;
      }
      if (UpgradeDialog) UpgradeDialog->PrepareUpgrades();
    }
  }
  if (DraggedCreature && !HoveredUpgrade &&
      !TVillageCreature::CheckWalkability(DraggedCreature->x, DraggedCreature->y))
    Mouse->Init(32648, "IMAGE_GUI_CURSOR_03", CURSOR_KIND_FORBIDDEN);
  else if (HoverCreature || DraggedCreature)
    Mouse->Init(32649, "IMAGE_GUI_CURSOR_02", CURSOR_KIND_HAND);
  else
    Mouse->Init(32512, "IMAGE_GUI_CURSOR_01", CURSOR_KIND_NORMAL);
}

}  // namespace kelp
