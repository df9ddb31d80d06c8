#include "platform/sound_load.h"

#include <SDL.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace platform {

namespace {

constexpr int kMinRate = 1000;
constexpr int kMaxRate = 400000;
// Bounds on what one sound may take, so a hostile file cannot exhaust memory.
constexpr int64_t kMaxFileBytes = 256 << 20;
constexpr int64_t kMaxFrames = int64_t{44100} * 600;

void Fail(const std::string& name, const std::string& why) {
  std::fprintf(stderr, "LoadSound: %s: %s\n", name.c_str(), why.c_str());
}

bool FrameCountFits(const std::string& name, int64_t frames) {
  if (frames == 0) {
    Fail(name, "WAV holds no sample data");
    return false;
  }
  if (frames > kMaxFrames) {
    Fail(name, "WAV too long");
    return false;
  }
  return true;
}

bool StartsWith(const std::vector<uint8_t>& bytes, size_t at, const char* tag) {
  size_t n = std::strlen(tag);
  return bytes.size() >= at + n && std::memcmp(bytes.data() + at, tag, n) == 0;
}

// ---- WAV ------------------------------------------------------------------

uint32_t Le32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// Every chunk up to the samples must fit in the file: SDL allocates what a
// chunk claims before it reads, so a claimed 4 GB would be asked of memory.
bool WavChunksFit(const std::vector<uint8_t>& d) {
  size_t p = 12;
  while (p + 8 <= d.size()) {
    uint64_t size = Le32(d.data() + p + 4);
    if (size > d.size() - p - 8) return false;
    if (std::memcmp(d.data() + p, "data", 4) == 0) return true;
    p += 8 + size + (size & 1);
  }
  return false;
}

SoundRef DecodeWav(const std::vector<uint8_t>& bytes, bool loop, const std::string& name) {
  if (!WavChunksFit(bytes)) {
    Fail(name, "WAV file is truncated");
    return nullptr;
  }
  static std::once_flag strict;
  // A chunk cut short is an error rather than a shorter sound.
  std::call_once(strict, [] { SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict"); });

  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (!rw) {
    Fail(name, SDL_GetError());
    return nullptr;
  }
  SDL_AudioSpec wav_format{};
  Uint8* buf = nullptr;
  Uint32 len = 0;
  if (!SDL_LoadWAV_RW(rw, 1, &wav_format, &buf, &len)) {
    Fail(name, std::string("bad WAV: ") + SDL_GetError());
    return nullptr;
  }
  std::unique_ptr<Uint8, decltype(&SDL_free)> raw(buf, &SDL_free);
  if (len == 0 || !buf) {
    Fail(name, "WAV holds no sample data");
    return nullptr;
  }
  if (wav_format.freq < kMinRate || wav_format.freq > kMaxRate || wav_format.channels == 0) {
    Fail(name, "unsupported WAV rate or channel count");
    return nullptr;
  }

  // The game's own sounds are 16-bit mono or stereo: copied straight into
  // the sound's buffer, not through SDL's converter and two more copies.
  if (wav_format.format == AUDIO_S16SYS && (wav_format.channels == 1 || wav_format.channels == 2)) {
    const int64_t frames = int64_t{len} / (2 * wav_format.channels);
    if (!FrameCountFits(name, frames)) return nullptr;
    std::vector<int16_t> samples(static_cast<size_t>(frames) * 2);
    const auto* in = reinterpret_cast<const uint8_t*>(raw.get());
    if (wav_format.channels == 2) {
      std::memcpy(samples.data(), in, samples.size() * 2);
    } else {
      for (int64_t f = 0; f < frames; ++f) {
        int16_t v;
        std::memcpy(&v, in + f * 2, 2);
        samples[size_t(f) * 2] = samples[size_t(f) * 2 + 1] = v;
      }
    }
    return std::make_shared<Sound>(std::move(samples), wav_format.freq, loop);
  }

  SDL_AudioCVT cvt;
  int need = SDL_BuildAudioCVT(&cvt, wav_format.format, wav_format.channels, wav_format.freq, AUDIO_S16SYS, 2, wav_format.freq);
  if (need < 0) {
    Fail(name, std::string("unsupported WAV format: ") + SDL_GetError());
    return nullptr;
  }
  std::vector<uint8_t> pcm(static_cast<size_t>(len) * std::max(1, cvt.len_mult));
  std::memcpy(pcm.data(), raw.get(), len);
  size_t outBytes = len;
  if (need > 0) {
    cvt.buf = pcm.data();
    cvt.len = static_cast<int>(len);
    if (SDL_ConvertAudio(&cvt) < 0) {
      Fail(name, std::string("WAV conversion failed: ") + SDL_GetError());
      return nullptr;
    }
    outBytes = static_cast<size_t>(cvt.len_cvt);
  }
  int64_t frames = static_cast<int64_t>(outBytes / 4);
  if (!FrameCountFits(name, frames)) return nullptr;
  auto sound = std::make_shared<Sound>(static_cast<int>(frames), wav_format.freq, loop);
  std::memcpy(sound->Data(), pcm.data(), static_cast<size_t>(frames) * 4);
  return sound;
}

// ---- OGG Vorbis -----------------------------------------------------------

struct MemorySource {
  const std::vector<uint8_t>* bytes;
  size_t pos;
};

size_t MemRead(void* ptr, size_t size, size_t nmemb, void* src) {
  auto* m = static_cast<MemorySource*>(src);
  if (size == 0) return 0;
  size_t left = m->bytes->size() - m->pos;
  size_t items = std::min(nmemb, left / size);
  std::memcpy(ptr, m->bytes->data() + m->pos, items * size);
  m->pos += items * size;
  return items;
}

int MemSeek(void* src, ogg_int64_t offset, int whence) {
  auto* m = static_cast<MemorySource*>(src);
  int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<int64_t>(m->pos)
                                                             : static_cast<int64_t>(m->bytes->size());
  int64_t to = base + offset;
  if (to < 0 || to > static_cast<int64_t>(m->bytes->size())) return -1;
  m->pos = static_cast<size_t>(to);
  return 0;
}

long MemTell(void* src) { return static_cast<long>(static_cast<MemorySource*>(src)->pos); }

// A file cut inside a page: vorbisfile would quietly play the part before
// the cut, so it is caught here.
bool OggTruncated(const std::vector<uint8_t>& d) {
  size_t p = 0;
  while (p < d.size()) {
    size_t left = d.size() - p;
    if (std::memcmp(d.data() + p, "OggS", std::min<size_t>(4, left)) != 0) return false;
    if (left < 27) return true;
    size_t segments = d[p + 26];
    if (left < 27 + segments) return true;
    size_t body = 0;
    for (size_t i = 0; i < segments; ++i) body += d[p + 27 + i];
    if (left < 27 + segments + body) return true;
    p += 27 + segments + body;
  }
  return false;
}

SoundRef DecodeOgg(const std::vector<uint8_t>& bytes, bool loop, const std::string& name) {
  if (OggTruncated(bytes)) {
    Fail(name, "OGG file is truncated");
    return nullptr;
  }
  MemorySource src{&bytes, 0};
  OggVorbis_File vf;
  ov_callbacks cb{MemRead, MemSeek, nullptr, MemTell};
  if (ov_open_callbacks(&src, &vf, nullptr, 0, cb) != 0) {
    Fail(name, "bad OGG Vorbis header");
    return nullptr;
  }
  std::unique_ptr<OggVorbis_File, decltype(&ov_clear)> guard(&vf, &ov_clear);
  vorbis_info* info = ov_info(&vf, -1);
  if (!info || info->rate < kMinRate || info->rate > kMaxRate || info->channels <= 0) {
    Fail(name, "unsupported OGG rate or channel count");
    return nullptr;
  }
  const int rate = static_cast<int>(info->rate);

  std::vector<int16_t> out;
  std::vector<int16_t> chunk(4096 * 8);
  const int bigEndian = std::endian::native == std::endian::big ? 1 : 0;
  for (;;) {
    int link = 0;
    long got = ov_read(&vf, reinterpret_cast<char*>(chunk.data()), static_cast<int>(chunk.size() * 2),
                       bigEndian, 2, 1, &link);
    if (got == 0) break;
    if (got == OV_HOLE) continue;  // a gap in the data: decoding carries on after it
    if (got < 0) {
      Fail(name, "corrupt OGG Vorbis data");
      return nullptr;
    }
    vorbis_info* li = ov_info(&vf, link);
    int ch = li && li->channels > 0 ? li->channels : 1;
    size_t frames = static_cast<size_t>(got) / 2 / static_cast<size_t>(ch);
    // Vorbis orders three or more channels left, centre, right, ...
    int right = ch == 1 ? 0 : (ch == 3 || ch >= 5) ? 2 : 1;
    for (size_t f = 0; f < frames; ++f) {
      const int16_t* s = chunk.data() + f * static_cast<size_t>(ch);
      out.push_back(s[0]);
      out.push_back(s[right]);
    }
    if (static_cast<int64_t>(out.size() / 2) > kMaxFrames) {
      Fail(name, "OGG too long");
      return nullptr;
    }
  }
  if (out.empty()) {
    Fail(name, "OGG holds no sample data");
    return nullptr;
  }
  return std::make_shared<Sound>(std::move(out), rate, loop);
}

// ---- sample loaders -------------------------------------------------------

struct LoaderEntry {
  int id;
  SampleLoader fn;
};

std::mutex& LoadersMutex() {
  static std::mutex m;
  return m;
}
std::vector<LoaderEntry>& Loaders() {
  static std::vector<LoaderEntry> list;
  return list;
}

}  // namespace

Sound::Sound(int frames, int rate, bool loop)
    : data_(static_cast<size_t>(std::max(frames, 0)) * 2, 0), rate_(rate), loop_(loop) {}

Sound::Sound(std::vector<int16_t> samples, int rate, bool loop) : data_(std::move(samples)), rate_(rate), loop_(loop) {
  data_.resize(data_.size() & ~size_t{1});  // whole frames only
}

SoundRef CreateAudioSample(int frames, int rate) {
  if (frames <= 0 || rate < kMinRate || rate > kMaxRate || frames > kMaxFrames) return nullptr;
  return std::make_shared<Sound>(frames, rate);
}

SoundRef LoadSound(const std::string& path, bool loop) {
  StreamRef s = OpenFileRead(path);
  if (!s) {
    Fail(path, "cannot open the file");
    return nullptr;
  }
  return LoadSound(*s, loop, path);
}

SoundRef LoadSound(Stream& stream, bool loop, const std::string& name) {
  if (stream.Remaining() > kMaxFileBytes) {
    Fail(name, "file too large for a sound");
    return nullptr;
  }
  std::vector<uint8_t> bytes = stream.ReadAll();
  if (StartsWith(bytes, 0, "RIFF") && StartsWith(bytes, 8, "WAVE")) return DecodeWav(bytes, loop, name);
  if (StartsWith(bytes, 0, "OggS")) return DecodeOgg(bytes, loop, name);

  std::vector<LoaderEntry> loaders;
  {
    std::lock_guard<std::mutex> lock(LoadersMutex());
    loaders = Loaders();
  }
  auto file = OpenMemory(std::move(bytes));
  for (const LoaderEntry& l : loaders) {
    file->Seek(0);
    if (SoundRef s = l.fn(*file)) {
      if (s->Frames() <= 0 || s->Rate() < kMinRate || s->Rate() > kMaxRate) continue;
      s->SetLoop(loop);
      return s;
    }
  }
  Fail(name, "not a sound file this game can read");
  return nullptr;
}

int AddSampleLoader(SampleLoader loader) {
  static int next = 1;
  std::lock_guard<std::mutex> lock(LoadersMutex());
  int id = next++;
  Loaders().push_back({id, std::move(loader)});
  return id;
}

void RemoveSampleLoader(int id) {
  std::lock_guard<std::mutex> lock(LoadersMutex());
  auto& list = Loaders();
  list.erase(std::remove_if(list.begin(), list.end(), [id](const LoaderEntry& e) { return e.id == id; }),
             list.end());
}

}  // namespace platform
