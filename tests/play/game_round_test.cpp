// The round's win by level type, the road from a win to the next round, the
// results or the closing scene, and the road from a loss to the game-over
// screen and back.
#include "framework/core/startup_settings.h"
#include "framework/files/log.h"
#include "framework/ui/controls.h"
#include "play/brownie_transform.h"
#include "play/game_menu.h"
#include "play/game_over.h"
#include "play/level_complete.h"
#include "play_scene.h"

namespace play_test {
namespace {

class Round : public PlayScene {
 public:
  // Level n started and its sweep over.
  void Play(int n) {
    ASSERT_EQ(StartLevel(n), 1);
    EndSweep();
  }
  // The round's goal met on a field with nothing left in play.
  static void ClearTheField() {
    GameScreen->GameType = 1;
    Player->ReleasedCreatures = World->CreaturesToRelease;
    TBlock::ClearBlocks();
    TObstacle::Clear();
  }
};

TEST_F(Round, EachLevelTypeIsWonByItsOwnGoal) {
  enum Wall { NO_WALL, STANDING, DOWN };
  struct Case {
    const char* what;
    int type;
    float released, goal;
    int boxesLeft;     // released boxes in play
    int trolley;       // -1 none, else boxes on it
    Wall wall;
    int parasites;     // obstacles still carrying a parasite
    int paused;
    int won, typeAfter;
    float releasedAfter;
  };
  const Case cases[] = {
      {"clear field", 1, 0, 5, 0, -1, NO_WALL, 0, 0, 1, 1, 0},
      {"a box left", 1, 9, 5, 1, -1, NO_WALL, 0, 0, 0, 1, 9},
      {"a parasite left on an obstacle", 1, 9, 5, 0, -1, NO_WALL, 1, 0, 0, 1, 9},
      {"type 4", 4, 0, 5, 0, -1, NO_WALL, 0, 0, 1, 4, 0},
      {"type 6 is won like 1 and 4", 6, 0, 5, 0, -1, NO_WALL, 0, 0, 1, 6, 0},
      {"type 10", 10, 0, 5, 0, -1, NO_WALL, 0, 0, 1, 10, 0},
      {"type 100", 100, 0, 5, 0, -1, NO_WALL, 0, 0, 1, 100, 0},
      {"the wall still stands", 1, 9, 5, 0, -1, STANDING, 0, 0, 0, 1, 9},
      {"the wall is down", 1, 9, 5, 0, -1, DOWN, 0, 0, 1, 1, 9},
      {"the wall is down, a box left", 1, 9, 5, 1, -1, DOWN, 0, 0, 0, 1, 9},
      {"an empty trolley, goal met", 1, 5, 5, 3, 0, NO_WALL, 0, 0, 1, 1, 5},
      {"a trolley still loaded", 1, 5, 5, 3, 1, NO_WALL, 0, 0, 0, 1, 5},
      {"an empty trolley, goal not met", 1, 4, 5, 3, 0, NO_WALL, 0, 0, 0, 1, 4},
      {"paused", 1, 0, 5, 0, -1, NO_WALL, 0, 1, 0, 1, 0},
      {"thermometer not full", 2, 4, 5, 0, -1, NO_WALL, 0, 0, 0, 2, 4},
      {"thermometer full: the field must be cleared next", 2, 7, 5, 0, -1, NO_WALL, 0, 0, 0, 1, 5},
      {"a negative count starts again from 0", 2, -3, 5, 0, -1, NO_WALL, 0, 0, 0, 2, 0},
      {"type 20 goes on as 10", 20, 5, 5, 0, -1, NO_WALL, 0, 0, 0, 10, 5},
      {"type 200 goes on as 100", 200, 5, 5, 0, -1, NO_WALL, 0, 0, 0, 100, 5},
      {"an unknown type is never won", 3, 9, 5, 0, -1, NO_WALL, 0, 0, 0, 3, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Play(1);
    TBlock::ClearBlocks();
    GameScreen->GameType = c.type;
    Player->ReleasedCreatures = c.released;
    World->CreaturesToRelease = c.goal;
    ReleasedBlockCount = c.boxesLeft;
    ParaziteObstacleLeft = c.parasites;
    if (c.trolley >= 0) {
      CurrentTrolley = TTrolley::Create("");
      for (int i = 0; i < c.trolley; ++i) CurrentTrolley->Blocks.AddLast(TBlock::Create(300, 300, 0, 0));
    }
    if (c.wall != NO_WALL) {
      TBrick::CreateWall(2, 1);
      BrickCount = c.wall == STANDING ? 2 : 0;
    }
    if (c.paused) GameScreen->Pause(1);
    GameScreen->WinTest();
    EXPECT_EQ(GameScreen->Complete, c.won);
    EXPECT_EQ(GameScreen->GameType, c.typeAfter);
    EXPECT_FLOAT_EQ(Player->ReleasedCreatures, c.releasedAfter);
    if (c.won) {
      EXPECT_EQ(Player->enabled, 0);
      EXPECT_EQ(GameScreen->Timer, GameTime);
    }
    CurrentTrolley = nullptr;
    TTrolley::Clear();
    TBrick::Clear();
    ParaziteObstacleLeft = 0;
    GameScreen->SetHided(1);
  }
}

// A won round that does not end its stage fades out 2 s after the win and
// the next round of the stage starts at once.
TEST_F(Round, AWinInTheMiddleOfAStageGoesOnToTheNextRound) {
  Play(1);
  ASSERT_EQ(GameScreen->Stage, TLevel::GetInfo(2, 0));
  const int points = Player->scores = 40;
  ClearTheField();
  Frame();
  ASSERT_EQ(GameScreen->Complete, 1);
  const int won = GameScreen->Timer;
  ASSERT_TRUE(FramesUntil([] { return ScreenFade->set && ScreenFade->speed > 0.0f; }, 400));
  EXPECT_GE(GameTime, won + 2000);
  EXPECT_FALSE(GameScreen->CompleteForm) << "no results in the middle of a stage";
  ASSERT_TRUE(FramesUntil([] { return GameScreen->Level == 2; }, 400));
  EXPECT_EQ(GameScreen->Round, 2);
  EXPECT_EQ(GameScreen->Complete, 0);
  EXPECT_EQ(GameScreen->started, 1) << "the next round fades in";
  EXPECT_EQ(GameScreen->Visible, 1);
  EXPECT_EQ(Player->scores, points);
}

// The last round of a stage, the last level of the data set and any
// level-select level end in the results; OK fades out and the game moves on.
TEST_F(Round, TheLastRoundOfAStageShowsTheResults) {
  struct Case {
    const char* what;
    int level, custom;
  };
  const Case cases[] = {
      {"the end of stage 1", 2, 0},
      {"the end of the last stage before the finale", 64, 0},
      {"a level-select level", 1, 1},
  };
  int villages = 0, endings = 0;
  LevelLinks.ShowVillage = [&villages] { ++villages; };
  LevelLinks.EndLevelSelect = [&endings] { ++endings; };
  LevelLinks.ProfileProgress = [](int& completed, int& saved) {
    completed = 0;
    saved = 1;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    villages = endings = 0;
    GameScreen->CustomLevel = c.custom;
    Play(c.level);
    GameScreen->CustomLevel = c.custom;
    ClearTheField();
    ASSERT_TRUE(FramesUntil([] { return GameScreen->CompleteForm != nullptr; }, 400));
    const Ref<TLevelComplete> form = Find<TLevelComplete>();
    ASSERT_TRUE(form);
    EXPECT_EQ(GameScreen->CompleteForm, form);
    Frame(60);  // slid in
    Key(platform::VK_RETURN);
    ASSERT_TRUE(FramesUntil([&] { return villages + endings > 0; }, 600));
    EXPECT_EQ(form->Fade_flag, 1);
    EXPECT_EQ(c.custom ? endings : villages, 1);
    EXPECT_EQ(Count<TLevelComplete>(), 0) << "the results leave with the level";
    GameScreen->SetHided(1);
  }
}

// Level 67 ends in the brownie's transformation, which then completes it.
TEST_F(Round, TheLastStoryLevelEndsInTheTransformation) {
  Play(1);
  GameScreen->Level = 67;
  ClearTheField();
  ASSERT_TRUE(FramesUntil([] { return GameScreen->LevelCompleted == 1; }, 600));
  EXPECT_EQ(Count<TBrownieTransform>(), 1);
  EXPECT_EQ(GameScreen->Level, 67) << "not completed directly";
  EXPECT_EQ(GameScreen->Round, 1);
}

TEST_F(Round, ResultsCountStarsByCombosAndTime) {
  struct Case {
    int combos, creatures, maxCombo;
    float bonusTime;
    int stage, stars;
  };
  const Case cases[] = {
      {10, 5, 3, 0.75f, 2, 5},  {10, 5, 2, 0.75f, 2, 4}, {10, 5, 3, 0.85f, 2, 4},
      {1, 100, 5, 0.1f, 2, 3},  {1, 100, 5, 0.1f, 1, 4}, {0, 0, 0, 0.0f, 2, 3},
      {4, 100, 5, 0.1f, 2, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.combos << "/" << c.creatures);
    EXPECT_EQ(LevelStars(c.combos, c.creatures, c.maxCombo, c.bonusTime, c.stage), c.stars);
  }
}

// Time runs out: the player stops at once, the screen fades out 2 s later
// and the game-over screen comes; retry starts the stage's first round with
// the score and money the stage began with.
TEST_F(Round, ALossByTimeLeadsToRetry) {
  Play(2);
  ASSERT_EQ(GameScreen->Round, 2);
  Player->old_scores = 100;
  Player->old_money = 30;
  Player->scores = 180;
  Player->money = 55;
  GameScreen->LevelLengthTime = 1000;
  ASSERT_TRUE(FramesUntil([] { return GameScreen->Over == 1; }, 200));
  EXPECT_EQ(Player->enabled, 0);
  const int lost = GameScreen->Timer;
  ASSERT_TRUE(FramesUntil([] { return Count<TGameOver>() == 1; }, 600));
  EXPECT_GT(GameTime, lost + 2000);
  EXPECT_FLOAT_EQ(ScreenFade->alpha, 1.0f);
  Frame(80);  // slid in
  const Ref<TGameOver> over = Find<TGameOver>();
  EXPECT_EQ(over->BUTTON_SKIP->locked, 1) << "no save, no skips";
  // A click on retry, through the mouse.
  const auto& retry = over->BUTTON_RETRY;
  platform::InjectMousePosition(retry->_x + retry->_width / 2.0f, retry->_y + retry->_height / 2.0f);
  Frame();
  platform::InjectMouseButton(1, true);
  Frame();
  platform::InjectMouseButton(1, false);
  ASSERT_TRUE(FramesUntil([] { return Count<TGameOver>() == 0; }, 200));
  EXPECT_EQ(GameScreen->Level, 1) << "back to the first round of the stage";
  EXPECT_EQ(GameScreen->Round, 1);
  EXPECT_EQ(GameScreen->Over, 0);
  EXPECT_EQ(GameScreen->started, 1);
  EXPECT_EQ(Player->scores, 100);
  EXPECT_EQ(Player->money, 30);
}

// A box kept above the red line for 8 s loses the round; a pause in the
// 2 s before the fade does not give the player control back.
TEST_F(Round, ALossAtTheRedLineKeepsThePlayerOut) {
  Play(1);
  const Ref<TBlock> box = TBlock::Create(380, 120, 0, 0);
  box->class_ = TBlock::RED;
  box->Released = 1;
  for (auto p = box->Group->frstp.get(); p; p = p->nxt.get()) p->static_ = 1;
  ASSERT_TRUE(FramesUntil([] { return GameScreen->Over == 1; }, 600));
  EXPECT_EQ(GameScreen->Complete, 0);
  EXPECT_EQ(Player->enabled, 0);
  Key(platform::VK_ESCAPE);
  Frame();
  ASSERT_EQ(Count<TGameMenu>(), 1);
  EXPECT_EQ(GameScreen->Paused, 1);
  Frame(40);
  Key(platform::VK_ESCAPE);  // resume
  ASSERT_TRUE(FramesUntil([] { return Count<TGameMenu>() == 0; }, 200));
  EXPECT_EQ(GameScreen->Paused, 0);
  EXPECT_EQ(Player->enabled, 0) << "a lost round stays lost";
  ASSERT_TRUE(FramesUntil([] { return Count<TGameOver>() == 1; }, 600));
}

// Once won, a round is not lost any more by a box still above the red line
// (a side-fed box waiting on its shelf, say) while it fades out.
TEST_F(Round, AWonRoundIsNotLostAtTheRedLine) {
  Play(1);
  const Ref<TBlock> box = TBlock::Create(380, 120, 0, 0);
  box->class_ = TBlock::RED;
  box->Released = 1;
  for (auto p = box->Group->frstp.get(); p; p = p->nxt.get()) p->static_ = 1;
  Frame(5 * 55);  // 5 s above the line
  GameScreen->GameType = 1;
  Player->ReleasedCreatures = World->CreaturesToRelease;
  ReleasedBlockCount = 0;
  GameScreen->WinTest();
  ASSERT_EQ(GameScreen->Complete, 1);
  int lost = 0;
  ASSERT_TRUE(FramesUntil(
      [&lost] {
        lost |= GameScreen->Over;
        return GameScreen->Level == 2;
      },
      600));
  EXPECT_EQ(lost, 0);
  EXPECT_EQ(Count<TGameOver>(), 0);
}

// Skip counts the round as won: the boxes' money is paid and the round ends
// through the normal completion.
TEST_F(Round, SkipCompletesTheRound) {
  int skips = 2;
  GameLinks.SkipsLeft = [&skips] { return skips; };
  GameLinks.UseSkip = [&skips] { --skips; };
  Play(1);
  BlockList.First()->Money = 25;
  const int money = Player->money;
  GameScreen->LevelLengthTime = 500;
  ASSERT_TRUE(FramesUntil([] { return Count<TGameOver>() == 1; }, 800));
  Frame(80);
  const Ref<TGameOver> over = Find<TGameOver>();
  ASSERT_EQ(over->BUTTON_SKIP->locked, 0);
  EXPECT_TRUE(over->Text2) << "the skips left are shown";
  over->DePress(TGameOver::Button_SKIP_ID);
  ASSERT_TRUE(FramesUntil([] { return Count<TGameOver>() == 0; }, 200));
  EXPECT_EQ(skips, 1);
  EXPECT_EQ(GameScreen->SkipRound, 1);
  EXPECT_EQ(GameScreen->Complete, 1);
  EXPECT_EQ(Player->money, money + 25);
  ASSERT_TRUE(FramesUntil([] { return GameScreen->Level == 2; }, 800));
  EXPECT_EQ(GameScreen->SkipRound, 0);
}

TEST_F(Round, DebugKeysWinLoseAndMoveTheLimit) {
  DebugMode = 1;
  Play(1);
  const int limit = GameScreen->LevelLengthTime;
  Key(187);
  Frame();
  EXPECT_EQ(GameScreen->LevelLengthTime, limit + 60000);
  for (int i = 0; i < 10; ++i) {
    Key(189);
    Frame();
  }
  EXPECT_EQ(GameScreen->LevelLengthTime, 0) << "never below 0";
  Key('L');
  Frame();
  EXPECT_EQ(GameScreen->Over, 1);
  GameScreen->SetHided(1);
  Play(1);
  Key('W');
  Frame();
  EXPECT_EQ(GameScreen->Complete, 1);
  EXPECT_EQ(Player->enabled, 0);
  DebugMode = 0;
}

}  // namespace
}  // namespace play_test
