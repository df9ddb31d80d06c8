#pragma once
// The results screen after the last round of a stage or a level-select level.
// Made by ShowLevelComplete from the level's completion check; building it
// settles the results: the time bonus joins the score, the level record is
// written, the stars (3 to 5) are counted. OK (or Enter or Escape) slides it
// out and fades the screen out, after which the level moves on (Next).
//
// This is the plain version: the results are drawn as lines of text; the
// counted-up presentation comes with the story.
#include "framework/ui/dialog.h"

namespace kelp {

class TButtonWidget;
class TWidgetUpdater;

class TLevelComplete : public TDialogStatic {
 public:
  static constexpr int Button_OK_ID = 1;

  Ref<TButtonWidget> BUTTON_OK;
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;
  int Fade_flag = 0;  // the closing fade has started
  int Stars = 0;
  int LevelScore = 0;
  int BonusScore = 0;
  // What the screen shows, read from the level when it was built.
  int Combos = 0, MaxCombo = 0, Orbics = 0, Coins = 0;

  int AddedToManager() override;
  int RemovedFromManager() override;
  int Update(float dt) override;
  int Draw() override;
  int DePress(int id) override;
  int SetPosition(int px, int py) override;
  int Resize(int px, int py, int width, int height) override;
  virtual int StartShow();
  virtual int StartHiding();
};

// Stars for a level: Int(combos / creatures x 120) within 3..5, then 5 becomes
// 4 for a best combo below 3 or more than 0.8 of the time used, and 3 becomes
// 4 on stage 1. No creature released gives 3 (4 on stage 1).
int LevelStars(int combos, int creatures, int maxCombo, float bonusTime, int stage);

// Shows the pointer and slides the screen in.
Ref<TLevelComplete> ShowLevelComplete();

}  // namespace kelp
