#pragma once
// The trophy form of the village screen: the trophy-room picture centred on
// the canvas with a Back button that hides it. The village makes it hidden on
// its first show and hides it whenever the build dialog, the way into a level
// or a village dialog takes the screen; the trophies themselves are shown in
// the trophy room (trophy_room.h).
#include "framework/ui/controls.h"
#include "framework/ui/widget.h"
#include "platform/image.h"

namespace kelp {

class TTrophyDialog : public TWidget {
 public:
  static constexpr int Back_ID = 1;
  int IsDown = 0;
  Ref<TButtonWidget> Back;
  int Back_x = 251, Back_y = 522;
  platform::ImageRef Form_Trophy;

  int Draw() override;
  int Resize(int px, int py, int width, int height) override;
  int DePress(int id) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  int SetHided(int flag) override;
  // Centres the form on the 800 x 600 canvas.
  void CenterToScreen();
};

}  // namespace kelp
