#include "world/effects/ray.h"

#include <vector>

#include "framework/core/color.h"
#include "framework/core/geometry.h"
#include "framework/core/numeric.h"
#include "framework/media/anim_image.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/sound.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/effects/electro.h"
#include "world/effects/flash.h"
#include "world/light.h"
#include "world/effects/screen_shake.h"
#include "world/game_interface.h"
#include "world/player_state.h"
#include "world/block.h"
#include "world/handle.h"
#include "world/obstacle.h"
#include "world/resource_bindings.h"
#include "world/trolley.h"
#include "world/world.h"

namespace kelp {

namespace {

constexpr int kContactMs = 500;
constexpr int kSparkMs = 200;
constexpr int kHoldMs = 800;
constexpr float kNoTarget = 10000;

THandle* Claw() { return PlayerState && PlayerState->Handle ? PlayerState->Handle.get() : nullptr; }

// The claw's connector particle: where the beam starts.
bool Connector(float& x, float& y) {
  THandle* h = Claw();
  if (!h || !h->Connector) return false;
  x = h->Connector->x;
  y = h->Connector->y;
  return true;
}

void AddEmitter(float x, float y, const Ref<TEffect>& effect, int under) {
  if (GameInterface) GameInterface->AddEmitter(TEmitter::Create(x, y, effect, under));
}

void Flash(float x, float y, float alpha) { TFlash::CreateFlash(Int(x), Int(y), 3.0f, alpha, ColorCream, 3.0f, 0); }

// A contact stamp; 0 means no contact, so a clock standing at 0 stamps 1.
int Stamp(int now) { return now != 0 ? now : 1; }

template <class T>
std::vector<Ref<T>> All(const ObjectList<T>& list) {
  std::vector<Ref<T>> out;
  for (const auto& v : list) out.push_back(v);
  return out;
}

void DropArc(Ref<TElectro>& arc) {
  if (!arc) return;
  arc->Vertices.Clear();
  ElectroList.Remove(arc);
  arc = nullptr;
}

}  // namespace

// --------------------------------------------------------------- the glow

Ref<TRayLight> TRayLight::Create(int lightClass) {
  auto l = New<TRayLight>();
  l->MaxScale = 2;
  l->Scale = 0;
  l->CurrentScale = 0;
  l->class_ = lightClass;
  return l;
}

void TRayLight::Update(float dt) {
  const int now = LevelClock();
  if (class_ == 0) {
    if (state == GROWING) {
      Scale += dt * ScaleSpeed;
      if (Scale > MaxScale) {
        Scale = MaxScale;
        state = HOLDING;
        UpdTime = now;
      }
    } else if (state == HOLDING) {
      if (now >= static_cast<double>(UpdTime) + kHoldMs) state = READY;
    } else if (state == SHRINKING) {
      Scale -= dt * ScaleSpeed;
      if (Scale < 0) {
        Scale = 0;
        state = OFF;
      }
    }
  } else {
    if (state == OFF) {
      Scale = CurrentScale = 0;
    } else if (state == GROWING) {
      Scale += dt * ScaleSpeed * 2;
      if (Scale > MaxScale) {
        Scale = MaxScale;
        state = HOLDING;
        UpdTime = now;
      }
    }
  }
  CurrentScale += PulseState == 1 ? dt * Speed : -dt * Speed;
  if (CurrentScale < 0.9f * Scale) PulseState = 1;
  if (CurrentScale > 1.1f * Scale) PulseState = 0;
}

void TRayLight::Draw() {
  if (state == OFF) return;
  using namespace platform;
  PushGraphicsState();
  SetBlend(LIGHTBLEND);
  SetAlpha(0.5f);
  SetScale(CurrentScale, CurrentScale);
  SetColor(160, 160, 255);
  DrawImage(ImageLight, x, y);
  SetAlpha(0.7f);
  SetScale(CurrentScale / 2, CurrentScale / 2);
  SetColor(220, 220, 255);
  DrawImage(ImageLight, x, y);
  PopGraphicsState();
}

// ---------------------------------------------------------------- the ray

Ref<TRay> TRay::Create() {
  auto ray = New<TRay>();
  float cx = 0, cy = 0;
  Connector(cx, cy);
  ray->Image = TAnimImage::Load2("IMAGE_LAZER", -1);
  ray->Electro = TElectro::Create(static_cast<float>(Int(cx)), static_cast<float>(Int(cy + 100)),
                                  static_cast<float>(Int(cx)), 650, 20);
  ray->Electro->radius = 8;
  ray->Electro->width = 4;
  ray->Electro->ray = 1;
  ray->Electro->hide();
  ray->Drawable = 0;
  ray->RayLifeTime = 30000;
  ray->Light = TRayLight::Create(0);
  ray->Light2 = TRayLight::Create(1);

  THandle* h = Claw();
  if (h) {
    if (h->LeftElectro) h->LeftElectro->hide();
    if (h->RightElectro) h->RightElectro->hide();
  }
  if (PlayerState && PlayerState->box) {
    const Ref<TBlock> box = PlayerState->box;
    PlayerState->ReleasedCreatures += 1;
    box->Del();
    if (box->Light) {
      box->Light->Remove();
      box->Light = nullptr;
    }
    PlayerState->respawned = 0;
    BlockList.Remove(box);
    if (CurrentTrolley) CurrentTrolley->Blocks.Remove(box);
    PlayerState->box = nullptr;
  }
  return ray;
}

void TRay::ClearContacts() {
  for (const auto& box : BlockList) {
    box->RayApply = 0;
    box->RayTime = 0;
  }
  for (const auto& o : Obstacles)
    for (const auto& s : o->Statics) {
      s->RayApply = 0;
      s->RayTime = 0;
    }
}

bool TRay::Burn(int& contact, float x, float y, int now) {
  if (contact == 0) {
    contact = Stamp(now);
    Light2->Scale = Light2->CurrentScale = 0;
    Light2->state = TRayLight::GROWING;
  }
  if (Light2->state == TRayLight::OFF) Light2->state = TRayLight::GROWING;
  Light2->x = x;
  Light2->y = y;
  if (now >= static_cast<double>(UpdTime) + kSparkMs) {
    UpdTime = now;
    AddEmitter(x, y, EffectSparking3, 0);
    Flash(x, y, 0.3f);
  }
  if (now < static_cast<double>(contact) + kContactMs) return false;
  Light2->state = TRayLight::OFF;
  Flash(x, y, 0.4f);
  AddEmitter(x, y, EffectSparking4, 0);
  contact = 0;
  return true;
}

void TRay::Update(float dt) {
  float cx = 0, cy = 0;
  Connector(cx, cy);
  const int now = LevelClock();

  if (Effect) {
    if (Effect->Magnet) {
      (*Effect->Magnet)[1] = cx;
      (*Effect->Magnet)[2] = cy + 50;
    }
    if (Effect->Death) Effect = nullptr;
  }
  if (!Light || !Light2) return;  // removed
  Light->Update(dt);
  Light2->Update(dt);
  Light->x = cx;
  Light->y = cy + 105;

  if (state == IDLE) {
    // Segments too: a contact cut short must not burn at once next time.
    ClearContacts();
    Light2->state = TRayLight::OFF;
    StopSoundEffect("SOUND_RAY_START");
    StopSoundEffect("SOUND_RAY");
    if (Electro) Electro->hide();
    if (Light->state == TRayLight::READY) Light->state = TRayLight::SHRINKING;
    return;
  }
  if (state == CHARGING) {
    if (Light->state == TRayLight::OFF) {
      Light->state = TRayLight::GROWING;
      PlaySoundEffect("SOUND_RAY_START", 0, 0);
    }
    if (Light->state == TRayLight::READY) {
      state = FIRING;
      RayUpdTime = now;
      TScreenShake::CreateScreenShake(4, 0.5f);
      AddEmitter(cx, cy + 110, EffectSparking2, 0);
      Flash(cx, cy + 110, 0.3f);
    }
    return;
  }
  if (state != FIRING) return;

  PlaySoundEffect("SOUND_RAY", 0, 0);
  RayTime += now - RayUpdTime;
  RayUpdTime = now;
  if (RayTime > RayLifeTime) {
    Remove();
    // Letting go may free this ray: nothing of it is touched afterwards.
    if (THandle* h = Claw(); h && h->Ray.get() == this) h->Ray = nullptr;
    return;
  }

  if (Electro) {
    Electro->unhide();
    Electro->Position(static_cast<float>(Int(cx)), static_cast<float>(Int(cy + 110)), static_cast<float>(Int(cx)), 650);
  }

  // The topmost box under the beam.
  Ref<TBlock> target;
  float targetY = kNoTarget;
  for (const auto& box : BlockList) {
    if (box->hided || !box->Center) continue;
    const TPhysEngine_Particle& c = *box->Center;
    const int left = Int(c.x - c.radius - 10), right = Int(c.x + c.radius + 10);
    if (static_cast<float>(left) < cx && cx < static_cast<float>(right) && c.y < targetY) {
      target = box;
      targetY = c.y;
    }
  }
  for (const auto& box : BlockList)
    if (box != target) {
      box->RayApply = 0;
      box->RayTime = 0;
    }

  bool segmentHit = false;
  if (Ref<TPhysEngine_Static> hit = TObstacle::RayHit(target ? targetY : kNoTarget)) {
    segmentHit = true;
    // A shielded box starts again when the beam reaches it.
    if (target) {
      target->RayApply = 0;
      target->RayTime = 0;
    }
    for (const auto& o : All(Obstacles)) {
      for (const auto& s : All(o->Statics)) {
        if (s != hit) {
          s->RayApply = 0;
          s->RayTime = 0;
          continue;
        }
        Ref<TVector> p =
            IntersectSegments(TVector(cx, 0), TVector(cx, 600), TVector(s->x1, s->y1), TVector(s->x2, s->y2));
        const float px = p ? p->x : cx, py = p ? p->y : (s->y1 + s->y2) / 2;
        s->RayApply = 1;
        if (!Burn(s->RayTime, px, py, now)) continue;
        s->RayApply = 0;
        o->hp -= 2;
        if (o->Anim && o->Image && o->hp < o->max_hp * 2 / 3) o->Image->hided = 1;
        AddEmitter(px, py, EffectBrick2, 1);
        if (o->hp <= 0) o->Remove();
      }
    }
    Light2->state = TRayLight::OFF;
  }

  if (!segmentHit && target) {
    target->RayApply = 1;
    if (Burn(target->RayTime, target->Center->x, target->Center->y, now)) {
      target->RayApply = 0;
      target->TakeTicket();
      TBlock::Remove(target);
    }
  } else if (!segmentHit) {
    Light2->state = TRayLight::OFF;
  }
}

// ---------------------------------------------------------------- drawing

void TRay::Draw() {
  float cx = 0, cy = 0;
  Connector(cx, cy);
  if (Image) {
    if (Light && Light->state != TRayLight::OFF)
      Image->Draw(cx, cy + 76);
    else
      platform::DrawImage(Image->Image, cx, cy + 76, 0);
  }
  if (Light) Light->Draw();
  if (Light2) Light2->Draw();
  DrawOver();
}

void TRay::DrawOver() {
  float cx = 0, cy = 0;
  Connector(cx, cy);
  using namespace platform;
  const float f = RayLifeTime > 0 ? 1.0f - static_cast<float>(RayTime) / static_cast<float>(RayLifeTime) : 0.0f;
  const float x = cx - 31, y = cy + 45;
  ApplyColor(ColorDark);
  SetAlpha(0.4f);
  DrawRect(x + 2, y + 2, 60, 6);
  SetColor(20, 20, 20);
  SetAlpha(1);
  DrawRect(x, y, 60, 6);
  if (f > 0) {
    if (f > 0.6f)
      SetColor(20, 150, 20);
    else if (f > 0.3f)
      SetColor(222, 201, 24);
    else
      SetColor(182, 19, 34);
    DrawRect(x, y, f * 60, 6);
  }
  ApplyColor(ColorWhite);
}

void TRay::Remove() {
  StopSoundEffect("SOUND_RAY_START");
  StopSoundEffect("SOUND_RAY");
  PlaySoundEffect("SOUND_RAY_END", 0, 0);
  Death = 1;
  Image = nullptr;
  Light = nullptr;
  Light2 = nullptr;
  // Only the ray's arc and the claw's old ones go: the links between boxes
  // keep theirs.
  DropArc(Electro);
  THandle* h = Claw();
  if (!h) return;
  DropArc(h->LeftElectro);
  DropArc(h->RightElectro);
  if (h->LeftClaw) {
    const TPhysEngine_Particle& l = *h->LeftClaw;
    h->LeftElectro = TElectro::Create(static_cast<float>(Int(l.x)), static_cast<float>(Int(l.y)),
                                      static_cast<float>(Int(l.x)), static_cast<float>(Int(l.y + 100)), 4);
  }
  if (h->RightClaw) {
    const TPhysEngine_Particle& r = *h->RightClaw;
    h->RightElectro = TElectro::Create(static_cast<float>(Int(r.x)), static_cast<float>(Int(r.y)),
                                       static_cast<float>(Int(r.x)), static_cast<float>(Int(r.y + 100)), 4);
  }
}

}  // namespace kelp
