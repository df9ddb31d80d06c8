#include "frontend/profile.h"

#include "framework/core/numbers.h"
#include "framework/core/path.h"
#include "framework/core/startup_settings.h"
#include "framework/files/log.h"
#include "frontend/profile_file.h"
#include "frontend/save_folder.h"
#include "frontend/save_notice.h"
#include "play/game.h"
#include "play/player.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "village/village.h"
#include "world/village_state.h"

namespace kelp {

ObjectList<TProfile> Profiles;
TVillageSaveLinks VillageSaveLinks;

namespace {

constexpr long long kMaxUserDatSize = 256;

// The whole file when it opens and is no larger than `max`; why says otherwise.
bool ReadBounded(const std::string& path, long long max, std::string& out, std::string& why) {
  const platform::StreamRef s = platform::OpenFileRead(path);
  if (!s) {
    why = "it cannot be opened";
    return false;
  }
  if (s->Size() > max) {
    why = "it is larger than any such file (" + std::to_string(s->Size()) + " bytes)";
    return false;
  }
  out = s->ReadBytes(static_cast<size_t>(s->Size()));
  return true;
}

void LoadVillageOf(int island) {
  if (VillageScreen) VillageScreen->Load(island);
}

// The live part of a new game.
void EraseLive() {
  if (VillageSaveLinks.Erase) VillageSaveLinks.Erase();
  if (Player) {
    Player->money = 0;
    Player->scores = 0;
  }
  if (GameScreen) {
    GameScreen->Level = 1;
    GameScreen->Stage = 1;
    GameScreen->CustomLevel = 0;
  }
  LoadVillageOf(1);
}

// The version mismatch line the log has always carried for such files.
std::string VersionLogLine(const ProfileFileContent& content) {
  return "Save file version(" + content.version + ") <> game version (" + GameVersion + ")";
}

// A damaged file goes aside and the player hears of it; false when it could not be moved.
void RefuseDamaged(const std::string& path, const std::string& why) {
  WriteLog("Save " + path + " is refused: " + why, LOG_ERROR);
  const std::string aside = PutAside(path, "damaged");
  if (!aside.empty()) WriteLog("It is kept as " + aside, LOG_MESSAGE);
  TellPlayer(NOTICE_DAMAGED_SAVE, FileName(aside.empty() ? path : aside));
}

bool KeepOtherVersionAside(const std::string& path, const ProfileFileContent& content) {
  WriteLog(VersionLogLine(content), LOG_MESSAGE);
  const std::string aside = PutAside(path, "other-version");
  if (aside.empty()) return false;
  WriteLog("It is kept as " + aside + "; the player starts a new game", LOG_MESSAGE);
  TellPlayer(NOTICE_OTHER_VERSION, FileName(aside));
  return true;
}

void CannotSave(const std::string& what) {
  WriteLog(what + " could not be written; the old file is kept and the game goes on unsaved", LOG_ERROR);
  TellPlayer(NOTICE_NOT_SAVED, FolderOf(what));
}

}  // namespace

std::string UserDatPath() { return GetSaveFolder() + "user.dat"; }

// ---- TGameData ----

void TGameData::SaveData() {
  if (GameScreen) {
    GameMode = GameScreen->GameMode;
    Stage = GameScreen->Stage;
    Level = GameScreen->Level;
  }
  if (CurrentVillage == 1 || CurrentVillage == 2) Island = CurrentVillage;
  if (Player) {
    Scores = Player->scores;
    Money = Player->money;
  }
  if (VillageScreen && VillageScreen->DayTime >= 1 && VillageScreen->DayTime <= 6)
    DayTime = VillageScreen->DayTime == 1 ? 6 : VillageScreen->DayTime - 1;
  if (VillageSaveLinks.Save) VillageBlock = VillageSaveLinks.Save();
}

bool TGameData::LoadData() {
  if (Player) {
    Player->money = Money;
    Player->scores = Scores;
  }
  if (GameScreen) GameScreen->GameMode = GameMode;
  if (VillageScreen && DayTime >= 1 && DayTime <= 6) VillageScreen->DayTime = DayTime;
  if (!VillageSaveLinks.Load) return true;
  return VillageSaveLinks.Load(VillageBlock.empty() ? EmptyVillageBlock() : VillageBlock);
}

void TGameData::EraseRecord() {
  Stage = 0;
  Level = 0;
  Island = 1;
  Scores = 0;
  Money = 0;
  DayTime = 0;
  Time = 0;
  Skill = 0.0f;
  GameMode = 0;
  Skips = 3;
  VillageBlock.clear();
}

void TGameData::EraseData() {
  EraseLive();
  EraseRecord();
}

// ---- TProfile ----

Ref<TProfile> TProfile::Create(const std::string& name, int save) {
  if (!IsFileSafeName(name)) {
    WriteLog("\"" + name + "\" cannot be a player's name (it cannot be a file name)", LOG_WARNING);
    return nullptr;
  }
  auto p = New<TProfile>();
  p->name = name;
  p->path = GetProfileFolder() + name + ".dat";
  p->data = New<TGameData>();
  p->data->EraseData();
  Profiles.AddLast(p);
  if (save) p->Save();
  return p;
}

Ref<TProfile> TProfile::SearchByName(const std::string& name) {
  const std::string key = Lower(name);
  for (const Ref<TProfile>& p : Profiles)
    if (Lower(p->name) == key) return p;
  return nullptr;
}

int TProfile::LoadProfiles() {
  Profiles.Clear();
  if (Player) Player->Profile = nullptr;
  const std::string folder = GetProfileFolder();
  if (!platform::IsFolder(folder)) {
    WriteLog("The profile folder " + folder + " cannot be opened; no players are listed", LOG_ERROR);
    TellPlayer(NOTICE_NOT_SAVED, folder);
    return 0;
  }
  for (const std::string& file : platform::ListFolder(folder)) {
    if (Extension(file) != "dat") continue;
    const std::string path = folder + file;
    if (!platform::IsFile(path)) continue;
    const std::string stem = file.substr(0, file.size() - 4);
    if (!IsFileSafeName(stem)) {
      WriteLog("Save " + path + " is skipped: its name cannot be a player's name", LOG_WARNING);
      continue;
    }
    std::string bytes, why;
    if (!ReadBounded(path, MaxProfileFileSize, bytes, why)) {
      if (platform::IsFile(path) && platform::FileSize(path) > MaxProfileFileSize) {
        RefuseDamaged(path, why);
      } else {
        WriteLog("Save " + path + " is skipped: " + why, LOG_ERROR);
      }
      continue;
    }
    ProfileFileContent content;
    auto data = New<TGameData>();
    data->EraseRecord();
    const ProfileRead read = ReadProfileFile(bytes, GameVersion, content, *data, why);
    if (read == ProfileRead::Damaged) {
      RefuseDamaged(path, why);
      continue;
    }
    if (read == ProfileRead::OtherVersion && !KeepOtherVersionAside(path, content)) continue;
    auto p = New<TProfile>();
    // The file's own name is the one to trust: a stored name that differs
    // (other than in letter case) would make the player and the file disagree.
    p->name = read == ProfileRead::Ok && Lower(content.name) == Lower(stem) ? content.name : stem;
    if (read == ProfileRead::Ok && p->name != content.name)
      WriteLog("Save " + path + " names another player (\"" + content.name + "\"); it is listed as " + stem,
               LOG_WARNING);
    if (SearchByName(p->name)) {
      WriteLog("Save " + path + " is skipped: a player of that name is listed already", LOG_WARNING);
      continue;
    }
    p->path = path;
    p->data = data;
    p->ownsFile = true;  // read whole, or moved aside so the name is free
    Profiles.AddLast(p);
  }

  Ref<TProfile> current;
  std::string bytes, why, stored;
  const std::string userDat = UserDatPath();
  if (platform::IsFile(userDat)) {
    if (ReadBounded(userDat, kMaxUserDatSize, bytes, why) && ReadUserDat(bytes, stored)) {
      current = SearchByName(stored);
    } else {
      WriteLog("user.dat is refused: " + (why.empty() ? "it is not one player's name" : why), LOG_ERROR);
      const std::string aside = PutAside(userDat, "damaged");
      TellPlayer(NOTICE_DAMAGED_USER, FileName(aside.empty() ? userDat : aside));
    }
  }
  if (!current) current = Profiles.Last();
  if (!current) return 1;
  if (Player) Player->Profile = current;
  // A new start: the live game is fresh until the village loads the save.
  EraseLive();
  if (current->data->Island == 0) current->data->Island = 1;
  LoadVillageOf(current->data->Island);
  return 1;
}

int TProfile::Remove() {
  const bool wasCurrent = Player && Player->Profile.get() == this;
  Profiles.Remove(this);
  // Only this profile's own file: a stored name never chooses what is deleted.
  if (ownsFile && platform::IsFile(path) && !platform::DeleteFile(path))
    WriteLog("Save " + path + " could not be deleted", LOG_ERROR);
  ownsFile = false;
  if (!wasCurrent) return 1;
  if (Player) Player->Profile = nullptr;
  if (const Ref<TProfile> last = Profiles.Last()) {
    if (Player) Player->Profile = last;
    last->SetUser();
  }
  return 1;
}

int TProfile::Save() {
  if (GameScreen && GameScreen->CustomLevel) return 1;  // a level-select game is never saved
  if (!data) data = New<TGameData>();
  data->SaveData();
  // A file of this name that this run did not read is someone's save: keep it.
  if (!ownsFile && platform::IsFile(path)) {
    const std::string aside = PutAside(path, "old");
    if (aside.empty()) {
      CannotSave(path);
      return 0;
    }
    WriteLog("An earlier save " + path + " is kept as " + aside, LOG_MESSAGE);
  }
  if (!platform::SaveFileAtomic(path, ProfileFileBytes(GameVersion, name, data.get()))) {
    CannotSave(path);
    return 0;
  }
  ownsFile = true;
  return 1;
}

int TProfile::SetUser() {
  if (!platform::SaveFileAtomic(UserDatPath(), UserDatBytes(name))) CannotSave(UserDatPath());
  if (!data) data = New<TGameData>();
  data->EraseData();
  if (platform::IsFile(path)) LoadHeader();
  if (data->Island == 0) data->Island = 1;
  LoadVillageOf(data->Island);
  return 1;
}

int TProfile::LoadHeader() {
  std::string bytes, why;
  if (!ReadBounded(path, MaxProfileFileSize, bytes, why)) {
    WriteLog("Save " + path + " is not read: " + why, LOG_WARNING);
    return 0;
  }
  ProfileFileContent content;
  auto read = New<TGameData>();
  *read = data ? *data : TGameData();
  switch (ReadProfileFile(bytes, GameVersion, content, *read, why)) {
    case ProfileRead::Ok:
      data = read;
      return 1;
    case ProfileRead::OtherVersion:
      WriteLog(VersionLogLine(content), LOG_MESSAGE);
      return 0;
    case ProfileRead::Damaged:
      break;
  }
  RefuseDamaged(path, why);
  ownsFile = false;
  return 0;
}

int TProfile::LoadData() {
  if (!LoadHeader()) return 0;
  return data->LoadData() ? 1 : 0;
}

}  // namespace kelp
