#pragma once
// The tutorial hint shown over the first levels.
#include "framework/core/object.h"

namespace kelp {

class TTutorial : public Object {
 public:
  // Hides the hint when the player leaves the level for the main menu.
  void StartHiding2();
};

extern Ref<TTutorial> TutorialHint;

}  // namespace kelp
