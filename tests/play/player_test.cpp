// The player: claw steering by the mouse's motion, the held and next box,
// the swap and the drop with their timing, the side feed and its pusher,
// driven by scripted input through the platform layer.
#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "player_scene.h"
#include "world/effects/ray.h"

namespace player_test {
namespace {

class PlayerTest : public PlayerScene {};

// ------------------------------------------------------------ steering

TEST_F(PlayerTest, LoadPutsTheClawAtRestAndSetsTheStartValues) {
  EXPECT_FLOAT_EQ(ConnectorX(), 390.0f);
  EXPECT_FLOAT_EQ(Player->Handle->Connector->y, 32.0f);
  EXPECT_EQ(Player->maxSpeed, 14);
  EXPECT_EQ(Player->MinX, 238);
  EXPECT_EQ(Player->MaxX, 540);
  EXPECT_EQ(Player->time, GameTime);
  EXPECT_FLOAT_EQ(Player->acceleration, 1.0f);
  EXPECT_EQ(Player->box, nullptr);

  // A second load (the next level's world) replaces the claw.
  const Ref<THandle> old = Player->Handle;
  Player->Load();
  EXPECT_NE(Player->Handle, old);
  EXPECT_EQ(World->Physics->Groups.Count(), 2u) << "the old claw left the engine";
}

TEST_F(PlayerTest, TheMouseMotionSteersTheClawAndItCoastsToAStop) {
  struct Step {
    const char* what;
    float mx;     // pointer motion before the frame
    float speed;  // after the frame
  };
  const Step steps[] = {
      {"a fifth of the motion", 10, 2.0f},
      {"adds up", 10, 4.0f},
      {"no change: coasts", 0, 2.5f},
      {"and again", 0, 1.5625f},
      {"at most 14", 200, 14.0f},
      {"the other way", -50, 4.0f},
      {"at most 14 to the left", -500, -14.0f},
  };
  float x = ConnectorX();
  for (const Step& s : steps) {
    Frame(s.mx);
    EXPECT_FLOAT_EQ(Player->speed, s.speed) << s.what;
    x += s.speed;
    EXPECT_FLOAT_EQ(ConnectorX(), x) << s.what;
  }
}

TEST_F(PlayerTest, AtABoundTheClawStopsShortAndStartsAgainFromRest) {
  for (float dir : {1.0f, -1.0f}) {
    SCOPED_TRACE(dir);
    float last = ConnectorX();
    int stopped = 0;
    for (int i = 0; i < 60 && !stopped; ++i) {
      Frame(dir * 20.0f);
      if (Player->speed == 0.0f) stopped = 1;
      EXPECT_GE(ConnectorX(), 238.0f);
      EXPECT_LE(ConnectorX(), 540.0f);
      if (!stopped) last = ConnectorX();
    }
    ASSERT_TRUE(stopped);
    EXPECT_FLOAT_EQ(ConnectorX(), last) << "it stays where it stopped";
    Frame(-dir * 10.0f);
    EXPECT_FLOAT_EQ(Player->speed, -dir * 2.0f) << "the next motion starts from 0";
  }
}

TEST_F(PlayerTest, WithoutControlTheClawReturnsToTheMiddle) {
  Frames(6, -30.0f);  // well left of the middle
  Frames(30);         // coasted to a stop
  ASSERT_LT(ConnectorX(), 360.0f);
  Player->enabled = 0;
  Player->speed = 0.0f;
  std::vector<float> speeds;
  for (int i = 0; i < 400 && ConnectorX() != 390.0f; ++i) {
    Frame(25.0f);  // the mouse is not heard
    speeds.push_back(Player->speed);
  }
  ASSERT_GE(speeds.size(), 4u);
  for (size_t i = 0; i + 2 < speeds.size(); ++i)
    EXPECT_FLOAT_EQ(speeds[i], i % 2 == 0 ? 3.0f : 1.875f) << "frame " << i;
  EXPECT_EQ(ConnectorX(), 390.0f) << "within 3 it is put on the middle exactly";
  Frame();
  EXPECT_EQ(Player->speed, 0.0f);
  EXPECT_EQ(ConnectorX(), 390.0f);
}

TEST_F(PlayerTest, HoverFollowsTheMouseButNeitherDropsNorHoldsThePointer) {
  Player->Init();
  RunFor(700);
  Player->enabled = 0;
  Player->enable_hover = 1;
  Frame(10.0f);
  EXPECT_FLOAT_EQ(Player->speed, 2.0f);
  EXPECT_NE(Mouse->x, 400.0f) << "the pointer is not re-centred";
  Click();
  EXPECT_NE(Player->box, nullptr);
}

// ------------------------------------------------------- the held box

TEST_F(PlayerTest, TheHeldBoxTakesTheNextClassThenTheCurrentOneAndANewNextIsDrawn) {
  GameScreen->GameType = 2;  // draws 1..5, never restricted
  struct Case {
    int current, next;
    int held;  // 0: a fresh draw
  };
  const Case cases[] = {{0, 0, 0}, {3, 0, 3}, {0, 4, 4}, {3, 4, 4}, {5, 5, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.current << " " << c.next);
    TBlock::ClearBlocks();
    Player->CurrentBlockClass = c.current;
    Player->NextBlockClass = c.next;
    Player->respawned = 0;
    Player->Init();
    const Ref<TBlock> b = Player->box;
    ASSERT_NE(b, nullptr);
    if (c.held) {
      EXPECT_EQ(b->class_, c.held);
    } else {
      EXPECT_GE(b->class_, 1);
      EXPECT_LE(b->class_, 5);
    }
    EXPECT_EQ(b->Group->class_, b->class_);
    EXPECT_EQ(Player->CurrentBlockClass, b->class_);
    EXPECT_GE(Player->NextBlockClass, 1);
    EXPECT_LE(Player->NextBlockClass, 5);
    EXPECT_EQ(Player->Handle->Color, BlockClassColor(Player->NextBlockClass)) << "the claw shows the next class";
    EXPECT_EQ(Player->respawned, 1);
    EXPECT_TRUE(BlockList.Contains(b.get()));
    EXPECT_EQ(Player->Handle->ElectroBlock.lock(), b);
    EXPECT_EQ(b->Released, 0);

    // It hangs under the claw, pinned at its top corners and its centre.
    const THandle& h = *Player->Handle;
    EXPECT_EQ(b->Center->static_, 1);
    EXPECT_EQ(b->UpLeft->static_, 1);
    EXPECT_EQ(b->UpRight->static_, 1);
    EXPECT_FLOAT_EQ(b->UpLeft->x, h.LeftClaw->x + 12.0f);
    EXPECT_FLOAT_EQ(b->UpLeft->y, h.LeftClaw->y + 60.0f);
    EXPECT_FLOAT_EQ(b->UpRight->x, h.RightClaw->x - 12.0f);
    EXPECT_NEAR(b->Center->x, h.Connector->x, 2.0f);

    // Init with a box held does nothing.
    const int next = Player->NextBlockClass;
    Player->Init();
    EXPECT_EQ(Player->box, b);
    EXPECT_EQ(Player->NextBlockClass, next);
  }
}

TEST_F(PlayerTest, EachNewBoxAtTheClawArmsThePushers) {
  TPusher::Create();
  Pushers.First()->Ready = 0;
  RunFor(300);
  Player->Init();
  EXPECT_EQ(Pushers.First()->Ready, 1);
  EXPECT_EQ(Pushers.First()->Time, GameTime);
}

TEST_F(PlayerTest, WhileReleasedBoxesAreInPlayEachNewBoxRaisesTheGoalInTheClearingTypes) {
  struct Case {
    int type, released;
    float raise;
  };
  const Case cases[] = {{1, 0, 0}, {1, 3, 1}, {10, 3, 1}, {100, 3, 1}, {4, 3, 1},
                        {6, 3, 1}, {2, 3, 0}, {20, 3, 0}, {200, 3, 0}};
  for (const Case& c : cases) {
    TBlock::ClearBlocks();
    GameScreen->GameType = c.type;
    ReleasedBlockCount = c.released;
    World->CreaturesToRelease = 10.0f;
    Player->respawned = 0;
    Player->Init();
    EXPECT_FLOAT_EQ(World->CreaturesToRelease, 10.0f + c.raise) << "type " << c.type << ", " << c.released;
  }
  ReleasedBlockCount = 0;
}

TEST_F(PlayerTest, SteeredHardTheClawSwingsButKeepsItsBoxUprightAndSquare) {
  Player->Init();
  const float motions[] = {60, 60, 0, 0, -120, -120, -120, 0, 0, 0, 200, 0, -200, 0};
  float widest = 0;
  for (float mx : motions) {
    for (int i = 0; i < 12; ++i) {
      Frame(mx);
      const THandle& h = *Player->Handle;
      const float a = std::atan2(h.RightClaw->y - h.LeftClaw->y, h.RightClaw->x - h.LeftClaw->x) * 57.2958f;
      widest = std::max(widest, std::fabs(a));
      const TBlock& b = *Player->box;
      EXPECT_LT(b.UpLeft->y, b.DownLeft->y) << "upside down";
      EXPECT_LT(b.UpRight->y, b.DownRight->y) << "upside down";
      EXPECT_NEAR(std::hypot(b.UpRight->x - b.UpLeft->x, b.UpRight->y - b.UpLeft->y), 35.0f, 8.0f);
      EXPECT_NEAR(std::hypot(b.DownLeft->x - b.UpLeft->x, b.DownLeft->y - b.UpLeft->y), 35.0f, 8.0f);
    }
  }
  EXPECT_GT(widest, 5.0f) << "it swings behind its connector";
  EXPECT_LT(widest, 45.0f) << "but never turns over";
  Frames(150);
  const THandle& h = *Player->Handle;
  EXPECT_NEAR(h.LeftClaw->y, h.RightClaw->y, 3.0f) << "and comes back level";
}

TEST_F(PlayerTest, WhileHeldTheBoxFollowsTheClaw) {
  Player->Init();
  Frames(10, 15.0f);  // the claw swings behind its connector
  Player->Update(1.0f);
  const Ref<TBlock> b = Player->box;
  const THandle& h = *Player->Handle;
  EXPECT_FLOAT_EQ(b->UpLeft->x, h.LeftClaw->x + 13.0f);
  EXPECT_FLOAT_EQ(b->UpLeft->y, h.LeftClaw->y + 60.0f);
  EXPECT_FLOAT_EQ(b->UpRight->x, h.RightClaw->x - 13.0f);
  EXPECT_FLOAT_EQ(b->Center->x, static_cast<float>(static_cast<int>((h.LeftClaw->x + h.RightClaw->x) / 2.0f)));
  EXPECT_FLOAT_EQ(b->Center->mass, 4.0f);
  EXPECT_FLOAT_EQ(b->UpLeft->mass, 0.1f);
  EXPECT_FLOAT_EQ(b->UpRight->mass, 0.1f);
}

// ------------------------------------------------------- swap and drop

TEST_F(PlayerTest, DropAndSwapDecideTheClassOfTheNextBox) {
  struct Case {
    const char* what;
    int current, next;
    bool swap;
    int clawAfterSwap;  // the class the claw shows after the swap
    int dropped, following;
  };
  const Case cases[] = {
      {"drop without a swap", TBlock::RED, TBlock::BLUE, false, 0, TBlock::RED, TBlock::BLUE},
      {"swap, then drop", TBlock::RED, TBlock::BLUE, true, TBlock::RED, TBlock::BLUE, TBlock::RED},
      {"swap of equal classes", TBlock::GREEN, TBlock::GREEN, true, TBlock::GREEN, TBlock::GREEN, TBlock::GREEN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TBlock::ClearBlocks();
    Player->CurrentBlockClass = Player->NextBlockClass = 0;
    Player->respawned = 0;
    Player->time = GameTime;
    Player->Init();
    Ref<TBlock> b = Player->box;
    ASSERT_NE(b, nullptr);
    b->class_ = b->Group->class_ = c.current;
    Player->CurrentBlockClass = c.current;
    Player->NextBlockClass = c.next;
    if (c.swap) {
      Click(2);
      EXPECT_EQ(b->class_, c.dropped);
      EXPECT_EQ(b->Group->class_, c.dropped);
      EXPECT_EQ(Player->Handle->Color, BlockClassColor(c.clawAfterSwap));
      EXPECT_EQ(Player->CurrentBlockClass, c.current) << "the offered classes stay";
      EXPECT_EQ(Player->NextBlockClass, c.next);
    }
    RunFor(600);
    Click();
    EXPECT_EQ(Player->box, nullptr);
    EXPECT_EQ(b->class_, c.dropped);
    EXPECT_EQ(b->Released, 1);
    RunFor(500);
    ASSERT_NE(Player->box, nullptr);
    EXPECT_EQ(Player->box->class_, c.following);
    EXPECT_EQ(Player->CurrentBlockClass, c.following);
    EXPECT_GE(Player->NextBlockClass, 1) << "a new next class is drawn";
  }
}

TEST_F(PlayerTest, ADropIsRefusedFor600MsAndTheNextBoxComes500MsAfterIt) {
  Player->Init();
  Click();
  EXPECT_NE(Player->box, nullptr) << "600 ms from the level's start have not passed";
  while (GameTime <= Player->time + 600) Frame();
  Click();
  ASSERT_EQ(Player->box, nullptr);
  const int dropped = Player->time;
  EXPECT_EQ(dropped, GameTime - 18) << "the drop is stamped with its frame";
  EXPECT_EQ(Player->respawned, 0);

  int madeAt = 0;
  for (int i = 0; i < 40 && !madeAt; ++i) {
    Frame();
    if (Player->box) madeAt = GameTime;
  }
  EXPECT_GT(madeAt, dropped + 500);
  EXPECT_LE(madeAt, dropped + 518);

  Click();  // within 600 ms of the drop
  EXPECT_NE(Player->box, nullptr);
  while (GameTime <= dropped + 600) Frame();
  Player->enabled = 0;
  Click();
  EXPECT_NE(Player->box, nullptr) << "not without control";
  Player->enabled = 1;
  Click();
  EXPECT_EQ(Player->box, nullptr);
}

TEST_F(PlayerTest, AReleasedBoxFallsFreeWithAQuarterOfTheClawSpeed) {
  Player->Init();
  RunFor(600);
  auto trolley = New<TTrolley>();
  CurrentTrolley = trolley;
  Frame(60.0f);  // the claw moving right
  const float speed = Player->speed;
  ASSERT_GT(speed, 0.0f);
  const Ref<TBlock> b = Player->box;
  Player->CurrentBlockClass = b->class_;
  Player->NextBlockClass = b->class_ == 1 ? 2 : 1;
  const int next = Player->NextBlockClass;

  platform::InjectMouseButton(1, true);
  GameTime += 18;
  Mouse->Update(1.0f);
  Player->Update(1.0f);  // before the physics step: the throw is still the particles' velocity
  const float vx = Player->speed / 4.0f;
  EXPECT_EQ(Player->box, nullptr);
  EXPECT_EQ(Player->CurrentBlockClass, 0) << "the dropped class is no longer offered";
  EXPECT_EQ(Player->NextBlockClass, next);
  for (const auto& p : {b->Center, b->Align, b->UpLeft, b->UpRight}) {
    EXPECT_EQ(p->static_, 0);
    EXPECT_NEAR(p->x - p->ox, vx, 1e-3f);
    EXPECT_NEAR(p->y - p->oy, 5.0f, 1e-3f);
  }
  EXPECT_FLOAT_EQ(b->UpLeft->mass, 1.0f);
  EXPECT_FLOAT_EQ(b->Center->mass, 0.8f);
  EXPECT_FLOAT_EQ(b->UpRight->mass, 1.0f);
  EXPECT_EQ(b->Released, 1);
  EXPECT_EQ(b->Group->Released, 1);
  EXPECT_EQ(b->Group->Active, 1);
  EXPECT_EQ(b->ReleaseTime, GameTime);
  EXPECT_EQ(b->Blur, 1);
  EXPECT_FLOAT_EQ(b->BlurAlpha, 0.7f);
  EXPECT_TRUE(trolley->Blocks.Contains(b.get())) << "the trolley in use counts it";
  EXPECT_EQ(Player->MousePressed, 0);
  EXPECT_EQ(Player->Drop, 0);
  EXPECT_EQ(Player->ReleaseBox(1.0f), 0) << "nothing held: nothing happens";
}

TEST_F(PlayerTest, AQuickClickBetweenTwoFramesReleasesTheBox) {
  Player->Init();
  RunFor(600);
  ASSERT_NE(Player->box, nullptr);
  QuickClick();
  EXPECT_EQ(Player->box, nullptr);
}

TEST_F(PlayerTest, TheRayFiresWhileTheButtonIsHeldAndStopsOnItsRelease) {
  Player->Init();
  RunFor(600);
  Player->Handle->Ray = TRay::Create();
  EXPECT_EQ(Player->box, nullptr) << "the ray took the held box";
  RunFor(600);
  EXPECT_EQ(Player->box, nullptr) << "no new box while the claw carries the ray";

  platform::InjectMouseButton(1, true);
  Frame();
  EXPECT_NE(Player->Handle->Ray->state, TRay::IDLE);
  Frame();
  EXPECT_NE(Player->Handle->Ray->state, TRay::IDLE) << "held";
  platform::InjectMouseButton(1, false);
  Frame();
  EXPECT_EQ(Player->Handle->Ray->state, TRay::IDLE);

  RunFor(600);
  QuickClick();
  EXPECT_EQ(Player->Handle->Ray->state, TRay::IDLE) << "a quick click fires and stops at once";
  Player->Handle->Ray->Remove();
  Player->Handle->Ray = nullptr;
}

// ------------------------------------------------------------ side feed

// Runs the player alone (no physics) until n side-fed boxes have come or
// the frames run out; the fed boxes are returned in order.
std::vector<Ref<TBlock>> Feed(int n, int maxFrames, std::vector<int>* announced = nullptr,
                              std::vector<int>* delivered = nullptr) {
  std::vector<Ref<TBlock>> fed;
  int wasGenerate = Player->Generate;
  for (int i = 0; i < maxFrames && static_cast<int>(fed.size()) < n; ++i) {
    GameTime += 18;
    Mouse->Update(1.0f);
    Player->Update(1.0f);
    if (!wasGenerate && Player->Generate && announced) announced->push_back(Player->GenerateTime);
    if (wasGenerate && !Player->Generate) {
      if (delivered) delivered->push_back(Player->LastGenTime);
      fed.push_back(BlockList.Last());
    }
    wasGenerate = Player->Generate;
  }
  return fed;
}

TEST_F(PlayerTest, SideFeedWaitsTheGenerationTimeAndNeverWhilePaused) {
  GameScreen->GameType = 2;
  GameScreen->GenTime = 1000;
  Player->LastGenTime = GameTime;
  int previous = GameTime;
  std::vector<int> announced, delivered;
  Feed(8, 20000, &announced, &delivered);
  ASSERT_EQ(delivered.size(), 8u);
  ASSERT_EQ(announced.size(), delivered.size());
  for (size_t i = 0; i < delivered.size(); ++i) {
    EXPECT_GT(announced[i], previous + 1000) << i;
    EXPECT_GT(delivered[i], announced[i] + 1000) << i;
    EXPECT_LE(delivered[i], announced[i] + 1018) << i;
    previous = delivered[i];
  }

  // Paused: nothing is announced, and an announced box waits.
  GameScreen->Paused = 1;
  Player->Generate = 0;
  std::vector<int> none;
  EXPECT_TRUE(Feed(1, 5000, &none).empty());
  EXPECT_TRUE(none.empty());
  Player->Generate = 1;
  Player->GenerateTime = GameTime - 5000;
  EXPECT_TRUE(Feed(1, 200).empty());
  GameScreen->Paused = 0;
  EXPECT_EQ(Feed(1, 1).size(), 1u) << "delivered as soon as the level goes on";
}

TEST_F(PlayerTest, SideFeedOnlyInItsLevelTypes) {
  for (int type : {1, 2, 4, 6, 10, 20, 100, 200}) {
    GameScreen->GameType = type;
    GameScreen->GenTime = 0;
    Player->Generate = 0;
    const bool feeds = type == 2 || type == 4 || type == 20 || type == 200;
    EXPECT_EQ(Feed(1, 3000).size(), feeds ? 1u : 0u) << "type " << type;
    TBlock::ClearBlocks();
  }
}

TEST_F(PlayerTest, SideFedBoxesComeInAtTheRightEdgeAndArmThePushers) {
  TPusher::Create();
  TPusher::Create();
  for (const auto& p : Pushers) p->Ready = 0;
  GameScreen->GameType = 4;
  GameScreen->GenTime = 0;
  std::vector<int> announced;
  const auto fed = Feed(1, 3000, &announced);
  ASSERT_EQ(fed.size(), 1u);
  EXPECT_EQ(ChainLightsOn, 1) << "the lamps light at the announcement";
  const Ref<TBlock> b = fed[0];
  EXPECT_NE(b, Player->box);
  EXPECT_EQ(b->Released, 1);
  EXPECT_EQ(b->Group->Released, 1);
  EXPECT_EQ(b->ReleaseTime, GameTime);
  EXPECT_EQ(b->Group->class_, b->class_);
  EXPECT_NEAR(b->Center->x, 650.0f, 1.0f);
  EXPECT_GE(b->Center->y - b->Center->oy, 1.0f) << "it starts falling";
  EXPECT_LE(b->Center->y - b->Center->oy, 2.0f);
  for (const auto& p : Pushers) {
    EXPECT_EQ(p->Ready, 1);
    EXPECT_EQ(p->Time, GameTime);
  }
}

TEST_F(PlayerTest, SideFedClassesFollowTheLevelTypeParasitesAndBonusStages) {
  struct Case {
    const char* what;
    int type, parazite, stage, level;
    int top;               // the colours are 1..top
    double parasites;      // share of class 8
    double bonuses;        // share of explosion bonus boxes
  };
  const Case cases[] = {
      {"five colours", 2, 0, 1, 1, 5, 0, 0},
      {"seven colours", 200, 0, 1, 1, 7, 0, 0},
      {"six colours", 20, 0, 1, 1, 6, 0, 0},
      {"half of them parasites", 4, 1, 1, 1, 5, 0.5, 0},
      {"a seventh bonus boxes in stage 34", 2, 0, 34, 60, 5, 0, 1.0 / 7},
      {"more of them in level 67", 2, 0, 35, 67, 5, 0, 1.0 - 6.0 / 7 * 5.0 / 6},
  };
  constexpr int kBoxes = 500;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GameScreen->GameType = c.type;
    GameScreen->GenTime = 0;
    GameScreen->parazite = c.parazite;
    GameScreen->Stage = c.stage;
    GameScreen->Level = c.level;
    std::map<int, int> colours;
    int parasites = 0, bonuses = 0, got = 0;
    while (got < kBoxes) {
      const auto fed = Feed(50, 20000);
      ASSERT_FALSE(fed.empty());
      for (const auto& b : fed) {
        if (b->class_ == TBlock::PARAZITE) {
          ++parasites;
        } else if (b->class_ == TBlock::BONUS) {
          ++bonuses;
          EXPECT_EQ(b->bonus_class, TBlock::EXPLOSION);
        } else {
          ++colours[b->class_];
        }
      }
      got += static_cast<int>(fed.size());
      TBlock::ClearBlocks();
      Player->respawned = 0;
    }
    EXPECT_EQ(colours.begin()->first, 1);
    EXPECT_EQ(colours.rbegin()->first, c.top);
    EXPECT_EQ(static_cast<int>(colours.size()), c.top);
    EXPECT_NEAR(parasites / static_cast<double>(got), c.parasites, 0.07);
    EXPECT_NEAR(bonuses / static_cast<double>(got), c.bonuses, 0.05);
  }
}

// ----------------------------------------------------- faults mended

TEST_F(PlayerTest, AnEndlessGenerationTimeNeverOverflowsTheClock) {
  GameScreen->GameType = 2;
  GameScreen->GenTime = INT_MAX;
  Player->LastGenTime = GameTime;
  std::vector<int> announced;
  EXPECT_TRUE(Feed(1, 3000, &announced).empty());
  EXPECT_TRUE(announced.empty());
}

TEST_F(PlayerTest, ABoxHeldWhenTheLevelIsClearedIsReplacedByAFreshOne) {
  Player->Init();
  const Ref<TBlock> old = Player->box;
  TBlock::ClearBlocks();  // the next level's load
  EXPECT_EQ(Player->box, nullptr);
  EXPECT_TRUE(old->Deleted());
  Player->Init();
  ASSERT_NE(Player->box, nullptr);
  EXPECT_FALSE(Player->box->Deleted());
}

TEST_F(PlayerTest, AfterALossPauseAndResumeGiveNoControlBack) {
  Player->Init();
  RunFor(600);
  GameScreen->Over = 1;  // lost at the red line
  Player->enabled = 0;
  GameScreen->Pause(1);
  GameScreen->Pause(0);
  EXPECT_EQ(Player->enabled, 0);
  Click();
  EXPECT_NE(Player->box, nullptr) << "the box stays in the claw";
}

}  // namespace
}  // namespace player_test
