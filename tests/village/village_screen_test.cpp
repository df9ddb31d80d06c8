// The village screen's rules on a set clock: the day's phases and colours,
// the stars, scrolling, and the PLAY rules of the panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/core/frame_clock.h"
#include "framework/media/canvas_placement.h"
#include "village/panel.h"
#include "village/village.h"
#include "village_fixture.h"

namespace kelp::village_test {

namespace {

class VillageScreenTest : public VillageTest {};

TEST_F(VillageScreenTest, ADayRunsThroughItsSixPhasesInTheirLengths) {
  TVillageMode& v = *VillageScreen;
  v.DayTime = TVillageMode::NIGHT;
  v.NextDayTime();  // morning 1 starts now
  ASSERT_EQ(v.DayTime, TVillageMode::MORNING1);
  // 20, 20, 100, 20, 20 and 60 seconds at the default day length.
  const int lengths[6] = {20000, 20000, 100000, 20000, 20000, 60000};
  for (int phase = 0; phase < 6; ++phase) {
    const int expected = phase + 1;
    GameTime += lengths[phase] - 1;
    v.AdvanceDayColors();
    EXPECT_EQ(v.DayTime, expected) << "phase " << expected << " ended early";
    GameTime += 1;
    v.AdvanceDayColors();
    EXPECT_EQ(v.DayTime, expected % 6 + 1) << "phase " << expected << " did not end";
  }
}

TEST_F(VillageScreenTest, PhaseColoursStartAtTheirStartAndTheVillagesDifferByNight) {
  TVillageMode& v = *VillageScreen;
  CurrentVillage = TVillageMode::DESERT;
  v.DayTime = TVillageMode::EVENING2;
  v.NextDayTime();  // night
  EXPECT_EQ(v.DayColor->r, 70);
  EXPECT_EQ(v.VillageColor->b, 240);
  CurrentVillage = TVillageMode::SNOW;
  v.DayTime = TVillageMode::EVENING2;
  v.NextDayTime();
  EXPECT_EQ(v.VillageColor->r, 80);
  EXPECT_EQ(v.VillageColor->b, 150);
}

// The light of an evening and its stars move in steps too small to see, each
// large enough to be worth remaking the tinted pictures for, and the phases'
// own colours show exactly (the day's white stays white for the renderer's plain copy).
TEST_F(VillageScreenTest, TheLightMovesInStepsTooSmallToSeeAndShowsThePhasesOwnColours) {
  TVillageMode& v = *VillageScreen;
  for (const int village : {TVillageMode::DESERT, TVillageMode::SNOW}) {
    SCOPED_TRACE(village);
    CurrentVillage = village;
    v.DayTime = TVillageMode::DAY;
    v.NextDayTime();  // evening 1 starts now, 20 s long
    const int start = GameTime;
    struct Track {
      TColor* shown;
      TColor exact;
      int last[3];
    } tracks[2] = {{v.DayColor.get(), *v.DayColor, {-1, -1, -1}}, {v.VillageColor.get(), *v.VillageColor, {-1, -1, -1}}};
    int lastStars = -1;
    for (int t = 0; t < 20000; t += 18) {
      GameTime = start + t;
      v.AdvanceDayColors();
      for (Track& k : tracks) {
        k.exact.CalcColor(t, 20000);
        const int shown[3] = {k.shown->r, k.shown->g, k.shown->b}, exact[3] = {k.exact.r, k.exact.g, k.exact.b};
        int step = 0;
        for (int c = 0; c < 3; ++c) {
          ASSERT_LT(std::abs(shown[c] - exact[c]), TVillageMode::kLightStep) << "at " << t << " ms, channel " << c;
          step = std::max(step, std::abs(shown[c] - k.last[c]));
        }
        if (t == 0) {
          EXPECT_EQ(shown[0], exact[0]) << "the phase starts on its own colour";
        } else if (step > 0) {
          EXPECT_GE(step, TVillageMode::kLightStep) << "a change too small to be worth a remake";
        }
        std::copy(shown, shown + 3, k.last);
      }
      const int stars = v.ShownStarAlpha();
      const int exact = static_cast<int>(std::lround(std::min(v.StarsAlpha(), 1.0f) * 255.0f));
      ASSERT_LT(std::abs(stars - exact), TVillageMode::kLightStep) << "the stars at " << t << " ms";
      if (stars != lastStars && t > 0) {
        EXPECT_GE(std::abs(stars - lastStars), TVillageMode::kLightStep) << "the stars at " << t << " ms";
      }
      lastStars = stars;
    }
    GameTime = start + 20000;
    v.AdvanceDayColors();
    EXPECT_EQ(v.DayTime, TVillageMode::EVENING2);
    EXPECT_EQ(v.DayColor->g, 100) << "evening 2 starts on its own colour";
    v.DayTime = TVillageMode::MORNING2;
    v.NextDayTime();
    for (int t = 0; t < 100000; t += 5000) {
      GameTime = v.StartTime + t;
      v.AdvanceDayColors();
      EXPECT_EQ(v.VillageColor->r + v.VillageColor->g + v.VillageColor->b, 3 * 255) << "the day is white at " << t;
    }
  }
}

TEST_F(VillageScreenTest, TimeStopHoldsThePhaseAndTheStarsShowWholeAtNight) {
  TVillageMode& v = *VillageScreen;
  v.DayTime = TVillageMode::EVENING2;
  v.TimeStop = 1;
  v.NextDayTime();
  GameTime += 10 * 60000;
  v.AdvanceDayColors();
  EXPECT_EQ(v.DayTime, TVillageMode::NIGHT);
  EXPECT_FLOAT_EQ(v.StarsAlpha(), 1.0f);
  v.DayTime = TVillageMode::MORNING2;
  EXPECT_FLOAT_EQ(v.StarsAlpha(), 0.0f);
}

TEST_F(VillageScreenTest, ASavedPhaseOutOfRangeIsReadAsTheNight) {
  TVillageMode& v = *VillageScreen;
  v.DayTime = 9;
  v.SetDayColor();
  EXPECT_EQ(v.DayTime, TVillageMode::NIGHT);
  v.DayTime = -3;
  v.NextDayTime();
  EXPECT_EQ(v.DayTime, TVillageMode::MORNING1);
}

TEST_F(VillageScreenTest, AnAutomaticScrollArrivesAndANearTargetStartsNothing) {
  TVillageMode& v = *VillageScreen;
  v.Scroll_x = 0.0f;
  EXPECT_EQ(v.ScrollTo(0.3f - static_cast<float>(CanvasOffsetX), 0.5f), 1);
  EXPECT_EQ(v.new_scroll, 0);
  ASSERT_EQ(v.ScrollTo(200.0f - static_cast<float>(CanvasOffsetX), 0.5f), 0);
  int frames = 0;
  while (v.new_scroll && frames < 2000) {
    v.Scroll(1.0f);
    ++frames;
  }
  EXPECT_EQ(v.new_scroll, 0);
  EXPECT_NEAR(v.Scroll_x, 200.0f, 25.0f);
}

// A story scroll started while the village zooms in arrives, and the zoom
// then ends: the zoom's drift must not hold a slow scroll off for ever.
TEST_F(VillageScreenTest, AScrollStartedDuringTheOpeningZoomArrivesAndTheZoomEnds) {
  struct Case {
    float target, speed;
  };
  for (const Case c : {Case{-300.0f, 0.05f}, Case{-300.0f, 0.5f}, Case{300.0f, 0.05f}}) {
    SCOPED_TRACE(c.target);
    TVillageMode& v = *VillageScreen;
    v.SetHided(0);
    v.Scroll_x = 0.0f;
    v.Scroll_dx = 0.0f;
    v.Showing = 1;
    v.Closing_scale = 2.0f;
    v.Closing_speed = 0.015f;
    v.Scroll_delta = 2.0f;
    v.Scroll_delta_flag = 1;
    ASSERT_EQ(v.ScrollTo(c.target - static_cast<float>(CanvasOffsetX), c.speed), 0);
    int frames = 0;
    while ((v.new_scroll || v.Showing) && frames < 5000) {
      v.Update(1.0f);
      ++frames;
    }
    EXPECT_EQ(v.new_scroll, 0);
    EXPECT_EQ(v.Showing, 0);
  }
}

// The menu button's yes ends the visit: the level screen's total grows by the
// visit's seconds, however late in the run (the clock near the int limit).
TEST_F(VillageScreenTest, LeavingForTheMenuCountsTheVisitsSeconds) {
  TVillageMode& v = *VillageScreen;
  const Ref<TPanel> panel = New<TPanel>();
  v.Panel = panel;
  GameTime = 2000000000;
  v.PlayTime = GameTime - 90500;
  GameState->TotalTime = 1000;
  panel->DePress(15001);
  EXPECT_EQ(GameState->TotalTime, 1090);
}

struct PlayCase {
  int village, stage, finished, need, bridge, buy, refusal;
};

TEST(PanelPlay, PlayIsRefusedOnlyWhereTheStoryAsks) {
  const PlayCase cases[] = {
      {1, 1, 0, 0, 0, 1, 0},      {1, 13, 0, 0, 0, 1, 0},  // build-first not in these stages
      {1, 2, 0, 0, 0, 1, 1007},   {1, 12, 0, 0, 0, 1, 1007}, {1, 12, 1, 0, 0, 1, 0},
      {2, 18, 0, 0, 0, 1, 0},     {2, 24, 0, 0, 0, 1, 0},  {2, 19, 0, 0, 0, 1, 1007},
      {2, 23, 0, 0, 0, 1, 1007},
      {1, 5, 0, 0, 0, 0, 0},  // nothing to buy: never refused for good
      {1, 5, 1, 1, 0, 1, 1021}, {2, 25, 1, 1, 0, 1, 0},  // a fresh wish matters in the desert only
      {1, 15, 1, 0, 0, 1, 1051},  {1, 15, 1, 0, 1, 1, 0},  {2, 30, 5, 0, 1, 1, 2021},
  };
  for (const PlayCase& c : cases)
    EXPECT_EQ(TPanel::PlayRefusal(c.village, c.stage, c.finished, c.need, c.bridge, c.buy), c.refusal)
        << "village " << c.village << " stage " << c.stage;
}

TEST(NewVillagers, ByVillageStageAndParasiteLosses) {
  EXPECT_EQ(NewVillagerCount(1, 3, 0), 2);
  EXPECT_EQ(NewVillagerCount(1, 10, 0), 1);
  EXPECT_EQ(NewVillagerCount(2, 19, 0), 2);
  EXPECT_EQ(NewVillagerCount(2, 36, 0), 0);
  EXPECT_EQ(NewVillagerCount(2, 25, 1), 1);
  EXPECT_EQ(NewVillagerCount(2, 25, 3), 3);
}

}  // namespace

}  // namespace kelp::village_test
