#include "play/game_menu.h"

#include "framework/core/numeric.h"
#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/resources.h"
#include "framework/ui/controls.h"
#include "framework/ui/widget_updater.h"
#include "platform/input.h"
#include "play/dialog_game.h"
#include "play/game.h"

namespace kelp {

namespace {

Ref<TButtonWidget> MakeButton(int id, const char* anim, const Ref<TWidget>& menu) {
  auto b = CreateButton(0, 0, nullptr, "", id, menu, 0, 0);
  b->SetAnim(TAnimImage::Load2(anim, -1));
  WidgetManager->AddWidget(b);
  return b;
}

void PauseStory(int flag) {
  if (GameScreen && GameScreen->Dialog) GameScreen->Dialog->Pause(flag);
}

}  // namespace

Ref<TGameMenu> ShowGameMenu(const Ref<TWidget>& listener) {
  auto menu = New<TGameMenu>();
  menu->Listener = listener;
  WidgetManager->AddWidget(menu);
  const int w = menu->Image ? menu->Image->Width() : 0, h = menu->Image ? menu->Image->Height() : 0;
  menu->Resize(VirtualCenterX - w / 2, -h, w, h);
  menu->StartShow();
  if (GameScreen) GameScreen->Pause(1);
  return menu;
}

int TGameMenu::AddedToManager() {
  Fadeable = 1;
  Image = ResManager ? ResManager->GetImage("IMAGE_GAMEMENU_MESSAGE_BOX") : nullptr;
  const Ref<TWidget> self = Self();
  Button_RESUME = MakeButton(Button_RESUME_ID, "IMAGE_GAMEMENU_BT_RESUME", self);
  Button_OPTIONS = MakeButton(Button_OPTIONS_ID, "IMAGE_GAMEMENU_BT_OPTIONS", self);
  Button_OPTIONS->locked = GameLinks.ShowOptions ? 0 : 1;
  Button_TOISLAND = MakeButton(Button_TOISLAND_ID, "IMAGE_GAMEMENU_BT_TOISLAND", self);
  if (ResManager) Button_TOISLAND->LockedImage = ResManager->GetImage("IMAGE_GAMEMENU_BT_TOISLAND_LOCKED");
  Button_TOISLAND->locked = GameScreen && GameScreen->CustomLevel ? 1 : 0;
  Button_HELP = MakeButton(Button_HELP_ID, "IMAGE_GAMEMENU_BT_HELP", self);
  Button_HELP->locked = GameLinks.ShowHelp ? 0 : 1;
  Button_MAINMENU = MakeButton(Button_MAINMENU_ID, "IMAGE_GAMEMENU_BT_MAINMENU", self);
  return 0;
}

void TGameMenu::PlaceButtons() {
  const Ref<TButtonWidget> buttons[] = {Button_RESUME, Button_OPTIONS, Button_TOISLAND, Button_HELP,
                                        Button_MAINMENU};
  int y = 45;
  for (const auto& b : buttons) {
    if (b) b->SetPosition(Int(_x + 47.0f), Int(_y + static_cast<float>(y)));
    y += 55;
  }
}

int TGameMenu::Resize(int px, int py, int width, int height) {
  TDialogStatic::Resize(px, py, width, height);
  PlaceButtons();
  return 0;
}

int TGameMenu::StartShow() {
  PauseStory(1);
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartShow(4.0f, 0.6f, 0.15f);
  fade_state = 1;
  return 0;
}

int TGameMenu::StartHiding() {
  PauseStory(0);
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartHiding();
  fade_state = 2;
  return 0;
}

int TGameMenu::Update(float dt) {
  if (Updater) Updater->Update(dt);
  PlaceButtons();
  if (platform::KeyHit(platform::VK_ESCAPE)) DePress(Button_RESUME_ID);
  if (Updater && Updater->IsHiding() && Updater->IsDeath() && !reported_) {
    reported_ = 1;
    const Ref<TWidget> keep = Self();
    WidgetManager->RemoveWidget(this);
    if (const Ref<TWidget> listener = Listener.lock()) listener->DePress(PressedID);
  }
  return 0;
}

int TGameMenu::DePress(int id) {
  if (PressedID != 0) return 0;  // the first press stands
  const Ref<TButtonWidget> pressed = id == Button_RESUME_ID     ? Button_RESUME
                                     : id == Button_OPTIONS_ID  ? Button_OPTIONS
                                     : id == Button_TOISLAND_ID ? Button_TOISLAND
                                     : id == Button_HELP_ID     ? Button_HELP
                                                                : Button_MAINMENU;
  if (pressed && pressed->locked) return 0;
  PressedID = id;
  StartHiding();
  return 0;
}

int TGameMenu::RemovedFromManager() {
  for (const auto& b : {Button_RESUME, Button_OPTIONS, Button_TOISLAND, Button_HELP, Button_MAINMENU})
    WidgetManager->RemoveWidget(b);
  return 0;
}

int TGameMenu::Draw() { return TDialogStatic::Draw(); }

}  // namespace kelp
