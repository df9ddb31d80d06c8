// The results screen on the built data set and a set clock: what building
// it settles, the count-up line after line, the clock winding, the stars,
// and OK. The counters alone: how long a count takes and that it lands.
#include "play/level_complete.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/media/visuals.h"
#include "play/count2.h"
#include "play/game_menu.h"
#include "play_scene.h"

namespace play_test {
namespace {

class Results : public PlayScene {
 protected:
  // A level just won (its screen steps the effects list, the counters among
  // them): its figures as the level screen leaves them.
  void Won(int mode, float bonusTime) {
    StartLevel(1);
    EndSweep();
    GameScreen->GameMode = mode;
    GameScreen->Level = 5;
    GameScreen->Stage = 3;
    GameScreen->Combos = 12;
    GameScreen->MaxCombo = 4;
    GameScreen->OrbicsReleased = 30;
    GameScreen->LevelMoney = 75;
    GameScreen->BonusTime = bonusTime;
    Player->old_scores = 1000;
    Player->scores = 3400;
    GameLinks.RecordLevel = [this](int level, int gameMode, int score) {
      records.push_back({level, gameMode, score});
    };
  }
  std::vector<std::vector<int>> records;
};

TEST_F(Results, CountsUpLineByLineIntoTheTotalAndTheStars) {
  Won(TGameState::NORMAL, 0.5f);
  const Ref<TLevelComplete> form = ShowLevelComplete();
  GameScreen->CompleteForm = form;
  // Settled once, when built.
  EXPECT_EQ(form->LevelScore, 2400);
  EXPECT_EQ(form->BonusScore, 1000);
  EXPECT_EQ(Player->scores, 3400 + 1000);
  EXPECT_EQ(GameScreen->OrbicsReleased, 0);
  EXPECT_EQ(form->Stars, 5);  // 12 / 30 x 120 = 48, best combo 4, less than 0.8 of the time used
  EXPECT_EQ(records, (std::vector<std::vector<int>>{{5, 0, 3400}}));

  // Each line waits for the one before; every counter lands on its figure.
  std::vector<int> order;
  int frames = 0;
  while (form->state < 14 && frames < 3000) {
    Frame();
    Draw();
    ++frames;
    if (order.empty() || order.back() != form->state) order.push_back(form->state);
  }
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
  EXPECT_EQ(form->ScoreCount->Ammount, 2400.0f);
  EXPECT_EQ(form->CombosCount->Ammount, 12.0f);
  EXPECT_EQ(form->MaxComboCount->Ammount, 4.0f);
  EXPECT_EQ(form->OrbicsCount->Ammount, 30.0f);
  EXPECT_EQ(form->CoinsCount->Ammount, 75.0f);
  EXPECT_EQ(form->TotalScoreCount->Ammount, 3400.0f);
  EXPECT_EQ(form->ClockAngle, 360.0f) << "the clock winds to full as the bonus counts in";
  for (const auto& star : form->StarImg) EXPECT_TRUE(star);
  // About 7 counts of 50-67 frames, the captions and five stars: well under a minute.
  EXPECT_LT(frames, 1200);
  EXPECT_EQ(records.size(), 1u) << "the record is entered once";
}

TEST_F(Results, RelaxedHasNoBonusAndCountsTheTotalFromZero) {
  Won(TGameState::RELAXED, 0.2f);
  const Ref<TLevelComplete> form = ShowLevelComplete();
  GameScreen->CompleteForm = form;
  EXPECT_EQ(form->BonusScore, 0);
  // The screen starts each counter when it first draws it.
  auto drawn = [&](int state) {
    for (int i = 0; i < 2000 && form->state < state; ++i) {
      Frame();
      Draw();
    }
    return form->state >= state;
  };
  ASSERT_TRUE(drawn(7));
  EXPECT_TRUE(form->NoImg);
  EXPECT_FALSE(form->TimeBonus);
  EXPECT_EQ(form->TimeBonusCount, 0);
  EXPECT_EQ(form->TotalScoreCount->StartAmmount, 0);
  EXPECT_EQ(form->TotalScoreCount->TargetAmmount, 2400);
  ASSERT_TRUE(drawn(14));
  EXPECT_EQ(form->TotalScoreCount->Ammount, 2400.0f);
}

TEST_F(Results, EscapeIsItsOkAndNeverOpensThePauseMenu) {
  Won(TGameState::NORMAL, 0.5f);
  GameScreen->CompleteForm = ShowLevelComplete();
  const Ref<TLevelComplete> form = GameScreen->CompleteForm;
  Frame(80);
  Key(platform::VK_ESCAPE);
  Frame();
  EXPECT_EQ(form->PressedID, TLevelComplete::Button_OK_ID);
  EXPECT_EQ(form->state, 14) << "the count stops where it is";
  EXPECT_EQ(Count<TGameMenu>(), 0);
  ASSERT_TRUE(FramesUntil([&] { return form->Fade_flag == 1; }, 400));
  EXPECT_EQ(ScreenFade->speed, 0.008f);
}

TEST(Count2, TakesAboutTheSameTimeForAnyDistanceAndLandsExactly) {
  struct Case {
    int target;
    float speed, dt;
    int frames;  // about
  };
  const Case cases[] = {
      {5000, 3.0f, 1.0f, 67}, {50, 3.0f, 1.0f, 50}, {2000000, 3.0f, 1.0f, 100}, {3, 2.0f, 1.0f, 35},  // the last whole unit is one step
      {5000, 3.0f, 7.3f, 10},  // long frames overshoot no more
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const Ref<TCount2> count = TCount2::CreateCount(nullptr, 0, 0, 0, c.target, nullptr, c.speed, 2, 0, 0, 250);
    count->Start();
    int frames = 0;
    while (!count->done && frames < 1000) {
      count->Update(c.dt);
      ++frames;
      ASSERT_LE(count->Ammount, static_cast<float>(c.target));
    }
    EXPECT_EQ(count->Ammount, static_cast<float>(c.target));
    EXPECT_NEAR(frames, c.frames, c.frames / 10 + 2);
    VisualsList.Clear();
  }
  const Ref<TCount2> zero = TCount2::CreateCount(nullptr, 0, 0, 0, 0, nullptr, 3.0f, 2, 0, 0, 250);
  zero->Update(1.0f);
  EXPECT_EQ(zero->done, 1) << "0 to 0 is done at once";
  VisualsList.Clear();
}

}  // namespace
}  // namespace play_test
