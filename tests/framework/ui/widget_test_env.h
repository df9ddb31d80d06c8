#pragma once
// Shared ground for the widget tests: the headless canvas, a fresh widget
// manager and input per test, a scripted mouse and keyboard through the
// platform's injection hooks, a tiny bitmap font made in memory, and a probe
// widget that records what it receives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "platform/window.h"
#include "reset_rooms.h"

namespace widgettest {

using namespace kelp;

// Glyph advances of the test font: most characters 8, a few narrow or wide
// ones so that measured widths differ from a character count.
inline int Advance(uint32_t c) {
  switch (c) {
    case ' ': return 5;
    case 'i': case 'l': case '!': return 4;
    case 'm': case 'w': return 12;
    case 'W': return 14;
    default: return 8;
  }
}

// A one-page font: every printable ASCII character is a solid white block
// one pixel narrower than its advance and 10 pixels high; the space is blank.
inline Ref<TBMFont> MakeTestFont(int lineHeight = 16) {
  auto page = std::make_shared<platform::Pixmap>(32, 16);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 16; ++x) page->WritePixel(x, y, 0xFFFFFFFFu);
  auto font = New<TBMFont>();
  font->Height = lineHeight;
  font->PageCount = 1;
  font->Pages.push_back(platform::ImageFromPixmap(page));
  for (uint32_t c = 32; c < 127; ++c) {
    auto ch = New<TBMChar>();
    ch->id = static_cast<int>(c);
    ch->x = c == ' ' ? 20 : 0;  // the space points at an empty part of the page
    ch->width = Advance(c) - 1;
    ch->height = 10;
    ch->xadvance = Advance(c);
    font->Chars.push_back(ch);
  }
  font->CharCount = static_cast<int>(font->Chars.size());
  return font;
}

// Records what a widget receives, as "name:event" lines in a shared log.
class Probe : public TWidget {
 public:
  Probe(std::vector<std::string>* log, std::string name) : log_(log), name_(std::move(name)) {}
  int Update(float) override { return Log("update"); }
  int Draw() override { return Log("draw"); }
  int DePress(int id) override { return Log("depress " + std::to_string(id)); }
  int EventMouseLeave(int id) override { return Log("eventleave " + std::to_string(id)); }
  int EventMouseEnter(int id) override { return Log("evententer " + std::to_string(id)); }
  int EventMouseOver(int id) override { return Log("eventover " + std::to_string(id)); }
  int CheckBoxChecked(int id, int state) override {
    return Log("checked " + std::to_string(id) + " " + std::to_string(state));
  }
  int ScrollBarChanged(int id, float value) override {
    return Log("scroll " + std::to_string(id) + " " + std::to_string(value));
  }
  int MouseMove(int dx, int dy) override { return Log("move " + std::to_string(dx) + "," + std::to_string(dy)); }
  int MouseLeave() override { return Log("leave"); }
  int MouseEnter() override { return Log("enter"); }
  int AddedToManager() override { return Log("added"); }
  int RemovedFromManager() override { return Log("removed"); }
  int MouseUp(int b) override { return Log("up " + std::to_string(b)); }
  int MouseDown(int b) override { return Log("down " + std::to_string(b)); }

 private:
  int Log(const std::string& what) {
    if (log_) log_->push_back(name_ + ":" + what);
    return 0;
  }
  std::vector<std::string>* log_;
  std::string name_;
};

// Lines of the log that start with `prefix` (e.g. "a:" or "a:down").
inline std::vector<std::string> Only(const std::vector<std::string>& log, const std::string& prefix) {
  std::vector<std::string> out;
  for (const auto& line : log)
    if (line.rfind(prefix, 0) == 0) out.push_back(line);
  return out;
}

inline int Count(const std::vector<std::string>& log, const std::string& line) {
  int n = 0;
  for (const auto& l : log)
    if (l == line) ++n;
  return n;
}

template <class T = Probe>
Ref<T> Place(Ref<T> w, int x, int y, int width, int height) {
  w->Resize(x, y, width, height);
  return w;
}

// Each test starts on a cleared headless canvas with a fresh manager, no
// input, the pointer at (0, 0), and the frame loop's hooks empty.
class WidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetUiRooms();
    ASSERT_TRUE(platform::OpenGraphics(800, 600, 0, 60, true));
    platform::ResetDrawState();
    platform::SetClearColor(0, 0, 0);
    platform::Cls();
    platform::ResetInput();
    InitFrameClock();
    GameTime = 1000000;
    Mouse = New<TMouse>();  // the system pointer: it follows the platform's position
    UpdateFrameHook = [this] { Frame(); };
  }
  void TearDown() override {
    testsupport::ResetUiRooms();
    platform::ResetInput();
  }

  // The pointer, moved to a canvas point.
  void Point(float x, float y) { platform::InjectMousePosition(x, y); }
  void Press(int button = 1) { platform::InjectMouseButton(button, true); }
  void Release(int button = 1) { platform::InjectMouseButton(button, false); }
  void Key(int vk) {
    platform::InjectKey(vk, true);
    platform::InjectKey(vk, false);
  }
  void KeyDown(int vk) { platform::InjectKey(vk, true); }
  void KeyUp(int vk) { platform::InjectKey(vk, false); }

  // One frame as the frame loop runs it: the mouse, then the widgets' update and drawing.
  void Frame(float dt = 1.0f) {
    ++frames_;
    GameTime += 18;
    Mouse->Update(dt);
    WidgetManager->Update(dt);
    if (drawFrames_) WidgetManager->Draw();
  }
  void Frames(int n, float dt = 1.0f) {
    for (int i = 0; i < n; ++i) Frame(dt);
  }

  // A click at a point: pressed in one frame, released in the next.
  void Click(float x, float y, int button = 1) {
    Point(x, y);
    Press(button);
    Frame();
    Release(button);
    Frame();
  }

  std::vector<std::string> log_;
  int frames_ = 0;
  bool drawFrames_ = true;  // off where only the logic is looked at: the software canvas is slow
};

}  // namespace widgettest
