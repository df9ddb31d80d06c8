#include "play/player.h"

#include "framework/media/resources.h"
#include "world/handle.h"

namespace kelp {

TypedGlobal<TPlayer, TPlayerState> Player(PlayerState);

void TPlayer::Load() {
  // The old claw's groups went with the world it was made in.
  if (Handle) Handle->Remove();
  Handle = THandle::Create(270, 32);
  if (Handle) Handle->Translate(120, 0);
  if (ResManager) Aim = ResManager->GetImage("IMAGE_AIM");
}

}  // namespace kelp
