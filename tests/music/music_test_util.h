#pragma once
// Helpers of the music tests: sources made in the test (WAV bytes, OGG
// through vorbisenc), reference decodes by the decoder libraries themselves,
// a scripted source, and a rig that renders streams into a mixer the way the
// device and the stream timer would.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "music/audio_stream.h"
#include "music/music.h"
#include "platform/mixer.h"

namespace musictest {

// ---- bytes --------------------------------------------------------------------

void Put16(std::string& s, int v);
void Put32(std::string& s, uint32_t v);
// A RIFF/WAVE file: the format chunk (fmtExtra bytes after the 16), chunks
// placed before "data", and the data size it claims (< 0: the true size).
std::string Wav(int formatTag, int channels, int rate, int bits, const std::string& data, int64_t claimed = -1,
                int fmtExtra = 0, const std::string& before = "");
std::string Pcm16(const std::vector<int16_t>& samples);
// Interleaved samples in -1..1, Vorbis at quality 0.4.
std::string EncodeOgg(const std::vector<float>& samples, int channels, int rate);
std::vector<float> Tone(int frames, int channels, int rate, double hz, float amplitude);
std::string ReadFixture(const std::string& name);  // from tests/music/data

// ---- reference decodes, interleaved 16-bit stereo ---------------------------------

std::vector<int16_t> OggReference(const std::string& bytes);
// libmpg123 on the file at its own rate, made stereo and brought to 44100 Hz
// by linear interpolation between decoded frames.
std::vector<int16_t> Mp3Reference(const std::string& path);

// ---- a scripted source -------------------------------------------------------

// Frame k (from 0) is (k % 30000 + 1, -(k % 30000 + 1)); `frames` long, then
// zeros, PlayStatus 0 and a rewind unless looping (which joins end and start).
class CountingMusic : public kelp::TMusic {
 public:
  explicit CountingMusic(int frames) { STREAM_SIZE = frames; }
  void FillBuffer(uint8_t* address, int count) override;
  void Free() override { ++frees; }
  static int16_t Value(int64_t k) { return static_cast<int16_t>(k % 30000 + 1); }
  int frees = 0;
  int64_t delivered = 0;  // frames written, over all passes
};

// ---- the rig -------------------------------------------------------------------

// Streams made while it lives render into its mixer. Run mixes in slices of
// one stream tick (367 frames, 120 Hz) and answers a tick after each.
class Rig {
 public:
  // Also runs the music module's inits (once), so files load.
  Rig();
  ~Rig();
  // Frames of interleaved output.
  std::vector<int16_t> Run(int frames, const std::function<void()>& eachTick = nullptr);
  platform::Mixer mixer;
  static constexpr int kTick = 367;
};

int16_t Left(const std::vector<int16_t>& out, size_t frame);
int16_t Right(const std::vector<int16_t>& out, size_t frame);
// Largest step between neighbouring samples of a channel, from `from` to `to` frames.
int MaxStep(const std::vector<int16_t>& out, size_t from, size_t to);

}  // namespace musictest
