#pragma once
// The tracker's three music loaders, registered in their places between WAV
// and OGG. Until the tracker player exists no module is loadable: each gives
// null, so such a file falls through to the later loaders and stays silent.
#include "music/loader_registry.h"

namespace kelp {

Ref<TMusic> LoadModMusic(const MusicSource& source);
Ref<TMusic> LoadXmMusic(const MusicSource& source);
Ref<TMusic> LoadTrkModMusic(const MusicSource& source);

}  // namespace kelp
