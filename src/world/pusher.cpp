#include "world/pusher.h"

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "platform/draw.h"
#include "world/effects/chain_lights.h"
#include "world/game_state.h"
#include "world/world.h"

namespace kelp {

ObjectList<TPusher> Pushers;

void TPusher::Load() {
  TPhysEngine* engine = World ? World->Physics.get() : nullptr;
  if (Ref<TPhysEngine_Static> s = TPhysEngine_Static::Create(0, 100, 140, 100, 1, 1, 1, engine)) Static.AddLast(s);
  if (Ref<TPhysEngine_Static> s = TPhysEngine_Static::Create(0, 80, 0, 120, 1, 1, 1, engine)) Static.AddLast(s);
  Time = GameTime;
  if (ResManager) Image = ResManager->GetImage("IMAGE_TOLKALKA");
}

void TPusher::Move(float mx, float my) {
  x += mx;
  y += my;
  for (const auto& s : Static) s->Move(mx, my);
}

void TPusher::Update(float f) {
  if ((GameState && GameState->Paused) || !Ready) return;
  // The motion runs once per static of the ram, as it always has: two steps a frame.
  for (size_t i = 0, n = Static.Count(); i < n; ++i) {
    if (State != PUSHING && State != RETURNING) break;
    curaccel += accel * f;
    if (curaccel < maxaccel) curaccel = maxaccel;
    if (State == PUSHING)
      dx += curaccel;
    else
      dx -= curaccel;
    Move(dx, 0);
  }
  // Compared as a difference: the game clock is far from 0 and a float sum
  // with it would lose the milliseconds.
  if (State == WAITING && static_cast<float>(GameTime - Time) > static_cast<float>(ReactionTime) * f) {
    State = PUSHING;
    PlaySoundEffect("SOUND_PUSHER", 0, 0);
    curaccel = 0;
    maxaccel = Rand(0, 1) != 0 ? Rnd(-0.06f, -0.08f) : Rnd(-0.1f, -0.2f);
    accel = Rnd(-0.004f, -0.02f);
  }
  if (State == PUSHING && x <= -60) {
    dx = -(x + 60);
    Move(dx, 0);
  }
  if (State == RETURNING && x >= 0) {
    dx = -x;
    Move(dx, 0);
  }
  if (State == PUSHING && x == -60) {
    State = RETURNING;
    dx = 0;
  }
  if (State == RETURNING && x == 0) {
    State = WAITING;
    Time = GameTime;
    dx = 0;
    Ready = 0;
    if (ChainLightsOn) TChainLights::Stop();
  }
}

void TPusher::Draw() { platform::DrawImage(Image, x + 675, y + 149); }

void TPusher::Create() {
  auto p = New<TPusher>();
  p->Load();
  p->Move(680, 72);
  p->x = 0;
  p->y = 0;
  Pushers.AddLast(p);
}

void TPusher::UpdatePusher(float f) {
  for (const auto& p : Pushers) p->Update(f);
}

void TPusher::DrawPusher() {
  for (const auto& p : Pushers) p->Draw();
}

void TPusher::DeletePusher() { Pushers.Clear(); }

}  // namespace kelp
