#include "play/in_game_interface.h"

#include "framework/media/resources.h"

namespace kelp {

Ref<TInGameInterface> InGameInterface;

void TInGameInterface::Load() {
  if (!ResManager) return;
  Sky = ResManager->GetImage("IMAGE_SKY");
  Back = ResManager->GetImage("IMAGE_BACK");
}

// The frame's layers come with the interface itself.
void TInGameInterface::Draw(int) {}

}  // namespace kelp
