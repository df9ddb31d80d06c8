#include "music/format_convert.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "music/music_log.h"

namespace kelp {

namespace {

constexpr int kMinRate = 1000;
constexpr int kMaxRate = 400000;
constexpr int kDeviceRate = 44100;
constexpr int kPullFrames = 1024;  // source frames fetched at a time

int16_t Sample(const uint8_t* p, bool eightBit) {
  if (eightBit) return static_cast<int16_t>((p[0] - 128) * 256);  // unsigned 8-bit
  return static_cast<int16_t>(p[0] | (p[1] << 8));
}

}  // namespace

bool TFormatConverter::IsDeviceFormat(const TMusic& music) {
  return music.STREAM_FORMAT == FORMAT_16_STEREO && music.SAMPLE_RATE == kDeviceRate;
}

Ref<TFormatConverter> TFormatConverter::Create(const Ref<TMusic>& source) {
  if (!source) return nullptr;
  if (BytesPerFrame(source->STREAM_FORMAT) == 0 || source->SAMPLE_RATE < kMinRate ||
      source->SAMPLE_RATE > kMaxRate) {
    MusicLog("cannot play sample format " + std::to_string(source->STREAM_FORMAT) + " at " +
             std::to_string(source->SAMPLE_RATE) + " Hz");
    return nullptr;
  }
  auto c = New<TFormatConverter>();
  c->source_ = source;
  c->step_ = static_cast<double>(source->SAMPLE_RATE) / kDeviceRate;
  c->STREAM_LOOP = source->STREAM_LOOP;
  c->PlayStatus = source->PlayStatus;
  return c;
}

void TFormatConverter::Free() { source_->Free(); }

int TFormatConverter::Seti(int index, int value) {
  if (index == PROP_STREAM_LOOP) source_->Seti(index, value);
  if (index == PROP_STREAM_FORMAT || index == PROP_SAMPLE_RATE) return 0;  // fixed: the device format
  return TMusic::Seti(index, value);
}

int TFormatConverter::Geti(int index) {
  const double scale = 1.0 / step_;
  switch (index) {
    case PROP_STREAM_SIZE: return static_cast<int>(source_->Geti(PROP_STREAM_SIZE) * scale);
    case PROP_STREAM_POS: return static_cast<int>(source_->Geti(PROP_STREAM_POS) * scale);
    default: return TMusic::Geti(index);
  }
}

bool TFormatConverter::NextFrame(int16_t& l, int16_t& r) {
  const int bpf = BytesPerFrame(source_->STREAM_FORMAT);
  if (inPos_ + static_cast<size_t>(bpf) > in_.size()) {
    if (ended_) return false;
    in_.resize(static_cast<size_t>(bpf) * kPullFrames);
    inPos_ = 0;
    source_->PlayStatus = 1;
    source_->FillBuffer(in_.data(), static_cast<int>(in_.size()));
    if (source_->PlayStatus == 0) {
      // The source wrote zeros after its end; those are not data. What it
      // still delivered in this pull cannot be told from silence, so the
      // whole pull plays and the end follows it.
      ended_ = true;
    }
  }
  const uint8_t* p = in_.data() + inPos_;
  inPos_ += static_cast<size_t>(bpf);
  const bool eightBit = source_->STREAM_FORMAT == FORMAT_8_MONO || source_->STREAM_FORMAT == FORMAT_8_STEREO;
  const bool stereo = source_->STREAM_FORMAT == FORMAT_8_STEREO || source_->STREAM_FORMAT == FORMAT_16_STEREO;
  l = Sample(p, eightBit);
  r = stereo ? Sample(p + (eightBit ? 1 : 2), eightBit) : l;
  return true;
}

void TFormatConverter::FillBuffer(uint8_t* address, int count) {
  const int frames = count / 4;
  int i = 0;
  if (!primed_) {
    primed_ = true;
    if (!NextFrame(prev_[0], prev_[1]) || !NextFrame(next_[0], next_[1])) next_[0] = next_[1] = 0;
  }
  for (; i < frames && PlayStatus != 0; ++i) {
    const float f = static_cast<float>(frac_);
    for (int c = 0; c < 2; ++c) {
      const float v = prev_[c] + (next_[c] - prev_[c]) * f;
      const int16_t s = static_cast<int16_t>(std::clamp(std::lrint(v), -32768L, 32767L));
      address[4 * i + 2 * c] = static_cast<uint8_t>(s & 0xFF);
      address[4 * i + 2 * c + 1] = static_cast<uint8_t>((s >> 8) & 0xFF);
    }
    frac_ += step_;
    while (frac_ >= 1.0) {
      frac_ -= 1.0;
      prev_[0] = next_[0];
      prev_[1] = next_[1];
      if (!NextFrame(next_[0], next_[1])) {
        // Ended: once the last frame has played, the output ends too.
        PlayStatus = 0;
        break;
      }
    }
  }
  std::memset(address + 4 * i, 0, static_cast<size_t>(count - 4 * i));
  if (PlayStatus == 0) {
    // Ready to play again from the start when asked (the source rewound itself).
    primed_ = ended_ = false;
    in_.clear();
    inPos_ = 0;
    frac_ = 0;
  }
}

}  // namespace kelp
