// Trophies: the table's start flags, awarding with the portal stones taking
// each other's place, and the awards of the village dialogs by stage and phrase.
#include <gtest/gtest.h>

#include "village/dialog_village.h"
#include "village/trophy.h"
#include "village_fixture.h"

namespace kelp::village_test {

namespace {

class TrophyTest : public VillageTest {
 protected:
  void SetUp() override {
    VillageTest::SetUp();
    TTrophy::LoadTrophies();
  }
  static int Enabled(const char* name) { return TTrophy::Get(name)->enabled; }
  static int Hidden(const char* name) { return TTrophy::Get(name)->hide; }
};

TEST_F(TrophyTest, TwelveTrophiesEachOnItsOwnLayerTheKeyOwnedFromTheStart) {
  ASSERT_EQ(Trophies.Count(), 12);
  int bit = 2;
  for (const Ref<TTrophy>& t : Trophies) {
    EXPECT_EQ(t->id, bit) << t->name;
    EXPECT_EQ(t->enabled, t->name == "key" ? 1 : 0) << t->name;
    bit <<= 1;
  }
  TTrophy::LoadClear();
  for (const Ref<TTrophy>& t : Trophies) EXPECT_EQ(t->enabled, 0) << t->name;
  EXPECT_EQ(Hidden("stone_02"), 1);
  EXPECT_EQ(Hidden("stone_03"), 1);
  EXPECT_EQ(Hidden("stone_01"), 0);
}

TEST_F(TrophyTest, EachStoneTakesThePlaceOfTheOneBefore) {
  ASSERT_EQ(TTrophy::Enable("stone_01"), 1);
  EXPECT_EQ(Hidden("stone_01"), 0);
  TTrophy::Enable("stone_02");
  EXPECT_EQ(Hidden("stone_01"), 1);
  EXPECT_EQ(Hidden("stone_02"), 0);
  TTrophy::Enable("stone_03");
  EXPECT_EQ(Hidden("stone_02"), 1);
  EXPECT_EQ(Hidden("stone_03"), 0);
  EXPECT_EQ(Enabled("stone_03"), 1);
}

TEST_F(TrophyTest, NamesIgnoreCaseAndAnUnknownNameAwardsNothing) {
  EXPECT_EQ(TTrophy::Enable("Armor"), 1);
  EXPECT_EQ(Enabled("armor"), 1);
  EXPECT_EQ(TTrophy::Get("crown"), nullptr);
  EXPECT_EQ(TTrophy::Enable("crown"), 0);
}

// Every award the dialogs make: in its stage, dialog and phrase, and not in another stage.
TEST_F(TrophyTest, EveryDialogAwardNamesATrophyOfTheShelf) {
  struct Award {
    int stage, dialog, phrase;
    const char* name;
  };
  const Award awards[] = {{4, 1014, 1, "key"},     {6, 1020, 1, "clover"},       {7, 1024, 3, "message"},
                          {9, 1028, 1, "stone_01"}, {10, 1030, 1, "stone_02"},   {11, 1031, 1, "stone_03"},
                          {15, 1038, 1, "zep_drawing"}, {17, 1047, 3, "engine_stone"}, {20, 2011, 1, "retort"},
                          {23, 2014, 1, "ring"},    {31, 2022, 1, "ray"}};
  TTrophy::LoadClear();
  for (const Award& a : awards) {
    const auto t = TDialogVillage::TrophyOf(a.stage, a.dialog, a.phrase);
    ASSERT_FALSE(t.first.empty()) << a.dialog;
    EXPECT_TRUE(TDialogVillage::TrophyOf(a.stage + 1, a.dialog, a.phrase).first.empty()) << a.dialog;
    EXPECT_TRUE(TDialogVillage::TrophyOf(a.stage, a.dialog, a.phrase + 1).first.empty()) << a.dialog;
    ASSERT_EQ(TTrophy::Enable(t.second), 1) << t.second;
    EXPECT_EQ(Enabled(a.name), 1) << a.name;
  }
  // All but the armour (the last stage's gift) come from the dialogs.
  int owned = 0;
  for (const Ref<TTrophy>& t : Trophies) owned += t->enabled;
  EXPECT_EQ(owned, 11);
}

}  // namespace

}  // namespace kelp::village_test
