#include "play/brownie_transform.h"

#include <algorithm>

#include "framework/core/frame_clock.h"
#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/sound.h"
#include "platform/graphics_state.h"
#include "play/effects_widget.h"
#include "play/game.h"
#include "play/level_complete.h"
#include "world/effects/blinks.h"
#include "world/effects/fade2.h"
#include "world/effects/screen_shake.h"

namespace kelp {

namespace {

constexpr int kCentreY = 300;

}  // namespace

Ref<TBrownieTransform> TBrownieTransform::Create() {
  auto t = New<TBrownieTransform>();
  t->Init();
  if (WidgetManager) WidgetManager->AddWidget(t);
  return t;
}

int TBrownieTransform::Init() {
  Resize(0, 0, VirtualWidth, VirtualHeight);
  Fade2 = TFade2::Create(0.0f, 0.008f, 1.0f);
  Fade2->pause = 1;
  Image = TAnimImage::Load2("IMAGE_BROWNIE_TRANSFORM", -1);
  Image->OneShoot = 1;
  Image->Paused = 1;
  UpdTime = GameTime;
  ShakeTime = GameTime;
  if (GameScreen) GameScreen->Pause(1);
  FadeOutMusic();
  alpha = 0.0f;
  scale = 1.0f;
  state = 0;
  return 0;
}

int TBrownieTransform::AddedToManager() {
  Effects = TEffectsWidget::Create();
  return 0;
}

int TBrownieTransform::RemovedFromManager() {
  if (Effects && WidgetManager) WidgetManager->RemoveWidget(Effects);
  if (Effect) {
    Effect->Death = 1;
    Effect = nullptr;
  }
  return 0;
}

int TBrownieTransform::Update(float dt) {
  if (Fade2) Fade2->Update(dt);
  if (Effect) Effect->Update(dt);
  auto rumble = [&] {
    if (Shake < 3.0f) Shake += 0.03f * dt;
    if (GameTime > ShakeTime + 200) {
      TScreenShake::CreateScreenShake(static_cast<int>(Shake), 0.5f);
      ShakeTime = GameTime;
    }
  };
  auto tremble = [&] {
    if (GameTime > ShakeTime + 100) {
      TScreenShake::CreateScreenShake(1, 0.5f);
      ShakeTime = GameTime;
    }
  };
  switch (state) {
    case 0:
      rumble();
      if (GameTime > UpdTime + 4000) state = 1;
      break;
    case 1:
      Fade2->Init(0.0f, 0.01f, 1.0f);
      state = 2;
      break;
    case 2:
      rumble();
      if (Fade2->alpha >= 1.0f) {
        if (ScreenFade) ScreenFade->alpha = 0.0f;
        // The scene steps and draws the glow itself.
        Effect = TBlink::Create(static_cast<float>(VirtualCenterX), kCentreY);
        ReleaseFromVisuals(Effect);
        Effect->state = 2;
        state = 3;
      }
      break;
    case 3:
      alpha += 0.02f * dt;
      tremble();
      if (alpha >= 2.0f) {
        alpha = 1.0f;
        Image->Paused = 0;
        Image->UpdTime = GameTime;
        UpdTime = GameTime;
        state = 4;
      }
      break;
    case 4:
      if (Image->Frame < Image->Frames - 3) tremble();
      // A missing or one-frame animation counts as played.
      if (Image->CheckComplete() && GameTime > UpdTime + 7000) {
        if (Effect) Effect->state = 1;
        state = 5;
      }
      break;
    case 5:
      alpha = std::max(alpha - 0.01f * dt, 0.0f);
      if (alpha == 0.0f) {
        RemoveResults();
        Fade2->Init(1.0f, -0.02f, 1.0f);
        state = 6;
      }
      break;
    case 6:
      if (Fade2->alpha <= 0.0f) {
        state = 7;  // finished: nothing more, even if stepped again
        const Ref<TWidget> self = Self();
        if (WidgetManager) WidgetManager->RemoveWidget(self);
        if (GameScreen) {
          GameScreen->Pause(0);
          GameScreen->LevelComplete();
        }
      }
      break;
    default:
      break;
  }
  return 0;
}

void TBrownieTransform::RemoveResults() {
  if (GameScreen && GameScreen->CompleteForm && WidgetManager) WidgetManager->RemoveWidget(GameScreen->CompleteForm);
}

int TBrownieTransform::Draw() {
  using namespace platform;
  if (Fade2) Fade2->Draw();
  PushGraphicsState();
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  if (Effect) Effect->Draw();
  SetAlpha(std::min(alpha, 1.0f));
  SetScale(scale, scale);
  DrawAnimImage(Image, static_cast<float>(VirtualCenterX), kCentreY);
  PopGraphicsState();
  return 0;
}

}  // namespace kelp
