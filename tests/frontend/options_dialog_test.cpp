// The options dialog: values set in it reach "options.dat" and come back at
// the next start, Cancel puts everything back (a change waiting for the next
// start included), and opened from a level its Credits button does nothing.
#include "frontend/options_dialog.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/core/startup_settings.h"
#include "framework/files/language.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/sound.h"
#include "framework/ui/controls.h"
#include "framework/ui/message_box.h"
#include "framework/ui/mouse.h"
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
