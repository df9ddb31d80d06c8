// The opening of the desert portal: the third stone is set, arcs and light
// grow inside the portal, the screen shakes ever harder, a flash and a fade
// to black, and the portal is found broken; dialog 1032 follows.
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "play/effects_widget.h"
#include "village/story_effects.h"
#include "village/story_links.h"
#include "village/village.h"
#include "village/villager.h"
#include "world/effects/electro.h"
#include "world/effects/fade2.h"
#include "world/effects/flash.h"
#include "world/effects/geyser.h"
#include "world/effects/rings.h"
#include "world/effects/screen_shake.h"
#include "world/light.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

Ref<TLight> PortalLight(float x, float y, float scale) {
  Ref<TLight> l = New<TLight>();
  l->Init2(Int(x), Int(y), CreateColor(255, 255, 255), scale, 1);
  l->Speed = 0.05f;
  return l;
}

Ref<TElectro> Arc(float x1, float y1, float x2, float y2, int n) {
  Ref<TElectro> e = TElectro::Create(x1, y1, x2, y2, n);
  e->hide();
  return e;
}

}  // namespace

Ref<TPortalEffect> TPortalEffect::Create() {
  FadeOutMusic();
  Ref<TPortalEffect> p = New<TPortalEffect>();
  p->Resize(0, 0, VirtualWidth, VirtualHeight);
  p->Clip = 0;
  p->MouseSensetive = 0;
  p->Stones = ResManager ? ResManager->GetImage("IMAGE_PORTAL_STONE_03") : nullptr;
  p->dx = VillageScreen ? Int(VillageScreen->Scroll_x - 59.0f) : 0;
  p->Fade2 = TFade2::Create(0.0f, 0.008f, 1.0f);
  p->Fade2->pause = 1;
  p->StartTime = GameTime;
  if (WidgetManager) WidgetManager->AddWidget(p);
  return p;
}

int TPortalEffect::AddedToManager() {
  Effects = TEffectsWidget::Create();
  return 0;
}

int TPortalEffect::RemovedFromManager() {
  if (Effects && WidgetManager) WidgetManager->RemoveWidget(Effects);
  Effects = nullptr;
  return 0;
}

int TPortalEffect::Update(float dt) {
  TVillageMode* v = VillageScreen.get();
  const float X = static_cast<float>(dx);
  if (Ambient) Ambient->Update(dt);
  for (const Ref<TElectro>& e : Electro)
    if (e) e->PortalUpdate();
  for (const Ref<TElectro>& e : Electro2)
    if (e) e->PortalUpdate();
  Alpha += PulseState ? 0.02f * dt : -0.02f * dt;
  if (Alpha <= 0.0f) PulseState = 1;
  if (Alpha >= 1.0f) PulseState = 0;
  if (Fade2) Fade2->Update(dt);
  const auto emitter = [this](float x, float y, const Ref<TEffect>& fx) -> Ref<TEmitter> {
    if (!fx) return nullptr;
    Ref<TEmitter> e = TEmitter::Create(x, y, fx, 0);
    if (Effects) Effects->AddEmitter(e);
    return e;
  };
  switch (state) {
    case 0:
      if (v) v->Portal_state = 3;
      PlaySoundEffect("SOUND_PORTAL", 0.0f, 0);
      Alpha = 0.0f;
      if (GameTime > StartTime + 1000) state = 1;
      break;
    case 1:
      if (GameTime > StartTime + 4000) state = 2;
      break;
    case 2:
      Em1 = emitter(X + 620, 550, EffectPortal02);
      if (ScreenFade) ScreenFade->Init(0.0f, 0.004f, 0.5f);
      Ambient = PortalLight(X + 620, 510, 7.0f);
      state = 3;
      break;
    case 3:
      if (!ScreenFade || ScreenFade->alpha >= 0.5f) {
        Electro[0] = Arc(X + 590, 460, X + 610, 530, 6);
        Electro[1] = Arc(X + 682, 507, X + 610, 530, 6);
        Electro[2] = Arc(X + 605, 550, X + 610, 530, 3);
        Em2 = emitter(X + 620, 510, EffectPortal01);
        if (Em2) Em2->GenSpeed = 10.0f;
        BirthTime = GameTime;
        state = 4;
      }
      break;
    case 4:
      if (GameTime > BirthTime + 3000) {
        BirthTime = GameTime;
        Shake = 1.0f;
        Electro2[0] = Arc(X + 590, 460, X + 590, -10, 30);
        Electro2[1] = Arc(X + 685, 510, X + 685, -10, 30);
        Electro2[2] = Arc(X + 605, 550, X + 605, -10, 30);
        state = 5;
      }
      break;
    case 5:
    case 6:
      if (Shake < 7.0f) Shake += 0.015f * dt;
      if (GameTime > ShakeTime + 200) {
        ShakeTime = GameTime;
        TScreenShake::CreateScreenShake(Int(Shake), 0.5f);
      }
      if (state == 5) {
        if (!Flash && GameTime > BirthTime + 6400) Flash = PortalLight(X + 620, 510, 4.5f);
        if (GameTime > BirthTime + 7000) {
          if (Fade2) Fade2->Init(0.0f, 0.025f, 1.0f);
          if (Em1) Em1->Pause = 1;
          if (Em2) Em2->Pause = 1;
          state = 6;
        }
      } else if (!Fade2 || Fade2->alpha >= 1.0f) {
        state = 7;
      }
      break;
    case 7:
      Ambient = Flash = nullptr;
      if (Em1) Em1->GenerationStop = 1;
      if (Em2) Em2->GenerationStop = 1;
      for (Ref<TElectro>& e : Electro) e = nullptr;
      for (Ref<TElectro>& e : Electro2) e = nullptr;
      TElectro::Clear();
      if (v) {
        v->Portal_state = 4;
        v->Portal_Smoke = EffectPortalSmoke ? TEmitter::Create(565, 540, EffectPortalSmoke, 0) : nullptr;
        if (v->Portal_Smoke) v->AddEmitter(v->Portal_Smoke);
      }
      Stones = nullptr;
      BirthTime = GameTime;
      state = 8;
      break;
    case 8:
      if (GameTime > BirthTime + 3000) {
        if (Fade2) Fade2->Init(1.0f, -0.003f, 1.0f);
        if (ScreenFade) ScreenFade->Init(0.5f, -0.003f, 1.0f);
        state = 9;
      }
      break;
    case 9:
      if (!Fade2 || Fade2->alpha <= 0.0f) {
        if (VillageStory.OpenDialog) VillageStory.OpenDialog(1032, 0, 0);
        PlayMusic("MUSIC_VILLAGE", 1);
        state = 10;
        if (WidgetManager) WidgetManager->RemoveWidget(this);
      }
      break;
    default:
      break;
  }
  return 0;
}

int TPortalEffect::Draw() {
  PushGraphicsState();
  if (Ambient) Ambient->Draw(0.5f);
  platform::SetBlend(platform::LIGHTBLEND);
  for (const Ref<TElectro>& e : Electro)
    if (e) e->PortalDraw();
  for (const Ref<TElectro>& e : Electro2)
    if (e) e->Draw();
  platform::SetAlpha(Alpha);
  platform::SetColor(255, 255, 255);
  if (Stones) platform::DrawImage(Stones, static_cast<float>(dx) + 576.0f, 450.0f);
  if (Flash) {
    platform::SetColor(100, 100, 255);
    Flash->Draw(0.6f);
  }
  PopGraphicsState();
  if (Fade2) Fade2->Draw();
  return 0;
}

// ---- the earthquake ----

Ref<TQuakeEffect> TQuakeEffect::Create() {
  FadeOutMusic();
  Ref<TQuakeEffect> q = New<TQuakeEffect>();
  q->StartTime = GameTime;
  q->Fade2 = TFade2::Create(0.0f, 0.0f, 0.0f);
  VisualsList.AddLast(q);
  return q;
}

void TQuakeEffect::Update(float dt) {
  TVillageMode* v = VillageScreen.get();
  if (Fade2) Fade2->Update(dt);
  const auto shaking = [this](int amount) {
    if (GameTime > ShakeTime + 200) {
      ShakeTime = GameTime;
      TScreenShake::CreateScreenShake(amount, 0.5f);
    }
  };
  const auto geysers = [v] {
    if (!v) return;
    if (v->Geysir1) v->Geysir1->GenTime = 0;
    if (v->Geysir2) v->Geysir2->GenTime = 0;
  };
  const auto dialog = [](int id, int delay) {
    if (VillageStory.OpenDialog) VillageStory.OpenDialog(id, delay, 0);
  };
  switch (state) {
    case 0:
      if (GameTime > StartTime + 2000) {
        if (v) v->ScrollTo(-120.0f, 0.3f);
        state = 1;
      }
      break;
    case 1:
      if (Fade2) Fade2->Init(0.0f, 0.004f, 0.4f);
      state = 2;
      break;
    case 2:
      // Waits for the cover's maximum itself (an exact 0.4 in float never comes).
      if (!Fade2 || Fade2->alpha >= Fade2->max_alpha) {
        BirthTime = GameTime;
        state = 3;
      }
      break;
    case 3:
      shaking(2);
      geysers();
      if (GameTime > BirthTime + 3000) {
        dialog(2024, 0);
        state = 4;
      }
      break;
    case 4:
      shaking(2);
      BirthTime = GameTime;
      geysers();
      break;
    case 5:
      shaking(2);
      geysers();
      if (GameTime > BirthTime + 2000) {
        if (v && v->Gate) v->Gate->Broke();
        state = 6;
      }
      break;
    case 6:
      if (Fade2) Fade2->Init(0.4f, -0.003f, 1.0f);
      BirthTime = GameTime;
      if (v) v->ScrollTo(100.0f, 0.5f);
      state = 7;
      break;
    case 7:
      if (GameTime < BirthTime + 2000) shaking(1);
      if (GameTime > BirthTime + 3000) {
        dialog(2025, 0);
        state = 8;
      }
      break;
    case 9: {
      const struct {
        int colour, id;
        const char* name;
        float x, y, flash;
      } who[3] = {{12, 6000, "Brownie", 285, 355, 1.0f}, {13, 7000, "Elite1", 250, 350, 2.0f},
                  {13, 8000, "Elite2", 320, 350, 2.0f}};
      for (const auto& w : who) {
        const Ref<TVillageCreature> c = TVillageCreature::CreateRandom(w.colour, w.name);
        if (!c) continue;
        c->ID = w.id;
        c->Brainless = 1;
        c->angle = 90.0f;
        c->Turn(90.0f);
        c->x = w.x;
        c->y = w.y;
        TFlash::CreateFlash(Int(w.x), Int(w.y), w.flash, 0.7f, ColorWhite, 1.0f, 0);
        TStaticRing::Create(w.x, w.y, 0.01f, 0.01f);
      }
      TScreenShake::CreateScreenShake(3, 0.5f);
      dialog(2027, 5000);
      PlayMusic("MUSIC_VILLAGE", 1);
      state = 10;
      break;
    }
    case 11: {
      const Ref<TVillageCreature> a = TVillageCreature::SearchByID(6000), b = TVillageCreature::SearchByID(7000),
                                  c = TVillageCreature::SearchByID(8000);
      if (a && b && c) {
        for (const Ref<TVillageCreature>& w : {a, b, c}) {
          TFlash::CreateFlash(Int(w->x), Int(w->y), w == a ? 1.0f : 2.0f, 0.7f, ColorWhite, 1.0f, 0);
          TStaticRing::Create(w->x, w->y, 0.01f, 0.01f);
          w->Remove();
        }
        TScreenShake::CreateScreenShake(3, 0.5f);
      }
      // The story goes on even when the three are gone (a restored save).
      dialog(2028, 2000);
      state = 12;
      break;
    }
    case 12:
      Death = 1;
      break;
    default:
      break;
  }
}

void TQuakeEffect::Draw() {
  if (Fade2) Fade2->Draw();
}

}  // namespace kelp
