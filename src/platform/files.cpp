#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "platform/stream.h"
#include "platform/stream_internal.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// Directory listings for matching names without regard to case. Start-up
// asks for hundreds of optional pictures that do not exist, and each miss
// scanned its folder anew. A listing is kept while the folder's change times
// say it still holds; one of a folder changed in the last seconds is not kept,
// as a coarse clock could hide a change made within the same tick.
struct Listing {
  timespec mtime{}, ctime{};
  ino_t inode = 0;
  std::vector<std::string> names;
};

std::mutex g_listings_mutex;
std::unordered_map<std::string, Listing> g_listings;

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// The entry of `dir` named `name` in another case, or empty.
std::string FindNoCase(const fs::path& dir, const std::string& name) {
  struct stat st{};
  if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};
  const std::string key = dir.string();
  std::lock_guard<std::mutex> lock(g_listings_mutex);
  auto it = g_listings.find(key);
  if (it == g_listings.end() || !SameTime(it->second.mtime, st.st_mtim) || !SameTime(it->second.ctime, st.st_ctim) ||
      it->second.inode != st.st_ino) {
    Listing listing{st.st_mtim, st.st_ctim, st.st_ino, {}};
    std::error_code ec;
    for (fs::directory_iterator d(dir, ec), end; !ec && d != end; d.increment(ec))
      listing.names.push_back(d->path().filename().string());
    if (ec) return {};
    if (time(nullptr) - st.st_mtime < 3) {
      if (it != g_listings.end()) g_listings.erase(it);
      for (const std::string& entry : listing.names)
        if (EqualNoCase(entry, name)) return entry;
      return {};
    }
    it = g_listings.insert_or_assign(key, std::move(listing)).first;
  }
  for (const std::string& entry : it->second.names)
    if (EqualNoCase(entry, name)) return entry;
  return {};
}

}  // namespace

std::string NativePath(const std::string& path) {
  std::string p = path;
  std::replace(p.begin(), p.end(), '\\', '/');
  return p;
}

std::string ResolvePath(const std::string& path) {
  const std::string p = NativePath(path);
  if (p.empty()) return {};
  std::error_code ec;
  if (fs::exists(p, ec)) return p;
  fs::path in(p);
  // Most misses lie in a folder named exactly: only the last name is matched.
  const fs::path parent = in.parent_path();
  const std::string last = in.filename().string();
  if (!parent.empty() && !last.empty() && last != "." && last != ".." && fs::is_directory(parent, ec)) {
    const std::string entry = FindNoCase(parent, last);
    return entry.empty() ? std::string() : (parent / entry).string();
  }
  // Walk component by component, matching each without regard to case.
  fs::path out = in.has_root_directory() ? in.root_path() : fs::path();
  for (const auto& part : in.relative_path()) {
    const std::string name = part.string();
    if (name.empty() || name == ".") continue;
    fs::path exact = out / part;
    if (name == ".." || fs::exists(exact, ec)) {
      out = exact;
      continue;
    }
    const std::string entry = FindNoCase(out.empty() ? fs::path(".") : out, name);
    if (entry.empty()) return {};
    out /= entry;
  }
  return out.string();
}

bool IsFile(const std::string& path) {
  const std::string r = ResolvePath(path);
  std::error_code ec;
  return !r.empty() && fs::is_regular_file(r, ec);
}

bool IsFolder(const std::string& path) {
  const std::string r = ResolvePath(path);
  std::error_code ec;
  return !r.empty() && fs::is_directory(r, ec);
}

int64_t FileSize(const std::string& path) {
  const std::string r = ResolvePath(path);
  std::error_code ec;
  if (r.empty() || !fs::is_regular_file(r, ec)) return -1;
  const auto n = fs::file_size(r, ec);
  return ec ? -1 : static_cast<int64_t>(n);
}

bool CreateFolder(const std::string& path) {
  std::error_code ec;
  const std::string p = NativePath(path);
  fs::create_directories(p, ec);
  return fs::is_directory(p, ec);
}

bool DeleteFile(const std::string& path) {
  const std::string r = ResolvePath(path);
  std::error_code ec;
  return !r.empty() && fs::is_regular_file(r, ec) && fs::remove(r, ec);
}

bool DeleteFolder(const std::string& path, bool recursive) {
  const std::string r = ResolvePath(path);
  std::error_code ec;
  if (r.empty() || !fs::is_directory(r, ec)) return false;
  if (recursive) return fs::remove_all(r, ec) > 0 && !ec;
  return fs::remove(r, ec);
}

bool CopyFile(const std::string& from, const std::string& to) {
  const std::string r = ResolvePath(from);
  std::error_code ec;
  if (r.empty()) return false;
  return fs::copy_file(r, NativePath(to), fs::copy_options::overwrite_existing, ec) && !ec;
}

bool RenameFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(NativePath(from), NativePath(to), ec);
  return !ec;
}

std::vector<std::string> ListFolder(const std::string& path) {
  std::vector<std::string> names;
  const std::string r = ResolvePath(path);
  if (r.empty()) return names;
  std::error_code ec;
  for (fs::directory_iterator it(r, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string ProgramFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return "./";
  std::string dir = exe.parent_path().string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

bool EnterProgramFolder() { return chdir(ProgramFolder().c_str()) == 0; }

std::string AppDataFolder() {
  if (const char* v = std::getenv("APPDATA"); v && *v) return NativePath(v);
  if (const char* v = std::getenv("XDG_DATA_HOME"); v && *v) return v;
  if (const char* v = std::getenv("HOME"); v && *v) return std::string(v) + "/.local/share";
  return ".";
}

namespace {

std::function<void(SaveStage)> g_saveStageHook;

void ReachStage(SaveStage stage) {
  if (g_saveStageHook) g_saveStageHook(stage);
}

// The file a path finally names, following symbolic links as open() would;
// empty for a chain that does not end.
std::string FollowLinks(const std::string& path) {
  fs::path p = path;
  std::error_code ec;
  for (int hops = 0; hops < 40; ++hops) {
    if (!fs::is_symlink(fs::symlink_status(p, ec))) return p.string();
    const fs::path next = fs::read_symlink(p, ec);
    if (ec) return {};
    p = next.is_absolute() ? next : p.parent_path() / next;
  }
  return {};
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// A new empty file "<target>.tmp-XXXXXX" beside the target, open for writing.
struct TempFile {
  std::string path;
  std::FILE* file = nullptr;
};

TempFile MakeTempBeside(const std::string& target, const char* mode) {
  TempFile t;
  std::string name = target + ".tmp-XXXXXX";
  const int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return t;
  struct stat old {};
  fchmod(fd, stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode) ? (old.st_mode & 07777) : NewFileMode());
  t.file = fdopen(fd, mode);
  if (!t.file) {
    close(fd);
    unlink(name.c_str());
    return t;
  }
  t.path = std::move(name);
  return t;
}

// The rename is only durable once the folder's entry is on the disk too.
void SyncFolderOf(const std::string& path) {
  std::string dir = fs::path(path).parent_path().string();
  if (dir.empty()) dir = ".";
  const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

void SetSaveStageHook(std::function<void(SaveStage)> hook) { g_saveStageHook = std::move(hook); }

bool SaveFileAtomic(const std::string& path, const std::function<bool(Stream&)>& write) {
  const std::string target = FollowLinks(NativePath(path));
  if (target.empty()) return false;
  TempFile temp = MakeTempBeside(target, "wb");
  if (!temp.file) return false;
  const int fd = fileno(temp.file);
  bool ok;
  {
    StreamRef out = AdoptFile(temp.file);
    ReachStage(SaveStage::TempOpened);
    ok = write(*out) && out->Ok();
    if (ok) ReachStage(SaveStage::DataWritten);
    ok = ok && out->Flush() && fsync(fd) == 0;
    if (ok) ReachStage(SaveStage::Flushed);
  }  // closes the file
  if (ok) {
    ReachStage(SaveStage::BeforeRename);
    ok = rename(temp.path.c_str(), target.c_str()) == 0;
  }
  if (!ok) {
    unlink(temp.path.c_str());
    return false;
  }
  SyncFolderOf(target);
  ReachStage(SaveStage::AfterRename);
  return true;
}

bool SaveFileAtomic(const std::string& path, const std::string& bytes) {
  return SaveFileAtomic(path, [&](Stream& s) { return s.WriteBytes(bytes); });
}

StreamRef CreateFileFresh(const std::string& path) {
  const std::string target = NativePath(path);
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(target, ec))) return nullptr;
  TempFile temp = MakeTempBeside(target, "w+b");
  if (!temp.file) return nullptr;
  // rename() replaces a link itself, never the file it points to.
  if (rename(temp.path.c_str(), target.c_str()) != 0) {
    std::fclose(temp.file);
    unlink(temp.path.c_str());
    return nullptr;
  }
  return AdoptFile(temp.file);
}

bool ReadFileBytes(const std::string& path, std::string& out, size_t max_bytes) {
  out.clear();
  StreamRef in = OpenFileRead(path);
  if (!in) return false;
  out = in->ReadBytes(max_bytes);
  return true;
}

bool ReadStreamBytes(Stream& in, std::vector<uint8_t>& out, size_t max_bytes) {
  out.clear();
  if (in.Remaining() > static_cast<int64_t>(std::min<size_t>(max_bytes, INT64_MAX))) return false;
  out = in.ReadAll();
  if (out.size() <= max_bytes) return true;
  out.clear();
  return false;
}

bool ReadFileBytes(const std::string& path, std::string& out) {
  out.clear();
  StreamRef in = OpenFileRead(path);
  if (!in || in->Size() > static_cast<int64_t>(kMaxWholeFile)) return false;
  out = in->ReadBytes(kMaxWholeFile);
  return true;
}

}  // namespace platform
