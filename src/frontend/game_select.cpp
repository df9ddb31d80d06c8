#include "frontend/game_select.h"

#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/resources.h"
#include "framework/ui/controls.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "frontend/main_menu.h"
#include "frontend/map.h"
#include "frontend/profile.h"
#include "platform/input.h"
#include "play/game.h"
#include "play/player.h"

namespace kelp {

namespace {

platform::ImageRef Picture(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

Ref<TGameData> SaveData() { return Player && Player->Profile ? Player->Profile->data : nullptr; }

// The save keeps the mode of the game it holds.
void StoreModeInSave() {
  if (const Ref<TGameData> data = SaveData(); data && GameScreen) data->GameMode = GameScreen->GameMode;
}

}  // namespace

Ref<TGameSelect> ShowGameSelect(int mainMenu) {
  auto d = New<TGameSelect>();
  d->SetImage(Picture("IMAGE_MAINMENU_MODE_FRAME"));
  d->Fadeable = 1;
  d->Modal = 1;
  d->MainMenu = mainMenu;
  if (!WidgetManager) return d;
  WidgetManager->AddWidget(d);
  const int w = d->Image ? d->Image->Width() : 260, h = d->Image ? d->Image->Height() : 220;
  d->Resize(VirtualCenterX - w / 2, -h, w, h);
  d->StartShow();
  return d;
}

int TGameSelect::AddedToManager() {
  auto button = [this](int id, const char* anim) {
    auto b = CreateButton(0, 0, nullptr, "", id, Self(), 0, 0);
    b->SetAnim(TAnimImage::Load2(anim, -1));
    WidgetManager->AddWidget(b);
    return b;
  };
  BUTTON_NORMAL = button(BUTTON_NORMAL_ID, "IMAGE_MAINMENU_BUTTON_NORMAL");
  BUTTON_RELAXED = button(BUTTON_RELAXED_ID, "IMAGE_MAINMENU_BUTTON_RELAXED");
  BUTTON_LEVEL = button(BUTTON_LEVEL_ID, "IMAGE_MAINMENU_BUTTON_LEVEL");
  BUTTON_CROSS = CreateButton(0, 0, Picture("IMAGE_GUI_Cross"), "", BUTTON_CROSS_ID, Self(), 0, 0);
  BUTTON_CROSS->OverImage = Picture("IMAGE_GUI_Cross_ON");
  WidgetManager->AddWidget(BUTTON_CROSS);
  return 0;
}

int TGameSelect::RemovedFromManager() {
  for (const Ref<TButtonWidget>& b : {BUTTON_NORMAL, BUTTON_RELAXED, BUTTON_LEVEL, BUTTON_CROSS})
    WidgetManager->RemoveWidget(b);
  platform::FlushKeys();
  if (Mouse) Mouse->Flush();
  return 0;
}

int TGameSelect::SetPosition(int px, int py) {
  TWidget::Resize(px, py, _width, _height);
  if (BUTTON_NORMAL) BUTTON_NORMAL->SetPosition(px + 29, py + 46);
  if (BUTTON_RELAXED) BUTTON_RELAXED->SetPosition(px + 29, py + 96);
  if (BUTTON_LEVEL) BUTTON_LEVEL->SetPosition(px + 29, py + 146);
  if (BUTTON_CROSS) BUTTON_CROSS->SetPosition(px + 220, py - 3);
  return 0;
}

int TGameSelect::Resize(int px, int py, int width, int height) {
  TWidget::Resize(px, py, width, height);
  return SetPosition(px, py);
}

int TGameSelect::SetHided(int flag) {
  TWidget::SetHided(flag);
  for (const Ref<TButtonWidget>& b : {BUTTON_NORMAL, BUTTON_RELAXED, BUTTON_LEVEL, BUTTON_CROSS})
    if (b) b->SetHided(flag);
  return 0;
}

void TGameSelect::StartShow() {
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartShow(4.0f, 0.6f, 0.15f);
  fade_state = 1;
}

void TGameSelect::StartHiding() {
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartHiding();
  fade_state = 2;
}

int TGameSelect::DePress(int id) {
  if (closing_) return 0;
  closing_ = 1;
  PressedID = id;
  if (id == BUTTON_NORMAL_ID || id == BUTTON_RELAXED_ID) {
    if (MainMenu) {
      if (MainMenuScreen) MainMenuScreen->LeaveFor(MainMenuScreen->Button_START_ID);
    } else if (MapScreen) {
      MapScreen->PressedID = MapScreen->Button_NEWGAME_ID;
      // A new game from the map starts the save over; the mode is stored
      // into the fresh save when the slide-out ends.
      if (const Ref<TGameData> data = SaveData()) data->EraseData();
      MapScreen->StartHiding();
    }
  }
  StartHiding();
  return 0;
}

int TGameSelect::Update(float dt) {
  const Ref<TWidget> keep = Self();
  if (Updater) Updater->Update(dt);
  SetPosition(static_cast<int>(_x), static_cast<int>(_y));
  if (platform::KeyHit(platform::VK_ESCAPE)) DePress(BUTTON_CROSS_ID);
  if (!Updater || !Updater->IsHiding() || !Updater->IsDeath()) return 0;
  if (GameScreen) {
    if (PressedID == BUTTON_NORMAL_ID) GameScreen->GameMode = TGame::NORMAL;
    if (PressedID == BUTTON_RELAXED_ID) GameScreen->GameMode = TGame::RELAXED;
  }
  if (PressedID == BUTTON_LEVEL_ID) {
    if (MainMenu) {
      if (MainMenuScreen) MainMenuScreen->DePress(MainMenuScreen->Button_LEVEL_ID);
    } else if (MapScreen) {
      MapScreen->DePress(-1);
    }
  }
  StoreModeInSave();
  Updater = nullptr;
  if (WidgetManager) WidgetManager->RemoveWidget(this);
  return 0;
}

}  // namespace kelp
