// The campaign's bookkeeping over the level packs: counting them, the stage
// and island of each level, rounds within a stage, the background, moving on
// after a won level and back for a retry, and the level description.
#include <map>

#include "framework/core/startup_settings.h"
#include "framework/files/log.h"
#include "world/brick.h"
#include "framework/media/fade.h"
#include "framework/media/resources.h"
#include "level_scene.h"
#include "play/in_game_interface.h"
#include "play/play_hooks.h"

namespace level_test {
namespace {

class Campaign : public LevelScene {
 public:
  // Packs 1..n as empty archives with their descriptions, a floor for a world
  // and no boxes beside them.
  void MakeLevels(const std::vector<std::pair<int, std::string>>& stageAndTileset) {
    fs::create_directories(Here("data/levels"));
    int n = 0;
    for (const auto& [stage, tileset] : stageAndTileset) {
      ++n;
      const std::string base = LevelPackPath(n).substr(0, LevelPackPath(n).size() - 4);
      testenv::WriteFile(Here(LevelPackPath(n)), std::string(4, '\0'));
      testenv::WriteFile(Here(base + ".xml"), "<level>\n<params num=\"" + std::to_string(n) + "\" stage=\"" +
                                                  std::to_string(stage) + "\" time=\"90000\" gametype=\"2\" "
                                                  "blocks=\"10\" tileset=\"" + tileset + "\"/>\n");
      testenv::WriteFile(Here(base + "_world.xml"),
                         "<world gravity=\"100\">\n<static x1=\"190\" y1=\"560\" x2=\"570\" y2=\"560\"/>\n");
      testenv::WriteFile(Here(base + "_blocks.xml"), "<blocks>\n");
    }
  }
};

TEST_F(Campaign, CountsThePacksAndNotesEachLevelsStageAndIsland) {
  MakeLevels({{1, "desert"}, {1, "Desert"}, {2, "snow"}, {2, "SNOW"}, {2, "elsewhere"}, {3, "desert"}});
  GameScreen->Stage = 7;
  EXPECT_EQ(TLevel::CountLevels(), 6);
  EXPECT_EQ(LevelCount, 6);
  struct Case {
    int level, stage, island;
  };
  const Case cases[] = {{0, -1, 0}, {-3, -1, 0}, {1, 1, 1}, {2, 1, 1}, {3, 2, 2}, {4, 2, 2},
                        {5, 2, 0},  {6, 3, 1},   {7, 8, 0}, {32, 8, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    EXPECT_EQ(TLevel::GetInfo(c.level, 0), c.stage);
    EXPECT_EQ(TLevel::GetInfo(c.level, 1), c.island);
    EXPECT_EQ(TLevel::GetStage(c.level), c.stage);
    EXPECT_EQ(TLevel::GetIsland(c.level), c.island);
  }
  // The count ends at the first missing pack.
  fs::remove(Here(LevelPackPath(4)));
  EXPECT_EQ(TLevel::CountLevels(), 3);
  EXPECT_EQ(TLevel::GetInfo(4, 0), 8);
}

TEST_F(Campaign, PacksAreNamedWithThreeDigitsAtLeast) {
  const std::pair<int, const char*> cases[] = {{1, "data/levels/level001.lvl"},
                                               {10, "data/levels/level010.lvl"},
                                               {67, "data/levels/level067.lvl"},
                                               {100, "data/levels/level100.lvl"},
                                               {1000, "data/levels/level1000.lvl"}};
  for (const auto& [level, path] : cases) EXPECT_EQ(LevelPackPath(level), path);
}

TEST_F(Campaign, MoreThanAHundredPacksKeepTheirStagesAndIslands) {
  std::vector<std::pair<int, std::string>> levels;
  for (int n = 1; n <= 105; ++n) levels.push_back({(n + 2) / 3, n % 2 ? "desert" : "snow"});
  MakeLevels(levels);
  GameScreen->Stage = 40;
  ASSERT_EQ(TLevel::CountLevels(), 105);
  for (int n : {1, 67, 68, 99, 100, 104, 105}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(TLevel::GetInfo(n, 0), (n + 2) / 3);
    EXPECT_EQ(TLevel::GetInfo(n, 1), n % 2 ? 1 : 2);
  }
  EXPECT_EQ(TLevel::GetInfo(106, 0), 41) << "past the last pack: the next stage";
  EXPECT_EQ(TLevel::GetInfo(106, 1), 0);
}

TEST_F(Campaign, BrokenDescriptionsGiveStageAndIslandNothing) {
  MakeLevels({{1, "desert"}, {1, "desert"}, {1, "desert"}});
  testenv::WriteFile(Here("data/levels/level002.xml"), "<params stage=\"4\" tileset=\"snow\">\n");
  fs::remove(Here("data/levels/level003.xml"));
  fs::create_directories(Here("log"));
  ASSERT_TRUE(OpenLog(Here("log/")));
  EXPECT_EQ(TLevel::CountLevels(), 3);
  CloseLog();
  const std::string logged = testenv::ReadFile(Here("log/log.xml"));
  EXPECT_EQ(TLevel::GetInfo(2, 0), 0);
  EXPECT_EQ(TLevel::GetInfo(2, 1), 0);
  EXPECT_EQ(TLevel::GetInfo(3, 0), 0);
  EXPECT_EQ(TLevel::GetInfo(3, 1), 0);
  EXPECT_NE(logged.find("[Level ERROR] The file does not begin with a level tag!"), std::string::npos);
  EXPECT_NE(logged.find("[GetStage ERROR] Failed to load the specified url!"), std::string::npos);
}

TEST_F(Campaign, SetLevelNumbersTheRoundsOfAStage) {
  MakeLevels({{1, "desert"}, {1, "desert"}, {2, "desert"}, {2, "desert"}, {2, "desert"}, {2, "desert"}});
  TLevel::CountLevels();
  struct Case {
    int level, stage, round;
  };
  // Level 6 is the fourth of its stage: it keeps the third round.
  for (const Case c : {Case{1, 1, 1}, Case{2, 1, 2}, Case{3, 2, 1}, Case{4, 2, 2}, Case{5, 2, 3}, Case{6, 2, 3}}) {
    SCOPED_TRACE(c.level);
    TLevel::SetLevel(c.level);
    EXPECT_EQ(GameScreen->Level, c.level);
    EXPECT_EQ(GameScreen->Stage, c.stage);
    EXPECT_EQ(GameScreen->Round, c.round);
  }
}

TEST_F(Campaign, SetLevelChoosesTheLandscapeBehindTheLevel) {
  ResManager = New<TResManager>();
  InitPlayHooks();
  InGameInterface = New<TInGameInterface>();
  std::map<std::string, platform::ImageRef> images;
  for (const char* id : {"IMAGE_BACK", "IMAGE_BACK_EVIL", "IMAGE_SNOW_BACK", "IMAGE_SNOW_BACK2", "IMAGE_SNOW_BACK_EVIL"}) {
    auto res = New<TResImage>();
    images[id] = platform::CreateImage(2, 2);
    res->Data = images[id];
    ResManager->ResAddData(std::string(id) + ".png", id, res, "init");
  }
  const std::pair<int, const char*> cases[] = {{1, "IMAGE_BACK"},        {20, "IMAGE_BACK"},
                                               {21, "IMAGE_BACK_EVIL"},  {31, "IMAGE_BACK_EVIL"},
                                               {32, "IMAGE_SNOW_BACK"},  {46, "IMAGE_SNOW_BACK"},
                                               {47, "IMAGE_SNOW_BACK2"}, {65, "IMAGE_SNOW_BACK2"},
                                               {66, "IMAGE_SNOW_BACK_EVIL"}};
  for (const auto& [level, id] : cases) {
    SCOPED_TRACE(level);
    TLevel::SetLevel(level);
    EXPECT_EQ(InGameInterface->Back, images[id]);
  }
  ResManager = nullptr;
  InGameInterface = nullptr;
}

// The village a stage is played from is the stage's, whatever was loaded
// last: the desert levels played after the zeppelin's flight keep the snow
// village; a level only dresses its own frame in its tileset's look. A debug
// start or a level-select game takes its stage's village at once.
TEST_F(Campaign, TheVillageFollowsTheStageAndTheLevelFrameItsTileset) {
  for (const auto& [stage, island] : std::vector<std::pair<int, int>>{
           {0, 0}, {1, 1}, {16, 1}, {17, 1}, {18, 2}, {19, 2}, {36, 2}})
    EXPECT_EQ(StageIsland(stage), island) << "stage " << stage;

  CopyClaw();
  // Level n's stage and tileset, as the campaign has them around the flight.
  MakeLevels({{16, "desert"}, {17, "desert"}, {18, "desert"}, {19, "snow"}, {19, "desert"}});
  TLevel::CountLevels();
  int village = 0, panels = 0;
  LevelLinks.LoadVillage = [&village](int island) {
    if (island) village = island;
  };
  LevelLinks.SetPanels = [&panels](int island) { panels = island; };
  enum How { PLAYED, DEBUG_START, LEVEL_SELECT };
  struct Case {
    const char* what;
    How how;
    int level, villageBefore, village, panels;
  };
  const Case cases[] = {
      {"stage 16 in the desert", PLAYED, 1, 1, 1, 1},
      {"stage 17 before the flight", PLAYED, 2, 1, 1, 1},
      {"stage 17 after the flight", PLAYED, 2, 2, 2, 1},
      {"stage 18's desert level", PLAYED, 3, 2, 2, 1},
      {"stage 19's snow level", PLAYED, 4, 2, 2, 2},
      {"a desert level of stage 19", PLAYED, 5, 2, 2, 1},
      {"a debug start in stage 17", DEBUG_START, 2, 2, 1, 1},
      {"a debug start in stage 18", DEBUG_START, 3, 1, 2, 1},
      {"a level-select game in stage 18", LEVEL_SELECT, 3, 1, 2, 1},
      {"a level-select game in stage 16", LEVEL_SELECT, 1, 2, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartLevel = c.how == DEBUG_START ? c.level : 1;
    GameScreen->CustomLevel = c.how == LEVEL_SELECT;
    village = c.villageBefore;
    panels = 0;
    TLevel::SetLevel(c.level);
    ASSERT_EQ(CurrentLevel->Load(c.level), 1);
    EXPECT_EQ(village, c.village);
    EXPECT_EQ(panels, c.panels);
  }
  StartLevel = 1;
}

TEST_F(Campaign, PrevLevelIsTheFirstOfTheStage) {
  MakeLevels({{1, "desert"}, {1, "desert"}, {2, "desert"}, {2, "desert"}, {2, "desert"}});
  TLevel::CountLevels();
  for (const auto& [level, first] : std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {3, 3}, {5, 3}}) {
    SCOPED_TRACE(level);
    GameScreen->Level = level;
    EXPECT_EQ(TLevel::PrevLevel(), first);
  }
  GameScreen->CustomLevel = 1;
  GameScreen->Level = 5;
  EXPECT_EQ(TLevel::PrevLevel(), 5) << "a level-select game retries its own level";
}

TEST_F(Campaign, NextLevelGoesOnWithinAStageAndToTheVillageBetweenStages) {
  CopyClaw();
  MakeLevels({{1, "desert"}, {1, "desert"}, {2, "desert"}});
  TLevel::CountLevels();
  ScreenFade = New<TFade>();
  int villages = 0, endings = 0;
  LevelLinks.ShowVillage = [&villages] { ++villages; };
  LevelLinks.EndLevelSelect = [&endings] { ++endings; };

  struct Case {
    const char* what;
    int from;
    bool starts;  // the next round starts at once; else the village
  };
  const Case cases[] = {
      {"the next round of the stage", 1, true},
      {"a new stage", 2, false},
      {"past the last level", 3, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GameScreen->SetHided(0);
    GameScreen->started = 0;
    ScreenFade->pause = 0;
    villages = 0;
    TLevel::SetLevel(c.from);
    TLevel::NextLevel();
    EXPECT_EQ(GameScreen->Level, c.from + 1);
    EXPECT_EQ(GameScreen->started, c.starts ? 1 : 0);
    EXPECT_EQ(villages, c.starts ? 0 : 1);
    EXPECT_EQ(GameScreen->Visible, c.starts ? 1 : 0);
    EXPECT_EQ(ScreenFade->pause, c.starts ? 0 : 1);
  }

  // A level-select game goes on while the player has reached the next level.
  GameScreen->CustomLevel = 1;
  Player->scores = 500;
  LevelLinks.ProfileProgress = [](int& completed, int& saved) {
    completed = 0;
    saved = 3;
  };
  GameScreen->SetHided(0);
  TLevel::SetLevel(1);
  TLevel::NextLevel();
  EXPECT_EQ(GameScreen->started, 1);
  EXPECT_EQ(Player->scores, 0) << "each level of a level-select game counts on its own";
  EXPECT_EQ(endings, 0);
  TLevel::NextLevel();  // level 3 has not been reached
  EXPECT_EQ(endings, 1);
  // A finished game may select any level, up to the last.
  LevelLinks.ProfileProgress = [](int& completed, int& saved) {
    completed = 1;
    saved = 1;
  };
  TLevel::SetLevel(2);
  TLevel::NextLevel();
  EXPECT_EQ(endings, 1);
  TLevel::NextLevel();
  EXPECT_EQ(endings, 2) << "past the last level";
  ScreenFade = nullptr;
}

TEST_F(Campaign, DescriptionSetsEverySettingAndPlacesImages) {
  fs::create_directories(Here("data/img"));
  auto pix = std::make_shared<platform::Pixmap>(4, 4);
  ASSERT_TRUE(platform::SavePixmapPNG(*pix, Here("data/img/rock.png")));
  TLevel& l = *CurrentLevel;
  ASSERT_EQ(l.LoadLevel(platform::OpenMemory(
                "<level>\n<params num=\"3\" stage=\"2\" time=\"80000\" gentime=\"1001\" gametype=\"20\" blocks=\"15\" "
                "water=\"1\" waterlevel=\"300\" parazite=\"4\" tileset=\"snow\"/>\n"
                "<image path=\"data/img/rock.png\" layer=\"2\" x=\"120\" y=\"340\" alpha=\"0.5\" angle=\"30\" "
                "floor=\"1\"/>\n<image path=\"data/img/missing.png\" layer=\"1\"/>\n")),
            1);
  EXPECT_EQ(l.num, 3);
  EXPECT_EQ(l.stage, 2);
  EXPECT_EQ(l.time, 80000);
  EXPECT_EQ(l.GenTime, 1001);
  EXPECT_EQ(l.gametype, 20);
  EXPECT_EQ(l.blocks, 15);
  EXPECT_EQ(l.water, 1);
  EXPECT_EQ(l.waterlevel, 300);
  EXPECT_EQ(l.parazite, 4);
  EXPECT_EQ(l.tileset, "snow");
  ASSERT_EQ(WorldImages.Count(), 1u) << "a picture that does not load is left out";
  const Ref<TWorldImage> w = WorldImages.First();
  EXPECT_EQ(w->name, "rock.png");
  EXPECT_EQ(w->ID, 1);
  EXPECT_EQ(w->layer, 2);
  EXPECT_FLOAT_EQ(w->x, 120);
  EXPECT_FLOAT_EQ(w->alpha, 0.5f);
  EXPECT_FLOAT_EQ(w->angle, 30);
  EXPECT_FLOAT_EQ(w->scale, 0) << "no scale: drawn at scale 0";
  EXPECT_EQ(w->moving_floor, 1);

  // Every params line sets all ten; a relaxed game makes boxes half as often again.
  GameScreen->GameMode = TGame::RELAXED;
  ASSERT_EQ(l.LoadLevel(platform::OpenMemory("<level>\n<params gentime=\"1001\"/>\n")), 1);
  EXPECT_EQ(l.GenTime, 1501);
  EXPECT_EQ(l.time, 0);
  EXPECT_EQ(l.tileset, "");

  // The XML form holds the same, and takes the interval as written.
  ASSERT_EQ(l.LoadLevelNew(platform::OpenMemory("<level><params gentime=\"1001\" stage=\"5\" tileset=\"Desert\"/></level>")), 1);
  EXPECT_EQ(l.GenTime, 1001);
  EXPECT_EQ(l.stage, 5);
  EXPECT_EQ(l.tileset, "Desert");

  EXPECT_EQ(l.LoadLevel(platform::OpenMemory("<params stage=\"9\"/>\n")), 0);
  EXPECT_EQ(l.stage, 5) << "a description without its level tag changes nothing";
  EXPECT_EQ(l.LoadLevel(nullptr), 0);
}

TEST_F(Campaign, LoadRefusesALevelThatIsNotAmongThePacks) {
  MakeLevels({{1, "desert"}, {1, "desert"}});
  TLevel::CountLevels();
  TPhysEngine_Static::Create(0, 0, 10, 10, 1, 1, 1, World->Physics.get());
  CurrentLevel->stage = 42;
  for (int level : {0, -1, 3, 1000}) {
    SCOPED_TRACE(level);
    EXPECT_EQ(CurrentLevel->Load(level), 0);
    EXPECT_EQ(World->Physics->Statics.Count(), 1u);
    EXPECT_EQ(CurrentLevel->stage, 42);
    EXPECT_TRUE(Pushers.IsEmpty());
  }
}

TEST_F(Campaign, AWorldThatDoesNotLoadFailsTheLevel) {
  CopyClaw();
  MakeLevels({{1, "desert"}});
  testenv::WriteFile(Here("data/levels/level001_world.xml"), "<static x1=\"0\" y1=\"0\" x2=\"9\" y2=\"9\"/>\n");
  TLevel::CountLevels();
  EXPECT_EQ(CurrentLevel->Load(1), 0);
  EXPECT_EQ(World->CriticalLine, 0);
  EXPECT_TRUE(Pushers.IsEmpty());
  EXPECT_FALSE(Player->Handle) << "no claw without a world";
  EXPECT_EQ(CurrentLevel->num, 1) << "the description was read all the same";

  // The same level with its world loads whole.
  testenv::WriteFile(Here("data/levels/level001_world.xml"),
                     "<world gravity=\"100\">\n<static x1=\"190\" y1=\"560\" x2=\"570\" y2=\"560\"/>\n");
  EXPECT_EQ(CurrentLevel->Load(1), 1);
  EXPECT_EQ(World->CriticalLine, 200);
  EXPECT_EQ(Pushers.Count(), 1u);
  EXPECT_TRUE(Player->Handle);
  EXPECT_EQ(ChainLightsList.Count(), 17u) << "two chains of lamps along the frame";
  EXPECT_FLOAT_EQ(World->CreaturesToRelease, 10) << "reach the box count of the description";
}

TEST_F(Campaign, WorldClearEmptiesTheLevelWithOrWithoutAFloor) {
  CopyClaw();
  MakeLevels({{1, "desert"}});
  testenv::WriteFile(Here("data/levels/level001_world.xml"),
                     "<world gravity=\"100\">\n<static x1=\"190\" y1=\"560\" x2=\"570\" y2=\"560\"/>\n");
  TLevel::CountLevels();
  for (bool floor : {false, true}) {
    SCOPED_TRACE(floor);
    testenv::WriteFile(Here("data/levels/level001_floor.xml"),
                       floor ? "<floor dy=\"-0.1\">\n<element x1=\"190\" y1=\"560\" x2=\"570\" y2=\"560\"/>\n" : "");
    ASSERT_EQ(CurrentLevel->Load(1), 1);
    ASSERT_EQ(World->MovingFloor != nullptr, floor);
    const Ref<TFloor> f = World->MovingFloor;
    World->Clear();
    EXPECT_FALSE(World->MovingFloor);
    EXPECT_FALSE(World->Water);
    if (f) {
      EXPECT_TRUE(f->Static.IsEmpty());
    }
    EXPECT_TRUE(Pushers.IsEmpty());
    EXPECT_TRUE(World->Physics->Statics.IsEmpty());
    EXPECT_TRUE(World->Physics->Groups.IsEmpty());
  }
}

// A pack that cannot be played in full refuses to load, says why in the log
// and leaves nothing of itself in the world.
TEST_F(Campaign, ALevelThatCannotBePlayedInFullLeavesNothingBehind) {
  const std::string base = "data/levels/level001";
  struct Case {
    const char* what;
    std::string file;  // written with `bytes`, or removed when bytes is null
    const char* bytes;
  };
  const Case cases[] = {
      {"no description", base + ".xml", nullptr},
      {"a broken description", base + ".xml", "<lev"},
      {"an unknown game type", base + ".xml", "<level>\n<params stage=\"1\" time=\"9000\" gametype=\"3\"/>\n"},
      {"no world", base + "_world.xml", nullptr},
      {"a broken world", base + "_world.xml", "<static x1=\"0\"/>\n"},
      {"no claw", "data/world/handle.xml", nullptr},
      {"a broken box file", "data/world/box.xml", "<box"},
      {"no block file", base + "_blocks.xml", nullptr},
      {"a broken block file", base + "_blocks.xml", "<block class=\"1\"/>\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CopyClaw();
    MakeLevels({{1, "desert"}});
    testenv::WriteFile(Here(base + "_blocks.xml"),
                       "<blocks>\n<block class=\"1\">\n<Center x=\"250\" y=\"500\" static=\"0\"/>\n");
    testenv::WriteFile(Here(base + "_bricks.xml"), "<bricks columns=\"2\" rows=\"1\">\n<brick x=\"0\" y=\"0\"/>\n");
    if (c.bytes)
      testenv::WriteFile(Here(c.file), c.bytes);
    else
      fs::remove(Here(c.file));
    TLevel::CountLevels();
    ResetPakState();
    fs::remove_all(Here("log"));
    fs::create_directories(Here("log"));
    ASSERT_TRUE(OpenLog(Here("log/")));
    EXPECT_EQ(CurrentLevel->Load(1), 0);
    CloseLog();
    EXPECT_NE(testenv::ReadFile(Here("log/log.xml")).find("Level 1 cannot be played"), std::string::npos);
    EXPECT_TRUE(BlockList.IsEmpty());
    EXPECT_TRUE(World->Physics->Groups.IsEmpty());
    EXPECT_TRUE(World->Physics->Statics.IsEmpty());
    EXPECT_TRUE(Pushers.IsEmpty());
    EXPECT_TRUE(WorldImages.IsEmpty());
    EXPECT_TRUE(BrickGrid.empty());
    EXPECT_EQ(ReleasedBlockCount, 0);
  }
}

// Settings out of range are clamped with a log line; 0 is a time limit of none.
TEST_F(Campaign, SettingsOutOfRangeAreClamped) {
  struct Case {
    const char* params;
    int time, gentime, blocks;
    bool logged;
  };
  const Case cases[] = {
      {"time=\"90000\" gentime=\"4000\" blocks=\"10\"", 90000, 4000, 10, false},
      {"time=\"0\" gentime=\"0\" blocks=\"0\"", 0, 0, 0, false},
      {"time=\"-5\" gentime=\"-1\" blocks=\"-3\"", 0, 0, 0, true},
      {"time=\"999999999\" gentime=\"999999999\" blocks=\"10\"", 3600000, 600000, 10, true},
  };
  CopyClaw();
  MakeLevels({{1, "desert"}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.params);
    testenv::WriteFile(Here("data/levels/level001.xml"),
                       std::string("<level>\n<params stage=\"1\" gametype=\"2\" ") + c.params + "/>\n");
    TLevel::CountLevels();
    ResetPakState();
    fs::remove_all(Here("log"));
    fs::create_directories(Here("log"));
    ASSERT_TRUE(OpenLog(Here("log/")));
    ASSERT_EQ(CurrentLevel->Load(1), 1);
    CloseLog();
    EXPECT_EQ(CurrentLevel->time, c.time);
    EXPECT_EQ(CurrentLevel->GenTime, c.gentime);
    EXPECT_EQ(CurrentLevel->blocks, c.blocks);
    EXPECT_EQ(testenv::ReadFile(Here("log/log.xml")).find("is out of range") != std::string::npos, c.logged);
  }
}

}  // namespace
}  // namespace level_test
