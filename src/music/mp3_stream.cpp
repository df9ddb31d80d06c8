#include "music/mp3_stream.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "music/music_log.h"

namespace kelp {

namespace {

constexpr int kProbeLimit = 10000;

// kbit/s by [MPEG-1 ? 0 : 1][layer I, II, III][index]
constexpr int kBitrates[2][3][16] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
};

// Rate by version field (0 MPEG-2.5, 1 reserved, 2 MPEG-2, 3 MPEG-1) and index.
constexpr int kRates[4][3] = {{11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};

// A header's fields from bytes b, a, c (the three after 0xFF); false when not valid.
bool Decode(uint8_t b, uint8_t a, uint8_t c, Mp3FrameInfo& f) {
  if ((b & 0xF0) != 0xF0 || (b & 0x06) == 0) return false;
  const int rateIndex = (a >> 2) & 3, bitIndex = a >> 4;
  if (rateIndex == 3 || bitIndex == 0 || bitIndex == 15) return false;
  f.version = (b >> 3) & 3;
  f.layer = (b >> 1) & 3;
  f.rate = kRates[f.version][rateIndex];
  if (f.rate == 0) return false;
  f.channels = ((c >> 6) & 3) == 3 ? 1 : 2;
  f.padding = (a >> 1) & 1;
  f.bitrate = kBitrates[f.version == 3 ? 0 : 1][3 - f.layer][bitIndex];
  const int pad = f.padding ? 1 : 0;
  const int64_t bps = int64_t{f.bitrate} * 1000;
  if (f.layer == 3) {
    f.frameBytes = static_cast<int>((12 * bps / f.rate + pad) * 4);
  } else if (f.layer == 1 && f.version != 3) {
    f.frameBytes = static_cast<int>(72 * bps / f.rate + pad);
  } else {
    f.frameBytes = static_cast<int>(144 * bps / f.rate + pad);
  }
  return f.frameBytes > 4;
}

// The size of an ID3v2 tag at the start, or 0.
int64_t Id3Size(platform::Stream& in) {
  uint8_t h[10];
  if (!in.Seek(0) || in.Read(h, 10) != 10 || std::memcmp(h, "ID3", 3) != 0) return 0;
  if ((h[6] | h[7] | h[8] | h[9]) & 0x80) return 0;
  const int64_t size = (int64_t{h[6]} << 21) | (h[7] << 14) | (h[8] << 7) | h[9];
  return 10 + size + ((h[5] & 0x10) ? 10 : 0);
}

}  // namespace

bool FindMp3Frame(platform::Stream& in, Mp3FrameInfo& info) {
  const int64_t start = Id3Size(in);
  if (!in.Seek(start)) return false;
  // The probe's bytes in one read, with the three after its last place a
  // header may start.
  std::vector<uint8_t> w(static_cast<size_t>(kProbeLimit) + 4);
  w.resize(in.Read(w.data(), w.size()));
  for (size_t i = 0; i <= static_cast<size_t>(kProbeLimit) && i + 3 < w.size(); ++i) {
    Mp3FrameInfo f;
    if (w[i] != 0xFF || !Decode(w[i + 1], w[i + 2], w[i + 3], f)) continue;
    // A real stream has another frame where this one ends, of the same kind.
    const int64_t at = start + static_cast<int64_t>(i);
    const int64_t next = at + f.frameBytes;
    bool confirmed = next >= in.Size();
    uint8_t n[4];
    Mp3FrameInfo g;
    if (!confirmed && in.Seek(next) && in.Read(n, 4) == 4 && n[0] == 0xFF && Decode(n[1], n[2], n[3], g))
      confirmed = g.version == f.version && g.layer == f.layer && g.rate == f.rate;
    if (confirmed) {
      f.offset = at;
      info = f;
      return in.Seek(0);
    }
  }
  return false;
}

// ---- TrkMod_ACM -------------------------------------------------------------

TrkMod_ACM::~TrkMod_ACM() {
  if (g_stream) {
    if (streamHead.fdwStatus & ACMSTREAMHEADER_STATUSF_PREPARED) acmStreamUnprepareHeader(g_stream, &streamHead);
    acmStreamClose(g_stream);
  }
}

int TrkMod_ACM::StreamOpen() {
  if (AcmCheck(acmStreamOpen(&g_stream, &informat.wfx, &outformat)) != MMSYSERR_NOERROR) return 0;
  uint32_t outBytes = 0;
  if (AcmCheck(acmStreamSize(g_stream, static_cast<uint32_t>(BLOCK_SIZE), &outBytes, ACM_STREAMSIZEF_SOURCE)) !=
      MMSYSERR_NOERROR)
    return 0;
  inbuf.assign(static_cast<size_t>(BLOCK_SIZE), 0);
  outbuf.assign(outBytes, 0);
  streamHead = ACMSTREAMHEADER{};
  streamHead.pbSrc = inbuf.data();
  streamHead.cbSrcLength = static_cast<uint32_t>(BLOCK_SIZE);
  streamHead.pbDst = outbuf.data();
  streamHead.cbDstLength = outBytes;
  return AcmCheck(acmStreamPrepareHeader(g_stream, &streamHead)) == MMSYSERR_NOERROR ? 1 : 0;
}

void TrkMod_ACM::CalcSize() {
  if (STREAM_SIZE != 0 || !g_stream || !fpIn) return;
  uint32_t bytes = 0;
  const int64_t in = std::min<int64_t>(fpIn->Size(), UINT32_MAX);
  if (AcmCheck(acmStreamSize(g_stream, static_cast<uint32_t>(in), &bytes, ACM_STREAMSIZEF_SOURCE)) != 0) return;
  STREAM_SIZE = static_cast<int>(std::min<uint32_t>(bytes / 4, INT_MAX));
}

int TrkMod_ACM::Geti(int index) {
  if (index == PROP_STREAM_SIZE) CalcSize();
  return TMusic::Geti(index);
}

// Converts the next block (or what is still waiting); false when the source is dead.
bool TrkMod_ACM::ConvertNext() {
  if (dead_ || !g_stream || !fpIn) return false;
  uint32_t flags = ACM_STREAMCONVERTF_BLOCKALIGN;
  uint32_t read = 0;
  if (!drain_) {
    if (fpIn->Eof()) {
      if (passBytes_ == 0) {
        MusicLog((File.empty() ? std::string("an MP3 stream") : "\"" + File + "\"") + " gives no sound");
        dead_ = true;
        PlayStatus = 0;
        return false;
      }
      const int frames = static_cast<int>(std::min<int64_t>(passBytes_ / 4, INT_MAX));
      if (STREAM_SIZE != frames) STREAM_SIZE = frames;  // the true length, learnt
      sizeKnown_ = true;
      passBytes_ = 0;
      STREAM_POS = 0;
      fpIn->Seek(0);
      restart_ = true;
      if (STREAM_LOOP == 0) {
        PlayStatus = 0;
        return true;
      }
    }
    read = static_cast<uint32_t>(fpIn->Read(inbuf.data(), inbuf.size()));
  }
  if (restart_) {
    flags |= ACM_STREAMCONVERTF_START;
    restart_ = false;
  }
  streamHead.cbSrcLength = read;
  const MMRESULT r = acmStreamConvert(g_stream, &streamHead, flags);
  if (r != MMSYSERR_NOERROR && !warned_) {
    AcmCheck(r);
    warned_ = true;
  }
  Chunksize = static_cast<int>(streamHead.cbDstLengthUsed);
  ChunkPos = 0;
  drain_ = Chunksize > 0 && streamHead.cbDstLengthUsed == streamHead.cbDstLength;
  return true;
}

void TrkMod_ACM::FillBuffer(uint8_t* address, int count) {
  while (count > 0) {
    if (Chunksize <= 0) {
      const int status = PlayStatus;
      if (!ConvertNext()) break;
      if (status != 0 && PlayStatus == 0) break;  // ended without looping: the rest is silence
      continue;
    }
    const int n = std::min(count, Chunksize);
    std::memcpy(address, outbuf.data() + ChunkPos, static_cast<size_t>(n));
    address += n;
    count -= n;
    ChunkPos += static_cast<size_t>(n);
    Chunksize -= n;
    passBytes_ += n;
    STREAM_POS = static_cast<int>(std::min<int64_t>(passBytes_, INT_MAX));
  }
  if (count > 0) std::memset(address, 0, static_cast<size_t>(count));
}

// ---- TMP3Stream -------------------------------------------------------------

Ref<TMP3Stream> TMP3Stream::Load(const MusicSource& source) {
  if (!source.stream) return nullptr;
  Mp3FrameInfo f;
  if (!FindMp3Frame(*source.stream, f)) return nullptr;
  auto m = New<TMP3Stream>();
  m->SAMPLE_RATE = 44100;
  m->STREAM_FORMAT = FORMAT_16_STEREO;
  m->File = source.file;
  m->fpIn = source.stream;

  WAVEFORMATEX& in = m->informat.wfx;
  in.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
  in.nChannels = static_cast<uint16_t>(f.channels);
  in.nSamplesPerSec = static_cast<uint32_t>(f.rate);
  in.nAvgBytesPerSec = static_cast<uint32_t>(f.rate / 4);
  in.nBlockAlign = 1;
  in.wBitsPerSample = 0;
  in.cbSize = 12;
  m->informat.wID = MPEGLAYER3_ID_MPEG;
  m->informat.fdwFlags = f.padding ? MPEGLAYER3_FLAG_PADDING_ON : MPEGLAYER3_FLAG_PADDING_OFF;
  m->informat.nBlockSize = static_cast<uint16_t>(f.layer == 3 ? 384 : 1152);
  m->informat.nFramesPerBlock = 1;
  m->informat.nCodecDelay = 1393;
  m->BLOCK_SIZE = m->informat.nBlockSize;

  WAVEFORMATEX& out = m->outformat;
  out.wFormatTag = WAVE_FORMAT_PCM;
  out.nChannels = 2;
  out.nSamplesPerSec = 44100;
  out.nAvgBytesPerSec = 176400;
  out.nBlockAlign = 4;
  out.wBitsPerSample = 16;
  out.cbSize = 0;
  if (!m->StreamOpen()) return nullptr;
  return m;
}

Ref<TMusic> LoadMp3Music(const MusicSource& source) { return TMP3Stream::Load(source); }

platform::SoundRef LoadMp3Sample(platform::Stream& stream) {
  // Borrowed for this call only.
  platform::StreamRef borrowed(&stream, [](platform::Stream*) {});
  Ref<TMP3Stream> m = TMP3Stream::Load({"", borrowed});
  if (!m) return nullptr;
  m->Seti(PROP_STREAM_LOOP, 0);
  m->PlayStatus = 1;
  // Decoded to the end of one pass: the estimated length may be short.
  constexpr int64_t kMaxBytes = int64_t{44100} * 4 * 600;
  std::vector<uint8_t> pcm;
  // Pieces of a tenth of a second: most sounds are short, and each piece is
  // kept whole, the silence after the end included.
  std::vector<uint8_t> chunk(16384);
  while (m->PlayStatus != 0 && static_cast<int64_t>(pcm.size()) < kMaxBytes) {
    m->FillBuffer(chunk.data(), static_cast<int>(chunk.size()));
    pcm.insert(pcm.end(), chunk.begin(), chunk.end());
  }
  const int frames = m->LengthLearnt() ? m->Geti(PROP_STREAM_SIZE) : 0;
  platform::SoundRef sound = platform::CreateAudioSample(frames, 44100);
  if (!sound || static_cast<size_t>(frames) * 4 > pcm.size()) return nullptr;
  std::memcpy(sound->Data(), pcm.data(), static_cast<size_t>(frames) * 4);
  return sound;
}

}  // namespace kelp
