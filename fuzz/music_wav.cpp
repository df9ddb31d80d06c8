// WAV music streams: any bytes load as null or as a source that fills every
// request exactly and ends or loops without hanging.
#include "music/wav_stream.h"
#include "music_fuzz_common.h"
#include "platform/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto stream = platform::OpenMemory(std::vector<uint8_t>(data, data + size));
  musicfuzz::Exercise(kelp::TWavStream::Load({"fuzz.wav", stream}));
  return 0;
}
