// The block file: round trips, the class and armour encoding, level
// substitutions and bad input; the box body and the colour draw.
#include <algorithm>
#include <cmath>

#include "box_scene.h"
#include "framework/core/debug_output.h"
#include "platform/stream.h"
#include "test_env.h"
#include "world/trolley.h"

using namespace kelp;
using namespace box_test;

namespace {

class BlockFile : public BoxScene {
 protected:
  void SetUp() override {
    BoxScene::SetUp();
    SetDebugOutputHook([this](const std::string& m) { messages_.push_back(m); });
  }

  static int LoadText(const std::string& text) {
    return TBlock::LoadBlocks(platform::OpenMemory(std::vector<uint8_t>(text.begin(), text.end())));
  }

  static std::string BlockLine(const std::string& attrs, float x = 300, float y = 400) {
    auto num = [](float v) { return std::to_string(v); };
    std::string s = "  <block " + attrs + ">\n";
    for (const char* name : {"UpRight", "UpLeft", "DownRight", "DownLeft"}) {
      const bool right = name[0] == 'U' ? name[2] == 'R' : name[4] == 'R';
      const bool down = name[0] == 'D';
      s += std::string("      <") + name + " x=\"" + num(x + (right ? 17.6f : -17.6f)) + "\" y=\"" +
           num(y + (down ? 17.6f : -17.6f)) + "\" static=\"0\"/>\n";
    }
    s += "      <Center x=\"" + num(x) + "\" y=\"" + num(y) + "\" static=\"0\"/>\n  </block>\n";
    return s;
  }

  bool Said(const std::string& part) const {
    for (const auto& m : messages_)
      if (m.find(part) != std::string::npos) return true;
    return false;
  }

  std::vector<std::string> messages_;
};

}  // namespace

TEST_F(BlockFile, TheBodyIsASquareOfFiveParticlesAndTenConstraints) {
  auto b = TBlock::Create(300, 200, 0, 0);
  TPhysEngine_Group& g = *b->Group;
  EXPECT_EQ(g.name, "box");
  EXPECT_EQ(g.docollisions, 1);
  EXPECT_EQ(g.selfcollision, 0);
  EXPECT_EQ(b->DownRight, b->Align);
  EXPECT_EQ(b->Center->name, "center");
  EXPECT_FLOAT_EQ(b->Align->mass, 0.8f);
  EXPECT_FLOAT_EQ(b->Center->radius, 48.0f);
  EXPECT_FLOAT_EQ(b->UpLeft->radius, 16.0f);
  EXPECT_EQ(b->Center->sticky, 1);
  EXPECT_EQ(b->Center->dusty, 0);
  EXPECT_EQ(b->UpRight->dusty, 1);
  int count = 0, named28 = 0;
  for (auto c = g.frstc.get(); c; c = c->nxt.get()) {
    ++count;
    named28 += c->name == "constraint(28)";
    const float dx = c->p2->x - c->p1->x, dy = c->p2->y - c->p1->y;
    EXPECT_NEAR(c->length, std::sqrt(dx * dx + dy * dy), 0.001f) << c->name;
  }
  EXPECT_EQ(count, 10);
  EXPECT_EQ(named28, 3);
  // Placed on its centre, at rest.
  EXPECT_FLOAT_EQ(b->Center->x, 300.0f);
  EXPECT_FLOAT_EQ(b->Center->y, 200.0f);
  EXPECT_FLOAT_EQ(b->Center->ox, 300.0f);
  EXPECT_EQ(BlockList.Last(), b);
}

TEST_F(BlockFile, ClassValuesCarryTheArmourInTrailingDigits) {
  struct Case {
    int value, class_, armor;
  };
  const Case cases[] = {{7, 7, 0}, {70, 7, 1}, {700, 7, 2}, {11, 11, 0}, {90, 9, 1},
                        {12, 1, 1}, {3000, 3, 3}, {1, 1, 0}, {8, 8, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    auto b = TBlock::Create(300, 200, 0, 0);
    b->class_ = c.value;
    b->SetClass();
    EXPECT_EQ(b->class_, c.class_);
    EXPECT_EQ(b->armor, c.armor);
    EXPECT_EQ(b->max_armor, c.armor);
    EXPECT_EQ(b->Group->class_, c.class_);
  }
}

TEST_F(BlockFile, SavedBoxesLoadBackAsTheyWere) {
  testenv::TempDir dir;
  auto trolley = New<TTrolley>();
  trolley->ID = 2;
  Trolleys.AddLast(trolley);

  auto red = MakeBox(TBlock::RED * 10, 250, 300);
  auto chest = MakeBox(TBlock::BONUS, 320, 420);
  chest->bonus_class = TBlock::CHEST_02;
  chest->Money = 250;
  auto yeti = MakeBox(TBlock::BOSS, 400, 360);
  yeti->boss_class = TBlock::YETI;
  yeti->armor = 13;
  auto sky = MakeBox(TBlock::SKY * 100, 470, 480);
  sky->UpLeft->static_ = 1;
  trolley->AddBlock(sky);
  auto held = MakeBox(TBlock::GREEN, 390, 100);
  held->Released = 0;
  Frames(5);  // let them move off their round numbers

  struct Snapshot {
    int class_, armor, bonus_class, boss_class, money, trolley;
    float scale;
    std::vector<float> xy;
    std::vector<int> pins;
  };
  auto snap = [](const TBlock& b) {
    Snapshot s{b.class_, b.armor, b.bonus_class, b.boss_class, b.Money, TTrolley::TrolleyBlock(&b), b.scale, {}, {}};
    for (const auto& p : {b.UpRight, b.UpLeft, b.DownRight, b.DownLeft, b.Center}) {
      s.xy.push_back(p->x);
      s.xy.push_back(p->y);
      s.pins.push_back(p->static_);
    }
    return s;
  };
  std::vector<Snapshot> before;
  for (const auto& b : {red, chest, yeti, sky}) before.push_back(snap(*b));

  ASSERT_EQ(TBlock::SaveBlocks(dir / "level001_blocks"), 1) << "\".xml\" is added to a path without a dot";
  const std::string text = testenv::ReadFile(dir / "level001_blocks.xml");
  EXPECT_EQ(text.substr(0, 10), "<blocks>\r\n");
  EXPECT_NE(text.find("  <block class=\"10\" bonus_class=\"0\" boss_class=\"0\" money=\"0\" scale=\"0.550000012\" "
                      "trolley=\"0\">\r\n      <UpRight x=\""),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("class=\"700\""), std::string::npos) << "armour written back into the class";
  EXPECT_NE(text.find("class=\"11\" bonus_class=\"0\" boss_class=\"2\""), std::string::npos);
  EXPECT_NE(text.find("trolley=\"2\""), std::string::npos);

  TBlock::ClearBlocks();
  trolley->Blocks.Clear();
  ASSERT_EQ(TBlock::LoadBlocks(dir / "level001_blocks.xml"), 1);
  ASSERT_EQ(Count(), 4) << "the box in the claw is not saved";
  std::vector<Snapshot> after;
  for (const auto& b : BlockList) {
    EXPECT_EQ(b->Released, 1);
    EXPECT_EQ(b->Group->Released, 1);
    EXPECT_EQ(b->Group->class_, b->class_);
    after.push_back(snap(*b));
  }
  for (size_t i = 0; i < before.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(after[i].class_, before[i].class_);
    EXPECT_EQ(after[i].bonus_class, before[i].bonus_class);
    EXPECT_EQ(after[i].boss_class, before[i].boss_class);
    EXPECT_EQ(after[i].money, before[i].money);
    EXPECT_EQ(after[i].trolley, before[i].trolley);
    EXPECT_EQ(after[i].scale, before[i].scale);
    EXPECT_EQ(after[i].xy, before[i].xy) << "nine digits keep every float";
    EXPECT_EQ(after[i].pins, before[i].pins);
  }
  EXPECT_EQ(after[0].armor, 1);
  EXPECT_EQ(after[2].armor, 20) << "a boss loads with the armour of its kind";
  EXPECT_EQ(after[3].armor, 2);
  EXPECT_FLOAT_EQ(BlockList.First()->UpLeft->radius, 16.0f * 0.55f) << "the body is scaled as loaded";
}

TEST_F(BlockFile, ACopyIsTheSameBoxInPlay) {
  struct Case {
    int fileClass, bonus_class, boss_class, money;
    float scale;
  };
  const Case cases[] = {{TBlock::RED * 100, 0, 0, 0, 0.55f},
                        {TBlock::BONUS * 10, TBlock::CHEST_01, 0, 40, 0.55f},
                        {TBlock::BOSS, 0, TBlock::ELITE, 0, 1.2f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileClass);
    auto b = MakeBox(c.fileClass, 300, 400);
    b->bonus_class = c.bonus_class;
    b->boss_class = c.boss_class;
    b->Group->boss_class = c.boss_class;
    b->Money = c.money;
    b->scale = c.scale;
    b->UpLeft->static_ = 1;
    b->Released = 0;
    auto copy = b->Copy();
    EXPECT_EQ(copy->class_, b->class_);
    EXPECT_EQ(copy->armor, b->armor);
    EXPECT_EQ(copy->bonus_class, c.bonus_class);
    EXPECT_EQ(copy->boss_class, c.boss_class);
    EXPECT_EQ(copy->Group->boss_class, c.boss_class);
    EXPECT_EQ(copy->Money, c.money);
    EXPECT_EQ(copy->scale, c.scale);
    EXPECT_FLOAT_EQ(copy->Center->radius, 48.0f * c.scale);
    EXPECT_EQ(copy->Released, 1);
    EXPECT_EQ(copy->Group->Released, 1);
    EXPECT_EQ(copy->UpLeft->static_, 1);
    EXPECT_EQ(copy->Center->x, b->Center->x);
    EXPECT_EQ(copy->DownLeft->y, b->DownLeft->y);
    EXPECT_EQ(copy->Center->WaterDrop, 1);
  }
}

TEST_F(BlockFile, SomeLevelsSwapTheirTimeFreezeBoxes) {
  struct Case {
    int gameType, level;
    int class_, bonus_class, armor, money;
  };
  const Case cases[] = {{1, 50, TBlock::RED, 0, 1, 0},
                        {1, 51, TBlock::GREEN, 0, 1, 0},
                        {1, 56, TBlock::BONUS, TBlock::CHEST_01, 1, 100},
                        {1, 61, TBlock::BLUE, 0, 2, 0},
                        {1, 52, TBlock::BONUS, TBlock::TIME_FREEZE, 0, 0},
                        {2, 56, TBlock::BONUS, TBlock::TIME_FREEZE, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.gameType << "/" << c.level);
    TBlock::ClearBlocks();
    GameScreen->GameType = c.gameType;
    GameScreen->Level = c.level;
    ASSERT_EQ(LoadText("<blocks>\n" + BlockLine("class=\"9\" bonus_class=\"6\" scale=\"0.55\"") + "</blocks>\n"), 1);
    ASSERT_EQ(Count(), 1);
    const auto& b = *BlockList.First();
    EXPECT_EQ(b.class_, c.class_);
    EXPECT_EQ(b.bonus_class, c.bonus_class);
    EXPECT_EQ(b.armor, c.armor);
    EXPECT_EQ(b.max_armor, c.armor);
    EXPECT_EQ(b.Money, c.money);
    EXPECT_EQ(b.Group->class_, c.class_);
  }
}

TEST_F(BlockFile, ABrownieLineMakesTheLevelsBrownie) {
  ASSERT_EQ(LoadText("<blocks>\n" + BlockLine("class=\"11\" boss_class=\"6\" scale=\"1.2\"") + "</blocks>\n"), 1);
  ASSERT_EQ(Count(), 1);
  EXPECT_EQ(BrownieBlock.lock(), BlockList.First());
  EXPECT_EQ(BlockList.First()->armor, 52);
  EXPECT_EQ(BlockList.First()->Group->boss_class, 6);
}

TEST_F(BlockFile, BadLinesAreSkippedAndTheRestLoads) {
  struct Case {
    const char* name;
    std::string attrs;
    bool loads;
    const char* message;  // part of the debug line, or ""
  };
  const Case cases[] = {
      {"no class", "scale=\"0.55\"", false, "without a valid class"},
      {"class zero", "class=\"0\" scale=\"0.55\"", false, "without a valid class"},
      {"negative class", "class=\"-30\" scale=\"0.55\"", false, "without a valid class"},
      {"class not a number", "class=\"red\" scale=\"0.55\"", false, "without a valid class"},
      {"unknown bonus", "class=\"9\" bonus_class=\"12\" scale=\"0.55\"", false, "unknown kind 12"},
      {"bonus without kind", "class=\"9\" scale=\"0.55\"", false, "unknown kind 0"},
      {"unknown boss", "class=\"11\" boss_class=\"99\" scale=\"0.55\"", false, "unknown kind 99"},
      {"boss without kind", "class=\"11\" scale=\"0.55\"", true, ""},
      {"no scale", "class=\"2\"", true, "usable scale"},
      {"negative scale", "class=\"2\" scale=\"-1\"", true, "usable scale"},
      {"huge scale", "class=\"2\" scale=\"1e30\"", true, "usable scale"},
      {"nan scale", "class=\"2\" scale=\"nan\"", true, "usable scale"},
      {"unknown trolley", "class=\"2\" scale=\"0.55\" trolley=\"7\"", true, ""},
      {"huge armour", "class=\"2000000000\" scale=\"0.55\"", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBlock::ClearBlocks();
    messages_.clear();
    const std::string file = "<blocks>\n" + BlockLine("class=\"4\" scale=\"0.55\"", 250, 400) +
                             BlockLine(c.attrs, 350, 400) + BlockLine("class=\"5\" scale=\"0.55\"", 450, 400) +
                             "</blocks>\n";
    ASSERT_EQ(LoadText(file), 1);
    ASSERT_EQ(Count(), c.loads ? 3 : 2);
    EXPECT_EQ(BlockList.First()->class_, 4);
    EXPECT_EQ(BlockList.Last()->class_, 5);
    EXPECT_FLOAT_EQ(BlockList.Last()->Center->x, 450.0f) << "the lines after a bad one are read";
    if (*c.message) {
      EXPECT_TRUE(Said(c.message)) << c.message;
    } else {
      EXPECT_TRUE(messages_.empty());
    }
    for (const auto& b : BlockList) {
      EXPECT_GT(b->scale, 0.0f);
      EXPECT_LE(b->scale, 4.0f);
    }
    // A frame with what loaded runs without trouble.
    Frames(2);
    for (const auto& b : BlockList) EXPECT_TRUE(std::isfinite(b->RenderX) && std::isfinite(b->RenderY));
  }
  // The boss without its kind draws a health bar of nothing.
  TBlock::ClearBlocks();
  ASSERT_EQ(LoadText("<blocks>\n" + BlockLine("class=\"11\" scale=\"0.55\"") + "</blocks>\n"), 1);
  EXPECT_EQ(BlockList.First()->max_armor, 0);
  TBlock::DrawBlocks();
}

TEST_F(BlockFile, OddFilesLoadWhatTheyCanAndReportTheRest) {
  struct Case {
    const char* name;
    std::string text;
    int result, boxes;
    const char* message;
  };
  const Case cases[] = {
      {"empty", "", 0, 0, "does not begin with a blocks tag"},
      {"other root", "<world>\n" + BlockLine("class=\"2\" scale=\"0.55\""), 0, 0, "does not begin with a blocks tag"},
      {"children first", "<blocks>\n<Center x=\"1\" y=\"2\" static=\"1\"/>\n" + BlockLine("class=\"2\" scale=\"0.55\""),
       1, 1, ""},
      {"cut short", "<blocks>\n  <block class=\"3\" scale=\"0.55\">\n      <UpRight x=\"3", 1, 1, ""},
      {"unknown tag ends it", "<blocks>\n" + BlockLine("class=\"2\" scale=\"0.55\"") + "<junk/>\n" +
                                  BlockLine("class=\"3\" scale=\"0.55\""),
       1, 1, ""},
      {"far position", "<blocks>\n  <block class=\"3\" scale=\"0.55\">\n <Center x=\"1e30\" y=\"5\" static=\"0\"/>\n",
       1, 1, "position out of range"},
      {"binary", std::string("\x00\xff<blocks\x01>\n\x7f<<<>>>\"\"=", 22), 0, 0, "blocks tag"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBlock::ClearBlocks();
    messages_.clear();
    EXPECT_EQ(LoadText(c.text), c.result);
    EXPECT_EQ(Count(), c.boxes);
    if (*c.message) {
      EXPECT_TRUE(Said(c.message));
    }
    Frames(2);
  }
  messages_.clear();
  EXPECT_EQ(TBlock::LoadBlocks(std::string("no/such/level_blocks.xml")), 0);
  EXPECT_TRUE(Said("[LoadBlocks ERROR] Failed to load the specified path!"));
}

TEST_F(BlockFile, TheXmlFormReadsTheSameBoxes) {
  const std::string text = "<blocks>\n" + BlockLine("class=\"30\" scale=\"0.6\" money=\"5\"") + "<other/>\n" +
                           BlockLine("class=\"9\" bonus_class=\"1\" scale=\"0.55\"", 400) + "</blocks>\n";
  ASSERT_EQ(TBlock::LoadBlocksNew(platform::OpenMemory(std::vector<uint8_t>(text.begin(), text.end()))), 1);
  ASSERT_EQ(Count(), 2) << "other children are skipped, not the end";
  EXPECT_EQ(BlockList.First()->class_, 3);
  EXPECT_EQ(BlockList.First()->armor, 1);
  EXPECT_EQ(BlockList.First()->Money, 5);
  EXPECT_FLOAT_EQ(BlockList.First()->Center->x, 300.0f);
  EXPECT_EQ(BlockList.Last()->bonus_class, TBlock::EXPLOSION);
  EXPECT_EQ(TBlock::LoadBlocksNew(platform::OpenMemory(std::vector<uint8_t>{'<', 'b', '/', '>'})), 0);
}

TEST_F(BlockFile, TheNextColourComesFromTheField) {
  struct Case {
    const char* name;
    int gameType;
    std::vector<int> present;
    int wall = 0, parazite = 0, boss = 0;
    int low, high;      // the range every draw must fall in
    bool onlyPresent;   // every draw is a present colour
  };
  const Case cases[] = {
      {"thermometer level", 2, {3}, 0, 0, 0, 1, 5, false},
      {"clear level", 1, {2, 4}, 0, 0, 0, 2, 4, true},
      {"wide clear level", 100, {7}, 0, 0, 0, 7, 7, true},
      {"a boss in play", 1, {2, 4}, 0, 0, 1, 1, 5, false},
      {"one colour and the wall", 1, {2}, 1, 0, 0, 1, 5, false},
      {"two colours and the wall", 1, {2, 3}, 1, 0, 0, 2, 3, true},
      {"one colour and a parasite", 10, {6}, 0, 1, 0, 1, 6, false},
      {"only colours it cannot draw", 1, {6, 7}, 0, 0, 0, 1, 5, false},
      {"only parasites", 1, {8}, 0, 0, 0, 1, 5, false},
      {"a boss in a wide level", 100, {2}, 0, 0, 1, 1, 7, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameScreen->GameType = c.gameType;
    for (int& v : ReleasedClasses) v = 0;
    for (int p : c.present) ReleasedClasses[p - 1] = 1;
    ReleasedBlockCount = static_cast<int>(c.present.size());
    WallStanding = static_cast<uint8_t>(c.wall);
    ParaziteInPlay = c.parazite;
    BossInPlay = c.boss;
    int least = 99, most = 0;
    bool absent = false;  // a colour not on the field came up
    for (int i = 0; i < 200; ++i) {
      const int k = TBlock::GenerateClass();
      ASSERT_GE(k, c.low);
      ASSERT_LE(k, c.high);
      if (c.onlyPresent) {
        ASSERT_EQ(ReleasedClasses[k - 1], 1) << k;
      }
      least = std::min(least, k);
      most = std::max(most, k);
      absent = absent || ReleasedClasses[k - 1] != 1;
    }
    EXPECT_EQ(least, c.low) << "the whole range comes up";
    EXPECT_EQ(most, c.high);
    EXPECT_EQ(absent, !c.onlyPresent) << "no restriction to the field's colours";
  }
  WallStanding = 0;
}

TEST_F(BlockFile, TheHeldBoxTakesAColourStillOnTheField) {
  MakeBox(TBlock::ORANGE, 300, 528);
  MakeBox(TBlock::PURPLE, 400, 528);
  auto held = MakeBox({.cls = TBlock::RED, .x = 390, .y = 100, .released = false, .pinned = true});
  Player->box = held;
  Player->CurrentBlockClass = TBlock::RED;
  Player->NextBlockClass = TBlock::BLUE;
  Frame();
  EXPECT_TRUE(held->class_ == TBlock::ORANGE || held->class_ == TBlock::PURPLE) << held->class_;
  EXPECT_EQ(held->Group->class_, held->class_);
  EXPECT_EQ(Player->CurrentBlockClass, held->class_);
  const int next = Player->NextBlockClass;
  EXPECT_TRUE(next == TBlock::ORANGE || next == TBlock::PURPLE) << next;
  EXPECT_EQ(Player->Handle->Color, BlockClassColor(next));

  // With only colours the level cannot draw, the held box keeps its colour.
  TBlock::ClearBlocks();
  MakeBox(TBlock::SKY, 300, 528);
  held = MakeBox({.cls = TBlock::RED, .x = 390, .y = 100, .pinned = true});
  held->Released = 0;
  Player->box = held;
  Player->NextBlockClass = TBlock::BLUE;
  Frame();
  EXPECT_EQ(held->class_, TBlock::RED);
  EXPECT_EQ(Player->NextBlockClass, TBlock::BLUE);

  TBlock::ClearBlocks();
  EXPECT_EQ(Player->box, nullptr) << "the claw lets go of a cleared box";
}

TEST_F(BlockFile, ABonusOrBossInTheClawKeepsItsKind) {
  struct Case {
    int class_, bonus_class, boss_class;
    bool nextRedrawn;  // a boss, even in the claw, is in play and keeps every colour
  };
  const Case cases[] = {{TBlock::BONUS, TBlock::ICE, 0, true}, {TBlock::BOSS, 0, TBlock::EVIL_YETI, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.class_);
    TBlock::ClearBlocks();
    MakeBox(TBlock::ORANGE, 300, 528);
    MakeBox(TBlock::PURPLE, 400, 528);
    auto held = MakeBox({.cls = TBlock::RED, .x = 390, .y = 100, .released = false, .pinned = true});
    held->class_ = held->Group->class_ = c.class_;
    held->bonus_class = c.bonus_class;
    held->boss_class = c.boss_class;
    Player->box = held;
    Player->NextBlockClass = TBlock::BLUE;
    Frame();
    EXPECT_EQ(held->class_, c.class_) << "no colour of the field stands for it";
    EXPECT_EQ(held->Group->class_, c.class_);
    const int next = Player->NextBlockClass;
    if (c.nextRedrawn) {
      EXPECT_TRUE(next == TBlock::ORANGE || next == TBlock::PURPLE) << "the next colour is still redrawn: " << next;
    } else {
      EXPECT_EQ(next, TBlock::BLUE);
    }
  }
}
