#include "world/effects/help_text.h"

#include "framework/media/bmfont.h"
#include "framework/ui/dialog.h"
#include "platform/graphics_state.h"
#include "world/resource_bindings.h"

namespace kelp {

THelpText::THelpText() : font(FontHelp), color(ColorWhite) {}

int THelpText::SetHided(int flag) {
  TWidget::SetHided(flag);
  Flush();
  return 0;
}

void THelpText::Flush() {
  state = 0;
  text.clear();
  alpha = 0.0f;
}

void THelpText::SetText(const std::string& newText) {
  if (state == 0) {
    if (!newText.empty()) {
      text = newText;
      state = 1;
    }
  } else if (state == 2) {
    if (newText != text) state = 3;
  }
}

int THelpText::Update(float dt) {
  if (state == 1) {
    alpha += dt / 10.0f;
    if (alpha > 1.5f) {
      alpha = 1.0f;
      state = 2;
    }
  } else if (state == 3) {
    alpha -= dt / 10.0f;
    if (alpha <= 0.0f) {
      state = 0;
      alpha = 0.0f;
    }
  }
  return 0;
}

int THelpText::Draw() {
  // A faded-out text is kept until the next one; its shadow must not linger.
  if (alpha <= 0.0f) return 0;
  SetBMFont(font);
  if (shadow) {
    platform::SetAlpha(0.4f);
    ApplyColor(ColorDark);
    DrawTextBox(2, 2, text, _width, align, 1);
  }
  platform::SetAlpha(alpha);
  ApplyColor(color);
  DrawTextBox(0, 0, text, _width, align, 1);
  return 0;
}

}  // namespace kelp
