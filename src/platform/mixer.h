#pragma once
// The software mixer behind the one audio device: 16 effect channels that
// play sounds, and stream channels (looping ring buffers that the music
// fills), mixed into 16-bit stereo at 44.1 kHz. A Mixer works without any
// device, so tests and benchmarks drive it directly; the device's callback
// calls DeviceMixer().Mix.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/sound_load.h"

namespace platform {

constexpr int kMixRate = 44100;
constexpr int kEffectChannels = 16;
// 0.75 s of 16-bit stereo at 44.1 kHz.
constexpr int kStreamBufferBytes = 132300;

// Linear gain of a level in hundredths of a decibel: 0 and above 1.0,
// -2000 0.1, -10000 and below silence.
float MilliBelGain(int mB);

// While alive, the device callback does not run (recursive; nothing happens
// without a device). Every change the game makes to mixer state holds one.
class AudioLock {
 public:
  AudioLock();
  ~AudioLock();
  AudioLock(const AudioLock&) = delete;
  AudioLock& operator=(const AudioLock&) = delete;

 private:
  uint32_t device_;
};

// What the game holds of a playing sound or music stream.
class Channel {
 public:
  virtual ~Channel() = default;
  virtual void Stop() = 0;
  virtual void SetPaused(bool paused) = 0;
  virtual void SetVolume(float volume) = 0;
  virtual void SetPan(float pan) = 0;
  virtual void SetDepth(float depth) = 0;
  virtual void SetRate(float rate) = 0;
  virtual bool Playing() = 0;
};
using ChannelRef = std::shared_ptr<Channel>;

class Mixer;

// One of the mixer's effect channels. Volume 0..1 (linear), pan -1 (left)
// .. 1 (right), rate a factor of the sound's own rate, depth kept but not
// heard. Once the channel has been given to a newer sound, or when made
// without a mixer, every operation does nothing and Playing() is false.
class EffectChannel : public Channel {
 public:
  EffectChannel() = default;  // a channel that never sounds
  void Stop() override;
  void SetPaused(bool paused) override;
  void SetVolume(float volume) override;
  void SetPan(float pan) override;
  void SetDepth(float depth) override;
  void SetRate(float rate) override;
  bool Playing() override;

 private:
  friend class Mixer;
  EffectChannel(std::weak_ptr<Mixer*> mixer, int index, uint32_t generation)
      : mixer_(std::move(mixer)), index_(index), generation_(generation) {}
  auto Find() const;  // the mixer's voice while it is still this channel's, else null

  std::weak_ptr<Mixer*> mixer_;
  int index_ = 0;
  uint32_t generation_ = 0;
};

// The two parts of a locked stretch of a stream buffer: the second is the
// part that wrapped round to the buffer's start (null and 0 when none).
struct StreamRegions {
  uint8_t* ptr1 = nullptr;
  int len1 = 0;
  uint8_t* ptr2 = nullptr;
  int len2 = 0;
};

// A looping buffer of 16-bit stereo little-endian frames at 44.1 kHz that
// plays round and round while its owner refills what the play cursor has
// passed. Volume in hundredths of dB (0 full .. -10000 silent), pan -10000
// (left only) .. 10000 (right only), each side attenuated like volume.
//
// Threads: the owner (one thread) locks, writes and unlocks; the device only
// reads. A lock covers only frames the cursor has already played, starting
// where the previous write ended, so the two never touch the same bytes and
// the device is never held up while the owner decodes. The device plays only
// what was written: when the owner falls behind it goes silent and the cursor
// waits one frame short of the written data, so a late refill carries on
// without repeating old audio or skipping new.
class StreamChannel {
 public:
  // On the device's mixer.
  explicit StreamChannel(int bytes = kStreamBufferBytes);
  StreamChannel(Mixer& mixer, int bytes = kStreamBufferBytes);
  ~StreamChannel();
  StreamChannel(const StreamChannel&) = delete;
  StreamChannel& operator=(const StreamChannel&) = delete;

  int Size() const { return static_cast<int>(buffer_.size()); }
  // The play cursor: byte offset of the next frame to be heard.
  int GetCurrentPosition() const;
  // Byte offset where the next write must start (where the last one ended).
  int GetWritePosition() const;
  // Bytes the cursor has played and a write may cover: 0 .. Size(). A new
  // buffer is all free.
  int FreeBytes() const;

  // Makes bytes from offset writable as up to two regions; Unlock hands them
  // to the device. False (and nothing locked) unless offset is the write
  // position, bytes a whole number of frames within FreeBytes(), and no lock
  // is held. 0 bytes lock nothing.
  bool Lock(int offset, int bytes, StreamRegions& regions);
  void Unlock();

  void Play();  // looping, from the play cursor
  void Stop();  // keeps the play cursor
  bool Playing() const;

  void SetVolume(int mB);
  int Volume() const { return volume_; }
  void SetPan(int pan);
  int Pan() const { return pan_; }
  void SetFrequency(int hz);  // playback rate of the buffer; 0 is 44100
  int Frequency() const { return frequency_; }

 private:
  friend class Mixer;
  void UpdateGains();

  Mixer* mixer_;
  std::vector<uint8_t> buffer_;
  // Frames played and frames written since the start; written - played is
  // 1 .. frames once anything was written (0 before), so the cursor never
  // catches up with the write position and "equal" always means "full".
  std::atomic<int64_t> played_{0};
  std::atomic<int64_t> written_{0};
  double frac_ = 0;  // device side: position between two frames
  bool playing_ = false;
  int volume_ = 0, pan_ = 0, frequency_ = kMixRate;
  float gainL_ = 1, gainR_ = 1;
  int locked_ = -1;  // bytes of the lock held, -1 when none
};

class Mixer {
 public:
  Mixer();
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // A free effect channel, else the one cued longest ago (its sound stops).
  // Until a sound is cued on it, the next allocation may take it back.
  std::shared_ptr<EffectChannel> AllocChannel();
  // The sound on a newly allocated channel, paused at its start. A null
  // sound gives a channel that never sounds.
  std::shared_ptr<EffectChannel> CueSound(const SoundRef& sound);

  // Pauses every playing effect channel (and stream, when asked); ResumeAll
  // resumes exactly those that are still theirs.
  void PauseAll(bool withStreams);
  void ResumeAll(bool withStreams);

  // Writes frames of interleaved 16-bit stereo: the sum of every playing
  // channel, clipped.
  void Mix(int16_t* out, int frames);

 private:
  friend class EffectChannel;
  friend class StreamChannel;
  struct Voice {
    SoundRef sound;
    double pos = 0;  // in frames of the sound
    float volume = 1, pan = 0, rate = 1, depth = 0;
    bool loop = false;
    bool held = false;  // allocated, not yet stopped or ended
    bool paused = true;
    uint32_t generation = 0;
    uint64_t order = 0;
  };
  static constexpr int kChunk = 512;

  Voice* Find(int index, uint32_t generation);
  void MixVoice(Voice& v, float* acc, int frames);
  void MixStream(StreamChannel& s, float* acc, int frames);

  std::shared_ptr<Mixer*> self_;  // what channels hold, so they can tell their mixer is gone
  std::array<Voice, kEffectChannels> voices_;
  uint64_t order_ = 0;
  std::vector<StreamChannel*> streams_;
  std::vector<std::pair<int, uint32_t>> pausedVoices_;
  std::vector<StreamChannel*> pausedStreams_;
  std::array<float, 2 * kChunk> acc_{};
};

// The mixer that the audio device plays; it lives for the whole process.
Mixer& DeviceMixer();

}  // namespace platform
