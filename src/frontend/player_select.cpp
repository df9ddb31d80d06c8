#include "frontend/player_select.h"

#include "framework/core/numeric.h"
#include "framework/files/language.h"
#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/resources.h"
#include "framework/ui/controls.h"
#include "framework/ui/input_box.h"
#include "framework/ui/message_box.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "frontend/menu_links.h"
#include "frontend/profile.h"
#include "play/player.h"
#include "platform/input.h"

namespace kelp {

namespace {

constexpr int kListWidth = 200;
constexpr int kListHeight = 110;

Ref<TButtonWidget> MakeButton(int id, const char* anim, const Ref<TWidget>& dialog) {
  auto b = CreateButton(0, 0, nullptr, "", id, dialog, 0, 0);
  b->SetAnim(TAnimImage::Load2(anim, -1));
  WidgetManager->AddWidget(b);
  return b;
}

int Rows(const Ref<TListbox>& list) { return list && list->List ? static_cast<int>(list->List->size()) : 0; }

// The profile at a 1-based row, or null for a row the list does not have.
Ref<TProfile> ProfileAt(int row) {
  if (row < 1 || row > static_cast<int>(Profiles.Count())) return nullptr;
  return Profiles.ValueAt(static_cast<size_t>(row - 1));
}

}  // namespace

Ref<TUserOptions> ShowUserOptions() {
  auto d = New<TUserOptions>();
  d->SetImage(ResManager ? ResManager->GetImage("IMAGE_MAINMENU_USER_FRAME") : nullptr);
  WidgetManager->AddWidget(d);
  const int w = d->_width, h = d->_height;
  d->Resize(VirtualCenterX - w / 2, -h, w, h);
  d->StartShow();
  return d;
}

int TUserOptions::AddedToManager() {
  SetMenuUserInput(0);
  if (Mouse) Mouse->Bt1Up = 0;
  const Ref<TWidget> self = Self();
  BUTTON_OK = MakeButton(Button_OK_ID, "IMAGE_GUI_BT_OK", self);
  BUTTON_CANCEL = MakeButton(Button_CANCEL_ID, "IMAGE_GUI_BT_CANCEL", self);
  Button_NEW = MakeButton(Button_NEW_ID, "IMAGE_MAINMENU_BUTTON_NEW", self);
  Button_DELETE = MakeButton(Button_DELETE_ID, "IMAGE_MAINMENU_BUTTON_DELETE", self);
  Button_ARROW_UP = MakeButton(Button_ARROW_UP_ID, "IMAGE_MAINMENU_ARROW_UP", self);
  Button_ARROW_DOWN = MakeButton(Button_ARROW_DOWN_ID, "IMAGE_MAINMENU_ARROW_DOWN", self);
  User_ListBox = New<TListbox>();
  WidgetManager->AddWidget(User_ListBox);
  User_ListBox->Font = FontUserlist;
  User_ListBox->Selector = ResManager ? ResManager->GetImage("IMAGE_MAINMENU_SELECTOR") : nullptr;
  RefreshList();
  Fadeable = 1;
  SetPosition(Int(_x), Int(_y));
  return 0;
}

int TUserOptions::RemovedFromManager() {
  for (const auto& w : std::initializer_list<Ref<TWidget>>{BUTTON_OK, BUTTON_CANCEL, Button_NEW, Button_DELETE,
                                                           Button_ARROW_UP, Button_ARROW_DOWN, User_ListBox})
    if (w) WidgetManager->RemoveWidget(w);
  SetMenuUserInput(1);
  if (Mouse) Mouse->Bt1Up = 0;
  return 0;
}

int TUserOptions::Resize(int px, int py, int width, int height) {
  TDialogStatic::Resize(px, py, width, height);
  SetPosition(px, py);
  return 0;
}

int TUserOptions::SetPosition(int px, int py) {
  TDialogStatic::Resize(px, py, _width, _height);
  auto place = [](const Ref<TWidget>& w, int wx, int wy) {
    if (w) w->SetPosition(wx, wy);
  };
  place(BUTTON_OK, px + 41, py + 267);
  place(BUTTON_CANCEL, px + 169, py + 267);
  place(Button_NEW, px + 41, py + 222);
  place(Button_DELETE, px + 169, py + 222);
  place(Button_ARROW_UP, px + 265, py + 110);
  place(Button_ARROW_DOWN, px + 265, py + 158);
  if (User_ListBox) User_ListBox->Resize(px + 60, py + 105, kListWidth, kListHeight);
  return 0;
}

int TUserOptions::StartShow() {
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartShow(4.0f, 0.6f, 0.15f);
  fade_state = 1;
  return 0;
}

int TUserOptions::StartHiding() {
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartHiding();
  fade_state = 2;
  return 0;
}

void TUserOptions::RefreshList() {
  if (!User_ListBox || !User_ListBox->List) return;
  User_ListBox->List->clear();
  User_ListBox->Selected = 1;
  int row = 0;
  for (const Ref<TProfile>& p : Profiles) {
    User_ListBox->List->push_back(p->name);
    ++row;
    if (Player && Player->Profile == p) User_ListBox->Selected = row;
  }
}

void TUserOptions::DeleteUser() {
  const Ref<TProfile> p = ProfileAt(User_ListBox ? User_ListBox->Selected : 0);
  if (!p) return;
  p->Remove();
  RefreshList();
}

void TUserOptions::OK() {
  const Ref<TProfile> p = ProfileAt(User_ListBox ? User_ListBox->Selected : 0);
  if (p) {
    if (Player) Player->Profile = p;
    p->SetUser();
  }
  WidgetManager->RemoveWidget(this);
  RebuildMenuGreeting();
}

void TUserOptions::CANCEL() {
  WidgetManager->RemoveWidget(this);
  RebuildMenuGreeting();
}

int TUserOptions::DePress(int id) {
  if (id == Button_ARROW_UP_ID || id == Button_ARROW_DOWN_ID) {
    if (!User_ListBox) return 0;
    const int rows = Rows(User_ListBox);
    int& sel = User_ListBox->Selected;
    if (id == Button_ARROW_UP_ID) sel = sel <= 1 ? rows : sel - 1;
    else sel = sel < rows ? sel + 1 : 1;
    if (sel < 1) sel = 1;
    return 0;
  }
  if (id == DeleteBoxID * TMessageBox::Button_1_ID) {
    // The confirmation's "yes": the box then closes this dialog and opens a fresh one.
    PressedID = id;
    DeleteUser();
    if (Profiles.IsEmpty()) {
      // Nobody is left: straight to the name box, not back to an empty list.
      if (DeleteMessageBox) DeleteMessageBox->options = 2;
      ShowInputBox2(0);
    }
    return 0;
  }
  if (id >= TMessageBox::Button_0_ID) return 0;  // a box's other answers: it reopens the dialog itself
  if (Updater && Updater->IsHiding()) return 0;  // the first choice stands
  PressedID = id;
  StartHiding();
  return 0;
}

int TUserOptions::Update(float dt) {
  if (!Updater || !Updater->IsHiding()) {
    if (platform::KeyHit(platform::VK_RETURN)) DePress(Button_OK_ID);
    else if (platform::KeyHit(platform::VK_ESCAPE)) DePress(Button_CANCEL_ID);
  }
  if (Updater) Updater->Update(dt);
  SetPosition(Int(_x), Int(_y));
  if (!Updater || !Updater->IsHiding() || !Updater->IsDeath() || acted_) return 0;
  acted_ = 1;
  const Ref<TWidget> keep = Self();
  if (PressedID == Button_OK_ID) {
    OK();
  } else if (PressedID == Button_CANCEL_ID) {
    CANCEL();
  } else if (PressedID == Button_NEW_ID) {
    WidgetManager->RemoveWidget(this);
    if (static_cast<int>(Profiles.Count()) < MaxProfiles) {
      ShowInputBox2(1);
    } else {
      ShowMessageBox(TooManyBoxID, keep, GameTexts[24], 1, "IMAGE_GUI_BT_OK", "", 1);
    }
  } else if (PressedID == Button_DELETE_ID) {
    if (ProfileAt(User_ListBox ? User_ListBox->Selected : 0)) {
      DeleteMessageBox = ShowMessageBox(DeleteBoxID, keep, GameTexts[25], 2, "IMAGE_GUI_BT_YES", "IMAGE_GUI_BT_NO", 1);
    } else {
      WidgetManager->RemoveWidget(this);
      ShowUserOptions();
    }
  } else {
    WidgetManager->RemoveWidget(this);
  }
  return 0;
}

}  // namespace kelp
