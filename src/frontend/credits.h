#pragma once
// The credits: a tall picture of the credits text scrolling up over a
// background that changes every 20 seconds, a pulsing hint at the bottom and
// music of its own. Any key or click (or a report to DePress) fades to black,
// and the main menu comes back. Opened from the options dialog and from the
// game-complete picture.
#include "framework/ui/widget.h"
#include "platform/image.h"

namespace kelp {

class TCredits : public TWidget {
 public:
  // The hint line "press any key" under the picture: one line in the 50 px
  // band at the bottom (a wrapped second line would be cut off).
  static constexpr int HintWidth = 720;

  platform::ImageRef Backs[2];
  platform::ImageRef Back;
  platform::ImageRef Text;
  float text_y = 0.0f;  // top of Text; 500 when shown
  float dy = 0.0f;      // scroll per frame unit
  int hiding = 0;
  float alpha = 0.0f;  // of the hint line
  float alpha_speed = 0.0f;
  int alpha_state = 0;  // 0 fading in, 1 fading out
  int ChangeTime = 0;

  int Update(float dt) override;
  int Draw() override;
  int DePress(int id) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  // Leaves the manager and shows the main menu.
  virtual void Close();
  virtual void StartShow();
  virtual void StartHiding();
};

Ref<TCredits> ShowCredits();

}  // namespace kelp
