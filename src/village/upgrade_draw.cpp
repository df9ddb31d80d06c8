// A building's frame: the vacancy sign, its information scroll, the
// construction steps, the shared hover fade and the window lights; the
// mouse test; and the draw passes.
#include <algorithm>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/graphics_state.h"
#include "framework/media/impulse.h"
#include "framework/media/particles.h"
#include "framework/ui/mouse.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "village/info_scroll.h"
#include "village/snapshot.h"
#include "village/upgrade.h"
#include "village/upgrade_dialog.h"
#include "village/village.h"
#include "village/villager.h"
#include "world/effects/blinker.h"
#include "world/light.h"

namespace kelp {

namespace {

float Zoom() { return VillageScreen ? VillageScreen->Closing_scale : 1.0f; }

// The alpha of a picture's pixel, the offset clamped into that picture.
int AlphaAt(const platform::ImageRef& image, int ox, int oy) {
  if (!image) return 0;
  const platform::PixmapRef px = image->Frame(0);
  if (!px || px->Width() <= 0 || px->Height() <= 0) return 0;
  ox = std::clamp(ox, 0, px->Width() - 1);
  oy = std::clamp(oy, 0, px->Height() - 1);
  return static_cast<int>(px->ReadPixel(ox, oy) >> 24);
}

void DrawAt(const platform::ImageRef& image, float x, float y) {
  if (!image) return;
  const float c = Zoom();
  platform::SetScale(c, c);
  platform::DrawImage(image, x * c, y * c);
}

// In the current colour, through the picture's tinted copy.
void DrawAtLit(TintedPicture& lit, const platform::ImageRef& image, float x, float y) {
  if (!image) return;
  const float c = Zoom();
  platform::SetScale(c, c);
  DrawTinted(lit, image, x * c, y * c);
}

void DrawLit(const platform::ImageRef& image, float x, float y, int r, int g, int b, float alpha) {
  if (!image) return;
  PushGraphicsState();
  platform::SetBlend(platform::LIGHTBLEND);
  platform::SetColor(r, g, b);
  platform::SetAlpha(alpha);
  DrawAt(image, x, y);
  PopGraphicsState();
}

bool Night() {
  const int d = VillageScreen ? VillageScreen->DayTime : TVillageMode::DAY;
  return d == TVillageMode::EVENING2 || d == TVillageMode::NIGHT;
}

}  // namespace

void TUpgrade::UpdateUpgrades(float dt) {
  if (Mouse && VillageScreen)
    HoverUpgrade(Int(Mouse->x - VillageScreen->Scroll_x), Int(Mouse->y));
  const std::vector<Ref<TUpgrade>> all = Snapshot(Upgrades);
  for (const Ref<TUpgrade>& u : all) u->Update(dt);
}

void TUpgrade::HoverUpgrade(int px_, int py_) {
  HoverActive = 0;
  if (!VillageScreen) return;
  const TVillageMode& v = *VillageScreen;
  if (v.ParaziteMode || HoverCreature || (v.UpgradeDialog && v.UpgradeDialog->Visible) || !v.UserInputEnable ||
      v.Scroll_dx != 0.0f)
    return;
  for (const Ref<TUpgrade>& u : Upgrades) {
    if (u->Hide) continue;
    if (u->class_ == "road" || u->class_ == "road2" || u->class_ == "center" || u->class_ == "bridge") continue;
    if (px_ < u->x || px_ > u->x + u->w || py_ < u->y || py_ > u->y + u->h) continue;
    const int ox = Int(px_ - u->x), oy = Int(py_ - u->y);
    if (AlphaAt(u->Image, ox, oy) > 100 || AlphaAt(u->Over, ox, oy) > 100) {
      HoveredUpgrade = u;
      HoverActive = 1;
      HoverStartTime = GameTime;
      HoverOffsetX = ox;
      HoverOffsetY = oy;
      return;
    }
  }
}

int TUpgrade::Update(float dt) {
  // Vacancy sign.
  if (RentState == 1) {
    RentScale += RentSpeed * dt;
    if (RentScale > 0.65f) {
      RentScale = 0.65f;
      RentState = 2;
    }
  } else if (RentState == 2) {
    RentScale -= RentSpeed * dt;
    if (RentScale < 0.55f) {
      RentScale = 0.55f;
      RentState = 1;
    }
  } else {
    RentScale = 0.0f;
  }
  if (RentTime && GameTime - RentTime > 2000 && RentState == 0) RentState = 1;

  // Information scroll.
  const bool hovered = HoveredUpgrade.get() == this;
  if (VillageScreen && !VillageScreen->Closing && !VillageScreen->Showing && hovered && !scroll && !DraggedCreature &&
      HoverAlpha == 0.35f) {
    scroll = TScroll::Create(weak_from_this().lock());
    scroll->state = 1;
  }
  if (!hovered && scroll && scroll->state == 2) scroll->state = 3;
  if (scroll && scroll->Death) scroll = nullptr;
  if (impulse && impulse->Death) impulse = nullptr;

  // Construction.
  if (Ambient) Ambient->Update(dt);
  if (building) {
    if (class_ != "road") {
      if (Blinker && Blinker->count < 7 && Emitter03 && Emitter03->Pause) Emitter03->Pause = 0;
      if (Emitter03 && Emitter03->GenSpeed < 150.0f) Emitter03->GenSpeed += 0.2f * dt;
      if (Emitter01 && Emitter01->GenSpeed < 70.0f) Emitter01->GenSpeed += 0.15f * dt;
    }
    if (!Blinker || Blinker->Death) {
      BuildFinish();
    } else {
      alpha = class_ == "road2" ? Blinker->alpha : 0.0f;
    }
  }
  if (BuildingEndTime) {
    if (GameTime - BuildingEndTime > 2800 && Emitter01) Emitter01->Pause = 1;
    if (GameTime - BuildingEndTime > 3300) {
      if (Emitter02) Emitter02->Pause = 1;
      BuildingEndTime = 0;
    }
  }

  // The hover fade, once per building.
  if (HoveredUpgrade && HoverActive) {
    HoverAlpha = std::min(0.35f, HoverAlpha + 0.002f * dt);
  } else {
    HoverAlpha -= 0.002f * dt;
    if (HoverAlpha < 0.0f) {
      HoverAlpha = 0.0f;
      HoveredUpgrade = nullptr;
    }
  }

  // Window lights.
  if (Light || Light2) {
    const bool off = !Night() || CreatureList.IsEmpty();
    if (off && (Light_state == 1 || Light_state == 2)) {
      if (Light_timeout == 0) {
        Light_timeout = Rand(500, 2000);
        Light_time = GameTime;
      } else if (GameTime > Light_time + Light_timeout) {
        Light_state = 3;
      }
    }
    if (Light_state == 0 && Night() && (!CreatureList.IsEmpty() || class_ == "center")) {
      if (Light_timeout == 0) {
        Light_timeout = Rand(500, 2000);
        Light_time = GameTime;
        Light_alpha = 0.0f;
      } else if (GameTime > Light_time + Light_timeout) {
        Light_state = 1;
      }
    }
    switch (Light_state) {
      case 1:
        Light_alpha += Light_speed * dt;
        if (Light_alpha > 1.0f) Light_state = 2;
        break;
      case 2:
        Light_alpha -= Light_speed * dt;
        if (Light_alpha < 0.8f) Light_state = 1;
        break;
      case 3:
        Light_alpha -= Light_speed * dt;
        if (Light_alpha < 0.0f) Light_state = 0;
        break;
      default:
        break;
    }
  }
  return 1;
}

int TUpgrade::DrawBuildingEffect() {
  if (!building_effect) return 0;
  PushGraphicsState();
  const float c = Zoom();
  platform::SetScale(c, c);
  building_effect->Draw(1.0f);
  PopGraphicsState();
  return 1;
}

int TUpgrade::Draw() {
  if (class_ == "road2" && building_effect) DrawBuildingEffect();
  if (!Hide) {
    DrawAtLit(ImageLit, Image, x, y);
    DrawLit(Banner, x, y, 255, 255, 255, 1.0f);
    if (Light_alpha > 0.0f) DrawLit(Light, x, y, 255, 255, 255, Light_alpha);
  }
  if (building) {
    PushGraphicsState();
    platform::SetBlend(platform::ALPHABLEND);
    platform::SetColor(255, 255, 255);
    platform::SetAlpha(alpha);
    DrawAt(Image, x, y);
    PopGraphicsState();
  }
  if (HoveredUpgrade.get() == this) DrawLit(Image, x, y, 200, 200, 200, HoverAlpha);
  if (Ambient) Ambient->Draw(0.45f);
  return 1;
}

int TUpgrade::DrawLight2() {
  if (Light2 && Light_alpha > 0.0f) DrawLit(Light2, x, y, 255, 255, 255, Light_alpha);
  return 1;
}

int TUpgrade::DrawRent() {
  if (Hide || !IsHut() || static_cast<int>(LivingCreatureList.Count()) >= capacity || RentState == 0 || !Rent)
    return 0;
  const float c = Zoom();
  platform::DrawImage(Rent, (x + cx) * c, (y + cy) * c);
  return 1;
}

void TUpgrade::DrawUpgradesShadows() {
  PushGraphicsState();
  for (const Ref<TUpgrade>& u : Upgrades)
    if (!u->Hide) DrawAt(u->Shadow, u->x, u->y);
  PopGraphicsState();
}

void TUpgrade::DrawUpgrades() {
  PushGraphicsState();
  platform::SetBlend(platform::ALPHABLEND);
  if (VillageScreen) ApplyColor(VillageScreen->VillageColor);
  for (const Ref<TUpgrade>& u : Upgrades) u->Draw();
  PopGraphicsState();
}

void TUpgrade::DrawRents() {
  PushGraphicsState();
  platform::SetBlend(platform::ALPHABLEND);
  if (VillageScreen) ApplyColor(VillageScreen->VillageColor);
  const float c = Zoom();
  for (const Ref<TUpgrade>& u : Upgrades) {
    platform::SetScale(u->RentScale * c, u->RentScale * c);
    u->DrawRent();
  }
  platform::SetScale(1.0f, 1.0f);
  PopGraphicsState();
}

void TUpgrade::DrawOver() {
  PushGraphicsState();
  platform::SetBlend(platform::ALPHABLEND);
  if (VillageScreen) ApplyColor(VillageScreen->VillageColor);
  for (const Ref<TUpgrade>& u : Upgrades) {
    if (u->Hide) continue;
    DrawAtLit(u->OverLit, u->Over, u->x, u->y);
    if (HoveredUpgrade == u) DrawLit(u->Over, u->x, u->y, 200, 200, 200, HoverAlpha);
    u->DrawLight2();
  }
  PopGraphicsState();
}

}  // namespace kelp
