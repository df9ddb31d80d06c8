// Each channel effect over the six ticks of a row: pitch, volume, pan.
// Row 0 starts note 48 (C-4) on instrument 1 at full volume, centred; row 1
// holds the effect under test.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "tracker_song.h"

using namespace kelp;
using namespace trackertest;

namespace {

constexpr double s = 4.0 / 85;  // one slide unit, in semitones

enum What { kPitch, kVolume, kPan, kTick, kKeyOff, kPos };

struct Case {
  const char* name;
  int row0Vol;                        // volume column of row 0 (0: none)
  int note, vol, fx, fxv;             // row 1
  What what;
  std::function<double(int)> want;    // by tick 0..5
};

double Measure(const TrkMod_Channel& c, What what) {
  switch (what) {
    case kPitch: return 77 + 12 * std::log2(std::fabs(c.Add));
    case kVolume: return std::clamp(c.Volume + c.TremoloValue, 0.0, 1.0);
    case kPan: return c.Pan;
    case kTick: return c.Tick;
    case kKeyOff: return c.KeyOff;
    case kPos: return c.Pos;
  }
  return 0;
}

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

}  // namespace

TEST(TrackerEffects, OverTheTicksOfARow) {
  const double pi = std::acos(-1.0);
  const Case cases[] = {
      {"arpeggio", 0, 0, 0, 0, 0x37, kPitch, [](int t) { return 48.0 + (t % 3 == 1 ? 3 : t % 3 == 2 ? 7 : 0); }},
      {"portamento up", 0, 0, 0, 1, 4, kPitch, [](int t) { return 48 + 4 * s * (t + 1); }},
      {"portamento down", 0, 0, 0, 2, 4, kPitch, [](int t) { return 48 - 4 * s * (t + 1); }},
      {"tone portamento", 0, 51, 0, 3, 0x10, kPitch, [](int t) { return std::min(51.0, 48 + 16 * s * (t + 1)); }},
      {"vibrato", 0, 0, 0, 4, 0x48, kPitch, [&](int t) { return 48 + s * 8 * std::sin(2 * pi * 4 * t / 65); }},
      {"tone portamento and slide", 0, 51, 0, 5, 0x01, kVolume, [](int t) { return 1 - t / 64.0; }},
      {"vibrato and slide", 0, 0, 0, 6, 0x01, kVolume, [](int t) { return 1 - t / 64.0; }},
      {"tremolo", 0x30, 0, 0, 7, 0x48, kVolume, [&](int t) { return 0.5 + std::sin(2 * pi * 4 * t / 65) * 8 / 64; }},
      {"set pan", 0, 0, 0, 8, 0xC0, kPan, [](int) { return 0.5; }},
      {"sample offset", 0, 48, 0, 9, 0x02, kPos, [](int) { return 512.0; }},
      {"sample offset past the end", 0, 48, 0, 9, 0x10, kPos, [](int) { return 0.0; }},
      {"volume slide down", 0, 0, 0, 10, 0x0F, kVolume, [](int t) { return Clamp01(1 - 15.0 * t / 64); }},
      {"volume slide up", 0x30, 0, 0, 10, 0x20, kVolume, [](int t) { return Clamp01(0.5 + 2.0 * t / 64); }},
      {"set volume", 0, 0, 0, 12, 0x20, kVolume, [](int) { return 0.5; }},
      {"fine portamento up", 0, 0, 0, 14, 0x12, kPitch, [](int) { return 48 + 2 * s; }},
      {"fine portamento down", 0, 0, 0, 14, 0x22, kPitch, [](int) { return 48 - 2 * s; }},
      {"fine tune", 0, 0, 0, 14, 0x5F, kPitch, [](int) { return 48 - 0.125; }},
      {"set pan (fine)", 0, 0, 0, 14, 0x84, kPan, [](int) { return -0.5; }},
      {"retrigger", 0, 0, 0, 14, 0x93, kTick, [](int t) { return static_cast<double>(t % 3); }},
      {"fine volume up", 0x30, 0, 0, 14, 0xA2, kVolume, [](int) { return 0.5 + 2 / 64.0; }},
      {"fine volume down", 0, 0, 0, 14, 0xB2, kVolume, [](int) { return 1 - 2 / 64.0; }},
      {"note cut", 0, 0, 0, 14, 0xC3, kVolume, [](int t) { return t < 3 ? 1.0 : 0.0; }},
      {"note delay", 0, 51, 0, 14, 0xD2, kPitch, [](int t) { return t < 2 ? 48.0 : 51.0; }},
      {"key off", 0, 0, 0, 20, 2, kKeyOff, [](int t) { return t < 2 ? 0.0 : 1.0; }},
      {"extra fine portamento", 0, 0, 0, 33, 0x12, kPitch, [](int) { return 48 + 2 * s / 4; }},
      {"volume column: set", 0, 0, 0x30, 0, 0, kVolume, [](int) { return 0.5; }},
      {"volume column: slide down", 0, 0, 0x65, 0, 0, kVolume, [](int t) { return 1 - 5.0 * t / 64; }},
      {"volume column: slide up", 0x30, 0, 0x75, 0, 0, kVolume, [](int t) { return 0.5 + 5.0 * t / 64; }},
      {"volume column: fine down", 0, 0, 0x85, 0, 0, kVolume, [](int) { return 1 - 5 / 64.0; }},
      {"volume column: fine up", 0x30, 0, 0x95, 0, 0, kVolume, [](int) { return 0.5 + 5 / 64.0; }},
      {"volume column: no command", 0x30, 0, 0x55, 0, 0, kVolume, [](int) { return 0.5; }},
      {"volume column: pan", 0, 0, 0xC4, 0, 0, kPan, [](int) { return -0.5; }},
      {"volume column: pan left", 0, 0, 0xD2, 0, 0, kPan, [](int t) { return -2.0 * t / 128; }},
      {"volume column: pan right", 0, 0, 0xE2, 0, 0, kPan, [](int t) { return 2.0 * t / 128; }},
      {"volume column: tone portamento", 0, 51, 0xF8, 0, 0, kPitch, [](int t) { return std::min(51.0, 48 + 8 * s * (t + 1)); }},
  };
  for (const Case& c : cases) {
    SongBuilder b(1, 1, 8);
    b.Cell(0, 0, 0, 48, 1, c.row0Vol);
    b.Cell(0, 1, 0, c.note, 0, c.vol, c.fx, c.fxv);
    TrkMod_Mixer& m = b.Start();
    for (int t = 0; t < 6; ++t) m.Do_Player();
    ASSERT_EQ(m.CurrentLine, 1);
    const TrkMod_Channel& ch = *m.MMC_Channel[0];
    for (int t = 0; t < 6; ++t) {
      m.Do_Player();
      EXPECT_NEAR(Measure(ch, c.what), c.want(t), 1e-9) << c.name << ", tick " << t;
    }
  }
}

TEST(TrackerEffects, PitchOfNotesAndSamples) {
  struct Case {
    int note;
    double fine;
    int relative;
    double add;
  } cases[] = {{77, 0, 0, 1.0}, {65, 0, 0, 0.5}, {89, 0, 0, 2.0}, {65, 0, 12, 1.0}, {77, 0.5, 0, std::exp2(0.5 / 12)}};
  for (const Case& c : cases) {
    SongBuilder b(1, 1, 4);
    b.m->Instrument[1]->Sample[0]->FineTune = c.fine;
    b.m->Instrument[1]->Sample[0]->RelativeNote = c.relative;
    b.Cell(0, 0, 0, c.note, 1);
    TrkMod_Mixer& m = b.Start();
    m.Do_Player();
    EXPECT_NEAR(m.MMC_Channel[0]->Add, c.add, 1e-12) << c.note;
  }
}

TEST(TrackerEffects, KeyOffFadesAtTheInstrumentsRate) {
  for (int fadeout : {0, 2048}) {
    SongBuilder b(1, 1, 4);
    b.m->Instrument[1]->VolFadeout = fadeout;
    b.Cell(0, 0, 0, 48, 1).Cell(0, 1, 0, 96);
    TrkMod_Mixer& m = b.Start();
    for (int t = 0; t < 7; ++t) m.Do_Player();
    const TrkMod_Channel& ch = *m.MMC_Channel[0];
    if (fadeout == 0) {
      EXPECT_EQ(ch.Add, 0) << "silent from the key-off's tick";
    } else {
      EXPECT_NEAR(ch.KeyOffValue, 1 - 2048 * 2 / 65536.0, 1e-12);
      for (int t = 0; t < 5; ++t) m.Do_Player();
      EXPECT_NEAR(ch.KeyOffValue, 1 - 6 * 2048 * 2 / 65536.0, 1e-12);
    }
  }
}

TEST(TrackerEffects, EnvelopeSteersTheVolumeTickByTick) {
  SongBuilder b(1, 1, 8);
  TrkMod_Instrument& in = *b.m->Instrument[1];
  in.VolType = 3;  // on, with a sustain
  for (auto [tick, v] : {std::pair{0, 64}, {4, 32}, {8, 0}}) in.AddVolumeEnvelopePoint(tick, v);
  in.SetVolSustainPoint(2);
  in.VolFadeout = 100;  // slow: the envelope shows after the key-off
  b.Cell(0, 0, 0, 48, 1).Cell(0, 2, 0, 96);
  TrkMod_Mixer& m = b.Start();
  const TrkMod_Channel& ch = *m.MMC_Channel[0];
  std::vector<double> env;
  for (int t = 0; t < 18; ++t) {
    m.Do_Player();
    env.push_back(ch.Env);
  }
  // Falls to the sustain point, holds it until the key-off on row 2 (tick 12), then falls on.
  const std::vector<double> want = {1.0, 0.875, 0.75, 0.625, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5,
                                    0.375, 0.25, 0.125, 0.0, 0.0, 0.0};
  ASSERT_EQ(env.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(env[i], want[i], 1e-9) << "tick " << i;
}
