// MOD files: the tag table, sample headers, cells and their effects as the
// song holds them, and where sample data is found.
#include <gtest/gtest.h>

#include "music/trk_loaders.h"
#include "tracker_fixtures.h"

using namespace kelp;
using namespace trackertest;

TEST(TrackerMod, TagsChannelsAndRefusals) {
  struct Case {
    const char* tag;
    int channels;
    const char* tracker;
  } cases[] = {
      {"M.K.", 4, "Protracker 4 channel"}, {"6CHN", 6, "Fasttracker 6 channel"},
      {"16CH", 16, "Fasttracker 14 channel"}, {"TDZ1", 1, "TakeTracker 1 channel"},
      {"OCTA", 8, "Atari oktalyzer 8 channel"}, {"N.T.", 32, "NoiseTracker 32 channel"},
  };
  const std::string bytes = modwrite::WriteMod(Basic(4));
  for (const Case& c : cases) {
    std::string b = bytes;
    b.replace(1080, 4, c.tag);
    b.resize(1084 + 64 * 4 * static_cast<size_t>(c.channels) + 600, '\0');
    auto m = LoadModBytes(b);
    ASSERT_TRUE(m) << c.tag;
    EXPECT_EQ(m->ActiveChannels, c.channels) << c.tag;
    EXPECT_EQ(static_cast<int>(m->MMC_Channel.size()), c.channels) << c.tag;
    EXPECT_EQ(m->Pattern[0]->TrackCount, c.channels) << c.tag;
    EXPECT_EQ(m->TrackerName, c.tracker);
  }
  std::string unknown = bytes;
  unknown.replace(1080, 4, "XYZW");
  EXPECT_FALSE(LoadModBytes(unknown));
  EXPECT_FALSE(LoadModBytes(bytes.substr(0, 1083)));
  EXPECT_FALSE(LoadModBytes(""));
}

TEST(TrackerMod, EveryEffectLoadsIntoTheSong) {
  // One row per effect: the writer's raw cell, and what the song holds.
  struct Case {
    int fx, param;
    int wantParam;
  } cases[] = {
      {0x0, 0x37, 0x37}, {0x1, 0x04, 0x04}, {0x2, 0x04, 0x04}, {0x3, 0x08, 0x08}, {0x4, 0x46, 0x46},
      {0x5, 0x02, 0x02}, {0x6, 0x20, 0x20}, {0x7, 0x48, 0x48}, {0x8, 0xC0, 0xC0}, {0x9, 0x02, 0x02},
      {0xA, 0x0F, 0x0F}, {0xB, 0x00, 0x00}, {0xC, 0x20, 0x20}, {0xD, 0x32, 32},   {0xE, 0x12, 0x12},
      {0xE, 0x22, 0x22}, {0xE, 0x41, 0x41}, {0xE, 0x5F, 0x5F}, {0xE, 0x63, 0x63}, {0xE, 0x72, 0x72},
      {0xE, 0x84, 0x84}, {0xE, 0x93, 0x93}, {0xE, 0xA2, 0xA2}, {0xE, 0xB2, 0xB2}, {0xE, 0xC3, 0xC3},
      {0xE, 0xD2, 0xD2}, {0xE, 0xE1, 0xE1}, {0xF, 0x03, 0x03}, {0xF, 0x7D, 0x7D},
  };
  modwrite::Song song = Basic(4);
  song.instruments.resize(17, song.instruments[0]);  // instrument 17: both nibbles in use
  int row = 0;
  for (const Case& c : cases) {
    Cell& cell = song.patterns[0].At(row++, 1);
    cell.note = 49;
    cell.inst = row % 2 ? 1 : 17;
    cell.fx = c.fx;
    cell.param = c.param;
  }
  auto m = LoadModBytes(modwrite::WriteMod(song));
  ASSERT_TRUE(m);
  EXPECT_EQ(m->SongName, "fixture");
  EXPECT_EQ(m->ActiveSongPatterns, 0);
  EXPECT_EQ(m->ActiveSamples, 31);
  TrkMod_Pattern& p = *m->Pattern[0];
  EXPECT_EQ(p.LineCount, 64);
  row = 0;
  for (const Case& c : cases) {
    const size_t l = static_cast<size_t>(row++);
    const TrkMod_Track& t = *p.Track[1];
    EXPECT_EQ(t.Note[l], 48) << row;
    EXPECT_EQ(t.Inst[l], row % 2 ? 1 : 17) << row;
    EXPECT_EQ(t.FX[l], c.fx) << row;
    EXPECT_EQ(t.FXV[l], c.wantParam) << row;
  }
  // The Amiga's channel sides: left, right, right, left (set-pan in the volume column).
  for (int ch = 0; ch < 4; ++ch) EXPECT_EQ(p.Track[static_cast<size_t>(ch)]->Vol[0], ch == 0 || ch == 3 ? 192 : 207);
  EXPECT_EQ(p.Track[0]->Note[0], 0);
  p.UpdateText();
  EXPECT_NE(p.LineText[0].find("C 4 01 CF 037"), std::string::npos) << p.LineText[0];
}

TEST(TrackerMod, PeriodsToNotes) {
  struct Case {
    int period, note;
  } cases[] = {{428, 48}, {856, 36}, {425, 48}, {431, 48}, {113, 71}, {14, 107}, {6868, 0}, {9000, 0}, {5, 0}};
  for (const Case& c : cases) EXPECT_EQ(PeriodToNote(c.period), c.note) << c.period;
}

TEST(TrackerMod, SampleHeaders) {
  modwrite::Song song = Basic(4);
  auto sample = [](int words, int loopType, int loopStart, int loopLength, int volume, int finetune) {
    modwrite::Instrument in;
    modwrite::Sample s;
    s.data.assign(static_cast<size_t>(words) * 2, 0x1000);
    s.loopType = loopType;
    s.loopStart = loopStart;
    s.loopLength = loopLength;
    s.volume = volume;
    s.finetune = finetune;
    in.samples.push_back(s);
    return in;
  };
  song.instruments = {
      sample(0, 0, 0, 0, 64, 0),      // 1: nothing
      sample(1, 0, 0, 0, 64, 0),      // 2: one word: no sample
      sample(2, 1, 0, 2, 64, 0),      // 3: loop of one word: no loop
      sample(50, 1, 20, 40, 70, 7),   // 4: volume 70 counts as 64; fine tune +7
      sample(50, 1, 60, 60, 32, -8),  // 5: a loop past the end is cut; fine tune -8
      sample(50, 1, 100, 20, 32, 0),  // 6: a loop that starts past the end is none
  };
  std::string bytes = modwrite::WriteMod(song);
  bytes[20 + 30 * 4 + 24] = 0x1F;  // sample 5: junk above the fine-tune nibble
  auto m = LoadModBytes(bytes);
  ASSERT_TRUE(m);
  auto smp = [&](int i) { return m->Instrument[static_cast<size_t>(i)]->Sample[0].get(); };
  EXPECT_FALSE(smp(1));
  EXPECT_FALSE(smp(2));
  ASSERT_TRUE(smp(3));
  EXPECT_EQ(smp(3)->Length, 4);
  EXPECT_EQ(smp(3)->Loop, 0);
  ASSERT_TRUE(smp(4));
  EXPECT_FLOAT_EQ(smp(4)->Volume, 1.0f);
  EXPECT_DOUBLE_EQ(smp(4)->FineTune, 0.875);
  EXPECT_EQ(smp(4)->Loop, 1);
  EXPECT_EQ(smp(4)->LoopStart, 20);
  EXPECT_EQ(smp(4)->LoopLength, 40);
  EXPECT_DOUBLE_EQ(smp(5)->FineTune, -0.125);
  EXPECT_EQ(smp(5)->LoopStart, 60);
  EXPECT_EQ(smp(5)->LoopLength, 40);
  EXPECT_FLOAT_EQ(smp(5)->Volume, 0.5f);
  EXPECT_EQ(smp(6)->Loop, 0);
}

TEST(TrackerMod, SampleDataFollowsEveryStoredPattern) {
  // The song plays pattern 0 only, but the order list names pattern 2 after
  // its end: the file holds three patterns before the sample data.
  modwrite::Song song = Basic(4);
  // A marker sample after a 1-word sample, whose 2 bytes must be skipped.
  modwrite::Instrument one;
  one.samples.push_back({});
  one.samples[0].data = {0x0100, 0x0200};
  modwrite::Instrument marker;
  marker.samples.push_back({});
  for (int i = 0; i < 16; ++i) marker.samples[0].data.push_back(static_cast<int16_t>((i - 8) * 256 * 8));
  song.instruments = {one, marker};
  song.order = {0, 0, 0, 0, 0, 2};
  std::string bytes = modwrite::WriteMod(song);
  bytes[950] = 1;  // song length 1
  auto m = LoadModBytes(bytes);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->ActiveSongPatterns, 0);
  EXPECT_TRUE(m->Pattern[2]);
  const TrkMod_Sample* s = m->Instrument[2]->Sample[0].get();
  ASSERT_TRUE(s);
  ASSERT_EQ(s->Length, 16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(s->SoundData[static_cast<size_t>(i)], (i - 8) * 8 * 256) << i;
}

TEST(TrackerMod, ATruncatedFileLoadsWhatIsThere) {
  const std::string bytes = modwrite::WriteMod(Basic(4));
  for (size_t n : {size_t{1084}, size_t{1084 + 100}, bytes.size() - 10}) {
    auto m = LoadModBytes(bytes.substr(0, n));
    ASSERT_TRUE(m) << n;
    EXPECT_TRUE(m->Pattern[0]) << n;
  }
}

TEST(TrackerMod, PatternsPastTheEndOfTheFileAreEmpty) {
  // Only the header: the order list names patterns up to 200 that the file
  // does not hold. Each plays as 64 empty lines, and they share their tracks.
  std::string bytes = modwrite::WriteMod(Basic(4)).substr(0, 1084);
  bytes[950] = 3;  // song length
  bytes[952] = 0;
  bytes[953] = 100;
  bytes[954] = 200;
  auto m = LoadModBytes(bytes);
  ASSERT_TRUE(m);
  ASSERT_GE(m->Pattern.size(), 201u);
  for (int p : {0, 1, 100, 200}) {
    const TrkMod_Pattern* pat = m->Pattern[static_cast<size_t>(p)].get();
    ASSERT_TRUE(pat) << p;
    EXPECT_EQ(pat->Title, "Pattern " + std::to_string(p));
    ASSERT_EQ(pat->LineCount, 64) << p;
    for (int c = 0; c < 4; ++c) {
      const TrkMod_Track& t = *pat->Track[static_cast<size_t>(c)];
      EXPECT_EQ(t.Note[63] + t.Inst[63] + t.FX[63] + t.FXV[63], 0) << p;
      EXPECT_EQ(t.Vol[63], c % 3 == 0 ? 192 : 207) << p;
    }
  }
  EXPECT_EQ(m->Pattern[100]->Track[2], m->Pattern[200]->Track[2]);
  EXPECT_EQ(m->STREAM_SIZE, 3 * 64 * 6 * 882) << "every order position plays";
}
