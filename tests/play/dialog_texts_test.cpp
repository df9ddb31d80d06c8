// The story-dialog texts file and the splitting of a dialog into phrases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/files/text_file.h"
#include "play/dialog_phrase.h"
#include "play/dialog_texts.h"
#include "reset_rooms.h"

namespace kelp {
namespace {

class DialogFile : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::ResetPlayRooms(); }
  void TearDown() override { testsupport::ResetPlayRooms(); }
  static void Load(const std::string& text) {
    ResetPlayGlobals();
    TextStream stream(text, TextFileReader::UTF8);
    LoadDialogs(stream);
  }
};

struct FileCase {
  const char* what;
  const char* file;
  int count;                                     // entries of the table
  std::vector<std::pair<int, std::string>> has;  // dialog id: text
};

TEST_F(DialogFile, ReadsEveryFixtureIntoTheRightEntries) {
  const FileCase cases[] = {
      {"two blocks with a gap: the gap is empty",
       "comment\n<Dialog id=1001>\n<Ello>one</Ello>\n</Dialog>\n<Dialog id=1003>\n<Ello>three</Ello>\n</Dialog>\n",
       3,
       {{1001, "<Ello>one</Ello>"}, {1002, ""}, {1003, "<Ello>three</Ello>"}}},
      {"lines join with nothing between; the tag lines give nothing else",
       "<Dialog id=1001> lost\n<Redrice>Hel\nlo</Redrice>\nx</Dialog>\n",
       1,
       {{1001, "<Redrice>Hello</Redrice>"}}},
      {"out of order: a smaller id after a larger one keeps both",
       "<Dialog id=1005>\nfive\n</Dialog>\n<Dialog id=1002>\ntwo\n</Dialog>\n",
       5,
       {{1005, "five"}, {1002, "two"}}},
      {"an opener without '>' is skipped and never overwrites the block before",
       "<Dialog id=1002>\ntwo\n</Dialog>\n<Dialog id=1003\nbroken\n</Dialog>\n<Dialog id=1004>\nfour\n</Dialog>\n",
       4,
       {{1002, "two"}, {1003, ""}, {1004, "four"}}},
      {"ids 0, negative, quoted, below 1001, not numbers and far too large are skipped",
       "<Dialog id=0>\na\n</Dialog>\n<Dialog id=-1005>\nb\n</Dialog>\n<Dialog id=\"1001\">\nc\n</Dialog>\n"
       "<Dialog id=1000>\nd\n</Dialog>\n<Dialog id=12ab>\ne\n</Dialog>\n<Dialog id=2147483647>\nf\n</Dialog>\n"
       "<Dialog id= +1001 >\nkept\n</Dialog>\n",
       1,
       {{1001, "kept"}}},
      {"a block still open at the end is dropped",
       "<Dialog id=1001>\nfirst\n</Dialog>\n<Dialog id=1002>\nnever closed\n",
       1,
       {{1001, "first"}, {1002, ""}}},
      {"a later block of the same id replaces the earlier one",
       "<Dialog id=1001>\nold\n</Dialog>\n<Dialog id=1001>\nnew\n</Dialog>\n",
       1,
       {{1001, "new"}}},
      {"an empty file leaves the single empty entry", "", 1, {{1001, ""}}},
      {"ids up to 11000 make the table, larger ones are skipped",
       "<Dialog id=11000>\nlast\n</Dialog>\n<Dialog id=11001>\npast\n</Dialog>\n",
       10000,
       {{11000, "last"}, {11001, ""}, {1001, ""}}},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.file);
    EXPECT_EQ(DialogTexts.Count(), c.count);
    for (const auto& [id, text] : c.has) EXPECT_EQ(DialogText(id), text) << "dialog " << id;
  }
}

TEST_F(DialogFile, LookupsOutsideTheTableGiveAnEmptyText) {
  Load("<Dialog id=1001>\none\n</Dialog>\n");
  for (const int id : {-5, 0, 1000, 1002, 99999, 2147483647}) EXPECT_EQ(DialogText(id), "") << id;
}

// The phrases of one dialog text, as (speaker, content) in order.
std::vector<std::pair<std::string, std::string>> Split(const std::string& text,
                                                       const std::vector<std::string>& speakers) {
  ObjectList<TDialogPhrase> phrases;
  SplitPhrases(text, speakers, phrases);
  std::vector<std::pair<std::string, std::string>> out;
  int id = 0;
  for (const Ref<TDialogPhrase>& p : phrases) {
    EXPECT_EQ(p->id, ++id) << "phrases are numbered 1, 2, 3 in text order";
    out.emplace_back(p->Author, p->Content);
  }
  return out;
}

using Phrases = std::vector<std::pair<std::string, std::string>>;

TEST(DialogPhrases, SplitsByTheSpeakersOfTheDialogKind) {
  struct Case {
    const char* what;
    const char* text;
    bool village;
    Phrases want;
  };
  const Case cases[] = {
      {"stray words between phrases are ignored",
       "<Redrice>Hi</Redrice> stray words <Ello>Yo</Ello>",
       false,
       {{"Redrice", "Hi"}, {"Ello", "Yo"}}},
      {"Orbus speaks in a village dialog only", "<Orbus>Hm</Orbus><Ello>Yes</Ello>", false, {{"Ello", "Yes"}}},
      {"Orbus in a village dialog", "<Orbus>Hm</Orbus><Ello>Yes</Ello>", true, {{"Orbus", "Hm"}, {"Ello", "Yes"}}},
      {"an unclosed phrase is dropped", "<Ello>one</Ello><Redrice>never closed", false, {{"Ello", "one"}}},
      {"another speaker's tag inside a phrase is its text and opens nothing later",
       "<Redrice>say <Ello> twice</Redrice><Redrice>next</Redrice>",
       false,
       {{"Redrice", "say <Ello> twice"}, {"Redrice", "next"}}},
      {"markup stays in the content for the typing-out",
       "<Ello><Red>red</Red><Pause> \\n <Name></Ello>",
       false,
       {{"Ello", "<Red>red</Red><Pause> \\n <Name>"}}},
      {"speaker tags are case-sensitive", "<ello>no</ello><Ello>yes</Ello>", false, {{"Ello", "yes"}}},
      {"an empty text has no phrases", "", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Split(c.text, c.village ? VillageSpeakers() : LevelSpeakers()), c.want);
  }
}

TEST(DialogPhrases, StartTimeIsSeventyPerCharacterPlusASecond) {
  PhraseCounter = 5;
  const Ref<TDialogPhrase> p = TDialogPhrase::Create("h\xC3\xA9llo", "Ello");  // five characters, six bytes
  EXPECT_EQ(p->id, 6);
  EXPECT_EQ(p->Time, 5 * 70 + 1000);
  PhraseCounter = 0;
}

TEST(DialogPhrases, PaceMovesOnOnceAPhraseHasHadItsTimeFadingOnlyBeforeAnotherSpeaker) {
  struct Case {
    const char* what;
    int now;                  // the phrase on screen came at 1000 and lasts 500
    std::vector<const char*> speakers;  // of the phrases left, the one on screen first; none: no phrase
    float alpha;
    float wantAlpha;
    int wantNext;
    const char* wantNextAuthor;
  };
  const Case cases[] = {
      {"within its time the cloud fades in", 1500, {"Ello", "Redrice"}, 0.5f, 0.53f, 0, "-"},
      {"the fade in stops at full", 1200, {"Ello"}, 0.99f, 1.0f, 0, "-"},
      {"no phrase: only the fade in", 9000, {}, 0.2f, 0.23f, 0, "-"},
      {"the same speaker goes on at once at full", 1501, {"Ello", "Ello"}, 0.4f, 1.0f, 1, "Ello"},
      {"another speaker: the cloud fades out first", 1501, {"Ello", "Redrice"}, 0.5f, 0.47f, 0, "Redrice"},
      {"faded out: the other speaker's phrase comes at 0", 1600, {"Ello", "Redrice"}, 0.02f, 0.0f, 1, "Redrice"},
      {"the last phrase fades out before the talk ends", 1600, {"Ello"}, 0.01f, 0.0f, 1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ObjectList<TDialogPhrase> phrases;
    for (const char* s : c.speakers) phrases.AddLast(TDialogPhrase::Create("text", s));
    const Ref<TDialogPhrase> phrase = phrases.First();
    if (phrase) {
      phrase->BirthTime = 1000;
      phrase->Time = 500;
    }
    GameTime = c.now;
    float alpha = c.alpha;
    std::string nextAuthor = "-";
    int next = 0;
    // As the village's next phrase does, the next phrase starts at 0.
    PacePhrases(phrase.get(), phrases, "Ello", nextAuthor, alpha, 0.03f, 1.0f, [&] {
      ++next;
      alpha = 0.0f;
    });
    EXPECT_NEAR(alpha, c.wantAlpha, 1e-6f);
    EXPECT_EQ(next, c.wantNext);
    EXPECT_EQ(nextAuthor, c.wantNextAuthor);
  }
  GameTime = 0;
  PhraseCounter = 0;
}

}  // namespace
}  // namespace kelp
