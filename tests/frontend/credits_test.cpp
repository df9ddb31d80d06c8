// The credits: the text scrolls and starts over, a held key holds the fade
// back until it is let go, the end is the main menu, and the hint line stays
// on one line in its band.
#include "frontend/credits.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/core/frame_clock.h"
#include "framework/files/language.h"
#include "framework/media/bmfont.h"
#include "framework/ui/dialog.h"
#include "framework/media/fade.h"
#include "framework/ui/mouse.h"
#include "frontend/main_menu.h"
#include "platform/input.h"
#include "reset_rooms.h"

namespace kelp {
namespace {

class CreditsScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetFrontendRooms();
    platform::ResetInput();
    InitWidgetManager();
    Mouse = New<TMouse>();
    ScreenFade = New<TFade>();
    MainMenuScreen = New<TMainMenu>();
    WidgetManager->AddWidget(MainMenuScreen);
    MainMenuScreen->TWidget::SetHided(1);
    GameTime = 1000;
  }
  void TearDown() override {
    platform::ResetInput();
    testsupport::ResetFrontendRooms();
  }
  bool Listed(const TWidget* w) const { return WidgetManager->Contains(w); }
};

TEST_F(CreditsScreen, TheTextScrollsUpAndStartsOverBelow) {
  const Ref<TCredits> c = ShowCredits();
  EXPECT_FLOAT_EQ(c->text_y, 500.0f);
  c->Update(10.0f);
  EXPECT_FLOAT_EQ(c->text_y, 496.0f);
  c->text_y = -0.5f;  // without a picture the text is 0 high: it has left the top
  c->Update(10.0f);
  EXPECT_FLOAT_EQ(c->text_y, 500.0f);
}

TEST_F(CreditsScreen, AHeldKeyHoldsTheFadeBackUntilItIsLetGo) {
  const Ref<TCredits> c = ShowCredits();
  platform::InjectKey('A', true);
  for (int i = 0; i < 100; ++i) c->Update(1.0f);
  EXPECT_TRUE(Listed(c.get())) << "still there while the key is held";
  EXPECT_LT(ScreenFade->alpha, 0.1f) << "the fade starts over every frame";
  platform::InjectKey('A', false);
  int frames = 0;
  while (Listed(c.get()) && frames < 100) {
    c->Update(1.0f);
    ++frames;
  }
  EXPECT_FALSE(Listed(c.get())) << "gone once the fade is complete";
  EXPECT_GE(frames, 24) << "a whole fade at 0.04 a frame";
  EXPECT_EQ(MainMenuScreen->Visible, 1) << "the main menu comes back";
}

TEST_F(CreditsScreen, AClickEndsIt) {
  const Ref<TCredits> c = ShowCredits();
  c->Update(1.0f);
  Mouse->Bt2Hit = 1;
  c->Update(1.0f);
  Mouse->Bt2Hit = 0;
  EXPECT_EQ(c->hiding, 1);
  for (int i = 0; i < 40; ++i) c->Update(1.0f);
  EXPECT_FALSE(Listed(c.get()));
}

}  // namespace
}  // namespace kelp

namespace kelp {
namespace {

TEST(CreditsHint, TheHintFitsOneLineInItsBandInTheGamesFont) {
  const std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(KELP_DATA_ROOT);
  const Ref<TBMFont> font = LoadBMFont("data/fonts/hi.xml");
  TextTable texts;
  const bool read = LoadLanguageTable(texts, "data/lang/String.dat");
  std::filesystem::current_path(old);
  ASSERT_TRUE(font && read);
  EXPECT_EQ(DrawTextBox(0, 0, texts[19], TCredits::HintWidth, JUSTIFY_CENTRE, 0), BMLineHeight()) << texts[19];
  EXPECT_LE(BMLineHeight(), 40) << "the band is 50 high and the line starts 10 into it";
  SetBMFont(nullptr);
}

}  // namespace
}  // namespace kelp
