#include "play/player.h"

#include "framework/core/frame_clock.h"
#include "framework/media/resources.h"
#include "world/handle.h"

namespace kelp {

TypedGlobal<TPlayer, TPlayerState> Player(PlayerState);

int TPlayer::Init() { return 0; }

int TPlayer::Load() {
  x = 270.0f;
  y = 32.0f;
  acceleration = 1.0f;
  maxSpeed = 14;
  MaxX = 540;
  MinX = 238;
  time = GameTime;
  // The old claw's groups went with the world it was made in.
  if (Handle) Handle->Remove();
  Handle = THandle::Create(x, y);
  if (Handle) Handle->Translate(120.0f, 0.0f);
  if (ResManager) Aim = ResManager->GetImage("IMAGE_AIM");
  return 0;
}

int TPlayer::Update(float) { return 0; }
int TPlayer::ReleaseBox(float) { return 0; }

int TPlayer::Draw() {
  if (Handle) Handle->Draw();
  return 0;
}

void TPlayer::MakeBox() {}
void TPlayer::Steer(float) {}
void TPlayer::Swap() {}
void TPlayer::Hold() {}
void TPlayer::SideFeed() {}
void TPlayer::FeedBox() {}

}  // namespace kelp
