#include "world/level.h"

#include <cstdio>

#include "framework/line_reader.h"
#include "framework/log.h"
#include "framework/numbers.h"
#include "framework/pak.h"
#include "framework/startup_settings.h"

namespace kelp {

Ref<TLevel> CurrentLevel;
int LevelStageIsland[100][2] = {};
int LevelCount = 1;
TLevelLinks LevelLinks;

namespace {

constexpr int kCampaignLevels = 67;
constexpr int kSnowGateLevel = 32;  // the first snow level, whatever its pack says

int RunningStage() { return LevelLinks.GameStage ? LevelLinks.GameStage() : 0; }

std::string DescriptionPath(const std::string& pack) {
  return pack.substr(0, pack.size() - 4) + ".xml";  // ".lvl" becomes ".xml"
}

// Opens the level's description inside its pack; null when there is none.
platform::StreamRef OpenDescription(int level) {
  const std::string pack = LevelPackPath(level);
  if (pack != LevelPakPath) {
    LevelPakPath = pack;
    LevelPakReady = 0;
  }
  return TPak::PakSmall(DescriptionPath(pack));
}

}  // namespace

std::string LevelPackPath(int level) {
  char name[40];
  std::snprintf(name, sizeof name, "data/levels/level%03d.lvl", level);
  return name;
}

int TLevel::CountLevels() {
  int n = 1;
  while (OpenPakStream(LevelPackPath(n))) ++n;
  LevelCount = n;
  for (int level = 1; level <= kCampaignLevels; ++level) {
    LevelStageIsland[level][0] = GetStage(level);
    LevelStageIsland[level][1] = GetIsland(level);
  }
  return LevelCount;
}

int TLevel::GetIsland(int level) {
  if (level == kSnowGateLevel) return 1;
  if (level <= 0 || level > LevelCount) return 0;
  platform::StreamRef s = OpenDescription(level);
  if (!s) return 0;
  if (GetLineTag(ReadTagLine(*s)) != "level") return 0;
  for (std::string line = ReadTagLine(*s); !line.empty(); line = ReadTagLine(*s)) {
    if (GetLineTag(line) != "params") return 0;
    const std::string tileset = Lower(GetLineAttr(line, "tileset"));
    if (tileset == "desert") return 1;
    if (tileset == "snow") return 2;
  }
  return 0;
}

int TLevel::GetStage(int level) {
  if (level <= 0) return -1;
  if (level >= LevelCount) return RunningStage() + 1;
  platform::StreamRef s = OpenDescription(level);
  if (!s) {
    WriteLog("[GetStage ERROR] Failed to load the specified url!", LOG_MESSAGE);
    return 0;
  }
  if (GetLineTag(ReadTagLine(*s)) != "level") {
    WriteLog("[Level ERROR] The file does not begin with a level tag!", LOG_MESSAGE);
    return 0;
  }
  const std::string line = ReadTagLine(*s);
  if (GetLineTag(line) != "params") return 0;
  return ToInt(GetLineAttr(line, "stage"));
}

int TLevel::GetInfo(int level, int column) {
  if (column == 0) {
    if (level <= 0) return -1;
    if (level >= LevelCount) return RunningStage() + 1;
    return level < 100 ? LevelStageIsland[level][0] : 0;
  }
  if (level == kSnowGateLevel) return 1;
  if (level <= 0 || level > LevelCount) return 0;
  return level < 100 ? LevelStageIsland[level][1] : 0;
}

int TLevel::SetLevel(int level) {
  const int stage = GetInfo(level, 0);
  int round = 0;  // unchanged
  if (GetInfo(level - 1, 0) != stage) {
    round = 1;
  } else if (GetInfo(level - 2, 0) != stage) {
    round = 2;
  } else if (GetInfo(level - 3, 0) != stage) {
    round = 3;
  }
  if (LevelLinks.SetGameLevel) LevelLinks.SetGameLevel(level, stage, round);

  const char* back = level <= 20   ? "IMAGE_BACK"
                     : level <= 31 ? "IMAGE_BACK_EVIL"
                     : level <= 46 ? "IMAGE_SNOW_BACK"
                     : level <= 65 ? "IMAGE_SNOW_BACK2"
                                   : "IMAGE_SNOW_BACK_EVIL";
  if (LevelLinks.SetBack) LevelLinks.SetBack(back);

  const int custom = LevelLinks.CustomLevel ? LevelLinks.CustomLevel() : 0;
  if (StartLevel > 1 || custom) {
    const int island = GetInfo(level, 1);
    if (island != 0 && LevelLinks.LoadVillage) LevelLinks.LoadVillage(island);
  }
  return 0;
}

}  // namespace kelp
