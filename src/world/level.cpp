#include "world/level.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "framework/core/file_numbers.h"
#include "framework/core/numbers.h"
#include "framework/core/numeric.h"
#include "framework/core/startup_settings.h"
#include "framework/files/line_reader.h"
#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "framework/files/xml.h"
#include "framework/media/fade.h"
#include "framework/media/particles.h"
#include "framework/media/poly_anim.h"
#include "framework/media/resources.h"
#include "world/effects/counters.h"
#include "world/game_state.h"
#include "world/game_interface.h"
#include "world/player_state.h"
#include "world/block.h"
#include "world/brick.h"
#include "world/floor.h"
#include "world/obstacle.h"
#include "world/resource_bindings.h"
#include "world/static_path.h"
#include "world/trolley.h"
#include "world/water.h"
#include "world/world.h"

namespace kelp {

Ref<TLevel> CurrentLevel;
std::vector<std::array<int, 2>> LevelStageIsland;
int LevelCount = 0;
TLevelLinks LevelLinks;

namespace {

constexpr int kSnowGateLevel = 32;  // counted on the desert island, whatever its pack says
constexpr int kZeppelinStage = 17;  // the last stage that opens in the desert village
// Far beyond any campaign; only bounds the count when packs come in thousands.
constexpr int kMostLevels = 9999;

int RunningStage() { return GameState ? GameState->Stage : 0; }
int CustomGame() { return GameState ? GameState->CustomLevel : 0; }

// "data/levels/level001.lvl" -> "data/levels/level001"
std::string PackBase(const std::string& pack) { return pack.substr(0, pack.size() - 4); }

// Makes the level's pack the current one; its entries are read again on the
// next lookup when it changed.
void UsePack(const std::string& pack) {
  if (pack != LevelPakPath) {
    LevelPakPath = pack;
    LevelPakReady = 0;
  }
}

platform::StreamRef OpenDescription(int level) {
  const std::string pack = LevelPackPath(level);
  UsePack(pack);
  return TPak::PakSmall(PackBase(pack) + ".xml");
}

void LogMessage(const std::string& text) { WriteLog(text, LOG_MESSAGE); }

// The island a description's first "params" lines name, before any other tag.
int IslandOf(platform::Stream& s) {
  if (GetLineTag(ReadTagLine(s)) != "level") return 0;
  for (std::string line = ReadTagLine(s); !line.empty(); line = ReadTagLine(s)) {
    if (GetLineTag(line) != "params") return 0;
    const std::string tileset = Lower(GetLineAttr(line, "tileset"));
    if (tileset == "desert") return 1;
    if (tileset == "snow") return 2;
  }
  return 0;
}

// Only the level's own look: switching the village here would undo the
// zeppelin's flight for the desert levels played after it, and lose the
// village's buildings with it.
void ApplyTileset(const std::string& tileset) {
  const std::string t = Lower(tileset);
  const int island = t == "desert" ? 1 : t == "snow" ? 2 : 0;
  if (island && LevelLinks.SetPanels) LevelLinks.SetPanels(island);
}

}  // namespace

std::string LevelPackPath(int level) {
  char name[48];
  std::snprintf(name, sizeof name, "data/levels/level%03d.lvl", level);
  return name;
}

int StageIsland(int stage) {
  if (stage <= 0) return 0;
  return stage <= kZeppelinStage ? 1 : 2;
}

// ---------------------------------------------------------------- the packs

int TLevel::CountLevels() {
  // The count is the number of packs, not the first missing number: a level
  // select or a campaign must never reach a level that has no pack.
  int n = 0;
  while (n < kMostLevels && OpenPakStream(LevelPackPath(n + 1))) ++n;
  LevelCount = n;
  LevelStageIsland.assign(static_cast<size_t>(n) + 1, {0, 0});
  for (int level = 1; level <= n; ++level) {
    LevelStageIsland[level][0] = GetStage(level);
    LevelStageIsland[level][1] = GetIsland(level);
  }
  return LevelCount;
}

int TLevel::GetIsland(int level) {
  if (level == kSnowGateLevel) return 1;
  if (level <= 0 || level > LevelCount) return 0;
  platform::StreamRef s = OpenDescription(level);
  return s ? IslandOf(*s) : 0;
}

int TLevel::GetStage(int level) {
  if (level <= 0) return -1;
  if (level > LevelCount) return RunningStage() + 1;
  platform::StreamRef s = OpenDescription(level);
  if (!s) {
    LogMessage("[GetStage ERROR] Failed to load the specified url!");
    return 0;
  }
  if (GetLineTag(ReadTagLine(*s)) != "level") {
    LogMessage("[Level ERROR] The file does not begin with a level tag!");
    return 0;
  }
  const std::string line = ReadTagLine(*s);
  if (GetLineTag(line) != "params") return 0;
  return ToInt(GetLineAttr(line, "stage"));
}

int TLevel::GetInfo(int level, int column) {
  const bool counted = level >= 1 && level <= LevelCount && static_cast<size_t>(level) < LevelStageIsland.size();
  if (column == 0) {
    if (level <= 0) return -1;
    if (level > LevelCount) return RunningStage() + 1;
    return counted ? LevelStageIsland[level][0] : 0;
  }
  if (column == 1) {
    if (level == kSnowGateLevel) return 1;
    return counted ? LevelStageIsland[level][1] : 0;
  }
  return 0;
}

// ------------------------------------------------------------- descriptions

namespace {

// An attribute's text from either form of the description ("" when absent).
using AttrText = std::function<std::string(const char*)>;

void ReadParams(TLevel& l, const AttrText& a, bool relaxedGenTime) {
  auto i = [&a](const char* name) { return ToInt(a(name)); };
  l.num = i("num");
  l.stage = i("stage");
  l.time = i("time");
  l.GenTime = i("gentime");
  if (relaxedGenTime) l.GenTime = Int(static_cast<double>(l.GenTime) * 1.5);
  l.parazite = i("parazite");
  l.gametype = i("gametype");
  l.blocks = i("blocks");
  l.water = i("water");
  l.waterlevel = i("waterlevel");
  l.tileset = a("tileset");
}

// Pictures of a level: a few dozen at most, none drawn beyond eight times its size.
constexpr int kMostImages = 512;
constexpr float kMostScale = 8.0f;

bool TooManyImages(int placed) {
  if (placed < kMostImages) return false;
  LogMessage("[Level WARNING] More than " + std::to_string(kMostImages) + " images; the rest are left out");
  return true;
}

void PlaceImage(const AttrText& a) {
  Ref<TWorldImage> w = TWorldImage::Create(a("path"), 0, 0);
  if (!w) return;
  w->layer = ToInt(a("layer"));
  w->moving_floor = ToInt(a("floor"));
  w->x = static_cast<float>(ToInt(a("x")));
  w->y = static_cast<float>(ToInt(a("y")));
  w->scale = ToFloat(a("scale"));
  w->alpha = ToFloat(a("alpha"));
  w->angle = ToFloat(a("angle"));
  const std::string where = "TLevel : LoadLevel", what = "image " + a("path");
  CheckFieldX(w->x, where, what + " x");
  CheckFieldY(w->y, where, what + " y");
  CheckFloat(w->scale, 0.0f, kMostScale, 0.0f, where, what + " scale");
  CheckFloat(w->alpha, 0.0f, 1.0f, 0.0f, where, what + " alpha");
  CheckFloat(w->angle, -360.0f, 360.0f, 0.0f, where, what + " angle");
  w->obstacle = ToInt(a("obstacle"));
  w->platform = ToInt(a("platform"));
}

}  // namespace

int TLevel::LoadLevel(const platform::StreamRef& stream) {
  if (!stream) {
    LogMessage("[LoadLevel ERROR] Failed to load the specified url!");
    return 0;
  }
  if (GetLineTag(ReadTagLine(*stream)) != "level") {
    LogMessage("[Level ERROR] The file does not begin with a level tag!");
    return 0;
  }
  const bool relaxed = GameState && GameState->GameMode == TGameState::RELAXED;
  int images = 0;
  for (std::string line = ReadTagLine(*stream);; line = ReadTagLine(*stream)) {
    const std::string tag = GetLineTag(line);
    const AttrText a = [&line](const char* name) { return GetLineAttr(line, name); };
    if (tag == "params") {
      ReadParams(*this, a, relaxed);
    } else if (tag == "image") {
      if (TooManyImages(images++)) break;
      PlaceImage(a);
    } else {
      break;
    }
  }
  return 1;
}

int TLevel::LoadLevelNew(const platform::StreamRef& stream) {
  Ref<sdXMLnode> root = stream ? ParseXMLFile(stream) : nullptr;
  if (!root) {
    LogMessage("[LoadLevel ERROR] Failed to load the specified url!");
    return 0;
  }
  if (Lower(root->Tag) != "level") {
    LogMessage("[Level ERROR] The file does not begin with a level tag!");
    return 0;
  }
  int images = 0;
  for (sdXMLnode* e = root->firstchild; e; e = e->NextNode) {
    std::printf("loadlevel curline tag: %s\n", e->Tag.c_str());
    const std::string tag = Lower(e->Tag);
    const AttrText a = [e](const char* name) { return GetAttr(e, name); };
    if (tag == "params") {
      ReadParams(*this, a, false);
    } else if (tag == "image") {
      if (TooManyImages(images++)) break;
      PlaceImage(a);
    }
  }
  std::fflush(stdout);
  return 1;
}

// ------------------------------------------------------------------ loading

namespace {

constexpr int kMostTime = 3600000;     // an hour: beyond any round
constexpr int kMostGenTime = 600000;  // ten minutes between side-fed boxes

bool KnownGameType(int type) {
  for (int t : {1, 2, 4, 6, 10, 20, 100, 200})
    if (type == t) return true;
  return false;
}

// Clamps a setting into [low, high] with a log line; 1 when it was inside.
int Clamp(int& value, int low, int high, const std::string& what, int level) {
  if (value >= low && value <= high) return 1;
  const int was = value;
  value = value < low ? low : high;
  LogMessage("[Level WARNING] Level " + std::to_string(level) + ": " + what + " " + std::to_string(was) +
             " is out of range; " + std::to_string(value) + " is used");
  return 0;
}

// The box every player's box is built from: a group file.
bool BoxFileReadable() {
  Ref<sdXMLnode> root = ParseXMLFile(std::string("data/world/box.xml"));
  return root && Lower(root->Tag) == "group";
}

// Everything a level load puts into the world, taken out again.
void Unload() {
  TWorldImage::Clear();
  TBlock::ClearBlocks();
  TBrick::Clear();
  TObstacle::Clear();
  if (World) World->Clear();
  TPolyAnim::ClearPoly();
  if (LevelStaticPath) LevelStaticPath->Clear();
  ReleasedBlockCount = 0;
  std::fill(std::begin(ReleasedClasses), std::end(ReleasedClasses), 0);
}

}  // namespace

int TLevel::CheckSettings(int level) {
  if (!KnownGameType(gametype)) {
    LogMessage("[Level ERROR] Level " + std::to_string(level) + " has the unknown game type " +
               std::to_string(gametype));
    return 0;
  }
  Clamp(time, 0, kMostTime, "the time limit", level);
  Clamp(GenTime, 0, kMostGenTime, "the box generation time", level);
  Clamp(blocks, 0, 100000, "the number of boxes to release", level);
  Clamp(waterlevel, 0, 600, "the water level", level);
  return 1;
}

int TLevel::Load(int level) {
  if (level < 1 || level > LevelCount) {
    LogMessage("[Level ERROR] There is no level " + std::to_string(level) + ": the packs hold " +
               std::to_string(LevelCount));
    return 0;
  }
  const std::string pack = LevelPackPath(level);
  const std::string base = PackBase(pack);
  LevelPakPath = pack;
  TPak::Init();

  TWorldImage::Clear();
  TBlock::ClearBlocks();
  // A level that cannot be played in full is not played at all: whatever
  // was read of it goes again, and the reason is logged.
  auto refuse = [&](const std::string& why) {
    LogMessage("[Level ERROR] Level " + std::to_string(level) + " cannot be played: " + why);
    Unload();
    return 0;
  };
  if (!LoadLevel(TPak::PakSmall(base + ".xml"))) return refuse(base + ".xml could not be read");
  if (!CheckSettings(level)) return refuse("its settings are out of range");
  if (!BoxFileReadable()) return refuse("data/world/box.xml could not be read");

  if (!World) return refuse("there is no world");
  platform::StreamRef worldFile = TPak::PakSmall(base + "_world.xml");
  if (!worldFile || !World->LoadOld(worldFile))
    return refuse(base + "_world.xml or the claw (data/world/handle.xml, cable.xml) could not be loaded");
  World->MovingFloor = TFloor::Load(TPak::PakSmall(base + "_floor.xml"));
  TBrick::Clear();
  // Walls and trolleys are optional: most levels have neither file.
  if (platform::StreamRef bricks = TPak::PakSmall(base + "_bricks.xml")) TBrick::Load(bricks);
  if (platform::StreamRef trolleys = TPak::PakSmall(base + "_trolley.xml")) TTrolley::LoadTrolley(trolleys);
  TObstacle::Load();
  TWorldImage::Init();
  platform::StreamRef blocksFile = TPak::PakSmall(base + "_blocks.xml");
  if (!blocksFile || !TBlock::LoadBlocks(blocksFile)) return refuse(base + "_blocks.xml could not be read");
  ApplyTileset(tileset);

  ReleasedBlockCount = 0;
  std::fill(std::begin(ReleasedClasses), std::end(ReleasedClasses), 0);
  for (const auto& box : BlockList) {
    if (!box->Released) continue;
    ++ReleasedBlockCount;
    if (box->class_ >= 1 && box->class_ <= 8) ReleasedClasses[box->class_ - 1] = 1;
  }
  TTrolley::Reset();

  TPolyAnim::ClearPoly();
  TPolyAnim::Load("data/img/levels/desert/polyanim_ingame.xml");
  if (water) {
    World->Water = TWater::Create(TWater::WaterArray(156, 29, 16), waterlevel);
    TPolyAnim::Load("data/img/levels/desert/polyanim_water.xml");
    World->Water->Effect = TEmitter::Create(330, 600, EffectWaterBubble, 0);
    if (World->Water->Effect && World->Water->Effect->Config) {
      // A surface below the bottom of the screen would give negative lifetimes.
      World->Water->Effect->Config->Lifetime[0] = std::max(0, 12000 - 20 * waterlevel);
      World->Water->Effect->Config->Lifetime[1] = std::max(0, 15000 - 25 * waterlevel);
    }
  }
  if (LevelStaticPath) LevelStaticPath->Load(TPak::PakSmall(base + "_path.dat"));

  if (GameState) {
    GameState->GenTime = GenTime;
    GameState->parazite = parazite;
    GameState->GameType = gametype;
  }
  const bool clearField = gametype == 1 || gametype == 10 || gametype == 100;
  World->CreaturesToRelease = static_cast<float>(clearField ? ReleasedBlockCount - 1 : blocks);
  return 1;
}

// ----------------------------------------------------------------- campaign

const char* BackgroundId(int level) {
  return level <= 20   ? "IMAGE_BACK"
         : level <= 31 ? "IMAGE_BACK_EVIL"
         : level <= 46 ? "IMAGE_SNOW_BACK"
         : level <= 65 ? "IMAGE_SNOW_BACK2"
                       : "IMAGE_SNOW_BACK_EVIL";
}

int TLevel::SetLevel(int level) {
  const int stageOf = GetInfo(level, 0);
  if (GameState) {
    GameState->Level = level;
    GameState->Stage = stageOf;
    if (GetInfo(level - 1, 0) != stageOf)
      GameState->Round = 1;
    else if (GetInfo(level - 2, 0) != stageOf)
      GameState->Round = 2;
    else if (GetInfo(level - 3, 0) != stageOf)
      GameState->Round = 3;
  }
  if (LevelLinks.SetBackground && ResManager) LevelLinks.SetBackground(ResManager->GetImage(BackgroundId(level)));
  if (StartLevel > 1 || CustomGame()) {
    const int island = StageIsland(stageOf);
    if (island != 0 && LevelLinks.LoadVillage) LevelLinks.LoadVillage(island);
  }
  return 0;
}

int TLevel::NextLevel() {
  if (!GameState) return 0;
  SetLevel(GameState->Level + 1);
  const int level = GameState->Level;

  if (GameState->CustomLevel) {
    int completed = 0, saved = 0;
    if (LevelLinks.ProfileProgress) LevelLinks.ProfileProgress(completed, saved);
    if ((completed && level > LevelCount) || (!completed && level >= saved)) {
      if (LevelLinks.EndLevelSelect) LevelLinks.EndLevelSelect();
      return 0;
    }
  }
  auto toVillage = [] {
    if (ScreenFade) ScreenFade->pause = 1;
    GameState->SetHided(1);
    if (LevelLinks.ShowVillage) LevelLinks.ShowVillage();
  };
  if (level > LevelCount) {
    toVillage();
    return 0;
  }
  if (!GameState->CustomLevel && level - 1 >= 1 && GetInfo(level, 0) > GetInfo(level - 1, 0)) {
    toVillage();
    return 0;
  }
  if (!GameState->CustomLevel && LevelLinks.BetweenLevels && LevelLinks.BetweenLevels()) return 0;
  if (GameState->CustomLevel) {
    if (PlayerState) {
      PlayerState->scores = 0;
      PlayerState->money = 0;
    }
    if (GameInterface && GameInterface->Points) GameInterface->Points->Ammount = 0;
    GameState->PlayTime = 0;
    GameState->PausedTime = 0;
  }
  GameState->Start();
  return 0;
}

int TLevel::PrevLevel() {
  if (!GameState) return 1;
  int level = GameState->Level;
  if (GameState->CustomLevel) return level;
  while (level > 1 && GetInfo(level, 0) == GetInfo(level - 1, 0)) --level;
  return level;
}

}  // namespace kelp
