#include "framework/ui/message_box.h"

#include <cstdint>

#include "framework/core/numeric.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/ui/controls.h"
#include "framework/ui/text_ink.h"
#include "framework/ui/widget_updater.h"
#include "platform/input.h"

namespace kelp {

platform::ImageRef ImageGuiMessageBox;
Ref<TBMFont> FontPopup;

std::function<void()> ShowUserOptionsHook;

namespace {

Ref<TButtonWidget> MakeButton(int id, const std::string& animName, const Ref<TWidget>& box) {
  auto b = CreateButton(0, 0, nullptr, "", id, box, 0, 0);
  b->SetAnim(TAnimImage::Load2(animName, -1));
  WidgetManager->AddWidget(b);
  return b;
}

bool Arrived(const Ref<TWidgetUpdater>& u) { return u && u->IsShowing() && u->Accel && u->Accel->Stopped; }

}  // namespace

Ref<TMessageBox> ShowMessageBox(int id, const Ref<TWidget>& listener, const std::string& text, int buttonsCount,
                                const std::string& buttonName1, const std::string& buttonName2, int options) {
  auto box = New<TMessageBox>();
  box->Image = ImageGuiMessageBox;
  box->Listener = listener;
  box->ID = id;
  box->Fadeable = 1;
  box->Text = text;
  box->options = options;
  box->ButtonsCount = buttonsCount;
  box->ButtonName1 = buttonName1;
  box->ButtonName2 = buttonName2;
  const int w = box->Image ? box->Image->Width() : 0, h = box->Image ? box->Image->Height() : 0;
  WidgetManager->AddWidget(box);
  box->Resize(VirtualCenterX - w / 2, -h, w, h);
  box->StartShow();
  return box;
}

int TMessageBox::AddedToManager() {
  const Ref<TWidget> listener = Listener.lock();
  if (options != 0 && listener) listener->Fadeable = 0;
  if (ButtonsCount == 1) {
    Button_1 = MakeButton(Button_0_ID, ButtonName1, Self());
  } else {
    Button_1 = MakeButton(Button_1_ID, ButtonName1, Self());
    Button_2 = MakeButton(Button_2_ID, ButtonName2, Self());
  }
  SetBMFont(FontPopup);
  // Measured before the box has its size, as the layout always has been.
  const int height = DrawTextBox(30, 95, Text, _width - 50, JUSTIFY_CENTRE, 0);
  text_y = height < 180 ? 95 : 75;
  return 0;
}

void TMessageBox::PlaceButtons() {
  if (!Button_1) return;
  const int bw = Button_1->_width;
  const int top = Int(_y + 170.0f);
  if (ButtonsCount == 1) {
    Button_1->SetPosition(Int(_x + static_cast<float>(_width / 2 - bw / 2)), top);
  } else {
    Button_1->SetPosition(Int(_x + static_cast<float>(_width / 2 - bw)), top);
    if (Button_2) Button_2->SetPosition(Int(_x + static_cast<float>(_width / 2 + 4)), top);
  }
}

int TMessageBox::Resize(int px, int py, int width, int height) {
  TDialogStatic::Resize(px, py, width, height);
  PlaceButtons();
  return 0;
}

int TMessageBox::Update(float dt) {
  if (Updater) Updater->Update(dt);

  // Key hits are read every frame, so a key pressed while the box slides in
  // is not left waiting to answer it on arrival.
  const int enter = platform::KeyHit(platform::VK_RETURN);
  const int escape = ButtonsCount == 1 ? 0 : platform::KeyHit(platform::VK_ESCAPE);
  if (Arrived(Updater)) {
    if (ButtonsCount == 1) {
      if (enter) DePress(Button_0_ID);
    } else if (enter) {
      DePress(Button_1_ID);
    } else if (escape) {
      DePress(Button_2_ID);
    }
  }

  PlaceButtons();

  if (Updater && Updater->IsHiding() && Updater->IsDeath() && !reported_) {
    reported_ = 1;
    Ref<TWidget> keep = Self();
    const int report = static_cast<int>(static_cast<int64_t>(PressedID) * ID);
    if (const Ref<TWidget> listener = Listener.lock()) listener->DePress(report);
    WidgetManager->RemoveWidget(this);
  }
  return 0;
}

int TMessageBox::Draw() {
  TDialogStatic::Draw();
  SetBMFont(FontPopup);
  SetInk(kInk);
  DrawTextBox(30, text_y, Text, _width - 50, JUSTIFY_CENTRE, 1);
  return 0;
}

int TMessageBox::DePress(int id) {
  // The first answer stands: a second click while the box leaves does not replace it.
  if (Updater && Updater->IsHiding()) return 0;
  PressedID = id;
  StartHiding();
  return 0;
}

int TMessageBox::StartShow() {
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartShow(4.0f, 0.6f, 0.15f);
  fade_state = 1;
  return 0;
}

int TMessageBox::StartHiding() {
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartHiding();
  fade_state = 2;
  return 0;
}

int TMessageBox::RemovedFromManager() {
  WidgetManager->RemoveWidget(Button_1);
  WidgetManager->RemoveWidget(Button_2);
  if (options == 1 || options == 2) {
    if (const Ref<TWidget> listener = Listener.lock()) WidgetManager->RemoveWidget(listener);
    Listener.reset();
    if (options == 1 && ShowUserOptionsHook) ShowUserOptionsHook();
  }
  return 0;
}

}  // namespace kelp
