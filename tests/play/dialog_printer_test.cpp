// The dialog printer: the markup turned into tags, the wrapping and placing
// of the characters against the font's measured widths, and their timed
// reveal on a set game clock.
#include "play/dialog_printer.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/media/bmfont.h"
#include "reset_rooms.h"

namespace kelp {
namespace {

// A font without pictures: letters 10 wide, 'W' 20, the blank 5; lines 20 high.
Ref<TBMFont> MeasuredFont() {
  auto f = New<TBMFont>();
  f->Height = 20;
  for (int code = 32; code < 127; ++code) {
    auto c = New<TBMChar>();
    c->id = code;
    c->xadvance = code == ' ' ? 5 : code == 'W' ? 20 : 10;
    f->Chars.push_back(c);
  }
  f->CharCount = static_cast<int>(f->Chars.size());
  return f;
}

class Printer : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetPlayRooms();
    GameTime = 10000;
    font = MeasuredFont();
  }
  void TearDown() override { testsupport::ResetPlayRooms(); }

  Ref<TDialogPrinter> Print(const std::string& content, int width = 220, int centred = 0, int delay = 0) {
    phrase = TDialogPhrase::Create(content, "Ello");
    return TDialogPrinter::Create(100.0f, 50.0f, phrase, width, centred, 1, font, delay);
  }
  static std::string Text(const TDialogPrinter& p) {
    std::string s;
    for (const auto& c : p.chars) s += c->char_;
    return s;
  }
  static std::vector<std::tuple<int, int, int>> Tags(const TDialogPrinter& p) {
    std::vector<std::tuple<int, int, int>> t;
    for (const auto& tag : p.tags) t.emplace_back(tag->mode, tag->pos_in, tag->pos_out);
    return t;
  }
  // The characters of each placed line, by their y.
  static std::vector<std::string> Lines(const TDialogPrinter& p) {
    std::vector<std::string> lines;
    int y = -1;
    for (const auto& c : p.chars) {
      if (c->y != y) lines.emplace_back();
      y = c->y;
      lines.back() += c->char_;
    }
    return lines;
  }

  Ref<TBMFont> font;
  Ref<TDialogPhrase> phrase;
};

TEST_F(Printer, FiveLettersRevealFortyMillisecondsApartAndLastTheirTime) {
  const auto p = Print("abcde", 220, 0, 300);
  EXPECT_EQ(phrase->Content, "abcde ");
  EXPECT_EQ(phrase->Time, 6 * 70 + 1000);
  ASSERT_EQ(p->chars.Count(), 6u);
  int n = 0;
  for (const auto& c : p->chars) {
    ++n;
    EXPECT_EQ(c->time, 300 + 40 * n) << "character " << n;
    EXPECT_EQ(c->id, n);
    EXPECT_EQ(c->y, 50);
  }
  EXPECT_EQ(p->chars.ValueAt(2)->x, 120);  // placed by the measured widths
  EXPECT_TRUE(VisualsList.Contains(p.get()));
  EXPECT_EQ(p->Drawable, 0);
}

TEST_F(Printer, MarkupBecomesTagsAndTimes) {
  struct Case {
    const char* what;
    const char* content;
    const char* text;  // the processed phrase
    std::vector<std::tuple<int, int, int>> tags;
    int time;  // the phrase's time
  };
  const Case cases[] = {
      {"a red word colours its letters, not the blanks", "a <Red>big</Red> cat", "a big cat ", {{2, 3, 6}}, 10 * 70 + 1000},
      {"adjacent spans", "<Blue>ab</Blue><Green>cd</Green>", "abcd ", {{1, 1, 3}, {8, 3, 5}}, 5 * 70 + 1000},
      {"a pause stays in the list only until its character is placed", "ab<Pause>cd", "abcd ", {}, 5 * 70 + 800 + 1000},
      {"a pause inside a span does not move the span's start", "<Sky>a<Pause>b</Sky>", "ab ", {{6, 1, 3}},
       3 * 70 + 800 + 1000},
      {"two pauses count twice", "a<Pause><Pause>b", "ab ", {}, 3 * 70 + 1600 + 1000},
      {"another colour inside an open span stays text", "<Red>a<Blue>b</Red>", "a<Blue>b ", {{2, 1, 9}},
       9 * 70 + 1000},
      {"an unclosed span leaves no tag and later colour tags print", "<Red>ab <Green>c</Green>", "ab <Green>c</Green> ",
       {}, 20 * 70 + 1000},
      {"tags of other names are text", "<Bold>a</Bold>", "<Bold>a</Bold> ", {}, 15 * 70 + 1000},
      {"a line break is a character of the time but has no number", "ab\\n<Red>c</Red>", "abc ", {{2, 3, 4}},
       5 * 70 + 1000},
      {"an empty phrase is one blank", "", " ", {}, 70 + 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto p = Print(c.content, 1000);
    EXPECT_EQ(Text(*p), c.text);
    EXPECT_EQ(Tags(*p), c.tags);
    EXPECT_EQ(phrase->Time, c.time);
  }
}

TEST_F(Printer, EachPauseDelaysItsCharacter) {
  const auto p = Print("ab<Pause>cde");
  EXPECT_EQ(p->chars.ValueAt(2)->time - p->chars.ValueAt(1)->time, 840);
  const auto q = Print("a<Pause><Pause>b");
  EXPECT_EQ(q->chars.ValueAt(1)->time - q->chars.ValueAt(0)->time, 40 + 1600);
}

TEST_F(Printer, TheNameGoesInAsPlainTextAfterTheMarkup) {
  CurrentPlayerName = [] { return std::string("<Red>Al\\n<Pause>"); };
  const auto p = Print("Hi <Name> <Green>x</Green>", 1000);
  EXPECT_EQ(phrase->Content, "Hi <Red>Al\\n<Pause> x ");
  EXPECT_EQ(Lines(*p).size(), 1u) << "the name's \\n is no line break";
  // The span behind the name moved by the name's length.
  EXPECT_EQ(Tags(*p), (std::vector<std::tuple<int, int, int>>{{8, 21, 22}}));
  EXPECT_EQ(p->chars.ValueAt(20)->char_, "x");
}

TEST_F(Printer, WrapsAtTheLastBlankBeforeTheWordThatReachesTheWidth) {
  // Words 40 wide and blanks 5: the fifth word's third letter makes
  // 210 + 10 >= 220 (its own width counted twice), so the line ends after four words.
  const auto p = Print("aaaa bbbb cccc dddd eeee ffff");
  const std::vector<std::string> lines = Lines(*p);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "aaaa bbbb cccc dddd");
  EXPECT_EQ(lines[1].substr(0, 4), "eeee");
  EXPECT_EQ(p->chars.ValueAt(19)->x, 100);  // 'e' starts the second line at x
  EXPECT_EQ(p->chars.ValueAt(19)->y, 70);   // one line height down
  EXPECT_EQ(p->chars.ValueAt(19)->id, 20);  // the line break took the blank's place and has no number

  // A word alone on a line is never broken.
  EXPECT_EQ(Lines(*Print("WWWWWWWWWWWWWWWW", 100))[0], "WWWWWWWWWWWWWWWW ");
}

TEST_F(Printer, TagsBehindAWrapMoveBackByOne) {
  // "x aa bb": width 60 wraps after "aa" (the blank is character 5).
  const auto crossing = Print("x <Red>aa bb</Red>", 60);
  EXPECT_EQ(Lines(*crossing), (std::vector<std::string>{"x aa", "bb "}));
  // The span ends at the trailing blank, now character 7.
  EXPECT_EQ(Tags(*crossing), (std::vector<std::tuple<int, int, int>>{{2, 3, 7}}));
  crossing->Draw();
  EXPECT_EQ(crossing->mode, 0) << "the span is closed at the end of the text, so the next frame starts uncoloured";

  // A pause written at the blank where the line breaks waits before the wrapped word.
  const auto atBlank = Print("x aa<Pause> bb", 60);
  EXPECT_EQ(atBlank->chars.ValueAt(4)->char_, "b");
  EXPECT_EQ(atBlank->chars.ValueAt(4)->time - atBlank->chars.ValueAt(3)->time, 840);
}

TEST_F(Printer, CentredLinesAreCentredByTheirOwnWidth) {
  const auto p = Print("aaaa bbbb cccc dddd eeee ab", 220, 1);
  const auto lines = Lines(*p);
  ASSERT_EQ(lines.size(), 2u);
  // x + width / 2 = 210; the first line is 4 x 40 + 3 x 5 = 175 wide, the
  // second "eeee ab " 70 (its trailing blank counts).
  EXPECT_EQ(p->chars.First()->x, 122);
  EXPECT_EQ(p->chars.ValueAt(19)->x, 175);
}

TEST_F(Printer, RevealsOnTheClockAndSkipHurriesTheRest) {
  const auto p = Print("abcd", 220, 0, 0);  // reveals at 40, 80, 120, 160, 200
  GameTime += 41;
  p->Update(1.0f);
  EXPECT_EQ(p->chars.ValueAt(0)->visible, 1);
  EXPECT_EQ(p->chars.ValueAt(1)->visible, 0);
  EXPECT_EQ(p->done, 0);
  p->Skip();  // 80, 120, 160, 200 become 20, 30, 40, 50: all due now
  EXPECT_EQ(p->chars.ValueAt(4)->time, 50);
  GameTime += 10;
  p->Update(1.0f);
  for (const auto& c : p->chars) EXPECT_EQ(c->visible, 1);
  EXPECT_EQ(p->done, 0) << "done is seen one update after the last reveal";
  p->Update(1.0f);
  EXPECT_EQ(p->done, 1);
}

}  // namespace
}  // namespace kelp
