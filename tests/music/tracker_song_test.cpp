// The song's flow and length (ordinary, looping, jumping and broken songs),
// its end or loop while playing, and the mixed output.
#include <gtest/gtest.h>

#include <functional>

#include "tracker_song.h"

using namespace kelp;
using namespace trackertest;

namespace {

constexpr int kTick = 882;  // frames of a tick at tempo 125

std::vector<int16_t> Render(TrkMod_Mixer& m, int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2 + 2, 0x5A5A);
  m.FillBuffer(reinterpret_cast<uint8_t*>(out.data()), frames * 4);
  EXPECT_EQ(out[static_cast<size_t>(frames) * 2], 0x5A5A) << "written past the request";
  out.resize(static_cast<size_t>(frames) * 2);
  return out;
}

}  // namespace

TEST(TrackerSong, FramesPerTickAndTiming) {
  SongBuilder b;
  TrkMod_Mixer& m = *b.m;
  for (auto [tempo, frames] : {std::pair{125, 882}, {32, 3445}, {255, 432}, {0, 3445}, {-5, 3445}, {100000, 432}}) {
    m.Tempo = tempo;
    EXPECT_EQ(m.FramesPerTick(), frames) << tempo;
  }
  m.Tempo = 125;
  m.SetTiming(31);
  EXPECT_EQ(m.Speed, 31);
  m.SetTiming(32);
  EXPECT_EQ(m.Tempo, 32);
  m.SetTiming(0);
  EXPECT_EQ(m.Speed, 31);
  EXPECT_EQ(m.Tempo, 32);
}

TEST(TrackerSong, Length) {
  struct Case {
    const char* name;
    int patterns;
    std::function<void(SongBuilder&)> setup;
    int64_t frames;
  } cases[] = {
      {"ordinary", 2, [](SongBuilder&) {}, 128 * 6 * kTick},
      {"loops on itself at its end", 1, [](SongBuilder& b) { b.Cell(0, 63, 0, 0, 0, 0, 11, 0); }, 64 * 6 * kTick},
      {"loops on itself midway", 1, [](SongBuilder& b) { b.Cell(0, 16, 0, 0, 0, 0, 11, 0); }, 17 * 6 * kTick},
      {"breaks past its last position", 1, [](SongBuilder& b) { b.Cell(0, 16, 0, 0, 0, 0, 13, 20); }, 17 * 6 * kTick},
      {"loops back from its second pattern", 2, [](SongBuilder& b) { b.Cell(1, 63, 0, 0, 0, 0, 11, 1); },
       128 * 6 * kTick},
      {"jumps forward", 3, [](SongBuilder& b) { b.Cell(0, 0, 0, 0, 0, 0, 11, 2); }, 65 * 6 * kTick},
      {"breaks to a line", 2, [](SongBuilder& b) { b.Cell(0, 10, 0, 0, 0, 0, 13, 5); }, (11 + 59) * 6 * kTick},
      {"breaks to the line count", 2, [](SongBuilder& b) { b.Cell(0, 0, 0, 0, 0, 0, 13, 64); }, 65 * 6 * kTick},
      {"jump and break on a line", 3,
       [](SongBuilder& b) { b.Cell(0, 3, 0, 0, 0, 0, 11, 2).Cell(0, 3, 1, 0, 0, 0, 13, 10); }, (4 + 54) * 6 * kTick},
      {"break and jump on a line", 3,
       [](SongBuilder& b) { b.Cell(0, 3, 0, 0, 0, 0, 13, 10).Cell(0, 3, 1, 0, 0, 0, 11, 2); }, (4 + 54) * 6 * kTick},
      {"jumps past the order list", 1, [](SongBuilder& b) { b.Cell(0, 5, 0, 0, 0, 0, 11, 0x7F); }, 6 * 6 * kTick},
      {"pattern loop", 1, [](SongBuilder& b) { b.Cell(0, 4, 0, 0, 0, 0, 14, 0x60).Cell(0, 7, 0, 0, 0, 0, 14, 0x62); },
       72 * 6 * kTick},
      {"pattern loop of line 0", 1, [](SongBuilder& b) { b.Cell(0, 0, 0, 0, 0, 0, 14, 0x61); }, 65 * 6 * kTick},
      {"pattern loop after a break", 2,
       [](SongBuilder& b) { b.Cell(0, 0, 0, 0, 0, 0, 13, 0).Cell(1, 2, 0, 0, 0, 0, 14, 0x61); }, 68 * 6 * kTick},
      {"pattern delay", 1, [](SongBuilder& b) { b.Cell(0, 0, 0, 0, 0, 0, 14, 0xE2); }, 66 * 6 * kTick},
      {"speed 3", 1, [](SongBuilder& b) { b.Cell(0, 0, 0, 0, 0, 0, 15, 3); }, 64 * 3 * kTick},
      {"tempo 32", 1, [](SongBuilder& b) { b.Cell(0, 0, 0, 0, 0, 0, 15, 32); }, 64 * 6 * 3445},
      {"speed 0 in the header", 1, [](SongBuilder& b) { b.m->DefaultSpeed = 0; }, 64 * kTick},
      {"tempo 0 in the header", 1, [](SongBuilder& b) { b.m->DefaultTempo = 0; }, 64 * 6 * 3445},
      {"order names a missing pattern", 1, [](SongBuilder& b) { b.Order({0, 7}); }, 64 * 6 * kTick},
      {"order past the patterns", 1, [](SongBuilder& b) { b.Order({300, 0}); }, 0},
      {"no order entry at all", 1, [](SongBuilder& b) { b.m->SongPattern.clear(); }, 0},
  };
  for (const Case& c : cases) {
    SongBuilder b(2, c.patterns, 64);
    c.setup(b);
    b.m->CalcSize();
    EXPECT_EQ(b.m->STREAM_SIZE, c.frames) << c.name;
    EXPECT_EQ(b.m->CurrentSongPattern, 0) << c.name << ": back at the start";
    EXPECT_EQ(b.m->Geti(PROP_STREAM_SIZE), c.frames) << c.name;
  }
}

TEST(TrackerSong, AHopelessSongIsMeasuredUpToTheLimit) {
  SongBuilder b(1, 1, 64);
  b.m->DefaultSpeed = 255;
  const int saved = TrkMod_Mixer::MaxSongFrames;
  TrkMod_Mixer::MaxSongFrames = 44100 * 60;
  b.m->CalcSize();
  EXPECT_EQ(b.m->STREAM_SIZE, 44100 * 60);
  TrkMod_Mixer::MaxSongFrames = saved;
}

TEST(TrackerSong, EndsOrLoopsWhilePlaying) {
  for (int loop : {0, 1}) {
    SongBuilder b(1, 1, 4);
    b.Cell(0, 0, 0, 77, 1);
    b.m->CalcSize();
    const int length = b.m->STREAM_SIZE;
    ASSERT_EQ(length, 4 * 6 * kTick);
    TrkMod_Mixer& m = b.Start(loop);
    Render(m, length - 100);
    EXPECT_EQ(m.PlayStatus, 1);
    const std::vector<int16_t> out = Render(m, 2000);
    if (loop) {
      EXPECT_EQ(m.PlayStatus, 1);
      EXPECT_EQ(m.CurrentSongPattern, 0);
      int loud = 0;
      for (size_t i = 400; i < out.size(); ++i) loud += out[i] != 0;
      EXPECT_GT(loud, 1000) << "the note plays again";
    } else {
      EXPECT_EQ(m.PlayStatus, 0);
      for (size_t i = 2 * 200; i < out.size(); ++i) ASSERT_EQ(out[i], 0) << "silence after the end, at " << i;
    }
  }
}

TEST(TrackerSong, NoPatternIsAnEmptySongThatEnds) {
  auto m = New<TrkMod_Mixer>();
  m->Init(4);
  m->CalcSize();
  EXPECT_EQ(m->STREAM_SIZE, 0);
  m->PlayStatus = 1;
  const std::vector<int16_t> out = Render(*m, 1000);
  EXPECT_EQ(m->PlayStatus, 0);
  for (int16_t v : out) ASSERT_EQ(v, 0);
}

TEST(TrackerSong, OutputLimitsPanAndPitch) {
  struct Case {
    uint8_t value;
    int16_t want;
  } limits[] = {{0x7F, 32767}, {0x80, -32766}};
  for (const Case& c : limits) {
    SongBuilder b(1, 1, 64);
    b.m->Instrument[1]->Sample[0]->ConvertSampleFromBank(std::vector<uint8_t>(1000, c.value), 1);
    b.Cell(0, 0, 0, 77, 1);
    TrkMod_Mixer& m = b.Start();
    m.MixLevel = 4;
    const std::vector<int16_t> out = Render(m, 1000);
    EXPECT_EQ(out[2 * 500], c.want);
    EXPECT_EQ(out[2 * 500 + 1], c.want);
    // The first samples after the note fade in from silence rather than click.
    EXPECT_LT(std::abs(out[0]), std::abs(c.want) / 16);
  }

  // Hard left: nothing on the right.
  SongBuilder left(1, 1, 64);
  left.Cell(0, 0, 0, 77, 1, 0, 8, 0x00);
  const std::vector<int16_t> l = Render(left.Start(), 2000);
  int rightSum = 0, leftSum = 0;
  for (size_t i = 0; i < l.size(); i += 2) {
    leftSum += std::abs(l[i]);
    rightSum += std::abs(l[i + 1]);
  }
  EXPECT_GT(leftSum, 0);
  EXPECT_EQ(rightSum, 0);

  // The square of 20 samples at note 77 is 2205 Hz, an octave down 1102.5 Hz.
  for (auto [note, hz] : {std::pair{77, 2205.0}, {65, 1102.5}}) {
    SongBuilder b(1, 1, 64);
    b.Cell(0, 0, 0, note, 1);
    const std::vector<int16_t> out = Render(b.Start(), 44100);
    int crossings = 0;
    for (size_t i = 2; i < out.size(); i += 2) crossings += (out[i] >= 0) != (out[i - 2] >= 0);
    EXPECT_NEAR(crossings / 2.0, hz, 2) << note;
  }
}
