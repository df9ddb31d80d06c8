#pragma once
// Sounds: whole sound files decoded into memory as 16-bit stereo frames at
// the file's own sample rate (the mixer resamples while it plays). WAV and
// OGG Vorbis are read here; other formats can be added as sample loaders.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/stream.h"

namespace platform {

class Sound {
 public:
  Sound(int frames, int rate, bool loop = false);
  // Takes decoded interleaved left/right samples as they are.
  Sound(std::vector<int16_t> samples, int rate, bool loop);

  int Frames() const { return static_cast<int>(data_.size() / 2); }
  int Rate() const { return rate_; }  // frames per second
  bool Loop() const { return loop_; }
  void SetLoop(bool loop) { loop_ = loop; }

  // Interleaved left/right, Frames() * 2 values.
  int16_t* Data() { return data_.data(); }
  const int16_t* Data() const { return data_.data(); }

 private:
  std::vector<int16_t> data_;
  int rate_;
  bool loop_;
};

using SoundRef = std::shared_ptr<Sound>;

// An audio sample of n silent frames of 16-bit stereo at the rate, to be
// written through Data(). Null for n <= 0 or a rate outside 1000..400000.
SoundRef CreateAudioSample(int frames, int rate);

// A sound file (WAV, OGG Vorbis, or anything a sample loader takes) from a
// path, or from a stream's current position to its end. Null, with a line on
// standard error, when the file is missing, unknown, truncated or corrupt.
SoundRef LoadSound(const std::string& path, bool loop);
SoundRef LoadSound(Stream& stream, bool loop, const std::string& name = "<stream>");

// Further formats: each loader gets the file as a stream positioned at its
// start and returns a sound or null. Tried in the order added, after WAV and
// OGG. The returned id removes the loader again.
using SampleLoader = std::function<SoundRef(Stream&)>;
int AddSampleLoader(SampleLoader loader);
void RemoveSampleLoader(int id);

}  // namespace platform
