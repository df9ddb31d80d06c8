// Sound files (WAV, OGG Vorbis): any bytes give null or a sound with frames
// at a sane rate, and that sound mixes without reading outside its data.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/mixer.h"
#include "platform/sound_load.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto stream = platform::OpenMemory(std::vector<uint8_t>(data, data + size));
  platform::SoundRef sound = platform::LoadSound(*stream, size % 2 == 1);
  if (!sound) return 0;
  if (sound->Frames() <= 0 || sound->Rate() < 1000 || sound->Rate() > 400000) std::abort();
  platform::Mixer mixer;
  auto channel = mixer.CueSound(sound);
  channel->SetRate(1.7f);
  channel->SetPaused(false);
  std::vector<int16_t> out(2 * 300);
  mixer.Mix(out.data(), 300);
  return 0;
}
