// The tracker player against an independent one (libxmp, test-only) on the
// project's own modules: the fixture songs of the writer and the data set's
// credits piece. Compared: song length, the loudness shape over time and the
// pitch of a held note; never sample for sample, because the player differs
// on purpose (docs/tracker.md lists how).
//
// Stated tolerances:
// - length within 1 % + 40 ms;
// - the per-tick RMS curves of both renders (each scaled to its own mean)
//   correlate at 0.9 or better;
// - a held note's pitch within 30 cents (our linear pitch plays XM C-4 at
//   8259 Hz against 8363 Hz: -22 cents; MOD period 428 at -6 cents).
#include <gtest/gtest.h>
#include <xmp.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "credits_module.h"
#include "module_writer.h"
#include "music/trk_loaders.h"
#include "platform/stream.h"

using namespace kelp;
using kelp::modwrite::Cell;
using kelp::modwrite::Song;

namespace {

constexpr int kRate = 44100;
constexpr int kBlock = 882;  // the RMS window: one tick at tempo 125
constexpr double kMaxSeconds = 40;

struct Render {
  double seconds = 0;         // one pass of the song
  std::vector<double> mono;   // (L + R) / 2, at most kMaxSeconds
};

Render Ours(const std::string& bytes, bool xm) {
  auto s = platform::OpenMemory(bytes);
  Ref<TrkMod_Mixer> m = xm ? LoadXm(*s) : LoadMod(*s);
  Render r;
  if (!m) return r;
  r.seconds = static_cast<double>(m->STREAM_SIZE) / kRate;
  m->STREAM_LOOP = 0;
  m->PlayStatus = 1;
  const int frames = static_cast<int>(std::min(r.seconds, kMaxSeconds) * kRate);
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
  m->FillBuffer(reinterpret_cast<uint8_t*>(out.data()), frames * 4);
  for (int i = 0; i < frames; ++i) r.mono.push_back((out[2 * static_cast<size_t>(i)] + out[2 * static_cast<size_t>(i) + 1]) / 2.0);
  return r;
}

Render Reference(const std::string& bytes) {
  Render r;
  xmp_context ctx = xmp_create_context();
  if (xmp_load_module_from_memory(ctx, bytes.data(), static_cast<long>(bytes.size())) != 0) {
    xmp_free_context(ctx);
    return r;
  }
  xmp_start_player(ctx, kRate, 0);
  xmp_set_player(ctx, XMP_PLAYER_INTERP, XMP_INTERP_LINEAR);
  xmp_set_player(ctx, XMP_PLAYER_MIX, 100);
  xmp_frame_info fi;
  xmp_get_frame_info(ctx, &fi);
  r.seconds = fi.total_time / 1000.0;
  while (xmp_play_frame(ctx) == 0) {
    xmp_get_frame_info(ctx, &fi);
    if (fi.loop_count > 0 || r.mono.size() >= kMaxSeconds * kRate) break;
    const int16_t* b = static_cast<const int16_t*>(fi.buffer);
    for (int i = 0; i + 1 < fi.buffer_size / 2; i += 2) r.mono.push_back((b[i] + b[i + 1]) / 2.0);
  }
  xmp_end_player(ctx);
  xmp_release_module(ctx);
  xmp_free_context(ctx);
  return r;
}

std::vector<double> Rms(const std::vector<double>& x) {
  std::vector<double> out;
  for (size_t i = 0; i + kBlock <= x.size(); i += kBlock) {
    double s = 0;
    for (size_t k = i; k < i + kBlock; ++k) s += x[k] * x[k];
    out.push_back(std::sqrt(s / kBlock));
  }
  return out;
}

double Correlation(std::vector<double> a, std::vector<double> b) {
  const size_t n = std::min(a.size(), b.size());
  a.resize(n);
  b.resize(n);
  double ma = 0, mb = 0;
  for (size_t i = 0; i < n; ++i) {
    ma += a[i];
    mb += b[i];
  }
  ma /= n;
  mb /= n;
  double sab = 0, saa = 0, sbb = 0;
  for (size_t i = 0; i < n; ++i) {
    sab += (a[i] - ma) * (b[i] - mb);
    saa += (a[i] - ma) * (a[i] - ma);
    sbb += (b[i] - mb) * (b[i] - mb);
  }
  return saa > 0 && sbb > 0 ? sab / std::sqrt(saa * sbb) : 1.0;
}

// Zero crossings per second / 2 between two times.
double Frequency(const std::vector<double>& x, double from, double to) {
  const size_t a = static_cast<size_t>(from * kRate), b = std::min(x.size(), static_cast<size_t>(to * kRate));
  int crossings = 0;
  for (size_t i = a + 1; i < b; ++i) crossings += (x[i] >= 0) != (x[i - 1] >= 0);
  return crossings / 2.0 / ((b - a) / static_cast<double>(kRate));
}

modwrite::Sample Tone(bool sixteen, int period = 64) {
  modwrite::Sample s;
  s.sixteenBit = sixteen;
  for (int i = 0; i < period * 16; ++i) s.data.push_back(static_cast<int16_t>(12000 * std::sin(2 * M_PI * i / period)));
  s.loopType = 1;
  s.loopLength = static_cast<int>(s.data.size());
  return s;
}

// A small song: a melody on channel 0 whose loudness steps (one voice, so
// no beating between voices at slightly different pitches hides the shape),
// plus what `extra` adds.
Song Fixture(int channels, bool xm, const std::function<void(Song&)>& extra) {
  Song song;
  song.channels = channels;
  modwrite::Instrument in;
  in.samples.push_back(Tone(xm));
  song.instruments = {in};
  song.patterns.resize(2);
  for (int p = 0; p < 2; ++p) {
    for (int row = 0; row < 64; row += 4) {
      Cell& c = song.patterns[static_cast<size_t>(p)].At(row, 0);
      c.note = 37 + (row / 4 * 5 + p * 3) % 24;
      c.inst = 1;
      if (row % 16 == 8) {
        c.fx = 12;
        c.param = 0x18;  // quieter
      }
    }
  }
  song.order = {0, 1};
  extra(song);
  return song;
}

struct Case {
  const char* name;
  bool xm;
  std::function<Song()> song;
};

}  // namespace

TEST(TrackerReference, LengthAndLoudnessAgreeWithAnIndependentPlayer) {
  const Case cases[] = {
      {"MOD ordinary", false, [] { return Fixture(4, false, [](Song&) {}); }},
      {"MOD loops on itself", false, [] { return Fixture(4, false, [](Song& s) { s.patterns[1].At(40, 2) = {0, 0, 0, 11, 1}; }); }},
      {"MOD jumps forward", false,
       [] { return Fixture(4, false, [](Song& s) { s.order = {0, 1, 1}; s.patterns[0].At(20, 2) = {0, 0, 0, 11, 2}; }); }},
      {"MOD breaks", false, [] { return Fixture(4, false, [](Song& s) { s.patterns[0].At(31, 3) = {0, 0, 0, 13, 0x16}; }); }},
      {"MOD pattern loop", false,
       [] {
         return Fixture(4, false, [](Song& s) {
           s.patterns[0].At(8, 2) = {0, 0, 0, 14, 0x60};
           s.patterns[0].At(15, 2) = {0, 0, 0, 14, 0x62};
         });
       }},
      {"MOD speed and tempo", false,
       [] {
         return Fixture(4, false, [](Song& s) {
           s.patterns[0].At(0, 3) = {0, 0, 0, 15, 4};
           s.patterns[1].At(0, 3) = {0, 0, 0, 15, 150};
         });
       }},
      {"MOD pattern delay", false, [] { return Fixture(4, false, [](Song& s) { s.patterns[0].At(4, 3) = {0, 0, 0, 14, 0xE3}; }); }},
      {"MOD volume slides", false,
       [] {
         return Fixture(4, false, [](Song& s) {
           for (int row = 1; row < 64; row += 4) s.patterns[0].At(row, 0) = {0, 0, 0, 10, row % 8 == 1 ? 0x04 : 0x40};
         });
       }},
      {"MOD tremolo and vibrato", false,
       [] {
         return Fixture(4, false, [](Song& s) {
           for (int row = 1; row < 64; row += 4) s.patterns[1].At(row, 0) = {0, 0, 0, row % 8 == 1 ? 7 : 4, 0x48};
         });
       }},
      {"MOD note cut and delay", false,
       [] {
         return Fixture(4, false, [](Song& s) {
           for (int row = 0; row < 64; row += 8) s.patterns[0].At(row, 0).fx = 14, s.patterns[0].At(row, 0).param = 0xC3;
           for (int row = 4; row < 64; row += 8) s.patterns[1].At(row, 0).fx = 14, s.patterns[1].At(row, 0).param = 0xD2;
         });
       }},
      {"XM ordinary", true, [] { return Fixture(6, true, [](Song&) {}); }},
      {"XM envelope and key-off", true,
       [] {
         return Fixture(4, true, [](Song& s) {
           auto& in = s.instruments[0];
           in.volume.on = true;
           in.volume.points = {{0, 64}, {6, 40}, {20, 40}, {40, 0}};
           in.volume.sustain = 2;
           in.fadeout = 1024;
           for (int row = 2; row < 64; row += 4) s.patterns[0].At(row, 0).note = 97;
         });
       }},
      {"XM volume column", true,
       [] {
         return Fixture(4, true, [](Song& s) {
           for (int row = 0; row < 64; row += 4) s.patterns[1].At(row, 0).vol = 0x10 + row;
         });
       }},
      {"XM tempo", true, [] { return Fixture(4, true, [](Song& s) { s.tempo = 90; s.speed = 5; }); }},
      {"credits", true, [] { return audio::CreditsModule(); }},
  };
  for (const Case& c : cases) {
    const Song song = c.song();
    const std::string bytes = c.xm ? modwrite::WriteXm(song) : modwrite::WriteMod(song);
    const Render ours = Ours(bytes, c.xm);
    const Render ref = Reference(bytes);
    ASSERT_GT(ref.seconds, 0) << c.name << ": the reference cannot read our file";
    EXPECT_NEAR(ours.seconds, ref.seconds, 0.01 * ref.seconds + 0.04) << c.name;
    const double r = Correlation(Rms(ours.mono), Rms(ref.mono));
    EXPECT_GE(r, 0.9) << c.name;
    std::printf("%-28s length %.3f s (reference %.3f s), loudness correlation %.3f\n", c.name, ours.seconds,
                ref.seconds, r);
  }
}

TEST(TrackerReference, PitchOfAHeldNote) {
  for (bool xm : {false, true}) {
    Song song;
    song.channels = 4;
    modwrite::Instrument in;
    in.samples.push_back(Tone(xm));
    song.instruments = {in};
    song.patterns.resize(1);
    song.patterns[0].At(0, 0) = {61, 1, 0, 0, 0};  // C-5
    song.order = {0};
    const std::string bytes = xm ? modwrite::WriteXm(song) : modwrite::WriteMod(song);
    const double ours = Frequency(Ours(bytes, xm).mono, 1, 5);
    const double ref = Frequency(Reference(bytes).mono, 1, 5);
    const double cents = 1200 * std::log2(ours / ref);
    EXPECT_NEAR(cents, 0, 30) << (xm ? "XM" : "MOD") << ": " << ours << " Hz against " << ref << " Hz";
    std::printf("%s held C-5: %.1f Hz (reference %.1f Hz), %+.1f cents\n", xm ? "XM " : "MOD", ours, ref, cents);
  }
}
