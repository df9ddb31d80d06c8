#include "frontend/credits.h"

#include "framework/core/frame_clock.h"
#include "framework/files/language.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/ui/dialog.h"
#include "framework/ui/mouse.h"
#include "frontend/main_menu.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

constexpr int kLastKey = 191;  // every virtual key, the mouse buttons among them

platform::ImageRef Picture(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

}  // namespace

Ref<TCredits> ShowCredits() {
  auto c = New<TCredits>();
  if (!WidgetManager) return c;
  WidgetManager->AddWidget(c);
  c->Resize(0, 0, VirtualWidth, VirtualHeight);
  c->StartShow();
  return c;
}

int TCredits::AddedToManager() {
  Backs[0] = Picture("IMAGE_CREDITS_BACK_01");
  Backs[1] = Picture("IMAGE_CREDITS_BACK_02");
  Back = Backs[1];
  Text = Picture("IMAGE_CREDITS_TEXT");
  Clip = 0;
  dy = -0.4f;
  text_y = 500.0f;
  alpha_speed = 0.02f;
  return 0;
}

int TCredits::RemovedFromManager() {
  Backs[0] = Backs[1] = Back = Text = nullptr;
  return 0;
}

void TCredits::StartShow() {
  PlayMusic("MUSIC_CREDITS", 1);
  if (ScreenFade) ScreenFade->InitOut(1.0f, -0.02f, 1.0f);
}

void TCredits::StartHiding() {
  PlayMusic("MUSIC_MENU", 1);
  if (ScreenFade) ScreenFade->Init(0.0f, 0.04f, 1.0f);
  hiding = 1;
}

int TCredits::DePress(int) {
  StartHiding();
  return 0;
}

void TCredits::Close() {
  const Ref<TWidget> keep = Self();
  if (WidgetManager) WidgetManager->RemoveWidget(this);
  if (MainMenuScreen) MainMenuScreen->SetHided(0);
}

int TCredits::Update(float dt) {
  UpdateMusic(dt);
  // A held key keeps the fade at its start: the screen leaves once it is let go.
  for (int vk = 1; vk <= kLastKey; ++vk)
    if (platform::KeyDown(vk)) {
      StartHiding();
      break;
    }
  if (Mouse && (Mouse->Bt1Hit || Mouse->Bt2Hit)) StartHiding();
  if (ScreenFade) ScreenFade->Update(dt);
  text_y += dy * dt;
  const float height = Text ? static_cast<float>(Text->Height()) : 0.0f;
  if (text_y < -height) text_y = 500.0f;
  if (hiding && (!ScreenFade || ScreenFade->alpha == 1.0f)) {
    Close();
    return 0;
  }
  if (alpha_state == 0) {
    alpha += alpha_speed * dt;
    if (alpha > 1.0f) alpha = 1.0f, alpha_state = 1;
  } else {
    alpha -= alpha_speed * dt;
    if (alpha < 0.0f) alpha = 0.0f, alpha_state = 0;
  }
  if (GameTime > ChangeTime + 20000) {
    ChangeTime = GameTime;
    Back = Back == Backs[0] ? Backs[1] : Backs[0];
  }
  return 0;
}

int TCredits::Draw() {
  PushGraphicsState();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::SetViewport(0, 50, VirtualWidth, VirtualHeight - 100);
  if (Back)
    platform::DrawImage(Back, static_cast<float>(VirtualCenterX - Back->Width() / 2),
                        static_cast<float>(VirtualCenterY - Back->Height() / 2));
  if (Text) platform::DrawImage(Text, static_cast<float>(VirtualCenterX - Text->Width() / 2), text_y);
  platform::SetViewport(0, VirtualHeight - 50, VirtualWidth, 50);
  if (FontHi) {
    SetBMFont(FontHi);
    platform::SetAlpha(alpha);
    DrawTextBox(VirtualCenterX - HintWidth / 2, VirtualHeight - 40, GameTexts[19], HintWidth, JUSTIFY_CENTRE, 1);
    platform::SetAlpha(1.0f);
  }
  platform::SetViewport(0, 0, VirtualWidth, VirtualHeight);
  if (ScreenFade) ScreenFade->Draw();
  PopGraphicsState();
  return 0;
}

}  // namespace kelp
