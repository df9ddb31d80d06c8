#include "framework/ui/widget.h"

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "platform/canvas_reuse.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/input.h"

namespace kelp {

Ref<TWidgetManager> WidgetManager = New<TWidgetManager>();
std::function<void()> UpdateFrameHook;

void InitWidgetManager() { WidgetManager = New<TWidgetManager>(); }

namespace {

void SetWhite() {
  if (ColorWhite)
    ColorWhite->Set();
  else
    platform::SetColor(255, 255, 255);
}

int MousePointX() { return Mouse ? Int(Mouse->x) : 0; }
int MousePointY() { return Mouse ? Int(Mouse->y) : 0; }

}  // namespace

// ---- TWidget ----

int TWidget::Update(float) { return 0; }
int TWidget::Draw() { return 0; }

int TWidget::Resize(int px, int py, int width, int height) {
  _x = static_cast<float>(px);
  _y = static_cast<float>(py);
  _width = width;
  _height = height;
  return 0;
}

int TWidget::SetPosition(int px, int py) { return Resize(px, py, _width, _height); }

int TWidget::WaitForResult(int remove) {
  platform::FlushKeys();
  platform::FlushMouse();
  if (WidgetManager) WidgetManager->LastDownWidget.reset();
  Ref<TWidget> keep = weak_from_this().lock();  // the frames may drop every other reference
  // Without a frame function nothing could ever set the result.
  while (mResult < 0 && UpdateFrameHook) UpdateFrameHook();
  if (remove && WidgetManager) WidgetManager->RemoveWidget(this);
  SkipFrame = 1;
  return mResult;
}

int TWidget::DePress(int) { return 0; }
int TWidget::EventMouseLeave(int) { return 0; }
int TWidget::EventMouseEnter(int) { return 0; }
int TWidget::EventMouseOver(int) { return 0; }
int TWidget::CheckBoxChecked(int, int) { return 0; }
int TWidget::ScrollBarChanged(int, float) { return 0; }
int TWidget::InputFinished(int, const std::string&) { return 0; }
int TWidget::MouseMove(int, int) { return 0; }
int TWidget::MouseLeave() { return 0; }
int TWidget::MouseEnter() { return 0; }
int TWidget::AddedToManager() { return 0; }
int TWidget::RemovedFromManager() { return 0; }
int TWidget::MouseUp(int) { return 0; }
int TWidget::MouseDown(int) { return 0; }

int TWidget::SetEnable(int flag) {
  Enable = flag;
  return 0;
}

int TWidget::SetVisible(int flag) {
  Visible = flag;
  return 0;
}

int TWidget::SetHided(int flag) {
  SetEnable(!flag);
  SetVisible(!flag);
  return 0;
}

// ---- TWidgetManager ----

Ref<TWidget> TWidgetManager::WidgetAt(int px, int py) {
  const TWidget* top = TopModalWidget.lock().get();
  bool started = top == nullptr;
  Ref<TWidget> best;
  int64_t bestArea = 4000000;
  const float fx = static_cast<float>(px), fy = static_cast<float>(py);
  for (const Ref<TWidget>& w : WidgetsList) {
    if (w.get() == top) started = true;
    if (!started) continue;
    if (!(fx > w->_x && fx < w->_x + static_cast<float>(w->_width) && fy > w->_y &&
          fy < w->_y + static_cast<float>(w->_height)))
      continue;
    if (!w->MouseSensetive || !w->Enable) continue;
    const int64_t area = int64_t(w->_width) * w->_height;
    if (area < bestArea) {
      best = w;
      bestArea = area;
    }
  }
  return best;
}

void TWidgetManager::MouseMove() {
  Ref<TWidget> w = WidgetAt(MousePointX(), MousePointY());
  Ref<TWidget> current = CurrentWidget.lock();
  if (w) {
    if (w != current) {
      if (current) {
        current->IsOver = 0;
        current->MouseLeave();
      }
      w->IsOver = 1;
      w->MouseEnter();
    }
  } else if (current) {
    current->IsOver = 0;
    current->MouseLeave();
  }
  CurrentWidget = w;
}

void TWidgetManager::MouseDown_(int button) {
  Ref<TWidget> w = WidgetAt(MousePointX(), MousePointY());
  Ref<TWidget> last = LastDownWidget.lock();
  // A pressed widget that has since died counts as none.
  if (w && (!last || last == w)) {
    w->MouseDown(button);
    LastDownWidget = w;
  }
  OldMouseButton = button;
}

void TWidgetManager::MouseUp(int button) {
  if (Ref<TWidget> last = LastDownWidget.lock()) last->MouseUp(button);
  LastDownWidget.reset();
  OldMouseButton = 0;
}

void TWidgetManager::UpdateListener() {
  for (const Ref<TWidget>& w : WidgetsList) w->IsOver = 0;

  if (Ref<TWidget> w = WidgetAt(MousePointX(), MousePointY()); w && !w->IsOver) {
    w->IsOver = 1;
    w->MouseEnter();
  }

  const float mx = Mouse ? Mouse->x : 0.0f, my = Mouse ? Mouse->y : 0.0f;
  const int dx = Int(mx - OldMouseX), dy = Int(my - OldMouseY);
  if (dx != 0 || dy != 0) MouseMove();

  for (auto it = WidgetsList.begin(); it != WidgetsList.end(); ++it) {
    Ref<TWidget> w = *it;
    if (w->Enable) w->MouseMove(dx, dy);
  }

  platform::ButtonChange change[4];
  for (int b = 1; b <= 3; ++b) change[b] = buttons_[b - 1].Poll();
  // The button held last frame was let go and pressed again since: that
  // click ends before the new press begins.
  if (OldMouseButton > 0 && OldMouseButton <= 3 && change[OldMouseButton].releases > 0 &&
      change[OldMouseButton].presses > 0)
    MouseUp(OldMouseButton);
  // A button pressed since the last frame counts even when it is up again:
  // it is pressed now and released below.
  int button = 0;
  for (int b = 1; b <= 3; ++b)
    if (change[b].down || change[b].presses > 0) button = b;
  const Ref<TWidget> top = TopModalWidget.lock();
  if (button > 0 && (!pressHeld_ || change[button].presses > 0)) {
    pressTop_ = top;
    pressHadTop_ = top != nullptr;
    pressRefused_ = TopModalSliding();
  }
  const bool sameTop = pressHadTop_ ? top && pressTop_.lock() == top : !top;
  if (button > 0 && sameTop && !pressRefused_) MouseDown_(button);
  pressHeld_ = change[1].down || change[2].down || change[3].down;
  if (OldMouseButton > 0 && (button == 0 || !change[button].down)) MouseUp(OldMouseButton);

  OldMouseX = Mouse ? Mouse->x : 0.0f;
  OldMouseY = Mouse ? Mouse->y : 0.0f;
}

bool TWidgetManager::TopModalSliding() const {
  const Ref<TWidget> top = TopModalWidget.lock();
  if (!top) return false;
  const Ref<TWidgetUpdater> slide = top->Slider.lock();
  return slide && slide->Moving();
}

void TWidgetManager::Update(float dt) {
  // Keys hit while boxes were open were meant for them, never for the screen
  // under them (an Escape typed into the name box must not open the menu's
  // quit box once the name is taken). A box that hands over to another box
  // hands over the keys as well: the name box takes what was typed as the
  // player list slid away.
  DropKeysOfBoxesThatLeft();  // a box that left between two frames
  UpdateListener();
  const TWidget* top = TopModalWidget.lock().get();
  bool started = top == nullptr;
  bool any = false;
  for (auto it = WidgetsList.begin(); it != WidgetsList.end(); ++it) {
    Ref<TWidget> w = *it;  // held: it may leave the list inside its own Update
    if (w.get() == top) started = true;
    if (!started || !w->Enable) continue;
    w->Update(dt);
    if (!w->Fadeable) continue;
    any = true;
    switch (w->fade_state) {
      case 1:
        fade_alpha += fade_speed * dt;
        if (!(fade_alpha < 0.7f)) fade_alpha = 0.7f;
        break;
      case 2:
        fade_alpha -= fade_speed * dt;
        if (!(fade_alpha > 0.0f)) fade_alpha = 0.0f;
        break;
      case 0:
        fade_alpha = 0.0f;
        break;
      default:
        break;
    }
  }
  if (!any) fade_alpha = 0.0f;
  DropKeysOfBoxesThatLeft();
  // Presses no box typed with (a level's keys, the menu's) are not kept for
  // a name box opened later.
  if (!TopModalWidget.lock()) platform::TakeKeyPresses();
}

void TWidgetManager::DropKeysOfBoxesThatLeft() {
  if (!modalLeft_) return;
  modalLeft_ = false;
  if (!TopModalWidget.lock()) platform::FlushKeys();
}

void TWidgetManager::Draw() {
  // Widgets stand in virtual-screen coordinates: whatever drew before (the
  // loading bar leaves the canvas's offset) must not move them.
  platform::SetOrigin(0.0f, 0.0f);
  platform::SetViewport(0, 0, VirtualWidth, VirtualHeight);
  for (const Ref<TWidget>& w : WidgetsList) w->drawed = 0;
  // Whatever lies under the last dimming stands still while its box is up
  // (a box stops the updates of what is under it): drawn once, then reused.
  const TWidget* dimmed = nullptr;
  for (const Ref<TWidget>& w : WidgetsList)
    if (w->Visible && w->Fadeable) dimmed = w.get();
  if (dimmed) platform::BeginReusableDrawing();
  for (auto it = WidgetsList.begin(); it != WidgetsList.end(); ++it) {
    Ref<TWidget> w = *it;
    if (w->drawed || !w->Visible) continue;
    PushGraphicsState();
    if (w->Fadeable) {
      platform::SetOrigin(0.0f, 0.0f);
      platform::SetAlpha(fade_alpha);
      platform::SetColor(0, 0, 0);
      platform::DrawRect(0.0f, 0.0f, static_cast<float>(VirtualWidth), static_cast<float>(VirtualHeight));
      SetWhite();
      platform::SetAlpha(1.0f);
      if (w.get() == dimmed) platform::EndReusableDrawing();
    }
    if (Ref<TWidget> c = w->child) DrawWidget(c);
    SetWhite();
    platform::SetAlpha(1.0f);
    DrawWidget(w);
    PopGraphicsState();
  }
  // A dimmed widget drawn earlier as another's child never reached its end
  // above: what was held is drawn now, in its order.
  if (dimmed) platform::EndReusableDrawing();
}

void TWidgetManager::DrawWidget(const Ref<TWidget>& w) {
  if (!w) return;
  PushGraphicsState();
  if (w->Clip == 1 || w->Clip == 2) {
    platform::SetOrigin(w->_x + w->_originx + ShakeOffsetX, w->_y + w->_originy + ShakeOffsetY);
    const int lowX = w->Clip == 2 ? CanvasOffsetX : 0;
    const int highX = w->Clip == 2 ? VirtualWidth - CanvasOffsetX : VirtualWidth;
    int left = Int(w->_x), top = Int(w->_y), width = w->_width, height = w->_height;
    if (left < lowX) {
      width -= lowX - left;
      left = lowX;
    }
    if (top < 0) {
      height += top;
      top = 0;
    }
    if (left + width > highX) width = highX - left;
    if (top + height > VirtualHeight) height = VirtualHeight - top;
    // A rectangle wholly off the canvas has an extent of 0 or less: nothing
    // of the widget can show, and the viewport must not be handed such a rectangle.
    if (width > 0 && height > 0) {
      platform::SetViewport(left, top, width, height);
      w->Draw();
      w->drawed = 1;
    }
  } else {
    w->Draw();
    w->drawed = 1;
  }
  PopGraphicsState();
}

void TWidgetManager::AddWidget(const Ref<TWidget>& w) {
  if (!w) return;
  WidgetsList.AddLast(w);
  if (w->Modal) TopModalWidget = w;
  w->AddedToManager();
}

void TWidgetManager::AddWidgetBefore(const Ref<TWidget>& w, const TWidget* before) {
  if (!w || !before) return;
  for (auto it = WidgetsList.begin(); it != WidgetsList.end(); ++it) {
    if ((*it).get() != before) continue;
    WidgetsList.InsertBefore(it.link(), w);
    w->AddedToManager();
    return;
  }
}

void TWidgetManager::RemoveWidget(const TWidget* w) {
  if (!w) return;
  Ref<TWidget> held;
  for (auto it = WidgetsList.begin(); it != WidgetsList.end(); ++it)
    if ((*it).get() == w) {
      held = *it;
      it.link().Remove();
      break;
    }
  // Leaving twice must not run the leaving handler twice.
  if (!held) return;
  if (TopModalWidget.lock().get() == w) {
    modalLeft_ = true;
    TopModalWidget.reset();
    Ref<TWidget> last;
    for (const Ref<TWidget>& other : WidgetsList)
      if (other->Modal) last = other;
    TopModalWidget = last;
  }
  held->RemovedFromManager();
}

}  // namespace kelp
