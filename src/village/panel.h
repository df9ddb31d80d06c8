#pragma once
// The village panel: the column of buttons (PLAY, MENU, TROPHY, BUILD) with
// the score and coin counters, sliding in from the right edge of the game
// area, and two arrows at the screen edges that scroll the village while the
// mouse rests on them. Made by the village screen on its first show.
//
// PLAY is the way into the next level: it checks the stage's story first
// (a villager with a fresh wish, the build-first rule, the bridge, stage 30)
// and opens a village dialog instead when the story says so; otherwise the
// panel slides out and, once out, starts the village's closing zoom.
// The panel gives the village its input once, when it has come to rest: a
// dialog's end script that brings the panel back may keep input off.
#include "framework/ui/controls.h"
#include "framework/ui/widget.h"
#include "platform/image.h"
#include "world/effects/counters.h"

namespace kelp {

class TEmitter;
class TWidgetUpdater;

class TPanel : public TWidget {
 public:
  static constexpr int Button_PLAY_ID = 1, Button_MENU_ID = 2, Button_TROPHY_ID = 3, Button_BUILD_ID = 4,
                       Button_SCROLL_LEFT_ID = 5, Button_SCROLL_RIGHT_ID = 6;
  Ref<TButtonWidget> Button_PLAY, Button_MENU, Button_TROPHY, Button_BUILD, Button_SCROLL_LEFT, Button_SCROLL_RIGHT;
  Ref<TEmitter> Coins;
  platform::ImageRef Panel;
  Ref<TCount> Points;  // the score counter
  Ref<TCount> Money;   // the coin counter
  Ref<TWidgetUpdater> Updater, ScrollLeftUpdater, ScrollRightUpdater;
  int PressedID = 0;   // PLAY waiting for the slide-out to end
  int Arrived = 0;     // input was given on this slide-in

  TPanel() { Clip = 2; }
  int Update(float dt) override;
  int Draw() override;
  int Resize(int px, int py, int width, int height) override;
  int DePress(int id) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  int SetHided(int flag) override;
  virtual void StartShowScroll();
  virtual void StartHidingScroll();
  // Slides the panel in (and recomputes the build offers) or out.
  virtual void StartShow();
  virtual void StartHiding();

  // The PLAY rules: the village dialog that refuses PLAY now, or 0 when the
  // way into the level is open. `village` 1 desert, 2 snow.
  static int PlayRefusal(int village, int stage, int finishedBuilds, int needAdded, int bridgeBuilt,
                         int somethingToBuy);

 private:
  void PlaceButtons();
  void AskToLeave();
};

// The small vertical gauge of the village's mood.
class TMoodometer : public Object {
 public:
  float MaxValue = 0.0f, TargetValue = 0.0f, CurValue = 0.0f;
  float percent = 0.0f;  // filled height in pixels
  int x = 752, y = 114, lowy = 324;
  platform::ImageRef img1, img2;

  void Update(float dt);
  void Draw();
};

}  // namespace kelp
