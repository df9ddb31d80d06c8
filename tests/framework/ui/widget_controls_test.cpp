// The standard controls driven through the widget manager by a scripted
// mouse: what buttons, links, check boxes, sliders and list boxes report,
// when the click sound plays, and where a button puts its label.
#include <gtest/gtest.h>

#include "draw_probe.h"
#include "framework/media/anim_image.h"
#include "framework/ui/controls.h"
#include "platform/image_font.h"
#include "widget_test_env.h"

using namespace widgettest;

namespace {

class ControlsTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    ClickSoundHook = [this](const std::string& name, float volume, int repeat) {
      sounds_.push_back(name + " " + std::to_string(volume) + " " + std::to_string(repeat));
      return 0;
    };
    listener_ = New<Probe>(&log_, "l");
  }

  std::vector<std::string> sounds_;
  Ref<Probe> listener_;
};

struct ButtonCase {
  const char* what;
  int button;
  bool dragOff;
  int locked;
  bool listener;
  int depress;
  int sounds;
};

TEST_F(ControlsTest, ButtonReportsOnReleaseOverItAndClicksOnceOnALeftPress) {
  const ButtonCase cases[] = {
      {"left click", 1, false, 0, true, 1, 1},
      {"right click reports without a sound", 2, false, 0, true, 1, 0},
      {"middle click reports without a sound", 3, false, 0, true, 1, 0},
      {"dragged off before the release", 1, true, 0, true, 0, 1},
      {"locked: reports, never clicks", 1, false, 1, true, 1, 0},
      {"no listener", 1, false, 0, false, 0, 1},
  };
  for (const auto& c : cases) {
    InitWidgetManager();
    log_.clear();
    sounds_.clear();
    auto b = CreateButton(100, 100, platform::CreateImage(60, 30), "", 5, c.listener ? listener_ : nullptr, 0, 0);
    b->locked = c.locked;
    WidgetManager->AddWidget(b);
    Point(120, 110);
    Press(c.button);
    Frames(3);  // held: a press in every frame
    if (c.dragOff) Point(300, 300);
    Release(c.button);
    Frame();
    EXPECT_EQ(Count(log_, "l:depress 5"), c.depress) << c.what;
    EXPECT_EQ(static_cast<int>(sounds_.size()), c.sounds) << c.what;
    if (c.sounds) {
      EXPECT_EQ(sounds_[0], "SOUND_BT_CLICK 0.000000 0") << c.what;
    }
    EXPECT_EQ(b->IsDown, 0) << c.what;
  }
}

TEST_F(ControlsTest, QuickClickBetweenTwoFramesPressesTheButton) {
  auto b = CreateButton(100, 100, platform::CreateImage(60, 30), "", 5, listener_, 0, 0);
  WidgetManager->AddWidget(b);
  Point(120, 110);
  Frame();
  Press(1);
  Release(1);  // a tap on a touchpad: both before the next frame
  Frame();
  EXPECT_EQ(Count(log_, "l:depress 5"), 1);
  EXPECT_EQ(sounds_.size(), 1u);
  EXPECT_EQ(b->IsDown, 0);
  Frames(2);
  EXPECT_EQ(Count(log_, "l:depress 5"), 1) << "one click, one report";
}

TEST_F(ControlsTest, ButtonGlowsAndReportsHoverEveryFrame) {
  auto b = CreateButton(100, 100, platform::CreateImage(60, 30), "", 5, listener_, 0, 0);
  WidgetManager->AddWidget(b);
  Point(120, 110);
  Frames(4);
  EXPECT_NEAR(b->OverAlpha, 0.4f, 1e-5);
  EXPECT_EQ(Count(log_, "l:eventover 5"), 4);
  EXPECT_EQ(Count(log_, "l:evententer 5"), 4 + 1) << "every frame, plus the move onto it";
  Frames(10);
  EXPECT_EQ(b->OverAlpha, 1.0f);
  Point(300, 300);
  Frame();
  EXPECT_EQ(Count(log_, "l:eventleave 5"), 1);
  EXPECT_NEAR(b->OverAlpha, 0.9f, 1e-5);
  b->SetHided(1);
  EXPECT_EQ(b->OverAlpha, 0.0f);
  EXPECT_EQ(b->Enable, 0);
  EXPECT_EQ(b->Visible, 0);
}

TEST_F(ControlsTest, BlinkingButtonRestsAtFullAndZeroGlowBeforeTurning) {
  auto b = CreateButton(100, 100, platform::CreateImage(60, 30), "", 5, listener_, 0, 0);
  b->blink = 1;
  WidgetManager->AddWidget(b);
  int fullAt = -1, fallAt = -1, emptyAt = -1, riseAt = -1;
  for (int f = 0; f < 100 && riseAt < 0; ++f) {
    const int before = b->blink;
    Frame();
    if (fullAt < 0 && b->OverAlpha == 1.0f) fullAt = GameTime;
    if (before == 1 && b->blink == 2) fallAt = GameTime;
    if (fallAt >= 0 && emptyAt < 0 && b->OverAlpha == 0.0f) emptyAt = GameTime;
    if (before == 2 && b->blink == 1) riseAt = GameTime;
  }
  ASSERT_GE(riseAt, 0);
  EXPECT_GT(fallAt - fullAt, b->blink_pause);
  EXPECT_LE(fallAt - fullAt, b->blink_pause + 2 * 18);
  EXPECT_GT(riseAt - emptyAt, b->blink_pause);
  EXPECT_LE(riseAt - emptyAt, b->blink_pause + 2 * 18);
}

// A plain-text font that records where text is drawn and the origin then.
class RecordingFont : public platform::ImageFont {
 public:
  void Draw(const std::string& text, float x, float y) override {
    float ox = 0, oy = 0;
    platform::GetOrigin(ox, oy);
    draws.push_back({text, x, y, ox, oy});
  }
  int Width(const std::string& text) override { return 10 * static_cast<int>(text.size()); }
  int Height(const std::string&) override { return 12; }
  struct Call {
    std::string text;
    float x, y, ox, oy;
  };
  std::vector<Call> draws;
};

TEST_F(ControlsTest, ButtonLabelIsPlacedByItsJustification) {
  struct LabelCase {
    int justify;
    float x;
  };
  const LabelCase cases[] = {{1, 0}, {2, 30}, {3, 60}, {0, 0}, {7, 0}};
  for (const auto& c : cases) {
    auto font = std::make_shared<RecordingFont>();
    auto b = CreateButton(100, 200, platform::CreateImage(100, 40), "abcd", 5, listener_, 0, 0);
    b->Font = font;
    b->LabelJustify = c.justify;
    b->LabelYDef = 3;
    WidgetManager->DrawWidget(b);
    ASSERT_EQ(font->draws.size(), 1u);
    EXPECT_EQ(font->draws[0].text, "abcd");
    EXPECT_EQ(font->draws[0].x, c.x) << "justify " << c.justify;
    EXPECT_EQ(font->draws[0].y, 20 - 6 + 3) << "justify " << c.justify;
  }
}

TEST_F(ControlsTest, PressedButtonDrawsShiftedByItsTranslation) {
  auto font = std::make_shared<RecordingFont>();
  auto b = CreateButton(100, 200, platform::CreateImage(100, 40), "ok", 5, listener_, 2, 3);
  b->Font = font;
  WidgetManager->AddWidget(b);
  Point(120, 210);
  Frame();
  Press();
  Frame();
  Point(300, 300);  // held, but no longer over it
  Frame();
  ASSERT_EQ(font->draws.size(), 3u);
  EXPECT_EQ(font->draws[0].ox, 100.0f);
  EXPECT_EQ(font->draws[1].ox, 102.0f) << "pressed look";
  EXPECT_EQ(font->draws[1].oy, 203.0f);
  EXPECT_EQ(font->draws[2].ox, 100.0f) << "held away from it: the plain look";
}

TEST_F(ControlsTest, PressedFrameOfTheStripShowsOnlyWhenTheStripHasMoreThanTwoFrames) {
  const uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
  struct Case {
    int frames;
    uint32_t shown;
  };
  for (const Case c : {Case{2, 0xFF0000u}, Case{3, 0x0000FFu}}) {
    auto anim = New<TAnimImage>();
    anim->Frames = c.frames;
    anim->Image = platform::CreateImage(40, 20, c.frames, 0);
    for (int f = 0; f < c.frames; ++f) anim->Image->SetFrame(f, draw_probe::Solid(40, 20, colours[f])->Frame(0));
    auto b = CreateButton(0, 0, nullptr, "", 1, listener_, 0, 0);
    b->SetAnim(anim);
    b->SetPosition(100, 100);
    b->IsDown = 1;
    b->IsOver = 1;
    platform::Cls();
    WidgetManager->DrawWidget(b);
    platform::PixmapRef p = platform::GrabCanvas();
    ASSERT_TRUE(p);
    EXPECT_EQ(draw_probe::RGB(*p, 110, 110), c.shown) << c.frames << " frames";
  }
}

TEST_F(ControlsTest, LinkClicksOnEveryNewPressAndReportsOnlyWhenReleasedOverIt) {
  auto link = CreateHyperLink("help", MakeTestFont(), 8, listener_);
  link->Resize(100, 100, 80, 20);
  WidgetManager->AddWidget(link);
  Point(110, 110);
  Press(2);
  Frame();
  Point(400, 400);
  Release(2);
  Frame();
  EXPECT_EQ(sounds_.size(), 1u) << "any button clicks a link";
  EXPECT_EQ(Count(log_, "l:depress 8"), 0);
  Click(110, 110, 1);
  EXPECT_EQ(sounds_.size(), 2u) << "the release outside reset it";
  EXPECT_EQ(Count(log_, "l:depress 8"), 1);
}

TEST_F(ControlsTest, CheckBoxTogglesOnALeftReleaseOverItUnlessLocked) {
  auto on = platform::CreateImage(20, 20), off = platform::CreateImage(20, 20);
  auto box = CreateCheckbox(on, off, 0, 100, 100, 4, listener_);
  EXPECT_EQ(box->_width, 20);
  WidgetManager->AddWidget(box);

  Click(110, 110, 1);
  EXPECT_EQ(box->Checked, 1);
  Click(110, 110, 2);
  EXPECT_EQ(box->Checked, 1) << "right button";
  Point(110, 110);
  Press();
  Frame();
  Point(300, 300);
  Release();
  Frame();
  EXPECT_EQ(box->Checked, 1) << "released elsewhere";
  box->Locked = 1;
  Click(110, 110, 1);
  EXPECT_EQ(box->Checked, 1) << "locked";
  box->Locked = 0;
  Click(110, 110, 1);
  EXPECT_EQ(box->Checked, 0);
  EXPECT_EQ(Only(log_, "l:checked"), (std::vector<std::string>{"l:checked 4 1", "l:checked 4 0"}));
}

TEST_F(ControlsTest, SliderFollowsThePointerWhileHeldAndReportsEveryFrame) {
  // Track 200 wide, marker 20: the widget spans x 90 .. 300 and the value
  // is measured from a quarter marker width (5) right of its left side.
  auto s = CreateScrollBarH(platform::CreateImage(200, 10), platform::CreateImage(200, 10),
                            platform::CreateImage(20, 20), platform::CreateImage(20, 20), 8, 9, listener_);
  EXPECT_EQ(s->Height, 20);
  s->SetPosition(100, 300);
  EXPECT_EQ(s->_x, 90.0f);
  EXPECT_EQ(s->_width, 210);
  WidgetManager->AddWidget(s);
  EXPECT_EQ(s->Image_Marker_off->HandleX(), 10.0f);

  Point(150, 310);
  Press();
  Frame();
  struct Step {
    float px;
    float value;
  };
  const Step steps[] = {{150, 0.275f}, {50, 0.0f}, {95, 0.0f}, {195, 0.5f}, {295, 1.0f}, {400, 1.0f}};
  for (const auto& st : steps) {
    Point(st.px, 310);
    Frame();
    EXPECT_NEAR(s->Value, st.value, 1e-6) << st.px;
  }
  log_.clear();
  Frames(2);
  EXPECT_EQ(Only(log_, "l:scroll").size(), 2u) << "held still: reported every frame";
  Release();
  Frame();
  log_.clear();
  Point(200, 310);
  Frame();
  EXPECT_TRUE(Only(log_, "l:scroll").empty());

  s->Locked = 1;
  Point(150, 310);
  Press();
  Frames(2);
  EXPECT_EQ(s->Value, 1.0f) << "locked";
}

TEST_F(ControlsTest, ListBoxSelectsTheRowUnderThePress) {
  auto list = New<TListbox>();
  list->Font = MakeTestFont(16);  // rows of 12.8
  list->Resize(100, 100, 100, 100);
  EXPECT_EQ(list->GetSelected(), "");
  WidgetManager->AddWidget(list);
  ASSERT_TRUE(list->List);
  EXPECT_EQ(list->GetSelected(), "") << "empty";
  *list->List = {"one", "two", "three"};
  EXPECT_EQ(list->GetSelected(), "one");

  Click(150, 113);
  EXPECT_EQ(list->Selected, 2);
  EXPECT_EQ(list->GetSelected(), "two");
  Click(150, 150);  // below the last row
  EXPECT_EQ(list->Selected, 2);
  Click(150, 130, 2);
  EXPECT_EQ(list->Selected, 2) << "right button";
  EXPECT_EQ(list->Get(3), "three");
  EXPECT_EQ(list->Get(0), "");
  EXPECT_EQ(list->Get(4), "");
  WidgetManager->RemoveWidget(list);
  EXPECT_TRUE(list->List->empty());
}

TEST_F(ControlsTest, ImageWidgetsNeverCatchTheMouse) {
  auto image = CreateImageWidget(platform::CreateImage(50, 40), 100, 100, 1);
  EXPECT_EQ(image->_width, 50);
  EXPECT_EQ(image->_height, 40);
  EXPECT_TRUE(WidgetManager->Contains(image.get()));
  EXPECT_EQ(WidgetManager->WidgetAt(120, 120), nullptr);
  auto loose = CreateImageWidget(nullptr, 0, 0, 0);
  EXPECT_FALSE(WidgetManager->Contains(loose.get()));
  EXPECT_EQ(loose->_width, 0);
  Frame();  // draws with and without an image
}

}  // namespace
