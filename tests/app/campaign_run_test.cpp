// The whole campaign played headless by a new player: every stage in order
// with its village (the story read, what the stage asks for built or done,
// PLAY pressed) and its levels (each ended on the game's own win path, the
// debug start's W key: the campaign bot shows that each level can be won by
// play), the zeppelin's flight to the snow island, level 67's ending and the
// fireworks to the game-complete screen. At every village from stage 2 on the
// player leaves for the main menu right after the village saved and continues
// from the map, so each stage goes on from the save the game wrote. Most
// frames are run without drawing.
#include "road_support.h"

#include <memory>

#include "frontend/profile.h"
#include "platform/clock.h"
#include "play/game_complete.h"
#include "village/zeppelin.h"
#include "world/level.h"
#include "framework/ui/widget_updater.h"

namespace kelp::road {
namespace {

using WholeCampaign = Road;

constexpr int kDrawEvery = 16;  // one frame in so many is drawn

struct Visit {
  int stage = 0, level = 0, island = 0, savedLevel = 0;
  std::vector<std::string> villagers, built;
};

Visit Look() {
  Visit v;
  v.stage = GameScreen->Stage;
  v.level = GameScreen->Level;
  v.island = CurrentVillage;
  v.savedLevel = Player->Profile && Player->Profile->data ? Player->Profile->data->Level : -1;
  v.villagers = Villagers();
  v.built = Built();
  return v;
}

// Whether the village waits for the player: nothing scripted or said goes on.
bool VillageWaits() {
  const TVillageMode& v = *VillageScreen;
  return v.UserInputEnable && v.Panel && v.Panel->Visible && v.Panel->Arrived && !VillageDialogActive &&
         !v.Closing && !Find<TDialogVillage>() && !Find<TMessageBox>();
}

// The last stage's story runs straight into the ending: there the player can
// only close the program, so the run closes it on arrival and starts it again.
TEST_F(WholeCampaign, ANewPlayerGoesThroughEveryStageToTheGameCompleteContinuingFromEachSave) {
  std::vector<Visit> arrivals, continued;
  std::vector<int> levels;  // each level as it starts
  enum { PLAYING, LEAVING, CONFIRMING, AWAY, CLOSING } phase = PLAYING;
  int screen = Autopilot::NONE, waited = 0;
  bool closed = false;  // the game-complete picture went and the program was closed
  Ref<TGameComplete> end;
  Hand hand;
  std::unique_ptr<Autopilot> pilot;

  auto probe = [&] {
    if (closed || phase == CLOSING) return;
    const int now = Autopilot::Screen();
    const bool arrived = now == Autopilot::VILLAGE && screen != Autopilot::VILLAGE;
    // A stage's next round starts straight after the last without leaving the level screen.
    if (now == Autopilot::LEVEL && GameScreen->Level >= 1 && (levels.empty() || levels.back() != GameScreen->Level))
      levels.push_back(GameScreen->Level);
    screen = now;
    // The game-complete picture is clicked away once it has faded in: the
    // save starts over, keeping the finished campaign, and the credits follow.
    if (const Ref<TGameComplete> shown = Find<TGameComplete>()) {
      end = shown;
      if (hand.Busy())
        hand.Step();
      else if (++waited % 60 == 0)
        hand.Click(X(400.0f), 300.0f);
      return;
    }
    if (end) {
      closed = true;
      platform::InjectAppEvent(platform::AppEvent::CloseRequest);
      return;
    }
    if (arrived && phase == AWAY) {
      continued.push_back(Look());
      phase = PLAYING;
      Player->money = 100000;  // the coins of levels not played for here
    } else if (arrived && (arrivals.empty() || GameScreen->Stage != arrivals.back().stage)) {
      arrivals.push_back(Look());
      Player->money = 100000;
      // A new game has nothing saved to continue from yet.
      if (GameScreen->Stage == 36) {
        phase = CLOSING;
        platform::InjectAppEvent(platform::AppEvent::CloseRequest);
        return;
      }
      if (GameScreen->Stage > 1) phase = LEAVING, waited = 0;
    }
    if (phase == LEAVING && !hand.Busy()) {
      if (now == Autopilot::VILLAGE && VillageWaits() && ++waited > 30) {
        hand.Key(platform::VK_ESCAPE);
        phase = CONFIRMING;
        waited = 0;
      }
      return;
    }
    if (phase == CONFIRMING && !hand.Busy()) {
      const Ref<TMessageBox> box = Find<TMessageBox>();
      if (box && box->Button_1 && ++waited > 30) {
        hand.ClickOn(*box->Button_1);
        phase = AWAY;
      }
      if (box || hand.Busy()) return;
    }
    pilot->Act();
  };
  // One start of the program; between two drawn frames the others run
  // undrawn, each with the player's look.
  auto run = [&] {
    Fresh(40000);
    AppArguments = {"kelp", "debug"};
    hand = Hand();
    pilot = std::make_unique<Autopilot>(hand);
    screen = Autopilot::NONE;
    FrameProbe = [&](int) { probe(); };
    platform::SetFrameWaitHook([&] {
      for (int i = 1; i < kDrawEvery && !closed; ++i) {
        clock.Advance(18);
        probe();
        UpdateFrameUndrawn();
      }
      clock.Advance(18);
      GameTime = platform::Millisecs() - PausedTotal;
      return 1;
    });
    GameMain();
  };
  run();
  ASSERT_EQ(phase, CLOSING) << "the run ended in stage " << (arrivals.empty() ? 0 : arrivals.back().stage)
                            << " at level " << (levels.empty() ? 0 : levels.back());
  Close();
  phase = AWAY;
  run();

  ASSERT_TRUE(end) << "the run ended in stage " << arrivals.back().stage;
  ASSERT_TRUE(closed) << "the game-complete picture never went";
  // Every stage's village once, in order, on its island; the zeppelin took
  // the player from the desert to the snow island once.
  ASSERT_EQ(arrivals.size(), 36u);
  for (size_t i = 0; i < arrivals.size(); ++i) {
    SCOPED_TRACE(arrivals[i].stage);
    EXPECT_EQ(arrivals[i].stage, static_cast<int>(i) + 1);
    EXPECT_EQ(arrivals[i].island, StageIsland(arrivals[i].stage));
  }
  EXPECT_EQ(arrivals[16].island, TVillageMode::DESERT) << "stage 17 leaves from the desert";
  EXPECT_EQ(arrivals[17].island, TVillageMode::SNOW) << "and stage 18 is in the snow";
  // Every level once, in order.
  std::vector<int> all(67);
  for (int l = 1; l <= 67; ++l) all[l - 1] = l;
  EXPECT_EQ(levels, all);
  // Each stage's save brings back the village as it arrived: the level to
  // play, the villagers and the buildings.
  std::vector<int> stages, afterStageOne(35);
  std::string seen;
  for (const Visit& v : continued) {
    stages.push_back(v.stage);
    seen += " " + std::to_string(v.stage);
  }
  for (int stage = 2; stage <= 36; ++stage) afterStageOne[stage - 2] = stage;
  ASSERT_EQ(stages, afterStageOne) << "continued in stages" << seen;
  for (size_t i = 0; i < continued.size(); ++i) {
    const Visit& was = arrivals[i + 1];
    const Visit& back = continued[i];
    SCOPED_TRACE(was.stage);
    EXPECT_EQ(was.savedLevel, was.level) << "saved on arrival";
    EXPECT_EQ(back.level, was.level);
    EXPECT_EQ(back.island, was.island);
    EXPECT_EQ(back.villagers, was.villagers);
    EXPECT_EQ(back.built, was.built);
  }
  // After the game-complete screen the save starts over and knows the
  // campaign was finished.
  TProfile saved;
  saved.path = Player->Profile->path;
  ASSERT_EQ(saved.LoadHeader(), 1);
  EXPECT_EQ(saved.data->GameCompleted, 1);
  EXPECT_EQ(saved.data->Stage, 1);
  EXPECT_EQ(saved.data->Level, 1);
}

}  // namespace
}  // namespace kelp::road
