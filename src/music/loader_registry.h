#pragma once
// The loader registry: the one ordered list of music loaders. A source is
// offered to every loader in registration order, each seeing it from byte 0,
// and the first that recognises the content makes the TMusic. The extension
// only labels the loader in a file dialog's filter text.
#include <functional>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "music/music.h"
#include "platform/stream.h"

namespace kelp {

// What a loader gets: the file's name (may be empty) and the open stream,
// at position 0. Loaders may keep the stream.
struct MusicSource {
  std::string file;
  platform::StreamRef stream;
};

using MusicLoaderFunc = std::function<Ref<TMusic>(const MusicSource&)>;

class TrkModLoader : public Object {
 public:
  std::string Name;      // text in a file dialog's filter
  MusicLoaderFunc Func;  // null result: not this loader's format
  std::string Ext;       // without the point

  // Makes a loader and appends it to MusicLoaders.
  static Ref<TrkModLoader> Create(MusicLoaderFunc func, const std::string& name, const std::string& ext);
  // "All supported:,wav,mod;...;Microsoft Wave ".wav":wav;...;All Files:*"
  static std::string GetExtensions(int allSupported, int allFiles);
  // The first loader's non-null result, or null. A file that cannot be
  // opened gives null at once, with a log line.
  static Ref<TMusic> Load(const std::string& file);
  static Ref<TMusic> Load(const platform::StreamRef& stream);
};

// Registration order: wav, mod, xm, tkm, ogg, mp3 (set by the module inits).
extern std::vector<Ref<TrkModLoader>> MusicLoaders;

// The registry's Load.
Ref<TMusic> LoadMusic(const std::string& file);
Ref<TMusic> LoadMusic(const platform::StreamRef& stream);
// Releases the music's decoder (nothing for null); 0.
int FreeMusic(const Ref<TMusic>& music);

}  // namespace kelp
