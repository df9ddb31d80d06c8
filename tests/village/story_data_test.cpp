// The village story against the authored data set: every dialog the story
// opens has a speaker with a portrait (an empty one would end at once and
// lose its words), and the two that award on their third phrase have one.
#include <gtest/gtest.h>

#include <set>

#include "../../tools/village_view/village_view.h"
#include "play/dialog_phrase.h"
#include "play/dialog_texts.h"

namespace {

using namespace kelp;

TEST(StoryData, EveryVillageDialogHasARealSpeaker) {
  ASSERT_TRUE(village_view::Open(KELP_DATA_ROOT, false)) << "no data set in " << KELP_DATA_ROOT;
  LoadDialogs();
  const int ids[] = {1001, 1002, 1003, 1007, 1008, 1011, 1014, 1015, 1016, 1019, 1020, 1021, 1024, 1025,
                     1028, 1029, 1030, 1031, 1032, 1037, 1038, 1041, 1042, 1043, 1044, 1047, 1048, 1051,
                     2001, 2002, 2003, 2004, 2005, 2009, 2010, 2011, 2013, 2014, 2016, 2017, 2018, 2019,
                     2020, 2021, 2022, 2024, 2025, 2026, 2027, 2028, 2032, 2034, 2040};
  for (const int id : ids) {
    ObjectList<TDialogPhrase> phrases;
    SplitPhrases(DialogText(id), VillageSpeakers(), phrases);
    std::set<std::string> speakers;
    int real = 0;
    for (const Ref<TDialogPhrase>& p : phrases) {
      speakers.insert(p->Author);
      if (p->Author != "Empty") ++real;
    }
    EXPECT_GT(real, 0) << "dialog " << id;
    EXPECT_LE(speakers.size(), 6u) << "dialog " << id;
    if (id == 1024 || id == 1047) EXPECT_GE(phrases.Count(), 3) << "dialog " << id;
  }
  village_view::Close();
}

}  // namespace
