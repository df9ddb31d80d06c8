#pragma once
// The village screen: the desert or snow village with its buildings and
// villagers. Made once at start-up as VillageScreen; its fields that the
// level world and the effects share are those of TVillageState.
//
// A visit: SetHided(0) zooms out of black onto the village, the panel
// slides in and gives the player input; PLAY on the panel starts the closing
// zoom, which fades into the next level (GameScreen). The day runs through six
// phases across visits; rain or snow comes and goes from stage 3 on.
// Clock: everything is stepped by the frame factor dt and timed on GameTime.
#include <vector>

#include "framework/core/color.h"
#include "framework/core/typed_global.h"
#include "platform/image.h"
#include "village/split_backdrop.h"
#include "village/starry_sky.h"
#include "village/tinted_picture.h"
#include "world/village_state.h"

namespace kelp {

class TCampFire;
class TEffect;
class TGate;
class TGeysir;
class TPanel;
class TQuakeEffect;
class TTrophyDialog;
class TUpgradeDialog;
class TVillageCreature;
class TZeppelin;

class TVillageMode : public TVillageState {
 public:
  static constexpr int DESERT = 1, SNOW = 2;
  // Building kinds: indexes of Buildings.
  static constexpr int TAVERN = 0, CENTER = 1, ROADS = 2, MARKET = 3, SCHOOL = 4, TELESCOPE = 5, TOWER = 6;
  // Day phases.
  static constexpr int MORNING1 = 1, MORNING2 = 2, DAY = 3, EVENING1 = 4, EVENING2 = 5, NIGHT = 6;

  TVillageMode();

  // Rain (desert) or snowfall (snow) and its wind.
  Ref<TEmitter> RainEffect;
  int RainUpdTime = 0, RainTime = 5000;
  int RainAngle = 0, RainTargetAngle = 0;
  int RainStartTime = 100000, RainGenTime = 0, RainLifeTime = 20000;
  Ref<TGeysir> Geysir1, Geysir2;
  platform::ImageRef Bridge;
  Ref<TQuakeEffect> QuakeEffect;
  Ref<TGate> Gate;
  Ref<TZeppelin> Zeppelin;
  int Portal_state = 0;  // 0 empty, 1..3 stones placed, 4 broken
  Ref<TEmitter> Portal_Smoke;
  platform::ImageRef portal_stone_1, portal_stone_2, portal_stone_3, portal_broken;
  int ParaziteMode = 0;
  int ParaziteModeTime = 0;
  int ParaziteDamage = 0;
  int Hurry = 0, HurryCount = 0;
  int Restart = 0;             // the late message was confirmed: the visit starts over
  int PlayTime = 0;            // while shown the visit's start; after hiding its length
  float Happiness = 0.0f, MaxHappiness = 100.0f, TargetHappiness = 0.0f;
  int GameComplete = 0;        // the fireworks end in the game-complete screen
  int Buildings[7] = {0, 0, 0, 0, 0, 0, 0};
  Ref<TCampFire> CampFire;
  Ref<TUpgradeDialog> UpgradeDialog;
  Ref<TTrophyDialog> TrophyDialog;
  Ref<TPanel> Panel;
  platform::ImageRef Back[3];
  float back_x[3] = {0, 0, 0}, back_y[3] = {0, 0, 0};
  int StartTime = 0;           // start of the current day phase
  platform::ImageRef Sky, Night_Sky;
  int CloudGenTime = 0, CloudGenSpeed = 3000;
  int Closing = 0;             // zooming in towards the next level
  float Closing_speed = 0.006f;
  int Showing = 0;             // zooming out after being shown
  int UserInputEnable = 1;     // 0 locks villagers, waypoints and cursor
  int StarsTime = 0;
  Ref<TColor> DayColor = CreateColor(255, 255, 255);
  int DayLength = 240000;
  int DayTime = MORNING2;
  int TimeStop = 0;            // 1 freezes the day
  float Scroll_dx = 0.0f;
  float Scroll_delta = 0.0f;
  int Scroll_delta_flag = 0;
  // Automatic scroll request (ScrollTo).
  float new_scroll_x = 0.0f, new_scroll_max_speed = 0.0f, new_scroll_speed = 0.0f;
  int new_scroll = 0;
  float Scroll_speed = 0.5f;
  // Per village (LoadDesert, LoadSnow).
  float min_scroll_x = 0.0f, max_scroll_x = 0.0f;
  Ref<TEmitter> Salute;
  int SaluteUpdTime = 0, SaluteTime = 5000;
  int Paused = 0;
  platform::ImageRef RedScreen;
  float RedScreenAlpha = 0.0f;
  int Cave_x = 0, Cave_y = 0;
  Ref<TEmitter> Waterfall, Waterfall2, Waterfall3, Waterfall4;
  int Island = 0;              // the village loaded: 1 desert, 2 snow, 0 none
  int Hidden = 1;              // 1 between a hide and the next show

  int Update(float dt) override;
  int Draw() override;
  int DePress(int id) override;
  int AddedToManager() override;
  int SetHided(int flag) override;

  // Empties the visit's story state (restart of a visit).
  void Clear();
  // Villagers and buildings back to none, for a new or loaded game.
  void LoadClear();
  // Day cycle: the next phase, and the colours of the current one.
  void NextDayTime();
  void SetDayColor();
  // Alpha of the star layer now (0 by day).
  float StarsAlpha() const;
  // The star layer's alpha in 0..255 as shown: like the day's light it moves
  // in steps of kLightStep between none and full.
  int ShownStarAlpha();
  // Advances both day colours to GameTime; a finished phase moves on. On its
  // way between the phase's two colours a colour moves in steps the eye
  // cannot tell apart (under kLightStep levels in every channel it stays as
  // last shown), so the pictures tinted by it are remade a few times a
  // second at most; the phase's own colours always show as they are.
  void AdvanceDayColors();
  static constexpr int kLightStep = 3;
  void UserInput();
  void RainUpdate(float dt);
  // Asks for an automatic scroll to x (plus the canvas offset) at up to
  // maxSpeed; 1 when already there.
  int ScrollTo(float x, float maxSpeed);
  void Scroll(float dt);
  void ParaziteModeUpdate(int step);
  void ParaziteModeStart(int count);
  // Ends a parasite: it leaves the village.
  virtual void ParaziteModeEnd(const Ref<TVillageCreature>& parasite);
  void AddEmitter(const Ref<TEmitter>& emitter) override;
  void RemoveEmitter(const Ref<TEmitter>& emitter);
  // Freezes (1) or thaws (0) the screen's emitters.
  void Pause(int flag);
  // Restores the saved village or moves it on to the current stage, then
  // runs the stage's story.
  virtual void LoadVillage();
  // Loads the village of island 1 or 2: its waypoint graph and upgrade tree.
  // Nothing for 0 or the village already loaded. A graph or tree that does
  // not load leaves that part of the new village empty (never the previous
  // village's) and is logged; 0 then.
  virtual int Load(int island);
  // The scenery, walkability map, swaying scenery, scroll limits and cave of a village.
  void LoadDesert();
  void LoadSnow();

 private:
  // The rectangles of the viewport (x, y, w, h) the sky shows in, once the
  // backdrops, drawn from origin (ox, oy) at zoom z, cover it with their
  // opaque bodies: the band above the lowest body's top and the columns
  // beside the bodies below it (bodies that stop short of the viewport's
  // bottom cover nothing).
  struct SkyPart {
    int x, y, w, h;
  };
  std::vector<SkyPart> SkyParts(int vx, int vy, int vw, int vh, float ox, float oy, float z) const;
  void UpdateZooms(float dt);
  void UpdateEmitters(float dt);
  void SpawnClouds();
  void Hide();
  void Show();

  // The sky, with the stars when they show, and the backgrounds in the
  // day's colours, remade when a colour changes.
  TintedPicture SkyLit;
  SplitBackdrop BackLit[3];
  StarrySky StarryLit;
  // The day colours as last shown (AdvanceDayColors).
  int DayShown[3] = {-1, -1, -1}, VillageShown[3] = {-1, -1, -1}, StarsShown = -1;
};
// A new emitter of the effect at (x, y), added to the village's emitters; null
// (and nothing added) when the effect is missing, so that a missing effect
// costs nothing and is reported once, where it is looked up.
Ref<TEmitter> VillageEmitter(float x, float y, const Ref<TEffect>& effect);

// Villagers that come out of the cave on a new stage (1 desert, 2 snow),
// parasite losses made good.
int NewVillagerCount(int village, int stage, int parasiteDamage);

// The story of a campaign stage on a visit: who appears, which dialog opens,
// which panel buttons lock, the zeppelin, the gate, the earthquake.
void RunStageScript(int stage);

// Fills the story links the village answers itself (the camp fire, the
// zeppelin, the village dialogs); start-up calls it once.
void InitVillageStory();

// The one TVillageMode, stored as the level world's VillageState.
extern TypedGlobal<TVillageMode, TVillageState> VillageScreen;

}  // namespace kelp
