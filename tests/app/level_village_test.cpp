// A new player's campaign played headless from level to village to level,
// with the program quit and started again at every save point between: level
// 1 (and its stage's second round), the village of stage 2, the next level,
// the village of stage 3. Each new start finds on the map the saved game and
// in the village the same villagers, buildings and stage; PLAY goes on with
// the level after. Levels are won with the debug start's W key (the level
// itself is the road test's part), which earns no coins, so nothing is built.
#include "road_support.h"

#include "frontend/profile.h"

namespace kelp::road {
namespace {

using LevelVillageLevel = Road;

struct Arrival {
  int stage = 0, level = 0, savedLevel = 0;
  std::vector<std::string> villagers, built;
};

Arrival Note() {
  Arrival a;
  a.stage = GameScreen->Stage;
  a.level = GameScreen->Level;
  a.savedLevel = Player->Profile && Player->Profile->data ? Player->Profile->data->Level : -1;
  a.villagers = Villagers();
  a.built = Built();
  return a;
}

TEST_F(LevelVillageLevel, EachVillageIsSavedAndComesBackAfterANewStartAndPlayGoesOn) {
  std::vector<Arrival> arrivals;  // the village as each run first sees it
  // Each run plays on and notes the village on each arrival, until it
  // arrives in the village of `stopStage` and quits there.
  auto run = [&](int stopStage) {
    Fresh(9000);
    AppArguments = {"kelp", "debug"};
    Hand hand;
    Autopilot pilot(hand);
    bool wasVillage = false, quit = false;
    FrameProbe = [&](int) {
      if (quit) return;
      const bool inVillage = Autopilot::Screen() == Autopilot::VILLAGE;
      if (inVillage && !wasVillage) {
        arrivals.push_back(Note());
        if (GameScreen->Stage == stopStage) {
          platform::InjectAppEvent(platform::AppEvent::CloseRequest);
          quit = true;
          return;
        }
      }
      wasVillage = inVillage;
      pilot.Act();
    };
    GameMain();
    Close();
    return quit;
  };

  // New player: the village of stage 1, its two rounds, the village of stage 2.
  ASSERT_TRUE(run(2)) << "the new player never reached the village of stage 2";
  ASSERT_EQ(arrivals.size(), 2u);
  EXPECT_EQ(arrivals[0].stage, 1);
  const Arrival stage2 = arrivals[1];
  EXPECT_EQ(stage2.level, 3);
  EXPECT_EQ(stage2.savedLevel, 3) << "the village's save point";
  EXPECT_TRUE(stage2.built.empty());

  // Started again: the map's continue finds stage 2's village as it was
  // saved, and PLAY leads on to stage 3's village.
  arrivals.clear();
  ASSERT_TRUE(run(3)) << "the continued game never reached the village of stage 3";
  ASSERT_EQ(arrivals.size(), 2u);
  EXPECT_EQ(arrivals[0].stage, 2);
  EXPECT_EQ(arrivals[0].level, 3);
  EXPECT_EQ(arrivals[0].villagers, stage2.villagers);
  EXPECT_EQ(arrivals[0].built, stage2.built);
  const Arrival stage3 = arrivals[1];
  EXPECT_EQ(stage3.stage, 3);
  EXPECT_GT(stage3.level, 3);
  EXPECT_EQ(stage3.savedLevel, stage3.level);
  EXPECT_GT(stage3.villagers.size(), stage2.villagers.size()) << "newcomers from the cave";

  // And once more: stage 3's village as it was saved.
  arrivals.clear();
  ASSERT_TRUE(run(3));
  ASSERT_FALSE(arrivals.empty());
  EXPECT_EQ(arrivals[0].stage, 3);
  EXPECT_EQ(arrivals[0].level, stage3.level);
  EXPECT_EQ(arrivals[0].villagers, stage3.villagers);
  EXPECT_EQ(arrivals[0].built, stage3.built);
}

}  // namespace
}  // namespace kelp::road
