#pragma once
// TWavStream: the sample data of a RIFF/WAVE file (PCM, 8 or 16 bits, mono or
// stereo, any rate), streamed from the file with looping. The stream channel
// converts what is not 16-bit stereo at 44100 Hz.
#include "music/loader_registry.h"

namespace kelp {

class TWavStream : public TMusic {
 public:
  platform::StreamRef stream;  // the file, positioned inside the data chunk
  int samples = 0, size = 0;   // unused
  int64_t loopseek = 0;        // file position of the first sample byte

  // Null when the source is not such a file. STREAM_POS and STREAM_SIZE
  // count bytes of sample data; a data chunk that claims more than the file
  // holds is cut to what is there.
  static Ref<TWavStream> Load(const MusicSource& source);

  // Exactly count bytes: data, continuing from the first sample byte when
  // looping; at the end without looping zeros, PlayStatus 0 and a rewind.
  void FillBuffer(uint8_t* address, int count) override;
  // Back to the first sample byte.
  void Rewind();
};

Ref<TMusic> LoadWavMusic(const MusicSource& source);

}  // namespace kelp
