// MP3 music streams and the MP3 sound loader: any bytes load as null or as a
// source that fills every request exactly and ends or loops without hanging.
#include "music/mp3_stream.h"
#include "music_fuzz_common.h"
#include "platform/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto stream = platform::OpenMemory(std::vector<uint8_t>(data, data + size));
  musicfuzz::Exercise(kelp::TMP3Stream::Load({"fuzz.mp3", stream}));
  stream->Seek(0);
  platform::SoundRef sound = kelp::LoadMp3Sample(*stream);
  if (sound && (sound->Frames() <= 0 || sound->Rate() != 44100)) std::abort();
  return 0;
}
