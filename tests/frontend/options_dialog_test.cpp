// The options dialog: values set in it reach "options.dat" and come back at
// the next start, Cancel puts everything back (a change waiting for the next
// start included), opened from a level its Credits button does nothing, and a
// click made while it slides in changes nothing.
#include "frontend/options_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "framework/core/startup_settings.h"
#include "framework/files/language.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/sound.h"
#include "framework/ui/controls.h"
#include "framework/ui/message_box.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "frontend/options.h"
#include "platform/files.h"
#include "platform/input.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "test_font.h"

namespace kelp {
namespace {

class OptionsDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetFrontendRooms();
    platform::ResetInput();
    setenv("APPDATA", appdata.path().c_str(), 1);
    InitWidgetManager();
    Mouse = New<TMouse>();
    FontPopup = testsupport::MakeFont();
    ImageGuiMessageBox = platform::CreateImage(400, 250);
    GameTexts.Resize(60);
    AudioAvailable = 1;
    DesktopAspect = "16:9";
    FullScreenMode = 1;
    WideLayout = 1;
    ASSERT_EQ(TOptions::LoadOptions(), 1);
  }
  void TearDown() override {
    platform::ResetInput();
    testsupport::ResetFrontendRooms();
  }
  static void Run(const Ref<TWidget>& w) {
    for (int i = 0; i < 600 && WidgetManager->Contains(w.get()); ++i) w->Update(1.0f);
  }
  static Ref<TMessageBox> Notice() {
    Ref<TMessageBox> found;
    for (const Ref<TWidget>& w : WidgetManager->WidgetsList)
      if (auto box = As<TMessageBox>(w)) found = box;
    return found;
  }
  static void Close(const Ref<TOptions>& d, int id) {
    d->DePress(id);
    Run(d);
  }

  testenv::TempDir appdata;
};

TEST_F(OptionsDialog, ValuesSetInTheDialogComeBackFromTheFile) {
  struct Case {
    float music, sound, sens;
    int cursor, full;
  };
  const Case cases[] = {{0.25f, 0.6f, 0.9f, 1, 1}, {0.0f, 1.0f, 0.0f, 0, 0}, {1.0f, 0.0f, 1.0f, 1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.music);
    const Ref<TOptions> d = ShowOptions(0);
    d->CheckBoxChecked(d->CB_CustomCursor_ID, c.cursor);
    d->ScrollBarChanged(d->Scroll_MUSIC_ID, c.music);
    d->ScrollBarChanged(d->Scroll_SOUND_ID, c.sound);
    d->ScrollBarChanged(d->Scroll_SENS_ID, c.sens);
    EXPECT_FLOAT_EQ(MusicVolume, c.music) << "applied while the dialog is open";
    d->CheckBoxChecked(d->CB_FullScreen_ID, c.full);
    if (const Ref<TMessageBox> notice = Notice()) {
      notice->DePress(TMessageBox::Button_0_ID);
      Run(notice);
    }
    Close(d, d->Button_OK_ID);
    MusicVolume = SoundVolume = MouseSensitivity = 0.5f;
    CustomCursor = FullScreen = 7;
    ASSERT_EQ(TOptions::LoadOptions(), 1);
    EXPECT_FLOAT_EQ(MusicVolume, c.music);
    EXPECT_FLOAT_EQ(SoundVolume, c.sound);
    EXPECT_FLOAT_EQ(MouseSensitivity, c.sens);
    EXPECT_EQ(CustomCursor, c.cursor);
    EXPECT_EQ(FullScreen, c.full);
    FullScreenChangePending = 0;
  }
}

TEST_F(OptionsDialog, CancelPutsEveryOptionBackAndWritesNothing) {
  const std::string before = testenv::ReadFile(OptionsPath());
  const Ref<TOptions> d = ShowOptions(0);
  d->ScrollBarChanged(d->Scroll_MUSIC_ID, 0.1f);
  d->CheckBoxChecked(d->CB_CustomCursor_ID, 1);
  Close(d, d->Button_CANCEL_ID);
  EXPECT_FLOAT_EQ(MusicVolume, TOptions::DefMusicVol);
  EXPECT_EQ(CustomCursor, 0);
  EXPECT_EQ(testenv::ReadFile(OptionsPath()), before);
}

TEST_F(OptionsDialog, AChangeWaitingForTheNextStartSurvivesACancel) {
  // Full screen off on a wide desktop: announced, saved, used at the next start.
  Ref<TOptions> d = ShowOptions(0);
  d->CheckBoxChecked(d->CB_FullScreen_ID, 0);
  const Ref<TMessageBox> notice = Notice();
  ASSERT_TRUE(notice);
  notice->DePress(TMessageBox::Button_0_ID);
  Run(notice);
  EXPECT_EQ(FullScreenChangePending, 1);
  Close(d, d->Button_OK_ID);
  EXPECT_EQ(FullScreenMode, 1) << "the screen stays as it is until the next start";

  d = ShowOptions(0);
  EXPECT_EQ(d->CB_FullScreen->Checked, 0) << "the box shows the waiting change";
  Close(d, d->Button_CANCEL_ID);
  EXPECT_EQ(FullScreen, 0);
  EXPECT_EQ(FullScreenChangePending, 1);
  ASSERT_EQ(TOptions::LoadOptions(), 1);
  EXPECT_EQ(FullScreen, 0);
}

TEST_F(OptionsDialog, FromALevelCreditsIsLocked) {
  const Ref<TOptions> d = ShowOptions(1);
  EXPECT_EQ(d->BUTTON_CREDITS->locked, 1);
  d->DePress(d->Button_CREDITS_ID);
  EXPECT_EQ(d->PressedID, 0) << "pressing it does nothing";
  Close(d, d->Button_CANCEL_ID);
  EXPECT_FALSE(WidgetManager->Contains(d.get()));
}

TEST_F(OptionsDialog, EnterIsOKAndEscapeIsCancel) {
  Ref<TOptions> d = ShowOptions(0);
  d->ScrollBarChanged(d->Scroll_SOUND_ID, 0.3f);
  platform::InjectKey(platform::VK_RETURN, true);
  d->Update(1.0f);
  platform::InjectKey(platform::VK_RETURN, false);
  Run(d);
  EXPECT_FLOAT_EQ(SoundVolume, 0.3f);

  d = ShowOptions(0);
  d->ScrollBarChanged(d->Scroll_SOUND_ID, 0.9f);
  platform::InjectKey(platform::VK_ESCAPE, true);
  d->Update(1.0f);
  platform::InjectKey(platform::VK_ESCAPE, false);
  Run(d);
  EXPECT_FLOAT_EQ(SoundVolume, 0.3f);
}

}  // namespace
}  // namespace kelp

namespace kelp {
namespace {

// The second click of a double click on the menu's Options button lands
// where the dialog's controls are about to come to rest (the full-screen box
// rests right under that button). It must change nothing; a click made once
// the dialog is at rest works.
TEST_F(OptionsDialog, AClickMadeWhileTheDialogSlidesInChangesNothing) {
  enum Control { kFullScreen, kCursor, kOK, kCancel };
  const struct {
    const char* what;
    Control control;
  } cases[] = {{"full screen", kFullScreen}, {"game cursor", kCursor}, {"OK", kOK}, {"Cancel", kCancel}};
  auto frame = [] {
    Mouse->Update(1.0f);
    WidgetManager->Update(1.0f);
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Ref<TOptions> d = ShowOptions(0);
    d->Resize(VirtualCenterX - 170, -440, 340, 440);  // the art's size; tests have no art
    d->StartShow();
    const Ref<TWidget> control = c.control == kFullScreen ? Ref<TWidget>(d->CB_FullScreen)
                                 : c.control == kCursor   ? Ref<TWidget>(d->CB_CustomCursor)
                                 : c.control == kOK       ? Ref<TWidget>(d->BUTTON_OK)
                                                          : Ref<TWidget>(d->BUTTON_CANCEL);
    control->_width = std::max(control->_width, 100);
    control->_height = 60;  // taller than a frame's slide, so it is under the pointer in some frame
    const float restY = static_cast<float>(VirtualCenterY - 220);
    const float px = control->_x + 10.0f, py = restY + (control->_y - d->_y) + 30.0f;
    platform::InjectMousePosition(px, py);
    // Pressed as the control slides under the pointer.
    for (int i = 0; i < 200 && !(py > control->_y && py < control->_y + 60.0f); ++i) frame();
    ASSERT_TRUE(WidgetManager->TopModalSliding());
    platform::InjectMouseButton(1, true);
    for (int i = 0; i < 200 && WidgetManager->TopModalSliding(); ++i) frame();
    ASSERT_FALSE(WidgetManager->TopModalSliding());
    ASSERT_FLOAT_EQ(d->_y, restY);
    platform::InjectMouseButton(1, false);
    frame();
    EXPECT_EQ(FullScreen, 1);
    EXPECT_EQ(CustomCursor, 0);
    EXPECT_FALSE(d->Updater->IsHiding()) << "neither OK nor Cancel was pressed";
    EXPECT_FALSE(Notice());

    // The same click once the dialog is at rest.
    platform::InjectMouseButton(1, true);
    frame();
    platform::InjectMouseButton(1, false);
    frame();
    switch (c.control) {
      case kFullScreen: EXPECT_EQ(FullScreen, 0); break;
      case kCursor: EXPECT_EQ(CustomCursor, 1); break;
      case kOK:
      case kCancel: EXPECT_TRUE(d->Updater->IsHiding()); break;
    }
    if (const Ref<TMessageBox> notice = Notice()) {
      notice->DePress(TMessageBox::Button_0_ID);
      Run(notice);
    }
    if (!d->Updater->IsHiding()) d->DePress(d->Button_CANCEL_ID);
    Run(d);
    FullScreen = 1;
    CustomCursor = 0;
    FullScreenChangePending = 0;
  }
}

}  // namespace
}  // namespace kelp
