#pragma once
// The build dialog: the carousel of buildings the player can buy. Made by the
// village screen on each visit; so far only what a finished building calls.
#include "framework/ui/widget.h"

namespace kelp {

class TUpgradeDialog : public TWidget {
 public:
  // Rebuilds the list of buildings on offer.
  virtual void PrepareUpgrades() {}
  // 1 when the list holds something unlocked the player can pay for.
  virtual int CheckUpgrades() { return 0; }
  // Slides in from the left.
  virtual void StartShow() {}
};

}  // namespace kelp
