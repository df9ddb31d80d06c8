#pragma once
// The island map: the two islands, desert and snow, drifting on a sea under a
// sky that runs through a day cycle (colour fades, a night sky with stars,
// clouds on two layers), the levels of the current island as markers with
// the player's progress, and a panel with continue, new game and main menu.
// Made once at start-up as MapScreen.
//
// The way into the village: while VillageEntryOpen is 0 the village is not
// ready for play, so the map stands in for it between levels. Continue (or
// the current island, or its next level's marker) then plays the saved level,
// and a won campaign level comes back here with the progress saved. Once it
// is 1, continue enters the village of the saved island as the village's
// screens lead on to the levels.
#include <vector>

#include "framework/core/color.h"
#include "framework/ui/widget.h"
#include "platform/image.h"

namespace kelp {

class TAnimImage;
class TButtonWidget;
class TImageWidget;
class TWidgetUpdater;

// The start value of VillageEntryOpen: the one switch that opens the map's
// way into the village for good.
constexpr int kVillageEntryOpen = 1;
extern int VillageEntryOpen;

// The state of a level's marker for a save standing at savedLevel.
enum class MarkerState { DONE, CURRENT, LOCKED };
MarkerState LevelMarkerState(int level, int savedLevel, int completed);

constexpr float kMarkerSize = 36.0f;       // the marker picture's width and height
constexpr float kMarkerHitRadius = 15.0f;  // a click this near a marker's centre is on it
// Where n level markers stand, relative to their island's centre, in level order.
struct MarkerPlace {
  float x, y;
};
std::vector<MarkerPlace> MarkerPlaces(int n);

// Where the bottom panel's buttons stand, from the panel's top-left corner:
// Main menu and New game inside its wooden rim, Continue above its middle.
struct PanelPlace {
  int x, y;
};
constexpr PanelPlace kMainMenuPlace{22, 43}, kNewGamePlace{308, 43}, kContinuePlace{165, -50};

class TIsland : public Object {
 public:
  platform::ImageRef img;
  platform::ImageRef label;
  Ref<TAnimImage> scroll;
  int time = 0;
  float startX = 0.0f, startY = 0.0f;
  float currentX = 0.0f, CurrentY = 0.0f;
  float radius = 0.0f;
  float angle = 0.0f;
  float speed = 0.0f;
  float scale = 1.0f;
  int id = 0;  // collision-layer bit
  float alpha = 0.0f;  // hover glow 0..0.6
  int number = 0;      // 1 desert, 2 snow; 0 a back island

  // Island 1 or 2 with the next layer bit of the map.
  static Ref<TIsland> Create(int n, int bit);
  virtual void Draw(int hoverable, int hovered);
  virtual void DrawLabel();
  virtual void Update(float dt, int hovered);
  virtual void Remove();
};

class TBackIsland : public TIsland {
 public:
  static Ref<TBackIsland> Create2(const platform::ImageRef& image, float x, float y, float radius, float speed,
                                  int bit);
  void Draw(int hoverable, int hovered) override;
  void DrawLabel() override {}
  void Update(float dt, int hovered) override;
};

// A level's marker on the current island.
struct TLevelMarker {
  int level = 0;
  float x = 0.0f, y = 0.0f;  // relative to the island's centre
  MarkerState state = MarkerState::LOCKED;
};

class TMapMode : public TWidget {
 public:
  static constexpr int MORNING1 = 1, MORNING2 = 2, DAY = 3, EVENING1 = 4, EVENING2 = 5, NIGHT = 6;

  int Button_CONTINUE_ID = 1, Button_NEWGAME_ID = 2, Button_MAINMENU_ID = 3;
  Ref<TButtonWidget> Button_CONTINUE, Button_NEWGAME, Button_MAINMENU;
  Ref<TImageWidget> Back;
  Ref<TIsland> Island1, Island2;
  Ref<TIsland> BackIsland1, BackIsland2;
  int StartTime = 0;
  platform::ImageRef Sky, Night_Sky, Completed, Marker;
  int CloudGenTime = 0;
  int CloudGenSpeed = 2000;
  int StarsTime = 0;
  int VillageTime = 0;
  int TimeStop = 0;
  int DayLength = 180000;
  Ref<TColor> DayColor = CreateColor(255, 255, 255);
  Ref<TColor> VillageColor = CreateColor(255, 255, 255);
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;
  int DayTime = MORNING2;
  std::vector<TLevelMarker> Markers;  // the levels of the current island
  TIsland* HoveredIsland = nullptr;
  int HoveredMarker = 0;  // level of the marker under the mouse, 0 none

  int Update(float dt) override;
  int Draw() override;
  int DePress(int id) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  int SetHided(int flag) override;
  virtual void UserInput();
  virtual void NextDayTime();
  virtual void StartShow();
  virtual void StartHiding();
  // The markers of the current island's levels with their states, from the save.
  void LoadMarkers();
  // The island the saved game stands on: 1 desert, 2 snow.
  static int CurrentIsland();
  // Phase length in ms.
  int PhaseLength(int phase) const;
  // Night-sky alpha at this game time; 0 by day.
  float NightAlpha() const;

 private:
  void PlaceButtons();
  void DrawMarkers();
  void DrawProgress();
  void Leave();  // the panel has slid out: on to the chosen screen
};

extern Ref<TMapMode> MapScreen;

// A won campaign level is done with: with the village entry open the village
// shows; else the progress is saved to the profile and the map shows.
void ShowVillageOrMap();
// A won campaign level whose next level lies in the same stage: true when the
// map takes the player there (village entry closed), false to go straight on.
bool ReturnToMapBetweenLevels();
// Starts the level the save stands at as a campaign game; false when it would not start.
bool PlaySavedLevel();

}  // namespace kelp
