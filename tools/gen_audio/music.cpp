// The music: one short looping tune per track, composed from a chord
// progression, a generated melody in four-bar phrases, bass, pad and drums.
#include <algorithm>
#include <array>

#include "sounds.h"

namespace kelp::audio {

namespace {

// ------------------------------------------------------------ instruments

// Karplus-Strong string: a plucked guitar or harp.
Buffer Pluck(double f, double len, uint32_t seed, float bright = 0.5f) {
  Rng rng(seed);
  const size_t period = std::max<size_t>(2, static_cast<size_t>(kRate / f));
  std::vector<float> line(period);
  for (float& v : line) v = rng.Noise();
  Buffer b(static_cast<size_t>(Samples(len)));
  size_t pos = 0;
  float prev = 0;
  const float keep = 0.996f;
  for (size_t i = 0; i < b.size(); ++i) {
    const float cur = line[pos];
    const float avg = (cur * (0.5f + bright * 0.5f) + prev * (0.5f - bright * 0.5f));
    line[pos] = avg * keep;
    prev = cur;
    b[i] = cur;
    if (++pos >= period) pos = 0;
  }
  FadeEdges(b, 0.002, 0.05);
  return b;
}

Buffer Marimba(double f, double len) {
  Buffer b(static_cast<size_t>(Samples(len)));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = (Sine(f * t) * Decay(t, 0.35) + 0.35f * Sine(4 * f * t) * Decay(t, 0.06) +
            0.15f * Sine(10 * f * t) * Decay(t, 0.015)) *
           Attack(t, 0.002);
  }
  FadeEdges(b, 0.0, 0.03);
  return b;
}

Buffer Bellish(double f, double len) {
  Buffer b(static_cast<size_t>(Samples(len)));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = (Sine(f * t) * Decay(t, 0.8) + 0.4f * Sine(2.76 * f * t) * Decay(t, 0.3) +
            0.2f * Sine(5.4 * f * t) * Decay(t, 0.12)) *
           Attack(t, 0.003);
  }
  FadeEdges(b, 0.0, 0.05);
  return b;
}

// A soft breathy lead with vibrato that grows on long notes.
Buffer Flute(double f, double len, uint32_t seed) {
  Rng rng(seed);
  Buffer b(static_cast<size_t>(Samples(len + 0.12)));
  double ph = 0;
  OnePole breath;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double vib = 1 + 0.006 * std::min(1.0, t / 0.3) * std::sin(2 * kPi * 5.2 * t);
    ph += f * vib / kRate;
    const float v = Sine(ph) * 0.8f + Tri(ph) * 0.15f + breath.Low(rng.Noise(), 3000) * 0.08f;
    b[i] = v * Adsr(t, len, 0.04, 0.1, 0.8, 0.12);
  }
  return b;
}

// A filtered square for bright game leads.
Buffer Chip(double f, double len) {
  Buffer b(static_cast<size_t>(Samples(len + 0.05)));
  double ph = 0;
  Svf lp;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    ph += f / kRate;
    b[i] = lp.Process(Square(ph, 0.25), 2500 + 2000 * Decay(t, 0.05), 1.0, 0) * Adsr(t, len, 0.003, 0.08, 0.6, 0.05);
  }
  return b;
}

// A brassy saw with an opening filter, for fanfares.
Buffer Brass(double f, double len) {
  Buffer b(static_cast<size_t>(Samples(len + 0.1)));
  double p1 = 0, p2 = 0;
  Svf lp;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    p1 += f / kRate;
    p2 += f * 1.004 / kRate;
    const float v = (Saw(p1) + Saw(p2)) * 0.5f;
    b[i] = lp.Process(v, 600 + 2200 * Attack(t, 0.08), 0.9, 0) * Adsr(t, len, 0.03, 0.1, 0.75, 0.08);
  }
  return b;
}

Buffer Pad(const std::vector<double>& freqs, double len) {
  Buffer b(static_cast<size_t>(Samples(len + 0.5)));
  for (double f : freqs) {
    double ph[3] = {0, 0.33, 0.66};
    const double det[3] = {0.997, 1.0, 1.003};
    for (size_t i = 0; i < b.size(); ++i) {
      float v = 0;
      for (int k = 0; k < 3; ++k) {
        ph[k] += f * det[k] / kRate;
        v += Saw(ph[k]);
      }
      b[i] += v / 3.0f;
    }
  }
  Svf lp;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = lp.Process(b[i], 900, 0.7, 0) * Adsr(t, len, 0.35, 0.3, 0.8, 0.5) / static_cast<float>(freqs.size());
  }
  return b;
}

Buffer Bass(double f, double len, bool round) {
  Buffer b(static_cast<size_t>(Samples(len + 0.05)));
  double ph = 0;
  Svf lp;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    ph += f / kRate;
    const float v = round ? Tri(ph) * 0.7f + Sine(ph) * 0.5f : Saw(ph) * 0.6f + Sine(ph) * 0.5f;
    b[i] = lp.Process(v, round ? 700 : 500 + 1200 * Decay(t, 0.06), 1.0, 0) * Adsr(t, len, 0.005, 0.15, 0.7, 0.04);
  }
  return b;
}

Buffer Kick() { Buffer b = Buffer(static_cast<size_t>(Samples(0.3)));
  double ph = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    ph += (48 + 90 * Decay(t, 0.03)) / kRate;
    b[i] = Sine(ph) * Decay(t, 0.12) * Attack(t, 0.001);
  }
  return b;
}

Buffer Snare(uint32_t seed) {
  Rng rng(seed);
  Svf bp;
  Buffer b(static_cast<size_t>(Samples(0.22)));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = bp.Process(rng.Noise(), 2500, 0.8, 1) * Decay(t, 0.06) + Sine(190 * t) * 0.4f * Decay(t, 0.04);
  }
  return b;
}

Buffer Hat(uint32_t seed, double tau) {
  Rng rng(seed);
  Svf hp;
  Buffer b(static_cast<size_t>(Samples(tau * 5)));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = hp.Process(rng.Noise(), 7500, 0.8, 2) * Decay(t, tau);
  }
  return b;
}

Buffer Shaker(uint32_t seed) {
  Rng rng(seed);
  Svf bp;
  Buffer b(static_cast<size_t>(Samples(0.09)));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = bp.Process(rng.Noise(), 6000, 1.5, 1) * Attack(t, 0.02) * Decay(t, 0.03);
  }
  return b;
}

// ------------------------------------------------------------ arrangement

enum Lead { kPluckLead, kMarimbaLead, kFluteLead, kChipLead, kBrassLead, kBellLead };
enum Drums { kNoDrums, kShakerOnly, kLight, kFull };

struct Song {
  const char* title;
  double bpm;
  int root;                    // MIDI note of the tonic (octave of the melody)
  bool minor;
  int bars;
  std::vector<int> progression;  // scale degree of each bar's chord, repeating
  std::vector<int> phrases;      // melody seed per four bars (equal seeds repeat)
  Lead lead;
  Drums drums;
  bool arpeggio;                 // sixteenth-note chord arpeggio
  bool offbeatComp;              // plucked chords on the off-beats
  uint32_t seed;
};

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
const int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};

class Tune {
 public:
  explicit Tune(const Song& s) : s_(s), beat_(60.0 / s.bpm), bar_(4 * beat_) {
    const size_t n = static_cast<size_t>(Samples(bar_ * s.bars + 3.0));
    left_.assign(n, 0.0f);
    right_.assign(n, 0.0f);
    sendL_.assign(n, 0.0f);
    sendR_.assign(n, 0.0f);
  }

  Buffer Render();

 private:
  int ScaleNote(int degree, int octaveShift = 0) const {
    const int* sc = s_.minor ? kMinor : kMajor;
    const int oct = static_cast<int>(std::floor(degree / 7.0));
    const int d = degree - oct * 7;
    return s_.root + sc[d] + 12 * (oct + octaveShift);
  }
  std::array<int, 3> Chord(int bar) const {
    const int deg = s_.progression[static_cast<size_t>(bar) % s_.progression.size()];
    return {deg, deg + 2, deg + 4};
  }
  void Put(const Buffer& b, double at, float gain, float pan, float send) {
    const size_t start = static_cast<size_t>(Samples(at));
    const float gl = gain * std::cos((pan + 1) * static_cast<float>(kPi) / 4);
    const float gr = gain * std::sin((pan + 1) * static_cast<float>(kPi) / 4);
    for (size_t i = 0; i < b.size() && start + i < left_.size(); ++i) {
      left_[start + i] += b[i] * gl;
      right_[start + i] += b[i] * gr;
      sendL_[start + i] += b[i] * gl * send;
      sendR_[start + i] += b[i] * gr * send;
    }
  }
  Buffer LeadNote(double f, double len, uint32_t seed) const {
    switch (s_.lead) {
      case kPluckLead: return Pluck(f, std::max(len, 0.6), seed, 0.6f);
      case kMarimbaLead: return Marimba(f, std::max(len, 0.5));
      case kFluteLead: return Flute(f, len * 0.95, seed);
      case kChipLead: return Chip(f, len * 0.85);
      case kBrassLead: return Brass(f, len * 0.9);
      case kBellLead: return Bellish(f, std::max(len, 1.2));
    }
    return {};
  }
  void Melody();
  void Harmony();
  void Rhythm();

  const Song& s_;
  double beat_, bar_;
  Buffer left_, right_, sendL_, sendR_;
};

// Rhythms of two bars in eighth notes (each sums to 16).
const std::vector<std::vector<int>> kRhythms = {
    {2, 2, 2, 2, 4, 4},       {3, 1, 2, 2, 2, 2, 4},   {2, 1, 1, 2, 2, 4, 4},
    {4, 2, 2, 2, 2, 4},       {1, 1, 2, 2, 2, 2, 2, 4}, {2, 2, 4, 2, 2, 4},
    {3, 3, 2, 3, 3, 2},       {2, 2, 2, 2, 2, 2, 4},
};

void Tune::Melody() {
  const double eighth = beat_ / 2;
  for (int phrase = 0; phrase * 4 < s_.bars; ++phrase) {
    const uint32_t pseed = s_.seed * 977u + static_cast<uint32_t>(s_.phrases[static_cast<size_t>(phrase) % s_.phrases.size()]) * 131u;
    Rng rng(pseed);
    const bool lastPhrase = (phrase + 1) * 4 >= s_.bars;
    int degree = Chord(phrase * 4)[static_cast<size_t>(rng.Int(0, 2))];
    for (int half = 0; half < 2; ++half) {
      const int firstBar = phrase * 4 + half * 2;
      if (firstBar >= s_.bars) break;
      const std::vector<int>& rhythm = kRhythms[rng.Int(0, static_cast<int>(kRhythms.size()) - 1)];
      int pos = 0;  // eighths from firstBar
      for (size_t k = 0; k < rhythm.size(); ++k) {
        const int bar = firstBar + pos / 8;
        if (bar >= s_.bars) break;
        const auto chord = Chord(bar);
        const bool strong = pos % 4 == 0;
        const bool final = half == 1 && k + 1 == rhythm.size();
        if (final && lastPhrase) {
          degree = 7 * static_cast<int>(std::floor(degree / 7.0 + 0.5));  // home to the tonic
        } else if (strong || final) {
          // nearest chord tone
          int best = degree, bestDist = 99;
          for (int c : chord)
            for (int o = -7; o <= 7; o += 7) {
              const int cand = c + o;
              if (std::abs(cand - degree) < bestDist) {
                bestDist = std::abs(cand - degree);
                best = cand;
              }
            }
          degree = best;
        } else {
          static const int kSteps[] = {-2, -1, -1, 1, 1, 2, 0, 3, -3};
          degree += kSteps[rng.Int(0, 8)];
        }
        degree = std::clamp(degree, -2, 9);
        const double len = rhythm[k] * eighth;
        const double f = Midi(ScaleNote(degree, 0));
        Put(LeadNote(f, len, pseed + static_cast<uint32_t>(k) * 7u), bar_ * firstBar + pos * eighth, 0.65f,
            0.15f, 0.35f);
        pos += rhythm[k];
      }
    }
  }
}

void Tune::Harmony() {
  for (int bar = 0; bar < s_.bars; ++bar) {
    const auto chord = Chord(bar);
    const double t0 = bar_ * bar;
    std::vector<double> freqs;
    for (int d : chord) freqs.push_back(Midi(ScaleNote(d, -1)));
    Put(Pad(freqs, bar_), t0, 0.22f, -0.3f, 0.5f);

    const double fRoot = Midi(ScaleNote(chord[0], -2));
    const bool round = s_.drums != kFull;
    if (s_.drums == kFull) {
      for (int e = 0; e < 8; ++e) {
        const double f = e == 6 ? Midi(ScaleNote(chord[2], -2)) : fRoot;
        Put(Bass(f, beat_ * 0.45, round), t0 + e * beat_ / 2, 0.3f, 0.0f, 0.05f);
      }
    } else {
      Put(Bass(fRoot, beat_ * 1.8, round), t0, 0.32f, 0.0f, 0.05f);
      Put(Bass(Midi(ScaleNote(chord[bar % 2 == 0 ? 2 : 0], -2)), beat_ * 1.8, round), t0 + 2 * beat_, 0.28f, 0.0f,
          0.05f);
    }
    if (s_.arpeggio) {
      static const int kOrder[8] = {0, 1, 2, 3, 2, 1, 0, 1};
      for (int sx = 0; sx < 16; ++sx) {
        const int idx = kOrder[sx % 8];
        const int d = idx == 3 ? chord[0] + 7 : chord[static_cast<size_t>(idx)];
        Put(Pluck(Midi(ScaleNote(d, 0)), 0.3, 700u + static_cast<uint32_t>(bar * 16 + sx), 0.8f),
            t0 + sx * beat_ / 4, 0.16f, -0.45f, 0.25f);
      }
    }
    if (s_.offbeatComp) {
      for (int b = 0; b < 4; ++b)
        for (size_t c = 0; c < 3; ++c)
          Put(Pluck(Midi(ScaleNote(chord[c], -1)), 0.5, 900u + static_cast<uint32_t>(bar * 12 + b * 3) + static_cast<uint32_t>(c), 0.4f),
              t0 + b * beat_ + beat_ / 2 + 0.008 * static_cast<double>(c), 0.14f, 0.45f, 0.3f);
    }
  }
}

void Tune::Rhythm() {
  if (s_.drums == kNoDrums) return;
  const Buffer kick = Kick();
  for (int bar = 0; bar < s_.bars; ++bar) {
    const double t0 = bar_ * bar;
    for (int e = 0; e < 8; ++e) {
      const double t = t0 + e * beat_ / 2;
      if (s_.drums == kShakerOnly) {
        Put(Shaker(static_cast<uint32_t>(bar * 8 + e + 1)), t, e % 2 ? 0.10f : 0.16f, 0.3f, 0.2f);
        continue;
      }
      if (e % 4 == 0 || (s_.drums == kFull && e == 5 && bar % 2 == 1)) Put(kick, t, 0.5f, 0.0f, 0.02f);
      if (e % 4 == 2) Put(Snare(static_cast<uint32_t>(bar * 8 + e + 3)), t, s_.drums == kFull ? 0.35f : 0.18f, 0.1f, 0.3f);
      Put(Hat(static_cast<uint32_t>(bar * 8 + e + 5), e % 2 ? 0.02 : 0.035), t, s_.drums == kFull ? 0.12f : 0.08f,
          -0.2f, 0.1f);
    }
  }
}

Buffer Tune::Render() {
  Harmony();
  Melody();
  Rhythm();
  Reverb rl(1.1, 0.35f, 0), rr(1.1, 0.35f, 23);
  const size_t loop = static_cast<size_t>(Samples(bar_ * s_.bars));
  Buffer mixL(left_.size()), mixR(right_.size());
  for (size_t i = 0; i < left_.size(); ++i) {
    mixL[i] = left_[i] + rl.Process(sendL_[i]) * 0.6f;
    mixR[i] = right_[i] + rr.Process(sendR_[i]) * 0.6f;
  }
  // What rings past the loop's end folds back onto its start, so the loop is seamless.
  for (size_t i = loop; i < mixL.size(); ++i) {
    mixL[i - loop] += mixL[i];
    mixR[i - loop] += mixR[i];
  }
  Buffer out(loop * 2);
  float peak = 0;
  for (size_t i = 0; i < loop; ++i) peak = std::max({peak, std::fabs(mixL[i]), std::fabs(mixR[i])});
  const float g = peak > 0 ? 0.8f / peak : 1.0f;
  for (size_t i = 0; i < loop; ++i) {
    out[2 * i] = std::tanh(mixL[i] * g * 1.4f) / std::tanh(1.4f) * 0.95f;
    out[2 * i + 1] = std::tanh(mixR[i] * g * 1.4f) / std::tanh(1.4f) * 0.95f;
  }
  return out;
}

const Song kMenu{"Menu", 100, 72, false, 16, {0, 5, 3, 4}, {1, 2, 1, 3}, kPluckLead, kLight, false, true, 11};
const Song kMap{"Map", 112, 67, false, 16, {0, 4, 5, 3}, {1, 1, 2, 1}, kMarimbaLead, kLight, true, false, 23};
const Song kGame{"Level", 126, 69, true, 16, {0, 5, 2, 6}, {1, 2, 1, 3}, kChipLead, kFull, true, false, 37};
const Song kVillage{"Village", 90, 65, false, 12, {0, 3, 0, 4}, {1, 2, 1}, kFluteLead, kShakerOnly, false, true, 41};
const Song kComplete{"Level complete", 120, 74, false, 10, {0, 3, 4, 0}, {1, 2, 1}, kBrassLead, kFull, false, false, 53};
const Song kCredits{"Credits", 92, 75, false, 12, {0, 2, 3, 4}, {1, 2, 1}, kBellLead, kLight, true, false, 61};

}  // namespace

std::vector<MusicSpec> AllMusic() {
  return {
      {"MUSIC_MENU", "menu", [] { return Tune(kMenu).Render(); }},
      {"MUSIC_MAP", "map", [] { return Tune(kMap).Render(); }},
      {"MUSIC_GAME", "game", [] { return Tune(kGame).Render(); }},
      {"MUSIC_VILLAGE", "village", [] { return Tune(kVillage).Render(); }},
      {"MUSIC_LEVEL_COMPLETE", "level_complete", [] { return Tune(kComplete).Render(); }},
      {"MUSIC_CREDITS", "credits", [] { return Tune(kCredits).Render(); }},
  };
}

}  // namespace kelp::audio
