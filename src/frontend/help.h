#pragma once
// The help: one picture in a dialog frame with an OK button, opened from the
// pause menu of a running level; closing it (OK, Enter or Escape) brings the
// pause menu back.
#include "framework/ui/dialog.h"

namespace kelp {

class TButtonWidget;
class TWidgetUpdater;

class THelp : public TDialogStatic {
 public:
  static constexpr int BUTTON_OK_ID = 1;

  Ref<TButtonWidget> BUTTON_OK;
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;

  int Update(float dt) override;
  int SetPosition(int px, int py) override;
  int Resize(int px, int py, int width, int height) override;
  int DePress(int id) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  virtual void StartShow();
  virtual void StartHiding();
};

Ref<THelp> ShowHelp();

}  // namespace kelp
