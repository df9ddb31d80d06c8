#pragma once
// The results screen after the last round of a stage or a level-select level.
// Made by ShowLevelComplete from the level's completion check. Building it
// settles the results once: the time bonus joins the player's score, the
// level record is entered and written, the stars (3 to 5) are counted. Then
// it slides in under a salute of fireworks and counts up, line after line,
// the level's score, combos, best combo, released creatures and coins, then
// (normal game) the time bonus on a winding clock into the total, and shows
// the stars one by one. OK (or Enter or Escape) slides it out and fades the
// screen out, after which the level moves on.
//
// Not modal (the level behind keeps running to see the fade end), but the
// level leaves Escape to it while it is up.
#include "framework/ui/dialog.h"
#include "platform/image.h"

namespace kelp {

class TButtonWidget;
class TCount2;
class TEffectsWidget;
class TEmitter;
class TSectorImage;
class TShowImage;
class TWidgetUpdater;

class TLevelComplete : public TDialogStatic {
 public:
  static constexpr int Button_OK_ID = 1;

  Ref<TButtonWidget> BUTTON_OK;
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;
  Ref<TEmitter> Salute;
  Ref<TEmitter> TimeBonus;
  platform::ImageRef ClockPip, ClockArrow;
  Ref<TCount2> ScoreCount, CombosCount, MaxComboCount, OrbicsCount, CoinsCount;
  int TimeBonusCount = 0;
  Ref<TCount2> TotalScoreCount;
  Ref<TShowImage> ScoreImg, CombosImg, MaxComboImg, OrbicsImg, CoinsImg, TimeBonusImg, TotalScoreImg, NoImg;
  Ref<TShowImage> StarImg[5];
  int state = 0;  // step of the presentation, 0 to 14
  Ref<TEffectsWidget> Effects, EffectsOver;
  int particles = 0;
  platform::ImageRef Clock;
  Ref<TSectorImage> ClockShadow;
  float ClockAngle = 0.0f;
  int Fade_flag = 0;
  int Stars = 0;
  int LevelScore = 0;
  int BonusScore = 0;
  // What the level had when the screen was built (its creatures count is reset then).
  int Combos = 0, MaxCombo = 0, Orbics = 0, Coins = 0;
  float BonusTime = 0.0f;
  int Relaxed = 0;

  int AddedToManager() override;
  int RemovedFromManager() override;
  int Update(float dt) override;
  int Draw() override;
  int DePress(int id) override;
  int SetPosition(int px, int py) override;
  int Resize(int px, int py, int width, int height) override;
  virtual int StartShow();
  virtual int StartHiding();

 private:
  void Caption(Ref<TShowImage>& slot, const char* image, int x, int y);
  bool Settled_ = false;
};

// Stars for a level: Int(combos / creatures x 120) within 3..5, then 5 becomes
// 4 for a best combo below 3 or more than 0.8 of the time used, and 3 becomes
// 4 on stage 1. No creature released gives 3 (4 on stage 1).
int LevelStars(int combos, int creatures, int maxCombo, float bonusTime, int stage);
// The time bonus: Int((1 - min(bonusTime, 1)) x 2000), none in the relaxed game.
int TimeBonusScore(float bonusTime, int relaxed);

// Shows the pointer at the middle, slides the screen in from above.
Ref<TLevelComplete> ShowLevelComplete();

}  // namespace kelp
