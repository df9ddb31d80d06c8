#pragma once
// The player as the level world sees it: the claw, the box it holds, the
// classes offered, and the player's points, money and progress in the level.
// The player (play/player.h) derives from it and adds the steering, the box
// making and the side feed; start-up makes the one object.
#include "framework/core/object.h"

namespace kelp {

class TProfile;
class THandle;
class TBlock;

class TPlayerState : public Object {
 public:
  Ref<TProfile> Profile;  // the current player's profile, or null
  float speed = 0.0f;     // the claw's speed along the rail, per frame, signed (right positive)
  int respawned = 0;      // 1 once a box was made after the last release
  Ref<TBlock> box;        // the box hanging at the claw, or null; also in BlockList
  Ref<THandle> Handle;    // the crane claw, made by Load
  int enabled = 1;        // 1: steering, dropping and the pointer's re-centring are the player's
  int scores = 0;
  int money = 0;
  float ReleasedCreatures = 0.0f;  // the level goal's measure
  int NextBlockClass = 0;          // class of the next box (0 none)
  int CurrentBlockClass = 0;       // class of the box now offered (0 none)

  // Start values of a level and a new crane claw; called after every world load.
  virtual int Load() = 0;
};

// The same object as the Player of the layer above (one stored reference).
extern Ref<TPlayerState> PlayerState;

}  // namespace kelp
