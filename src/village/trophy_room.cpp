#include "village/trophy_room.h"

#include <algorithm>
#include <cmath>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/impulse.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/ui/widget_updater.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "play/effects_widget.h"
#include "play/tutorial.h"
#include "village/panel.h"
#include "village/snapshot.h"
#include "village/story_effects.h"
#include "village/story_links.h"
#include "village/trophy.h"
#include "village/upgrade_dialog.h"
#include "village/village.h"
#include "world/effects/blinks.h"
#include "world/effects/clouds.h"
#include "world/effects/help_text.h"
#include "world/game_state.h"
#include "world/resource_bindings.h"

namespace kelp {

Ref<TTrophyRoom> TrophyRoomScreen;

namespace {

constexpr float kPi = 3.14159265f;
platform::ImageRef Img(const std::string& id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

Ref<TWidgetUpdater> FrameSlide(const Ref<TWidget>& w, float shown, float hidden, int dir) {
  Ref<TWidgetUpdater> u = TWidgetUpdater::Create(w, 0);
  u->Init(1, 0, 0.5f, 1.0f);
  u->pos0 = shown;
  u->pos1 = hidden;
  u->Dir = dir;
  return u;
}

}  // namespace

// ---- the room ----

int TTrophyRoom::AddedToManager() {
  TTrophy::LoadTrophies();
  startX = 595;
  startY = 325;
  radius = 5;
  speed = 2;
  return 0;
}

// The frame, the back button and the description join the widget manager on
// the first opening, above every screen.
void TTrophyRoom::MakeParts() {
  if (Back) return;
  Form = Img("IMAGE_GUI_TROPHY_ROOM");
  Frame = CreateImageWidget(Img("IMAGE_GUI_TROPHY_FRAME"), 0, 0, 1);
  if (Frame->Image) Frame->_x = -static_cast<float>(Frame->Image->Width());
  Sky = Img("IMAGE_SKY");
  Back = CreateButton(0, 0, nullptr, "", Back_ID, Self(), 2, 2);
  Back->SetAnim(TAnimImage::Load2("IMAGE_GUI_BUTTON_BACK", -1));
  Effect = TBlink::Create(600, 310);
  ReleaseFromVisuals(Effect);
  HelpText = New<THelpText>();
  HelpText->MouseSensetive = 0;
  HelpText->shadow = 1;
  HelpText->font = FontComics;
  if (WidgetManager) WidgetManager->AddWidget(HelpText);
  HelpText->Resize(CanvasOffsetX + 425, 480, 360, 200);
  if (WidgetManager) WidgetManager->AddWidget(Back);
}

int TTrophyRoom::RemovedFromManager() {
  if (WidgetManager && Back) WidgetManager->RemoveWidget(Back);
  if (WidgetManager && Frame) WidgetManager->RemoveWidget(Frame);
  if (WidgetManager && HelpText) WidgetManager->RemoveWidget(HelpText);
  return 0;
}

int TTrophyRoom::Resize(int px, int py, int width, int height) {
  TWidget::Resize(px, py, width, height);
  if (Back) Back->SetPosition(px + Back_x, py + Back_y);
  return 0;
}

int TTrophyRoom::DePress(int id) {
  if (id == Back_ID) StartHiding();
  return 0;
}

int TTrophyRoom::MouseDown(int button) {
  if (button == 1) IsDown = 1;
  return 0;
}

int TTrophyRoom::MouseUp(int) {
  IsDown = 0;
  return 0;
}

int TTrophyRoom::SetHided(int flag) {
  if (Frame) Frame->SetHided(flag);
  if (Back) Back->SetHided(flag);
  TVillageMode* v = VillageScreen.get();
  if (!flag) {
    MakeParts();
    Frame->SetHided(0);
    Back->SetHided(0);
    if (HelpText) HelpText->SetHided(0);
    TWidget::SetHided(0);
    StartShow();
    Emitter = EffectTrophy01 ? TEmitter::Create(currentX, currentY, EffectTrophy01, 0) : nullptr;
    CloudGenTime = GameTime + CloudGenSpeed;
    const int n = Rand(10, 14) + 1;
    for (int i = 0; i < n; ++i) TCloud::Create(static_cast<float>(Rand(-150, 800)), 0.0f, 0, 0);
    if (v) {
      v->UserInputEnable = 0;
      v->SetVisible(0);
      if (v->Panel) v->Panel->SetHided(1);
      if (v->UpgradeDialog) v->UpgradeDialog->SetHided(1);
    }
    TrophyBack = Img(CurrentVillage == TVillageMode::SNOW ? "IMAGE_GUI_TROPHY_BACK_02" : "IMAGE_GUI_TROPHY_BACK_01");
    return 0;
  }
  TWidget::SetHided(1);
  if (HelpText) HelpText->SetHided(1);
  if (Emitter) Emitter->Death = 1;
  Emitter = nullptr;
  if (v && !v->Hidden) {
    v->SetVisible(1);
    v->UserInputEnable = 1;
    if (v->Panel) {
      v->Panel->SetHided(0);
      v->Panel->StartShow();
    }
  }
  return 0;
}

void TTrophyRoom::StartShow() {
  if (ScreenFade) ScreenFade->InitOut(1.0f, -0.03f, 1.0f);
  const float w = Frame && Frame->Image ? static_cast<float>(Frame->Image->Width()) : 400.0f;
  Updater = FrameSlide(Frame, static_cast<float>(CanvasOffsetX + 10), -w, 1);
  Updater->StartShow(4.0f, 0.8f, 0.12f);
  if (TutorialHint && TutorialHint->id == 5) TutorialHint->StartHiding();
}

void TTrophyRoom::StartHiding() {
  if (ScreenFade) ScreenFade->Init(0.0f, 0.03f, 1.0f);
  const float w = Frame && Frame->Image ? static_cast<float>(Frame->Image->Width()) : 400.0f;
  Updater = FrameSlide(Frame, static_cast<float>(CanvasOffsetX + 10), -w, 1);
  Updater->StartHiding();
}

int TTrophyRoom::Update(float dt) {
  if (!Visible) return 0;
  if (Updater) Updater->Update(dt);
  if (Back && Frame) Back->SetPosition(Int(Frame->_x) + Back_x, Int(Frame->_y) + Back_y);
  if (Updater && Updater->IsHiding() && Updater->IsDeath()) {
    Updater = nullptr;
    if (ScreenFade) ScreenFade->Init(1.0f, -0.03f, 1.0f);
    SetHided(1);
    return 0;
  }
  if (Effect) Effect->Update(dt);
  TTrophy::Update(dt);
  if (GameTime > CloudGenTime + CloudGenSpeed) {
    if (Rand(0, 1) == 1) TCloud::Create(-150.0f, 0.0f, 0, 0);
    CloudGenTime = GameTime;
  }
  if (HelpText) HelpText->SetText(HoverTrophy ? HoverTrophy->Info : " ");
  if (Emitter) Emitter->Pause = HoverTrophy ? 0 : 1;
  if (HoverTrophy != PrevHoverTrophy) {
    if (HoverTrophy) {
      const bool fromAnother = Hovered && PrevHoverTrophy;
      Hovered = HoverTrophy;
      hover_state = 1;
      hover_alpha = fromAnother ? 1.0f : 0.0f;
      if (Effect) Effect->state = fromAnother ? 0 : 2;
    } else {
      hover_state = 2;
      if (Effect) Effect->state = 1;
    }
  }
  if (hover_state == 1) hover_alpha = std::min(1.0f, hover_alpha + 0.05f * dt);
  if (hover_state == 2) hover_alpha = std::max(0.0f, hover_alpha - 0.05f * dt);
  currentX = startX + radius * std::sin(angle * kPi / 180.0f);
  currentY = startY - radius * std::cos(angle * kPi / 180.0f);
  angle += clockwise ? speed * dt : -speed * dt;
  if (angle >= 360.0f) angle = 0.0f;
  if (angle < 0.0f) angle = 360.0f;
  if (Emitter) {
    Emitter->x = currentX;
    Emitter->y = currentY;
    Emitter->Update(dt);
  }
  TVisuals::UpdateVisuals(dt);
  return 0;
}

int TTrophyRoom::Draw() {
  TVillageMode* v = VillageScreen.get();
  PushGraphicsState();
  SetGameViewport();
  platform::SetOrigin(static_cast<float>(CanvasOffsetX), 0.0f);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetScale(1.0f, 1.0f);
  if (v) ApplyColor(v->DayColor);
  if (Sky) platform::TileImage(Sky, 0.0f, -200.0f);
  if (v && v->Night_Sky) {
    const float stars = v->StarsAlpha();
    if (stars > 0.0f) {
      platform::SetBlend(platform::LIGHTBLEND);
      platform::SetColor(255, 255, 255);
      platform::SetAlpha(stars);
      platform::TileImage(v->Night_Sky, 0.0f, 0.0f);
      platform::SetAlpha(1.0f);
      platform::SetBlend(platform::ALPHABLEND);
    }
  }
  if (v) v->AdvanceDayColors();
  if (v) TCloud::SetCloudsColor(v->VillageColor);
  TCloud::DrawClouds(0);
  if (v) ApplyColor(v->VillageColor);
  if (TrophyBack) platform::DrawImage(TrophyBack, 440.0f, 189.0f);
  if (v && v->DayColor) {
    const Ref<TColor>& c = v->DayColor;
    platform::SetColor((c->r + c->g + c->b) / 3, c->g, c->b);
  }
  if (Form) platform::DrawImage(Form, 0.0f, 0.0f);
  platform::SetColor(255, 255, 255);
  if (Emitter) Emitter->Draw(1.0f);
  TTrophy::Draw(Frame ? Frame->_x - static_cast<float>(CanvasOffsetX) : 0.0f);
  platform::SetColor(255, 255, 255);
  if (Effect) Effect->Draw();
  if (Hovered && Hovered->Image && hover_alpha > 0.0f) {
    platform::SetScale(1.5f, 1.5f);
    platform::SetAlpha(hover_alpha);
    platform::DrawImage(Hovered->Image, currentX, currentY);
    platform::SetScale(1.0f, 1.0f);
    platform::SetAlpha(1.0f);
  }
  platform::SetOrigin(0.0f, 0.0f);
  platform::SetViewport(0, 0, VirtualWidth, VirtualHeight);
  DrawSideBars();
  if (ScreenFade) ScreenFade->Draw();
  PopGraphicsState();
  return 0;
}

// ---- the award ----

Ref<TTrophyWidget> ShowTrophyWidget(const std::string& imageId) {
  Ref<TTrophyWidget> w = New<TTrophyWidget>();
  w->name = imageId;
  if (WidgetManager) WidgetManager->AddWidget(w);
  w->Resize(1000, 170, w->Frame ? w->Frame->Width() : 200, w->Frame ? w->Frame->Height() : 200);
  w->StartShow();
  return w;
}

int TTrophyWidget::AddedToManager() {
  Frame = Img("DIALOG_FRAME_04");
  Trophy = TTrophyImage::Create(name);
  return 0;
}

int TTrophyWidget::RemovedFromManager() {
  Frame = nullptr;
  Updater = nullptr;
  return 0;
}

void TTrophyWidget::StartShow() {
  Updater = TWidgetUpdater::Create(Self(), 0);
  Updater->Init(1, 0, 0.5f, 1.0f);
  Updater->pos0 = static_cast<float>(CanvasOffsetX + 560);
  Updater->pos1 = 1000.0f;
  Updater->Dir = -1;
  Updater->StartShow(4.0f, 0.8f, 0.12f);
}

void TTrophyWidget::StartHiding() {
  Updater = TWidgetUpdater::Create(Self(), 0);
  Updater->Init(1, 0, 0.5f, 1.0f);
  Updater->pos0 = static_cast<float>(CanvasOffsetX + 560);
  Updater->pos1 = 1000.0f;
  Updater->Dir = -1;
  Updater->StartHiding();
}

int TTrophyWidget::Update(float dt) {
  if (Updater) Updater->Update(dt);
  if (Updater && Updater->IsShowing() && Updater->Accel && Updater->Accel->Stopped && Trophy && Trophy->state == 0) {
    Trophy->state = 1;
    if (!sound) {
      sound = 1;
      PlaySoundEffect("SOUND_BRICK_FALL", 0.0f, 1);
    }
  }
  if (Trophy && Trophy->state == 4 && Trophy->scale >= 1.1f && !(Updater && Updater->IsHiding())) StartHiding();
  if (Updater && Updater->IsHiding() && Updater->IsDeath() && WidgetManager) WidgetManager->RemoveWidget(this);
  return 0;
}

int TTrophyWidget::Draw() {
  if (Frame) platform::DrawImage(Frame, 0.0f, 0.0f);
  return 0;
}

void TTrophyWidget::Clear() {
  if (!WidgetManager) return;
  for (const Ref<TWidget>& w : Snapshot(WidgetManager->WidgetsList))
    if (dynamic_cast<TTrophyWidget*>(w.get()) || dynamic_cast<TTrophyImage*>(w.get())) WidgetManager->RemoveWidget(w);
}

Ref<TTrophyImage> TTrophyImage::Create(const std::string& imageId) {
  Ref<TTrophyImage> t = New<TTrophyImage>();
  t->name = imageId;
  t->image = Img(imageId);
  t->Resize(0, 0, 800, 600);
  t->Clip = 0;
  t->MouseSensetive = 0;
  if (WidgetManager) WidgetManager->AddWidget(t);
  return t;
}

int TTrophyImage::AddedToManager() {
  TrophyImageShown = 1;
  Effects = TEffectsWidget::Create();
  Glow = Img("DIALOG_GLOW");
  glow_speed = 0.009f;
  x = 672.0f;
  y = 320.0f;
  shadow = 2.0f;
  scale_speed = 0.0f;
  angle_speed = 4.0f;
  dx = 1.0f;
  dy = 1.3f;
  return 0;
}

int TTrophyImage::RemovedFromManager() {
  image = Glow = nullptr;
  impulse = nullptr;
  Stars = nullptr;
  if (Effects && WidgetManager) WidgetManager->RemoveWidget(Effects);
  Effects = nullptr;
  TrophyImageShown = 0;
  return 0;
}

int TTrophyImage::Update(float dt) {
  if (glow_state == 0) glow_alpha = std::max(0.0f, glow_alpha - 0.02f * dt);
  if (glow_state == 1) {
    glow_alpha += glow_speed * dt;
    if (glow_alpha >= 1.0f) glow_alpha = 1.0f, glow_state = 2;
  } else if (glow_state == 2) {
    glow_alpha -= 0.01f * dt;
    if (glow_alpha <= 0.4f) glow_alpha = 0.4f, glow_state = 1;
  }
  const auto follow = [this] {
    if (Stars) {
      Stars->x = x + static_cast<float>(CanvasOffsetX);
      Stars->y = y;
    }
  };
  TVillageMode* v = VillageScreen.get();
  switch (state) {
    case 1:
      scale += 0.05f * dt;
      if (scale >= 1.0f) {
        impulse = TImpulse::CreateImpulse(0.05f, 0.3f, 0.08f, 1);
        if (impulse) ReleaseFromVisuals(impulse);
        state = 2;
        glow_state = 1;
      }
      break;
    case 2:
      if (impulse) impulse->Update(dt);
      scale = 1.0f + (impulse ? impulse->impulse_strength : 0.0f);
      if (!impulse || impulse->Death) {
        impulse = nullptr;
        scale = 1.0f;
        state = 3;
      }
      break;
    case 3:
      if (skip) {
        state = 4;
        if (EffectTrophyStar01 && Effects) {
          Stars = TEmitter::Create(x + static_cast<float>(CanvasOffsetX), y, EffectTrophyStar01, 0);
          Effects->AddEmitter(Stars);
        }
        glow_state = 0;
      }
      break;
    case 4:
      scale += 0.002f * dt;
      x -= 0.2f * dt;
      y -= 0.3f * dt;
      follow();
      shadow += 0.7f * dt;
      if (scale >= 1.2f) {
        state = 5;
        if (v && v->Panel && v->Panel->Button_TROPHY) v->Panel->Button_TROPHY->blink = 1;
        if (GameState && GameState->Stage == 4 && VillageStory.OpenDialog) VillageStory.OpenDialog(1015, 3000, 0);
      }
      break;
    case 5:
      scale -= 0.01f * dt;
      angle += angle_speed * dt;
      x += dx * dt;
      y += dy * dt;
      follow();
      if (shadow >= 2.0f) shadow -= 0.2f * dt;
      if (scale <= 0.0f) {
        state = 6;
        TrophyImageShown = 0;
      }
      break;
    case 6:
      if (Stars) Stars->GenerationStop = 1;
      if (!Stars || Stars->Death || Stars->Particles.Count() == 0) {
        if (WidgetManager) WidgetManager->RemoveWidget(this);
        if (v) {
          if (name == "TROPHY_STONE_01") v->Portal_state = 1;
          if (name == "TROPHY_STONE_02_2") v->Portal_state = 2;
          const int stage = GameState ? GameState->Stage : 0;
          if (stage == 11) {
            v->Portal_state = 3;
            TPortalEffect::Create();
            if (v->Panel) v->Panel->StartHiding();
          } else if (stage == 17) {
            if (v->Panel) v->Panel->StartHiding();
            v->UserInputEnable = 0;
          }
        }
      }
      break;
    default:
      break;
  }
  return 0;
}

int TTrophyImage::Draw() {
  if (state == 0 || !image) return 0;
  PushGraphicsState();
  SetGameViewport();
  platform::SetOrigin(static_cast<float>(CanvasOffsetX), 0.0f);
  const float s = std::max(0.0f, std::min(1.0f, scale - 0.2f));
  platform::SetRotation(angle);
  if (s > 0.0f) {
    ApplyColor(ColorDark);
    platform::SetAlpha(0.3f);
    platform::SetScale(s, s);
    platform::DrawImage(image, x + shadow * s, y + shadow * s);
  }
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  if (scale > 0.0f) {
    platform::SetScale(scale, scale);
    platform::DrawImage(image, x, y);
  }
  platform::SetRotation(0.0f);
  if (Glow && glow_alpha > 0.0f) {
    platform::SetScale(1.4f, 1.4f);
    platform::SetAlpha(glow_alpha);
    platform::SetBlend(platform::LIGHTBLEND);
    platform::DrawImage(Glow, x - 115.0f, y - 113.0f);
  }
  PopGraphicsState();
  return 0;
}

}  // namespace kelp
