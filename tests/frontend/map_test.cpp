// The island map: the level markers of a save, and the day cycle.
#include "frontend/map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <string>

#include "framework/core/frame_clock.h"
#include "platform/image.h"
#include "reset_rooms.h"
#include "world/level.h"

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

// Each island's markers, as many as its levels in the bundled packs, stand
// apart (no two hit areas or pictures overlap) and inside the sky between the
// island's name scroll and the panel's continue button.
TEST(MapMarkers, EveryIslandsMarkersStandApartOnScreen) {
  testsupport::ResetFrontendRooms();
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(KELP_DATA_ROOT);
  TLevel::CountLevels();
  std::filesystem::current_path(here);
  std::map<int, int> perIsland;
  for (int level = 1; level <= LevelCount; ++level) ++perIsland[TLevel::GetInfo(level, 1)];
  ASSERT_GE(perIsland[1], 30) << "the desert island's levels";
  ASSERT_GE(perIsland[2], 30) << "the snow island's levels";

  const struct {
    int island;
    float cx, cy;  // the island's centre
  } islands[] = {{1, 200.0f, 300.0f}, {2, 590.0f, 310.0f}};
  constexpr float kDrift = 5.0f, kContinueTop = 494.0f - 50.0f;
  for (const auto& isl : islands) {
    const int n = perIsland[isl.island];
    SCOPED_TRACE("island " + std::to_string(isl.island) + ", " + std::to_string(n) + " levels");
    const std::vector<MarkerPlace> places = MarkerPlaces(n);
    const float labelBottom = isl.cy - 175.0f + 36.0f;  // the name scroll, 72 high, centred there
    ASSERT_EQ(places.size(), static_cast<size_t>(n));
    for (size_t i = 0; i < places.size(); ++i) {
      const float x = isl.cx + places[i].x, y = isl.cy + places[i].y, r = kMarkerSize / 2.0f + kDrift;
      EXPECT_TRUE(x - r >= 0.0f && x + r <= 800.0f) << "level marker " << i + 1 << " at x " << x;
      EXPECT_TRUE(y - r >= labelBottom && y + r <= kContinueTop) << "level marker " << i + 1 << " at y " << y;
      for (size_t j = i + 1; j < places.size(); ++j) {
        const float d = std::hypot(places[i].x - places[j].x, places[i].y - places[j].y);
        EXPECT_GE(d, 2.0f * kMarkerHitRadius) << "markers " << i + 1 << " and " << j + 1 << " share clicks";
        EXPECT_GE(d, kMarkerSize) << "markers " << i + 1 << " and " << j + 1 << " overlap";
      }
    }
  }
  testsupport::ResetFrontendRooms();
}

// The panel's buttons stand on the panel, inside its rim, not over its edge.
TEST(MapPanel, ItsButtonsStandOnThePanel) {
  const std::string data = KELP_DATA_ROOT;
  const platform::PixmapRef panel = platform::LoadPixmap(data + "/data/img/gui/map/panel.png");
  ASSERT_TRUE(panel);
  const struct {
    const char* button;
    PanelPlace place;
  } cases[] = {{"map_main_menu", kMainMenuPlace}, {"map_new_game", kNewGamePlace}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    const platform::PixmapRef strip = platform::LoadPixmap(data + "/data/img/gui/buttons/" + c.button + ".png");
    ASSERT_TRUE(strip);
    const int w = strip->Width() / 3, h = strip->Height();  // three frames side by side
    ASSERT_TRUE(c.place.x >= 0 && c.place.y >= 0 && c.place.x + w <= panel->Width() && c.place.y + h <= panel->Height())
        << "the button reaches past the panel's picture";
    int off = 0;
    for (int y = c.place.y; y < c.place.y + h; ++y)
      for (int x = c.place.x; x < c.place.x + w; ++x)
        if ((panel->ReadPixel(x, y) >> 24) < 250) ++off;
    EXPECT_EQ(off, 0) << "pixels of the button off the panel";
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
