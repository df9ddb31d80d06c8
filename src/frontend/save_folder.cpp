#include "frontend/save_folder.h"

#include <cstdint>
#include <cstdio>

#include "framework/core/utf8.h"
#include "framework/files/log.h"
#include "platform/files.h"

namespace kelp {

namespace {

constexpr size_t kMaxNameBytes = 64;
constexpr int kMaxAsideCopies = 1000;

std::string Ensure(const std::string& folder) {
  // Callers then fail to open their files and fall back on their own.
  if (!platform::CreateFolder(folder)) std::fprintf(stderr, "Cannot create the folder %s\n", folder.c_str());
  return folder;
}

}  // namespace

std::string GetSaveFolder() { return Ensure(platform::AppDataFolder() + "/Kelp/data/"); }

std::string GetProfileFolder() { return Ensure(platform::AppDataFolder() + "/Kelp/"); }

bool IsFileSafeName(const std::string& name) {
  if (name.empty() || name.size() > kMaxNameBytes || name == "." || name == "..") return false;
  if (!utf8::IsValid(name)) return false;
  for (size_t pos = 0; pos < name.size();) {
    const uint32_t cp = utf8::Next(name, pos);
    if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0) || cp > 0xFF || cp == '/' || cp == '\\') return false;
  }
  return true;
}

std::string PutAside(const std::string& path, const std::string& tag) {
  for (int n = 1; n <= kMaxAsideCopies; ++n) {
    const std::string aside = path + "." + tag + (n == 1 ? "" : "-" + std::to_string(n));
    if (platform::IsFile(aside) || platform::IsFolder(aside)) continue;
    if (platform::RenameFile(path, aside)) return aside;
    break;
  }
  WriteLog("Could not put " + path + " aside; it is left where it is and not used", LOG_ERROR);
  return "";
}

}  // namespace kelp
