// The message box driven by a scripted mouse and keyboard: what it reports
// after sliding out, when keys count, its buttons riding along, its text
// placement, what goes with it, and what it does to the screens behind it.
#include <gtest/gtest.h>

#include "framework/media/anim_image.h"
#include "framework/media/resources.h"
#include "framework/media/visuals.h"
#include "framework/ui/controls.h"
#include "framework/ui/message_box.h"
#include "framework/ui/widget_updater.h"
#include "widget_test_env.h"
#include "world/resource_bindings.h"

using namespace widgettest;

namespace {

// Registers an animated button strip of three 80 x 30 frames under an id.
void AddButtonStrip(const std::string& id) {
  auto res = New<TResAnimImage>();
  ResManager->ResAddData("", id, res, "test");
  res->Data = platform::CreateImage(80, 30, 3);
  res->FramesNum = 3;
  res->FrameWidth = 80;
  res->FrameHeight = 30;
}

class MessageBoxTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    drawFrames_ = false;
    for (const char* id : {"IMAGE_GUI_BT_OK", "IMAGE_GUI_BT_YES", "IMAGE_GUI_BT_NO"}) AddButtonStrip(id);
    ImageGuiMessageBox = platform::CreateImage(400, 250);
    FontPopup = MakeTestFont(16);
    screen_ = Place(New<Probe>(&log_, "screen"), 0, 0, 800, 600);
    WidgetManager->AddWidget(screen_);
    ShowUserOptionsHook = [this] { ++userOptions_; };
  }

  Ref<TMessageBox> Show(int id, const Ref<TWidget>& listener, int buttons, int options = 0,
                        const std::string& text = "Are you sure?") {
    return ShowMessageBox(id, listener, text, buttons, buttons == 1 ? "IMAGE_GUI_BT_OK" : "IMAGE_GUI_BT_YES",
                          buttons == 1 ? "" : "IMAGE_GUI_BT_NO", options);
  }
  // Frames until the slide-in has come to rest (with its bounce).
  void Arrive() { Frames(60); }

  Ref<Probe> screen_;
  int userOptions_ = 0;
};

struct ReportCase {
  const char* what;
  int buttons;
  int id;
  int key;
  int report;  // 0: no report, the box stays
};

TEST_F(MessageBoxTest, KeysAnswerTheBoxOnceItHasArrivedAndTheReportIsBoxIdTimesButtonId) {
  const ReportCase cases[] = {
      {"one button, Enter", 1, 3, platform::VK_RETURN, 45000},
      {"one button, Escape does nothing", 1, 3, platform::VK_ESCAPE, 0},
      {"two buttons, Enter is the first", 2, 2, platform::VK_RETURN, 30002},
      {"two buttons, Escape is the second", 2, 1, platform::VK_ESCAPE, 15002},
  };
  for (const auto& c : cases) {
    log_.clear();
    auto box = Show(c.id, screen_, c.buttons);
    Arrive();
    Key(c.key);
    Frames(40);
    if (c.report) {
      EXPECT_EQ(Only(log_, "screen:depress"), std::vector<std::string>{"screen:depress " + std::to_string(c.report)})
          << c.what;
      EXPECT_FALSE(WidgetManager->Contains(box.get())) << c.what;
      EXPECT_EQ(WidgetManager->WidgetsList.Count(), 1u) << c.what << ": the buttons went with it";
    } else {
      EXPECT_TRUE(Only(log_, "screen:depress").empty()) << c.what;
      EXPECT_TRUE(WidgetManager->Contains(box.get())) << c.what;
      WidgetManager->RemoveWidget(box);
    }
  }
}

TEST_F(MessageBoxTest, KeyPressedDuringTheSlideInIsNotKeptForTheArrival) {
  auto box = Show(1, screen_, 2);
  Frame();
  Key(platform::VK_RETURN);
  Frame();
  EXPECT_FALSE(box->Updater->Accel->Stopped) << "still sliding in";
  Arrive();
  Frames(40);
  EXPECT_TRUE(Only(log_, "screen:depress").empty());
  EXPECT_TRUE(WidgetManager->Contains(box.get()));
  EXPECT_TRUE(box->Updater->IsShowing());
}

TEST_F(MessageBoxTest, ClickingAButtonReportsItAfterTheSlideOut) {
  auto box = Show(4, screen_, 2);
  Arrive();
  auto no = box->Button_2;
  Click(no->_x + 10, no->_y + 10);
  EXPECT_TRUE(Only(log_, "screen:depress").empty()) << "not before the slide-out ends";
  Frames(40);
  EXPECT_EQ(Only(log_, "screen:depress"), std::vector<std::string>{"screen:depress 60008"});
}

TEST_F(MessageBoxTest, SecondAnswerDuringTheSlideOutDoesNotReplaceTheFirst) {
  auto box = Show(1, screen_, 2);
  Arrive();
  Key(platform::VK_RETURN);  // Yes
  Frame();
  ASSERT_TRUE(box->Updater->IsHiding());
  auto no = box->Button_2;
  Click(no->_x + 10, no->_y + 5);  // No, while the box leaves
  Key(platform::VK_ESCAPE);
  Frames(40);
  EXPECT_EQ(Only(log_, "screen:depress"), std::vector<std::string>{"screen:depress 15001"});
}

TEST_F(MessageBoxTest, BoxWithoutAListenerClosesQuietly) {
  auto box = Show(1, nullptr, 1);
  Arrive();
  Key(platform::VK_RETURN);
  Frames(40);
  EXPECT_FALSE(WidgetManager->Contains(box.get()));
  EXPECT_EQ(WidgetManager->WidgetsList.Count(), 1u);

  // A listener that is gone by the time of the report is the same.
  auto gone = New<Probe>(&log_, "gone");
  box = Show(1, gone, 1);
  gone.reset();
  Arrive();
  Key(platform::VK_RETURN);
  Frames(40);
  EXPECT_FALSE(WidgetManager->Contains(box.get()));
}

TEST_F(MessageBoxTest, ButtonsRideAlongWhileTheBoxSlidesAndIsDragged) {
  auto one = Show(1, screen_, 1);
  EXPECT_EQ(one->_x, 200.0f);
  EXPECT_EQ(one->_y, -250.0f);
  Frames(3);
  EXPECT_EQ(one->Button_1->_x, 200.0f + 200 - 40);
  EXPECT_EQ(one->Button_1->_y, static_cast<float>(static_cast<int>(one->_y + 170)));
  WidgetManager->RemoveWidget(one);

  auto two = Show(1, screen_, 2);
  Arrive();
  ASSERT_EQ(two->_y, 175.0f);
  EXPECT_EQ(two->Button_1->_x, 200.0f + 200 - 80) << "the first ends at the centre";
  EXPECT_EQ(two->Button_2->_x, 200.0f + 200 + 4) << "the second starts 4 right of it";
  EXPECT_EQ(two->Button_2->_y, 175.0f + 170);

  Point(220, 200);  // the box's background
  Frame();
  Press();
  Frame();
  Point(250, 180);
  Frame();
  Release();
  Frame();
  EXPECT_EQ(two->_x, 230.0f);
  EXPECT_EQ(two->_y, 155.0f);
  EXPECT_EQ(two->Button_1->_x, 230.0f + 200 - 80);
  EXPECT_EQ(two->Button_2->_y, 155.0f + 170);
}

TEST_F(MessageBoxTest, TextStartsLowerForShortTexts) {
  // Measured before the box has its size: one word per line, 16 pixels each.
  auto few = Show(1, screen_, 1, 0, "Name taken, sorry");
  EXPECT_EQ(few->text_y, 95);
  auto many = Show(2, screen_, 1, 0, "one two three four five six seven eight nine ten eleven twelve");
  EXPECT_EQ(many->text_y, 75);
}

TEST_F(MessageBoxTest, ScreensBehindAreDarkenedAndGetNoUpdatesOrMouse) {
  drawFrames_ = true;
  auto box = Show(1, screen_, 1);
  log_.clear();
  Arrive();
  EXPECT_TRUE(Only(log_, "screen:update").empty());
  EXPECT_EQ(Only(log_, "screen:draw").size(), 60u);
  EXPECT_NEAR(WidgetManager->fade_alpha, 0.7f, 1e-6);
  Click(50, 50);
  EXPECT_TRUE(Only(log_, "screen:down").empty());
  Key(platform::VK_RETURN);
  Frames(40);
  EXPECT_EQ(WidgetManager->fade_alpha, 0.0f);
  log_.clear();
  Frame();
  EXPECT_EQ(Only(log_, "screen:update").size(), 1u) << "live again";
}

TEST_F(MessageBoxTest, OptionsTakeTheListeningDialogAwayWithTheBox) {
  for (int options : {1, 2}) {
    log_.clear();
    userOptions_ = 0;
    auto dialog = Place(New<Probe>(&log_, "dialog"), 100, 100, 600, 400);
    dialog->Modal = 1;
    dialog->Fadeable = 1;
    WidgetManager->AddWidget(dialog);
    auto box = Show(1, dialog, 1, options);
    EXPECT_EQ(dialog->Fadeable, 0) << "the box darkens instead";
    Arrive();
    Key(platform::VK_RETURN);
    Frames(40);
    EXPECT_EQ(Only(log_, "dialog:depress"), std::vector<std::string>{"dialog:depress 15000"});
    EXPECT_EQ(Count(log_, "dialog:removed"), 1);
    EXPECT_FALSE(WidgetManager->Contains(dialog.get()));
    EXPECT_EQ(userOptions_, options == 1 ? 1 : 0);
    EXPECT_EQ(WidgetManager->WidgetsList.Count(), 1u);
  }
}

TEST_F(MessageBoxTest, ClosedBoxAndItsButtonsAreReleased) {
  WeakRef<TWidget> box, button;
  {
    auto b = Show(1, screen_, 2);
    box = b;
    button = b->Button_1;
  }
  Arrive();
  Key(platform::VK_RETURN);
  Frames(40);
  EXPECT_TRUE(box.expired());
  EXPECT_TRUE(button.expired());
}

}  // namespace
