// MOD music: any bytes load as null or as a song that fills every request
// exactly and ends or loops without hanging.
#include "music/trk_loaders.h"
#include "music_fuzz_common.h"
#include "platform/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Measuring a song plays it through without mixing: ten seconds reach
  // the cap on any endless song and keep an input quick.
  kelp::TrkMod_Mixer::MaxSongFrames = 44100 * 10;
  auto stream = platform::OpenMemory(std::vector<uint8_t>(data, data + size));
  musicfuzz::Exercise(kelp::LoadMod(*stream));
  return 0;
}
