#include "instruments.h"

#include <algorithm>

namespace kelp::audio::inst {

namespace {

size_t Len(double seconds) { return static_cast<size_t>(Samples(seconds)); }

}  // namespace

Buffer Pluck(double f, double len, uint32_t seed, float bright) {
  Rng rng(seed);
  const size_t period = std::max<size_t>(2, static_cast<size_t>(kRate / f));
  std::vector<float> line(period);
  // A softer excitation than white noise: noise smoothed by the brightness.
  float prevNoise = 0;
  for (float& v : line) {
    prevNoise = prevNoise * (1 - bright) + rng.Noise() * bright;
    v = prevNoise;
  }
  Buffer b(Len(std::max(len, 0.3) + 0.6));
  size_t pos = 0;
  float prev = 0;
  // Damped when the key is let go.
  const size_t held = Len(std::max(len, 0.3));
  for (size_t i = 0; i < b.size(); ++i) {
    const float cur = line[pos];
    const float keep = i < held ? 0.996f : 0.97f;
    line[pos] = (cur * 0.5f + prev * 0.5f) * keep;
    prev = cur;
    b[i] = cur;
    if (++pos >= period) pos = 0;
  }
  Normalize(b, 1.0f);
  FadeEdges(b, 0.002, 0.05);
  return b;
}

Buffer Marimba(double f, double len) {
  Buffer b(Len(std::max(len, 0.4) + 0.3));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = (Sine(f * t) * Decay(t, 0.45) + 0.3f * Sine(3.93 * f * t) * Decay(t, 0.06) +
            0.1f * Sine(9.2 * f * t) * Decay(t, 0.015)) *
           Attack(t, 0.002);
  }
  FadeEdges(b, 0.0, 0.05);
  return b;
}

Buffer Bell(double f, double len) {
  Buffer b(Len(std::max(len, 1.0) + 1.0));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = (Sine(f * t) * Decay(t, 1.1) + 0.35f * Sine(2.0 * f * t) * Decay(t, 0.5) +
            0.2f * Sine(3.01 * f * t) * Decay(t, 0.25) + 0.08f * Sine(5.42 * f * t) * Decay(t, 0.1)) *
           Attack(t, 0.002);
  }
  FadeEdges(b, 0.0, 0.1);
  return b;
}

Buffer EPiano(double f, double len, float velocity) {
  Buffer b(Len(len + 0.5));
  double pc = 0, pm = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    pm += f / kRate;
    pc += f / kRate;
    const double index = (0.6 + 1.8 * velocity) * Decay(t, 0.25);
    const float tine = static_cast<float>(std::sin(2 * kPi * pc + index * std::sin(2 * kPi * pm)));
    const float bark = 0.12f * velocity * Sine(7 * f * t) * Decay(t, 0.02);
    float env = Decay(t, 1.6) * Attack(t, 0.003);
    if (t > len) env *= Decay(t - len, 0.12);
    b[i] = (tine + bark) * env;
  }
  FadeEdges(b, 0.0, 0.05);
  return b;
}

Buffer Flute(double f, double len, uint32_t seed) {
  Rng rng(seed);
  Buffer b(Len(len + 0.15));
  double ph = 0;
  OnePole breath;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double vib = 1 + 0.005 * std::min(1.0, t / 0.35) * std::sin(2 * kPi * 5.0 * t);
    ph += f * vib / kRate;
    const float v = Sine(ph) * 0.8f + Sine(2 * ph) * 0.12f + Tri(ph) * 0.1f + breath.Low(rng.Noise(), 2500) * 0.06f;
    b[i] = v * Adsr(t, len, 0.05, 0.1, 0.85, 0.12);
  }
  return b;
}

Buffer Chip(double f, double len) {
  Buffer b(Len(len + 0.06));
  double ph = 0;
  Svf lp;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double vib = 1 + 0.004 * std::min(1.0, t / 0.2) * std::sin(2 * kPi * 6.0 * t);
    ph += f * vib / kRate;
    b[i] = lp.Process(Square(ph, 0.25), 2200 + 2500 * Decay(t, 0.06), 1.0, 0) * Adsr(t, len, 0.004, 0.08, 0.65, 0.05);
  }
  return b;
}

Buffer Brass(double f, double len) {
  Buffer b(Len(len + 0.12));
  double p1 = 0, p2 = 0;
  Svf lp;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double vib = 1 + 0.004 * std::min(1.0, t / 0.4) * std::sin(2 * kPi * 5.5 * t);
    p1 += f * vib / kRate;
    p2 += f * 1.005 * vib / kRate;
    const float v = (Saw(p1) + Saw(p2)) * 0.5f;
    b[i] = lp.Process(v, 500 + 2600 * Attack(t, 0.06) * (0.75 + 0.25 * Decay(t, 0.3)), 0.9, 0) *
           Adsr(t, len, 0.025, 0.12, 0.75, 0.08);
  }
  return b;
}

Buffer Strings(double f, double len, uint32_t seed) {
  Rng rng(seed);
  Buffer b(Len(len + 0.4));
  double ph[4] = {rng.Uniform(0, 1), rng.Uniform(0, 1), rng.Uniform(0, 1), rng.Uniform(0, 1)};
  const double det[4] = {0.996, 0.999, 1.002, 1.005};
  Svf lp;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double vib = 1 + 0.003 * std::sin(2 * kPi * 5.3 * t + seed);
    float v = 0;
    for (int k = 0; k < 4; ++k) {
      ph[k] += f * det[k] * vib / kRate;
      v += Saw(ph[k]);
    }
    b[i] = lp.Process(v * 0.25f, 1800, 0.7, 0) * Adsr(t, len, 0.25, 0.2, 0.85, 0.35);
  }
  return b;
}

Buffer Pad(const std::vector<double>& freqs, double len, double cutoff) {
  Buffer b(Len(len + 0.6));
  for (size_t n = 0; n < freqs.size(); ++n) {
    double ph[3] = {0.1 * static_cast<double>(n), 0.37, 0.71};
    const double det[3] = {0.997, 1.0, 1.0035};
    for (size_t i = 0; i < b.size(); ++i) {
      float v = 0;
      for (int k = 0; k < 3; ++k) {
        ph[k] += freqs[n] * det[k] / kRate;
        v += Saw(ph[k]);
      }
      b[i] += v / 3.0f;
    }
  }
  Svf lp;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = lp.Process(b[i], cutoff, 0.7, 0) * Adsr(t, len, 0.4, 0.3, 0.8, 0.6) / static_cast<float>(freqs.size());
  }
  return b;
}

Buffer Bass(double f, double len, bool round) {
  Buffer b(Len(len + 0.06));
  double ph = 0;
  Svf lp;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    ph += f / kRate;
    const float v = round ? Tri(ph) * 0.6f + Sine(ph) * 0.6f : Saw(ph) * 0.55f + Sine(ph) * 0.5f;
    b[i] = lp.Process(v, round ? 650 : 450 + 1400 * Decay(t, 0.07), 1.0, 0) * Adsr(t, len, 0.006, 0.15, 0.75, 0.05);
  }
  return b;
}

Buffer Kick(float punch) {
  Buffer b(Len(0.35));
  double ph = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    ph += (46 + 110 * punch * Decay(t, 0.025)) / kRate;
    b[i] = Sine(ph) * Decay(t, 0.14) * Attack(t, 0.0015);
  }
  return b;
}

Buffer Snare(uint32_t seed, float body) {
  Rng rng(seed);
  Svf bp;
  Buffer b(Len(0.25));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = bp.Process(rng.Noise(), 3000, 0.7, 1) * Decay(t, 0.07) + body * Sine(185 * t) * Decay(t, 0.05);
  }
  return b;
}

Buffer Rim(uint32_t seed) {
  Rng rng(seed);
  Svf bp;
  Buffer b(Len(0.06));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = (bp.Process(rng.Noise(), 1800, 3.0, 1) * 0.8f + Sine(820 * t) * 0.6f) * Decay(t, 0.012);
  }
  return b;
}

Buffer Hat(uint32_t seed, double tau) {
  Rng rng(seed);
  Svf hp;
  Buffer b(Len(tau * 5));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = hp.Process(rng.Noise(), 7500, 0.8, 2) * Decay(t, tau);
  }
  return b;
}

Buffer Shaker(uint32_t seed) {
  Rng rng(seed);
  Svf bp;
  Buffer b(Len(0.1));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = bp.Process(rng.Noise(), 6500, 1.5, 1) * Attack(t, 0.018) * Decay(t, 0.03);
  }
  return b;
}

Buffer Tambourine(uint32_t seed) {
  Rng rng(seed);
  Svf bp;
  Buffer b(Len(0.25));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const float jingle = Sine(5200 * t) * 0.3f + Sine(7400 * t) * 0.2f;
    b[i] = (bp.Process(rng.Noise(), 8000, 2.0, 1) + jingle * static_cast<float>(rng.Uniform(0.2f, 1.0f))) *
           Attack(t, 0.002) * Decay(t, 0.06);
  }
  return b;
}

Buffer Tom(double f) {
  Buffer b(Len(0.45));
  double ph = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    ph += f * (1 + 0.6 * Decay(t, 0.04)) / kRate;
    b[i] = Sine(ph) * Decay(t, 0.16) * Attack(t, 0.002);
  }
  return b;
}

Buffer Crash(uint32_t seed) {
  Rng rng(seed);
  Svf hp;
  Buffer b(Len(2.2));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = hp.Process(rng.Noise(), 5000, 0.6, 2) * Decay(t, 0.55) * Attack(t, 0.002);
  }
  FadeEdges(b, 0.0, 0.3);
  return b;
}

}  // namespace kelp::audio::inst
