#pragma once
// TMusic: a source of interleaved PCM bytes that a stream channel pulls from,
// with the small property interface every music source shares. Decoders (WAV,
// OGG, MP3, later the tracker) derive from it.
//
// Clock: sources run on the main thread only, inside the stream tick.
#include <cstdint>
#include <string>

#include "framework/core/object.h"

namespace kelp {

// Sample formats, the module's own numbering.
enum MusicFormat {
  FORMAT_8_MONO = 200,
  FORMAT_16_MONO = 201,
  FORMAT_8_STEREO = 202,
  FORMAT_16_STEREO = 203,  // the device format, at 44100 Hz
};

// Bytes per sample frame of a format code; 0 for any other code.
int BytesPerFrame(int format);

// Property indices of Seti and Geti.
enum MusicProperty {
  PROP_STREAM_SIZE = 1,
  PROP_STREAM_POS = 2,
  PROP_PLAY_STATUS = 3,
  PROP_STREAM_FORMAT = 4,
  PROP_SAMPLE_RATE = 5,
  PROP_STREAM_LOOP = 7,
};

class TMusic : public Object {
 public:
  std::string DebugData;
  // 1 while the source delivers data; the source sets 0 when it has run out
  // and does not loop; stream channels set 1 when they start or resume.
  int PlayStatus = 0;
  int SAMPLE_RATE = 44100;
  int STREAM_FORMAT = FORMAT_16_STEREO;
  int STREAM_LOOP = 1;
  int STREAM_POS = 0;   // in the source's own unit
  int STREAM_SIZE = 0;  // same unit

  void WriteBug(const std::string& text) { DebugData += text; }
  // Releases the decoder; the object stays valid and delivers silence.
  virtual void Free() {}
  // Writes exactly count bytes at address: data while there is some, then
  // zeros. A source that ends without looping sets PlayStatus to 0.
  virtual void FillBuffer(uint8_t* address, int count) = 0;
  virtual int Setf(int, float) { return 0; }
  virtual float Getf(int) { return 0.0f; }
  // See MusicProperty: size, position and status are read-only; the format
  // takes only the four codes above. 1 when set, else 0.
  virtual int Seti(int index, int value);
  virtual int Geti(int index);
  virtual std::string GetS(int) { return ""; }
};

}  // namespace kelp
