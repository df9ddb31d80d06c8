#include "frontend/options_dialog.h"

#include "framework/core/numeric.h"
#include "framework/core/startup_settings.h"
#include "framework/files/language.h"
#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/ui/controls.h"
#include "framework/ui/message_box.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "frontend/menu_links.h"
#include "frontend/options.h"
#include "frontend/save_notice.h"
#include "frontend/save_folder.h"
#include "play/game.h"
#include "play/game_menu.h"
#include "platform/input.h"

namespace kelp {

int FullScreenChangePending = 0;
int WideScreenChangePending = 0;

namespace {

constexpr int kNoticeText = 59;  // "used the next time the game starts"
constexpr int kCheckboxWidth = 200;

platform::ImageRef GuiImage(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

Ref<TButtonWidget> MakeButton(int id, const char* anim, const Ref<TWidget>& dialog) {
  auto b = CreateButton(0, 0, nullptr, "", id, dialog, 0, 0);
  b->SetAnim(TAnimImage::Load2(anim, -1));
  WidgetManager->AddWidget(b);
  return b;
}

Ref<TScrollBarH> MakeScroll(int id, const Ref<TWidget>& dialog) {
  auto s = CreateScrollBarH(GuiImage("IMAGE_GUI_SCROLL_EMPTY"), GuiImage("IMAGE_GUI_SCROLL_FULL"),
                            GuiImage("IMAGE_GUI_SCROLL_MARKER_OFF"), GuiImage("IMAGE_GUI_SCROLL_MARKER_ON"), 30, id, dialog);
  WidgetManager->AddWidget(s);
  return s;
}

Ref<TCheckbox> MakeCheckbox(int id, int state, const Ref<TWidget>& dialog) {
  auto c = CreateCheckbox(GuiImage("IMAGE_GUI_CHECKBOX_ON"), GuiImage("IMAGE_GUI_CHECKBOX_OFF"), state, 0, 0, id, dialog);
  c->_width = kCheckboxWidth;
  WidgetManager->AddWidget(c);
  return c;
}

void ApplyPointer(const Ref<TScrollBarH>& sens) {
  if (CustomCursor) {
    if (Mouse) {
      Mouse->system = 0;
      Mouse->CustomInit();
    }
    if (sens) sens->Locked = 0;
  } else {
    if (sens) sens->Locked = 1;
    if (Mouse) Mouse->SystemInit();
  }
}

bool Desktop43() { return DesktopAspect == "4:3"; }

void OpenMode(int fullScreen) {
  if (fullScreen) TOptions::SetFullScreen();
  else TOptions::SetWindowed();
}

}  // namespace

TOptions::TOptions() {
  Fadeable = 1;
  Clip = 1;
}

Ref<TOptions> ShowOptions(int inGame) {
  auto d = New<TOptions>();
  d->InGame = inGame;
  d->SetImage(GuiImage("IMAGE_GUI_OPTIONS"));
  WidgetManager->AddWidget(d);
  const int w = d->_width, h = d->_height;
  d->Resize(VirtualCenterX - w / 2, -h, w, h);
  if (d->BUTTON_CREDITS) d->BUTTON_CREDITS->locked = inGame || !MenuLinks.ShowCredits ? 1 : 0;
  d->StartShow();
  return d;
}

int TOptions::AddedToManager() {
  const Ref<TWidget> self = Self();
  BUTTON_OK = MakeButton(Button_OK_ID, "IMAGE_GUI_BT_OK", self);
  BUTTON_CANCEL = MakeButton(Button_CANCEL_ID, "IMAGE_GUI_BT_CANCEL", self);
  BUTTON_CREDITS = MakeButton(Button_CREDITS_ID, "IMAGE_GUI_BT_CREDITS", self);
  BUTTON_CREDITS->LockedImage = GuiImage("IMAGE_GUI_BT_CREDITS_OFF");
  Scroll_Music = MakeScroll(Scroll_MUSIC_ID, self);
  Scroll_Sound = MakeScroll(Scroll_SOUND_ID, self);
  Scroll_Sens = MakeScroll(Scroll_SENS_ID, self);
  CB_FullScreen = MakeCheckbox(CB_FullScreen_ID, FullScreenChangePending ? !FullScreenMode : FullScreenMode, self);
  CB_WideScreen = MakeCheckbox(CB_WideScreen_ID, WideScreenChangePending ? !WideLayout : WideLayout, self);
  CB_CustomCursor = MakeCheckbox(CB_CustomCursor_ID, CustomCursor, self);
  TWidget::AddedToManager();
  platform::FlushKeys();

  OldSoundVolume = SoundVolume;
  OldMusicVolume = MusicVolume;
  OldMouseSensitivity = MouseSensitivity;
  OldFullScreenMode = FullScreenMode;
  OldWideLayout = WideLayout;
  OldCustomCursor = CustomCursor;
  OldFullScreen = FullScreen;
  OldFullScreenChangePending = FullScreenChangePending;
  OldWideScreenChangePending = WideScreenChangePending;

  Scroll_Sens->Locked = CustomCursor ? 0 : 1;  // the sensitivity moves only the game's own pointer
  if (Desktop43()) {
    CB_WideScreen->Locked = 1;
    WideScreen = 0;
  } else {
    CB_WideScreen->Locked = 0;
  }
  if (!FullScreenMode) CB_WideScreen->Locked = 1;
  OldWideScreen = WideScreen;
  if (!AudioAvailable) {
    Scroll_Music->Locked = 1;
    Scroll_Sound->Locked = 1;
  }
  Scroll_Music->Value = MusicVolume;
  Scroll_Sound->Value = SoundVolume;
  Scroll_Sens->Value = MouseSensitivity;
  SetPosition(Int(_x), Int(_y));
  return 0;
}

int TOptions::Resize(int px, int py, int width, int height) {
  TDialogStatic::Resize(px, py, width, height);
  SetPosition(px, py);
  return 0;
}

int TOptions::SetPosition(int px, int py) {
  TDialogStatic::Resize(px, py, _width, _height);
  auto place = [&](const Ref<TWidget>& w, int dx, int dy) {
    if (w) w->SetPosition(px + dx, py + dy);
  };
  place(BUTTON_OK, 40, 390);
  place(BUTTON_CANCEL, 180, 390);
  place(BUTTON_CREDITS, 220, 282);
  place(Scroll_Music, 55, 122);
  place(Scroll_Sound, 55, 185);
  place(Scroll_Sens, 55, 250);
  place(CB_FullScreen, 50, 285);
  place(CB_WideScreen, 50, 320);
  place(CB_CustomCursor, 50, 355);
  return 0;
}

int TOptions::Update(float dt) {
  if (platform::KeyHit(platform::VK_RETURN)) DePress(Button_OK_ID);
  if (platform::KeyHit(platform::VK_ESCAPE)) DePress(Button_CANCEL_ID);
  UpdateMusic(dt);
  if (Updater) Updater->Update(dt);
  SetPosition(Int(_x), Int(_y));
  if (!Updater || !Updater->IsHiding() || !Updater->IsDeath()) return 0;
  const Ref<TWidget> keep = Self();
  const int pressed = PressedID;
  PressedID = -1;  // acted on once
  if (pressed == Button_OK_ID) {
    OK();
  } else if (pressed == Button_CANCEL_ID) {
    CANCEL();
  } else if (pressed == Button_CREDITS_ID) {
    CANCEL();
    if (MenuLinks.ShowCredits) MenuLinks.ShowCredits();
  } else if (pressed != -1) {
    WidgetManager->RemoveWidget(this);
  }
  return 0;
}

int TOptions::DePress(int id) {
  if (id == TMessageBox::Button_0_ID) {  // OK of the full-screen notice
    FullScreenChangePending = 1;
    return 0;
  }
  if (id == 2 * TMessageBox::Button_0_ID) {  // OK of the wide-screen notice
    WideScreenChangePending = 1;
    return 0;
  }
  if (Updater && Updater->IsHiding()) return 0;  // the first choice stands
  if (id == Button_CREDITS_ID && BUTTON_CREDITS && BUTTON_CREDITS->locked) return 0;
  PressedID = id;
  StartHiding();
  return 0;
}

int TOptions::CheckBoxChecked(int id, int state) {
  if (id == CB_FullScreen_ID) {
    FullScreen = state;
    if (FullScreen != OldFullScreenMode && (WideScreen || WideScreenChangePending))
      ShowMessageBox(1, Self(), GameTexts[kNoticeText], 1, "IMAGE_GUI_BT_OK", "", 0);
    if (FullScreen == OldFullScreenMode) FullScreenChangePending = 0;
  } else if (id == CB_WideScreen_ID) {
    if (CB_WideScreen && CB_WideScreen->Locked) return 0;
    WideScreen = state;
    if (WideScreen != OldWideLayout) ShowMessageBox(2, Self(), GameTexts[kNoticeText], 1, "IMAGE_GUI_BT_OK", "", 0);
    else WideScreenChangePending = 0;
  } else if (id == CB_CustomCursor_ID) {
    CustomCursor = state;
    ApplyPointer(Scroll_Sens);
  }
  return 0;
}

int TOptions::ScrollBarChanged(int id, float value) {
  if (id == Scroll_MUSIC_ID) {
    MusicVolume = value;
    ApplyMusicVolume();
  } else if (id == Scroll_SOUND_ID) {
    SoundVolume = value;
    ApplySoundVolume();
  } else if (id == Scroll_SENS_ID) {
    MouseSensitivity = value;
    if (Mouse) Mouse->SetSens(value + 0.5f);
  }
  return 0;
}

void TOptions::OK() {
  if (FullScreen != OldFullScreenMode) {
    // On a wide desktop a change that moves the layout waits for the next start.
    const bool now = Desktop43() || (!WideScreen && !FullScreenChangePending && !WideScreenChangePending);
    if (now) OpenMode(FullScreen);
  }
  if (FullScreen == OldFullScreenMode) FullScreenChangePending = 0;
  if (WideScreen == OldWideLayout) WideScreenChangePending = 0;
  if (!SaveOptions()) TellPlayer(NOTICE_NOT_SAVED, OptionsPath());
  WidgetManager->RemoveWidget(this);
}

void TOptions::CANCEL() {
  // Every option as it was at opening, including a change confirmed earlier
  // and still waiting for the next start (the mode in use is not the option).
  SoundVolume = OldSoundVolume;
  MusicVolume = OldMusicVolume;
  MouseSensitivity = OldMouseSensitivity;
  ApplySoundVolume();
  ApplyMusicVolume();
  if (Mouse) Mouse->SetSens(MouseSensitivity + 0.5f);
  FullScreen = OldFullScreen;
  WideScreen = OldWideScreen;
  FullScreenChangePending = OldFullScreenChangePending;
  WideScreenChangePending = OldWideScreenChangePending;
  CustomCursor = OldCustomCursor;
  ApplyPointer(Scroll_Sens);
  WidgetManager->RemoveWidget(this);
}

int TOptions::RemovedFromManager() {
  TWidget::RemovedFromManager();
  for (const auto& w : std::initializer_list<Ref<TWidget>>{BUTTON_OK, BUTTON_CANCEL, BUTTON_CREDITS, Scroll_Music,
                                                           Scroll_Sound, Scroll_Sens, CB_FullScreen, CB_WideScreen,
                                                           CB_CustomCursor})
    if (w) WidgetManager->RemoveWidget(w);
  platform::FlushKeys();
  platform::FlushMouse();
  if (Mouse) Mouse->Flush();
  if (InGame) {
    if (GameScreen) ShowGameMenu(GameScreen);
    if (BUTTON_CREDITS) BUTTON_CREDITS->locked = 0;
  }
  return 0;
}

void TOptions::StartShow() {
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartShow(4.0f, 0.6f, 0.15f);
  fade_state = 1;
}

void TOptions::StartHiding() {
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartHiding();
  fade_state = 2;
}

}  // namespace kelp
