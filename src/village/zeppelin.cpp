#include "village/zeppelin.h"

#include <cmath>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/files/language.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "village/nodes.h"
#include "village/panel.h"
#include "village/snapshot.h"
#include "village/story_links.h"
#include "village/upgrade.h"
#include "village/upgrade_dialog.h"
#include "village/village.h"
#include "village/villager.h"
#include "world/effects/camp_fire.h"
#include "world/effects/clouds.h"
#include "world/player_state.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

constexpr float kPi = 3.14159265f;

platform::ImageRef Img(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

void CloudPairs(int n, int lo, int hi) {
  for (int i = 0; i < n; ++i) {
    TCloud::Create(static_cast<float>(Rand(lo, hi)), 0.0f, 0, 1);
    TCloud::Create(static_cast<float>(Rand(lo, hi)), 0.0f, 1, 1);
  }
}

}  // namespace

Ref<TZeppelin> TZeppelin::Create() {
  Ref<TZeppelin> z = New<TZeppelin>();
  z->shadow_color = CreateColor(ColorDark ? ColorDark->r : 0, ColorDark ? ColorDark->g : 0,
                                ColorDark ? ColorDark->b : 0);
  z->Image = Img("IMAGE_ZEPPELIN_01");
  z->Shadow = Img("IMAGE_ZEPPELIN_SHADOW");
  z->currentx = z->startx;
  z->currenty = z->starty;
  if (EffectZeppelinSmoke) {
    z->Smoke = TEmitter::Create(z->startx, z->starty, EffectZeppelinSmoke, 0);
    if (VillageScreen) VillageScreen->AddEmitter(z->Smoke);
    z->Smoke->Pause = 1;
  }
  return z;
}

void TZeppelin::Remove() {
  for (Ref<TEmitter>* e : {&Smoke, &CrushedSmoke}) {
    if (*e) (*e)->GenerationStop = 1;
    *e = nullptr;
  }
  Image = nullptr;
  Shadow = nullptr;
}

void TZeppelin::Set(int n) {
  switch (n) {
    case 0:
      Image = Img("IMAGE_ZEPPELIN_01");
      break;
    case 1:
      Image = Img("IMAGE_ZEPPELIN_02");
      break;
    case 2:
      Image = Img("IMAGE_ZEPPELIN");
      break;
    case 3:
      Image = Img("IMAGE_ZEPPELIN_CRUSHED");
      if (EffectPortalSmoke) {
        CrushedSmoke = TEmitter::Create(-100.0f, 200.0f, EffectPortalSmoke, 0);
        if (VillageScreen) VillageScreen->AddEmitter(CrushedSmoke);
      }
      currentx = -100.0f;
      currenty = 200.0f;
      Crushed = 1;
      break;
    default:
      break;
  }
}

void TZeppelin::Update(float f) {
  if (Crushed) return;
  TVillageMode* v = VillageScreen.get();
  const float leave = CurrentVillage == TVillageMode::SNOW ? -500.0f : -110.0f;
  shadow_state = currentx < leave || currentx > 800.0f ? 1 : 0;
  shadow_max_alpha = CurrentVillage == TVillageMode::SNOW ? 0.6f : 1.0f;
  if (shadow_state == 0 && shadow_alpha < shadow_max_alpha) shadow_alpha += 0.01f * f;
  if (shadow_state == 1 && shadow_alpha > 0.0f) shadow_alpha -= 0.01f * f;

  currentx = startx + radius * std::sin(angle * kPi / 180.0f);
  currenty = starty - radius * std::cos(angle * kPi / 180.0f);
  angle += angle_speed * f;
  if (angle > 360.0f) angle = 0.0f;
  if (angle < 0.0f) angle = 360.0f;

  switch (state) {
    case 1:
      CloudMaxX = 2000.0f;
      if (Smoke) Smoke->Pause = 0;
      if (v) {
        if (v->Panel) v->Panel->StartHiding();
        v->UserInputEnable = 0;
        v->ScrollTo(300.0f, 0.5f);
        v->CloudGenTime = GameTime + v->CloudGenSpeed;
      }
      state = 2;
      CloudPairs(21, 1000, 2000);
      break;
    case 2:
      if (Smoke && Smoke->GenSpeed < 10.0f) Smoke->GenSpeed += 0.006f * f;
      if (dx < 1.0f) dx += speed * f;
      if (startx <= 1500.0f) {
        if (dy < 0.1f) dy += speed * f;
      } else {
        dy = 0.0f;
      }
      startx += dx * f;
      starty += dy * f;
      if (startx > 100.0f && v) v->ScrollTo(290.0f - startx, 0.1f);
      if (startx > 1000.0f) {
        width = std::max(460.0f, width + width_speed * f);
        if (!daytime_flag && v) {
          daytime_flag = 1;
          if (v->RainEffect) v->RainEffect->GenerationStop = 1;
          v->DayTime = TVillageMode::NIGHT;
          v->NextDayTime();
          v->TimeStop = 0;
        }
      }
      if (startx > 1500.0f && !fade_flag && ScreenFade) {
        fade_flag = 1;
        ScreenFade->Init(0.0f, 0.01f, 1.0f);
      }
      if (fade_flag && ScreenFade && ScreenFade->alpha >= 1.0f) state = 3;
      break;
    case 3: {
      if (!v) break;
      v->DayTime = TVillageMode::MORNING1;
      v->NextDayTime();
      v->Load(TVillageMode::SNOW);
      v->LoadSnow();
      if (!v->CampFire) v->CampFire = TCampFire::Create();
      TVillageCreature::Clear();
      TVillageCreature::Init();
      const Ref<TVillageCreature> orbus = TVillageCreature::CreateRandom(TVillageCreature::ORBUS, GameTexts[36]);
      if (orbus) {
        orbus->ID = TVillageCreature::Orbus_id;
        orbus->x = 115.0f;
        orbus->y = 140.0f;
        orbus->angle = 135.0f;
        orbus->CurrentNode = TNode::Find(115, 140);
        orbus->Brainless = 1;
        if (const Ref<TUpgrade> tower = TUpgrade::FindUpgrade("tower01")) {
          tower->LivingCreatureList.AddLast(orbus);
          tower->built = 1;
          tower->Hide = 0;
          v->Buildings[TVillageMode::TOWER] = 1;
          orbus->sweet_home = tower;
          orbus->settled = 1;
        }
      }
      startx = -1500.0f;
      starty = 300.0f;
      shadowy = 200.0f;
      dy = -0.2f;
      dx = 0.9f;
      shadowx = 20.0f;
      shadow_scale = 0.5f;
      v->Scroll_x = 290.0f - startx;
      fade_flag = GameTime;
      state = 4;
      CloudMinX = -2000.0f;
      shadow_color = CreateColor(115, 225, 253);
      v->CloudGenTime = GameTime + v->CloudGenSpeed;
      if (EffectSnow) {
        v->RainEffect = TEmitter::Create(0.0f, 0.0f, EffectSnow, 0);
        v->AddEmitter(v->RainEffect);
        v->RainGenTime = GameTime;
        v->RainLifeTime = Rand(2, 5) * 10000;
        v->RainStartTime = Rand(4, 5) * 10000;
      }
      CloudPairs(61, -2000, 2000);
      break;
    }
    case 4:
      startx += dx * f;
      starty += dy * f;
      if (v) v->ScrollTo(290.0f - startx, 0.1f);
      if (fade_flag && GameTime > fade_flag + 2000 && ScreenFade) {
        ScreenFade->Init(1.0f, -0.01f, 1.0f);
        fade_flag = 0;
      }
      if (startx > -150.0f) {
        dx = dx > 0.0f ? std::max(0.0f, dx - 0.01f * f) : 0.0f;
        dy = dx > 0.0f ? 0.0f : 0.2f;
        if (shadowy > 25.0f && dy != 0.0f) {
          shadowy -= 0.2f * f;
          if (shadow_scale < scale) shadow_scale += 0.001f * f;
        }
      }
      // It comes in high (starty falls from 300): it lands once it has
      // stopped and sunk back to 120, not on its first frame here.
      if (dy > 0.0f && starty > 120.0f) {
        width_speed = 2.0f;
        state = 5;
        if (Smoke) Smoke->GenerationStop = 1;
      }
      break;
    case 5:
      width += width_speed * f;
      if (width > 600.0f) {
        width = 600.0f;
        state = 6;
        CreateCreatures();
        if (v) {
          if (v->UpgradeDialog) v->UpgradeDialog->PrepareUpgrades();
          if (v->Panel) {
            if (v->Panel->Button_PLAY) v->Panel->Button_PLAY->locked = 0;
            if (v->Panel->Button_TROPHY) v->Panel->Button_TROPHY->locked = 0;
          }
        }
        if (PlayerState) PlayerState->money = 500;
        if (v && v->Panel && v->Panel->Money) {
          v->Panel->Money->Ammount = 500.0f;
          v->Panel->Money->StartAmmount = 500;
          v->Panel->Money->TargetAmmount = 500;
        }
      }
      break;
    default:
      break;
  }
  if (Smoke) {
    Smoke->x = currentx - 5.0f;
    Smoke->y = currenty + 93.0f;
  }
}

void TZeppelin::CreateCreatures() {
  const auto make = [](int colour, int text, int id, float x, int cx, int cy) {
    const Ref<TVillageCreature> c = TVillageCreature::CreateRandom(colour, GameTexts[text]);
    if (!c) return;
    c->ID = id;
    c->x = x;
    c->y = 250.0f;
    c->ConstantMove[1] = cx;
    c->ConstantMove[2] = cy;
  };
  make(TVillageCreature::YELLOW, 34, TVillageCreature::Ell_id, -100.0f, 60, 140);
  make(TVillageCreature::RED, 35, TVillageCreature::Red_id, -70.0f, 80, 140);
  for (const Ref<TVillageCreature>& c : Snapshot(VillageCreatures)) {
    if (c->ID == TVillageCreature::Orbus_id) continue;
    c->Hide(0);
    c->Unhide(Rand(200, 500), 0);
    c->Brainless = 1;
    c->angle = 90.0f;
    c->CurrentNode = TNode::Find(Int(c->x), Int(c->y));
    c->ConstantMove[0] = 1;
  }
  if (VillageStory.OpenDialog) VillageStory.OpenDialog(2001, 2000, 0);
}

void TZeppelin::DrawShadow() {
  if (shadow_alpha <= 0.0f || !Shadow) return;
  const float z = VillageScreen ? VillageScreen->Closing_scale : 1.0f;
  ApplyColor(shadow_color);
  platform::SetAlpha(shadow_alpha);
  platform::SetScale(shadow_scale * z, shadow_scale * z);
  platform::DrawImage(Shadow, (currentx + shadowx) * z, (currenty + shadowy) * z);
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
}

void TZeppelin::Draw() {
  if (!Crushed) DrawShadow();
  const float z = VillageScreen ? VillageScreen->Closing_scale : 1.0f;
  platform::SetScale(scale * z, scale * z);
  if (Image) platform::DrawImage(Image, currentx * z, currenty * z);
  platform::SetScale(1.0f, 1.0f);
}

}  // namespace kelp
