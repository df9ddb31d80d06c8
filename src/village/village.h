#pragma once
// The village screen: the desert or snow village with its buildings and
// villagers. Made once at start-up as VillageScreen; its fields that the
// level world and the effects share are those of TVillageState.
#include "framework/core/typed_global.h"
#include "world/village_state.h"

namespace kelp {

class TVillageMode : public TVillageState {
 public:
  int PlayTime = 0;             // GameTime at which the current visit began
  int UserInputEnable = 1;
  int CloudGenTime = 0, CloudGenSpeed = 0;
  int DayTime = 1;
  int TimeStop = 0;
  int Island = 0;               // the village loaded: 1 desert, 2 snow, 0 none

  // Loads the village of island 1 or 2; nothing for 0 or the one loaded.
  virtual int Load(int island);
};

// The one TVillageMode, stored as the level world's VillageState.
extern TypedGlobal<TVillageMode, TVillageState> VillageScreen;

}  // namespace kelp
