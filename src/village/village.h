#pragma once
// The village screen: the desert or snow village with its buildings and
// villagers. Made once at start-up as VillageScreen; its fields that the
// level world and the effects share are those of TVillageState.
//
// So far it holds what the buildings and villagers read and call: the
// building flags, the day phase, the parasite mode, the input lock, the
// scroll request, the panel and build dialog, and the loading of a village's
// data (waypoint graph, upgrade tree, walkability map, swaying scenery).
#include "framework/core/color.h"
#include "framework/core/typed_global.h"
#include "world/village_state.h"

namespace kelp {

class TEffect;
class TPanel;
class TUpgradeDialog;
class TVillageCreature;

class TVillageMode : public TVillageState {
 public:
  static constexpr int DESERT = 1, SNOW = 2;
  // Building kinds: indexes of Buildings.
  static constexpr int TAVERN = 0, CENTER = 1, ROADS = 2, MARKET = 3, SCHOOL = 4, TELESCOPE = 5, TOWER = 6;
  // Day phases.
  static constexpr int MORNING1 = 1, MORNING2 = 2, DAY = 3, EVENING1 = 4, EVENING2 = 5, NIGHT = 6;

  int ParaziteMode = 0;
  int ParaziteModeTime = 0;
  int ParaziteDamage = 0;
  int PlayTime = 0;             // GameTime at which the current visit began
  int Buildings[7] = {0, 0, 0, 0, 0, 0, 0};
  Ref<TUpgradeDialog> UpgradeDialog;
  Ref<TPanel> Panel;
  int CloudGenTime = 0, CloudGenSpeed = 0;
  int Closing = 0;
  int Showing = 0;
  int UserInputEnable = 1;
  float Scroll_dx = 0.0f;
  int DayTime = MORNING1;
  int TimeStop = 0;
  Ref<TColor> VillageColor = CreateColor(255, 255, 255);
  Ref<TEmitter> Salute;
  int SaluteUpdTime = 0;
  // Automatic scroll request (ScrollTo).
  float new_scroll_x = 0.0f, new_scroll_max_speed = 0.0f;
  int new_scroll = 0;
  float Scroll_speed = 0.5f;
  // Per village (LoadDesert, LoadSnow).
  float min_scroll_x = 0.0f, max_scroll_x = 0.0f;
  int Cave_x = 0, Cave_y = 0;
  int Island = 0;               // the village loaded: 1 desert, 2 snow, 0 none

  // Loads the village of island 1 or 2: its waypoint graph and upgrade tree,
  // then its scenery data (LoadDesert or LoadSnow). Nothing for 0 or the
  // village already loaded. A graph or tree that does not load leaves that
  // part of the new village empty (never the previous village's) and is
  // logged; 0 then.
  int AddedToManager() override;
  virtual int Load(int island);
  // The walkability map, swaying scenery, scroll limits and cave of a village.
  void LoadDesert();
  void LoadSnow();
  // Asks for an automatic scroll to x (plus the canvas offset) at up to
  // maxSpeed; 1 when already there.
  int ScrollTo(float x, float maxSpeed);
  // Ends a parasite: it leaves the village.
  virtual void ParaziteModeEnd(const Ref<TVillageCreature>& parasite);
  // The villagers' mouse handling and the cursor it calls for.
  void UserInput();
};

// A new emitter of the effect at (x, y), added to the village's emitters; null
// (and nothing added) when the effect is missing, so that a missing effect
// costs nothing and is reported once, where it is looked up.
Ref<TEmitter> VillageEmitter(float x, float y, const Ref<TEffect>& effect);

// The one TVillageMode, stored as the level world's VillageState.
extern TypedGlobal<TVillageMode, TVillageState> VillageScreen;

}  // namespace kelp
