// The story dialog of a level on a set game clock: its phrases in order, the
// fade between speakers, skip and close, the tutorial hints of the first
// level, and what it tells the level when it closes.
#include "play/dialog_game.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/files/text_file.h"
#include "framework/media/visuals.h"
#include "framework/ui/widget.h"
#include "platform/input.h"
#include "play/dialog_printer.h"
#include "play/dialog_texts.h"
#include "play/game.h"
#include "play/tutorial.h"
#include "reset_rooms.h"
#include "test_font.h"
#include "world/resource_bindings.h"

namespace kelp {
namespace {

// The level screen, as far as a dialog reaches it.
class LevelThatListens : public TGame {
 public:
  void StartText() override { ++started; }
  void EndText() override { ++ended; }
  int started = 0, ended = 0;
};

const char* const kDialogs =
    "<Dialog id=1004>\n"
    "<Redrice>one</Redrice><Redrice>two</Redrice><Ello>three</Ello><Ello>four</Ello>"
    "<Redrice>five</Redrice><Ello>six</Ello><Redrice>seven</Redrice><Ello>eight</Ello>\n"
    "</Dialog>\n"
    "<Dialog id=1006>\n"
    "<Redrice>a</Redrice><Ello>b</Ello>\n"
    "</Dialog>\n"
    "<Dialog id=1007>\n"
    "no phrase by a level speaker <Orbus>hm</Orbus>\n"
    "</Dialog>\n";

class LevelDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetPlayRooms();
    platform::ResetInput();
    InitWidgetManager();
    GameTime = 50000;
    FontComic = testsupport::MakeFont();
    TextStream text(kDialogs, TextFileReader::UTF8);
    LoadDialogs(text);
    level = New<LevelThatListens>();
    level->Stage = 1;
    level->Round = 1;
    GameScreen = level;
    TutorialHint = New<TTutorial>();
  }
  void TearDown() override {
    level = nullptr;
    testsupport::ResetPlayRooms();
    platform::ResetInput();
  }

  // One frame of 18 ms: the widgets, then the effects list (the level's part).
  void Frame() {
    GameTime += 18;
    WidgetManager->Update(1.0f);
    TVisuals::UpdateVisuals(1.0f);
  }
  // Frames until the dialog shows another phrase (or ends); the phrase's text.
  std::string NextShown(TDialogGame& d, int limit = 2000) {
    const Ref<TDialogPhrase> was = d.Dialog->Phrase;
    for (int i = 0; i < limit && d.Dialog->Phrase == was && !d.Dialog->Death; ++i) Frame();
    return d.Dialog->Phrase ? d.Dialog->Phrase->Content : "";
  }
  bool Listed(const Ref<TWidget>& w) const { return WidgetManager->Contains(w.get()); }

  Ref<LevelThatListens> level;
};

TEST_F(LevelDialog, ShowsThePhrasesInOrderThenStartsTheLevel) {
  const Ref<TDialogGame> d = TDialogGame::Create(1004, 1500, 1);
  ASSERT_TRUE(d);
  EXPECT_TRUE(Listed(d));
  EXPECT_EQ(d->Modal, 0) << "the level behind runs on, paused";
  Frame();
  EXPECT_EQ(level->Paused, 1) << "the level is held from the first frame";
  EXPECT_FALSE(d->Dialog->Phrase) << "nothing before the delay";
  std::vector<std::string> shown = {NextShown(*d)};
  while (!d->Dialog->Death) shown.push_back(NextShown(*d));
  shown.pop_back();  // the end
  EXPECT_EQ(shown, (std::vector<std::string>{"one ", "two ", "three ", "four ", "five ", "six ", "seven ", "eight "}));
  EXPECT_EQ(level->started, 1);
  EXPECT_FALSE(Listed(d));
  EXPECT_FALSE(Listed(d->ButtonSkip));
}

TEST_F(LevelDialog, TheSameSpeakerGoesOnAtOnceAndAChangeFadesTheCloud) {
  const Ref<TDialogGame> d = TDialogGame::Create(1004, 0, 1);
  NextShown(*d);  // "one" by Redrice
  const Ref<TDialogPrinter> first = d->Dialog->PhrasePrinter;
  EXPECT_EQ(first->chars.First()->time, 300 + 40) << "a new speaker starts 300 ms late";
  for (int i = 0; i < 200 && d->Dialog->alpha < 1.0f; ++i) Frame();
  EXPECT_EQ(NextShown(*d), "two ");
  EXPECT_EQ(d->Dialog->alpha, 1.0f) << "the same speaker: no fade";
  EXPECT_EQ(d->Dialog->PhrasePrinter->chars.First()->time, 40);
  EXPECT_EQ(first->Death, 1) << "the old printer leaves the effects list";
  // "three" is Ello's: the cloud fades out first (at 0.03 a frame unit), then in.
  const int born = d->Dialog->Phrase->BirthTime, time = d->Dialog->Phrase->Time;
  while (GameTime <= born + time) Frame();
  int fading = 0;
  while (d->Dialog->Author == "Redrice") {
    Frame();
    ++fading;
  }
  EXPECT_NEAR(fading, 34, 2);
  EXPECT_EQ(d->Dialog->alpha, 0.0f);
  EXPECT_EQ(d->Dialog->Phrase->Content, "three ");
}

TEST_F(LevelDialog, SkipHurriesThenMovesOnAndCloseEndsIt) {
  const Ref<TDialogGame> d = TDialogGame::Create(1004, 0, 3);
  NextShown(*d);
  Frame();
  const int before = d->Dialog->PhrasePrinter->chars.Last()->time;
  d->DePress(TDialogGame::ButtonSkip_ID);
  EXPECT_EQ(d->Dialog->PhrasePrinter->chars.Last()->time, before / 4) << "first press: typing four times faster";
  EXPECT_EQ(d->Dialog->Phrase->Content, "one ");
  for (int i = 0; i < 100 && !d->Dialog->PhrasePrinter->done; ++i) Frame();
  platform::InjectKey(platform::VK_SPACE, true);  // the space bar is the skip button
  Frame();
  platform::InjectKey(platform::VK_SPACE, false);
  EXPECT_EQ(d->Dialog->Phrase->Content, "two ") << "second press, once typed: the next phrase";

  d->DePress(TDialogGame::ButtonClose_ID);
  EXPECT_NE(d->Dialog->Death, 0);
  EXPECT_FALSE(Listed(d));
  EXPECT_TRUE(d->Dialog->Phrases.IsEmpty());
  EXPECT_EQ(level->ended, 1) << "kind 3 tells the level EndText";
  EXPECT_EQ(level->started, 0);
  d->DePress(TDialogGame::ButtonClose_ID);
  EXPECT_EQ(level->ended, 1) << "closing twice reports once";
}

TEST_F(LevelDialog, ButtonsShowOnlyWhileTheCloudIsWhole) {
  const Ref<TDialogGame> d = TDialogGame::Create(1006, 0, 2);
  NextShown(*d);
  EXPECT_FALSE(d->ButtonSkip->Visible);
  for (int i = 0; i < 200 && d->Dialog->alpha < 1.0f; ++i) Frame();
  Frame();
  EXPECT_TRUE(d->ButtonSkip->Visible);
  EXPECT_TRUE(d->ButtonClose->Visible);
  EXPECT_EQ(d->ButtonSkip->_x, 45 + 150);
  EXPECT_EQ(d->ButtonSkip->_y, 365);
  while (d->Dialog->Author == "Redrice") Frame();
  Frame();
  EXPECT_FALSE(d->ButtonSkip->Visible) << "hidden while the cloud fades";
  while (!d->Dialog->Death) Frame();
  EXPECT_EQ(level->started + level->ended, 0) << "kind 2: the level watches Death itself";
}

TEST_F(LevelDialog, AMissingTextShowsNoDialog) {
  EXPECT_FALSE(TDialogGame::Create(1005, 1500, 1)) << "an id between defined ones";
  EXPECT_FALSE(TDialogGame::Create(4000, 1500, 1)) << "an id past the table";
  ResetPlayGlobals();  // no file read at all
  EXPECT_FALSE(TDialogGame::Create(1004, 1500, 1));
}

TEST_F(LevelDialog, ATextWithoutLevelSpeakersEndsAtOnceAndStillReports) {
  const Ref<TDialogGame> d = TDialogGame::Create(1007, 100, 1);
  ASSERT_TRUE(d);
  Frame();
  EXPECT_EQ(level->started, 0) << "not before the delay";
  for (int i = 0; i < 10; ++i) Frame();
  EXPECT_NE(d->Dialog->Death, 0);
  EXPECT_EQ(level->started, 1);
}

TEST_F(LevelDialog, TheFirstLevelPointsAtThingsByPhrase) {
  struct Case {
    int mode;
    std::vector<std::string> hinted;  // phrases shown with a new arrow
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {TGameState::NORMAL, {"three ", "five ", "six ", "seven "},
       {"one ", "two ", "three ", "four ", "five ", "six ", "seven ", "eight "}},
      {TGameState::RELAXED, {"three ", "six ", "seven "},
       {"one ", "two ", "three ", "four ", "six ", "seven ", "eight "}},  // no clock: no word of it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    level->GameMode = c.mode;
    TutorialHint = New<TTutorial>();
    const Ref<TDialogGame> d = TDialogGame::Create(1004, 0, 1);
    std::vector<std::string> hinted, shown;
    Ref<TArrow> arrow;
    while (true) {
      const std::string phrase = NextShown(*d);
      if (d->Dialog->Death) break;
      shown.push_back(phrase);
      if (TutorialHint->Arrow != arrow) {
        arrow = TutorialHint->Arrow;
        hinted.push_back(phrase);
        EXPECT_EQ(TutorialHint->id, 2);
      }
    }
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(hinted, c.hinted);
    EXPECT_EQ(TutorialHint->state, 2) << "the last hint goes when the dialog ends";
  }
}

}  // namespace
}  // namespace kelp
