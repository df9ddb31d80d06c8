#include "frontend/help.h"

#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/resources.h"
#include "framework/ui/controls.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "platform/input.h"
#include "play/game.h"
#include "play/game_menu.h"

namespace kelp {

Ref<THelp> ShowHelp() {
  auto d = New<THelp>();
  d->SetImage(ResManager ? ResManager->GetImage("IMAGE_GAMEMENU_HELP_FRAME") : nullptr);
  d->Fadeable = 1;
  if (!WidgetManager) return d;
  WidgetManager->AddWidget(d);
  const int w = d->Image ? d->Image->Width() : 544, h = d->Image ? d->Image->Height() : 564;
  d->Resize(VirtualCenterX - w / 2, -h, w, h);
  d->StartShow();
  return d;
}

int THelp::AddedToManager() {
  BUTTON_OK = CreateButton(0, 0, nullptr, "", BUTTON_OK_ID, Self(), 0, 0);
  BUTTON_OK->SetAnim(TAnimImage::Load2("IMAGE_GUI_BT_OK", -1));
  WidgetManager->AddWidget(BUTTON_OK);
  return 0;
}

int THelp::RemovedFromManager() {
  WidgetManager->RemoveWidget(BUTTON_OK);
  return 0;
}

int THelp::SetPosition(int px, int py) {
  TWidget::Resize(px, py, _width, _height);
  if (BUTTON_OK) BUTTON_OK->SetPosition(px + 212, py + 505);
  return 0;
}

int THelp::Resize(int px, int py, int width, int height) {
  TWidget::Resize(px, py, width, height);
  return SetPosition(px, py);
}

void THelp::StartShow() {
  if (Mouse) Mouse->Flush();
  platform::FlushKeys();
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartShow(4.0f, 0.6f, 0.15f);
  fade_state = 1;
}

void THelp::StartHiding() {
  if (Mouse) Mouse->Flush();
  platform::FlushKeys();
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartHiding();
  fade_state = 2;
}

int THelp::DePress(int id) {
  if (Updater && Updater->IsHiding()) return 0;  // closing already
  PressedID = id;
  StartHiding();
  return 0;
}

int THelp::Update(float dt) {
  const Ref<TWidget> keep = Self();
  if (Updater) Updater->Update(dt);
  SetPosition(static_cast<int>(_x), static_cast<int>(_y));
  if (platform::KeyHit(platform::VK_RETURN) || platform::KeyHit(platform::VK_ESCAPE)) DePress(BUTTON_OK_ID);
  if (Updater && Updater->IsHiding() && Updater->IsDeath()) {
    Updater = nullptr;
    WidgetManager->RemoveWidget(this);
    if (GameScreen) ShowGameMenu(GameScreen);
  }
  return 0;
}

}  // namespace kelp
