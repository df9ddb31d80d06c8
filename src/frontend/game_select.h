#pragma once
// The game-mode select: before a new game, from the main menu or from the
// island map, a small dialog asks for normal (with the level clock) or
// relaxed (without), or offers the level select instead; a cross (and
// Escape) closes it. Normal and relaxed start the screen behind leaving at
// once; the dialog's own slide-out then sets the running level's mode and
// copies it into the current save.
#include "framework/ui/dialog.h"

namespace kelp {

class TButtonWidget;
class TWidgetUpdater;

class TGameSelect : public TDialogStatic {
 public:
  static constexpr int BUTTON_NORMAL_ID = 1;
  static constexpr int BUTTON_RELAXED_ID = 2;
  static constexpr int BUTTON_LEVEL_ID = 3;
  static constexpr int BUTTON_CROSS_ID = 4;

  Ref<TButtonWidget> BUTTON_NORMAL, BUTTON_RELAXED, BUTTON_LEVEL, BUTTON_CROSS;
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;
  int MainMenu = 0;  // 1 opened from the main menu, 0 from the island map

  int Update(float dt) override;
  int SetPosition(int px, int py) override;
  int Resize(int px, int py, int width, int height) override;
  int DePress(int id) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  int SetHided(int flag) override;
  virtual void StartShow();
  virtual void StartHiding();

 private:
  int closing_ = 0;  // the slide-out has begun; later presses change nothing
};

// Slides the dialog in from above, centred; mainMenu says which screen is behind it.
Ref<TGameSelect> ShowGameSelect(int mainMenu);

}  // namespace kelp
