#pragma once
// The village screen: the desert or snow village with its buildings and
// villagers. Made once at start-up as VillageScreen.
#include "framework/core/object_list.h"
#include "framework/ui/widget.h"

namespace kelp {

class TEmitter;

class TVillageMode : public TWidget {
 public:
  int PlayTime = 0;             // GameTime at which the current visit began
  float Closing_scale = 1.0f;   // zoom of the closing zoom, 1 otherwise
  float Scroll_x = 0.0f;
  int UserInputEnable = 1;
  int CloudGenTime = 0, CloudGenSpeed = 0;
  int DayTime = 1;
  int TimeStop = 0;
  int Island = 0;               // the village loaded: 1 desert, 2 snow, 0 none
  ObjectList<TEmitter> Emitters;

  // Appends an emitter to the village's effects.
  virtual void AddEmitter(const Ref<TEmitter>& emitter);

  // Loads the village of island 1 or 2; nothing for 0 or the one loaded.
  virtual int Load(int island);
};

extern Ref<TVillageMode> VillageScreen;
extern int CurrentVillage;  // 1 desert, 2 snow

}  // namespace kelp
