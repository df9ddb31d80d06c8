#pragma once
// The village panel: the column of buttons (play, menu, trophies, build)
// with the score and coin counters. Made by the village screen on each visit;
// so far only what the buildings and villagers use of it.
#include "framework/ui/controls.h"
#include "framework/ui/widget.h"
#include "world/effects/counters.h"

namespace kelp {

class TPanel : public TWidget {
 public:
  Ref<TButtonWidget> Button_PLAY, Button_MENU, Button_TROPHY, Button_BUILD, Button_SCROLL_LEFT, Button_SCROLL_RIGHT;
  Ref<TCount> Points;  // the score counter
  Ref<TCount> Money;   // the coin counter

  // Slides the panel out of the screen (and in again).
  virtual void StartHiding() {}
  virtual void StartShow() {}
};

}  // namespace kelp
