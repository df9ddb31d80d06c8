#pragma once
// A one-line hint that fades in, stays, and fades out before another text
// can take its place. The caller keeps asking for the text it wants shown.
#include <string>

#include "framework/core/color.h"
#include "framework/ui/widget.h"

namespace kelp {

class TBMFont;

class THelpText : public TWidget {
 public:
  THelpText();

  float alpha = 0.0f;
  std::string text;
  int state = 0;  // 0 empty, 1 fading in, 2 shown, 3 fading out
  int shadow = 1;
  Ref<TBMFont> font;
  Ref<TColor> color;
  int align = 0;  // justify of DrawTextBox

  // Hides or shows the widget and empties it.
  int SetHided(int flag) override;
  // Taken only when empty; a different text while shown fades the old one
  // out without storing the new one (ask again once it has gone).
  void SetText(const std::string& newText);
  // Empties it without changing visibility.
  void Flush();
  int Update(float dt) override;
  int Draw() override;
};

}  // namespace kelp
