#include "platform/mixer.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

float Clamp(float v, float lo, float hi, float ifNaN) {
  if (std::isnan(v)) return ifNaN;
  return std::min(std::max(v, lo), hi);
}

int16_t ReadLE16(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }

}  // namespace

float MilliBelGain(int mB) {
  if (mB >= 0) return 1.0f;
  if (mB <= -10000) return 0.0f;
  return static_cast<float>(std::pow(10.0, mB / 2000.0));
}

// ---- effect channels ------------------------------------------------------

auto EffectChannel::Find() const {
  auto mixer = mixer_.lock();
  return mixer ? (*mixer)->Find(index_, generation_) : static_cast<Mixer::Voice*>(nullptr);
}

void EffectChannel::Stop() {
  AudioLock lock;
  if (auto* v = Find()) {
    v->held = false;
    v->paused = true;
  }
}

void EffectChannel::SetPaused(bool paused) {
  AudioLock lock;
  if (auto* v = Find()) v->paused = paused;
}

void EffectChannel::SetVolume(float volume) {
  AudioLock lock;
  if (auto* v = Find()) v->volume = Clamp(volume, 0, 1, 0);
}

void EffectChannel::SetPan(float pan) {
  AudioLock lock;
  if (auto* v = Find()) v->pan = Clamp(pan, -1, 1, 0);
}

void EffectChannel::SetDepth(float depth) {
  AudioLock lock;
  if (auto* v = Find()) v->depth = depth;
}

void EffectChannel::SetRate(float rate) {
  AudioLock lock;
  // A rate of 0 would hold one sample for ever: keep a tiny minimum.
  if (auto* v = Find()) v->rate = Clamp(rate, 0.001f, 100, 1);
}

bool EffectChannel::Playing() {
  AudioLock lock;
  auto* v = Find();
  return v && v->sound && !v->paused;
}

// ---- stream channels ------------------------------------------------------

StreamChannel::StreamChannel(int bytes) : StreamChannel(DeviceMixer(), bytes) {}

StreamChannel::StreamChannel(Mixer& mixer, int bytes)
    : mixer_(&mixer), buffer_(static_cast<size_t>(std::max(bytes / 4, 2)) * 4, 0) {
  AudioLock lock;
  mixer_->streams_.push_back(this);
}

StreamChannel::~StreamChannel() {
  if (!mixer_) return;
  AudioLock lock;
  auto& s = mixer_->streams_;
  s.erase(std::remove(s.begin(), s.end(), this), s.end());
  auto& p = mixer_->pausedStreams_;
  p.erase(std::remove(p.begin(), p.end(), this), p.end());
}

int StreamChannel::GetCurrentPosition() const {
  const int64_t frames = Size() / 4;
  return static_cast<int>(played_.load(std::memory_order_acquire) % frames) * 4;
}

int StreamChannel::GetWritePosition() const {
  const int64_t frames = Size() / 4;
  return static_cast<int>(written_.load(std::memory_order_relaxed) % frames) * 4;
}

int StreamChannel::FreeBytes() const {
  const int64_t ahead = written_.load(std::memory_order_relaxed) - played_.load(std::memory_order_acquire);
  return Size() - static_cast<int>(ahead) * 4;
}

bool StreamChannel::Lock(int offset, int bytes, StreamRegions& regions) {
  regions = {};
  const int size = Size();
  if (locked_ >= 0 || offset != GetWritePosition() || bytes < 0 || bytes % 4 != 0 || bytes > FreeBytes())
    return false;
  locked_ = bytes;
  const int first = std::min(bytes, size - offset);
  regions.ptr1 = buffer_.data() + offset;
  regions.len1 = first;
  if (bytes > first) {
    regions.ptr2 = buffer_.data();
    regions.len2 = bytes - first;
  }
  return true;
}

void StreamChannel::Unlock() {
  if (locked_ < 0) return;
  // Release: the device sees the bytes before it sees that they are there.
  written_.fetch_add(locked_ / 4, std::memory_order_release);
  locked_ = -1;
}

void StreamChannel::Play() {
  AudioLock lock;
  playing_ = true;
}

void StreamChannel::Stop() {
  AudioLock lock;
  playing_ = false;
}

bool StreamChannel::Playing() const {
  AudioLock lock;
  return playing_;
}

void StreamChannel::SetVolume(int mB) {
  AudioLock lock;
  volume_ = std::clamp(mB, -10000, 0);
  UpdateGains();
}

void StreamChannel::SetPan(int pan) {
  AudioLock lock;
  pan_ = std::clamp(pan, -10000, 10000);
  UpdateGains();
}

void StreamChannel::SetFrequency(int hz) {
  AudioLock lock;
  frequency_ = hz == 0 ? kMixRate : std::clamp(hz, 100, 200000);
}

void StreamChannel::UpdateGains() {
  float g = MilliBelGain(volume_);
  gainL_ = g * (pan_ > 0 ? MilliBelGain(-pan_) : 1.0f);
  gainR_ = g * (pan_ < 0 ? MilliBelGain(pan_) : 1.0f);
}

// ---- mixer ----------------------------------------------------------------

Mixer::Mixer() : self_(std::make_shared<Mixer*>(this)) {}

Mixer::~Mixer() {
  // Channels left behind go quiet instead of pointing at freed memory.
  for (StreamChannel* s : streams_) s->mixer_ = nullptr;
}

Mixer::Voice* Mixer::Find(int index, uint32_t generation) {
  if (index < 0 || index >= kEffectChannels) return nullptr;
  Voice& v = voices_[static_cast<size_t>(index)];
  return v.held && v.generation == generation ? &v : nullptr;
}

std::shared_ptr<EffectChannel> Mixer::AllocChannel() {
  AudioLock lock;
  int pick = -1;
  // A channel allocated without a sound cued on it counts as free.
  for (int i = 0; i < kEffectChannels && pick < 0; ++i)
    if (!voices_[static_cast<size_t>(i)].held || !voices_[static_cast<size_t>(i)].sound) pick = i;
  if (pick < 0) {
    pick = 0;
    for (int i = 1; i < kEffectChannels; ++i)
      if (voices_[static_cast<size_t>(i)].order < voices_[static_cast<size_t>(pick)].order) pick = i;
  }
  Voice& v = voices_[static_cast<size_t>(pick)];
  uint32_t generation = v.generation + 1;
  v = Voice{};
  v.generation = generation;
  v.held = true;
  v.order = ++order_;
  return std::shared_ptr<EffectChannel>(new EffectChannel(self_, pick, generation));
}

std::shared_ptr<EffectChannel> Mixer::CueSound(const SoundRef& sound) {
  if (!sound || sound->Frames() <= 0 || sound->Rate() <= 0) return std::make_shared<EffectChannel>();
  auto channel = AllocChannel();
  AudioLock lock;
  Voice& v = voices_[static_cast<size_t>(channel->index_)];
  v.sound = sound;
  v.loop = sound->Loop();
  return channel;
}

void Mixer::PauseAll(bool withStreams) {
  AudioLock lock;
  for (int i = 0; i < kEffectChannels; ++i) {
    Voice& v = voices_[static_cast<size_t>(i)];
    if (v.held && v.sound && !v.paused) {
      v.paused = true;
      pausedVoices_.emplace_back(i, v.generation);
    }
  }
  if (!withStreams) return;
  for (StreamChannel* s : streams_) {
    if (s->playing_) {
      s->playing_ = false;
      pausedStreams_.push_back(s);
    }
  }
}

void Mixer::ResumeAll(bool withStreams) {
  AudioLock lock;
  for (auto [index, generation] : pausedVoices_)
    if (Voice* v = Find(index, generation)) v->paused = false;
  pausedVoices_.clear();
  if (!withStreams) return;
  for (StreamChannel* s : pausedStreams_) s->playing_ = true;
  pausedStreams_.clear();
}

void Mixer::Mix(int16_t* out, int frames) {
  while (frames > 0) {
    const int n = std::min(frames, kChunk);
    float* acc = acc_.data();
    std::fill(acc, acc + 2 * n, 0.0f);
    for (Voice& v : voices_)
      if (v.held && v.sound && v.sound->Frames() > 0 && !v.paused) MixVoice(v, acc, n);
    for (StreamChannel* s : streams_)
      if (s->playing_) MixStream(*s, acc, n);
    for (int i = 0; i < 2 * n; ++i) {
      long s = std::lrint(acc[i]);
      out[i] = static_cast<int16_t>(std::clamp(s, -32768L, 32767L));
    }
    out += 2 * n;
    frames -= n;
  }
}

void Mixer::MixVoice(Voice& v, float* acc, int frames) {
  const Sound& sound = *v.sound;
  const int n = sound.Frames();
  const int16_t* d = sound.Data();
  const double step = static_cast<double>(v.rate) * sound.Rate() / kMixRate;
  const float gl = v.volume * std::min(1.0f, 1.0f - v.pan);
  const float gr = v.volume * std::min(1.0f, 1.0f + v.pan);
  double pos = v.pos;
  for (int i = 0; i < frames; ++i) {
    const int i0 = static_cast<int>(pos);
    const float f = static_cast<float>(pos - i0);
    int i1 = i0 + 1;
    if (i1 >= n) i1 = v.loop ? 0 : i0;
    const float l = d[2 * i0] + (d[2 * i1] - d[2 * i0]) * f;
    const float r = d[2 * i0 + 1] + (d[2 * i1 + 1] - d[2 * i0 + 1]) * f;
    acc[2 * i] += l * gl;
    acc[2 * i + 1] += r * gr;
    pos += step;
    if (pos >= n) {
      if (!v.loop) {
        v.held = false;
        v.paused = true;
        break;
      }
      pos = std::fmod(pos, n);
    }
  }
  v.pos = pos;
}

void Mixer::MixStream(StreamChannel& s, float* acc, int frames) {
  const int64_t n = s.Size() / 4;
  const uint8_t* b = s.buffer_.data();
  // Acquire: every byte written before this count is visible.
  const int64_t written = s.written_.load(std::memory_order_acquire);
  int64_t played = s.played_.load(std::memory_order_relaxed);
  const double step = static_cast<double>(s.frequency_) / kMixRate;
  double frac = s.frac_;
  // A frame plays only once the one after it is written too: interpolation
  // reads both, and the cursor stays short of the write position.
  for (int i = 0; i < frames && played + 1 < written; ++i) {
    const uint8_t* f0 = b + 4 * (played % n);
    const uint8_t* f1 = b + 4 * ((played + 1) % n);
    const float l0 = ReadLE16(f0), r0 = ReadLE16(f0 + 2);
    const float l = l0 + (ReadLE16(f1) - l0) * static_cast<float>(frac);
    const float r = r0 + (ReadLE16(f1 + 2) - r0) * static_cast<float>(frac);
    acc[2 * i] += l * s.gainL_;
    acc[2 * i + 1] += r * s.gainR_;
    frac += step;
    const int64_t whole = static_cast<int64_t>(frac);
    frac -= static_cast<double>(whole);
    played = std::min(played + whole, written - 1);
  }
  s.frac_ = frac;
  // Release: the owner may overwrite these frames only after they were read.
  s.played_.store(played, std::memory_order_release);
}

Mixer& DeviceMixer() {
  // Never destroyed: the device thread may still call it while the process exits.
  static Mixer* mixer = new Mixer;
  return *mixer;
}

}  // namespace platform
