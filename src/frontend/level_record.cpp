#include "frontend/level_record.h"

#include "framework/core/random.h"
#include "framework/core/utf8.h"
#include "framework/files/strings.h"
#include "frontend/save_folder.h"
#include "platform/files.h"

namespace kelp {

ObjectList<TLevelRecord> LevelRecords;

Ref<TLevelRecord> TLevelRecord::Create(int id, int gameType) {
  auto r = New<TLevelRecord>();
  r->id = id;
  r->GameType = gameType;
  if (gameType == 0 || gameType == 1) {
    for (int i = 0; i < 3; ++i) {
      r->scores[i] = (gameType == 0 ? Rand(10, 15) : Rand(5, 7)) * 100 * (3 - i);
      r->name[i] = PhraseBank ? PhraseBank->GetScoresName() : "";
    }
  }
  LevelRecords.AddLast(r);
  return r;
}

void TLevelRecord::Load(platform::Stream& s) {
  while (s.Remaining() >= 2) {
    const int id = s.ReadByte();
    const int gameType = s.ReadByte();
    std::string names[3];
    int scores[3] = {};
    bool whole = true;
    for (int i = 0; i < 3 && whole; ++i) {
      if (s.Remaining() < 1) {
        whole = false;
        break;
      }
      const size_t n = s.ReadByte();
      if (s.Remaining() < static_cast<int64_t>(n) + 4) {
        whole = false;
        break;
      }
      names[i] = utf8::FromLatin1(s.ReadBytes(n));
      scores[i] = s.ReadInt();
    }
    if (!whole) break;
    Ref<TLevelRecord> r = Create(id, gameType);
    for (int i = 0; i < 3; ++i) {
      r->name[i] = names[i];
      r->scores[i] = scores[i];
    }
  }
}

void TLevelRecord::Load() {
  platform::StreamRef s = platform::OpenFileRead(GetSaveFolder() + "records.dat");
  if (s) Load(*s);
}

}  // namespace kelp
