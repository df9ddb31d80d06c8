// The credits piece as an 8-channel XM module: warm and looking back, in D
// major. A soft flute-like lead over a three-voice pad, a round bass, kick
// and hat. Four patterns (intro, theme, second theme, close) make about 72
// seconds; the close ends on the dominant so the loop leads home.
#include "credits_module.h"

#include <cmath>
#include <cstdint>

namespace kelp::audio {

namespace {

using modwrite::Cell;
using modwrite::Instrument;
using modwrite::Pattern;
using modwrite::Sample;

constexpr double kPi = 3.14159265358979323846;
constexpr int kCycle = 64;  // samples per waveform cycle: MIDI note m plays at its pitch as XM note m + 1
constexpr int kFine = 30;   // +0.23 semitone: 44100 / 64 Hz is F5 less 23 cents

enum Inst { kLead = 1, kPad, kBass, kKick, kHat };
enum Chan { cLead, cPad0, cPad1, cPad2, cBass, cKick, cHat, cEcho };

// One looped cycle (repeated) from harmonic amplitudes.
Sample Wave(const char* name, std::initializer_list<double> harmonics, double peak) {
  Sample s;
  s.name = name;
  s.sixteenBit = true;
  s.finetune = kFine;
  std::vector<double> v(kCycle * 4);
  double top = 0;
  for (size_t i = 0; i < v.size(); ++i) {
    int k = 1;
    for (double a : harmonics) v[i] += a * std::sin(2 * kPi * k++ * static_cast<double>(i) / kCycle);
    top = std::max(top, std::fabs(v[i]));
  }
  for (double x : v) s.data.push_back(static_cast<int16_t>(std::lround(x / top * peak)));
  s.loopType = 1;
  s.loopStart = 0;
  s.loopLength = static_cast<int>(s.data.size());
  return s;
}

Instrument Make(const char* name, Sample s, std::vector<std::pair<int, int>> env, int sustain, int fadeout) {
  Instrument in;
  in.name = name;
  in.samples.push_back(std::move(s));
  in.volume.points = std::move(env);
  in.volume.on = !in.volume.points.empty();
  in.volume.sustain = sustain;
  in.fadeout = fadeout;
  return in;
}

Instrument Kick() {
  Sample s;
  s.name = "kick";
  s.sixteenBit = true;
  double phase = 0;
  for (int i = 0; i < 6000; ++i) {
    const double t = i / 44100.0;
    phase += 2 * kPi * (45 + 120 * std::exp(-t * 30)) / 44100.0;
    s.data.push_back(static_cast<int16_t>(26000 * std::exp(-t * 18) * std::sin(phase)));
  }
  return Make("kick", s, {}, -1, 0);
}

Instrument Hat() {
  Sample s;
  s.name = "hat";
  s.sixteenBit = true;
  uint32_t seed = 7;
  double prev = 0;
  for (int i = 0; i < 2400; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const double noise = (seed >> 8) / 8388608.0 - 1.0;
    const double bright = noise - prev;  // a first difference: the top end only
    prev = noise;
    s.data.push_back(static_cast<int16_t>(14000 * std::exp(-i / 400.0) * bright));
  }
  return Make("hat", s, {}, -1, 0);
}

// Chords by root: D, A, Bm, G, Em (MIDI notes of the pad).
struct Chord {
  int root, third, fifth;
};
constexpr Chord kD{62, 66, 69}, kA{61, 64, 69}, kBm{62, 66, 71}, kG{62, 67, 71}, kEm{64, 67, 71};

// XM note of a MIDI note.
int N(int midi) { return midi + 1; }

struct Tone {
  int line, midi, length;  // length in lines; a key-off follows unless the next tone starts there
};

void Put(Pattern& p, int line, int ch, int note, int inst = 0, int vol = 0, int fx = 0, int param = 0) {
  Cell& c = p.At(line, ch);
  c.note = note;
  c.inst = inst;
  c.vol = vol;
  c.fx = fx;
  c.param = param;
}

void Melody(Pattern& p, int ch, int vol, const std::vector<Tone>& tones) {
  for (size_t i = 0; i < tones.size(); ++i) {
    const Tone& t = tones[i];
    Put(p, t.line, ch, N(t.midi), kLead, vol, 4, 0x32);  // a light vibrato
    const int end = t.line + t.length;
    const bool next = i + 1 < tones.size() && tones[i + 1].line == end;
    if (!next && end < 64) Put(p, end, ch, 97);
  }
}

void Band(Pattern& p, const Chord (&bars)[4], bool drums, int padVol) {
  for (int bar = 0; bar < 4; ++bar) {
    const Chord& c = bars[bar];
    const int at = bar * 16;
    Put(p, at, cPad0, N(c.root), kPad, padVol);
    Put(p, at, cPad1, N(c.third), kPad, padVol);
    Put(p, at, cPad2, N(c.fifth), kPad, padVol);
    const int bass = c.root - 24 + (c.root >= 64 ? -12 : 0);
    Put(p, at, cBass, N(bass), kBass, 0x50);
    Put(p, at + 8, cBass, N(bass), kBass, 0x48);
    Put(p, at + 12, cBass, N(bass + 7), kBass, 0x40);
    if (!drums) continue;
    Put(p, at, cKick, N(76), kKick, 0x50);
    Put(p, at + 8, cKick, N(76), kKick, 0x48);
    if (bar == 3) Put(p, at + 14, cKick, N(76), kKick, 0x38);
    for (int k = 2; k < 16; k += 4) Put(p, at + k, cHat, N(84), kHat, 0x30);
  }
}

Pattern Intro() {
  Pattern p;
  const Chord bars[4] = {kD, kA, kBm, kG};
  Band(p, bars, false, 0x38);
  Melody(p, cEcho, 0x28, {{8, 69, 8}, {24, 73, 8}, {40, 74, 8}, {56, 71, 8}});
  return p;
}

Pattern Theme() {
  Pattern p;
  const Chord bars[4] = {kD, kA, kBm, kG};
  Band(p, bars, true, 0x30);
  Melody(p, cLead, 0x48,
         {{0, 66, 4}, {4, 69, 4}, {8, 74, 6}, {14, 73, 2}, {16, 76, 8}, {24, 73, 4}, {28, 69, 4},
          {32, 71, 6}, {38, 74, 2}, {40, 78, 8}, {48, 76, 4}, {52, 74, 4}, {56, 71, 4}, {60, 69, 4}});
  return p;
}

Pattern Second() {
  Pattern p;
  const Chord bars[4] = {kBm, kG, kD, kA};
  Band(p, bars, true, 0x30);
  Melody(p, cLead, 0x48,
         {{0, 78, 8}, {8, 76, 4}, {12, 74, 4}, {16, 74, 4}, {20, 71, 4}, {24, 67, 8},
          {32, 69, 6}, {38, 66, 2}, {40, 69, 4}, {44, 74, 4}, {48, 73, 8}, {56, 76, 6}});
  Melody(p, cEcho, 0x20, {{4, 66, 8}, {20, 62, 8}, {36, 62, 8}, {52, 64, 8}});
  return p;
}

Pattern Close() {
  Pattern p;
  const Chord bars[4] = {kEm, kA, kD, kA};
  Band(p, bars, true, 0x30);
  Melody(p, cLead, 0x44,
         {{0, 71, 4}, {4, 67, 4}, {8, 71, 4}, {12, 76, 4}, {16, 73, 8}, {24, 69, 8},
          {32, 74, 6}, {38, 73, 2}, {40, 71, 4}, {44, 69, 4}, {48, 73, 12}});
  return p;
}

}  // namespace

modwrite::Song CreditsModule() {
  modwrite::Song song;
  song.name = "Credits";
  song.channels = 8;
  song.speed = 8;  // 0.16 s a line, four lines a beat
  song.tempo = 125;
  song.instruments = {
      Make("lead", Wave("lead", {1.0, 0.25, 0.08, 0.03}, 24000), {{0, 0}, {3, 64}, {12, 44}, {60, 36}}, 2, 900),
      Make("pad", Wave("pad", {1.0, 0.5, 0.33, 0.25, 0.2, 0.16, 0.12}, 15000), {{0, 0}, {24, 48}, {80, 40}}, 2, 300),
      Make("bass", Wave("bass", {1.0, 0.0, 0.11, 0.0, 0.04}, 30000), {{0, 64}, {20, 40}, {60, 24}}, 2, 1200),
      Kick(),
      Hat(),
  };
  song.patterns = {Intro(), Theme(), Second(), Close()};
  song.order = {0, 1, 2, 1, 2, 3, 3};
  return song;
}

}  // namespace kelp::audio
