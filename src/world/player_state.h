#pragma once
// The player as the level world sees it: the claw, the boxes it holds and
// releases, and the player's points and money in the level. The player
// (play/player.h) derives from it; start-up makes the one object.
#include "framework/core/object.h"
#include "platform/image.h"

namespace kelp {

class TProfile;
class THandle;
class TBlock;

class TPlayerState : public Object {
 public:
  Ref<TProfile> Profile;  // the current player's profile, or null
  Ref<THandle> Handle;    // the crane claw
  Ref<TBlock> box;        // the box hanging at the claw, or null
  int NextBlockClass = 0, CurrentBlockClass = 0;
  int scores = 0, old_scores = 0;
  int money = 0, old_money = 0;
  int enabled = 0;
  int enable_hover = 0;
  float ReleasedCreatures = 0.0f;
  float speed = 0.0f;
  int time = 0;
  int respawned = 0;
  platform::ImageRef Aim;
  int WaveCount = 0, Wave = 0;
  int MousePressed = 0;

  // Start values of a level and a new crane claw; called after every world load.
  virtual void Load() = 0;
};

// The same object as the Player of the layer above (one stored reference).
extern Ref<TPlayerState> PlayerState;

}  // namespace kelp
