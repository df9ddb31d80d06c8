#pragma once
// The per-user folders under the application-data root (platform::AppDataFolder:
// $APPDATA, else $XDG_DATA_HOME, else ~/.local/share): the profile folder
// "Kelp/" with one "<name>.dat" per player, and the data folder "Kelp/data/"
// with "user.dat", "options.dat", "scores.dat", "records.dat" and the log.
// Also the rules every per-user file follows: names that are safe as file
// names, and damaged files put aside instead of overwritten.
#include <string>

namespace kelp {

// Root + "/Kelp/data/", created with its parents when missing.
std::string GetSaveFolder();
// Root + "/Kelp/", created with its parents when missing.
std::string GetProfileFolder();

// A player's name that can be a file name in the profile folder: 1 to 64
// bytes of valid UTF-8, no path separator ('/' or '\'), no control
// character, not "." or "..", and each character within Latin-1 (the files
// store names one byte a character).
bool IsFileSafeName(const std::string& name);

// Renames `path` to `path` + "." + `tag` (or + "." + tag + "-2", "-3", ...
// when that exists), so a file the game cannot use is kept for the player
// and never overwritten. The new path, or "" (logged) when it could not be moved.
std::string PutAside(const std::string& path, const std::string& tag);

}  // namespace kelp
