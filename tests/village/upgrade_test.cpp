// The buildings: the upgrade tree's file and companions, the tree's links,
// construction and what a finished building changes, the mouse test, the
// vacancy sign and the window lights.
#include "framework/files/log.h"
#include "framework/ui/mouse.h"
#include "village/upgrade_dialog.h"
#include "village_fixture.h"
#include "world/effects/blinker.h"

namespace kelp::village_test {
namespace {

const std::string kTree = "data/img/villages/desert/upgrades.xml";

class Upgrades_ : public VillageTest {
 protected:
  void SetUp() override {
    VillageTest::SetUp();
    for (const char* p : {"pic/hut.png", "pic/big.png", "pic/road.png"}) WritePicture(Here(p), 20, 10, 0xFF806040);
  }
  // A tree file of these lines after the root.
  void Tree(const std::string& lines, const std::string& root = "<upgrades>") {
    std::filesystem::create_directories(Here("data/img/villages/desert"));
    testenv::WriteFile(Here(kTree), root + "\n" + lines + "</upgrades>\n");
  }
  static std::string Line(const std::string& name, const std::string& more = "") {
    return "<upgrade path=\"pic/hut.png\" name=\"" + name + "\" " + more + "/>\n";
  }
  std::string LoadLogged() {
    std::filesystem::create_directories(Here("log"));
    EXPECT_TRUE(OpenLog(Here("log/")));
    TUpgrade::Load();
    CloseLog();
    return testenv::ReadFile(Here("log/log.xml"));
  }
};

TEST_F(Upgrades_, LoadsEveryLineIntoABuilding) {
  Tree("<!-- a comment before the first building -->\n" +
       Line("hut1", "x=\"10.5\" y=\"20\" cx=\"12.9\" cy=\"-3.5\" px=\"4\" py=\"2\" type=\"hut\" level=\"0\" id=\"7\" cost=\"150\" happiness=\"2.5\"") +
       Line("hut1b", "type=\"hut2\" parent=\"hut1\" level=\"3\"") + Line("inn", "type=\"tavern\"") +
       Line("spire", "type=\"tower\"") + Line("odd", "type=\"castle\"") +
       Line("walk", "type=\"road\" parent=\"hut1\" connected=\"1\""),
       "<!-- the desert -->\n<upgrades>");
  ASSERT_EQ(TUpgrade::Load(), 1);
  ASSERT_EQ(Upgrades.Count(), 6u);
  const Ref<TUpgrade> hut = TUpgrade::FindUpgrade("HUT1");
  ASSERT_TRUE(hut);
  EXPECT_EQ(hut->x, 10.5f);
  EXPECT_EQ(hut->y, 20.0f);
  EXPECT_EQ(hut->cx, 12);
  EXPECT_EQ(hut->cy, -3);
  EXPECT_EQ(hut->px, 4);
  EXPECT_EQ(hut->py, 2);
  EXPECT_EQ(hut->appear_level, 1);
  EXPECT_EQ(hut->appear_ID, 7);
  EXPECT_EQ(hut->cost, 150);
  EXPECT_EQ(hut->happiness, 2.5f);
  EXPECT_EQ(hut->w, 20);
  EXPECT_EQ(hut->h, 10);
  EXPECT_EQ(hut->name, "hut.png");
  EXPECT_EQ(hut->Hide, 1);
  EXPECT_EQ(hut->built, 0);
  struct Case {
    const char* name;
    int capacity, appear_level;
    const char* parent;
    int connected;
  };
  for (const Case c : {Case{"hut1", 2, 1, "", 0}, Case{"hut1b", 3, 4, "hut1", 0}, Case{"inn", 5, 1, "", 0},
                       Case{"spire", 4, 1, "", 0}, Case{"odd", 4, 1, "", 0}, Case{"walk", 4, 1, "hut1", 1}}) {
    SCOPED_TRACE(c.name);
    const Ref<TUpgrade> u = TUpgrade::FindUpgrade(c.name);
    ASSERT_TRUE(u);
    EXPECT_EQ(u->capacity, c.capacity);
    EXPECT_EQ(u->appear_level, c.appear_level);
    EXPECT_EQ(u->upgrade_parent, c.parent);
    EXPECT_EQ(u->upgrade_connected, c.connected);
  }
  int id = 0;
  for (const Ref<TUpgrade>& u : Upgrades) EXPECT_EQ(u->ID, ++id);
}

TEST_F(Upgrades_, KeepsWhatIsValidOfADamagedTree) {
  Tree(Line("a") + "<upgrade path=\"pic/missing.png\" name=\"gone\"/>\n" + Line("") + Line("A") +
       "<upgrade name=\"nopath\"/>\n" + Line("b") + "<other/>\n" + Line("after"));
  const std::string log = LoadLogged();
  std::vector<std::string> names;
  for (const Ref<TUpgrade>& u : Upgrades) names.push_back(u->upgrade_name);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b"})) << "no picture, no name, a repeated name, and all after another tag";
  EXPECT_NE(log.find("pic/missing.png does not load"), std::string::npos);
  EXPECT_NE(log.find("the repeated name"), std::string::npos);
  EXPECT_NE(log.find("reading ends at the tag"), std::string::npos);
}

TEST_F(Upgrades_, APlaceOrOffsetOutsideTheVillageIsLoggedAndZero) {
  Tree(Line("far", "x=\"1e87\" y=\"-1e40\" cx=\"2777777777777777\" cy=\"5\" px=\"-3000000\"") +
       Line("near", "x=\"-100000\" y=\"250.5\" cx=\"-7\" px=\"99999\""));
  const std::string log = LoadLogged();
  const Ref<TUpgrade> far = TUpgrade::FindUpgrade("far"), near = TUpgrade::FindUpgrade("near");
  ASSERT_TRUE(far && near);
  EXPECT_EQ(far->x, 0.0f);
  EXPECT_EQ(far->y, 0.0f);
  EXPECT_EQ(near->x, -100000.0f);
  EXPECT_EQ(near->y, 250.5f);
  EXPECT_EQ(far->cx, 0);
  EXPECT_EQ(far->cy, 5);
  EXPECT_EQ(far->px, 0);
  EXPECT_EQ(near->cx, -7);
  EXPECT_EQ(near->px, 99999);
  EXPECT_NE(log.find("\"far\": cx \"2777777777777777\" is no place in the village"), std::string::npos);
  EXPECT_NE(log.find("\"far\": x \"1e87\" is no place in the village"), std::string::npos);
  EXPECT_NE(log.find("\"far\": y \"-1e40\" is no place in the village"), std::string::npos);
}

TEST_F(Upgrades_, AMissingFileOrAWrongRootLeavesTheListAndIsLogged) {
  Tree(Line("a") + Line("b"));
  ASSERT_EQ(TUpgrade::Load(), 1);
  Tree(Line("c"), "<buildings>");
  std::string log = LoadLogged();
  EXPECT_EQ(Upgrades.Count(), 2u);
  EXPECT_NE(log.find("[Upgrades ERROR : Load] The file does not begin with upgrades tag!"), std::string::npos);
  std::filesystem::remove(Here(kTree));
  log = LoadLogged();
  EXPECT_EQ(Upgrades.Count(), 2u);
  EXPECT_NE(log.find("[Upgrades ERROR  :  Load] Failed to load the specified url!"), std::string::npos);
  CurrentVillage = 3;
  EXPECT_EQ(TUpgrade::Load(), 0) << "no file for another village";
}

TEST_F(Upgrades_, CompanionPicturesFollowTheMainPicturesName) {
  EXPECT_EQ(CompanionPath("a/b/hut.png", "_"), "a/b/hut_.png");
  EXPECT_EQ(CompanionPath("a/b/hut.png", "_light"), "a/b/hut_light.png");
  EXPECT_EQ(CompanionPath("a/b/hut.png", "_light_"), "a/b/hut_light_.png");
  EXPECT_EQ(CompanionPath("a/b/hut.png", "_shadow_"), "a/b/hut_shadow_.png");
  // masked main picture: alpha from the mask's blue; companions plain or masked
  WritePicture(Here("m/hut.png"), 8, 8, 0xFFFF0000);
  WritePicture(Here("m/hut_.png"), 8, 8, 0xFF000040);
  WritePicture(Here("m/hut_light.png"), 8, 8, 0x80FFFF00);
  WritePicture(Here("m/hut_over.png"), 4, 4, 0xFF00FF00);
  WritePicture(Here("m/hut_over_.png"), 4, 4, 0xFF0000C8);
  const Ref<TUpgrade> u = TUpgrade::Create("m/hut.png", 3, 4);
  ASSERT_TRUE(u);
  EXPECT_EQ(u->Image->Frame(0)->ReadPixel(1, 1) >> 24, 0x40u);
  EXPECT_EQ(u->Image->HandleX(), 0.0f) << "buildings are placed by their top-left corner";
  ASSERT_TRUE(u->Light);
  EXPECT_EQ(u->Light_speed, 0.008f);
  ASSERT_TRUE(u->Over);
  EXPECT_EQ(u->Over->Frame(0)->ReadPixel(0, 0) >> 24, 0xC8u);
  EXPECT_FALSE(u->Shadow);
  EXPECT_FALSE(u->Light2);
  EXPECT_FALSE(u->Banner);
  EXPECT_EQ(TUpgrade::Create("m/none.png", 0, 0), nullptr);
  EXPECT_EQ(Upgrades.Count(), 1u);
}

// ------------------------------------------------------------------ the tree

class Tree_ : public Upgrades_ {
 protected:
  void SetUp() override {
    Upgrades_::SetUp();
    Tree(Line("hut", "type=\"hut\" px=\"5\" py=\"1\"") + Line("hut2", "type=\"hut2\" parent=\"hut\" px=\"6\" py=\"1\"") +
         Line("path", "type=\"road\" parent=\"hut\" connected=\"1\"") +
         Line("paved", "type=\"road2\" parent=\"path\"") + Line("hutb", "type=\"hut\""));
    ASSERT_EQ(TUpgrade::Load(), 1);
    TUpgrade::FindParents();
  }
  Ref<TUpgrade> U(const char* n) { return TUpgrade::FindUpgrade(n); }
};

TEST_F(Tree_, AConnectedChildOfABuiltParentIsBuiltAtOnce) {
  EXPECT_EQ(U("hut2")->parent, U("hut"));
  EXPECT_EQ(U("paved")->parent, U("path"));
  EXPECT_EQ(U("path")->built, 0);
  U("hut")->built = 1;
  TUpgrade::FindParents();
  EXPECT_EQ(U("path")->built, 1);
  EXPECT_EQ(U("path")->Hide, 0);
  EXPECT_EQ(U("paved")->built, 0) << "a real upgrade waits to be bought";
}

TEST_F(Tree_, AFinishedUpgradeTakesOverItsParentsOccupantsWithTheirHouse) {
  const Ref<TUpgrade> hut = U("hut"), hut2 = U("hut2");
  hut->BuildStart();
  EXPECT_EQ(U("path")->building, 1) << "the connected road starts with its hut";
  hut->BuildFinish();
  U("path")->BuildFinish();
  const Ref<TVillageCreature> in = TVillageCreature::Create(0, 0, 2, 1);
  const Ref<TVillageCreature> out = TVillageCreature::Create(0, 0, 2, 2);
  ASSERT_EQ(in->IntoHouse(hut), 2);
  ASSERT_EQ(TUpgrade::SettleCreature(out, hut), 1);
  EXPECT_EQ(hut->smoke, 1);
  hut2->BuildStart();
  hut2->BuildFinish();
  EXPECT_EQ(hut->Hide, 1);
  EXPECT_EQ(hut->built, 1);
  EXPECT_TRUE(hut->CreatureList.IsEmpty());
  EXPECT_TRUE(hut->LivingCreatureList.IsEmpty());
  EXPECT_EQ(hut->smoke, 0);
  EXPECT_TRUE(hut2->CreatureList.Contains(in.get()));
  EXPECT_EQ(hut2->LivingCreatureList.Count(), 2u);
  EXPECT_EQ(in->Home(), hut2);
  EXPECT_EQ(out->Home(), hut2);
  EXPECT_EQ(in->House(), hut2) << "the one inside is in the new building, not the hidden one";
  EXPECT_EQ(hut2->smoke, 1);
  in->OuttaHouse();
  EXPECT_TRUE(hut2->CreatureList.IsEmpty());
  EXPECT_EQ(hut2->smoke, 0) << "the last one out puts the fire out";
  // the door of the replaced hut leads into its successor
  EXPECT_EQ(TUpgrade::FindDoorUpgrade("hut"), hut2);
  EXPECT_EQ(TUpgrade::FindDoorUpgrade("hut2"), hut2);
  EXPECT_EQ(TUpgrade::FindDoorUpgrade("hutb"), nullptr) << "not built";
}

TEST_F(Tree_, ARoadFinishedWhilePavingIsBoughtStartsItsPaving) {
  VillageScreen->Buildings[TVillageMode::ROADS] = 1;
  U("hut")->BuildStart();
  U("hut")->BuildFinish();
  EXPECT_EQ(U("path")->building, 1);
  U("path")->BuildFinish();
  EXPECT_EQ(U("paved")->building, 1);
  EXPECT_EQ(U("paved")->BuildStart(), 0) << "a building under construction is not started twice";
  U("paved")->BuildFinish();
  EXPECT_EQ(U("path")->Hide, 1);
  EXPECT_EQ(U("paved")->Hide, 0);
}

TEST_F(Tree_, ConstructionEndsWhenTheBlinkerDies) {
  const Ref<TUpgrade> hut = U("hut");
  hut->BuildStart();
  ASSERT_TRUE(hut->Blinker);
  EXPECT_EQ(hut->BuildStart(), 0);
  for (int i = 0; i < 5000 && !hut->built; ++i) {
    GameTime += 18;
    TVisuals::UpdateVisuals(1.0f);
    hut->Update(1.0f);
  }
  EXPECT_EQ(hut->built, 1);
  EXPECT_EQ(hut->building, 0);
  EXPECT_EQ(FinishedBuildCount, 1);
  EXPECT_EQ(hut->RentTime, hut->BuildingEndTime);
}

TEST_F(Tree_, EveryBuildingOfAClassShowsTheCountOfTheFirst) {
  struct Case {
    std::vector<const char*> built;
    int hut, hutb;
  };
  for (const Case& c : {Case{{"hut", "hutb"}, 2, 2}, Case{{"hut"}, 0, 0}, Case{{"hutb"}, 0, 0}, Case{{}, 0, 0}}) {
    for (const Ref<TUpgrade>& u : Upgrades) u->built = u->Hide = 0;
    for (const Ref<TUpgrade>& u : Upgrades) u->Hide = 1;
    for (const char* n : c.built) {
      U(n)->built = 1;
      U(n)->Hide = 0;
    }
    TUpgrade::CountBuilt();
    EXPECT_EQ(U("hut")->upgrade_count, c.hut);
    EXPECT_EQ(U("hutb")->upgrade_count, c.hutb);
  }
}

TEST_F(Tree_, ParasitesAndTheYetiGetNoHomes) {
  U("hut")->Hide = 0;
  U("hutb")->Hide = 0;
  const Ref<TVillageCreature> parasite = TVillageCreature::Create(0, 0, 2, TVillageCreature::PARAZITE);
  const Ref<TVillageCreature> yeti = TVillageCreature::Create(0, 0, 2, TVillageCreature::YETI);
  std::vector<Ref<TVillageCreature>> folk;
  for (int i = 0; i < 5; ++i) folk.push_back(TVillageCreature::Create(0, 0, 2, 1 + i % 5));
  TUpgrade::SettleAllCreatures();
  EXPECT_FALSE(parasite->Home());
  EXPECT_FALSE(yeti->Home());
  EXPECT_EQ(folk[0]->Home(), U("hut"));
  EXPECT_EQ(folk[1]->Home(), U("hut"));
  EXPECT_EQ(folk[2]->Home(), U("hutb"));
  EXPECT_EQ(folk[3]->Home(), U("hutb"));
  EXPECT_FALSE(folk[4]->Home()) << "both huts are full";
}

// ------------------------------------------------------------------ hover, sign, lights

class Hover_ : public Upgrades_ {
 protected:
  void SetUp() override {
    Upgrades_::SetUp();
    // main picture 20 x 10: alpha 100 on the left half, 101 on the right;
    // its "over" picture is 6 x 6 with alpha 200 in its top row only
    WritePicture(Here("h/house.png"), 20, 10, 0, [](int x, int) { return (x < 10 ? 100u : 101u) << 24 | 0x808080u; });
    WritePicture(Here("h/house_over.png"), 6, 6, 0, [](int, int y) { return y == 0 ? 0xC8FFFFFFu : 0u; });
    house_ = TUpgrade::Create("h/house.png", 100, 50);
    house_->class_ = "hut";
    house_->Hide = 0;
  }
  bool Hovers(int x, int y) {
    HoveredUpgrade = nullptr;
    TUpgrade::HoverUpgrade(x, y);
    return HoveredUpgrade == house_ && HoverActive == 1;
  }
  Ref<TUpgrade> house_;
};

TEST_F(Hover_, APixelMustBeMoreThanAlmostClear) {
  EXPECT_TRUE(Hovers(115, 55));    // alpha 101
  EXPECT_EQ(HoverOffsetX, 15);
  EXPECT_EQ(HoverOffsetY, 5);
  EXPECT_TRUE(Hovers(120, 60)) << "edges included";
  EXPECT_FALSE(Hovers(121, 55));
  EXPECT_TRUE(Hovers(102, 50)) << "alpha 100 in the picture, but 200 in the over picture's top row";
  EXPECT_FALSE(Hovers(102, 52)) << "alpha 100 and a clear over pixel";
  // past the over picture's 6 pixels the offset is clamped into it: its
  // right column, row 0 (opaque); row 5 (clear) further down
  EXPECT_TRUE(Hovers(109, 50));
  EXPECT_FALSE(Hovers(109, 58));
  for (const char* c : {"road", "road2", "center", "bridge"}) {
    house_->class_ = c;
    EXPECT_FALSE(Hovers(115, 55)) << c;
  }
  house_->class_ = "hut";
  house_->Hide = 1;
  EXPECT_FALSE(Hovers(115, 55)) << "hidden";
}

TEST_F(Hover_, NothingIsHoveredWhileTheVillageIsBusy) {
  const std::vector<std::function<void(bool)>> busy = {
      [](bool on) { VillageScreen->ParaziteMode = on; },
      [](bool on) { VillageScreen->UserInputEnable = !on; },
      [](bool on) { VillageScreen->Scroll_dx = on ? 1.0f : 0.0f; },
      [](bool on) { HoverCreature = on ? TVillageCreature::Create(0, 0, 1, 1) : nullptr; },
      [](bool on) {
        VillageScreen->UpgradeDialog = New<TUpgradeDialog>();
        VillageScreen->UpgradeDialog->Visible = on;
      },
  };
  for (size_t i = 0; i < busy.size(); ++i) {
    SCOPED_TRACE(i);
    busy[i](true);
    EXPECT_FALSE(Hovers(115, 55));
    busy[i](false);
    EXPECT_TRUE(Hovers(115, 55));
  }
}

TEST_F(Hover_, TheVacancySignWaitsTwoSecondsAfterTheBuildIsDone) {
  house_->RentTime = GameTime - 2000;
  house_->Update(1.0f);
  EXPECT_EQ(house_->RentState, 0);
  house_->RentTime = GameTime - 2001;
  house_->Update(1.0f);
  EXPECT_EQ(house_->RentState, 1);
  for (int i = 0; i < 170; ++i) house_->Update(1.0f);
  EXPECT_EQ(house_->RentState, 2) << "grown to full size";
  for (int i = 0; i < 200; ++i) house_->Update(1.0f);
  EXPECT_GE(house_->RentScale, 0.55f);
  EXPECT_LE(house_->RentScale, 0.65f);
}

TEST_F(Hover_, WindowsLightUpAtNightWhileSomeoneIsIn) {
  WritePicture(Here("h/house_light.png"), 20, 10, 0xFFFFFF00);
  const Ref<TUpgrade> lit = TUpgrade::Create("h/house.png", 0, 0);
  lit->class_ = "hut";
  ASSERT_TRUE(lit->Light);
  const auto run = [&](int ms) {
    for (int t = 0; t < ms; t += 18) {
      GameTime += 18;
      lit->Update(1.0f);
    }
  };
  VillageScreen->DayTime = TVillageMode::NIGHT;
  run(5000);
  EXPECT_EQ(lit->Light_state, 0) << "nobody inside";
  lit->CreatureList.AddLast(TVillageCreature::Create(0, 0, 1, 1));
  run(2200);  // the first change waits 500..2000 ms
  EXPECT_GT(lit->Light_state, 0);
  run(3000);
  EXPECT_GE(lit->Light_alpha, 0.79f);
  VillageScreen->DayTime = TVillageMode::DAY;
  run(8000);
  EXPECT_EQ(lit->Light_state, 0);
  EXPECT_LT(lit->Light_alpha, 0.0f + 0.01f);
  // the centre lights up at night with nobody inside
  lit->CreatureList.Clear();
  lit->class_ = "center";
  VillageScreen->DayTime = TVillageMode::EVENING2;
  GameTime += 18;
  lit->Update(1.0f);
  EXPECT_EQ(lit->Light_state, 1);
}

}  // namespace
}  // namespace kelp::village_test
