#include "music/tracker_loaders.h"

namespace kelp {

Ref<TMusic> LoadModMusic(const MusicSource&) { return nullptr; }
Ref<TMusic> LoadXmMusic(const MusicSource&) { return nullptr; }
Ref<TMusic> LoadTrkModMusic(const MusicSource&) { return nullptr; }

}  // namespace kelp
