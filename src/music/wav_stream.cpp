#include "music/wav_stream.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "music/music_log.h"

namespace kelp {

namespace {

std::string ReadChunkTag(platform::Stream& s) {
  char tag[4];
  if (s.Read(tag, 4) != 4) return "";
  return std::string(tag, 4);
}

uint32_t ReadU32(platform::Stream& s) { return static_cast<uint32_t>(s.ReadInt()); }

}  // namespace

Ref<TWavStream> TWavStream::Load(const MusicSource& source) {
  platform::Stream* s = source.stream.get();
  if (!s) return nullptr;
  if (ReadChunkTag(*s) != "RIFF") return nullptr;
  ReadU32(*s);
  if (ReadChunkTag(*s) != "WAVE") return nullptr;
  const std::string name = source.file.empty() ? "a WAV stream" : "\"" + source.file + "\"";
  if (ReadChunkTag(*s) != "fmt ") {
    MusicLog(name + ": no format chunk where the WAV format puts it");
    return nullptr;
  }
  const uint32_t fmtSize = ReadU32(*s);
  if (fmtSize < 16 || fmtSize > static_cast<uint32_t>(s->Remaining())) {
    MusicLog(name + ": bad WAV format chunk");
    return nullptr;
  }
  const int tag = static_cast<uint16_t>(s->ReadShort());
  const int channels = static_cast<uint16_t>(s->ReadShort());
  const uint32_t rate = ReadU32(*s);
  ReadU32(*s);   // byte rate
  s->ReadShort();  // block alignment
  const int bits = static_cast<uint16_t>(s->ReadShort());
  int format = 0;
  if (bits == 8 && channels == 1) format = FORMAT_8_MONO;
  if (bits == 8 && channels == 2) format = FORMAT_8_STEREO;
  if (bits == 16 && channels == 1) format = FORMAT_16_MONO;
  if (bits == 16 && channels == 2) format = FORMAT_16_STEREO;
  if (tag != 1 || format == 0 || rate == 0 || rate > INT_MAX) {
    MusicLog(name + ": only PCM WAV of 8 or 16 bits, mono or stereo, can play");
    return nullptr;
  }
  // The chunk's extra bytes, and the pad byte after an odd-sized chunk.
  if (!s->Seek(s->Pos() + (fmtSize - 16) + (fmtSize & 1))) return nullptr;

  int64_t dataSize = 0;
  for (;;) {
    const std::string chunk = ReadChunkTag(*s);
    if (chunk.empty()) break;
    const int64_t chunkSize = ReadU32(*s);
    if (chunk == "data") {
      dataSize = std::min(chunkSize, s->Remaining());
      break;
    }
    const int64_t next = s->Pos() + chunkSize + (chunkSize & 1);
    if (next > s->Size() || !s->Seek(next)) break;
  }
  const int bpf = BytesPerFrame(format);
  dataSize = std::min<int64_t>(dataSize, INT_MAX);
  dataSize -= dataSize % bpf;

  auto w = New<TWavStream>();
  w->stream = source.stream;
  w->loopseek = s->Pos();
  w->SAMPLE_RATE = static_cast<int>(rate);
  w->STREAM_FORMAT = format;
  w->STREAM_SIZE = static_cast<int>(dataSize);
  if (dataSize == 0) MusicLog(name + ": the WAV file holds no sample data");
  return w;
}

void TWavStream::Rewind() {
  stream->Seek(loopseek);
  STREAM_POS = 0;
}

void TWavStream::FillBuffer(uint8_t* address, int count) {
  while (count > 0) {
    const int remaining = STREAM_SIZE - STREAM_POS;
    if (remaining <= 0) {
      // Nothing to repeat in an empty file: it ends even when looping.
      if (STREAM_LOOP == 1 && STREAM_SIZE > 0) {
        Rewind();
        continue;
      }
      PlayStatus = 0;
      Rewind();
      break;
    }
    const int want = std::min(count, remaining);
    const int got = static_cast<int>(stream->Read(address, static_cast<size_t>(want)));
    address += got;
    count -= got;
    STREAM_POS += got;
    if (got < want) STREAM_SIZE = STREAM_POS;  // the file shrank under us: its end is the data's end
  }
  if (count > 0) std::memset(address, 0, static_cast<size_t>(count));
}

Ref<TMusic> LoadWavMusic(const MusicSource& source) { return TWavStream::Load(source); }

}  // namespace kelp
