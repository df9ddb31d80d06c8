#include "composer.h"

#include <algorithm>
#include <array>
#include <map>

#include "instruments.h"

namespace kelp::audio {

namespace {

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
const int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};

// A note of a tune, in steps from its section's start; degree 0 is the tonic.
struct Note {
  int step, len, degree;
};

// Two-bar rhythms in steps (negative: a rest), for 16 and for 6 steps a bar.
const std::vector<std::vector<int>> kMotif16 = {
    {4, 4, 4, 4, 8, 8},          {6, 2, 4, 4, 12, -4},      {4, 2, 2, 4, 4, 8, 4, 4},
    {2, 2, 4, 2, 2, 4, 8, 8},    {8, 4, 4, 4, 4, 8},        {3, 3, 2, 4, 4, 6, 2, 8},
    {4, 4, 2, 2, 4, 4, 4, -8},   {2, 2, 2, 2, 4, 4, 4, 4, 8}, {-2, 2, 2, 2, 4, 4, 6, 2, 8},
};
const std::vector<std::vector<int>> kCadence16 = {
    {4, 4, 4, 4, 16}, {8, 4, 4, 16}, {4, 2, 2, 8, 12, -4}, {6, 2, 8, 16}, {2, 2, 4, 8, 16}};
const std::vector<std::vector<int>> kMotif6 = {
    {2, 1, 2, 1, 3, 3}, {3, 2, 1, 2, 1, 3}, {1, 1, 1, 2, 1, 3, -3}, {2, 1, 3, 2, 1, 3}, {3, 3, 2, 1, 3}};
const std::vector<std::vector<int>> kCadence6 = {{2, 1, 2, 1, 6}, {3, 3, 6}, {2, 1, 3, 6}};

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

class Composer {
 public:
  explicit Composer(const Song& s) : s_(s), rng_(s.seed) {
    step_ = 60.0 / s.bpm / s.sub;
    barSteps_ = s.beats * s.sub;
    for (const Section& sec : s.sections) bars_ += static_cast<int>(sec.chords.size());
    loopSeconds_ = step_ * barSteps_ * bars_;
    const size_t n = static_cast<size_t>(Samples(loopSeconds_ + (s.loops ? 3.0 : 4.0)));
    for (Buffer* b : {&l_, &r_, &sl_, &sr_}) b->assign(n, 0.0f);
  }

  double LoopSeconds() const { return loopSeconds_; }
  Buffer Render();

 private:
  // ---- pitch -------------------------------------------------------------
  int Pitch(int degree, int chord, int octave = 0) const {
    const int* sc = s_.minor ? kMinor : kMajor;
    const int oct = FloorDiv(degree, 7);
    const int d = degree - oct * 7;
    int p = s_.root + sc[d] + 12 * (oct + octave);
    // A major dominant in minor keys: the leading note over the V chord.
    if (s_.minor && d == 6 && Mod7(chord) == 4) p += 1;
    return p;
  }
  static int Mod7(int d) { return d - FloorDiv(d, 7) * 7; }
  std::vector<int> ChordDegrees(int chord) const {
    std::vector<int> d = {chord, chord + 2, chord + 4};
    if (s_.sevenths) d.push_back(chord + 6);
    return d;
  }
  bool IsChordTone(int degree, int chord) const {
    for (int c : ChordDegrees(chord))
      if (Mod7(degree - c) == 0) return true;
    return false;
  }
  // The chord tone nearest to degree, ties going the way of dir.
  int NearestChordTone(int degree, int chord, int dir) const {
    int best = degree, bestDist = 99;
    for (int c : {chord, chord + 2, chord + 4})
      for (int o = -14; o <= 14; o += 7) {
        const int cand = c + o;
        const int dist = std::abs(cand - degree) * 2 + ((cand - degree) * dir < 0 ? 1 : 0);
        if (dist < bestDist) {
          bestDist = dist;
          best = cand;
        }
      }
    return best;
  }

  // ---- placing sound -----------------------------------------------------
  double At(int bar, int step) const { return (static_cast<double>(bar) * barSteps_ + step) * step_; }
  void Put(const Buffer& b, double at, float gain, float pan, float send) {
    at += rng_.Uniform(-0.002f, 0.002f);  // a player, not a clock
    // Before the start: a loop plays it at its end, a piece that ends starts at 0.
    if (at < 0) at = s_.loops ? at + loopSeconds_ : 0.0;
    const long start = static_cast<long>(at * kRate);
    const float gl = gain * std::cos((pan + 1) * static_cast<float>(kPi) / 4);
    const float gr = gain * std::sin((pan + 1) * static_cast<float>(kPi) / 4);
    for (size_t i = 0; i < b.size(); ++i) {
      const long j = start + static_cast<long>(i);
      if (j >= static_cast<long>(l_.size())) break;
      l_[static_cast<size_t>(j)] += b[i] * gl;
      r_[static_cast<size_t>(j)] += b[i] * gr;
      sl_[static_cast<size_t>(j)] += b[i] * gl * send;
      sr_[static_cast<size_t>(j)] += b[i] * gr * send;
    }
  }
  Buffer Play(Voice v, double f, double len, float velocity, uint32_t seed) const {
    switch (v) {
      case Voice::kGuitar: return inst::Pluck(f, len, seed, 0.45f);
      case Voice::kHarp: return inst::Pluck(f, std::max(len, 0.8), seed, 0.8f);
      case Voice::kMarimba: return inst::Marimba(f, len);
      case Voice::kFlute: return inst::Flute(f, len * 0.95, seed);
      case Voice::kChip: return inst::Chip(f, len * 0.85);
      case Voice::kBrass: return inst::Brass(f, len * 0.9);
      case Voice::kBell: return inst::Bell(f, len);
      case Voice::kEPiano: return inst::EPiano(f, len, velocity);
      case Voice::kStrings: return inst::Strings(f, len, seed);
    }
    return {};
  }

  // ---- the tune ----------------------------------------------------------
  std::vector<Note> Motif(const std::vector<int>& chords, Rng& rng) const;
  std::vector<Note> Theme(int theme, const Section& sec);
  void Melody(const Section& sec, int firstBar);
  void Counter(const Section& sec, int firstBar);

  // ---- the band ----------------------------------------------------------
  std::vector<int> Voicing(int chord);
  void Harmony(int bar, int chord, int nextChord, int energy, bool sectionStart);
  void Bass(int bar, int chord, int nextChord, int energy);
  void Drums(int bar, int energy, bool fill, bool sectionStart);

  const Song& s_;
  Rng rng_;
  double step_ = 0, loopSeconds_ = 0;
  int barSteps_ = 16, bars_ = 0;
  std::vector<int> lastVoicing_;
  std::map<int, std::vector<Note>> motifs_;  // by theme
  Buffer l_, r_, sl_, sr_;
};

// A two-bar motif over two chords: chord tones on the beats, steps between,
// an arch that rises through the first bar and settles in the second.
std::vector<Note> Composer::Motif(const std::vector<int>& chords, Rng& rng) const {
  const auto& table = s_.sub == 3 ? kMotif6 : kMotif16;
  const std::vector<int>& rhythm = table[static_cast<size_t>(rng.Int(0, static_cast<int>(table.size()) - 1))];
  int sounding = 0;
  for (int r : rhythm) sounding += r > 0 ? 1 : 0;
  const int peak = std::max(1, sounding * 2 / 5 + rng.Int(0, 1));  // the note the arch turns at
  std::vector<Note> notes;
  int degree = NearestChordTone(rng.Int(2, 4), chords[0], 1);
  int pos = 0;
  for (int r : rhythm) {
    const int len = std::abs(r);
    if (r > 0) {
      const int bar = std::min(pos / barSteps_, static_cast<int>(chords.size()) - 1);
      const int chord = chords[static_cast<size_t>(bar)];
      const int dir = static_cast<int>(notes.size()) < peak ? 1 : -1;
      if (!notes.empty()) {
        if (pos % s_.sub == 0) {
          // Another chord tone, mostly a step or a third away in the arch's direction.
          int best = degree, bestScore = -1000;
          for (int cand = degree - 4; cand <= degree + 4; ++cand) {
            if (!IsChordTone(cand, chord) || cand == degree) continue;
            const int interval = std::abs(cand - degree);
            int score = (interval <= 2 ? 8 : 3) + ((cand - degree) * dir > 0 ? 6 : 0) + rng.Int(0, 5);
            if (cand < -2 || cand > 9) score -= 20;
            if (score > bestScore) {
              bestScore = score;
              best = cand;
            }
          }
          degree = best;
        } else {
          const int roll = rng.Int(0, 9);
          degree += roll < 7 ? dir : (roll < 9 ? -dir : 0);
        }
      }
      degree = std::clamp(degree, -2, 9);
      notes.push_back({pos, len, degree});
    }
    pos += len;
  }
  return notes;
}

// The section's tune: motif, the motif in sequence ending open, the motif
// again, and a cadence.
std::vector<Note> Composer::Theme(int theme, const Section& sec) {
  const int bars = static_cast<int>(sec.chords.size());
  Rng rng(s_.seed * 7919u + static_cast<uint32_t>(theme) * 104729u);
  if (!motifs_.count(theme)) motifs_[theme] = Motif({sec.chords[0], sec.chords[std::min(1, bars - 1)]}, rng);
  const std::vector<Note>& motif = motifs_[theme];
  std::vector<Note> tune;
  auto state = [&](int firstBar, int shift) {
    for (const Note& n : motif) {
      const int bar = firstBar + n.step / barSteps_;
      if (bar >= bars) break;
      int d = n.degree + shift;
      if (n.step % s_.sub == 0) d = NearestChordTone(d, sec.chords[static_cast<size_t>(bar)], 0);
      tune.push_back({firstBar * barSteps_ + n.step, n.len, std::clamp(d, -3, 10)});
    }
  };
  auto cadence = [&](int firstBar, bool home) {
    const auto& table = s_.sub == 3 ? kCadence6 : kCadence16;
    const std::vector<int>& rhythm = table[static_cast<size_t>(rng.Int(0, static_cast<int>(table.size()) - 1))];
    const int last = sec.chords[static_cast<size_t>(bars - 1)];
    int target = home ? 0 : NearestChordTone(tune.empty() ? 4 : tune.back().degree, last, 0);
    if (home && !IsChordTone(0, last)) target = NearestChordTone(0, last, 0);
    if (!tune.empty() && std::abs(tune.back().degree - (target + 7)) < std::abs(tune.back().degree - target))
      target += 7;
    int count = 0;
    for (int r : rhythm) count += r > 0 ? 1 : 0;
    int pos = 0, k = 0;
    int degree = tune.empty() ? target + 2 : tune.back().degree;
    const int dir = degree >= target ? -1 : 1;  // the way the run goes home
    for (int r : rhythm) {
      const int len = std::abs(r);
      if (r > 0) {
        const int left = count - 1 - k++;  // notes after this one
        const int bar = std::min(firstBar + pos / barSteps_, bars - 1);
        if (left <= 3) {
          degree = target - dir * left;  // a scale run onto the target
        } else {
          degree = NearestChordTone(degree + dir, sec.chords[static_cast<size_t>(bar)], dir);
        }
        tune.push_back({firstBar * barSteps_ + pos, len, std::clamp(degree, -3, 10)});
      }
      pos += len;
    }
  };
  if (bars >= 8) {
    state(0, 0);
    // In sequence on the third bar's chord, by the smaller way round.
    const int up = Mod7(sec.chords[2] - sec.chords[0]);
    state(2, up <= 3 ? up : up - 7);
    // The answer holds its last note to the end of its two bars, on a chord tone.
    if (!tune.empty()) {
      Note& n = tune.back();
      n.len = 4 * barSteps_ - n.step;
      n.degree = NearestChordTone(n.degree, sec.chords[3], 0);
      if (Mod7(n.degree) == 0) n.degree = NearestChordTone(n.degree + 1, sec.chords[3], 1);
    }
    state(4, 0);
    cadence(6, sec.home);
    // Longer sections say it all again.
    for (int b = 8; b + 8 <= bars; b += 8) {
      const size_t first = tune.size();
      for (size_t i = 0; i < first; ++i) tune.push_back({tune[i].step + b * barSteps_, tune[i].len, tune[i].degree});
    }
  } else if (bars >= 4) {
    state(0, 0);
    cadence(2, sec.home);
  }
  return tune;
}

void Composer::Melody(const Section& sec, int firstBar) {
  if (sec.theme < 0) return;
  std::vector<Note> tune = Theme(sec.theme, sec);
  const float gain = s_.lead == Voice::kFlute || s_.lead == Voice::kStrings ? 0.5f : 0.55f;
  for (size_t i = 0; i < tune.size(); ++i) {
    Note n = tune[i];
    const int bar = firstBar + n.step / barSteps_;
    const int chord = sec.chords[static_cast<size_t>(n.step / barSteps_)];
    std::vector<Note> parts = {n};
    if (sec.variation) {
      // Passing notes: a long note gives its second half to the step toward the next.
      if (n.len >= 2 * s_.sub && i + 1 < tune.size() && tune[i + 1].degree != n.degree) {
        const int half = n.len / 2;
        const int toward = n.degree + (tune[i + 1].degree > n.degree ? 1 : -1);
        parts = {{n.step, half, n.degree}, {n.step + half, n.len - half, toward}};
      }
    }
    for (const Note& p : parts) {
      const int octave = sec.variation && s_.lead != Voice::kBrass ? 1 : 0;
      const double f = Midi(Pitch(p.degree, chord, octave));
      const bool strong = p.step % barSteps_ == 0;
      const float vel = strong ? 1.0f : (p.step % s_.sub == 0 ? 0.85f : 0.7f);
      const double len = p.len * step_;
      const uint32_t seed = s_.seed + static_cast<uint32_t>(bar * 131 + p.step * 7);
      Put(Play(s_.lead, f, len, vel, seed), At(firstBar, p.step), gain * vel * (octave ? 0.8f : 1.0f), 0.1f,
          0.3f);
    }
  }
}

// Half-bar notes a sixth below the tune's chord tones: a second voice.
void Composer::Counter(const Section& sec, int firstBar) {
  if (!sec.variation) return;
  int prev = 2;
  const int half = barSteps_ / 2;
  for (size_t b = 0; b < sec.chords.size(); ++b) {
    const int chord = sec.chords[b];
    for (int h = 0; h < 2; ++h) {
      const int d = NearestChordTone(prev + (h ? -1 : 1), chord, h ? -1 : 1);
      prev = std::clamp(d, -1, 6);
      const double f = Midi(Pitch(prev, chord, 0));
      const uint32_t seed = s_.seed + 5000u + static_cast<uint32_t>(b * 2 + static_cast<size_t>(h));
      Put(Play(s_.counter, f, half * step_ * 0.95, 0.6f, seed), At(firstBar + static_cast<int>(b), h * half), 0.3f,
          0.45f, 0.4f);
    }
  }
}

// The chord's notes around the octave below the tune, close to the last voicing.
std::vector<int> Composer::Voicing(int chord) {
  std::vector<int> base;
  for (int d : ChordDegrees(chord)) base.push_back(Pitch(d, chord, -1));
  std::vector<int> best;
  int bestCost = 1 << 30;
  for (size_t inv = 0; inv < base.size(); ++inv) {
    std::vector<int> v = base;
    for (size_t i = 0; i < inv; ++i) v[i] += 12;
    std::sort(v.begin(), v.end());
    for (int shift : {-12, 0}) {
      std::vector<int> w = v;
      for (int& p : w) p += shift;
      int cost = 0;
      if (lastVoicing_.empty()) {
        cost = std::abs(w[0] - (s_.root - 8));
      } else {
        for (size_t i = 0; i < w.size() && i < lastVoicing_.size(); ++i) cost += std::abs(w[i] - lastVoicing_[i]);
      }
      if (w.front() < s_.root - 20 || w.back() > s_.root + 2) cost += 100;
      if (cost < bestCost) {
        bestCost = cost;
        best = w;
      }
    }
  }
  lastVoicing_ = best;
  return best;
}

void Composer::Harmony(int bar, int chord, int nextChord, int energy, bool sectionStart) {
  (void)nextChord;
  (void)sectionStart;
  const std::vector<int> v = Voicing(chord);
  const double barLen = barSteps_ * step_;
  std::vector<double> freqs;
  for (int p : v) freqs.push_back(Midi(p));
  // The pad: two slightly different voices, one each side.
  const float padGain = energy == 0 ? 0.2f : 0.15f;
  Put(inst::Pad(freqs, barLen, s_.minor ? 1100 : 1300), At(bar, 0), padGain, -0.55f, 0.5f);
  std::vector<double> wide;
  for (double f : freqs) wide.push_back(f * 1.003);
  Put(inst::Pad(wide, barLen, 1000), At(bar, 0), padGain, 0.55f, 0.5f);
  if (energy == 0) return;

  auto comp = [&](Comp style) {
    const uint32_t seed = s_.seed * 31u + static_cast<uint32_t>(bar) * 97u;
    switch (style) {
      case Comp::kNone: break;
      case Comp::kArpeggio:
      case Comp::kRoll: {
        // Up and down the chord and its octave, eighths (sixteenths at full energy).
        std::vector<int> tones = v;
        tones.push_back(v[0] + 12);
        if (style == Comp::kRoll) tones.push_back(v[1] + 12);
        const int every = style == Comp::kArpeggio && energy >= 2 ? 1 : std::max(1, s_.sub / 2);
        const int n = static_cast<int>(tones.size());
        for (int st = 0, k = 0; st < barSteps_; st += every, ++k) {
          const int cycle = 2 * n - 2;
          const int idx = k % cycle < n ? k % cycle : cycle - k % cycle;
          const double f = Midi(tones[static_cast<size_t>(idx)]);
          Put(Play(s_.compVoice, f, every * step_ * 2, 0.5f, seed + static_cast<uint32_t>(st)), At(bar, st),
              st % s_.sub == 0 ? 0.2f : 0.15f, -0.4f, 0.35f);
        }
        break;
      }
      case Comp::kOffbeat:
        for (int b = 0; b < s_.beats; ++b)
          for (size_t c = 0; c < v.size(); ++c)
            Put(Play(s_.compVoice, Midi(v[c]), step_ * s_.sub * 0.4, 0.5f, seed + static_cast<uint32_t>(b * 5) + static_cast<uint32_t>(c)),
                At(bar, b * s_.sub + s_.sub / 2) + 0.006 * static_cast<double>(c), 0.13f, 0.4f, 0.3f);
        break;
      case Comp::kStrum: {
        // Down, down-up, up-down: the campfire strum.
        const int hits[] = {0, 6, 10, 12};
        const bool down[] = {true, true, false, true};
        for (int h = 0; h < 4; ++h) {
          const int st = hits[h] * barSteps_ / 16;
          for (size_t c = 0; c < v.size(); ++c) {
            const size_t i = down[h] ? c : v.size() - 1 - c;
            Put(Play(s_.compVoice, Midi(v[i]), step_ * 4, 0.5f, seed + static_cast<uint32_t>(h * 7) + static_cast<uint32_t>(i)),
                At(bar, st) + 0.012 * static_cast<double>(c), h == 0 ? 0.14f : 0.1f, 0.35f, 0.3f);
          }
        }
        break;
      }
      case Comp::kBlock: {
        const int hits[] = {0, 6, 10};
        for (int h = 0; h < 3; ++h)
          for (int p : v)
            Put(inst::EPiano(Midi(p + 12), step_ * (h == 2 ? 6 : 4), h == 0 ? 0.55f : 0.4f), At(bar, hits[h] * barSteps_ / 16),
                0.09f, 0.25f, 0.3f);
        break;
      }
      case Comp::kOomPah:
        // 6/8: the chord on the second and third eighth of each beat.
        for (int b = 0; b < s_.beats; ++b)
          for (int e = 1; e < s_.sub; ++e)
            for (size_t c = 0; c < v.size(); ++c)
              Put(Play(s_.compVoice, Midi(v[c]), step_ * 0.9, 0.45f, seed + static_cast<uint32_t>(b * 11 + e * 3) + static_cast<uint32_t>(c)),
                  At(bar, b * s_.sub + e) + 0.007 * static_cast<double>(c), e == 1 ? 0.12f : 0.09f, 0.4f, 0.3f);
        break;
    }
  };
  comp(s_.comp);
  if (energy >= 2) comp(s_.fullComp);
}

void Composer::Bass(int bar, int chord, int nextChord, int energy) {
  const int root = Pitch(chord, chord, -2);
  const int fifth = Pitch(chord + 4, chord, -2);
  const int next = Pitch(nextChord, nextChord, -2);
  const bool round = s_.bass != BassLine::kDriving;
  auto note = [&](int pitch, int st, int len, float gain) {
    Put(inst::Bass(Midi(pitch), len * step_ * 0.9, round), At(bar, st), gain, 0.0f, 0.04f);
  };
  if (energy == 0 && s_.bass != BassLine::kDriving) {
    note(root, 0, barSteps_, 0.3f);
    return;
  }
  switch (s_.bass) {
    case BassLine::kHalf:
      note(root, 0, barSteps_ / 2, 0.36f);
      note(bar % 2 ? fifth : root, barSteps_ / 2, barSteps_ / 2 - 2, 0.3f);
      note(next == root ? fifth : next + (next > root ? -2 : 2), barSteps_ - 2, 2, 0.22f);  // toward the next chord
      break;
    case BassLine::kDriving:
      for (int e = 0; e < barSteps_ / 2; ++e) {
        int p = root;
        if (e == 3 || e == 6) p = root + 12;
        if (e == 7 && next != root) p = next + (next > root ? -2 : 2);  // leading into the next chord
        note(p, e * 2, 2, e % 2 ? 0.26f : 0.33f);
      }
      break;
    case BassLine::kWalking: {
      const int third = Pitch(chord + 2, chord, -2);
      const int tones[4] = {root, third, fifth, next + (next > fifth ? -1 : 1)};
      for (int b = 0; b < s_.beats; ++b) note(tones[b % 4], b * s_.sub, s_.sub, b == 0 ? 0.36f : 0.3f);
      break;
    }
    case BassLine::kFolk:
      for (int b = 0; b < s_.beats; ++b) note(b % 2 ? fifth : root, b * s_.sub, s_.sub, b == 0 ? 0.36f : 0.3f);
      break;
  }
}

void Composer::Drums(int bar, int energy, bool fill, bool sectionStart) {
  const uint32_t seed = s_.seed * 13u + static_cast<uint32_t>(bar) * 101u;
  auto hit = [&](const Buffer& b, int st, float gain, float pan, float send = 0.12f) {
    Put(b, At(bar, st), gain, pan, send);
  };
  if (sectionStart && energy >= 1 && s_.beat != Beat::kNone && s_.beat != Beat::kShaker)
    hit(inst::Crash(seed + 1), 0, energy >= 2 ? 0.16f : 0.1f, 0.3f, 0.2f);
  const Buffer kick = inst::Kick(s_.beat == Beat::kDrive ? 1.0f : 0.7f);
  const int q = s_.sub;  // steps a beat
  const int fillFrom = fill ? barSteps_ / 2 : barSteps_;
  switch (s_.beat) {
    case Beat::kNone: break;
    case Beat::kShaker:
      for (int e = 0; e < barSteps_; e += 2) hit(inst::Shaker(seed + static_cast<uint32_t>(e)), e, e % 4 ? 0.09f : 0.14f, 0.35f);
      if (energy >= 1) hit(kick, 0, 0.3f, 0.0f);
      if (energy >= 1) hit(inst::Tambourine(seed + 3), barSteps_ / 2, 0.08f, -0.35f);
      break;
    case Beat::kSixEight:
      for (int e = 0; e < barSteps_; ++e) hit(inst::Shaker(seed + static_cast<uint32_t>(e)), e, e % 3 ? 0.08f : 0.13f, 0.35f);
      if (energy >= 1) {
        hit(kick, 0, 0.38f, 0.0f);
        hit(inst::Rim(seed + 2), q, 0.12f, -0.1f);
        hit(inst::Tambourine(seed + 5), q, 0.07f, -0.4f);
      }
      if (energy >= 2) hit(kick, q + 2, 0.22f, 0.0f);
      break;
    case Beat::kLight:
      for (int e = 0; e < barSteps_; e += 2)
        hit(inst::Hat(seed + static_cast<uint32_t>(e), e % 4 ? 0.018 : 0.03), e, e % 4 ? 0.05f : 0.08f, -0.25f);
      if (energy >= 1) {
        hit(kick, 0, 0.42f, 0.0f);
        hit(kick, 2 * q, 0.3f, 0.0f);
        if (fillFrom > q) hit(inst::Rim(seed + 7), q, 0.13f, 0.1f);
        if (fillFrom > 3 * q) hit(inst::Rim(seed + 9), 3 * q, 0.13f, 0.1f);
      }
      break;
    case Beat::kPop:
    case Beat::kMarch:
    case Beat::kDrive: {
      const bool drive = s_.beat == Beat::kDrive;
      const int hatEvery = drive && energy >= 1 ? 1 : 2;
      for (int e = 0; e < fillFrom; e += hatEvery) {
        const bool open = s_.beat == Beat::kPop && e == 14 && bar % 2 == 1;
        hit(inst::Hat(seed + static_cast<uint32_t>(e), open ? 0.09 : (e % 4 ? 0.016 : 0.028)), e,
            (e % 4 == 0 ? 0.09f : 0.055f) * (open ? 1.3f : 1.0f), -0.25f);
      }
      if (energy == 0) break;
      const std::vector<int> kicks = drive ? std::vector<int>{0, 4, 8, 12} : s_.beat == Beat::kPop ? std::vector<int>{0, 6, 8} : std::vector<int>{0, 8};
      for (int k : kicks)
        if (k < fillFrom || k == 0) hit(kick, k, k % 8 == 0 ? 0.5f : 0.38f, 0.0f, 0.02f);
      for (int sn : {4, 12})
        if (sn < fillFrom) hit(inst::Snare(seed + static_cast<uint32_t>(sn), 0.4f), sn, 0.3f, 0.08f, 0.2f);
      if (s_.beat == Beat::kMarch) {
        for (int e = 1; e < fillFrom; e += 2) hit(inst::Tambourine(seed + static_cast<uint32_t>(e)), e, 0.06f, -0.45f);
        if (bar % 2 == 1 && fillFrom == barSteps_)
          for (int e = 12; e < 16; ++e) hit(inst::Snare(seed + 40 + static_cast<uint32_t>(e), 0.2f), e, 0.09f + 0.03f * static_cast<float>(e - 12), 0.1f);
      }
      break;
    }
  }
  if (fill && energy >= 1 && s_.beat != Beat::kNone && s_.beat != Beat::kShaker) {
    // Into the next section: toms falling from high to low, then a snare flam.
    const double toms[] = {220, 196, 165, 147, 131, 117, 98, 98};
    const int from = s_.beat == Beat::kSixEight ? q : barSteps_ / 2;
    const int count = barSteps_ - from;
    const int every = s_.sub == 3 ? 1 : (s_.beat == Beat::kLight ? 2 : 1);
    for (int i = 0, st = from; st < barSteps_; st += every, ++i) {
      const size_t t = static_cast<size_t>(i * 8 / std::max(1, count / every));
      if (st == barSteps_ - every && s_.beat != Beat::kLight)
        hit(inst::Snare(seed + 77, 0.5f), st, 0.3f, 0.1f, 0.2f);
      else
        hit(inst::Tom(toms[std::min<size_t>(t, 7)]), st, 0.28f, -0.3f + 0.6f * static_cast<float>(i) / static_cast<float>(std::max(1, count / every)), 0.2f);
    }
  }
}

Buffer Composer::Render() {
  // The band, bar by bar.
  int bar = 0;
  std::vector<int> allChords;
  for (const Section& sec : s_.sections) allChords.insert(allChords.end(), sec.chords.begin(), sec.chords.end());
  for (size_t si = 0; si < s_.sections.size(); ++si) {
    const Section& sec = s_.sections[si];
    const int first = bar;
    for (size_t b = 0; b < sec.chords.size(); ++b, ++bar) {
      const size_t nextIndex = static_cast<size_t>(bar + 1) % allChords.size();
      const int next = s_.loops || bar + 1 < bars_ ? allChords[nextIndex] : 0;
      const bool last = b + 1 == sec.chords.size();
      Harmony(bar, sec.chords[b], next, sec.energy, b == 0);
      Bass(bar, sec.chords[b], next, sec.energy);
      Drums(bar, sec.energy, last && sec.fill, b == 0);
    }
    Melody(sec, first);
    Counter(sec, first);
  }
  if (!s_.loops) {
    // The last chord, held and ringing out.
    const std::vector<int> v = Voicing(0);
    std::vector<double> freqs;
    for (int p : v) freqs.push_back(Midi(p));
    const double t = At(bars_, 0);
    Put(inst::Pad(freqs, 2.5, 1400), t, 0.22f, -0.5f, 0.6f);
    Put(inst::Pad(freqs, 2.5, 1100), t, 0.22f, 0.5f, 0.6f);
    for (int p : v) Put(inst::Bell(Midi(p + 12), 2.0), t, 0.12f, 0.2f, 0.5f);
    Put(Play(s_.lead, Midi(Pitch(7, 0)), 2.0, 1.0f, 9), t, 0.5f, 0.1f, 0.4f);
    Put(inst::Bass(Midi(Pitch(0, 0, -2)), 2.0, true), t, 0.36f, 0.0f, 0.05f);
    Put(inst::Kick(0.8f), t, 0.5f, 0.0f, 0.05f);
    Put(inst::Crash(s_.seed), t, 0.2f, 0.3f, 0.3f);
  }

  // The room.
  Reverb rl(1.15, 0.35f, 0), rr(1.15, 0.35f, 23);
  const size_t n = l_.size();
  for (size_t i = 0; i < n; ++i) {
    l_[i] += rl.Process(sl_[i]) * s_.reverb * 1.7f;
    r_[i] += rr.Process(sr_[i]) * s_.reverb * 1.7f;
  }
  size_t length = n;
  if (s_.loops) {
    // What rings past the loop's end sounds again over its start.
    length = static_cast<size_t>(Samples(loopSeconds_));
    for (size_t i = length; i < n; ++i) {
      l_[i - length] += l_[i];
      r_[i - length] += r_[i];
    }
  } else {
    // Down to silence over the last second and a half.
    const size_t fade = static_cast<size_t>(kRate * 3 / 2);
    for (size_t i = 0; i < fade; ++i) {
      const float g = static_cast<float>(i) / static_cast<float>(fade);
      l_[n - 1 - i] *= g;
      r_[n - 1 - i] *= g;
    }
  }

  // Level: the target loudness, peaks rounded off softly.
  double sum = 0;
  float peak = 0;
  for (size_t i = 0; i < length; ++i) {
    sum += static_cast<double>(l_[i]) * l_[i] + static_cast<double>(r_[i]) * r_[i];
    peak = std::max({peak, std::fabs(l_[i]), std::fabs(r_[i])});
  }
  const double rms = std::sqrt(sum / (2.0 * static_cast<double>(length)));
  float g = rms > 0 ? static_cast<float>(s_.loudness / rms) : 1.0f;
  if (peak * g > 1.5f) g = 1.5f / peak;
  Buffer out(length * 2);
  for (size_t i = 0; i < length; ++i) {
    out[2 * i] = 0.95f * std::tanh(l_[i] * g / 0.95f);
    out[2 * i + 1] = 0.95f * std::tanh(r_[i] * g / 0.95f);
  }
  return out;
}

}  // namespace

Buffer RenderSong(const Song& song) { return Composer(song).Render(); }

double SongSeconds(const Song& song) {
  int bars = 0;
  for (const Section& s : song.sections) bars += static_cast<int>(s.chords.size());
  return 60.0 / song.bpm * song.beats * bars;
}

}  // namespace kelp::audio
