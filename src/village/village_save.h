#pragma once
// The village's part of the save game: a block of bytes the profile keeps
// behind its header. Little-endian:
//   ParaziteDamage int32
//   V int32, then V villagers: ID, x, y (int32), speed (float32), name (int32 n,
//     n UTF-16LE units), creature_color, Sex, Brainless, hided, unhide_flag,
//     unhide time left (ms), settled, in_da_house (int32), house, home
//     (int32 n, n Latin-1 bytes: building names, "" for none)
//   B int32, then B built buildings: name (int32 n, n bytes), Hide, C int32 +
//     C villager ids inside, L int32 + L villager ids living there
//   T int32, then T trophies: name (int32 n, n bytes), enabled, hide (int32)
//   Portal_state int32, gate state int32
// Reading is all or nothing: a block that is cut short, too long, holds a
// value out of range or names what the village does not know is refused
// whole with a log line, and the village is left empty for its stage to start
// afresh.
#include <string>

namespace kelp {

// The live village as a block.
std::string SaveVillageBlock();
// Clears the village and restores it from the block; false (logged, village
// left cleared) when the block is refused.
bool LoadVillageBlock(const std::string& block);
// A new game: no villagers, nothing built, trophies reset, the visit's story cleared.
void EraseVillage();

}  // namespace kelp
