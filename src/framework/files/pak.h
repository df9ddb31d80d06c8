#pragma once
// Data files by name: a file on disk wins, else the entry of the main archive
// "data/data.pak"; a level's files may also lie in the current level pack
// (an archive of the same form, on disk or inside the main archive).
//
// Archive layout (little-endian int32): count, then count entries of 108
// bytes (100-byte name, size, offset from the archive's first byte), then the
// contents. Names are lower-cased, blank-padded to 100 characters and stored
// one byte per character as code + 3.
#include <cstdint>
#include <string>

#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "platform/stream.h"

namespace kelp {

constexpr int PakNameLength = 100;
constexpr int PakEntrySize = 108;

// One entry of the main archive's directory.
struct TPakFile : Object {
  std::string FileName;  // as stored: 100 decoded characters
  int32_t Size = 0;
  int32_t Offset = 0;
};

// One entry of the current level pack; offsets count from the pack's first byte.
struct TPak : Object {
  std::string FileName;
  int32_t Size = 0;
  int32_t Offset = 0;

  // Reads the directory of the pack at LevelPakPath into PakEntries.
  static void Init();
  // The named file from disk, the main archive or the current level pack; null if none.
  static platform::StreamRef PakSmall(const std::string& name);
  static std::string ReadString2(platform::Stream& stream, int count);
};

// One file queued for packing.
struct TFile : Object {
  std::string FileName;
  int32_t Size = 0;
  int32_t Offset = 0;
  std::string SourcePath;  // where the bytes are read from (the name is lower-cased)

  // Queues the file at `path` (relative to the working folder) under its own
  // name; does nothing when there is no file. False when nothing was queued.
  static bool AddFile(const std::string& path);
  // Queues the file at `path` under the archive name `name`.
  static bool AddFile(const std::string& path, const std::string& name);
  // Writes every queued file into a new archive, then empties PackFiles.
  // False (and no archive written) when a queued file cannot be read.
  static bool Pack(const std::string& archivePath);
  static void WriteString2(platform::Stream& stream, const std::string& text);
};

// Module state.
extern std::string PakPath;                 // "data/data.pak"
extern ObjectList<TPakFile> PakDirectory;   // the main archive's directory
extern int PakDirectoryLoaded;
extern int32_t PakBaseOffset;               // where the last opened file or entry begins
extern std::string LevelPakPath;            // set by the level loader
extern int LevelPakReady;                   // cleared by the level loader when the path changes
extern ObjectList<TPak> PakEntries;         // the current level pack's directory
extern ObjectList<TFile> PackFiles;         // queued for TFile::Pack

// A readable stream of the named file's contents, or null when the name is
// neither on disk nor in the main archive. A stream from an archive starts at
// the entry's first byte and ends at its last.
platform::StreamRef OpenPakStream(const std::string& name);
void ReadPakDirectory();
std::string ReadPakName(platform::Stream& stream, int count);

// The lookup key of a name: first 100 characters, lower case, '\' as '/',
// trailing blanks dropped.
std::string PakKey(const std::string& name);

// Forgets the directories read so far (tests, and a data folder that changed).
void ResetPakState();

}  // namespace kelp
