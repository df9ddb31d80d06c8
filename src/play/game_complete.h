#pragma once
// The game-complete picture at the end of the story: it fades in to the
// credits music; a click once it is fully shown fades it out, after which the
// player's score goes into the high scores, the save starts over (keeping that
// the game was completed) and is written, and the credits follow.
#include "framework/ui/widget.h"
#include "platform/image.h"

namespace kelp {

class TGameComplete : public TWidget {
 public:
  platform::ImageRef Image;  // "data/img/game/gamecomplete.jpg"; null when missing
  int hiding = 0;

  int AddedToManager() override;
  int RemovedFromManager() override;
  int Update(float dt) override;
  int Draw() override;
  virtual int StartShow();
  virtual int StartHiding();

 private:
  int done_ = 0;
};

Ref<TGameComplete> ShowGameComplete();

}  // namespace kelp
