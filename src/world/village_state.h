#pragma once
// The village screen as the level world and the effects see it: the scroll
// and closing zoom effects are drawn with, the village's light colour and its
// emitter list.
// The village screen (village/village.h) derives from it; start-up makes the
// one object.
#include "framework/core/color.h"
#include "framework/core/object_list.h"
#include "framework/ui/widget.h"

namespace kelp {

class TEmitter;

class TVillageState : public TWidget {
 public:
  float Closing_scale = 1.0f;   // zoom of the closing zoom, 1 otherwise
  float Scroll_x = 0.0f;
  ObjectList<TEmitter> Emitters;
  Ref<TColor> VillageColor = CreateColor(255, 255, 255);  // light of the village by the hour

  // Appends an emitter to the village's effects.
  virtual void AddEmitter(const Ref<TEmitter>& emitter);
};

// The same object as the VillageScreen of the layer above (one stored reference).
extern Ref<TVillageState> VillageState;
extern int CurrentVillage;  // the island whose village is loaded: 1 desert, 2 snow

}  // namespace kelp
