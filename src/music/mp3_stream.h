#pragma once
// MP3 music through the ACM-shaped conversion layer (acm.h): TrkMod_ACM is
// the conversion source, TMP3Stream adds the frame-header probe that makes
// its input format. Also the whole-file sample loader that lets a sound
// effect be an MP3 file (registered with the platform's sound loading).
#include <vector>

#include "music/acm.h"
#include "music/loader_registry.h"
#include "platform/sound_load.h"

namespace kelp {

class TrkMod_ACM : public TMusic {
 public:
  std::string File;             // the source's name, when it had one
  platform::StreamRef fpIn;     // the compressed input
  MPEGLAYER3WAVEFORMAT informat;
  WAVEFORMATEX outformat;
  HACMSTREAM g_stream = nullptr;
  ACMSTREAMHEADER streamHead;
  std::vector<uint8_t> inbuf;   // one block of input, BLOCK_SIZE bytes
  std::vector<uint8_t> outbuf;  // the converted output of one block
  int Chunksize = 0;            // converted bytes not yet delivered
  size_t ChunkPos = 0;          // next of them in outbuf
  int BLOCK_SIZE = 256;         // input bytes converted per step

  ~TrkMod_ACM() override;

  // STREAM_SIZE in frames: the estimate until one pass has been decoded,
  // then the true length. STREAM_POS counts bytes of the current pass.
  int Geti(int index) override;
  // Exactly count bytes of 44100 Hz 16-bit stereo. At the end of the input
  // the next pass starts from byte 0 with a fresh decoder; without looping
  // the end is zero-padded and PlayStatus becomes 0. A pass that gives no
  // sound at all ends the source for good, with a log line.
  void FillBuffer(uint8_t* address, int count) override;
  // 1 when the conversion is ready.
  virtual int StreamOpen();
  virtual void CalcSize();
  // True once a whole pass has been decoded and STREAM_SIZE is exact.
  bool LengthLearnt() const { return sizeKnown_; }

 private:
  bool ConvertNext();

  bool sizeKnown_ = false;
  bool restart_ = true;   // the next conversion starts a pass
  bool drain_ = false;    // the last one filled outbuf: more may be waiting
  bool dead_ = false;
  bool warned_ = false;
  int64_t passBytes_ = 0;
};

// What the probe learnt from the first frame header.
struct Mp3FrameInfo {
  int64_t offset = 0;  // of the header's first byte
  int version = 0;     // 3 MPEG-1, 2 MPEG-2
  int layer = 0;       // layer field: 3 layer I, 2 layer II, 1 layer III
  int rate = 0, channels = 0, bitrate = 0;  // bitrate in kbit/s
  bool padding = false;
  int frameBytes = 0;
};

// The first frame header: an ID3v2 tag at the start is skipped, the header
// must lie within 10000 bytes after it, and the frame must be followed by
// another like it (or by the end of the file). False when there is none.
bool FindMp3Frame(platform::Stream& in, Mp3FrameInfo& info);

class TMP3Stream : public TrkMod_ACM {
 public:
  // Null when the source has no MPEG audio frame or the conversion refuses it.
  static Ref<TMP3Stream> Load(const MusicSource& source);
};

Ref<TMusic> LoadMp3Music(const MusicSource& source);

// The whole file as one sound of its true length; null when not MPEG audio.
platform::SoundRef LoadMp3Sample(platform::Stream& stream);

}  // namespace kelp
