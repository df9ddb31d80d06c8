// The game's sound effects, each a short synthesised buffer fitting its name.
#include "sounds.h"

#include <functional>

namespace kelp::audio {

namespace {

enum Wave { kSine, kTri, kSaw, kSquare };

float Osc(Wave w, double ph) {
  switch (w) {
    case kTri: return Tri(ph);
    case kSaw: return Saw(ph);
    case kSquare: return Square(ph);
    default: return Sine(ph);
  }
}

// A tone gliding exponentially from f0 to f1 over len seconds, decaying with tau.
Buffer Tone(double f0, double f1, double len, Wave w, double tau, double attack = 0.002, double vibrato = 0) {
  Buffer b(static_cast<size_t>(Samples(len)));
  double ph = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    double f = f0 * std::pow(f1 / f0, t / len);
    if (vibrato > 0) f *= 1 + 0.01 * std::sin(2 * kPi * vibrato * t);
    ph += f / kRate;
    b[i] = Osc(w, ph) * Attack(t, attack) * Decay(t, tau);
  }
  return b;
}

// Noise through a filter whose cutoff sweeps from c0 to c1 (mode 0 low, 1 band, 2 high).
Buffer Noise(uint32_t seed, double len, double c0, double c1, int mode, double tau, double attack = 0.002,
             double q = 1.0) {
  Rng rng(seed);
  Svf svf;
  Buffer b(static_cast<size_t>(Samples(len)));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double c = c0 * std::pow(c1 / c0, t / len);
    b[i] = svf.Process(rng.Noise(), c, q, mode) * Attack(t, attack) * Decay(t, tau);
  }
  return b;
}

// A struck metal or glass body: inharmonic partials, each with its own decay.
Buffer Bell(double f, double len, const std::vector<double>& ratios, double tau, double bright = 0.6) {
  Buffer b(static_cast<size_t>(Samples(len)));
  for (size_t k = 0; k < ratios.size(); ++k) {
    const double fk = f * ratios[k];
    const double amp = std::pow(bright, static_cast<double>(k));
    const double tk = tau / (1 + 0.5 * static_cast<double>(k));
    for (size_t i = 0; i < b.size(); ++i) {
      const double t = static_cast<double>(i) / kRate;
      b[i] += static_cast<float>(amp * std::sin(2 * kPi * fk * t)) * Decay(t, tk) * Attack(t, 0.001);
    }
  }
  return b;
}

// A soft low thump (falling sine) for impacts.
Buffer Thump(double f0, double f1, double len, double tau) { return Tone(f0, f1, len, kSine, tau, 0.001); }

Buffer Mix(std::initializer_list<std::pair<Buffer, float>> parts, int offsetSamples = 0) {
  Buffer out;
  int at = 0;
  for (const auto& [b, g] : parts) {
    Add(out, b, at, g);
    at += offsetSamples;
  }
  return out;
}

Buffer Finish(Buffer b, float peak = 0.8f, double fadeOut = 0.01) {
  Normalize(b, peak);
  FadeEdges(b, 0.0005, fadeOut);
  return b;
}

// --------------------------------------------------------------- interface

Buffer Click() {
  return Finish(Mix({{Noise(11, 0.03, 3500, 2500, 1, 0.006, 0.0005, 2.0), 1.0f}, {Tone(1800, 1400, 0.03, kSine, 0.008), 0.5f}}), 0.6f);
}

Buffer SoftClick() {
  return Finish(Mix({{Noise(12, 0.04, 1800, 1200, 1, 0.01, 0.0005, 1.5), 1.0f}, {Tone(900, 700, 0.04, kSine, 0.012), 0.6f}}), 0.5f);
}

Buffer Whoosh(bool up, double len, uint32_t seed) {
  Rng rng(seed);
  Svf svf;
  Buffer b(static_cast<size_t>(Samples(len)));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate, u = t / len;
    const double c = up ? 300 * std::pow(12.0, u) : 3600 * std::pow(1 / 12.0, u);
    const double env = std::sin(kPi * std::pow(u, up ? 0.7 : 0.45));
    b[i] = svf.Process(rng.Noise(), c, 2.5, 1) * static_cast<float>(env);
  }
  return Finish(b, 0.7f, 0.03);
}

Buffer Tick(double f) { return Finish(Mix({{Noise(21, 0.02, 6000, 4000, 2, 0.004, 0.0003), 1.0f}, {Tone(f, f, 0.02, kSine, 0.005), 0.4f}}), 0.45f, 0.005); }

// --------------------------------------------------------------- boxes

Buffer Pop(double f) {
  Buffer body = Tone(f * 1.6, f, 0.22, kSine, 0.06, 0.001);
  Buffer over = Tone(f * 3.2, f * 2, 0.12, kTri, 0.03, 0.001);
  Buffer air = Noise(31, 0.05, 4000, 2000, 1, 0.01, 0.0005, 1.5);
  return Finish(Mix({{body, 1.0f}, {over, 0.3f}, {air, 0.4f}}), 0.75f);
}

Buffer Release() {
  return Finish(Mix({{Bell(620, 0.25, {1, 2.76, 5.4}, 0.05, 0.5), 0.6f},
                     {Thump(220, 90, 0.2, 0.05), 1.0f},
                     {Noise(41, 0.06, 2500, 800, 1, 0.015), 0.5f}}),
                0.7f);
}

Buffer Armor() {
  return Finish(Mix({{Bell(520, 0.6, {1, 2.41, 3.87, 5.12, 7.3}, 0.22, 0.7), 1.0f},
                     {Noise(42, 0.05, 6000, 3000, 1, 0.01), 0.4f}}),
                0.7f, 0.05);
}

Buffer Electro() {
  Rng rng(43);
  Buffer b(static_cast<size_t>(Samples(0.35)));
  double ph = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double f = 90 + 40 * std::sin(2 * kPi * 31 * t) + rng.Uniform(-30, 30);
    ph += f / kRate;
    b[i] = (Saw(ph) * 0.7f + rng.Noise() * 0.3f * (rng.Next() % 7 == 0 ? 1.0f : 0.2f)) * Decay(t, 0.12) *
           Attack(t, 0.003);
  }
  Svf hp;
  for (float& v : b) v = hp.Process(v, 400, 0.7, 2);
  return Finish(b, 0.65f, 0.03);
}

Buffer Ice() {
  return Finish(Mix({{Bell(1850, 0.6, {1, 1.51, 2.33, 3.1}, 0.18, 0.6), 0.7f},
                     {Noise(44, 0.12, 7000, 3000, 2, 0.02), 0.6f},
                     {Noise(45, 0.2, 3000, 5000, 1, 0.05, 0.01, 3.0), 0.3f}}),
                0.65f, 0.05);
}

Buffer Explosion(double len, uint32_t seed, double low) {
  Buffer boom = Noise(seed, len, 1800, 90, 0, len * 0.28, 0.003, 0.8);
  Buffer thump = Thump(low * 1.8, low * 0.6, len * 0.6, len * 0.18);
  Buffer crack = Noise(seed + 1, 0.08, 5000, 2000, 1, 0.015, 0.0005);
  Buffer out = Mix({{boom, 1.0f}, {thump, 0.9f}, {crack, 0.35f}});
  Reverb rv(1.2, 0.4f);
  Buffer tail(out.size() + static_cast<size_t>(Samples(0.4)), 0.0f);
  for (size_t i = 0; i < tail.size(); ++i) {
    const float dry = i < out.size() ? out[i] : 0.0f;
    tail[i] = dry + rv.Process(dry) * 0.35f;
  }
  return Finish(tail, 0.9f, 0.2);
}

Buffer Parabomb() {
  Buffer b = Explosion(0.9, 51, 70);
  Add(b, Tone(1400, 300, 0.5, kSquare, 0.2, 0.01), Samples(0.05), 0.08f);
  Add(b, Noise(52, 0.6, 6000, 9000, 2, 0.25, 0.05), Samples(0.1), 0.3f);
  return Finish(b, 0.9f, 0.1);
}

Buffer Resize() {
  Buffer b(static_cast<size_t>(Samples(0.55)));
  double ph = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double f = 220 * std::pow(2.5, t / 0.55) * (1 + 0.08 * std::sin(2 * kPi * 14 * t));
    ph += f / kRate;
    b[i] = (Tri(ph) * 0.8f + Sine(2 * ph) * 0.2f) * Adsr(t, 0.45, 0.01, 0.1, 0.7, 0.1);
  }
  return Finish(b, 0.6f, 0.05);
}

Buffer Boss() {
  Buffer b(static_cast<size_t>(Samples(1.3)));
  double p1 = 0, p2 = 0;
  Svf lp;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    p1 += 73.4 / kRate;
    p2 += 110.0 * (1 - 0.03 * t) / kRate;
    const float v = Saw(p1) * 0.6f + Saw(p2) * 0.4f;
    b[i] = lp.Process(v, 300 + 900 * Decay(t, 0.4), 1.2, 0) * Adsr(t, 1.0, 0.08, 0.3, 0.7, 0.3);
  }
  return Finish(b, 0.8f, 0.1);
}

Buffer Crumble(uint32_t seed, double len) {
  Rng rng(seed);
  Buffer b;
  Add(b, Thump(140, 50, 0.4, 0.12), 0, 1.0f);
  for (int k = 0; k < 14; ++k) {
    const double at = rng.Uniform(0, static_cast<float>(len * 0.7));
    Add(b, Noise(seed + 7 + static_cast<uint32_t>(k), 0.08, rng.Uniform(600, 2500), 400, 1, 0.02, 0.001, 1.5),
        Samples(at), rng.Uniform(0.2f, 0.6f) * static_cast<float>(1 - at / len));
  }
  return Finish(b, 0.85f, 0.05);
}

Buffer Thud() {
  return Finish(Mix({{Thump(160, 55, 0.3, 0.07), 1.0f}, {Noise(61, 0.08, 900, 300, 0, 0.02), 0.6f}}), 0.85f);
}

// --------------------------------------------------------------- money and rewards

Buffer Coin(double f, uint32_t seed) {
  (void)seed;
  return Mix({{Bell(f, 0.35, {1, 2.0, 3.01, 4.2}, 0.09, 0.45), 1.0f}, {Bell(f * 1.5, 0.3, {1, 2.0}, 0.07, 0.4), 0.5f}});
}

Buffer Coins(uint32_t seed, int count, double spread) {
  Rng rng(seed);
  Buffer b;
  for (int k = 0; k < count; ++k)
    Add(b, Coin(rng.Uniform(1900, 2700), seed + static_cast<uint32_t>(k)),
        Samples(k * spread / count + rng.Uniform(0, 0.02f)), rng.Uniform(0.5f, 1.0f));
  return Finish(b, 0.7f, 0.05);
}

Buffer Chest() {
  Rng rng(71);
  Buffer creak(static_cast<size_t>(Samples(0.3)));
  double ph = 0;
  Svf bp;
  for (size_t i = 0; i < creak.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    ph += (160 + 60 * t / 0.3 + 25 * std::sin(2 * kPi * 23 * t)) / kRate;
    creak[i] = bp.Process(Saw(ph) + rng.Noise() * 0.2f, 900, 4.0, 1) * Adsr(t, 0.25, 0.02, 0.1, 0.8, 0.05);
  }
  Buffer b;
  Add(b, creak, 0, 0.7f);
  Add(b, Coins(72, 5, 0.3), Samples(0.25), 0.8f);
  return Finish(b, 0.75f, 0.05);
}

Buffer Arpeggio(const std::vector<double>& notes, double step, double tau, Wave w, float sparkle) {
  Buffer b;
  for (size_t k = 0; k < notes.size(); ++k) {
    const double f = Midi(notes[k]);
    Buffer n = Tone(f, f, tau * 4, w, tau, 0.003);
    Add(n, Bell(f * 2, tau * 3, {1, 2.0, 3.0}, tau * 0.7, 0.4), 0, sparkle);
    Add(b, n, Samples(step * static_cast<double>(k)));
  }
  Reverb rv(1.0, 0.3f);
  Buffer out(b.size() + static_cast<size_t>(Samples(0.5)), 0.0f);
  for (size_t i = 0; i < out.size(); ++i) {
    const float dry = i < b.size() ? b[i] : 0.0f;
    out[i] = dry + rv.Process(dry) * 0.3f;
  }
  return Finish(out, 0.75f, 0.2);
}

Buffer Stars() { return Arpeggio({84, 88, 91, 96, 100}, 0.07, 0.12, kSine, 0.5f); }
Buffer Trophy() { return Arpeggio({72, 76, 79, 84, 79, 84, 88}, 0.11, 0.2, kTri, 0.4f); }
Buffer ScoreTick() { return Finish(Tone(2200, 2000, 0.035, kSine, 0.008, 0.0005), 0.35f, 0.005); }
Buffer CompleteClock() {
  return Finish(Mix({{Tick(3000), 1.0f}, {Bell(1500, 0.25, {1, 2.0, 3.0}, 0.06, 0.4), 0.5f}}), 0.5f, 0.03);
}

Buffer Thermometer() {
  Rng rng(81);
  Buffer b(static_cast<size_t>(Samples(1.1)));
  double ph = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    ph += (300 * std::pow(3.0, t / 1.1)) / kRate;
    b[i] = Tri(ph) * (0.6f + 0.4f * Sine(9 * t)) * Adsr(t, 1.0, 0.05, 0.1, 0.8, 0.1) * 0.6f;
  }
  for (int k = 0; k < 9; ++k)
    Add(b, Tone(rng.Uniform(500, 1400), rng.Uniform(1500, 2500), 0.06, kSine, 0.02), Samples(0.1 * k + 0.05), 0.35f);
  return Finish(b, 0.6f, 0.08);
}

// --------------------------------------------------------------- level machinery

Buffer Motor(double len, double f, uint32_t seed) {
  Rng rng(seed);
  Buffer b(static_cast<size_t>(Samples(len)));
  double ph = 0;
  Svf lp;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    ph += f * (0.7 + 0.3 * std::min(1.0, t / 0.2)) / kRate;
    const float v = Square(ph, 0.3) * 0.5f + rng.Noise() * 0.5f;
    b[i] = lp.Process(v, 600, 1.0, 0) * Adsr(t, len - 0.15, 0.08, 0.1, 0.8, 0.15);
  }
  return Finish(b, 0.6f, 0.05);
}

Buffer Rolling() {
  Rng rng(91);
  Buffer b = Motor(0.9, 38, 92);
  for (int k = 0; k < 10; ++k)
    Add(b, Noise(93 + static_cast<uint32_t>(k), 0.03, 1500, 800, 1, 0.008), Samples(0.08 * k + rng.Uniform(0, 0.02f)), 0.25f);
  return Finish(b, 0.6f, 0.1);
}

Buffer Pusher() {
  Buffer b;
  Add(b, Noise(101, 0.35, 5000, 2000, 2, 0.12, 0.02), 0, 0.5f);
  Add(b, Thump(200, 80, 0.25, 0.06), Samples(0.28), 1.0f);
  Add(b, Bell(400, 0.2, {1, 2.7}, 0.05, 0.5), Samples(0.28), 0.3f);
  return Finish(b, 0.7f, 0.05);
}

Buffer ClockWarning() {
  // One second, two ticks: loops as an urgent tick-tock.
  Buffer b(static_cast<size_t>(Samples(1.0)), 0.0f);
  Add(b, Tick(2600), 0, 1.0f);
  Add(b, Tick(2000), Samples(0.5), 0.9f);
  b.resize(static_cast<size_t>(Samples(1.0)));
  Normalize(b, 0.5f);
  return b;
}

Buffer Alarm(int beeps, double gap) {
  Buffer b;
  for (int k = 0; k < beeps; ++k) {
    const double f = k % 2 == 0 ? 880 : 660;
    Buffer n(static_cast<size_t>(Samples(gap * 0.8)));
    double ph = 0;
    for (size_t i = 0; i < n.size(); ++i) {
      const double t = static_cast<double>(i) / kRate;
      ph += f / kRate;
      n[i] = (Square(ph) * 0.4f + Sine(ph) * 0.6f) * Adsr(t, gap * 0.7, 0.005, 0.02, 0.8, gap * 0.1);
    }
    Add(b, n, Samples(gap * k));
  }
  Svf lp;
  for (float& v : b) v = lp.Process(v, 3000, 0.8, 0);
  return Finish(b, 0.55f, 0.02);
}

// --------------------------------------------------------------- ray

Buffer RayHum() {
  Buffer b(static_cast<size_t>(Samples(0.7)));
  double p1 = 0, p2 = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    p1 += 440 * (1 + 0.02 * std::sin(2 * kPi * 6 * t)) / kRate;
    p2 += 663 / kRate;
    b[i] = (Saw(p1) * 0.4f + Sine(p2) * 0.4f + Sine(2 * p1) * 0.2f) * (0.8f + 0.2f * Sine(30 * t));
  }
  Svf lp;
  for (float& v : b) v = lp.Process(v, 2500, 1.0, 0);
  return Finish(b, 0.5f, 0.02);
}

Buffer RaySweep(bool up) {
  Buffer b = Tone(up ? 150 : 900, up ? 900 : 120, up ? 0.5 : 0.45, kSaw, 1.0, 0.01);
  Svf lp;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = lp.Process(b[i], 1800, 1.5, 0) * Adsr(t, up ? 0.45 : 0.3, 0.02, 0.05, 0.8, 0.12);
  }
  Add(b, Noise(up ? 111 : 112, 0.4, up ? 500 : 5000, up ? 5000 : 500, 1, 0.3, 0.02, 2.0), 0, 0.3f);
  return Finish(b, 0.6f, 0.05);
}

// --------------------------------------------------------------- creatures and story

Buffer Squelch(double f, uint32_t seed) {
  Buffer b = Tone(f * 0.6, f * 1.8, 0.25, kSquare, 0.08, 0.005, 12);
  Svf lp;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] = lp.Process(b[i], 500 + 3000 * t / 0.25, 3.0, 0);
  }
  Add(b, Noise(seed, 0.1, 800, 2500, 1, 0.03, 0.002, 2), 0, 0.4f);
  return Finish(b, 0.6f, 0.03);
}

Buffer Squeak() { return Finish(Tone(1200, 2400, 0.12, kTri, 0.05, 0.004, 20), 0.5f, 0.02); }

Buffer Portal() {
  Buffer b;
  for (int k = 0; k < 5; ++k) {
    const double f = Midi(60 + 7 * k % 24 + 12);
    Add(b, Tone(f * 0.5, f, 1.6, kSine, 0.9, 0.3, 5 + k), Samples(0.08 * k), 0.5f);
  }
  Add(b, Noise(121, 1.6, 400, 8000, 1, 0.9, 0.4, 3.0), 0, 0.25f);
  Reverb rv(1.3, 0.2f);
  Buffer out(b.size() + static_cast<size_t>(Samples(0.6)), 0.0f);
  for (size_t i = 0; i < out.size(); ++i) {
    const float dry = i < b.size() ? b[i] : 0.0f;
    out[i] = dry * 0.7f + rv.Process(dry) * 0.5f;
  }
  return Finish(out, 0.7f, 0.3);
}

Buffer Hammer() {
  Buffer b;
  for (int k = 0; k < 3; ++k) {
    Add(b, Thump(300, 120, 0.15, 0.03), Samples(0.28 * k), 1.0f);
    Add(b, Bell(900 + 60 * k, 0.15, {1, 2.3, 3.9}, 0.03, 0.5), Samples(0.28 * k), 0.35f);
    Add(b, Noise(131 + static_cast<uint32_t>(k), 0.05, 3000, 1500, 1, 0.01), Samples(0.28 * k), 0.4f);
  }
  return Finish(b, 0.75f, 0.05);
}

Buffer Gravel() {
  Rng rng(141);
  Buffer b;
  for (int k = 0; k < 4; ++k)
    Add(b, Noise(142 + static_cast<uint32_t>(k), 0.18, 2500, 900, 1, 0.08, 0.02, 1.2), Samples(0.2 * k + rng.Uniform(0, 0.03f)),
        0.8f);
  return Finish(b, 0.6f, 0.05);
}

Buffer Stone(uint32_t seed, double f) {
  return Finish(Mix({{Thump(f, f * 0.45, 0.35, 0.08), 1.0f},
                     {Noise(seed, 0.3, 1500, 300, 0, 0.08, 0.002), 0.7f},
                     {Noise(seed + 1, 0.4, 3000, 1200, 1, 0.12, 0.05, 2.0), 0.25f}}),
                0.85f, 0.05);
}

Buffer TypeTick() {
  return Finish(Mix({{Noise(151, 0.025, 4000, 3000, 1, 0.004, 0.0003, 2.5), 1.0f}, {Tone(1300, 1100, 0.02, kSine, 0.004), 0.3f}}),
                0.3f, 0.004);
}

}  // namespace

std::vector<SoundSpec> AllSounds() {
  using F = std::function<Buffer()>;
  std::vector<SoundSpec> s = {
      {"SOUND_BT_CLICK", "bt_click", 0, F(Click)},
      {"SOUND_COMICS_CLICK", "comics_click", 0, F(SoftClick)},
      {"SOUND_SLIDE_IN", "slide_in", 0, [] { return Whoosh(true, 0.45, 201); }},
      {"SOUND_SLIDE_OUT", "slide_out", 0, [] { return Whoosh(false, 0.4, 202); }},
      {"SOUND_FLYING_TEXT", "flying_text", 0, [] { return Whoosh(true, 0.3, 203); }},
      {"SOUND_DIALOG_PRINT", "dialog_print", 0, F(TypeTick)},
      {"SOUND_SCORE_COUNT", "score_count", 0, F(ScoreTick)},
      {"SOUND_BLOCK_RELEASE", "block_release", 0, F(Release)},
      {"SOUND_BLOCK_REMOVE_01", "block_remove_01", 0, [] { return Pop(420); }},
      {"SOUND_BLOCK_REMOVE_02", "block_remove_02", 0, [] { return Pop(500); }},
      {"SOUND_BLOCK_REMOVE_03", "block_remove_03", 0, [] { return Pop(590); }},
      {"SOUND_BLOCK_REMOVE_04", "block_remove_04", 0, [] { return Pop(700); }},
      {"SOUND_BLOCK_ARMOR", "block_armor", 0, F(Armor)},
      {"SOUND_BLOCK_ELECTRO", "block_electro", 0, F(Electro)},
      {"SOUND_BLOCK_ICE", "block_ice", 0, F(Ice)},
      {"SOUND_BONUS_EXPLOSION", "bonus_explosion", 0, [] { return Explosion(1.1, 211, 60); }},
      {"SOUND_BONUS_PARABOMB", "bonus_parabomb", 0, F(Parabomb)},
      {"SOUND_BONUS_RESIZE", "bonus_resize", 0, F(Resize)},
      {"SOUND_BOSS", "boss", 0, F(Boss)},
      {"SOUND_BRICK_EXPLOSION", "brick_explosion", 0, [] { return Crumble(221, 0.8); }},
      {"SOUND_BRICK_FALL", "brick_fall", 0, F(Thud)},
      {"SOUND_CHEST", "chest", 0, F(Chest)},
      {"SOUND_CHEST_COINS", "chest_coins", 0, [] { return Coins(231, 6, 0.35); }},
      {"SOUND_COMPLETE_COINS", "complete_coins", 0, [] { return Coins(232, 4, 0.18); }},
      {"SOUND_COMPLETE_STARS", "complete_stars", 0, F(Stars)},
      {"SOUND_COMPLETE_CLOCK", "complete_clock", 0, F(CompleteClock)},
      {"SOUND_THERMOMETER", "thermometer", 0, F(Thermometer)},
      {"SOUND_TROPHY", "trophy", 0, F(Trophy)},
      {"SOUND_CLOCK_WARNING", "clock_warning", 1, F(ClockWarning)},
      {"SOUND_REDLINE_WARNING", "redline_warning", 0, [] { return Alarm(4, 0.3); }},
      {"SOUND_RED_LINE", "red_line", 0, [] { return Alarm(1, 0.3); }},
      {"SOUND_FLOOR", "floor", 0, [] { return Motor(0.7, 45, 241); }},
      {"SOUND_TROLLEY_OUT", "trolley_out", 0, F(Rolling)},
      {"SOUND_PUSHER", "pusher", 0, F(Pusher)},
      {"SOUND_RAY", "ray", 0, F(RayHum)},
      {"SOUND_RAY_START", "ray_start", 0, [] { return RaySweep(true); }},
      {"SOUND_RAY_END", "ray_end", 0, [] { return RaySweep(false); }},
      {"SOUND_PARAZITE_CAPTURE", "parazite_capture", 0, [] { return Squelch(300, 251); }},
      {"SOUND_PARAZITE_CLICK", "parazite_click", 0, F(Squeak)},
      {"SOUND_PARAZITE_REMOVE", "parazite_remove", 0, [] { return Squelch(520, 252); }},
      {"SOUND_PARAZITE_REMOVE_VILLAGE", "parazite_remove_village", 0, [] { return Squelch(600, 253); }},
      {"SOUND_PORTAL", "portal", 0, F(Portal)},
      {"SOUND_BUILD_START", "build_start", 0, F(Hammer)},
      {"SOUND_BUILD_ROAD", "build_road", 0, F(Gravel)},
      {"SOUND_COMICS_EXPLOSION", "comics_explosion", 0, [] { return Explosion(2.0, 261, 45); }},
      {"SOUND_COMICS_STONE_01", "comics_stone_01", 0, [] { return Stone(271, 120); }},
      {"SOUND_COMICS_STONE_02", "comics_stone_02", 0, [] { return Stone(272, 95); }},
  };
  return s;
}

}  // namespace kelp::audio
