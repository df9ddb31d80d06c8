#pragma once
// Player profiles and their save game. A profile is one player: a name and
// one file "<name>.dat" in the profile folder (save_folder.h; the file's
// layout is in profile_file.h). "user.dat" in the save folder names the
// current player, Player->Profile, so the next start selects it again.
//
// The save record is not passive: SaveData gathers the live game (running
// level, player, village) into it, LoadData puts it back into the live
// objects, EraseData resets both to a new game.
//
// Every file is written through the atomic save helper, so an interrupted
// save leaves the previous one. A file that cannot be used is never
// overwritten: a damaged one, or one of another version, is renamed aside
// ("<name>.dat.damaged", "<name>.dat.other-version"), logged and the player
// told; the other players carry on. A save folder that cannot be written is
// told once and the game goes on unsaved.
#include <cstdint>
#include <functional>
#include <string>

#include "framework/core/object.h"
#include "framework/core/object_list.h"

namespace kelp {

class TGameData : public Object {
 public:
  int Stage = 0;          // campaign stage reached
  int Level = 0;          // campaign level reached; 0 for a new game
  int Island = 0;         // village: 1 desert, 2 snow (0 is taken as 1)
  int Scores = 0;         // the player's total score
  int Money = 0;          // the player's coins
  int DayTime = 0;        // the village's day phase before the one current at saving, 1..6
  int Time = 0;           // never stored
  float Skill = 0.0f;     // running mean of the share of a round's clock used to win, 0..1
  int GameMode = 0;       // 0 normal, 1 relaxed
  int GameCompleted = 0;  // 1 once the campaign was finished; erasing keeps it
  uint8_t Skips = 3;      // level skips left
  // The village's part of the save, as the village code wrote it (see
  // VillageSaveLinks); kept as it was read until the village takes it.
  // Empty means an empty village.
  std::string VillageBlock;

  // Copies the live game into the record: mode, stage and level of the
  // running level, the island, the player's score and coins, the village's
  // day phase and its block. What is not running keeps the record's value.
  void SaveData();
  // Puts the record into the live game: the player's coins and score, the
  // running level's mode, the village's day phase, then the village block
  // (VillageSaveLinks.Load). False when the village refused its block; the
  // rest is applied all the same.
  bool LoadData();
  // A new game, for the record and the live game: villagers, buildings and
  // trophies cleared (VillageSaveLinks.Erase), the player's coins and score
  // 0, the running level at level and stage 1, the record at stage and level
  // 0 on island 1, mode normal, 3 skips; the island 1 village is loaded.
  // GameCompleted keeps its value.
  void EraseData();
  // The record part of EraseData alone, the live game untouched.
  void EraseRecord();
};

class TProfile : public Object {
 public:
  std::string name;     // as typed; a file-safe name (save_folder.h)
  std::string path;     // the profile file
  Ref<TGameData> data;  // the save record; never null after Create

  // A profile of that name with an erased record, appended to Profiles and,
  // when `save` is not 0, saved at once. Null (logged) when the name cannot
  // be a file name.
  static Ref<TProfile> Create(const std::string& name, int save);
  // Rebuilds Profiles from the profile folder (sorted by file name) and
  // makes the player of "user.dat" current (else the last profile), then
  // loads that player's village. Files that cannot be used are put aside as
  // above. 0 when the profile folder cannot be opened.
  static int LoadProfiles();
  // The first profile whose name equals `name` ignoring letter case; null when none.
  static Ref<TProfile> SearchByName(const std::string& name);
  // The profile leaves Profiles and its own file (path) is deleted. When it
  // was the current player, the last remaining profile becomes current
  // (SetUser), or none.
  int Remove();
  // Gathers the live game (TGameData::SaveData) and writes the file. Does
  // nothing (1) while a level-select game runs. 0 when it was not written
  // (logged; the player is told; the old file stays).
  int Save();
  // Makes this the current player, the one that starts next time ("user.dat"),
  // resets the live game to a new game and then to the profile's header from
  // its file, and loads its island's village.
  int SetUser();
  // Reads the header of the profile's file into `data` (made when null). 0
  // when the file cannot be opened or is refused; `data` is then untouched.
  int LoadHeader();
  // Reads the whole save from the file and puts it into the live game
  // (TGameData::LoadData). 0 when the file cannot be opened or is refused
  // (nothing applied), or the village refused its block.
  int LoadData();

  // The file was read or written by this run, so a save may replace it; a
  // file of that name found otherwise is put aside before the first save.
  bool ownsFile = false;
};

extern ObjectList<TProfile> Profiles;

// How the profile reaches the village's part of the save, filled by start-up
// with the village's code. Unset hooks leave the block as it was read (an
// empty village for a new game).
struct TVillageSaveLinks {
  // The live village as a block (layout in profile_file.h).
  std::function<std::string()> Save;
  // Clears the village for loading and restores it from the block. False
  // when the block is refused (the village then starts its stage afresh).
  std::function<bool(const std::string& block)> Load;
  // Removes every villager, unbuilds every building, resets the trophies and
  // clears the village, for a new game.
  std::function<void()> Erase;
};
extern TVillageSaveLinks VillageSaveLinks;

// "user.dat" in the save folder.
std::string UserDatPath();

}  // namespace kelp
