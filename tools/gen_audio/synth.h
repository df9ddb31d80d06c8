#pragma once
// A small synthesiser for the game's sound effects and music: oscillators,
// envelopes, filters, noise and a room reverb, all on float buffers at 44.1 kHz.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace kelp::audio {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<float>;

// Deterministic noise and choices, seeded per sound so the output never changes.
struct Rng {
  uint32_t s;
  explicit Rng(uint32_t seed) : s(seed ? seed : 0x9e3779b9u) {}
  uint32_t Next() {
    s ^= s << 13;
    s ^= s >> 17;
    s ^= s << 5;
    return s;
  }
  float Uniform(float a, float b) { return a + (b - a) * static_cast<float>(Next() >> 8) / 16777216.0f; }
  float Noise() { return Uniform(-1.0f, 1.0f); }
  int Int(int a, int b) { return a + static_cast<int>(Next() % static_cast<uint32_t>(b - a + 1)); }
};

inline int Samples(double seconds) { return static_cast<int>(seconds * kRate); }
inline double Midi(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

// Oscillators by phase in cycles.
inline float Sine(double ph) { return static_cast<float>(std::sin(2 * kPi * ph)); }
inline float Tri(double ph) {
  const double f = ph - std::floor(ph);
  return static_cast<float>(f < 0.5 ? 4 * f - 1 : 3 - 4 * f);
}
inline float Saw(double ph) { return static_cast<float>(2 * (ph - std::floor(ph)) - 1); }
inline float Square(double ph, double duty = 0.5) { return (ph - std::floor(ph)) < duty ? 1.0f : -1.0f; }

// Envelopes of time t (seconds).
inline float Decay(double t, double tau) { return t < 0 ? 0.0f : static_cast<float>(std::exp(-t / tau)); }
inline float Attack(double t, double a) { return t <= 0 ? 0.0f : (t >= a ? 1.0f : static_cast<float>(t / a)); }
inline float Adsr(double t, double len, double a, double d, double s, double r) {
  if (t < 0) return 0;
  double v;
  if (t < a)
    v = t / a;
  else if (t < a + d)
    v = 1 - (1 - s) * (t - a) / d;
  else
    v = s;
  if (t > len) v *= std::max(0.0, 1 - (t - len) / r);
  return static_cast<float>(v);
}

// A state-variable filter (Chamberlin): low, band and high outputs.
struct Svf {
  float low = 0, band = 0;
  double lastCutoff = -1, lastQ = -1;  // the coefficients of the last call, kept: sin is dear
  float f = 0, damp = 0;
  float Process(float in, double cutoff, double q, int mode) {
    if (cutoff != lastCutoff) {
      f = static_cast<float>(2 * std::sin(kPi * std::min(cutoff, kRate / 6.0) / kRate));
      lastCutoff = cutoff;
    }
    if (q != lastQ) {
      damp = static_cast<float>(1.0 / std::max(q, 0.5));
      lastQ = q;
    }
    low += f * band;
    const float high = in - low - damp * band;
    band += f * high;
    return mode == 0 ? low : (mode == 1 ? band : high);
  }
};

struct OnePole {
  float y = 0;
  float Low(float x, double cutoff) {
    const float a = static_cast<float>(1 - std::exp(-2 * kPi * cutoff / kRate));
    y += a * (x - y);
    return y;
  }
};

// A plain Schroeder room: four combs and two all-passes.
class Reverb {
 public:
  explicit Reverb(double size = 1.0, float damping = 0.3f, int spread = 0);
  float Process(float in);

 private:
  struct Line {
    std::vector<float> buf;
    size_t pos = 0;
    float filt = 0;
  };
  Line comb_[4], all_[2];
  float feedback_, damping_;
};

// Mixing helpers.
void Add(Buffer& dst, const Buffer& src, int at, float gain = 1.0f);
void Normalize(Buffer& b, float peak);
void FadeEdges(Buffer& b, double in, double out);

// Files.
bool WriteWav(const std::string& path, const Buffer& mono);
// Interleaved stereo as 16-bit WAV (copies of the music to look at).
bool WriteWavStereo(const std::string& path, const Buffer& interleaved);
// Stereo interleaved, Vorbis at the given quality (-0.1 .. 1).
bool WriteOgg(const std::string& path, const Buffer& interleaved, float quality, const std::string& title);

}  // namespace kelp::audio
