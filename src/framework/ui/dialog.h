#pragma once
// The base of every dialog, a modal widget with a background image that the
// player drags by its background, and the one routine that lays out wrapped
// text in the current bitmap font.
#include <string>

#include "framework/ui/controls.h"
#include "framework/ui/widget.h"
#include "platform/image.h"

namespace kelp {

class TColor;
class TRect;

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

// Toolkit frames no screen of the game uses.

class TWindow : public TWidget {
 public:
  std::string id;
};

// A modal window drawn from a 3 x 3 tile set, with a header, wrapped lines
// and child widgets placed relative to it (their x, y) that move and leave with it.
class TDialog : public TWindow {
 public:
  TDialog();
  platform::ImageRef Image;  // the nine tiles
  int IsDown = 0;
  int Tile_Width = 0, Tile_Height = 0;
  platform::ImageRef Tile_Up, Tile_Down, Tile_Left, Tile_Right;  // edge ornaments
  int Tile_UpW = 0, Tile_DownW = 0, Tile_LeftH = 0, Tile_RightH = 0;
  std::string mDialogHeader;
  std::string mDialogLines;
  Ref<TRect> mContentInsets;  // left, top, right, bottom as x, y, width, height
  platform::ImageFontRef HEADER_FONT, LINES_FONT;
  Ref<TColor> COLOR_HEADER, COLOR_LINES;
  int Movable = 1;

  int Draw() override;
  int Resize(int px, int py, int width, int height) override;
  int MouseMove(int dx, int dy) override;
  int MouseUp(int button) override;
  int MouseDown(int button) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  // Cuts the picture into a 3 x 3 grid of equal tiles.
  virtual int SetImage(const platform::ImageRef& source);
  virtual int GetPreferredHeight(int width);
  virtual int CenterToScreen();
};

// A button stretched from three tiles: left cap, middle, right cap.
class TDialogButton : public TButtonWidget {
 public:
  TDialogButton() { TranslateX = TranslateY = 1; }
  platform::ImageRef Image;

  int Draw() override;
  // The width is cut down to a whole number of tiles.
  int Resize(int px, int py, int width, int height) override;
  // Cuts the picture into three equal columns.
  virtual int SetImage(const platform::ImageRef& source);
};

// The frames of a cols x rows grid of equal cells of the source's first frame;
// null for a null or too small source.
platform::ImageRef CutImage(const platform::ImageRef& source, int cols, int rows);

// Justify codes of DrawTextBox.
enum TTextJustify : int { JUSTIFY_LEFT = 0, JUSTIFY_CENTRE = 1, JUSTIFY_RIGHT = 2 };

// Lays out `text` word-wrapped to `width` in the current bitmap font and, when
// `draw` is set, draws it there with the current colour, alpha and origin.
// A literal backslash followed by "n" breaks the line; a word too wide for a
// line of its own overflows. justify: 1 centred on x + width / 2, 2 right
// aligned at x + width, else left aligned at x. Returns the height in pixels.
int DrawTextBox(int x, int y, const std::string& text, int width, int justify, int draw);

}  // namespace kelp
