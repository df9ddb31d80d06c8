#include "play/in_game_interface.h"

#include "framework/media/anim_image.h"
#include "framework/media/resources.h"
#include "framework/media/textured_poly.h"
#include "play/swing.h"
#include "world/light.h"

namespace kelp {

Ref<TInGameInterface> InGameInterface;

int TInGameInterface::SetVillage() { return 0; }

int TInGameInterface::Load() {
  if (!ResManager) return 0;
  Sky = ResManager->GetImage("IMAGE_SKY");
  Back = ResManager->GetImage("IMAGE_BACK");
  return 0;
}

int TInGameInterface::UpdateSwing(float) { return 0; }
int TInGameInterface::UpdateGears() { return 0; }
int TInGameInterface::Update(float) { return 0; }
int TInGameInterface::Draw(int) { return 0; }

}  // namespace kelp
