// OGG music streams: any bytes load as null or as a source that fills every
// request exactly and ends or loops without hanging.
#include "music/ogg_stream.h"
#include "music_fuzz_common.h"
#include "platform/stream.h"

// libvorbisfile leaks a few bytes when opening some broken multi-stream files
// fails (its own bug, inside ov_open_callbacks); those are not the game's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libvorbisfile.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto stream = platform::OpenMemory(std::vector<uint8_t>(data, data + size));
  musicfuzz::Exercise(kelp::TOGGStream::Load({"fuzz.ogg", stream}));
  return 0;
}
