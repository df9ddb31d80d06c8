#pragma once
// The file system as the game sees it: data paths written with '\' and in any
// letter case, the program's folder, the per-user folder and safe saving.
#include <functional>
#include <string>
#include <vector>

namespace platform {

// '\' to '/'; nothing else changes.
std::string NativePath(const std::string& path);
// The path as it exists on disk: as written when it exists, else found by a
// case-insensitive match of each component. Empty when there is no such file or folder.
std::string ResolvePath(const std::string& path);

bool IsFile(const std::string& path);    // a regular file (after resolving)
bool IsFolder(const std::string& path);
int64_t FileSize(const std::string& path);  // -1 when missing

// Creates the folder with its parents; true when it exists afterwards.
bool CreateFolder(const std::string& path);
bool DeleteFile(const std::string& path);
bool DeleteFolder(const std::string& path, bool recursive = false);
bool CopyFile(const std::string& from, const std::string& to);
bool RenameFile(const std::string& from, const std::string& to);
// Names (not paths) of the entries of a folder, sorted; empty when it does not exist.
std::vector<std::string> ListFolder(const std::string& path);

// The folder of the running executable, with a trailing '/'.
std::string ProgramFolder();
// Makes the program's folder the working folder, so relative data paths work.
bool EnterProgramFolder();

// The per-user application-data root: $APPDATA, else $XDG_DATA_HOME, else
// ~/.local/share. No trailing '/'.
std::string AppDataFolder();

// Writes a whole file so that a crash or a full disk never leaves it half
// written: `write` fills a temporary file beside it, which then replaces the
// old file in one rename. False (and the old file untouched) on any failure.
class Stream;
bool SaveFileAtomic(const std::string& path, const std::function<bool(Stream&)>& write);
bool SaveFileAtomic(const std::string& path, const std::string& bytes);

// Whole-file helpers.
bool ReadFileBytes(const std::string& path, std::string& out);

}  // namespace platform
