#include "soak_saves.h"

#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

#include "frontend/level_record.h"
#include "frontend/options.h"
#include "frontend/profile.h"
#include "frontend/profile_file.h"
#include "framework/core/startup_settings.h"
#include "frontend/scores.h"
#include "framework/media/sound.h"
#include "platform/files.h"
#include "platform/stream.h"

namespace fs = std::filesystem;

namespace soak {

namespace {

std::mt19937 g_rng;
long g_kill_at = 0;
long g_stages = 0;
long g_frame = 0;

// Each save rewrites a file with values that differ from the last ones, so
// that an old and a new version can be told apart.
void SaveSomething() {
  if (kelp::Profiles.IsEmpty()) kelp::TProfile::Create("Soak", 1);
  const int kinds = kelp::Profiles.IsEmpty() ? 3 : 4;
  switch (std::uniform_int_distribution<int>(0, kinds - 1)(g_rng)) {
    case 3:
      kelp::Profiles.First()->Save();
      break;
    case 0:
      kelp::SoundVolume = std::uniform_real_distribution<float>(0.f, 1.f)(g_rng);
      kelp::MusicVolume = std::uniform_real_distribution<float>(0.f, 1.f)(g_rng);
      kelp::TOptions::SaveOptions();
      break;
    case 1:
      if (kelp::HighScores[0][0][1].empty()) break;  // the table is not read yet
      kelp::InsertScore(std::uniform_int_distribution<int>(0, 1)(g_rng), "Soak",
                        std::uniform_int_distribution<int>(100, 50000)(g_rng));
      kelp::TScores::WriteScores();
      break;
    default:
      kelp::TLevelRecord::SetRecord(std::uniform_int_distribution<int>(1, 67)(g_rng),
                                    std::uniform_int_distribution<int>(0, 1)(g_rng), "Soak",
                                    std::uniform_int_distribution<int>(100, 50000)(g_rng));
      kelp::TLevelRecord::Save();
      break;
  }
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint64_t Digest(const std::string& bytes) {
  uint64_t h = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
  return h ^ bytes.size();
}

bool IsKnownSave(const fs::path& p) {
  const std::string name = p.filename().string();
  return name == "options.dat" || name == "scores.dat" || name == "records.dat" || name == "user.dat" ||
         (p.extension() == ".dat" && p.parent_path().filename() != "data");
}

bool IsTemporary(const fs::path& p) {
  const std::string name = p.filename().string();
  return name.find(".tmp") != std::string::npos;
}

// Empty when the game's strict reader takes the file whole; else why not.
std::string Refusal(const fs::path& path, const std::string& bytes) {
  const std::string name = path.filename().string();
  if (name == "options.dat") {
    if (bytes.size() != 15) return "options.dat is " + std::to_string(bytes.size()) + " bytes, not 15";
    return kelp::ParseOptions(bytes) ? "" : "options.dat refused";
  }
  if (name == "scores.dat") {
    auto s = platform::OpenMemory(bytes);
    return kelp::TScores::ReadScores(*s) ? "" : "scores.dat refused";
  }
  if (name == "records.dat") {
    auto s = platform::OpenMemory(bytes);
    return kelp::TLevelRecord::Load(*s) ? "" : "records.dat refused";
  }
  if (name == "user.dat") {
    std::string player;
    return kelp::ReadUserDat(bytes, player) ? "" : "user.dat refused";
  }
  if (path.extension() == ".dat" && path.parent_path().filename() != "data") {  // a player's save
    kelp::ProfileFileContent content;
    kelp::TGameData data;
    std::string why;
    return kelp::ReadProfileFile(bytes, kelp::GameVersion, content, data, why) == kelp::ProfileRead::Ok
               ? ""
               : path.filename().string() + " refused: " + why;
  }
  return "";  // the log, screenshots and files this check does not know
}

}  // namespace

void InstallSaveKiller(uint32_t seed, long kill_at) {
  g_rng.seed(seed ^ 0x5a7e5u);
  g_kill_at = kill_at;
  g_stages = 0;
  platform::SetSaveStageHook([](platform::SaveStage) {
    if (g_kill_at > 0 && ++g_stages >= g_kill_at) raise(SIGKILL);
  });
}

void StepSaves() {
  // Not while the game loads: it reads and writes its defaults then.
  if (++g_frame > 200 && std::uniform_int_distribution<int>(0, 3)(g_rng) == 0) SaveSomething();
}

std::map<fs::path, uint64_t> Snapshot(const fs::path& dir) {
  std::map<fs::path, uint64_t> out;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (it->is_regular_file(ec) && !IsTemporary(it->path())) out[it->path()] = Digest(ReadAll(it->path()));
  }
  return out;
}

std::vector<std::string> BrokenSaves(const fs::path& dir, const std::map<fs::path, uint64_t>& before) {
  std::vector<std::string> broken;
  for (const auto& [path, digest] : Snapshot(dir)) {
    const auto old = before.find(path);
    if (old != before.end() && old->second == digest) continue;
    if (const std::string why = Refusal(path, ReadAll(path)); !why.empty()) broken.push_back(path.string() + ": " + why);
  }
  // A file that was there must still be there: a save replaces, never removes.
  for (const auto& [path, digest] : before) {
    std::error_code ec;
    if (IsKnownSave(path) && !fs::exists(path, ec))
      broken.push_back(path.string() + ": gone");
  }
  return broken;
}

}  // namespace soak
