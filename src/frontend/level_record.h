#pragma once
// Per level and game mode, the three best results (name and score), kept in
// LevelRecords for the whole run and in "records.dat" in the save folder:
// per record the level byte, the mode byte, then three entries of a
// byte-length name (one byte per character) and an int32 score. No header,
// no count.
//
// A table asked for the first time is made with three invented results, so
// there is always something to beat. A file that does not divide into whole
// records is refused whole with a log line (the tables start over with
// invented results); the file is always written whole through a temporary
// file, so an interrupted write keeps the old one.
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

  // A record with invented results (normal: 1000-1500, 2000-3000 and
  // 3000-4500 from the third up; relaxed 500-700 and so on), appended to
  // LevelRecords. Other modes keep empty names and zero scores.
  static Ref<TLevelRecord> Create(int id, int gameType);
  // Reads "records.dat" into LevelRecords; a missing or empty file changes
  // nothing. False when the file was refused.
  static bool Load();
  static bool Load(platform::Stream& stream);
  // Writes LevelRecords to "records.dat"; false when it could not be written.
  static bool Save();
  static bool Write(platform::Stream& stream);
  // The first record of (id, gameType), made with invented results when missing.
  static Ref<TLevelRecord> GetRecord(int id, int gameType);
  // Enters a result: it takes the place of the first entry with a lower
  // score, and the entries below move down one (the third drops out). An
  // equal score stays below.
  static void SetRecord(int id, int gameType, const std::string& name, int score);
};

extern ObjectList<TLevelRecord> LevelRecords;

// The path of "records.dat" in the save folder.
std::string RecordsPath();

}  // namespace kelp
