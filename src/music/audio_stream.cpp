#include "music/audio_stream.h"

#include <cmath>
#include <cstring>

#include "music/format_convert.h"
#include "music/loader_registry.h"
#include "music/music_log.h"
#include "music/stream_timer.h"
#include "platform/audio.h"

namespace kelp {

namespace {

platform::Mixer* g_mixer = nullptr;

std::unique_ptr<platform::StreamChannel> NewBuffer() {
  if (g_mixer) return std::make_unique<platform::StreamChannel>(*g_mixer);
  return platform::AllocStreamChannel();
}

Ref<TAudioStream> Make(Ref<TMusic> music, bool keep, int loop, int paused) {
  music->Seti(PROP_STREAM_LOOP, loop);
  if (!TFormatConverter::IsDeviceFormat(*music)) {
    Ref<TMusic> converted = TFormatConverter::Create(music);
    if (!converted) {
      if (!keep) music->Free();
      return nullptr;
    }
    MusicLog("converting " + std::to_string(music->SAMPLE_RATE) + " Hz, format " +
                 std::to_string(music->STREAM_FORMAT) + " to 44100 Hz 16-bit stereo",
             LOG_MESSAGE);
    music = converted;
  }
  std::unique_ptr<platform::StreamChannel> buffer = NewBuffer();
  if (!buffer) {
    if (!keep) music->Free();
    return nullptr;
  }
  Ref<TDirectSoundAudioStream> stream = TDirectSoundAudioStream::Build(std::move(buffer), music, paused);
  stream->KeepMusic = keep ? 1 : 0;
  return stream;
}

}  // namespace

void UseStreamMixer(platform::Mixer* mixer) { g_mixer = mixer; }

int VolumeToMilliBel(float v) {
  if (std::isnan(v) || v <= 0.0f) return -10000;
  if (v >= 1.0f) return 0;
  const double mB = std::trunc(3321.927978515625 * std::log10(static_cast<double>(v)));
  return mB < -10000 ? -10000 : static_cast<int>(mB);
}

int PanToDevice(float p) {
  if (std::isnan(p)) return 0;
  return static_cast<int>(std::trunc(std::fmax(-1.0f, std::fmin(1.0f, p)) * 10000.0f));
}

// ---- TAudioStream -----------------------------------------------------------

TAudioStream::TAudioStream() { AddStreamHook(this); }

TAudioStream::~TAudioStream() { RemoveStreamHook(this); }

Ref<TAudioStream> TAudioStream::Create(const std::string& file, int loop, int paused) {
  Ref<TMusic> music = LoadMusic(file);
  if (!music) return nullptr;
  return Make(music, false, loop, paused);
}

Ref<TAudioStream> TAudioStream::Create(const Ref<TMusic>& music, int loop, int paused) {
  if (!music) return nullptr;
  return Make(music, true, loop, paused);
}

// ---- TDirectSoundAudioStream ------------------------------------------------

Ref<TDirectSoundAudioStream> TDirectSoundAudioStream::Build(std::unique_ptr<platform::StreamChannel> buffer,
                                                            const Ref<TMusic>& music, int paused) {
  auto s = New<TDirectSoundAudioStream>();
  s->pDSB = std::move(buffer);
  s->Music = music;
  music->PlayStatus = 1;
  platform::StreamRegions r;
  if (s->pDSB->Lock(0, s->pDSB->Size(), r)) {
    music->FillBuffer(r.ptr1, r.len1);
    if (r.len2) music->FillBuffer(r.ptr2, r.len2);
    s->pDSB->Unlock();
  }
  if (music->PlayStatus == 0) {
    // A piece shorter than the buffer: its end is noted now, before a resume
    // could set PlayStatus again and restart it.
    s->finpos = 0;
    s->finstart = 0;
    s->finloop = 1;
  }
  s->SetPaused(paused != 0);
  return s;
}

void TDirectSoundAudioStream::Update() {
  if (!pDSB) return;
  const int size = pDSB->Size();
  const int cursor = pDSB->GetCurrentPosition();
  if (finpos >= 0) {
    // The cursor moves less than one lap between ticks: it waits for data.
    if (cursor < lastcursor) {
      if (!finloop) {  // it passed the end on its way round
        Stop();
        return;
      }
      finloop = 0;
    }
    if (!finloop && cursor >= finpos) {
      Stop();
      return;
    }
  }
  lastcursor = cursor;

  const int bytes = (cursor - writepos + size) % size;
  platform::StreamRegions r;
  if (!pDSB->Lock(writepos, bytes, r)) return;  // the next tick retries
  const bool data = finpos < 0 && Music && Music->Geti(PROP_PLAY_STATUS) != 0;
  for (auto [ptr, len] : {std::pair{r.ptr1, r.len1}, std::pair{r.ptr2, r.len2}}) {
    if (len == 0) continue;
    if (data) {
      Music->FillBuffer(ptr, len);
    } else {
      std::memset(ptr, 0, static_cast<size_t>(len));
    }
  }
  pDSB->Unlock();
  writepos = (writepos + bytes) % size;

  if (finpos < 0 && Music && Music->Geti(PROP_PLAY_STATUS) == 0) {
    finloop = writepos <= cursor ? 1 : 0;
    finpos = writepos;
    finstart = cursor;
  }
}

void TDirectSoundAudioStream::Stop() {
  if (!pDSB) return;
  RemoveStreamHook(this);
  pDSB->Stop();
  if (!KeepMusic && Music) Music->Free();
  Music = nullptr;
  pDSB.reset();
}

void TDirectSoundAudioStream::SetPaused(bool flag) {
  if (!pDSB) return;
  if (flag) {
    paused = 1;
    pDSB->Stop();
    return;
  }
  if (finpos < 0 && Music) Music->PlayStatus = 1;
  pDSB->Play();
}

void TDirectSoundAudioStream::SetVolume(float v) {
  if (pDSB) pDSB->SetVolume(VolumeToMilliBel(v));
}

void TDirectSoundAudioStream::SetPan(float p) {
  if (pDSB) pDSB->SetPan(PanToDevice(p));
}

void TDirectSoundAudioStream::SetRate(float r) {
  if (!pDSB || std::isnan(r)) return;
  const double hz = std::trunc(static_cast<double>(r) * samplerate);
  pDSB->SetFrequency(hz < 1 ? 1 : hz > 1e6 ? 1000000 : static_cast<int>(hz));
}

bool TDirectSoundAudioStream::Playing() { return pDSB && pDSB->Playing(); }

}  // namespace kelp
