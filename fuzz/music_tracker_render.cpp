// A hostile module, loaded by whichever tracker loader takes it, then played
// for a moment the way the game would: looped, with jumps to every order
// position, at odd request sizes. Every request is filled exactly and in
// bounded time.
#include <cstdlib>

#include "music/loader_registry.h"
#include "music/music_module.h"
#include "music/trk_mixer.h"
#include "platform/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = [] {
    kelp::InitAudioStreamModule();
    kelp::InitTrackerModule();
    return true;
  }();
  (void)ready;
  kelp::TrkMod_Mixer::MaxSongFrames = 44100 * 10;  // measuring plays the song through: kept short
  auto stream = platform::OpenMemory(std::vector<uint8_t>(data, data + size));
  auto song = std::dynamic_pointer_cast<kelp::TrkMod_Mixer>(kelp::LoadMusic(stream));
  if (!song) return 0;
  std::vector<uint8_t> buf(8192 + 4);
  song->Seti(kelp::PROP_STREAM_LOOP, 1);
  song->PlayStatus = 1;
  int frames = 0;
  // A third of a second in requests of 1..512 frames, a jump at every other
  // one: mixing is what an input costs.
  for (int i = 0; frames < 16384; ++i) {
    const int count = 4 * (1 + (i * 797) % 512);
    buf[static_cast<size_t>(count)] = 0xA5;
    song->FillBuffer(buf.data(), count);
    if (buf[static_cast<size_t>(count)] != 0xA5) std::abort();  // wrote past the request
    frames += count / 4;
    if (i % 2 == 1) song->Seti(kelp::TRK_SONG_POSITION, i / 2);
  }
  song->Free();
  return 0;
}
