// The game interface as the level screen uses it: readying the red line and
// the gauge, the score and money counters, the stage number, and hiding.
#include <gtest/gtest.h>

#include "framework/media/bmfont.h"
#include "framework/media/particles.h"
#include "level_frame_env.h"
#include "test_font.h"
#include "world/effects/counters.h"
#include "world/game_interface.h"

namespace kelp {
namespace {

using testsupport::AddEffect;

class LevelCounters : public frame_test::LevelFrameCanvas {
 protected:
  void SetUp() override {
    LevelFrameCanvas::SetUp();
    auto font = New<TResImageFont>();
    ResManager->ResAddData("fonts/scores.fnt", "FONT_SCORES", font, "test");
    font->Data = testsupport::MakeFont(10);
    AddEffect("EFFECT_BUBBLE", New<TEffect>());
    Player->scores = 1200;
    Player->money = 75;
    GameInterface->AddedToManager();
  }
};

TEST_F(LevelCounters, JoiningTheManagerReadiesTheGaugeTheRedLineAndTheCounters) {
  EXPECT_EQ(Thermometer->x, 668);
  EXPECT_EQ(Thermometer->lowy, 552);
  ASSERT_TRUE(Thermometer->Effect);
  EXPECT_EQ(Thermometer->Effect->Pause, 1);
  EXPECT_TRUE(RedLine->Pimpo);
  ASSERT_TRUE(GameInterface->Points);
  ASSERT_TRUE(GameInterface->Money);
  EXPECT_EQ(GameInterface->Points->Ammount, 1200.0f);
  EXPECT_EQ(GameInterface->Points->started, 1);
  EXPECT_EQ(GameInterface->Money->Ammount, 75.0f);
  EXPECT_EQ(GameInterface->Money->started, 0);
  for (const Ref<TCount>& c : {GameInterface->Points, GameInterface->Money}) {
    EXPECT_EQ(c->Constant, 1);
    EXPECT_EQ(c->Drawable, 0) << "drawn by the interface, not by the effects list";
    EXPECT_TRUE(VisualsList.Contains(c.get()));
  }
}

TEST_F(LevelCounters, TheScoreCountsFromItsOldValueAndTheMoneyWaitsForTheScreenToShowAgain) {
  auto& points = *GameInterface->Points;
  Player->scores = 1500;
  GameInterface->Update(1.0f);
  EXPECT_EQ(points.StartAmmount, 1200) << "a change counts from the old value";
  EXPECT_EQ(points.TargetAmmount, 1500);
  for (int k = 0; k < 2000 && points.Ammount != 1500.0f; ++k) {
    GameTime += 18;
    TVisuals::UpdateVisuals(1.0f);
    GameInterface->Update(1.0f);
  }
  EXPECT_EQ(points.Ammount, 1500.0f);
  EXPECT_EQ(points.StartAmmount, 1500) << "while it stands still the start follows";

  Player->money = 90;
  for (int k = 0; k < 100; ++k) {
    GameTime += 18;
    TVisuals::UpdateVisuals(1.0f);
    GameInterface->Update(1.0f);
  }
  EXPECT_EQ(GameInterface->Money->Ammount, 75.0f) << "collected money shows only later";
  GameInterface->SetHided(1);
  EXPECT_FALSE(Thermometer->Effect) << "hiding drops the bubbles";
  EXPECT_TRUE(VisualsList.Contains(GameInterface->Money.get())) << "the counters outlive the clear";
  GameInterface->SetHided(0);
  EXPECT_EQ(GameInterface->Money->Ammount, 90.0f);
  EXPECT_EQ(GameInterface->Money->StartAmmount, 90);
  EXPECT_EQ(GameInterface->Points->Ammount, 1500.0f);
  ASSERT_TRUE(Thermometer->Effect) << "showing makes them again";
  EXPECT_EQ(Thermometer->Effect->Pause, 0);
}

TEST_F(LevelCounters, ItShowsTheStageInACampaignAndTheLevelInALevelSelectGame) {
  struct Case {
    int custom, stage, level;
    bool twoDigits;
  };
  for (Case c : {Case{0, 7, 23, false}, Case{1, 7, 23, true}}) {
    platform::Cls();
    game_->CustomLevel = c.custom;
    game_->Stage = c.stage;
    game_->Level = c.level;
    GameInterface->Draw();
    const platform::Pixmap shot = Grab();
    EXPECT_TRUE(draw_probe::Lit(shot, 113, 90)) << c.custom;
    EXPECT_EQ(draw_probe::Lit(shot, 123, 90), c.twoDigits) << c.custom;
    EXPECT_TRUE(draw_probe::Lit(shot, 110, 120)) << "the score";
    EXPECT_TRUE(draw_probe::Lit(shot, 110, 152)) << "the money";
  }
}

TEST_F(LevelCounters, LeavingTheManagerEndsTheCounters) {
  const Ref<TCount> points = GameInterface->Points;
  GameInterface->RemovedFromManager();
  EXPECT_FALSE(GameInterface->Points);
  EXPECT_FALSE(GameInterface->Money);
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_FALSE(VisualsList.Contains(points.get()));
}

}  // namespace
}  // namespace kelp
