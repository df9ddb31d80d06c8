// The island map: the level markers of a save, and the day cycle.
#include "frontend/map.h"

#include <gtest/gtest.h>

#include "framework/core/frame_clock.h"
#include "reset_rooms.h"

namespace kelp {
namespace {

TEST(MapMarkers, StatesForASave) {
  using S = MarkerState;
  const struct {
    const char* what;
    int saved, completed;
    S level1, level2, level5;
  } cases[] = {
      {"a fresh save at level 0 plays level 1 next", 0, 0, S::CURRENT, S::LOCKED, S::LOCKED},
      {"a fresh save at level 1", 1, 0, S::CURRENT, S::LOCKED, S::LOCKED},
      {"level 1 won", 2, 0, S::DONE, S::CURRENT, S::LOCKED},
      {"saved at level 5", 5, 0, S::DONE, S::DONE, S::CURRENT},
      {"campaign complete", 68, 1, S::DONE, S::DONE, S::DONE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(LevelMarkerState(1, c.saved, c.completed), c.level1);
    EXPECT_EQ(LevelMarkerState(2, c.saved, c.completed), c.level2);
    EXPECT_EQ(LevelMarkerState(5, c.saved, c.completed), c.level5);
  }
}

class MapDay : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::ResetFrontendRooms(); }
  void TearDown() override { testsupport::ResetFrontendRooms(); }
};

TEST_F(MapDay, PhasesCycleWithTheirLengthsAndColours) {
  TMapMode map;
  EXPECT_EQ(map.PhaseLength(TMapMode::MORNING1), 15000);
  EXPECT_EQ(map.PhaseLength(TMapMode::DAY), 75000);
  EXPECT_EQ(map.PhaseLength(TMapMode::NIGHT), 45000);
  map.DayTime = TMapMode::MORNING2;
  map.NextDayTime();
  EXPECT_EQ(map.DayTime, TMapMode::DAY) << "every visit starts by day";
  for (int phase : {TMapMode::EVENING1, TMapMode::EVENING2, TMapMode::NIGHT, TMapMode::MORNING1}) {
    map.NextDayTime();
    EXPECT_EQ(map.DayTime, phase);
  }
  map.DayTime = TMapMode::EVENING2;
  map.NextDayTime();
  EXPECT_EQ(map.DayColor->r, 70) << "the night starts from its own colour";
  EXPECT_EQ(map.VillageColor->b, 240);
  map.DayTime = 9;
  map.NextDayTime();
  EXPECT_EQ(map.DayTime, 9) << "an unknown phase stays as it is";
}

TEST_F(MapDay, TheNightSkyFadesInAtEveningAndHoldsWhileTimeStops) {
  TMapMode map;
  GameTime = 100000;
  map.DayTime = TMapMode::DAY;
  map.NextDayTime();  // evening: the stars start now
  EXPECT_FLOAT_EQ(map.NightAlpha(), 0.0f);
  GameTime += 15000;
  EXPECT_FLOAT_EQ(map.NightAlpha(), 0.5f);
  GameTime += 60000;
  EXPECT_FLOAT_EQ(map.NightAlpha(), 1.0f);
  map.TimeStop = 1;
  EXPECT_FLOAT_EQ(map.NightAlpha(), 1.0f);
  map.DayTime = TMapMode::DAY;
  EXPECT_FLOAT_EQ(map.NightAlpha(), 0.0f);
}

}  // namespace
}  // namespace kelp
