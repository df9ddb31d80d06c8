#include "framework/ui/input_box.h"

#include <vector>

#include "framework/core/numeric.h"
#include "framework/core/utf8.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/ui/controls.h"
#include "framework/ui/message_box.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "platform/draw.h"
#include "platform/input.h"

namespace kelp {

Ref<TBMFont> FontUserlist;

std::function<bool(const std::string&)> ProfileNameTakenHook;
std::function<void(const std::string&, const std::string&)> CreateProfileHook;
std::function<void()> NameBoxClosedHook;

// ---- caret ----

Ref<TBlinkLine> TBlinkLine::Create(float height) {
  auto l = New<TBlinkLine>();
  l->height = Int(height);
  l->speed = 0.04f;
  l->alpha = 1.0f;
  l->state = 0;
  return l;
}

int TBlinkLine::Update(float dt) {
  if (state == 0) {
    alpha -= dt * speed;
    if (!(alpha > 0.1f)) state = 1;
  } else if (state == 1) {
    alpha += dt * speed;
    if (alpha >= 1.0f) state = 0;
  }
  return 0;
}

int TBlinkLine::Draw(int px, int py) {
  PushGraphicsState();
  platform::SetColor(240, 220, 220);
  platform::SetAlpha(alpha);
  const float fx = static_cast<float>(px), fy = static_cast<float>(py);
  platform::DrawLine(fx, fy, fx, fy + static_cast<float>(height));
  platform::SetAlpha(0.4f);
  platform::SetColor(50, 50, 50);
  platform::DrawLine(fx + 1.0f, fy + 1.0f, fx + 1.0f, fy + static_cast<float>(height) + 1.0f);
  PopGraphicsState();
  return 0;
}

// ---- what both boxes share ----

namespace {

// Font, caret and the OK button, as both boxes set them up.
void SetUpTextBox(TWidget& box, Ref<TBMFont>& font, Ref<TBlinkLine>& line, Ref<TButtonWidget>& ok, int okID) {
  font = FontUserlist;
  SetBMFont(font);
  line = TBlinkLine::Create(static_cast<float>(BMLineHeight() - 4));
  ok = CreateButton(0, 0, nullptr, "", okID, box.Self(), 0, 0);
  ok->SetAnim(TAnimImage::Load2("IMAGE_GUI_BT_OK", -1));
  WidgetManager->AddWidget(ok);
}

// Both boxes slide in from above and back out the same way.
Ref<TWidgetUpdater> StartSlide(TWidget& box, bool show) {
  Ref<TWidgetUpdater> updater = TWidgetUpdater::Create(box.Self(), 0);
  updater->Init(0, 1, 0.9f, 1.5f);
  if (show)
    updater->StartShow(4.0f, 0.6f, 0.15f);
  else
    updater->StartHiding();
  box.fade_state = show ? 1 : 2;
  return updater;
}

// The frame, and the text centred with the caret at its end.
void DrawTextLine(TDialogStatic& box, const Ref<TBMFont>& font, const std::string& text, const Ref<TBlinkLine>& line) {
  box.TDialogStatic::Draw();
  SetInk(kInputInk);
  SetBMFont(font);
  const int textWidth = BMTextWidth(text);
  const int lineY = box._height / 2 - BMLineHeight() + 12;
  DrawBMText(text, static_cast<float>(box._width / 2 - textWidth / 2), static_cast<float>(lineY));
  if (line) line->Draw(box._width / 2 + textWidth / 2, lineY);
}

}  // namespace

// ---- name box ----

std::string NameGreeting(const std::string& name) {
  return GameTexts[10] + " " + name + "!" + "\\n" + GameTexts[17];
}

Ref<TInputBox2> ShowInputBox2(int options) {
  auto box = New<TInputBox2>();
  box->SetImage(ResManager ? ResManager->GetImage("IMAGE_MAINMENU_NAME_FRAME") : nullptr);
  box->options = options;
  WidgetManager->AddWidget(box);
  box->Resize(VirtualCenterX - box->_width / 2, -box->_height, box->_width, box->_height);
  box->StartShow();
  return box;
}

int TInputBox2::AddedToManager() {
  SetUpTextBox(*this, Font, Line, Button_OK, Button_OK_ID);
  Fadeable = 1;
  return 0;
}

void TInputBox2::PlaceButton() {
  if (Button_OK) Button_OK->SetPosition(Int(_x + 70.0f), Int(_y + 127.0f));
}

int TInputBox2::Resize(int px, int py, int width, int height) {
  TDialogStatic::Resize(px, py, width, height);
  PlaceButton();
  return 0;
}

int TInputBox2::SetPosition(int px, int py) {
  TDialogStatic::SetPosition(px, py);
  PlaceButton();
  return 0;
}

int TInputBox2::StartShow() {
  Updater = StartSlide(*this, true);
  return 0;
}

int TInputBox2::StartHiding() {
  Updater = StartSlide(*this, false);
  return 0;
}

int TInputBox2::DePress(int id) {
  if (Name.empty()) return 0;
  // Once confirmed the name is settled; a second confirmation changes nothing.
  if (Updater && Updater->IsHiding()) return 0;
  PressedID = id;
  StartHiding();
  return 0;
}

namespace {

// The keys pressed since the last frame, in their order: the letters and
// digits they typed (A to Z, a to z, 0 to 9: names are file names) while the
// name is shorter than the limit, and Backspace. A character refused now (a
// ninth one, anything else) does not turn up later. With `settled` the
// presses are read but change nothing.
void TypeName(std::string& name, std::string& add, bool settled) {
  const std::vector<platform::KeyPress> presses = platform::TakeKeyPresses();
  // The hit counts of these keys are this box's too: no later reader sees them.
  for (int i = 0; i < 26; ++i) platform::KeyHit('A' + i);
  for (int d = 0; d < 10; ++d) {
    platform::KeyHit('0' + d);
    platform::KeyHit(platform::VK_NUMPAD0 + d);
  }
  platform::KeyHit(platform::VK_BACK);
  if (settled) return;

  for (const platform::KeyPress& p : presses) {
    if (p.vk == platform::VK_BACK) utf8::PopBack(name);
    for (const char c : p.text) {
      const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
      if (!letterOrDigit || utf8::Length(name) >= TInputBox2::MaxNameLength) continue;
      add.assign(1, c);
      name.append(add);
      add.clear();
    }
  }
}

}  // namespace

// A confirmed name is not edited while the box slides out.
void TInputBox2::Type() { TypeName(Name, add, Updater && Updater->IsHiding()); }

int TInputBox2::Update(float dt) {
  Ref<TWidget> keep = Self();  // OK() may take the box out of every list
  if (Line) Line->Update(dt);
  if (Updater) Updater->Update(dt);
  SetPosition(Int(_x), Int(_y));

  const int enter = platform::KeyHit(platform::VK_RETURN);
  if (enter && Updater && Updater->IsShowing() && Updater->Accel && Updater->Accel->Stopped) DePress(Button_OK_ID);

  if (Updater && Updater->IsHiding() && Updater->IsDeath() && PressedID == Button_OK_ID) OK();

  Type();
  return 0;
}

int TInputBox2::OK() {
  Ref<TWidget> keep = Self();
  if (Name.empty()) {
    // Cannot be reached by typing; never make a nameless profile.
    WriteLog("name box closed without a name", LOG_WARNING);
    WidgetManager->RemoveWidget(this);
    return 0;
  }
  if (ProfileNameTakenHook && ProfileNameTakenHook(Name)) {
    WidgetManager->RemoveWidget(this);
    ShowMessageBox(1, Self(), GameTexts[43], 1, "IMAGE_GUI_BT_OK", "", 1);
    return 0;
  }
  if (CreateProfileHook) CreateProfileHook(Name, NameGreeting(Name));
  WidgetManager->RemoveWidget(this);
  return 0;
}

int TInputBox2::RemovedFromManager() {
  WidgetManager->RemoveWidget(Button_OK);
  if (options == 0) {
    if (Mouse) Mouse->Bt1Up = 0;  // the release that closed the box is not the menu's
    if (NameBoxClosedHook) NameBoxClosedHook();
  } else if (ShowUserOptionsHook) {
    ShowUserOptionsHook();
  }
  return 0;
}

int TInputBox2::Draw() {
  DrawTextLine(*this, Font, Name, Line);
  return 0;
}

// ---- general input box ----

int TInputBox::AddedToManager() {
  SetUpTextBox(*this, Font, Line, Button_OK, Button_OK_ID);
  BUTTON_CANCEL = CreateButton(0, 0, nullptr, "", Button_CANCEL_ID, Self(), 0, 0);
  BUTTON_CANCEL->SetAnim(TAnimImage::Load2("IMAGE_GUI_BT_CANCEL", -1));
  WidgetManager->AddWidget(BUTTON_CANCEL);
  Fadeable = 1;
  return 0;
}

int TInputBox::RemovedFromManager() {
  WidgetManager->RemoveWidget(Button_OK);
  WidgetManager->RemoveWidget(BUTTON_CANCEL);
  return 0;
}

void TInputBox::PlaceButtons() {
  const int top = Int(_y + 127.0f);
  if (Button_OK) Button_OK->SetPosition(Int(_x + 70.0f), top);
  if (BUTTON_CANCEL) BUTTON_CANCEL->SetPosition(Int(_x) + _width - 70 - BUTTON_CANCEL->_width, top);
}

int TInputBox::Resize(int px, int py, int width, int height) {
  TDialogStatic::Resize(px, py, width, height);
  PlaceButtons();
  return 0;
}

int TInputBox::SetPosition(int px, int py) {
  TDialogStatic::SetPosition(px, py);
  PlaceButtons();
  return 0;
}

int TInputBox::StartShow() {
  Updater = StartSlide(*this, true);
  return 0;
}

int TInputBox::StartHiding() {
  Updater = StartSlide(*this, false);
  return 0;
}

int TInputBox::DePress(int id) {
  if (Updater && Updater->IsHiding()) return 0;
  PressedID = id;
  StartHiding();
  return 0;
}

int TInputBox::Update(float dt) {
  Ref<TWidget> keep = Self();  // the report may drop every other reference
  if (Line) Line->Update(dt);
  if (Updater) Updater->Update(dt);
  SetPosition(Int(_x), Int(_y));

  const int enter = platform::KeyHit(platform::VK_RETURN);
  const int escape = platform::KeyHit(platform::VK_ESCAPE);
  if (Updater && Updater->IsShowing() && Updater->Accel && Updater->Accel->Stopped) {
    if (enter)
      DePress(Button_OK_ID);
    else if (escape)
      DePress(Button_CANCEL_ID);
  }

  if (Updater && Updater->IsHiding() && Updater->IsDeath() && !reported_) {
    reported_ = 1;
    if (PressedID == Button_OK_ID)
      OK();
    else
      CANCEL();
    return 0;
  }

  TypeName(Name, add, Updater && Updater->IsHiding());
  return 0;
}

int TInputBox::OK() {
  Ref<TWidget> keep = Self();
  if (const Ref<TWidget> l = Listener.lock()) l->InputFinished(ID, Name);
  WidgetManager->RemoveWidget(this);
  return 0;
}

int TInputBox::CANCEL() {
  Ref<TWidget> keep = Self();
  if (const Ref<TWidget> l = Listener.lock()) l->InputFinished(ID, "");
  WidgetManager->RemoveWidget(this);
  return 0;
}

int TInputBox::Draw() {
  DrawTextLine(*this, Font, Name, Line);
  return 0;
}

Ref<TInputBox> ShowInputBox(int id, const Ref<TWidget>& listener, const std::string& prompt) {
  auto box = New<TInputBox>();
  box->SetImage(ResManager ? ResManager->GetImage("IMAGE_MAINMENU_NAME_FRAME") : nullptr);
  box->ID = id;
  box->Listener = listener;
  box->Name = prompt;
  WidgetManager->AddWidget(box);
  box->Resize(VirtualCenterX - box->_width / 2, -box->_height, box->_width, box->_height);
  box->StartShow();
  return box;
}

}  // namespace kelp
