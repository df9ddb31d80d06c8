#pragma once
// Shared by the music loader targets: a loaded source must fill every request
// exactly, looping or not, converted to the device format or not, and
// ending never hangs (each run is bounded).
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "music/format_convert.h"
#include "music/music.h"

namespace musicfuzz {

// Mixing and resampling cost per frame, so an input gets a few thousand
// frames: requests of odd sizes looped and not, then a few through the
// converter (more than one pull of the source at any rate).
inline void Exercise(const kelp::Ref<kelp::TMusic>& music) {
  if (!music) return;
  if (kelp::BytesPerFrame(music->STREAM_FORMAT) == 0) std::abort();
  std::vector<uint8_t> buf(4096 + 16);
  for (int loop : {1, 0}) {
    music->Seti(kelp::PROP_STREAM_LOOP, loop);
    music->PlayStatus = 1;
    for (int i = 0; i < 4 && music->PlayStatus; ++i) {
      const int count = 2048 - (i % 3) * 4;
      buf[static_cast<size_t>(count)] = 0xA5;
      music->FillBuffer(buf.data(), count);
      if (buf[static_cast<size_t>(count)] != 0xA5) std::abort();  // wrote past the request
    }
  }
  if (auto converted = kelp::TFormatConverter::Create(music)) {
    converted->Seti(kelp::PROP_STREAM_LOOP, 1);
    converted->PlayStatus = 1;
    for (int i = 0; i < 3; ++i) converted->FillBuffer(buf.data(), 2048);
  }
  music->Free();
}

}  // namespace musicfuzz
