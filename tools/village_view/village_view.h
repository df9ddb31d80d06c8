#pragma once
// A village running without a display: the data of a program folder, a
// village loaded with its buildings built up to a stage, villagers let loose
// on it, frames of its model and a drawing of the whole village. The village
// renderer, the village benchmark and the authored-village tests share it.
#include <unistd.h>

#include <string>
#include <vector>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/files/language.h"
#include "framework/files/strings.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/poly_anim.h"
#include "framework/media/resources.h"
#include "framework/media/visuals.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/window.h"
#include "village/nodes.h"
#include "village/path_search.h"
#include "village/snapshot.h"
#include "village/upgrade.h"
#include "village/village.h"
#include "village/villager.h"
#include "world/effects/blinker.h"
#include "world/game_state.h"
#include "world/resource_bindings.h"

namespace village_view {

using namespace kelp;

// The running level as far as the village reads it: the campaign stage.
struct StageOnly : TGameState {
  int Start() override { return 0; }
};

// Enters the program folder (res.xml and data/ inside). With pictures, also
// opens a headless canvas of width x 600 and loads the resources the
// village draws with; without, villagers and effects have no pictures.
inline bool Open(const std::string& programFolder, bool pictures, int width = 800) {
  if (chdir(programFolder.c_str()) != 0) return false;
  InitFrameClock();
  GameTime = 1000000;
  InitColors();
  LoadLanguageTables();
  PhraseBank = New<TStrings>();
  PhraseBank->LoadStrings();
  ResManager = New<TResManager>();
  if (pictures) {
    if (!platform::OpenGraphics(width, 600, 32, 60, true)) return false;
    if (!ReadResourceList("res.xml")) return false;
    for (const char* scope : {"Init", "Village", "Village2"}) ResManager->LoadScope(scope);
    BindInitResources();
    BindVillageResources();
    BindVillage2Resources();
  }
  GameState = New<StageOnly>();
  return true;
}

// Builds the building at once: its start, then the end of every construction
// that is running (connected road pieces and paved roads follow their parent).
inline void BuildNow(const Ref<TUpgrade>& u) {
  u->BuildStart();
  for (int round = 0; round < 8; ++round) {
    bool any = false;
    for (const Ref<TUpgrade>& b : Snapshot(Upgrades)) {
      if (!b->building) continue;
      if (b->Blinker) b->Blinker->Death = 1;
      b->BuildFinish();
      any = true;
    }
    if (!any) break;
  }
}

// Every building the village offers by `stage` (the paved roads too), built
// in file order as a player would buy them, parents first.
inline void BuildUpTo(int stage) {
  TUpgrade::FindParents();
  for (bool more = true; more;) {
    more = false;
    for (const Ref<TUpgrade>& u : Snapshot(Upgrades)) {
      if (u->built || u->building || u->upgrade_connected || u->appear_level > stage) continue;
      if (u->parent && !u->parent->built) continue;
      if (u->class_ == "road2") VillageScreen->Buildings[TVillageMode::ROADS] = 1;
      BuildNow(u);
      more = true;
    }
  }
}

// A fresh village (1 desert, 2 snow) at `stage` with `count` villagers,
// the first `settled` of them given homes.
inline bool Start(int village, int stage, int count, uint32_t seed) {
  SeedRnd(seed);
  TVillageCreature::Clear();
  TVisuals::ClearVisuals();
  if (!GameState) GameState = New<StageOnly>();
  GameState->Stage = stage;
  VillageScreen = New<TVillageMode>();
  if (!VillageScreen->Load(village)) return false;
  if (village == TVillageMode::SNOW)
    VillageScreen->LoadSnow();
  else
    VillageScreen->LoadDesert();
  VillageScreen->DayTime = TVillageMode::DAY;
  BuildUpTo(stage);
  for (int i = 0; i < count; ++i) TVillageCreature::CreateRandom(0, "");
  TUpgrade::SettleAllCreatures();
  // the construction markers of the buildings put up at once
  TVisuals::ClearVisuals();
  return true;
}

// One frame at the game's 55 Hz: buildings, effects, villagers, emitters.
inline void Frame() {
  GameTime += 18;
  TPolyAnim::UpdateAnim(1.0f);
  TVisuals::UpdateVisuals(1.0f);
  TUpgrade::UpdateUpgrades(1.0f);
  TVillageCreature::UpdateCreatures(1.0f);
  for (const Ref<TEmitter>& e : Snapshot(VillageScreen->Emitters)) {
    e->Update(1.0f);
    if (e->Death) VillageScreen->Emitters.Remove(e);
  }
}

// The village from village x `left` on, across the whole canvas.
inline void Draw(float left) {
  using namespace platform;
  ResetDrawState();
  SetClearColor(0, 0, 0);
  Cls();
  const int w = VirtualResolutionWidth();
  // the sky, then the landscape pieces by their handles
  if (const ImageRef sky = ResManager->GetImage("IMAGE_SKY")) TileImage(sky, 0, 0);
  (void)w;
  VillageScreen->Scroll_x = -left;
  SetOrigin(-left, 0);
  const bool snow = CurrentVillage == TVillageMode::SNOW;
  const std::vector<std::pair<const char*, float>> backs =
      snow ? std::vector<std::pair<const char*, float>>{{"IMAGE_SNOW_BACK_LEFT", 191},
                                                         {"IMAGE_SNOW_BACK_MIDDLE", 849},
                                                         {"IMAGE_SNOW_BACK_RIGHT", 1733}}
           : std::vector<std::pair<const char*, float>>{{"IMAGE_VILLAGE_BACK", 259}};
  for (const auto& [id, x] : backs)
    if (const ImageRef back = ResManager->GetImage(id)) DrawImage(back, x, 0);
  TPolyAnim::DrawAnim(0);
  TUpgrade::DrawUpgrades();
  TUpgrade::DrawRents();
  TVillageCreature::DrawCreatures();
  TUpgrade::DrawOver();
  if (snow)
    if (const ImageRef bridge = ResManager->GetImage("IMAGE_SNOW_BRIDGE")) DrawImage(bridge, 733, 307);
  TPolyAnim::DrawAnim(1);
  for (const Ref<TEmitter>& e : VillageScreen->Emitters)
    if (!e->Config || !e->Config->UserDraw) e->Draw(1.0f);
  SetOrigin(0, 0);
  TVisuals::DrawVisuals_Under();
  TVisuals::DrawVisuals();
  TVisuals::DrawVisuals_Over();
}

// Leaves nothing that holds resources behind.
inline void Close() {
  TVillageCreature::Clear();
  TUpgrade::Clear();
  TNode::Clear();
  TVisuals::ClearVisuals();
  TPolyAnim::ClearPoly();
  VillageScreen = nullptr;
  GameState = nullptr;
}

}  // namespace village_view
