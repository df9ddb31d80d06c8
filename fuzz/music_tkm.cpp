// The tracker's module file: any bytes load as null or as a song that fills
// every request exactly and ends or loops without hanging; a loaded song
// saves and loads again.
#include <cstdlib>

#include "music/trk_mixer.h"
#include "music_fuzz_common.h"
#include "platform/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Measuring a song plays it through without mixing: ten seconds reach
  // the cap on any endless song and keep an input quick.
  kelp::TrkMod_Mixer::MaxSongFrames = 44100 * 10;
  auto stream = platform::OpenMemory(std::vector<uint8_t>(data, data + size));
  auto song = kelp::TrkMod_Mixer::Load(*stream);
  if (song) {
    platform::MemoryStream saved;
    song->Save(saved);
    saved.Seek(0);
    if (!kelp::TrkMod_Mixer::Load(saved)) std::abort();  // what loads must save as a loadable file
    song->CalcSize();
  }
  musicfuzz::Exercise(song);
  return 0;
}
