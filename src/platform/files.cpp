#include "platform/files.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/stream.h"

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
  // Walk component by component, matching each without regard to case.
  fs::path in(p);
  fs::path out = in.has_root_directory() ? in.root_path() : fs::path();
  for (const auto& part : in.relative_path()) {
    const std::string name = part.string();
    if (name.empty() || name == ".") continue;
    fs::path exact = out / part;
    if (name == ".." || fs::exists(exact, ec)) {
      out = exact;
      continue;
    }
    const fs::path dir = out.empty() ? fs::path(".") : out;
    bool found = false;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string entry = it->path().filename().string();
      if (EqualNoCase(entry, name)) {
        out /= entry;
        found = true;
        break;
      }
    }
    if (!found) return {};
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

bool SaveFileAtomic(const std::string& path, const std::function<bool(Stream&)>& write) {
  const std::string target = NativePath(path);
  const std::string temp = target + ".tmp";
  {
    StreamRef out = OpenFileWrite(temp);
    if (!out) return false;
    const bool ok = write(*out) && out->Ok() && out->Flush();
    if (!ok) {
      out.reset();
      std::error_code ec;
      fs::remove(temp, ec);
      return false;
    }
  }
  // fsync through a fresh descriptor: the data must be on disk before the rename.
  if (std::FILE* f = std::fopen(temp.c_str(), "rb")) {
    fsync(fileno(f));
    std::fclose(f);
  }
  return RenameFile(temp, target);
}

bool SaveFileAtomic(const std::string& path, const std::string& bytes) {
  return SaveFileAtomic(path, [&](Stream& s) { return s.WriteBytes(bytes); });
}

bool ReadFileBytes(const std::string& path, std::string& out) {
  StreamRef in = OpenFileRead(path);
  if (!in) return false;
  out = in->ReadBytes(static_cast<size_t>(in->Size()));
  return true;
}

}  // namespace platform
