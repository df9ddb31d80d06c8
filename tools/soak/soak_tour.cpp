#include "soak_tour.h"

#include <functional>
#include <iterator>
#include <memory>

#include "framework/core/startup_settings.h"
#include "framework/ui/input_box.h"
#include "framework/ui/widget.h"
#include "frontend/comics.h"
#include "frontend/credits.h"
#include "frontend/game_select.h"
#include "frontend/help.h"
#include "frontend/level_select.h"
#include "frontend/main_menu.h"
#include "frontend/map.h"
#include "frontend/options_dialog.h"
#include "frontend/player_select.h"
#include "frontend/scores.h"
#include "platform/input.h"
#include "play/game.h"
#include "play/game_complete.h"
#include "play/level_complete.h"
#include "soak_heap.h"
#include "soak_watch.h"
#include "village/panel.h"
#include "village/trophy_room.h"
#include "village/village.h"
#include "world/level.h"

namespace soak {

namespace {

using namespace kelp;

bool IsScreen(const TWidget* w) {
  return w == MainMenuScreen.get() || w == MapScreen.get() || w == VillageScreen.get() ||
         w == TrophyRoomScreen.get() || w == GameScreen.get();
}

// Back to the main menu: dialogs and boxes on top are taken away, a running
// level and the village are left the way their own "main menu" answer
// leaves them, the map and the trophy room are hidden.
void Home() {
  if (!WidgetManager) return;
  std::vector<Ref<TWidget>> overlays;
  for (const Ref<TWidget>& w : WidgetManager->WidgetsList) {
    if (IsScreen(w.get())) continue;
    if (w->Modal || std::dynamic_pointer_cast<TComics>(w) || std::dynamic_pointer_cast<TCredits>(w) ||
        std::dynamic_pointer_cast<THelp>(w) || std::dynamic_pointer_cast<TLevelSelect>(w) ||
        std::dynamic_pointer_cast<TLevelComplete>(w) || std::dynamic_pointer_cast<TGameComplete>(w))
      overlays.push_back(w);
  }
  for (auto it = overlays.rbegin(); it != overlays.rend(); ++it) WidgetManager->RemoveWidget(*it);
  if (GameScreen && GameScreen->Visible) GameScreen->DePress(15001);
  if (GameScreen && GameScreen->Visible) GameScreen->SetHided(1);
  // Held here: the answer hides the village, which lets the panel go.
  if (const Ref<TPanel> panel = VillageScreen && VillageScreen->Visible ? VillageScreen->Panel : nullptr)
    panel->DePress(15001);
  if (VillageScreen && VillageScreen->Visible) VillageScreen->SetHided(1);
  if (TrophyRoomScreen && TrophyRoomScreen->Visible) TrophyRoomScreen->SetHided(1);
  if (MapScreen && MapScreen->Visible) MapScreen->SetHided(1);
  if (MainMenuScreen && !MainMenuScreen->Visible) MainMenuScreen->SetHided(0);
}

void HideMenu() {
  if (MainMenuScreen) MainMenuScreen->SetHided(1);
}

// Starts the level as a debug start does: true when it runs.
bool StartLevel(int level) {
  if (level > LevelCount || !GameScreen) return false;
  HideMenu();
  TLevel::SetLevel(level);
  GameScreen->SetHided(0);
  return GameScreen->Start() != 0;
}

// The village before a campaign stage, as after a won level.
bool StartVillage(int stage) {
  if (!VillageScreen || !GameScreen) return false;
  HideMenu();
  for (int level = 1; level <= LevelCount; ++level)
    if (TLevel::GetInfo(level, 0) == stage) {
      TLevel::SetLevel(level);
      break;
    }
  GameScreen->Stage = stage;
  VillageScreen->Load(StageIsland(stage));
  VillageScreen->SetHided(0);
  return true;
}

struct TourStep {
  const char* name;
  int frames;
  std::function<bool()> open;  // false when the screen did not open
  int key = 0;                 // a key pressed `key_at` frames in
  int key_at = 0;
};

// One level of each kind (the bundled levels' kinds), with the pause menu,
// the results and game over each seen in one of them. The keys wait for the
// opening captions and the red line (a paused round does not end), and the
// forms come a few seconds after them.
const std::vector<TourStep>& Steps() {
  static const std::vector<TourStep> steps = {
      {"menu", 200, [] { return true; }},
      {"player selection", 250, [] { return ShowUserOptions() != nullptr; }},
      {"options", 250, [] { return ShowOptions(0) != nullptr; }},
      {"help", 300, [] { return ShowHelp() != nullptr; }},
      {"credits", 400, [] { return ShowCredits() != nullptr; }},
      {"scores", 200, [] { return ShowScores() != nullptr; }},
      {"game select", 200, [] { HideMenu(); return ShowGameSelect(1) != nullptr; }},
      {"comic", 500, [] { HideMenu(); return ShowComics(1) != nullptr; }},
      {"map", 300, [] { HideMenu(); if (MapScreen) MapScreen->SetHided(0); return MapScreen != nullptr; }},
      {"level select", 300, [] { HideMenu(); return ShowLevelSelect(1) != nullptr; }},
      {"level 1 (kind 2), pause menu", 800, [] { return StartLevel(1); }, platform::VK_ESCAPE, 350},
      {"level 6 (kind 1), results", 800, [] { return StartLevel(6); }, 'W', 350},
      {"level 14 (kind 4), game over", 800, [] { return StartLevel(14); }, 'L', 350},
      {"level 34 (kind 10), results", 800, [] { return StartLevel(34); }, 'W', 350},
      {"level 33 (kind 20), results", 800, [] { return StartLevel(33); }, 'W', 350},
      {"level 43 (kind 100), game over", 800, [] { return StartLevel(43); }, 'L', 350},
      {"level 44 (kind 200), results", 800, [] { return StartLevel(44); }, 'W', 350},
      {"desert village", 600, [] { return StartVillage(1); }},
      {"trophy room", 300, [] {
         if (!StartVillage(2) || !TrophyRoomScreen) return false;
         TrophyRoomScreen->SetHided(0);
         return true;
       }},
      {"snow village", 600, [] { return StartVillage(19); }},
  };
  return steps;
}

}  // namespace

void SoakTour::Begin(size_t step) {
  Home();
  const TourStep& s = Steps()[step];
  if (!s.open()) failures_.push_back(s.name);
}

void SoakTour::Act(size_t step, int since) {
  const TourStep& s = Steps()[step];
  if (s.key && since == s.key_at) {
    platform::InjectKey(s.key, true);
    key_up_ = s.key;
  }
}

// A new player names himself first, since the menu's buttons wait for a
// player: the name box is given a name once it is up (or given up on).
bool SoakTour::Naming() {
  if (named_) return false;
  ++naming_frames_;
  Ref<TInputBox2> box;
  if (WidgetManager)
    for (const Ref<TWidget>& w : WidgetManager->WidgetsList)
      if (auto b = std::dynamic_pointer_cast<TInputBox2>(w)) box = b;
  static const int kName[] = {'S', 'O', 'A', 'K', platform::VK_RETURN};
  if (box && naming_frames_ % 20 == 0 && typed_ < static_cast<int>(std::size(kName))) {
    platform::InjectKey(kName[typed_], true);
    key_up_ = kName[typed_++];
  }
  named_ = (!box && typed_ > 0) || naming_frames_ >= 600;
  return !named_;
}

bool SoakTour::Step() {
  if (key_up_) {
    platform::InjectKey(key_up_, false);
    key_up_ = 0;
  }
  if (Done()) return false;
  ++frames_;
  if (Naming()) return true;
  if (since_ < 0) {
    Begin(step_);
    since_ = 0;
  }
  Act(step_, since_);
  if (++since_ >= Steps()[step_].frames) {
    since_ = -1;
    if (++step_ == Steps().size()) {
      Home();
      step_ = 0;
      ++pass_;
      rss_.push_back(ResidentKiB());
      live_.push_back(ReadHeap().live_kib);
    }
  }
  return true;
}

}  // namespace soak
