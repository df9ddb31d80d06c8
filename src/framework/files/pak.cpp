#include "framework/files/pak.h"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <vector>

#include "framework/core/debug_output.h"
#include "framework/core/numbers.h"
#include "framework/core/path.h"
#include "platform/files.h"

namespace kelp {

std::string PakPath = "data/data.pak";
ObjectList<TPakFile> PakDirectory;
int PakDirectoryLoaded = 0;
int32_t PakBaseOffset = 0;
std::string LevelPakPath;
int LevelPakReady = 0;
ObjectList<TPak> PakEntries;
ObjectList<TFile> PackFiles;

namespace {

// First entry of each key, for lookups without walking the lists.
std::unordered_map<std::string, Ref<TPakFile>> pakIndex;
std::unordered_map<std::string, Ref<TPak>> levelIndex;
std::string levelIndexPath;  // the pack PakEntries were read from

void Complain(const std::string& where, const std::string& what) {
  DebugOutput("[Pak ERROR : " + where + "] " + what);
}

std::string PadName(const std::string& name) {
  std::string s = Lower(name.substr(0, std::min<size_t>(name.size(), PakNameLength)));
  s.resize(PakNameLength, ' ');
  return s;
}

// Reads an archive directory from the start of `s`, trusting nothing: the
// count is capped by what the file can hold and an entry whose contents lie
// outside the file is dropped.
template <class Add>
void ReadDirectory(platform::Stream& s, const std::string& path, const std::string& where, Add add) {
  const int64_t fileSize = s.Size();
  if (fileSize < 4 || !s.Seek(0)) {
    Complain(where, path + ": too short for an archive");
    return;
  }
  int64_t count = s.ReadInt();
  if (count < 0) {
    Complain(where, path + ": negative entry count " + std::to_string(count));
    return;
  }
  const int64_t room = (fileSize - 4) / PakEntrySize;
  if (count > room) {
    Complain(where, path + ": directory of " + std::to_string(count) + " entries, file holds at most " +
                        std::to_string(room));
    count = room;
  }
  const std::string dir = s.ReadBytes(static_cast<size_t>(count * PakEntrySize));
  count = static_cast<int64_t>(dir.size()) / PakEntrySize;
  for (int64_t i = 0; i < count; ++i) {
    const unsigned char* e = reinterpret_cast<const unsigned char*>(dir.data()) + i * PakEntrySize;
    std::string name(PakNameLength, ' ');
    for (int k = 0; k < PakNameLength; ++k) name[k] = static_cast<char>(e[k] - 3);
    auto le = [e](int at) {
      return static_cast<int32_t>(static_cast<uint32_t>(e[at]) | static_cast<uint32_t>(e[at + 1]) << 8 |
                                  static_cast<uint32_t>(e[at + 2]) << 16 | static_cast<uint32_t>(e[at + 3]) << 24);
    };
    const int32_t size = le(PakNameLength);
    const int32_t offset = le(PakNameLength + 4);
    if (size < 0 || offset < 0 || static_cast<int64_t>(offset) + size > fileSize) {
      Complain(where, path + ": entry \"" + PakKey(name) + "\" lies outside the file (offset " +
                          std::to_string(offset) + ", size " + std::to_string(size) + ")");
      continue;
    }
    add(std::move(name), size, offset);
  }
}

bool LevelIndexCurrent() { return LevelPakReady && levelIndexPath == LevelPakPath; }

}  // namespace

std::string PakKey(const std::string& name) {
  // Some data names are written with '\' ("data\lang\..."); the archive stores '/'.
  std::string key = Lower(name.substr(0, std::min<size_t>(name.size(), PakNameLength)));
  std::replace(key.begin(), key.end(), '\\', '/');
  while (!key.empty() && key.back() == ' ') key.pop_back();
  return key;
}

std::string ReadPakName(platform::Stream& stream, int count) {
  std::string s = stream.ReadBytes(count > 0 ? static_cast<size_t>(count) : 0);
  for (char& c : s) c = static_cast<char>(static_cast<unsigned char>(c) - 3);
  return s;
}

std::string TPak::ReadString2(platform::Stream& stream, int count) { return ReadPakName(stream, count); }

void ReadPakDirectory() {
  PakDirectory.Clear();
  pakIndex.clear();
  PakDirectoryLoaded = 1;
  platform::StreamRef s = platform::OpenFileRead(PakPath);
  if (!s) return;  // no archive: everything comes from disk
  ReadDirectory(*s, PakPath, "ReadPakDirectory", [](std::string name, int32_t size, int32_t offset) {
    auto f = New<TPakFile>();
    f->FileName = std::move(name);
    f->Size = size;
    f->Offset = offset;
    PakDirectory.AddLast(f);
    pakIndex.emplace(PakKey(f->FileName), f);
  });
}

platform::StreamRef OpenPakStream(const std::string& name) {
  if (!PakDirectoryLoaded) ReadPakDirectory();
  if (platform::IsFile(name)) {
    platform::StreamRef s = platform::OpenFileRead(name);
    if (s) {
      PakBaseOffset = 0;
      return s;
    }
  }
  const std::string key = PakKey(name);
  if (key.empty()) return nullptr;
  const auto it = pakIndex.find(key);
  if (it == pakIndex.end()) return nullptr;
  platform::StreamRef archive = platform::OpenFileRead(PakPath);
  if (!archive) return nullptr;
  PakBaseOffset = it->second->Offset;
  return std::make_shared<platform::SubStream>(archive, it->second->Offset, it->second->Size);
}

void TPak::Init() {
  // Names inside a pack carry its level number, so the entries of an earlier
  // pack are of no further use.
  PakEntries.Clear();
  levelIndex.clear();
  levelIndexPath.clear();
  platform::StreamRef pack = OpenPakStream(LevelPakPath);
  if (!pack) {
    Complain("TPak.Init", "level pack \"" + LevelPakPath + "\" not found");
    return;
  }
  ReadDirectory(*pack, LevelPakPath, "TPak.Init", [](std::string name, int32_t size, int32_t offset) {
    auto p = New<TPak>();
    p->FileName = std::move(name);
    p->Size = size;
    p->Offset = offset;
    PakEntries.AddLast(p);
    levelIndex.emplace(PakKey(p->FileName), p);
  });
  levelIndexPath = LevelPakPath;
  LevelPakReady = 1;
}

platform::StreamRef TPak::PakSmall(const std::string& name) {
  if (!LevelIndexCurrent()) Init();
  if (platform::StreamRef s = OpenPakStream(name)) return s;
  const std::string key = PakKey(name);
  if (key.empty()) return nullptr;
  const auto it = levelIndex.find(key);
  if (it == levelIndex.end()) return nullptr;
  platform::StreamRef pack = OpenPakStream(LevelPakPath);
  if (!pack) return nullptr;
  return std::make_shared<platform::SubStream>(pack, it->second->Offset, it->second->Size);
}

void TFile::WriteString2(platform::Stream& stream, const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(static_cast<unsigned char>(c) + 3);
  stream.WriteBytes(out);
}

bool TFile::AddFile(const std::string& path) { return AddFile(path, path); }

bool TFile::AddFile(const std::string& path, const std::string& name) {
  if (!platform::IsFile(path)) return false;
  // A longer name would be cut and could collide with another one.
  if (name.empty() || name.size() > static_cast<size_t>(PakNameLength)) {
    Complain("TFile.AddFile", "name \"" + name + "\" does not fit the 100 characters of an entry");
    return false;
  }
  const int64_t size = platform::FileSize(path);
  if (size < 0 || size > std::numeric_limits<int32_t>::max()) {
    Complain("TFile.AddFile", path + ": size " + std::to_string(size) + " does not fit an entry");
    return false;
  }
  auto f = New<TFile>();
  f->FileName = PadName(name);
  f->Size = static_cast<int32_t>(size);
  f->SourcePath = path;
  PackFiles.AddLast(f);
  return true;
}

bool TFile::Pack(const std::string& archivePath) {
  std::vector<Ref<TFile>> files;
  for (const auto& f : PackFiles) files.push_back(f);
  PackFiles.Clear();

  // Sizes are taken again now: a file that changed since it was queued must
  // not leave its directory entry out of step with its contents.
  int64_t start = 4 + static_cast<int64_t>(PakEntrySize) * static_cast<int64_t>(files.size());
  for (const auto& f : files) {
    const int64_t size = platform::FileSize(f->SourcePath);
    if (size < 0 || start + size > std::numeric_limits<int32_t>::max()) {
      Complain("TFile.Pack", f->SourcePath + ": missing, or the archive would pass 2 GB");
      return false;
    }
    f->Size = static_cast<int32_t>(size);
    f->Offset = static_cast<int32_t>(start);
    start += size;
  }

  const std::string parent = FolderOf(archivePath);
  if (!parent.empty()) platform::CreateFolder(parent);
  const bool written = platform::SaveFileAtomic(archivePath, [&](platform::Stream& out) {
    out.WriteInt(static_cast<int32_t>(files.size()));
    for (const auto& f : files) {
      WriteString2(out, PadName(f->FileName));
      out.WriteInt(f->Size);
      out.WriteInt(f->Offset);
    }
    std::vector<char> buf(1 << 16);
    for (const auto& f : files) {
      platform::StreamRef in = platform::OpenFileRead(f->SourcePath);
      if (!in) {
        Complain("TFile.Pack", f->SourcePath + ": cannot be read");
        return false;
      }
      int64_t left = f->Size;
      while (left > 0) {
        const size_t want = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(buf.size())));
        const size_t got = in->Read(buf.data(), want);
        if (got == 0 || out.Write(buf.data(), got) != got) {
          Complain("TFile.Pack", f->SourcePath + ": changed or unreadable while packing");
          return false;
        }
        left -= static_cast<int64_t>(got);
      }
    }
    return out.Ok();
  });
  if (!written) Complain("TFile.Pack", archivePath + ": could not be written");
  return written;
}

void ResetPakState() {
  PakDirectory.Clear();
  pakIndex.clear();
  PakDirectoryLoaded = 0;
  PakBaseOffset = 0;
  LevelPakPath.clear();
  LevelPakReady = 0;
  PakEntries.Clear();
  levelIndex.clear();
  levelIndexPath.clear();
  PackFiles.Clear();
}

}  // namespace kelp
