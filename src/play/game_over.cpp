#include "play/game_over.h"

#include <string>

#include "framework/core/numeric.h"
#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/ui/controls.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "play/game.h"

namespace kelp {

namespace {

Ref<TButtonWidget> MakeButton(int id, const char* anim, const Ref<TWidget>& screen) {
  auto b = CreateButton(0, 0, nullptr, "", id, screen, 0, 0);
  b->SetAnim(TAnimImage::Load2(anim, -1));
  WidgetManager->AddWidget(b);
  return b;
}

platform::ImageRef Picture(const std::string& id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

}  // namespace

Ref<TGameOver> ShowGameOver() {
  StopSoundEffect("SOUND_REDLINE_WARNING");
  auto screen = New<TGameOver>();
  screen->Fadeable = 1;
  screen->Modal = 1;
  WidgetManager->AddWidget(screen);
  screen->Resize(0, -600, 800, 600);
  screen->StartShow();
  return screen;
}

int TGameOver::AddedToManager() {
  if (Mouse) Mouse->Show();
  BUTTON_RETRY = MakeButton(Button_RETRY_ID, "IMAGE_BUTTON_RETRY", Self());
  BUTTON_SKIP = MakeButton(Button_SKIP_ID, "IMAGE_BUTTON_SKIP", Self());
  Image = Picture("IMAGE_GAMEOVER");
  Text1 = Picture("IMAGE_GAMEOVER_TEXT_01");
  const int skips = GameLinks.SkipsLeft ? GameLinks.SkipsLeft() : 0;
  const int level = GameScreen ? GameScreen->Level : 0;
  const bool custom = GameScreen && GameScreen->CustomLevel;
  if (skips <= 0 || level == 67 || level == 31 || custom)
    BUTTON_SKIP->locked = 1;
  else
    Text2 = Picture("IMAGE_SKIP" + std::to_string(skips));
  return 0;
}

int TGameOver::RemovedFromManager() {
  if (Mouse) Mouse->Hide();
  WidgetManager->RemoveWidget(BUTTON_RETRY);
  WidgetManager->RemoveWidget(BUTTON_SKIP);
  Image = Text1 = Text2 = nullptr;
  return 0;
}

int TGameOver::SetPosition(int px, int py) {
  TWidget::Resize(px, py, _width, _height);
  if (BUTTON_RETRY) BUTTON_RETRY->SetPosition(px + 200 + CanvasOffsetX, py + 484);
  if (BUTTON_SKIP) BUTTON_SKIP->SetPosition(px + 404 + CanvasOffsetX, py + 486);
  return 0;
}

int TGameOver::Resize(int px, int py, int width, int height) {
  TWidget::Resize(px, py, width, height);
  return SetPosition(px, py);
}

int TGameOver::StartShow() {
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartShow(4.0f, 0.6f, 0.15f);
  fade_state = 1;
  return 0;
}

int TGameOver::StartHiding() {
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartHiding();
  fade_state = 2;
  return 0;
}

int TGameOver::DePress(int id) {
  if (PressedID) return 0;  // the first press stands
  if (id == Button_SKIP_ID && BUTTON_SKIP && BUTTON_SKIP->locked) return 0;
  PressedID = id;
  StartHiding();
  return 0;
}

int TGameOver::Update(float dt) {
  if (Updater) Updater->Update(dt);
  SetPosition(Int(_x), Int(_y));
  if (done_ || !Updater || !Updater->IsHiding() || !Updater->IsDeath()) return 0;
  done_ = 1;
  const Ref<TWidget> keep = Self();
  WidgetManager->RemoveWidget(this);
  if (!GameScreen) return 0;
  if (PressedID == Button_RETRY_ID) {
    GameScreen->Clear();
    GameScreen->Restart();
  } else if (PressedID == Button_SKIP_ID) {
    if (GameLinks.UseSkip) GameLinks.UseSkip();
    GameScreen->Skip();
  }
  return 0;
}

int TGameOver::Draw() {
  SetGameViewport();
  platform::SetOrigin(static_cast<float>(CanvasOffsetX) + _x, _y);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  platform::SetScale(1.0f, 1.0f);
  platform::DrawImage(Image, 0.0f, 0.0f);
  platform::SetScale(0.7f, 0.7f);
  platform::DrawImage(Text1, 400.0f, 450.0f);
  platform::SetScale(1.0f, 1.0f);
  if (Text2) platform::DrawImage(Text2, 486.0f, 561.0f);
  DrawSideBars();
  return 0;
}

}  // namespace kelp
