#pragma once
// The profile file "<name>.dat" as bytes, and "user.dat". Little-endian:
//   version   short string (one byte n, n Latin-1 bytes): the game's version text
//   name      short string: the player's name
//   has-data  byte, 0 or 1; when 1:
//   header    GameMode, Stage, Level, Island (int32), Skill (float32), Scores,
//             Money, DayTime, GameCompleted (int32), Skips (byte)
//   village   the village's block (VillageBlockLayout below) to the end of the file
// Every value is checked against its range and the file must end exactly
// where its last record does: anything else is refused whole, so a damaged
// file never reaches the game and is never half applied.
#include <string>

namespace kelp {

class TGameData;

// The village's block, written and read by the village code (see
// VillageSaveLinks in profile.h):
//   ParaziteDamage int32
//   V int32, then V villagers: ID, x, y (int32), speed (float32), name (int32 n,
//     n UTF-16LE units), creature_color, Sex, Brainless, hided, unhide_flag,
//     unhide time left (ms), settled, in_da_house (int32), house, home
//     (int32 n, n Latin-1 bytes)
//   B int32, then B built buildings: name (int32 n, n bytes), Hide, C int32 +
//     C villager ids, L int32 + L villager ids
//   T int32, then T trophies: name (int32 n, n bytes), enabled, hide (int32)
//   Portal_state int32, gate state int32
// The profile checks only its shape (counts and lengths within the limits
// below, nothing missing, nothing after it); its meaning is the village's.
namespace VillageBlockLayout {
constexpr int MaxVillagers = 500;
constexpr int MaxBuildings = 200;
constexpr int MaxIdsPerBuilding = 500;
constexpr int MaxTrophies = 200;
constexpr int MaxStringLength = 256;
}  // namespace VillageBlockLayout

// The block of a village with nothing in it: no damage, villagers, buildings,
// trophies, portal or gate.
std::string EmptyVillageBlock();
// True when the bytes have the block's shape and nothing after it.
bool CheckVillageBlock(const std::string& block);

// The largest profile file read; anything longer is refused unread.
constexpr long long MaxProfileFileSize = 1 << 20;
constexpr int MaxStage = 1000;
constexpr int MaxLevel = 1000;

enum class ProfileRead {
  Ok,
  OtherVersion,  // well formed up to its version text, which is not ours
  Damaged,       // cut short, too long, a value out of range, a bad name
};

// What a profile file holds. `data` receives the header and the village
// block only when the result is Ok; `hasData` says whether the file carried them.
struct ProfileFileContent {
  std::string version;
  std::string name;  // UTF-8
  bool hasData = false;
};

// Reads a whole profile file. `why` gets a short reason for the log when the
// file is refused.
ProfileRead ReadProfileFile(const std::string& bytes, const std::string& gameVersion, ProfileFileContent& content,
                            TGameData& data, std::string& why);
// The file's bytes; the village block is data.VillageBlock (the empty block
// when that is empty). Names and versions longer than 255 bytes are cut.
std::string ProfileFileBytes(const std::string& version, const std::string& name, const TGameData* data);

// Two version texts name the same save format: equal once a trailing
// " DEBUG" (a debug run of the same build) is dropped from each.
bool SameSaveVersion(const std::string& a, const std::string& b);

// "user.dat": one short string, the current player's name. False (and name
// untouched) when the bytes are not exactly that, or the name is not a file-safe name.
bool ReadUserDat(const std::string& bytes, std::string& name);
std::string UserDatBytes(const std::string& name);

}  // namespace kelp
