#include "music/loader_registry.h"

#include <cctype>

#include "music/music_log.h"

namespace kelp {

std::vector<Ref<TrkModLoader>> MusicLoaders;

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

Ref<TMusic> LoadFrom(const MusicSource& source) {
  // A copy: a loader may register another (nothing does, but the list must not move under us).
  const std::vector<Ref<TrkModLoader>> loaders = MusicLoaders;
  for (const Ref<TrkModLoader>& l : loaders) {
    if (!source.stream->Seek(0)) break;
    if (!l->Func) continue;
    if (Ref<TMusic> music = l->Func(source)) return music;
  }
  return nullptr;
}

}  // namespace

Ref<TrkModLoader> TrkModLoader::Create(MusicLoaderFunc func, const std::string& name, const std::string& ext) {
  auto loader = New<TrkModLoader>();
  loader->Func = std::move(func);
  loader->Name = name;
  loader->Ext = ext;
  MusicLoaders.push_back(loader);
  return loader;
}

std::string TrkModLoader::GetExtensions(int allSupported, int allFiles) {
  std::string text;
  if (allSupported) {
    text = "All supported:";
    for (const Ref<TrkModLoader>& l : MusicLoaders) text += "," + Lower(l->Ext);
  }
  for (const Ref<TrkModLoader>& l : MusicLoaders) {
    if (!text.empty()) text += ";";
    text += l->Name + ":" + Lower(l->Ext);
  }
  if (allFiles) {
    if (!text.empty()) text += ";";
    text += "All Files:*";
  }
  return text;
}

Ref<TMusic> TrkModLoader::Load(const std::string& file) {
  platform::StreamRef stream = file.empty() ? nullptr : platform::OpenFileRead(file);
  if (!stream) {
    MusicLog("cannot open \"" + file + "\"");
    return nullptr;
  }
  Ref<TMusic> music = LoadFrom({file, stream});
  if (!music) MusicLog("\"" + file + "\" is not music this game can play");
  return music;
}

Ref<TMusic> TrkModLoader::Load(const platform::StreamRef& stream) {
  if (!stream) return nullptr;
  Ref<TMusic> music = LoadFrom({"", stream});
  if (!music) MusicLog("a stream that is not music this game can play");
  return music;
}

Ref<TMusic> LoadMusic(const std::string& file) { return TrkModLoader::Load(file); }
Ref<TMusic> LoadMusic(const platform::StreamRef& stream) { return TrkModLoader::Load(stream); }

int FreeMusic(const Ref<TMusic>& music) {
  if (music) music->Free();
  return 0;
}

}  // namespace kelp
