#pragma once
// The per-user folders: the data folder (options, scores, level records,
// the current user, the log) and the profile folder above it.
#include <string>

namespace kelp {

// APPDATA + "/Kelp/data/", created with its parents when missing.
std::string GetSaveFolder();
// APPDATA + "/Kelp/", created with its parents when missing.
std::string GetProfileFolder();

}  // namespace kelp
