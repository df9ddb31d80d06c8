#include "village/trophy_dialog.h"

#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

int TTrophyDialog::AddedToManager() {
  Form_Trophy = ResManager ? ResManager->GetImage("IMAGE_GUI_TROPHY_ROOM") : nullptr;
  Back = CreateButton(0, 0, ResManager ? ResManager->GetImage("IMAGE_GUI_Bt_Back") : nullptr, "", Back_ID, Self(), 2, 2);
  Back->OverImage = ResManager ? ResManager->GetImage("IMAGE_GUI_Bt_Back_ON") : nullptr;
  if (WidgetManager) WidgetManager->AddWidget(Back);
  Resize(0, 0, Form_Trophy ? Form_Trophy->Width() : 0, Form_Trophy ? Form_Trophy->Height() : 0);
  CenterToScreen();
  return 0;
}

void TTrophyDialog::CenterToScreen() { Resize(400 - _width / 2, 300 - _height / 2, _width, _height); }

int TTrophyDialog::Resize(int px, int py, int width, int height) {
  TWidget::Resize(px, py, width, height);
  if (Back) Back->SetPosition(px + Back_x, py + Back_y);
  return 0;
}

int TTrophyDialog::SetHided(int flag) {
  if (Back) Back->SetHided(flag);
  return TWidget::SetHided(flag);
}

int TTrophyDialog::DePress(int id) {
  if (id == Back_ID) SetHided(1);
  return 0;
}

int TTrophyDialog::Draw() {
  platform::SetColor(255, 255, 255);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetScale(1.0f, 1.0f);
  platform::SetRotation(0.0f);
  if (Form_Trophy) platform::DrawImage(Form_Trophy, 0.0f, 0.0f);
  return 0;
}

int TTrophyDialog::RemovedFromManager() {
  if (Back && WidgetManager) WidgetManager->RemoveWidget(Back);
  Form_Trophy = nullptr;
  return 0;
}

}  // namespace kelp
