#pragma once
// The pause menu: the small dialog that slides down over a running level on
// Escape. It pauses the level (and a story dialog behind it) and offers
// resume, options, back to the island, help and main menu. The choice is
// reported to the listener (the level screen's DePress) only once the menu has
// slid out again; the first press stands, a second one during the slide-out
// is ignored. Escape while it shows acts as resume.
#include <string>

#include "framework/ui/dialog.h"

namespace kelp {

class TButtonWidget;
class TWidgetUpdater;

class TGameMenu : public TDialogStatic {
 public:
  static constexpr int Button_RESUME_ID = 1;
  static constexpr int Button_OPTIONS_ID = 2;
  static constexpr int Button_TOISLAND_ID = 3;
  static constexpr int Button_HELP_ID = 4;
  static constexpr int Button_MAINMENU_ID = 5;

  std::string Name;
  WeakRef<TWidget> Listener;
  Ref<TButtonWidget> Button_RESUME;
  Ref<TButtonWidget> Button_OPTIONS;  // locked while no options dialog is installed
  Ref<TButtonWidget> Button_TOISLAND;  // locked in a level-select game
  Ref<TButtonWidget> Button_HELP;     // locked while no help is installed
  Ref<TButtonWidget> Button_MAINMENU;
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;

  int Resize(int px, int py, int width, int height) override;
  int RemovedFromManager() override;
  int AddedToManager() override;
  int Update(float dt) override;
  int DePress(int id) override;
  int Draw() override;
  virtual int StartShow();
  virtual int StartHiding();

 private:
  void PlaceButtons();
  int reported_ = 0;
};

// Opens the menu over the level for the listener and pauses the level.
Ref<TGameMenu> ShowGameMenu(const Ref<TWidget>& listener);

}  // namespace kelp
