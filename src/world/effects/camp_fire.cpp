#include "world/effects/camp_fire.h"

#include "framework/core/numeric.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/light.h"
#include "world/resource_bindings.h"
#include "world/village_state.h"

namespace kelp {

namespace {

float Zoom() { return VillageState ? VillageState->Closing_scale : 1.0f; }

Ref<TEmitter> FireEmitter(int x, int y, const Ref<TEffect>& effect) {
  Ref<TEmitter> e = TEmitter::Create(static_cast<float>(x), static_cast<float>(y), effect, 0);
  e->DrawUnder = 1;
  e->Pause = 1;
  return e;
}

void SetPaused(const Ref<TEmitter>& e, int pause) {
  if (e && e->Pause != pause) e->Pause = pause;
}

}  // namespace

Ref<TCampFire> TCampFire::Create() {
  Ref<TCampFire> f = New<TCampFire>();
  f->Over = 1;
  const Ref<TResManager>& res = ResManager;
  if (CurrentVillage == 1) {
    f->x = 470.0f;
    f->y = 390.0f;
    if (res) {
      f->Image = res->GetImage("IMAGE_FIRE_PLACE");
      f->Image2 = res->GetImage("IMAGE_FIRE_PLACE2");
    }
  } else if (CurrentVillage == 2) {
    f->x = 509.0f;
    f->y = 373.0f;
    if (res) {
      f->Image = res->GetImage("IMAGE_SNOW_FIRE_PLACE");
      f->Image3 = res->GetImage("IMAGE_SNOW_FIRE_PLACE2");
    }
  }
  const int X = Int(f->x), Y = Int(f->y);
  f->Smoke = FireEmitter(X, Y - 60, EffectFireSmoke);
  f->Smoke2 = FireEmitter(X, Y - 14, EffectFireSmoke2);
  f->Sparks = FireEmitter(X, Y - 40, EffectFireSparks);
  f->Sparks2 = FireEmitter(X, Y - 5, EffectFireSparks2);
  f->Body = FireEmitter(X, Y - 18, EffectFireBody);
  f->Body2 = FireEmitter(X, Y - 12, EffectFireBody2);
  if (VillageState)
    for (const Ref<TEmitter>& e : {f->Body, f->Body2, f->Smoke, f->Smoke2, f->Sparks, f->Sparks2})
      VillageState->AddEmitter(e);
  f->Light = New<TLight>();
  f->Light->Init2(X, Y, CreateColor(252, 246, 228), 3.0f, 1);
  f->Light->Speed = 0.01f;
  f->Ambient = New<TLight>();
  f->Ambient->Init2(X, Y, CreateColor(253, 249, 237), 5.0f, 0);
  f->Ambient->Speed = 0.02f;
  return f;
}

void TCampFire::Update(float dt) {
  if (Image3) {
    if (alpha_state == 0) {
      alpha += 0.006f * dt;
      if (alpha >= 1.0f) alpha_state = 1;
    } else {
      alpha -= 0.006f * dt;
      if (alpha <= 0.0f) alpha_state = 0;
    }
  }
  const int burning = state == BURNING ? 0 : 1;  // the pause flag of flames, smoke and sparks
  SetPaused(Body, burning);
  SetPaused(Body2, burning);
  SetPaused(Smoke, burning);
  SetPaused(Sparks, burning);
  SetPaused(Sparks2, burning);
  SetPaused(Smoke2, state == SMOULDERING ? 0 : 1);
  if (Death) {
    for (const Ref<TEmitter>& e : {Body, Body2, Smoke, Smoke2, Sparks, Sparks2})
      if (e) e->Death = 1;
    Image = nullptr;
    Image2 = nullptr;
    Light = nullptr;
    Ambient = nullptr;
    return;
  }
  if (Light) Light->Update(dt);
  if (Ambient) Ambient->Update(dt);
}

void TCampFire::Draw() {
  PushGraphicsState();
  const float z = Zoom();
  platform::SetScale(z, z);
  if (CurrentVillage == 1) {
    if (Image2) platform::DrawImage(Image2, (x + 3.0f) * z, (y + 2.0f) * z);
    if (state == BURNING) ApplyColor(ColorWhite);
    if (Image) platform::DrawImage(Image, x * z, y * z);
    if (state == BURNING && Light) Light->Draw(0.2f);
  } else {
    if (VillageState) ApplyColor(VillageState->VillageColor);
    if (Image) platform::DrawImage(Image, (x - 5.0f) * z, (y - 10.0f) * z);
  }
  if (Image3) {
    platform::SetColor(200, 100, 100);
    platform::SetBlend(platform::LIGHTBLEND);
    platform::SetAlpha(alpha);
    platform::DrawImage(Image3, (x + 4.0f) * z, (y - 7.0f) * z);
    platform::SetBlend(platform::ALPHABLEND);
    platform::SetAlpha(1.0f);
  }
  PopGraphicsState();
}

void TCampFire::DrawLight() {
  PushGraphicsState();
  if (state == BURNING) ApplyColor(ColorWhite);
  const float z = Zoom();
  platform::SetScale(z, z);
  if (state == BURNING && Ambient) Ambient->Draw(0.2f);
  PopGraphicsState();
}

}  // namespace kelp
