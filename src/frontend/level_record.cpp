#include "frontend/level_record.h"

#include <vector>

#include "framework/core/random.h"
#include "framework/core/utf8.h"
#include "framework/files/log.h"
#include "framework/files/strings.h"
#include "frontend/save_folder.h"
#include "platform/files.h"

namespace kelp {

ObjectList<TLevelRecord> LevelRecords;

namespace {

constexpr size_t kMaxName = 255;

struct Entry {
  int id = 0, gameType = 0;
  std::string name[3];
  int scores[3] = {0, 0, 0};
};

// Every record of the file, or false when the bytes do not divide into whole records.
bool ReadRecords(platform::Stream& s, std::vector<Entry>& out) {
  while (s.Remaining() > 0) {
    if (s.Remaining() < 2) return false;
    Entry e;
    e.id = s.ReadByte();
    e.gameType = s.ReadByte();
    for (int i = 0; i < 3; ++i) {
      if (s.Remaining() < 1) return false;
      const size_t n = s.ReadByte();
      if (s.Remaining() < static_cast<int64_t>(n) + 4) return false;
      e.name[i] = utf8::FromLatin1(s.ReadBytes(n));
      e.scores[i] = s.ReadInt();
    }
    out.push_back(std::move(e));
  }
  return true;
}

}  // namespace

std::string RecordsPath() { return GetSaveFolder() + "records.dat"; }

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

bool TLevelRecord::Load(platform::Stream& s) {
  std::vector<Entry> entries;
  if (!ReadRecords(s, entries)) {
    WriteLog("records.dat is damaged (it does not divide into whole records); the level records start over",
             LOG_WARNING);
    return false;
  }
  for (const Entry& e : entries) {
    // A key the list already holds would never be read: the first one stands.
    const bool known = LevelRecords.FindFirst([&](const TLevelRecord& r) {
      return r.id == e.id && r.GameType == e.gameType;
    }).InList();
    if (known) continue;
    Ref<TLevelRecord> r = Create(e.id, e.gameType);
    for (int i = 0; i < 3; ++i) {
      r->name[i] = e.name[i];
      r->scores[i] = e.scores[i];
    }
  }
  return true;
}

bool TLevelRecord::Load() {
  const platform::StreamRef s = platform::OpenFileRead(RecordsPath());
  if (!s || s->Size() == 0) return true;
  if (Load(*s)) return true;
  Save();  // the damaged file goes; the tables are invented anew as they are asked for
  return false;
}

bool TLevelRecord::Write(platform::Stream& s) {
  for (const Ref<TLevelRecord>& r : LevelRecords) {
    s.WriteByte(static_cast<uint8_t>(r->id));
    s.WriteByte(static_cast<uint8_t>(r->GameType));
    for (int i = 0; i < 3; ++i) {
      std::string bytes = utf8::ToLatin1(r->name[i]);
      if (bytes.size() > kMaxName) bytes.resize(kMaxName);
      s.WriteByte(static_cast<uint8_t>(bytes.size()));
      s.WriteBytes(bytes);
      s.WriteInt(r->scores[i]);
    }
  }
  return s.Ok();
}

bool TLevelRecord::Save() {
  if (platform::SaveFileAtomic(RecordsPath(), Write)) return true;
  WriteLog("records.dat could not be written; the old file is kept", LOG_ERROR);
  return false;
}

Ref<TLevelRecord> TLevelRecord::GetRecord(int id, int gameType) {
  for (const Ref<TLevelRecord>& r : LevelRecords)
    if (r->id == id && r->GameType == gameType) return r;
  return Create(id, gameType);
}

void TLevelRecord::SetRecord(int id, int gameType, const std::string& name, int score) {
  const Ref<TLevelRecord> r = GetRecord(id, gameType);
  for (int i = 0; i < 3; ++i) {
    if (r->scores[i] >= score) continue;
    for (int k = 2; k > i; --k) {
      r->scores[k] = r->scores[k - 1];
      r->name[k] = r->name[k - 1];
    }
    r->scores[i] = score;
    r->name[i] = name;
    return;
  }
}

}  // namespace kelp
