// The pak reader over any bytes taken as the main archive: every entry it
// accepts lies inside the file and reads back exactly its size, also as a
// level pack nested in the archive.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "framework/files/pak.h"
#include "framework/files/xml.h"
#include "fuzz_check.h"
#include "platform/files.h"
#include "platform/stream.h"

using namespace kelp;

namespace {

using fuzz::Check;

// A scratch folder for the archive, removed when the run ends. The archive
// is written for every input: in memory (/dev/shm) where the system has it.
struct Scratch {
  Scratch() {
    std::error_code ec;
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path();
    std::string dir = (base / "kelp-fuzz-pak-XXXXXX").string();
    if (!mkdtemp(dir.data())) std::abort();
    folder = dir;
    path = dir + "/data.pak";
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  std::string folder, path;
};

const std::string& ArchivePath() {
  static const Scratch scratch;
  return scratch.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = ArchivePath();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  ResetPakState();
  PakPath = path;
  ReadPakDirectory();
  int looked = 0;
  for (const auto& e : PakDirectory) {
    Check(e->Offset >= 0 && e->Size >= 0 && static_cast<int64_t>(e->Offset) + e->Size <= static_cast<int64_t>(size));
    if (++looked > 8) continue;
    const std::string name = PakKey(e->FileName);
    platform::StreamRef s = OpenPakStream(name);
    if (s && !platform::IsFile(name))
      Check(s->Size() <= static_cast<int64_t>(size) && s->ReadAll().size() == static_cast<size_t>(s->Size()));
  }

  // The first entry taken as a level pack inside the archive.
  if (auto first = PakDirectory.First()) {
    LevelPakPath = PakKey(first->FileName);
    LevelPakReady = 0;
    TPak::Init();
    const platform::StreamRef pack = OpenPakStream(LevelPakPath);
    const int64_t packSize = pack ? pack->Size() : 0;
    Check(PakEntries.Count() == 0 || pack);
    int n = 0;
    for (const auto& e : PakEntries) {
      Check(e->Offset >= 0 && e->Size >= 0);
      Check(static_cast<int64_t>(e->Offset) + e->Size <= packSize);
      if (++n > 8) break;
      platform::StreamRef s = TPak::PakSmall(PakKey(e->FileName));
      if (s) s->ReadAll();
    }
    ParseXMLFile(OpenPakStream(LevelPakPath));
  }
  ResetPakState();
  return 0;
}
