#pragma once
// Player profiles and their save record. The profiles live in the profile
// folder; "user.dat" in the save folder names the current one.
#include <string>

#include "framework/core/object.h"
#include "framework/core/object_list.h"

namespace kelp {

class TGameData : public Object {
 public:
  int Level = 1;
  int Stage = 1;
  int Island = 1;
  int GameCompleted = 0;
  float Skill = 0.0f;

  // Back to a fresh game.
  void EraseData();
};

class TProfile : public Object {
 public:
  std::string name;
  std::string path;       // the profile file
  Ref<TGameData> data;    // null until the game data is read or made

  // Empties Profiles and leaves the player without a current profile; the
  // profile files are read by the profile code.
  static void LoadProfiles();
  // Writes the profile file; 0 when it was not written.
  int Save();
};

extern ObjectList<TProfile> Profiles;

}  // namespace kelp
