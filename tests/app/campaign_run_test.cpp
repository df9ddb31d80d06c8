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

#include <functional>
#include <memory>

#include "frontend/profile.h"
#include "platform/clock.h"
#include "play/game_complete.h"
#include "village/zeppelin.h"
#include "world/level.h"
#include "framework/ui/widget_updater.h"

namespace kelp::road {
namespace {

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

// A player going through the campaign over one or more starts of the
// program: noting each village on arrival and again when continued from its
// save, leaving for the main menu at each new stage (from stage 2 on) and
// continuing from the map, and clicking the game-complete picture away.
struct Campaigner {
  std::vector<Visit> arrivals, continued;
  std::vector<int> levels;  // each level as it starts
  enum Phase { PLAYING, LEAVING, CONFIRMING, AWAY, CLOSING } phase = PLAYING;
  bool leave = true;        // leave and continue at each new stage
  int closeAt = 36;         // arriving in this stage's village closes the program
  std::function<bool()> closeWhen;  // or this, looked at first
  bool closed = false;      // the game-complete picture went and the program was closed
  Ref<TGameComplete> end;
  Hand hand;
  std::unique_ptr<Autopilot> pilot;
  int screen = Autopilot::NONE, waited = 0;

  void Close() {
    phase = CLOSING;
    platform::InjectAppEvent(platform::AppEvent::CloseRequest);
  }

  void Probe() {
    if (closed || phase == CLOSING) return;
    if (closeWhen && closeWhen()) return Close();
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
      if (GameScreen->Stage == closeAt) return Close();
      // A new game has nothing saved to continue from yet.
      if (leave && GameScreen->Stage > 1) phase = LEAVING, waited = 0;
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
  }

  // The arrival in a stage's village, or null.
  const Visit* Arrival(int stage) const {
    for (const Visit& v : arrivals)
      if (v.stage == stage) return &v;
    return nullptr;
  }
  // Each stage continued from its save came back as it arrived: the level
  // to play, the island, the villagers and the buildings.
  void ExpectContinuedAsArrived() const {
    for (const Visit& back : continued) {
      const Visit* was = Arrival(back.stage);
      if (!was) continue;
      SCOPED_TRACE(was->stage);
      EXPECT_EQ(was->savedLevel, was->level) << "saved on arrival";
      EXPECT_EQ(back.level, was->level);
      EXPECT_EQ(back.island, was->island);
      EXPECT_EQ(back.villagers, was->villagers);
      EXPECT_EQ(back.built, was->built);
    }
  }
  std::string Where() const {
    return "the run ended in stage " + std::to_string(arrivals.empty() ? 0 : arrivals.back().stage) + " at level " +
           std::to_string(levels.empty() ? 0 : levels.back());
  }
};

class WholeCampaign : public Road {
 protected:
  // One start of the program with these arguments; between two drawn frames
  // the others run undrawn, each with the player's look (not once the program
  // is closing: its closing fade waits on the frame timer too).
  void Run(Campaigner& c, std::vector<std::string> arguments) {
    Close();
    Fresh(40000);
    AppArguments = std::move(arguments);
    c.hand = Hand();
    c.pilot = std::make_unique<Autopilot>(c.hand);
    c.screen = Autopilot::NONE;
    FrameProbe = [&c](int) { c.Probe(); };
    platform::SetFrameWaitHook([this, &c] {
      for (int i = 1; i < kDrawEvery && !c.closed && c.phase != Campaigner::CLOSING; ++i) {
        clock.Advance(18);
        c.Probe();
        UpdateFrameUndrawn();
      }
      clock.Advance(18);
      GameTime = platform::Millisecs() - PausedTotal;
      return 1;
    });
    GameMain();
  }
  // After the game-complete screen the save starts over and knows the
  // campaign was finished.
  void ExpectSaveStartedOverFinished() {
    TProfile saved;
    saved.path = Player->Profile->path;
    ASSERT_EQ(saved.LoadHeader(), 1);
    EXPECT_EQ(saved.data->GameCompleted, 1);
    EXPECT_EQ(saved.data->Stage, 1);
    EXPECT_EQ(saved.data->Level, 1);
  }
};

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELP_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KELP_SANITIZED 1
#endif

// The last stage's story runs straight into the ending: there the player can
// only close the program, so the run closes it on arrival and starts it again.
TEST_F(WholeCampaign, ANewPlayerGoesThroughEveryStageToTheGameCompleteContinuingFromEachSave) {
#ifdef KELP_SANITIZED
  GTEST_SKIP() << "over five minutes of CPU under the sanitizers: the release build runs it, the slice below runs here";
#endif
  Campaigner c;
  Run(c, {"kelp", "debug"});
  ASSERT_EQ(c.phase, Campaigner::CLOSING) << c.Where();
  c.phase = Campaigner::AWAY;
  Run(c, {"kelp", "debug"});

  ASSERT_TRUE(c.end) << c.Where();
  ASSERT_TRUE(c.closed) << "the game-complete picture never went";
  // Every stage's village once, in order, on its island; the zeppelin took
  // the player from the desert to the snow island once.
  ASSERT_EQ(c.arrivals.size(), 36u);
  for (size_t i = 0; i < c.arrivals.size(); ++i) {
    SCOPED_TRACE(c.arrivals[i].stage);
    EXPECT_EQ(c.arrivals[i].stage, static_cast<int>(i) + 1);
    EXPECT_EQ(c.arrivals[i].island, StageIsland(c.arrivals[i].stage));
  }
  EXPECT_EQ(c.arrivals[16].island, TVillageMode::DESERT) << "stage 17 leaves from the desert";
  EXPECT_EQ(c.arrivals[17].island, TVillageMode::SNOW) << "and stage 18 is in the snow";
  // Every level once, in order.
  std::vector<int> all(67);
  for (int l = 1; l <= 67; ++l) all[l - 1] = l;
  EXPECT_EQ(c.levels, all);
  // Each stage's save brings back the village as it arrived.
  std::vector<int> stages, afterStageOne(35);
  std::string seen;
  for (const Visit& v : c.continued) {
    stages.push_back(v.stage);
    seen += " " + std::to_string(v.stage);
  }
  for (int stage = 2; stage <= 36; ++stage) afterStageOne[stage - 2] = stage;
  ASSERT_EQ(stages, afterStageOne) << "continued in stages" << seen;
  c.ExpectContinuedAsArrived();
  ExpectSaveStartedOverFinished();
}

// The stretch around the zeppelin's flight and the ending, from the saves
// the game writes: a player made, a debug start of level 29 (its save is
// moved there), then the game continued from the map through stages 16 to 19
// with a save and continue at each, and a debug start of level 67 to the
// game-complete screen.
TEST_F(WholeCampaign, AGameContinuedFromStageSixteenFliesToTheSnowAndTheLastLevelEndsTheGame) {
  Campaigner c;
  c.closeWhen = [] { return Autopilot::Screen() == Autopilot::MENU && Player->Profile; };
  Run(c, {"kelp", "debug"});
  ASSERT_EQ(c.phase, Campaigner::CLOSING) << "no player was made";
  c.phase = Campaigner::PLAYING;
  c.closeWhen = [] { return Autopilot::Screen() == Autopilot::LEVEL; };
  Run(c, {"kelp", "debug", "29"});
  ASSERT_EQ(c.phase, Campaigner::CLOSING) << "level 29 never started";
  c.phase = Campaigner::AWAY;
  c.closeWhen = nullptr;
  c.closeAt = 20;
  Run(c, {"kelp", "debug"});
  ASSERT_EQ(c.phase, Campaigner::CLOSING) << c.Where();

  std::vector<int> stages;
  for (const Visit& v : c.continued) stages.push_back(v.stage);
  EXPECT_EQ(stages, (std::vector<int>{16, 17, 18, 19}));
  ASSERT_EQ(c.arrivals.size(), 4u);
  for (const Visit& v : c.arrivals) {
    SCOPED_TRACE(v.stage);
    EXPECT_EQ(v.island, StageIsland(v.stage));
  }
  EXPECT_EQ(c.arrivals[0].stage, 17);
  EXPECT_EQ(c.arrivals[1].island, TVillageMode::SNOW) << "stage 18 after the desert levels of stage 17";
  c.ExpectContinuedAsArrived();

  c.phase = Campaigner::PLAYING;
  c.leave = false;
  c.closeAt = 0;
  Run(c, {"kelp", "debug", "67"});
  ASSERT_TRUE(c.end) << c.Where();
  ASSERT_TRUE(c.closed) << "the game-complete picture never went";
  EXPECT_EQ(c.levels, (std::vector<int>{29, 30, 31, 32, 33, 34, 67}));
  ExpectSaveStartedOverFinished();
}

}  // namespace
}  // namespace kelp::road
