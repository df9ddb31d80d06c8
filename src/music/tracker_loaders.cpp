#include "music/tracker_loaders.h"

#include "music/music_log.h"
#include "music/trk_loaders.h"

namespace kelp {

Ref<TMusic> LoadModMusic(const MusicSource& source) {
  return source.stream ? LoadMod(*source.stream) : nullptr;
}

Ref<TMusic> LoadXmMusic(const MusicSource& source) {
  return source.stream ? LoadXm(*source.stream) : nullptr;
}

Ref<TMusic> LoadTrkModMusic(const MusicSource& source) {
  if (!source.stream) return nullptr;
  Ref<TrkMod_Mixer> m = TrkMod_Mixer::Load(*source.stream);
  if (m) m->CalcSize();
  return m;
}

}  // namespace kelp
