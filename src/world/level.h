#pragma once
// The settings of the level being played, and the level packs: counting them
// at start-up, which stage and island a level belongs to, loading a level with
// all its companion files into the world, and moving the campaign from level
// to level.
//
// A level is the pack "data/levels/levelNNN.lvl" (three digits, more from
// 1000), an archive holding the level description "data/levels/levelNNN.xml"
// and its companions "..._world.xml", "_floor.xml", "_bricks.xml",
// "_trolley.xml", "_blocks.xml" and "_path.dat". Each is looked up on disk
// first, then in the main archive, then in the pack.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "platform/image.h"
#include "platform/stream.h"

namespace kelp {

class TAnimImage;

class TLevel : public Object {
 public:
  std::string tileset = "Desert";
  int num = 1;
  int stage = 1;
  int time = 90000;  // ms allowed for the level
  int gametype = 1;
  int blocks = 50;   // boxes to release
  int water = 0;     // 1 when the level has water
  int waterlevel = 100;
  int GenTime = 0;   // box generation interval, ms
  int parazite = 0;

  // Counts the consecutive packs from level 1 and notes the stage and island
  // of each; returns the number of levels.
  static int CountLevels();
  static int GetIsland(int level);
  static int GetStage(int level);
  // Column 0 the stage, column 1 the island, as counted at start-up.
  static int GetInfo(int level, int column);
  // Reads a level description (one tag per line): its "params" set every
  // setting (a missing one becomes 0), its "image" lines place world images.
  virtual int LoadLevel(const platform::StreamRef& stream);
  // The same content as an XML document.
  virtual int LoadLevelNew(const platform::StreamRef& stream);
  // Loads the level and all its companions into the world, and dresses the
  // level's frame in the look of its tileset's island (the village stays as
  // the story left it). 0 when the level is not among the packs, when its
  // description, world, claw, box or block file cannot be read, or when its
  // game type is unknown: the reason is logged and nothing of the level stays
  // loaded. Settings out of range (time limit, generation time, boxes to
  // release, water level) are clamped with a log line.
  virtual int Load(int level);
  // The settings read from the description, clamped into their ranges;
  // 0 for an unknown game type.
  int CheckSettings(int level);
  // Makes the level the running one: its number, stage, round and background;
  // a debug start or a level-select game also gets its stage's village.
  static int SetLevel(int level);
  // Moves on after a won level: the next round, the village or the main menu.
  static int NextLevel();
  // The level a retry starts from: the first of the stage (the level itself
  // in a level-select game).
  static int PrevLevel();
};

// The pack of a level.
std::string LevelPackPath(int level);
// The island (1 desert, 2 snow) whose village a campaign stage is played
// from, whatever its levels look like: the desert up to the zeppelin's stage,
// whose flight leaves from there, the snow after it; 0 for no stage.
int StageIsland(int stage);
// The id of the backdrop picture behind a level.
const char* BackgroundId(int level);

extern Ref<TLevel> CurrentLevel;
// Row n: the stage (column 0) and island (column 1) of level n, for the
// levels counted; row 0 is unused.
extern std::vector<std::array<int, 2>> LevelStageIsland;
extern int LevelCount;  // the number of level packs, counted at start-up

// What the campaign bookkeeping needs of the screens above the level play;
// the program installs these. Empty ones do nothing.
struct TLevelLinks {
  std::function<void(int island)> LoadVillage;  // VillageScreen.Load
  // The level frame's side panels in the look of an island.
  std::function<void(int island)> SetPanels;
  // The current profile's game-completed flag and saved level; 0, 0 without one.
  std::function<void(int& gameCompleted, int& savedLevel)> ProfileProgress;
  // A level-select game at its end: the profile header read again, its
  // village loaded, the game unpaused and hidden and no longer a level-select
  // game, the main menu shown, input flushed and the pointer shown.
  std::function<void()> EndLevelSelect;
  std::function<void()> ShowVillage;  // the village screen shown
  // A won campaign level whose next one lies in the same stage: true when a
  // screen above takes the player on from there instead of starting it at once.
  std::function<bool()> BetweenLevels;

  // The running level's interface, drawn in layers -2 to 3 between the world's images.
  std::function<void(int layer)> DrawInterface;
  // The level's backdrop picture, chosen by the level.
  std::function<void(const platform::ImageRef& picture)> SetBackground;
  // The goal gauge: stepped and drawn with the world; its fill 0..309 (309 once
  // the goal is reached), 0 without one.
  std::function<void(float frameFactor)> UpdateThermometer;
  std::function<void()> DrawThermometer;
  std::function<float()> GoalPercent;
  // The red line's marker, which boxes above the line start and stop; null without one.
  std::function<Ref<TAnimImage>()> RedLineMarker;
  // The game interface joining the manager: the red line and the gauge made ready.
  std::function<void()> InitLevelFrame;
  // The gauge's bubbles: made (paused or running) when it has none, or dropped.
  std::function<void(int paused)> MakeGaugeBubbles;
  std::function<void()> DropGaugeBubbles;
};
extern TLevelLinks LevelLinks;

}  // namespace kelp
