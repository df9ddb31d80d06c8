// The red line: a box that stays above it too long loses the level; the
// level's pauses never count.
#include "box_scene.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "platform/mixer.h"
#include "world/effects/alarm.h"

using namespace kelp;
using namespace box_test;

namespace {

class RedLineTest : public BoxScene {
 protected:
  void SetUp() override {
    BoxScene::SetUp();
    GameScreen->Alarm = TAlarm::Create(1, 0.01f);
  }

  // A box pinned above the line (at 220: the world's line plus 20).
  Ref<TBlock> HighBox() {
    return MakeBox({.cls = TBlock::RED, .x = 380, .y = 150, .pinned = true});
  }

  // Runs 10 ms frames until the level is lost or `limit` ms have passed;
  // the game time that passed.
  static int RunUntilLost(int limit) {
    int t = 0;
    while (t < limit && !GameScreen->Over) {
      Frame(10);
      t += 10;
    }
    return t;
  }
};

}  // namespace

TEST_F(RedLineTest, ABoxAboveTheLineLosesTheLevelAfterEightSeconds) {
  auto b = HighBox();
  Frame(10);
  const int start = GameTime;
  EXPECT_EQ(b->State, TBlock::OUCH);
  EXPECT_EQ(RedLine->Pimpo->Paused, 0) << "the marker runs while a box is above the line";
  EXPECT_EQ(RedLine->Pimpo->UpdTime, start);
  EXPECT_EQ(GameScreen->Alarm->paused, 1);

  RunUntilLost(3990);
  EXPECT_EQ(GameScreen->Alarm->paused, 1) << "no alarm before 4 s";
  RunUntilLost(20);
  EXPECT_EQ(GameScreen->Alarm->paused, 0) << "the alarm from 4 s";
  EXPECT_EQ(GameScreen->Over, 0);

  RunUntilLost(10000);
  const int lost = GameTime - start;
  EXPECT_GT(lost, 8000);
  EXPECT_LE(lost, 8010);
  EXPECT_EQ(GameScreen->Over, 1);
  EXPECT_EQ(GameScreen->Timer, GameTime);
  EXPECT_EQ(Player->enabled, 0);
  EXPECT_EQ(b->CriticalTime, 0);
  EXPECT_EQ(FlyingText(), "Too high");

  RunFor(10000);
  EXPECT_EQ(FlyingText(), "Too high") << "the level is lost once";
}

TEST_F(RedLineTest, PausesDoNotCountTowardsTheLine) {
  struct Case {
    const char* name;
    int pauseBefore;  // ms paused before the box rises, 0 for none
    int pauseAt;      // ms above the line when a pause begins, -1 for none
    int pauseLength;
  };
  const Case cases[] = {
      {"no pause", 0, -1, 0},
      {"a pause while above", 0, 3000, 5000},
      {"a long pause while above", 0, 7000, 60000},
      {"a pause earlier in the round", 10000, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    if (c.pauseBefore) {
      Pause();
      RunFor(c.pauseBefore);
      Resume();
      RunFor(500);
    }
    auto b = HighBox();
    Frame(10);
    int above = 0;  // unpaused ms above the line
    if (c.pauseAt >= 0) {
      RunUntilLost(c.pauseAt);
      above += c.pauseAt;
      Pause();
      RunUntilLost(c.pauseLength);
      EXPECT_EQ(GameScreen->Over, 0) << "nothing is lost while paused";
      Resume();
    }
    above += RunUntilLost(20000);
    EXPECT_EQ(GameScreen->Over, 1);
    EXPECT_GT(above, 8000 - 10);
    EXPECT_LE(above, 8010);
  }
}

TEST_F(RedLineTest, DroppingBelowTheLineRestartsTheCount) {
  auto b = HighBox();
  Frame(10);
  RunFor(6000);
  b->Position(380, 450, 1);
  Frame(10);
  EXPECT_EQ(b->CriticalTime, 0);
  EXPECT_EQ(RedLine->Pimpo->Paused, 1);
  EXPECT_EQ(RedLine->Pimpo->Frame, 0);
  b->Position(380, 150, 1);
  Frame(10);
  const int lost = RunUntilLost(20000);
  EXPECT_GT(lost, 8000 - 10);
  EXPECT_LE(lost, 8010);
}

TEST_F(RedLineTest, HeldAndSkippedBoxesNeverLose) {
  auto held = HighBox();
  held->Released = 0;
  RunFor(10000);
  EXPECT_EQ(GameScreen->Over, 0) << "the box in the claw is not in play";
  held->Released = 1;
  GameScreen->SkipRound = 1;
  RunFor(10000);
  EXPECT_EQ(GameScreen->Over, 0) << "a skipped round";
}

TEST_F(RedLineTest, TheWarningSoundsFromThreeSecondsUntilTheLoss) {
  platform::Mixer mixer;
  UseSoundMixer(&mixer);
  auto res = New<TResSound>();
  ResManager->ResAddData("", "SOUND_REDLINE_WARNING", res, "test");
  res->Data = std::make_shared<platform::Sound>(441000, 44100);  // ten seconds
  const platform::Sound* warning = std::get<platform::SoundRef>(res->Data).get();
  auto playing = [&] {
    int n = 0;
    for (const auto& s : ActiveSounds)
      if (s->Sound.get() == warning && s->Channel && s->Channel->Playing()) ++n;
    return n;
  };

  HighBox();
  Frame(10);
  RunUntilLost(2980);
  EXPECT_EQ(playing(), 0) << "quiet for the first three seconds";
  RunUntilLost(30);
  EXPECT_EQ(playing(), 1) << "the warning from three seconds";
  RunUntilLost(2000);
  EXPECT_EQ(playing(), 1) << "not started again while it plays";
  RunUntilLost(10000);
  EXPECT_EQ(GameScreen->Over, 1);
  EXPECT_EQ(playing(), 0) << "the loss stops it";
  ResetSound();  // the sounds let go of the mixer before it goes
  UseSoundMixer(nullptr);
}
