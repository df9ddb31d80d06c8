#include "frontend/save_folder.h"

#include <cstdio>

#include "platform/files.h"

namespace kelp {

namespace {

std::string Ensure(const std::string& folder) {
  // Callers then fail to open their files and fall back on their own.
  if (!platform::CreateFolder(folder)) std::fprintf(stderr, "Cannot create the folder %s\n", folder.c_str());
  return folder;
}

}  // namespace

std::string GetSaveFolder() { return Ensure(platform::AppDataFolder() + "/Kelp/data/"); }

std::string GetProfileFolder() { return Ensure(platform::AppDataFolder() + "/Kelp/"); }

}  // namespace kelp
