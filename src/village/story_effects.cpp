// The gate, the skip sign and the hurry sign of the village story.
#include "village/story_effects.h"

#include "framework/core/frame_clock.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/impulse.h"
#include "framework/media/resources.h"
#include "framework/ui/mouse.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "village/panel.h"
#include "village/village.h"
#include "village/villager.h"
#include "world/effects/screen_shake.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

platform::ImageRef Img(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

void Debris(float x, float y) {
  TScreenShake::CreateScreenShake(5, 0.5f);
  VillageEmitter(x, y + 20.0f, EffectUpgradeBricks);
  VillageEmitter(x, y + 20.0f, EffectUpgradeBuild);
}

}  // namespace

// ---- gate ----

Ref<TGate> TGate::Create() { return New<TGate>(); }

void TGate::Update(int) {
  if (!VillageScreen) return;
  if (!VillageScreen->new_scroll && state == NEW) {
    Debris(x, y);
    Close();
  }
  if (state == OPEN && GameTime > UpdTime + StayTime) Close();
}

void TGate::Open() {
  UpdTime = GameTime;
  state = OPEN;
  Image = Img("IMAGE_SNOW_GATE_OPENED");
}

void TGate::Close() {
  state = CLOSED;
  Image = Img("IMAGE_SNOW_GATE_CLOSED");
}

void TGate::Broke() {
  Broken();
  Debris(x, y);
}

void TGate::Broken() {
  state = BROKEN;
  x = 300.0f;
  y = 140.0f;
  Image = Img("IMAGE_SNOW_GATE_BROKEN");
}

void TGate::Draw() {
  if (!Image) return;
  const float z = VillageScreen ? VillageScreen->Closing_scale : 1.0f;
  platform::DrawImage(Image, x * z, y * z);
}

// ---- skip sign ----

Ref<TSkipMove> TSkipMove::Create() {
  Ref<TSkipMove> s = New<TSkipMove>();
  s->Image = Img("IMAGE_SKIP");
  VisualsList.AddLast(s);
  return s;
}

void TSkipMove::Update(float dt) {
  if (state == 0) {
    scale += 0.003f * dt;
    if (scale >= 0.05f) state = 1;
  } else {
    scale -= 0.003f * dt;
    if (scale <= -0.05f) state = 0;
  }
  bool walking = false;
  for (const Ref<TVillageCreature>& c : VillageCreatures)
    if (c->ConstantMove[0] && c->Moving) walking = true;
  if (!walking) {
    Death = 1;
    return;
  }
  if (Mouse && Mouse->Bt1Hit) {
    TVillageCreature::SkipMove();
    Death = 1;
  }
}

void TSkipMove::Draw() {
  if (!Image) return;
  platform::SetOrigin(0.0f, 0.0f);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::SetScale(1.0f + scale, 1.0f + scale);
  platform::DrawImage(Image, static_cast<float>(VirtualCenterX), 550.0f);
  platform::SetScale(1.0f, 1.0f);
}

// ---- hurry sign ----

Ref<THurry> THurry::Create() {
  Ref<THurry> h = New<THurry>();
  h->Init();
  h->Over = 1;
  VisualsList.AddLast(h);
  return h;
}

void THurry::Init() {
  Image = Img("IMAGE_HURRY");
  scale = 0.0f;
  scale_speed = 0.04f;
  Impulse = TImpulse::CreateImpulse(0.05f, 0.3f, 0.2f, 0);
  if (Impulse) ReleaseFromVisuals(Impulse);
  if (VillageScreen) {
    if (VillageScreen->Panel) VillageScreen->Panel->StartHiding();
    VillageScreen->UserInputEnable = 0;
    VillageScreen->ParaziteModeTime = GameTime;
  }
}

void THurry::Update(float dt) {
  TVillageMode* v = VillageScreen.get();
  switch (state) {
    case 0:
      scale += scale_speed * dt;
      if (scale > 1.0f) {
        scale = 1.0f;
        if (Impulse) Impulse->started = 1;
        state = 1;
      }
      break;
    case 1:
      if (Impulse) Impulse->Update(dt);
      scale = 1.0f + (Impulse ? Impulse->impulse_strength : 0.0f);
      if (!Impulse || Impulse->Death) {
        scale = 1.0f;
        state = 2;
      }
      break;
    case 2:
      if ((v && v->ParaziteMode && GameTime - v->ParaziteModeTime > 10000) ||
          (Mouse && (Mouse->Bt1Hit || Mouse->Bt2Hit)))
        state = 3;
      break;
    case 3:
      scale -= scale_speed * dt;
      if (scale < 0.0f) {
        scale = 0.0f;
        state = 4;
      }
      break;
    default:
      Death = 1;
      if (!v) break;
      v->UserInputEnable = 1;
      v->ParaziteModeTime = GameTime;
      v->Hurry = 0;
      if (v->Panel) {
        v->Panel->SetHided(0);
        v->Panel->StartShow();
        for (const Ref<TButtonWidget>& b : {v->Panel->Button_BUILD, v->Panel->Button_PLAY, v->Panel->Button_TROPHY})
          if (b) b->locked = 1;
        if (v->Panel->Button_BUILD) v->Panel->Button_BUILD->blink = 0;
      }
      break;
  }
}

void THurry::Draw() {
  if (!Image) return;
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetScale(scale, scale);
  platform::DrawImage(Image, 400.0f, 300.0f);
  platform::SetScale(1.0f, 1.0f);
}

}  // namespace kelp
