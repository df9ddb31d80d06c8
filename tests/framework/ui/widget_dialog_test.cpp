// Dialog frames and text boxes: the word wrap's line count, where each line
// lands for the three justifications (read back from the canvas and compared
// with the font's measured widths), and dragging a dialog within the canvas.
#include <gtest/gtest.h>

#include "framework/core/utf8.h"
#include "framework/ui/dialog.h"
#include "widget_test_env.h"

using namespace widgettest;

namespace {

class TextBoxTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    SetBMFont(MakeTestFont(16));
  }
};

struct HeightCase {
  const char* what;
  const char* text;
  int width;
  int lines;
};

TEST_F(TextBoxTest, HeightCountsTheWrappedLines) {
  // Advances: letters 8, space 5. The fit test counts the current character
  // twice and breaks at >=, so "ab cd" (42 wide) needs a width of 48.
  const HeightCase cases[] = {
      {"empty text: one line", "", 100, 1},
      {"break at the end", "ab\\n", 100, 2},
      {"two breaks", "a\\nb\\nc", 100, 3},
      {"fits on one line", "ab cd", 48, 1},
      {"one short of fitting", "ab cd", 47, 2},
      {"a long word overflows; the next word starts a new line", "abcdefghij xy", 30, 2},
      {"width 0: one word per line", "a b c d", 0, 4},
      {"negative width: one word per line", "ab cd ef", -50, 3},
      {"a backslash alone is a character", "a\\b", 100, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DrawTextBox(0, 0, c.text, c.width, JUSTIFY_LEFT, 0), c.lines * 16) << c.what;
    EXPECT_EQ(DrawTextBox(0, 0, c.text, c.width, JUSTIFY_CENTRE, 1), c.lines * 16) << c.what << " (drawn)";
  }
  SetBMFont(nullptr);
  EXPECT_EQ(DrawTextBox(0, 0, "no font", 100, JUSTIFY_LEFT, 1), 0) << "no current font: nothing, no crash";
}

struct Box {
  int x0, x1;  // x1 exclusive; x0 >= x1 when empty
};

// Horizontal extent of the lit pixels in rows y0 .. y1 - 1.
Box LitColumns(const platform::Pixmap& p, int y0, int y1) {
  Box b{p.Width(), 0};
  for (int y = y0; y < y1; ++y)
    for (int x = 0; x < p.Width(); ++x)
      if ((p.ReadPixel(x, y) & 0xFFFFFF) != 0) {
        b.x0 = std::min(b.x0, x);
        b.x1 = std::max(b.x1, x + 1);
      }
  return b;
}

int Measured(const std::string& line) {
  int w = 0;
  for (size_t pos = 0; pos < line.size();) w += BMTextWidth(utf8::Encode(utf8::Next(line, pos)));
  return w;
}

TEST_F(TextBoxTest, LinesArePlacedByJustificationFromTheirMeasuredWidths) {
  // "wrap me please" in 90 pixels breaks before "please"; the second line is
  // given by a break. Each glyph is one pixel narrower than its advance.
  const std::string text = "wrap me please\\nWil";
  const std::vector<std::string> lines = {"wrap me", "please", "Wil"};
  const int x = 100, y = 40, width = 90;
  for (int justify : {JUSTIFY_LEFT, JUSTIFY_CENTRE, JUSTIFY_RIGHT}) {
    platform::Cls();
    platform::ResetDrawState();
    EXPECT_EQ(DrawTextBox(x, y, text, width, justify, 1), 3 * 16);
    auto canvas = platform::GrabCanvas();
    for (size_t i = 0; i < lines.size(); ++i) {
      const int w = Measured(lines[i]);
      float start = static_cast<float>(x);
      if (justify == JUSTIFY_CENTRE) start = static_cast<float>(x + width / 2) - static_cast<float>(w) / 2.0f;
      if (justify == JUSTIFY_RIGHT) start = static_cast<float>(x + width - w);
      const int top = y + static_cast<int>(i) * 16;
      const Box got = LitColumns(*canvas, top, top + 10);
      EXPECT_NEAR(got.x0, static_cast<int>(start), 1) << "justify " << justify << " line " << i;
      EXPECT_NEAR(got.x1, static_cast<int>(start) + w - 1, 1) << "justify " << justify << " line " << i;
    }
    EXPECT_EQ(LitColumns(*canvas, y + 48, 600).x1, 0) << "nothing below the last line";
  }
}

TEST_F(TextBoxTest, MeasuringDrawsNothing) {
  platform::Cls();
  EXPECT_EQ(DrawTextBox(10, 10, "some words to lay out", 60, JUSTIFY_CENTRE, 0), 4 * 16);
  auto canvas = platform::GrabCanvas();
  EXPECT_EQ(LitColumns(*canvas, 0, 600).x1, 0);
}

TEST_F(TextBoxTest, NonAsciiCharactersCountAsOneCharacterEach) {
  // "é" is not in the font: it adds no width and is not drawn, and it does
  // not split the word around it.
  EXPECT_EQ(DrawTextBox(0, 0, "ab\xC3\xA9" "cd ef", 200, JUSTIFY_LEFT, 1), 16);
  EXPECT_EQ(DrawTextBox(0, 0, "ab\xC3\xA9" "cd ef", 37, JUSTIFY_LEFT, 0), 32);
}

class DialogDragTest : public WidgetTest {};

TEST_F(DialogDragTest, DraggingByTheBackgroundStopsAtTheCanvasEdges) {
  auto dialog = New<TDialogStatic>();
  EXPECT_EQ(dialog->Modal, 1);
  dialog->SetImage(platform::CreateImage(200, 100));
  EXPECT_EQ(dialog->_width, 200);
  EXPECT_EQ(dialog->_height, 100);
  dialog->SetPosition(500, 300);
  WidgetManager->AddWidget(dialog);

  Point(600, 350);
  Frame();
  Press();
  Frame();
  struct Step {
    float px, py;
    float x, y;
  };
  const Step steps[] = {
      {620, 360, 520, 310},  // follows the pointer
      {920, 360, 600, 310},  // right side stops on the edge
      {100, 360, 0, 310},    // left stops at 0
      {100, 0, 0, 0},        // top stops at 0
      {100, 599, 0, 500},    // bottom side stops on the edge
  };
  for (const auto& s : steps) {
    Point(s.px, s.py);
    Frame();
    EXPECT_EQ(dialog->_x, s.x) << s.px << "," << s.py;
    EXPECT_EQ(dialog->_y, s.y) << s.px << "," << s.py;
  }
  Release();
  Frame();
  Point(300, 300);
  Frame();
  EXPECT_EQ(dialog->_x, 0.0f) << "released: no more dragging";
}

}  // namespace
