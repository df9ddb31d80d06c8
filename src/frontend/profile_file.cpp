#include "frontend/profile_file.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "framework/core/utf8.h"
#include "frontend/profile.h"
#include "frontend/save_folder.h"

namespace kelp {

namespace {

constexpr std::string_view kDebugSuffix = " DEBUG";
constexpr size_t kMaxShortString = 255;

// Reads little-endian values from bytes; any read past the end sets `bad`
// and gives 0, so a reader checks once at the end of a record.
class Reader {
 public:
  explicit Reader(const std::string& bytes) : s_(bytes) {}
  bool bad = false;
  size_t Left() const { return s_.size() - pos_; }
  bool AtEnd() const { return pos_ == s_.size(); }

  uint8_t Byte() {
    if (Left() < 1) return Fail();
    return static_cast<uint8_t>(s_[pos_++]);
  }
  int32_t Int() {
    if (Left() < 4) return Fail();
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(s_[pos_ + i])) << (8 * i);
    pos_ += 4;
    return static_cast<int32_t>(v);
  }
  float Float() {
    const uint32_t bits = static_cast<uint32_t>(Int());
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }
  std::string Bytes(size_t n) {
    if (Left() < n) {
      Fail();
      return "";
    }
    std::string out = s_.substr(pos_, n);
    pos_ += n;
    return out;
  }
  std::string ShortString() { return Bytes(Byte()); }
  // A count or length stored as int32, refused outside 0..max.
  int Count(int max) {
    const int32_t n = Int();
    if (n < 0 || n > max) return Fail();
    return n;
  }
  std::string Rest() {
    std::string out = s_.substr(pos_);
    pos_ = s_.size();
    return out;
  }

 private:
  uint8_t Fail() {
    bad = true;
    pos_ = s_.size();
    return 0;
  }
  const std::string& s_;
  size_t pos_ = 0;
};

class Writer {
 public:
  std::string out;
  void Byte(uint8_t v) { out += static_cast<char>(v); }
  void Int(int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) out += static_cast<char>((u >> (8 * i)) & 0xFF);
  }
  void Float(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    Int(static_cast<int32_t>(bits));
  }
  void ShortString(const std::string& utf8Text) {
    std::string bytes = utf8::ToLatin1(utf8Text);
    if (bytes.size() > kMaxShortString) bytes.resize(kMaxShortString);
    Byte(static_cast<uint8_t>(bytes.size()));
    out += bytes;
  }
};

void SkipVillagers(Reader& r) {
  using namespace VillageBlockLayout;
  const int v = r.Count(MaxVillagers);
  for (int i = 0; i < v && !r.bad; ++i) {
    r.Bytes(4 * 3 + 4);                                 // ID, x, y, speed
    r.Bytes(2 * static_cast<size_t>(r.Count(MaxStringLength)));  // name
    r.Bytes(4 * 8);  // colour, Sex, Brainless, hided, unhide_flag, unhide time, settled, in_da_house
    r.Bytes(r.Count(MaxStringLength));  // house
    r.Bytes(r.Count(MaxStringLength));  // home
  }
}

void SkipBuildings(Reader& r) {
  using namespace VillageBlockLayout;
  const int b = r.Count(MaxBuildings);
  for (int i = 0; i < b && !r.bad; ++i) {
    r.Bytes(r.Count(MaxStringLength));  // name
    r.Int();                            // Hide
    r.Bytes(4 * static_cast<size_t>(r.Count(MaxIdsPerBuilding)));
    r.Bytes(4 * static_cast<size_t>(r.Count(MaxIdsPerBuilding)));
  }
}

void SkipTrophies(Reader& r) {
  using namespace VillageBlockLayout;
  const int t = r.Count(MaxTrophies);
  for (int i = 0; i < t && !r.bad; ++i) {
    r.Bytes(r.Count(MaxStringLength));
    r.Bytes(4 * 2);
  }
}

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

// The header's values within the ranges the game can produce; why names the first that is not.
bool ReadHeader(Reader& r, TGameData& d, std::string& why) {
  d.GameMode = r.Int();
  d.Stage = r.Int();
  d.Level = r.Int();
  d.Island = r.Int();
  d.Skill = r.Float();
  d.Scores = r.Int();
  d.Money = r.Int();
  d.DayTime = r.Int();
  d.GameCompleted = r.Int();
  d.Skips = r.Byte();
  if (r.bad) why = "it ends inside the header";
  else if (!InRange(d.GameMode, 0, 1)) why = "game mode " + std::to_string(d.GameMode);
  else if (!InRange(d.Stage, 0, MaxStage)) why = "stage " + std::to_string(d.Stage);
  else if (!InRange(d.Level, 0, MaxLevel)) why = "level " + std::to_string(d.Level);
  else if (!InRange(d.Island, 0, 2)) why = "island " + std::to_string(d.Island);
  else if (!std::isfinite(d.Skill) || d.Skill < 0.0f || d.Skill > 1.0f) why = "skill out of 0..1";
  else if (!InRange(d.DayTime, 0, 6)) why = "day time " + std::to_string(d.DayTime);
  else if (!InRange(d.GameCompleted, 0, 1)) why = "game completed " + std::to_string(d.GameCompleted);
  else return true;
  return false;
}

}  // namespace

std::string EmptyVillageBlock() {
  Writer w;
  for (int i = 0; i < 6; ++i) w.Int(0);  // damage, no villagers, buildings or trophies, portal, gate
  return w.out;
}

bool CheckVillageBlock(const std::string& block) {
  Reader r(block);
  r.Int();  // ParaziteDamage
  SkipVillagers(r);
  SkipBuildings(r);
  SkipTrophies(r);
  r.Int();  // Portal_state
  r.Int();  // gate
  return !r.bad && r.AtEnd();
}

bool SameSaveVersion(const std::string& a, const std::string& b) {
  auto base = [](std::string v) {
    if (v.size() >= kDebugSuffix.size() && v.compare(v.size() - kDebugSuffix.size(), kDebugSuffix.size(),
                                                     kDebugSuffix) == 0)
      v.resize(v.size() - kDebugSuffix.size());
    return v;
  };
  return base(a) == base(b);
}

ProfileRead ReadProfileFile(const std::string& bytes, const std::string& gameVersion, ProfileFileContent& content,
                            TGameData& data, std::string& why) {
  if (bytes.size() > static_cast<size_t>(MaxProfileFileSize)) {
    why = "it is larger than any save";
    return ProfileRead::Damaged;
  }
  Reader r(bytes);
  content.version = utf8::FromLatin1(r.ShortString());
  content.name = utf8::FromLatin1(r.ShortString());
  if (r.bad) {
    why = bytes.empty() ? "it is empty" : "it ends inside its version or name";
    return ProfileRead::Damaged;
  }
  if (!SameSaveVersion(content.version, gameVersion)) {
    why = "version (" + content.version + ") <> game version (" + gameVersion + ")";
    return ProfileRead::OtherVersion;
  }
  if (!IsFileSafeName(content.name)) {
    why = "its stored name is not a usable player name";
    return ProfileRead::Damaged;
  }
  const uint8_t hasData = r.Byte();
  if (r.bad || hasData > 1) {
    why = r.bad ? "it ends before its game data" : "its has-data byte is " + std::to_string(hasData);
    return ProfileRead::Damaged;
  }
  content.hasData = hasData == 1;
  if (!content.hasData) {
    if (!r.AtEnd()) {
      why = "bytes follow a save without game data";
      return ProfileRead::Damaged;
    }
    return ProfileRead::Ok;
  }
  TGameData read;
  if (!ReadHeader(r, read, why)) return ProfileRead::Damaged;
  read.VillageBlock = r.Rest();
  if (!CheckVillageBlock(read.VillageBlock)) {
    why = "its village part is cut short, too long or holds impossible counts";
    return ProfileRead::Damaged;
  }
  data.GameMode = read.GameMode;
  data.Stage = read.Stage;
  data.Level = read.Level;
  data.Island = read.Island;
  data.Skill = read.Skill;
  data.Scores = read.Scores;
  data.Money = read.Money;
  data.DayTime = read.DayTime;
  data.GameCompleted = read.GameCompleted;
  data.Skips = read.Skips;
  data.VillageBlock = std::move(read.VillageBlock);
  return ProfileRead::Ok;
}

std::string ProfileFileBytes(const std::string& version, const std::string& name, const TGameData* data) {
  Writer w;
  w.ShortString(version);
  w.ShortString(name);
  w.Byte(data ? 1 : 0);
  if (!data) return w.out;
  w.Int(data->GameMode);
  w.Int(data->Stage);
  w.Int(data->Level);
  w.Int(data->Island);
  w.Float(data->Skill);
  w.Int(data->Scores);
  w.Int(data->Money);
  w.Int(data->DayTime);
  w.Int(data->GameCompleted);
  w.Byte(data->Skips);
  w.out += data->VillageBlock.empty() ? EmptyVillageBlock() : data->VillageBlock;
  return w.out;
}

bool ReadUserDat(const std::string& bytes, std::string& name) {
  Reader r(bytes);
  const std::string stored = utf8::FromLatin1(r.ShortString());
  if (r.bad || !r.AtEnd() || !IsFileSafeName(stored)) return false;
  name = stored;
  return true;
}

std::string UserDatBytes(const std::string& name) {
  Writer w;
  w.ShortString(name);
  return w.out;
}

}  // namespace kelp
