#pragma once
// TAudioStream: a music channel that pulls PCM bytes from a TMusic into a
// looping 0.75 s device buffer, refilled on every stream-timer tick with what
// the play cursor has passed. The game holds it as an ordinary channel (stop,
// pause, resume, volume). TDirectSoundAudioStream is its one back end here: a
// stream buffer of the platform mixer, the device the game's "DirectSound"
// driver opens.
//
// Ownership and clock: a stream made from a file owns its music and frees it
// on Stop; one made from a TMusic leaves it to the caller. Everything runs on
// the main thread; the device only reads the buffer. Stop is final.
#include <memory>
#include <string>

#include "music/music.h"
#include "platform/mixer.h"

namespace kelp {

class TAudioStream : public platform::Channel {
 public:
  Ref<TMusic> Music;
  int writepos = 0;        // next byte of the device buffer to refill
  int paused = 0;
  int samplerate = 44100;  // the device rate that SetRate multiplies
  int KeepMusic = 0;       // 1: the caller owns Music; Stop does not free it

  ~TAudioStream() override;

  // A playing (or paused) stream of the music, looping when loop is non-zero.
  // A source in another format than 16-bit stereo at 44100 Hz is converted.
  // Null, with a log line, when the file is not playable music, the format
  // cannot be converted or there is no audio device.
  static Ref<TAudioStream> Create(const std::string& file, int loop, int paused);
  static Ref<TAudioStream> Create(const Ref<TMusic>& music, int loop, int paused);

  // The refill, once per stream-timer tick.
  virtual void Update() = 0;

 protected:
  TAudioStream();  // hooks the stream into the stream timer
};

class TDirectSoundAudioStream : public TAudioStream {
 public:
  std::unique_ptr<platform::StreamChannel> pDSB;  // null once stopped
  // Where the source's data ended: device-buffer offset (-1 while it still
  // delivers), whether the cursor must wrap before reaching it, and the
  // cursor when the end was noted. Once noted, only silence is written.
  int finloop = 0;
  int finpos = -1;
  int finstart = 0;
  int lastcursor = 0;  // the cursor at the previous tick, to see it wrap

  // Fills the whole buffer from the music, then pauses or plays it.
  static Ref<TDirectSoundAudioStream> Build(std::unique_ptr<platform::StreamChannel> buffer,
                                            const Ref<TMusic>& music, int paused);

  void Stop() override;
  // Pausing keeps the position; resuming plays on from it and, while the
  // source has not ended, sets its PlayStatus to 1.
  void SetPaused(bool flag) override;
  // 0..1 on the log curve of the device buffer: 0.5 is -999 mB (-10 dB).
  void SetVolume(float v) override;
  void SetPan(float p) override;
  void SetDepth(float) override {}
  void SetRate(float r) override;
  bool Playing() override;
  void Update() override;
};

// Volume 0..1 in hundredths of a decibel: 0 at 1 and above, -10000 at 0 and
// below, else 3321.93 x log10 v truncated (about -1000 per halving).
int VolumeToMilliBel(float v);
// Pan -1..1 (clamped) to -10000..10000.
int PanToDevice(float p);

// Tests: new streams go to this mixer instead of the device (null: the device).
void UseStreamMixer(platform::Mixer* mixer);

}  // namespace kelp
