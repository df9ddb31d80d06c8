#include "play/game_complete.h"

#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/sound.h"
#include "framework/ui/mouse.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "play/game.h"

namespace kelp {

Ref<TGameComplete> ShowGameComplete() {
  auto screen = New<TGameComplete>();
  if (!WidgetManager) return screen;
  WidgetManager->AddWidget(screen);
  screen->Resize(0, 0, 800, 600);
  screen->StartShow();
  return screen;
}

int TGameComplete::AddedToManager() {
  const platform::StreamRef s = OpenPakStream("data/img/game/gamecomplete.jpg");
  Image = s ? platform::LoadImage(*s) : nullptr;
  if (!Image) WriteLog("data/img/game/gamecomplete.jpg cannot be read; the closing picture stays dark", LOG_WARNING);
  return 0;
}

int TGameComplete::RemovedFromManager() {
  Image = nullptr;
  return 0;
}

int TGameComplete::StartShow() {
  PlayMusic("MUSIC_CREDITS", 1);
  if (ScreenFade) ScreenFade->Init(1.0f, -0.02f, 1.0f);
  return 0;
}

int TGameComplete::StartHiding() {
  if (ScreenFade) ScreenFade->Init(0.0f, 0.04f, 1.0f);
  hiding = 1;
  return 0;
}

int TGameComplete::Update(float dt) {
  const Ref<TWidget> keep = Self();
  UpdateMusic(dt);
  const bool clear = !ScreenFade || ScreenFade->alpha <= 0.0f;
  if (!hiding && clear && Mouse && (Mouse->Bt1Hit || Mouse->Bt2Hit)) StartHiding();
  if (ScreenFade) ScreenFade->Update(dt);
  if (!hiding || done_ || (ScreenFade && ScreenFade->alpha < 1.0f)) return 0;
  done_ = 1;
  if (GameLinks.AddScore) GameLinks.AddScore();
  if (WidgetManager) WidgetManager->RemoveWidget(this);
  if (GameLinks.RestartSave) GameLinks.RestartSave();
  if (GameLinks.ShowCredits) GameLinks.ShowCredits();
  return 0;
}

int TGameComplete::Draw() {
  SetGameViewport();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  platform::SetScale(1.0f, 1.0f);
  if (Image) platform::DrawImage(Image, Image->HandleX(), Image->HandleY());
  DrawSideBars();
  if (ScreenFade) ScreenFade->Draw();
  return 0;
}

}  // namespace kelp
