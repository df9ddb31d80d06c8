#include "frontend/profile.h"

#include "framework/files/log.h"
#include "play/player.h"

namespace kelp {

ObjectList<TProfile> Profiles;

void TGameData::EraseData() {
  Level = 1;
  Stage = 1;
  Island = 1;
  GameCompleted = 0;
  Skill = 0.0f;
}

void TProfile::LoadProfiles() {
  Profiles.Clear();
  if (Player) Player->Profile = nullptr;
}

int TProfile::Save() {
  WriteLog("Profile \"" + name + "\" not saved: profile files are not written by this version", LOG_WARNING);
  return 0;
}

}  // namespace kelp
