#pragma once
// The file system as the game sees it: data paths written with '\' and in any
// letter case, the program's folder, the per-user folder and safe saving.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
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

// Writes a whole file so that a crash, a kill or a full disk never leaves it
// half written: `write` fills a temporary file of a unique name in the same
// folder ("<name>.tmp-XXXXXX"), which is flushed to the disk and then replaces
// the old file in one rename. False on any failure, with the old file untouched
// and the temporary removed (a folder standing at the path is not replaced).
// A path that is a symbolic link is written through to the file the link names
// (the link stays); a chain of links that never ends is refused. A new file gets
// the usual permissions (0666 less the umask), a replaced one keeps its own.
class Stream;
bool SaveFileAtomic(const std::string& path, const std::function<bool(Stream&)>& write);
bool SaveFileAtomic(const std::string& path, const std::string& bytes);

// The stages of one atomic save, in the order they are reached.
enum class SaveStage {
  TempOpened,    // the temporary exists, empty
  DataWritten,   // `write` returned true; the bytes may still be in buffers
  Flushed,       // the temporary is on the disk (fflush and fsync)
  BeforeRename,  // the temporary is closed; the old file is still in place
  AfterRename,   // the new file has replaced the old one
};
// Fault injection for tools (the soak tool kills the process at a stage):
// called on the saving thread at each stage of every SaveFileAtomic. Null, the
// default, does nothing; a null hook removes the one installed.
void SetSaveStageHook(std::function<void(SaveStage)> hook);

// Creates a new, empty file at `path` for reading and writing, replacing in one
// rename whatever file or symbolic link stood there; never writes through a
// link. For files the program rewrites from scratch and keeps open (the log).
// Null when the folder cannot take it or a folder stands at the path.
std::shared_ptr<Stream> CreateFileFresh(const std::string& path);

// Whole-file helpers. Every reader states how much it will take: reads at most
// `max_bytes` from the start of the file (a longer file gives its beginning);
// false when it cannot be opened.
bool ReadFileBytes(const std::string& path, std::string& out, size_t max_bytes);
// The rest of a stream, when at most max_bytes remain; false (and `out` empty)
// otherwise, before anything is allocated.
bool ReadStreamBytes(Stream& in, std::vector<uint8_t>& out, size_t max_bytes);
// The whole file, when it holds at most kMaxWholeFile bytes; false otherwise.
inline constexpr size_t kMaxWholeFile = 64u << 20;
bool ReadFileBytes(const std::string& path, std::string& out);

}  // namespace platform
