#include "music/music_globals.h"

#include "music/audio_stream.h"
#include "music/music_module.h"
#include "music/ogg_stream.h"

namespace kelp {

void ResetMusicGlobals() {
  ResetMusicModules();
  UseStreamMixer(nullptr);
  TOGGStream::NetworkTimeoutMs = 3000;
  TOGGStream::StallTimeoutMs = 5000;
}

}  // namespace kelp
