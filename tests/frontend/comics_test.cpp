// The intro comic on a set game clock: pages turn in order on their own time
// and their text's, skip and close from any page, a focus loss (real time
// running on) changes nothing, and the stone-dropping scene of page 9 runs to
// its flash, even when its files are missing.
#include "frontend/comics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/files/text_file.h"
#include "framework/media/fade.h"
#include "framework/media/visuals.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget.h"
#include "frontend/comics_level.h"
#include "play/dialog_printer.h"
#include "play/dialog_texts.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "test_font.h"
#include "world/block.h"
#include "world/resource_bindings.h"

namespace kelp {
namespace {

namespace fs = std::filesystem;

// Pages 5 and 8 have no text at all; the others one or two short phrases.
std::string ComicDialogs() {
  std::string text;
  for (int page = 1; page <= 11; ++page) {
    if (page == 5 || page == 8) continue;
    text += "<Dialog id=" + std::to_string(3000 + page) + ">\n<Redrice>page " + std::to_string(page) +
            "</Redrice>" + (page % 2 ? "<Ello>more</Ello>" : "") + "\n</Dialog>\n";
  }
  return text;
}

class Comic : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = fs::current_path();
    fs::current_path(KELP_DATA_ROOT);  // the scene's files
    testsupport::ResetFrontendRooms();
    InitWidgetManager();
    GameTime = 100000;
    FontComics = testsupport::MakeFont();
    Mouse = New<TMouse>();
    ScreenFade = New<TFade>();
    ScreenFade->Constant = 1;
    VisualsList.AddLast(ScreenFade);
    TextStream text(ComicDialogs(), TextFileReader::UTF8);
    LoadDialogs(text);
    comic = ShowComics(1);
  }
  void TearDown() override {
    comic = nullptr;
    testsupport::ResetFrontendRooms();
    fs::current_path(old_);
  }

  void Frame() {
    GameTime += 18;
    WidgetManager->Update(1.0f);
    Mouse->Bt1Hit = 0;
  }
  int PageId() const { return comic->CurrentPage ? comic->CurrentPage->id : 0; }
  // Frames until the page changes (or the comic leaves); the game time it took.
  int RunPage(int limit = 5000) {
    const int page = PageId(), start = GameTime;
    for (int i = 0; i < limit && PageId() == page && !comic->hiding; ++i) Frame();
    return GameTime - start;
  }
  void Click() { Mouse->Bt1Hit = 1; }
  // Clicks three times, a little over two seconds apart, once the band is open.
  void DropTheStones(TComicsLevel& level) {
    for (int i = 0; i < 2000 && level.width < 600; ++i) Frame();
    ASSERT_EQ(level.width, 600);
    for (int n = 0; n < 3; ++n) {
      for (int i = 0; i < 120; ++i) Frame();
      Click();
      Frame();
    }
  }
  bool InManager(const TWidget* w) const { return WidgetManager->Contains(w); }

  Ref<TComics> comic;
  fs::path old_;
};

TEST_F(Comic, PagesTurnInOrderAfterTheirTimeAndTheirText) {
  ASSERT_EQ(PageId(), 1);
  std::vector<int> seen{1};
  for (int page = 1; page < 9; ++page) {
    const int life = comic->CurrentPage->life_time;
    const int took = RunPage();
    seen.push_back(PageId());
    EXPECT_GE(took, life) << "page " << page;
    // A page with text waits for it, a page without turns on its own time.
    EXPECT_LT(took, life + 6000) << "page " << page;
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  // Page 9 is the scene; the buttons are away while it runs.
  ASSERT_TRUE(comic->Level);
  EXPECT_FALSE(comic->ButtonSkip->Visible);
  EXPECT_FALSE(comic->ButtonClose->Visible);
}

TEST_F(Comic, SkipHurriesThenShowsTheNextPhraseThenTurnsThePage) {
  for (int i = 0; i < 40; ++i) Frame();  // the first phrase is on screen
  ASSERT_TRUE(comic->Dialog->Phrase);
  EXPECT_EQ(comic->Dialog->Phrase->Content.substr(0, 6), "page 1");
  comic->DePress(TComics::ButtonSkip_ID);  // still typing: four times faster, once
  EXPECT_EQ(comic->Dialog->skipped, 1);
  for (int i = 0; i < 20; ++i) Frame();
  ASSERT_TRUE(comic->Dialog->PhrasePrinter->done);
  comic->DePress(TComics::ButtonSkip_ID);  // typed: the next phrase
  EXPECT_EQ(comic->Dialog->Phrase->Content.substr(0, 4), "more");
  for (int i = 0; i < 40; ++i) Frame();
  ASSERT_TRUE(comic->Dialog->PhrasePrinter->done);
  comic->DePress(TComics::ButtonSkip_ID);  // the last one, typed: the page turns at once
  Frame();
  EXPECT_EQ(PageId(), 2);
}

TEST_F(Comic, SkipOnAPageWithoutTextDoesNothingAndThePageStillTurns) {
  for (int page = 1; page < 5; ++page) RunPage();
  ASSERT_EQ(PageId(), 5);
  for (int i = 0; i < 60; ++i) Frame();
  comic->DePress(TComics::ButtonSkip_ID);
  Frame();
  EXPECT_EQ(PageId(), 5);
  EXPECT_GE(RunPage(), 7000 - 62 * 18);
  EXPECT_EQ(PageId(), 6);
}

class ComicClose : public Comic, public ::testing::WithParamInterface<int> {};

TEST_P(ComicClose, LeavesOnceTheFadeIsUp) {
  const int page = GetParam();
  while (PageId() < page) {
    if (!comic->Level) {
      RunPage();
      continue;
    }
    DropTheStones(*comic->Level);  // page 9 hands over to the scene
    for (int i = 0; i < 2000 && comic->Level; ++i) Frame();
  }
  ASSERT_EQ(PageId(), page);
  comic->DePress(TComics::ButtonClose_ID);
  EXPECT_FALSE(InManager(comic->ButtonClose.get()));
  EXPECT_FALSE(InManager(comic->Dialog.get()));
  int frames = 0;
  while (InManager(comic.get()) && frames < 100) Frame(), ++frames;
  EXPECT_FALSE(InManager(comic.get()));
  // 0.04 a frame unit, stepped twice a frame: about a dozen frames.
  EXPECT_LE(frames, 15);
}

INSTANTIATE_TEST_SUITE_P(Pages, ComicClose, ::testing::Values(1, 3, 10, 11));

TEST_F(Comic, RealTimeRunningOnDuringAFocusLossTurnsNoPage) {
  testenv::FakeClock clock;
  for (int i = 0; i < 100; ++i) Frame();
  const Ref<TDialogPhrase> phrase = comic->Dialog->Phrase;
  clock.Advance(120000);  // the game was paused: game time stood still
  for (int i = 0; i < 5; ++i) Frame();
  EXPECT_EQ(PageId(), 1);
  EXPECT_EQ(comic->Dialog->Phrase, phrase);
}

TEST_F(Comic, StonesFallThePushedCreatureLandsAndTheFlashTurnsToPageTen) {
  while (!comic->Level) RunPage();
  Ref<TComicsLevel> level = comic->Level;
  ASSERT_TRUE(level->Brownie && level->Ello && level->Redrice);
  DropTheStones(*level);
  EXPECT_EQ(level->clicks, 3);
  EXPECT_NE(level->Time, 0);
  EXPECT_TRUE(level->Stone01 && level->Stone02 && level->Stone03);
  for (int i = 0; i < 2000 && comic->Level; ++i) Frame();
  EXPECT_FALSE(comic->Level);
  EXPECT_EQ(level->state, 4);
  EXPECT_EQ(PageId(), 10);
  EXPECT_TRUE(comic->ButtonSkip->Visible);
  EXPECT_EQ(comic->CurrentPage->width, 600);
}

TEST_F(Comic, TheSceneComesToRestWithEveryBodyInSight) {
  auto level = TComicsLevel::Create();
  for (int i = 0; i < 200; ++i) level->Update(1.0f);
  for (int n = 0; n < 3; ++n) {
    for (int i = 0; i < 130; ++i) GameTime += 18, level->Update(1.0f);
    Mouse->Bt1Hit = 1;
    GameTime += 18;
    level->Update(1.0f);
    Mouse->Bt1Hit = 0;
  }
  for (int i = 0; i < 1500; ++i) GameTime += 18, level->Update(1.0f);
  for (const auto& p : level->Physics.Particles) {
    ASSERT_TRUE(std::isfinite(p->x) && std::isfinite(p->y));
    EXPECT_GT(p->x, -60);
    EXPECT_LT(p->x, 860);
    EXPECT_LT(p->y, 545);
    // At rest: the centres stand still (corners on the sand keep a small jitter).
    if (p->name == "center") EXPECT_LT(std::hypot(p->x - p->ox, p->y - p->oy), 0.5f) << p->x << "," << p->y;
  }
  EXPECT_TRUE(level->BrownieTouched());
}

TEST_F(Comic, ClicksTooCloseTogetherCountOnce) {
  auto level = TComicsLevel::Create();
  for (int i = 0; i < 300; ++i) GameTime += 18, level->Update(1.0f);
  ASSERT_EQ(level->width, 600);
  for (int n = 0; n < 3; ++n) {
    Mouse->Bt1Hit = 1;
    GameTime += 300;
    level->Update(1.0f);
  }
  Mouse->Bt1Hit = 0;
  EXPECT_EQ(level->clicks, 1);
}

TEST_F(Comic, WithoutItsFilesTheSceneStillEndsAfterTheThirdClick) {
  testenv::TempDir empty;
  fs::current_path(empty.path());
  while (!comic->Level) RunPage();
  Ref<TComicsLevel> level = comic->Level;
  EXPECT_FALSE(level->Brownie);
  DropTheStones(*level);
  for (int i = 0; i < 400 && comic->Level; ++i) Frame();
  EXPECT_FALSE(comic->Level);
  EXPECT_EQ(PageId(), 10);
}

TEST_F(Comic, ThePageTurnsWhenAPushedCreatureTouchesNothing) {
  while (!comic->Level) RunPage();
  Ref<TComicsLevel> level = comic->Level;
  DropTheStones(*level);
  level->Brownie->Group->class_ = TBlock::COMIC_BOX;  // as if it flew clear of everything
  for (int i = 0; i < 1000 && comic->Level; ++i) {
    if (level->Brownie) level->Brownie->Group->class_ = TBlock::COMIC_BOX;
    Frame();
  }
  EXPECT_FALSE(comic->Level);
}

}  // namespace
}  // namespace kelp
