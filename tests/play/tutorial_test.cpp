// Tutorial hints: the arrow's slide in and out, its fade, hide and show, and
// the text and ring that go with it, frame by frame.
#include "play/tutorial.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/core/frame_clock.h"
#include "framework/files/language.h"
#include "framework/ui/widget.h"
#include "reset_rooms.h"
#include "world/effects/help_text.h"

namespace kelp {
namespace {

class Hint : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetPlayRooms();
    InitWidgetManager();
    GameTime = 1000;
    GameTexts.Resize(40);
    GameTexts.Set(21, "Press BUILD to see what you can build.");
    TutorialHint = New<TTutorial>();
  }
  void TearDown() override { testsupport::ResetPlayRooms(); }

  void Frames(int n) {
    for (int i = 0; i < n; ++i) {
      GameTime += 18;
      WidgetManager->Update(1.0f);
      TutorialHint->Update(1.0f);
    }
  }
  bool Listed(const Ref<TWidget>& w) const { return w && WidgetManager->Contains(w.get()); }
};

TEST_F(Hint, LeftOfTheCanvasTheArrowTurnsAndRestsFurtherRight) {
  TutorialHint->Create(2, -10, 171, 1);
  const Ref<TArrow> arrow = TutorialHint->Arrow;
  ASSERT_TRUE(Listed(arrow));
  EXPECT_TRUE(Listed(arrow->HelpText));
  ASSERT_TRUE(Listed(arrow->Circle));
  Frames(300);
  EXPECT_EQ(arrow->_x, 110.0f);
  EXPECT_EQ(arrow->_y, 171.0f);
  EXPECT_EQ(arrow->Circle->_x, 110.0f - 83.0f);

  TutorialHint->Create(2, 590, 350, 0);
  Frames(300);
  EXPECT_EQ(TutorialHint->Arrow->_x, 590.0f);
  EXPECT_FALSE(TutorialHint->Arrow->Circle);
  EXPECT_TRUE(Listed(arrow)) << "a new hint leaves the old arrow to end its own way";
}

TEST_F(Hint, ShowsItsTextAndFadesOutWithTextAndRing) {
  TutorialHint->Create(3, 650, 355, 1);
  Frames(60);
  const Ref<TArrow> arrow = TutorialHint->Arrow;
  EXPECT_EQ(TutorialHint->state, 1);
  EXPECT_EQ(arrow->HelpText->text, GameTexts[21]);
  // The text ends 10 pixels left of the arrow.
  EXPECT_EQ(arrow->HelpText->_x + static_cast<float>(arrow->HelpText->_width), arrow->_x - 10.0f);

  TutorialHint->StartHiding2();
  EXPECT_EQ(TutorialHint->state, 2);
  Frames(10);
  EXPECT_LT(arrow->alpha, 1.0f);
  EXPECT_EQ(arrow->Circle->over, 1);
  Frames(30);
  EXPECT_FALSE(Listed(arrow));
  EXPECT_FALSE(Listed(arrow->HelpText));
  EXPECT_FALSE(Listed(arrow->Circle));
}

TEST_F(Hint, HideKeepsTheArrowForShowWhichBringsTheTextBack) {
  TutorialHint->Create(3, 650, 355, 0);
  Frames(60);
  const Ref<TArrow> arrow = TutorialHint->Arrow;
  TutorialHint->Hide();
  EXPECT_EQ(arrow->HelpText->text, "");
  Frames(200);
  EXPECT_TRUE(Listed(arrow)) << "slid out but kept for Show";
  EXPECT_GE(arrow->_x, 800.0f);
  TutorialHint->Show();
  Frames(200);
  EXPECT_EQ(arrow->_x, 650.0f);
  EXPECT_EQ(arrow->HelpText->text, GameTexts[21]);

  // A hidden arrow is taken off when a new hint replaces it.
  TutorialHint->Hide();
  TutorialHint->Create(2, 277, 80, 0);
  EXPECT_FALSE(Listed(arrow));
}

TEST_F(Hint, SlidesOutAndLeavesAndEveryCallIsSafeWithoutAnArrow) {
  TutorialHint->Hide();
  TutorialHint->Show();
  TutorialHint->StartHiding();
  TutorialHint->StartHiding2();
  TutorialHint->SetHided(1);
  TutorialHint->Update(1.0f);
  EXPECT_FALSE(TutorialHint->Arrow);

  TutorialHint->Create(2, 277, 80, 1);
  const Ref<TArrow> arrow = TutorialHint->Arrow;
  Frames(100);
  TutorialHint->StartHiding();
  Frames(300);
  EXPECT_FALSE(Listed(arrow));
  EXPECT_FALSE(Listed(arrow->Circle));
}

TEST(HintRing, PulsesWithinItsBounds) {
  TCircle ring;
  float low = 2.0f, high = 0.0f, alphaLow = 2.0f, alphaHigh = 0.0f;
  for (int i = 0; i < 500; ++i) {
    ring.Update(1.0f);
    low = std::min(low, ring.scale);
    high = std::max(high, ring.scale);
    alphaLow = std::min(alphaLow, ring.alpha);
    alphaHigh = std::max(alphaHigh, ring.alpha);
  }
  EXPECT_FLOAT_EQ(low, 0.9f);
  EXPECT_FLOAT_EQ(high, 1.1f);
  EXPECT_NEAR(alphaLow, 0.5f, 0.04f);
  EXPECT_NEAR(alphaHigh, 1.0f, 0.04f);
}

}  // namespace
}  // namespace kelp
