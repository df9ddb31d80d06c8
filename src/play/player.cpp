#include "play/player.h"

#include <algorithm>
#include <cmath>

#include "framework/core/degrees.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/ui/mouse.h"
#include "world/block.h"
#include "world/effects/chain_lights.h"
#include "world/effects/ray.h"
#include "world/game_state.h"
#include "world/handle.h"
#include "world/pusher.h"
#include "world/trolley.h"
#include "world/world.h"

namespace kelp {

TypedGlobal<TPlayer, TPlayerState> Player(PlayerState);

namespace {

constexpr float kRestX = 390.0f;  // where the connector rests, and returns to without control
constexpr int kDropGateMs = 600;
constexpr int kRespawnMs = 500;
constexpr float kBoxScale = 0.55f;

int GameType() { return GameState ? GameState->GameType : 0; }

bool OneOf(int v, std::initializer_list<int> set) { return std::find(set.begin(), set.end(), v) != set.end(); }

// The claw's lamp shows the class offered but not hanging; other classes leave it.
void ShowClass(THandle& claw, int c) {
  if (c >= TBlock::RED && c <= TBlock::SKY) claw.Color = BlockClassColor(c);
}

// "now > since + wait" without overflow, whatever a level file put into the wait.
bool Past(int now, int since, int wait) {
  return static_cast<int64_t>(now) > static_cast<int64_t>(since) + static_cast<int64_t>(wait);
}

// The pusher shoves, 530 ms later, whatever lies on the feed shelf.
void ArmPushers() {
  for (const auto& p : Pushers) {
    p->Ready = 1;
    p->Time = GameTime;
  }
}

bool ClawReady(const THandle* h) { return h && h->Connector && h->LeftClaw && h->RightClaw; }

}  // namespace

int TPlayer::Init() {
  if (!box) MakeBox();
  return 0;
}

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

int TPlayer::Update(float dt) {
  if (!ClawReady(Handle.get())) return 0;
  Steer(dt);
  Swap();
  Hold();

  if (Mouse && Mouse->Bt1Hit && Past(GameTime, time, kDropGateMs) && enabled) {
    if (Handle->Ray) Handle->Ray->state = TRay::CHARGING;
    ReleaseBox(dt);
  }
  if (Handle->Ray && Mouse && Mouse->Bt1Up && Handle->Ray->state != TRay::IDLE) {
    Handle->Ray->state = TRay::IDLE;
    PlaySoundEffect("SOUND_RAY_END", 0.0f, 1);
  }
  if (Past(GameTime, time, kRespawnMs) && !respawned && !Handle->Ray) MakeBox();

  if (OneOf(GameType(), {2, 4, 20, 200})) SideFeed();

  if (enabled && Mouse) Mouse->Center();
  return 0;
}

int TPlayer::ReleaseBox(float dt) {
  const Ref<TBlock> b = box;
  if (!b) return 0;
  PlaySoundEffect("SOUND_BLOCK_RELEASE", 0.0f, 0);
  // The class not dropped is the one the next box takes.
  if (b->class_ == CurrentBlockClass)
    CurrentBlockClass = 0;
  else
    NextBlockClass = 0;
  time = GameTime;
  respawned = 0;

  if (b->Group) {
    for (const auto& p : {b->Center, b->Align, b->UpLeft, b->UpRight})
      if (p) p->static_ = 0;
    b->Group->Reset();
    if (b->UpLeft) b->UpLeft->mass = 1.0f;
    if (b->Center) b->Center->mass = 0.8f;
    if (b->UpRight) b->UpRight->mass = 1.0f;
    b->Move(speed / 4.0f * dt, 5.0f);
    b->Group->Active = 1;
    b->Group->Released = 1;
  }
  b->Released = 1;
  b->ReleaseTime = GameTime;
  b->Blur = 1;
  b->BlurAlpha = 0.7f;
  if (CurrentTrolley) CurrentTrolley->AddBlock(b);

  box = nullptr;
  MousePressed = 0;
  Drop = 0;
  return 0;
}

int TPlayer::Draw() {
  if (Handle) Handle->Draw();
  return 0;
}

void TPlayer::MakeBox() {
  if (!ClawReady(Handle.get())) return;
  int c = TBlock::GenerateClass();
  if (CurrentBlockClass) c = CurrentBlockClass;
  if (NextBlockClass) c = NextBlockClass;
  CurrentBlockClass = c;
  NextBlockClass = TBlock::GenerateClass();
  ShowClass(*Handle, NextBlockClass);

  const TPhysEngine_Particle& left = *Handle->LeftClaw;
  const TPhysEngine_Particle& right = *Handle->RightClaw;
  const int angle = static_cast<int>(degrees::ATan2(right.y - left.y, right.x - left.x));
  // Where Hold keeps it: 80 below the tips. (Below the connector only when
  // the tips are level with it; a box made anywhere else stays inside out.)
  const float cx = static_cast<float>(static_cast<int>((left.x + right.x) / 2.0f));
  const float cy = static_cast<float>(static_cast<int>((left.y + right.y) / 2.0f) + 80);

  const Ref<TBlock> b = TBlock::Create(cx, cy, 0.0f, 0.0f);
  if (!b->Group || !b->Center || !b->UpLeft || !b->UpRight) {
    // No physics engine to build it in: no box.
    b->Del();
    BlockList.Remove(b);
    return;
  }
  b->class_ = c;
  b->Group->ComputeCenter();
  b->Group->Rotate(static_cast<float>(angle));
  b->Group->class_ = c;
  b->Position(cx, cy, 0);
  b->Group->Scale(kBoxScale);
  b->Center->static_ = 1;
  b->UpLeft->Position(left.x + 12.0f, left.y + 60.0f);
  b->UpLeft->static_ = 1;
  b->UpRight->Position(right.x - 12.0f, right.y + 60.0f);
  b->UpRight->static_ = 1;

  Handle->ElectroBlock = b;
  box = b;
  respawned = 1;
  ArmPushers();
  // While released boxes are in play each new box raises the level goal.
  if (OneOf(GameType(), {1, 10, 100, 4, 6}) && ReleasedBlockCount != 0 && World) World->CreaturesToRelease += 1.0f;
}

void TPlayer::Steer(float dt) {
  THandle& claw = *Handle;
  TPhysEngine_Particle& connector = *claw.Connector;
  const float old = speed;
  if (enabled || enable_hover) {
    if (Mouse) speed += Mouse->dx / 5.0f;
  } else {
    if (std::fabs(connector.x - kRestX) < 3.0f) {
      connector.Position(kRestX, connector.y);
      if (claw.RightCablePart) claw.RightCablePart->Position(kRestX, claw.RightCablePart->y);
    }
    speed = connector.x < kRestX ? 3.0f : connector.x > kRestX ? -3.0f : 0.0f;
  }
  // Coasting: the claw slows down when nothing changes its speed.
  if (std::fabs(speed - old) < 0.01f) speed /= 1.6f;
  const float top = static_cast<float>(maxSpeed);
  speed = std::clamp(speed, -top, top);
  // It stops short of a bound rather than being put onto it.
  if (connector.x + speed > static_cast<float>(MaxX) || connector.x + speed < static_cast<float>(MinX)) speed = 0.0f;
  claw.Move(speed, 0.0f);
  if (claw.Ray) claw.Ray->Update(dt);
}

void TPlayer::Swap() {
  if (!Mouse || !Mouse->Bt2Hit || !box) return;
  if (box->class_ == CurrentBlockClass) {
    box->class_ = NextBlockClass;
    ShowClass(*Handle, CurrentBlockClass);
  } else if (box->class_ == NextBlockClass) {
    box->class_ = CurrentBlockClass;
    ShowClass(*Handle, NextBlockClass);
  }
  if (box->Group) box->Group->class_ = box->class_;
}

void TPlayer::Hold() {
  if (!box || !box->Center || !box->UpLeft || !box->UpRight) return;
  const TPhysEngine_Particle& left = *Handle->LeftClaw;
  const TPhysEngine_Particle& right = *Handle->RightClaw;
  box->Center->Position(static_cast<float>(static_cast<int>((left.x + right.x) / 2.0f)),
                        static_cast<float>(static_cast<int>((left.y + right.y) / 2.0f) + 80));
  box->UpLeft->Position(left.x + 13.0f, left.y + 60.0f);
  box->UpRight->Position(right.x - 13.0f, right.y + 60.0f);
  box->UpLeft->mass = 0.1f;
  box->Center->mass = 4.0f;
  box->UpRight->mass = 0.1f;
}

void TPlayer::SideFeed() {
  const int r = Rand(1, 90);
  if (!GameState || GameState->Paused) return;
  const int wait = GameState->GenTime;
  if (!Generate && r == 1 && Past(GameTime, LastGenTime, wait)) {
    Generate = 1;
    GenerateTime = GameTime;
    TChainLights::Go();
  }
  if (Generate && Past(GameTime, GenerateTime, wait)) {
    Generate = 0;
    LastGenTime = GameTime;
    FeedBox();
  }
}

void TPlayer::FeedBox() {
  const int type = GameType();
  int c = Rand(1, 5);
  if (type == 200) c = Rand(1, 7);
  if (type == 20) c = Rand(1, 6);
  int bonus = 0;
  if (Rand(1, 2) == 1 && GameState->parazite) c = TBlock::PARAZITE;
  const int stage = GameState->Stage;
  if (stage == 34 || stage == 35) {
    if (Rand(1, 7) == 1) {
      c = TBlock::BONUS;
      bonus = TBlock::EXPLOSION;
    }
    if (GameState->Level == 67 && Rand(1, 6) == 1) {
      c = TBlock::BONUS;
      bonus = TBlock::EXPLOSION;
    }
  }

  const Ref<TBlock> b = TBlock::Create(650.0f, 20.0f, 0.0f, 0.0f);
  if (!b->Group) {
    b->Del();
    BlockList.Remove(b);
    return;
  }
  b->class_ = c;
  b->bonus_class = bonus;
  b->Group->class_ = c;
  b->Group->Reset();
  b->Group->Released = 1;
  b->Move(0.0f, static_cast<float>(Rand(1, 2)));
  b->Group->Scale(kBoxScale);
  b->Released = 1;
  b->ReleaseTime = GameTime;

  // The pusher shoves the new box into the field.
  ArmPushers();
}

}  // namespace kelp
