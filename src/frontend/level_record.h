#pragma once
// Per level and game mode, the three best results, kept in "records.dat" in
// the save folder: per record the level, the mode, then three entries of a
// byte-length name (one byte per character) and an int32 score.
#include <string>

#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "platform/stream.h"

namespace kelp {

class TLevelRecord : public Object {
 public:
  int GameType = 0;  // 0 normal, 1 relaxed
  int id = 0;        // level number
  std::string name[3];
  int scores[3] = {0, 0, 0};

  // A record with invented results, appended to LevelRecords.
  static Ref<TLevelRecord> Create(int id, int gameType);
  // Reads "records.dat"; a missing or empty file changes nothing, and a
  // record cut short at the end is left out.
  static void Load();
  static void Load(platform::Stream& stream);
};

extern ObjectList<TLevelRecord> LevelRecords;

}  // namespace kelp
