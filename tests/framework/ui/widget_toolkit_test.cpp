// The toolkit pieces no screen uses: text label, timed message label, the
// two progress bars, the tiled dialog and button, and the general input box.
#include <gtest/gtest.h>

#include "draw_probe.h"
#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/geometry.h"
#include "framework/media/anim_image.h"
#include "framework/media/resources.h"
#include "framework/media/visuals.h"
#include "framework/ui/controls.h"
#include "framework/ui/dialog.h"
#include "framework/ui/input_box.h"
#include "framework/ui/widget_updater.h"
#include "platform/image_font.h"
#include "widget_test_env.h"
#include "world/resource_bindings.h"

using namespace widgettest;
using draw_probe::Box;
using draw_probe::LitBox;
using draw_probe::Solid;

namespace {

class TextRecorder : public platform::ImageFont {
 public:
  void Draw(const std::string& text, float x, float y) override {
    int r = 0, g = 0, b = 0;
    platform::GetColor(r, g, b);
    draws.push_back({text, x, y, r});
  }
  int Width(const std::string& text) override { return 10 * static_cast<int>(text.size()); }
  int Height(const std::string&) override { return 12; }
  struct Call {
    std::string text;
    float x, y;
    int red;
  };
  std::vector<Call> draws;
};

class ToolkitTest : public WidgetTest {
 protected:
  platform::Pixmap DrawAndGrab(const Ref<TWidget>& w) {
    platform::Cls();
    WidgetManager->DrawWidget(w);
    platform::PixmapRef p = platform::GrabCanvas();
    return p ? *p : platform::Pixmap(1, 1);
  }
};

TEST_F(ToolkitTest, LabelDrawsItsTextInCanvasCoordinatesInItsColour) {
  auto font = std::make_shared<TextRecorder>();
  platform::SetImageFont(font);
  auto label = Place(New<TLabel>(), 120, 80, 10, 10);
  label->text = "score";
  EXPECT_EQ(label->Clip, 0);
  WidgetManager->DrawWidget(label);
  ASSERT_EQ(font->draws.size(), 1u);
  EXPECT_EQ(font->draws[0].text, "score");
  EXPECT_EQ(font->draws[0].x, 120.0f);
  EXPECT_EQ(font->draws[0].y, 80.0f);
  EXPECT_EQ(font->draws[0].red, 200) << "the default label colour";
  platform::SetImageFont(nullptr);
}

TEST_F(ToolkitTest, MessageLabelIsCentredOnItsPointDriftsAndLeavesAfterItsTime) {
  auto font = MakeTestFont(16);
  auto label = CreateMessageLabel("hi", 400, 300, 200, font, CreateColor(255, 255, 255), 10.0f, -2.0f);
  EXPECT_EQ(label->Height, 16);
  EXPECT_EQ(label->_x, 300.0f);
  EXPECT_EQ(label->_y, 292.0f);
  ASSERT_TRUE(WidgetManager->Contains(label.get()));
  Frames(3);
  EXPECT_EQ(label->_y, 286.0f);
  EXPECT_EQ(label->PassedTime, 3.0f);
  Frames(7);
  EXPECT_TRUE(WidgetManager->Contains(label.get())) << "at exactly its time it is still shown";
  Frame();
  EXPECT_FALSE(WidgetManager->Contains(label.get()));
}

TEST_F(ToolkitTest, ProgressBarsFillTheirShareCappedAtAHundred) {
  auto bar = Place(New<TProgressBar>(), 100, 100, 200, 20);
  bar->Image = Solid(200, 20, 0xFFFF0000);
  bar->SetState(25.0f);
  EXPECT_EQ(bar->CurWidth, 50.0f);
  draw_probe::ExpectBox(LitBox(DrawAndGrab(bar)), Box{100, 100, 150, 120}, "quarter bar");
  bar->SetState(250.0f);
  EXPECT_EQ(bar->Progress, 100.0f);
  EXPECT_EQ(bar->State, 1.0f);
  EXPECT_EQ(bar->CurWidth, 200.0f);

  struct SimpleCase {
    const char* what;
    int vertical;
    float percent;
    Box lit;
  };
  const SimpleCase cases[] = {
      {"horizontal fills from the left", 0, 50.0f, {100, 100, 150, 140}},
      {"vertical fills from the bottom", 1, 25.0f, {100, 130, 200, 140}},
      {"above a hundred is full", 1, 400.0f, {100, 100, 200, 140}},
  };
  for (const auto& c : cases) {
    auto simple = Place(New<TSimpleProgressBar>(), 100, 100, c.vertical ? 100 : 100, 40);
    simple->VerticalMode = c.vertical;
    simple->ImageFront = Solid(100, 40, 0xFF00FF00);
    simple->SetState(c.percent);
    EXPECT_LE(simple->Progress, 100.0f) << c.what;
    draw_probe::ExpectBox(LitBox(DrawAndGrab(simple)), c.lit, c.what);
  }
}

TEST_F(ToolkitTest, ProgressBarLightPulsesThenRestsThreeToFiveSecondsAtZero) {
  auto bar = New<TProgressBar>();
  bar->Speed = 0.25f;
  int restStart = 0;
  for (int i = 0; i < 20 && !restStart; ++i) {
    GameTime += 18;
    bar->Update(1.0f);
    if (i > 0 && bar->AlphaState == 0) restStart = GameTime;
  }
  ASSERT_NE(restStart, 0) << "rose to 1 and fell back to 0";
  EXPECT_EQ(bar->Alpha, 0.0f);
  EXPECT_GE(bar->AlphaUpd - restStart, 3000);
  EXPECT_LE(bar->AlphaUpd - restStart, 5000);
  GameTime = bar->AlphaUpd;
  bar->Update(1.0f);
  EXPECT_EQ(bar->AlphaState, 0) << "resting until strictly after the rest";
  GameTime += 1;
  bar->Update(1.0f);
  bar->Update(1.0f);
  EXPECT_GT(bar->Alpha, 0.0f);
}

TEST_F(ToolkitTest, TiledDialogCarriesItsChildrenAndDrawsItsWholeFrame) {
  auto dialog = New<TDialog>();
  dialog->SetImage(Solid(30, 24, 0xFF808080));
  ASSERT_TRUE(dialog->Image);
  EXPECT_EQ(dialog->Image->Frames(), 9);
  EXPECT_EQ(dialog->Tile_Width, 10);
  EXPECT_EQ(dialog->Tile_Height, 8);
  EXPECT_EQ(dialog->Modal, 1);
  dialog->Resize(100, 50, 95, 61);
  auto child = Place(New<Probe>(&log_, "c"), 0, 0, 20, 10);
  child->x = 15;
  child->y = 30;
  dialog->Widgets.AddLast(child);
  WidgetManager->AddWidget(dialog);
  EXPECT_TRUE(WidgetManager->Contains(child.get()));
  EXPECT_EQ(child->_x, 115.0f);
  EXPECT_EQ(child->_y, 80.0f);

  draw_probe::ExpectBox(LitBox(DrawAndGrab(dialog)), Box{100, 50, 195, 111}, "nine parts cover the dialog", 0);

  // Dragging by the background takes the child along, and stops at the canvas edge.
  Point(150, 100);
  Press();
  Frame();
  Point(900, 100);
  Frame();
  Release();
  Frame();
  EXPECT_EQ(dialog->_x, 800.0f - 95);
  EXPECT_EQ(child->_x, 800.0f - 95 + 15);

  dialog->Movable = 0;
  Point(650, 100);
  Press();
  Frame();
  Point(600, 100);
  Frame();
  Release();
  Frame();
  EXPECT_EQ(dialog->_x, 800.0f - 95) << "a fixed dialog stays";

  dialog->CenterToScreen();
  EXPECT_EQ(dialog->_x, 400.0f - 47);

  WidgetManager->RemoveWidget(dialog);
  EXPECT_FALSE(WidgetManager->Contains(child.get()));
}

TEST_F(ToolkitTest, TiledDialogPreferredHeightIsInsetsHeaderLinesAndTen) {
  SetBMFont(MakeTestFont(16));
  auto font = std::make_shared<TextRecorder>();
  auto dialog = New<TDialog>();
  dialog->mContentInsets = CreateRect(5, 7, 5, 9);
  dialog->HEADER_FONT = font;
  dialog->mDialogHeader = "Title";
  dialog->mDialogLines = "one\\ntwo";
  EXPECT_EQ(dialog->GetPreferredHeight(300), 7 + 9 + 12 + 32 + 10);
}

TEST_F(ToolkitTest, TiledButtonKeepsWholeTilesAndDrawsItsCaps) {
  auto caps = platform::CreateImage(30, 12, 1, 0);
  auto pixels = std::make_shared<platform::Pixmap>(30, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 30; ++x) pixels->WritePixel(x, y, x < 10 ? 0xFFFF0000 : x < 20 ? 0xFF00FF00 : 0xFF0000FF);
  caps->SetFrame(0, pixels);
  auto button = New<TDialogButton>();
  EXPECT_EQ(button->TranslateX, 1);
  EXPECT_EQ(button->TranslateY, 1);
  button->SetImage(caps);
  ASSERT_TRUE(button->Image);
  EXPECT_EQ(button->Image->Frames(), 3);
  button->Resize(200, 100, 47, 12);
  EXPECT_EQ(button->_width, 40) << "cut down to whole tiles";
  const platform::Pixmap p = DrawAndGrab(button);
  EXPECT_EQ(draw_probe::RGB(p, 205, 105), 0xFF0000u) << "left cap";
  EXPECT_EQ(draw_probe::RGB(p, 215, 105), 0x00FF00u) << "middle";
  EXPECT_EQ(draw_probe::RGB(p, 225, 105), 0x00FF00u) << "middle";
  EXPECT_EQ(draw_probe::RGB(p, 235, 105), 0x0000FFu) << "right cap";
  EXPECT_EQ(draw_probe::RGB(p, 245, 105), 0x000000u);
}

class InputListener : public TWidget {
 public:
  int InputFinished(int id, const std::string& text) override {
    answers.push_back(std::to_string(id) + ":" + text);
    return 0;
  }
  std::vector<std::string> answers;
};

class GeneralInputBoxTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    drawFrames_ = false;
    for (const char* id : {"IMAGE_GUI_BT_OK", "IMAGE_GUI_BT_CANCEL"}) {
      auto res = New<TResAnimImage>();
      ResManager->ResAddData("", id, res, "test");
      res->Data = platform::CreateImage(80, 30, 3);
      res->FramesNum = 3;
    }
    auto frame = New<TResImage>();
    ResManager->ResAddData("", "IMAGE_MAINMENU_NAME_FRAME", frame, "test");
    frame->Data = platform::CreateImage(300, 200);
    FontUserlist = MakeTestFont(16);
    listener_ = New<InputListener>();
  }
  Ref<InputListener> listener_;
};

TEST_F(GeneralInputBoxTest, OkReportsTheTextAndCancelAnEmptyOneAfterTheSlideOut) {
  struct Case {
    const char* what;
    const char* prompt;
    std::vector<int> keys;
    int answerKey;  // 0: click the cancel button
    const char* answer;
  };
  const Case cases[] = {
      {"Enter with typed text", "ab", {'C'}, platform::VK_RETURN, "7:abc"},
      {"Enter with an empty text", "", {}, platform::VK_RETURN, "7:"},
      {"Escape cancels", "ab", {'C'}, platform::VK_ESCAPE, "7:"},
      {"the cancel button cancels", "ab", {}, 0, "7:"},
  };
  for (const auto& c : cases) {
    listener_->answers.clear();
    auto box = ShowInputBox(7, listener_, c.prompt);
    ASSERT_TRUE(box->Button_OK && box->BUTTON_CANCEL) << c.what;
    for (int k : c.keys) {
      Key(k);
      Frame();
    }
    Frames(60);
    ASSERT_TRUE(box->Updater->IsShowing()) << c.what;
    if (c.answerKey) {
      Key(c.answerKey);
      Frame();
    } else {
      Click(box->BUTTON_CANCEL->_x + 10, box->BUTTON_CANCEL->_y + 10);
    }
    EXPECT_TRUE(listener_->answers.empty()) << c.what << ": not before the slide-out";
    Frames(40);
    EXPECT_EQ(listener_->answers, std::vector<std::string>{c.answer}) << c.what;
    EXPECT_FALSE(WidgetManager->Contains(box.get())) << c.what;
    EXPECT_FALSE(WidgetManager->Contains(box->BUTTON_CANCEL.get())) << c.what;
  }
}

TEST_F(GeneralInputBoxTest, KeysDuringTheSlideInDoNotAnswer) {
  auto box = ShowInputBox(3, listener_, "x");
  Key(platform::VK_ESCAPE);
  Frame();
  Frames(60);
  EXPECT_TRUE(box->Updater->IsShowing());
  Frames(40);
  EXPECT_TRUE(listener_->answers.empty());
}

TEST(FrameSyncData, TypeCountsLiveRecordsAndSumsTheirRates) {
  const int count = TFrameSyncData::Count;
  const float sum = TFrameSyncData::SumFPS;
  {
    auto a = TFrameSyncData::Create(55.0f);
    auto b = TFrameSyncData::Create(60.0f);
    EXPECT_EQ(TFrameSyncData::Count, count + 2);
    EXPECT_FLOAT_EQ(TFrameSyncData::SumFPS, sum + 115.0f);
  }
  EXPECT_EQ(TFrameSyncData::Count, count);
  EXPECT_FLOAT_EQ(TFrameSyncData::SumFPS, sum);
  EXPECT_EQ(New<TFrameSync>()->data.Count(), 0u);
}

}  // namespace
