#pragma once
// The game-over screen: slides down over a lost level with a retry button
// and, while the save has skips left, a skip button that counts the level as
// won. Modal: the level behind it stands still. Once it has slid out, retry
// clears the level and restarts the stage; skip uses one skip and skips the
// round. No skip is offered in levels 31 and 67 or in a level-select game.
#include "framework/ui/widget.h"
#include "platform/image.h"

namespace kelp {

class TButtonWidget;
class TWidgetUpdater;

class TGameOver : public TWidget {
 public:
  static constexpr int Button_RETRY_ID = 1;
  static constexpr int Button_SKIP_ID = 2;

  platform::ImageRef Image;  // "IMAGE_GAMEOVER"
  platform::ImageRef Text1;  // "IMAGE_GAMEOVER_TEXT_01"
  platform::ImageRef Text2;  // "IMAGE_SKIP" and the skips left; null without a skip
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;
  Ref<TButtonWidget> BUTTON_RETRY, BUTTON_SKIP;

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
  int done_ = 0;
};

Ref<TGameOver> ShowGameOver();

}  // namespace kelp
