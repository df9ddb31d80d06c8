#pragma once
// The settings of the level being played, and the level packs: counting them
// at start-up, which stage and island a level belongs to, and moving the
// campaign to a level. A level's pack is "data/levels/levelNNN.lvl".
#include <functional>
#include <string>

#include "framework/object.h"

namespace kelp {

class TLevel : public Object {
 public:
  std::string tileset = "Desert";
  int num = 1;
  int stage = 1;
  int time = 90000;
  int gametype = 1;
  int blocks = 50;
  int water = 0;
  int waterlevel = 100;
  int GenTime = 0;
  int parazite = 0;

  // Counts the consecutive packs from level 1 and fills LevelStageIsland for
  // levels 1..67; returns the level count (one more than the packs found).
  static int CountLevels();
  static int GetIsland(int level);
  static int GetStage(int level);
  // Column 0 the stage, column 1 the island, as counted at start-up.
  static int GetInfo(int level, int column);
  // Makes the level the running one: its number, stage, round and background.
  static int SetLevel(int level);
};

// The pack of a level: "data/levels/level" + three digits (more from 1000) + ".lvl".
std::string LevelPackPath(int level);

extern Ref<TLevel> CurrentLevel;
// Row n: the stage (column 0) and island (column 1) of level n; rows 1..67 are filled.
extern int LevelStageIsland[100][2];
extern int LevelCount;

// What the level code needs of the running level and the screens, which sit
// above this library; the play library fills these in. Empty ones read as 0
// and do nothing.
struct TLevelLinks {
  std::function<int()> GameStage;                             // GameScreen.Stage
  std::function<void(int level, int stage, int round)> SetGameLevel;
  std::function<int()> CustomLevel;                           // GameScreen.CustomLevel
  std::function<void(const std::string& imageId)> SetBack;    // InGameInterface.Back
  std::function<void(int island)> LoadVillage;                // VillageScreen.Load
};
extern TLevelLinks LevelLinks;

}  // namespace kelp
