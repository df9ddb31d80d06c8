#pragma once
// The base of every dialog, a modal widget with a background image that the
// player drags by its background, and the one routine that lays out wrapped
// text in the current bitmap font.
#include <string>

#include "framework/widget.h"
#include "platform/image.h"

namespace kelp {

class TDialogStatic : public TWidget {
 public:
  TDialogStatic() { Modal = 1; }
  platform::ImageRef Image;  // background; sets the size
  int IsDown = 0;            // a drag is in progress
  int ID = 0;

  int Draw() override;
  int MouseMove(int dx, int dy) override;
  int MouseUp(int button) override;
  int MouseDown(int button) override;
  virtual int SetImage(const platform::ImageRef& image);
};

// Justify codes of DrawTextBox.
enum TTextJustify : int { JUSTIFY_LEFT = 0, JUSTIFY_CENTRE = 1, JUSTIFY_RIGHT = 2 };

// Lays out `text` word-wrapped to `width` in the current bitmap font and, when
// `draw` is set, draws it there with the current colour, alpha and origin.
// A literal backslash followed by "n" breaks the line; a word too wide for a
// line of its own overflows. justify: 1 centred on x + width / 2, 2 right
// aligned at x + width, else left aligned at x. Returns the height in pixels.
int DrawTextBox(int x, int y, const std::string& text, int width, int justify, int draw);

}  // namespace kelp
