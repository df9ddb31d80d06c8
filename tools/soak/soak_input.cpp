#include "soak_input.h"

#include <algorithm>
#include <vector>

#include "framework/ui/widget.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/window.h"

namespace soak {

namespace {

float Width() { return static_cast<float>(std::max(1, platform::VirtualResolutionWidth())); }
float Height() { return static_cast<float>(std::max(1, platform::VirtualResolutionHeight())); }

// Widgets a click can reach: visible, enabled, mouse-sensitive, smaller than
// half the screen (buttons, icons, markers rather than whole screens), from
// the top modal widget on.
std::vector<kelp::TWidget*> ClickableWidgets() {
  std::vector<kelp::TWidget*> out;
  if (!kelp::WidgetManager) return out;
  const auto modal = kelp::WidgetManager->TopModalWidget.lock();
  bool reached = !modal;
  const float half = Width() * Height() * 0.5f;
  for (const auto& w : kelp::WidgetManager->WidgetsList) {
    if (!reached && w.get() == modal.get()) reached = true;
    if (!reached) continue;
    if (!w->Visible || !w->Enable || !w->MouseSensetive) continue;
    const float area = static_cast<float>(w->_width) * static_cast<float>(w->_height);
    if (area <= 0.0f || area > half) continue;
    out.push_back(w.get());
  }
  return out;
}

}  // namespace

void SoakInput::MoveTo(float x, float y) {
  x_ = std::clamp(x, 0.0f, Width() - 1.0f);
  y_ = std::clamp(y, 0.0f, Height() - 1.0f);
  platform::InjectMousePosition(x_, y_);
  ++counts_.moves;
}

void SoakInput::PressAt(float x, float y, int hold) {
  MoveTo(x, y);
  platform::InjectMouseButton(1, true);
  held_ = hold;
  ++counts_.clicks;
}

bool SoakInput::ClickSomeWidget() {
  const auto widgets = ClickableWidgets();
  if (widgets.empty()) return false;
  const kelp::TWidget* w = widgets[static_cast<size_t>(Between(0, static_cast<int>(widgets.size()) - 1))];
  PressAt(w->_x + w->_width * 0.5f, w->_y + w->_height * 0.5f, Between(1, 4));
  ++counts_.button_clicks;
  return true;
}

void SoakInput::PressKey() {
  // Weighted: the keys a player uses most, then the rest of the keyboard.
  static const int kKeys[] = {platform::VK_ESCAPE, platform::VK_ESCAPE, platform::VK_RETURN, platform::VK_RETURN,
                              platform::VK_SPACE,  platform::VK_BACK,   platform::VK_LEFT,   platform::VK_RIGHT,
                              platform::VK_F12,    'A',                 'K',                 'E',
                              'L',                 'W',                 'P',                 '1',
                              platform::VK_TAB};
  key_down_ = kKeys[Between(0, static_cast<int>(std::size(kKeys)) - 1)];
  platform::InjectKey(key_down_, true);
  ++counts_.keys;
}

void SoakInput::Step() {
  if (key_down_) {
    platform::InjectKey(key_down_, false);
    key_down_ = 0;
  }
  if (unfocused_ > 0) {
    if (--unfocused_ == 0) platform::InjectAppEvent(platform::AppEvent::FocusGained);
    return;
  }
  if (held_ > 0) {
    if (dragging_) MoveTo(x_ + drag_dx_, y_ + drag_dy_);
    if (--held_ == 0) {
      platform::InjectMouseButton(1, false);
      dragging_ = false;
    }
    return;
  }
  if (Chance(0.0004)) {
    platform::InjectAppEvent(platform::AppEvent::FocusLost);
    unfocused_ = Between(5, 60);
    ++counts_.focus_losses;
    return;
  }
  if (Chance(0.02) && ClickSomeWidget()) return;
  if (Chance(0.01)) {
    PressAt(static_cast<float>(Between(0, static_cast<int>(Width()) - 1)),
            static_cast<float>(Between(0, static_cast<int>(Height()) - 1)), Between(1, 3));
    return;
  }
  if (Chance(0.003)) {
    PressAt(x_, y_, Between(10, 40));
    dragging_ = true;
    drag_dx_ = static_cast<float>(Between(-8, 8));
    drag_dy_ = static_cast<float>(Between(-8, 8));
    ++counts_.drags;
    return;
  }
  if (Chance(0.004)) {
    PressKey();
    return;
  }
  if (Chance(0.3)) MoveTo(x_ + static_cast<float>(Between(-12, 12)), y_ + static_cast<float>(Between(-6, 6)));
}

}  // namespace soak
