#pragma once
// The tracker's three music loaders, registered in their places between WAV
// and OGG: MOD, XM and the tracker's own module file. Each gives null for
// another format, so the registry goes on to the next loader.
#include "music/loader_registry.h"

namespace kelp {

Ref<TMusic> LoadModMusic(const MusicSource& source);
Ref<TMusic> LoadXmMusic(const MusicSource& source);
Ref<TMusic> LoadTrkModMusic(const MusicSource& source);

}  // namespace kelp
