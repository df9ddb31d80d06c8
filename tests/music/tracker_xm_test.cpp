// XM files: header, packed and unpacked cells, patterns the order list names
// but the file lacks, instruments with envelopes and keymaps, delta-coded
// samples, and damaged headers.
#include <gtest/gtest.h>

#include "music/trk_loaders.h"
#include "tracker_fixtures.h"

using namespace kelp;
using namespace trackertest;

namespace {

// Offsets in a file of the writer: the header fields, and the first pattern.
constexpr size_t kSongLength = 64, kChannels = 68, kPatterns = 70, kInstruments = 72, kSpeed = 76, kTempo = 78;
constexpr size_t kFirstPattern = 60 + 276;

void Patch16(std::string& b, size_t at, int v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

}  // namespace

TEST(TrackerXm, HeaderAndEveryEffect) {
  // Every effect the player knows, one row each on channel 2 of an 8-channel song.
  const std::pair<int, int> effects[] = {{0, 0x37}, {1, 4},     {2, 4},     {3, 8},     {4, 0x46},  {5, 2},
                                         {6, 0x20}, {7, 0x48},  {8, 0xC0},  {9, 2},     {10, 0x0F}, {11, 0},
                                         {12, 0x20}, {13, 0x10}, {14, 0x12}, {14, 0x5F}, {14, 0x84}, {14, 0x93},
                                         {14, 0xC3}, {14, 0xD2}, {14, 0xE1}, {15, 0x03}, {15, 0x7D}, {20, 3},
                                         {33, 0x12}, {33, 0x22}};
  modwrite::Song song = Basic(8);
  song.name = "  xm fixture  ";
  song.speed = 5;
  song.tempo = 140;
  int row = 0;
  for (auto [fx, param] : effects) {
    Cell& c = song.patterns[0].At(row++, 2);
    c.note = 49;
    c.inst = 1;
    c.vol = 0x10 + row;
    c.fx = fx;
    c.param = param;
  }
  song.patterns[0].At(40, 3).note = 97;  // key-off
  auto m = LoadXmBytes(modwrite::WriteXm(song));
  ASSERT_TRUE(m);
  EXPECT_EQ(m->SongName, "xm fixture");
  EXPECT_EQ(m->TrackerName, "KelpGen");
  EXPECT_EQ(m->ActiveChannels, 8);
  EXPECT_EQ(m->ActiveSamples, 1);
  EXPECT_EQ(m->DefaultSpeed, 5);
  EXPECT_EQ(m->DefaultTempo, 140);
  EXPECT_EQ(m->PeriodMode, 1);
  EXPECT_FLOAT_EQ(m->MixLevel, 0.25f);
  EXPECT_EQ(m->STREAM_SIZE, 12 * 5 * 787) << "measured at load: B00 on row 11 ends the song";
  const TrkMod_Track& t = *m->Pattern[0]->Track[2];
  row = 0;
  for (auto [fx, param] : effects) {
    const size_t l = static_cast<size_t>(row++);
    EXPECT_EQ(t.Note[l], 48) << row;
    EXPECT_EQ(t.Inst[l], 1) << row;
    EXPECT_EQ(t.Vol[l], 0x10 + row) << row;
    EXPECT_EQ(t.FX[l], fx) << row;
    EXPECT_EQ(t.FXV[l], param) << row << ": stored as written (not decimal)";
  }
  EXPECT_EQ(m->Pattern[0]->Track[3]->Note[40], 96);
}

TEST(TrackerXm, Cells) {
  // Packed 0x81 49: note 48 only; unpacked cells take 5 bytes, note byte 0 is no note.
  modwrite::Song song = Basic(2);
  song.patterns[0].rows = 2;
  std::string b = modwrite::WriteXm(song);
  const std::string cells = std::string("\x81\x31", 2) + std::string("\x00\x01\x20\x0C\x10", 5) +
                            std::string("\x62\x01\x00\x00\x00", 5) + std::string("\x9F\x61\x02\x30\x0E\x61", 6);
  std::string pattern;
  pattern += std::string("\x09\x00\x00\x00\x00\x02\x00", 7);
  pattern += static_cast<char>(cells.size());
  pattern += '\0';
  pattern += cells;
  b.replace(kFirstPattern, 9, pattern);
  auto m = LoadXmBytes(b);
  ASSERT_TRUE(m);
  const TrkMod_Track& a = *m->Pattern[0]->Track[0];
  const TrkMod_Track& c = *m->Pattern[0]->Track[1];
  EXPECT_EQ(a.Note[0], 48);
  EXPECT_EQ(a.Inst[0] + a.Vol[0] + a.FX[0] + a.FXV[0], 0);
  EXPECT_EQ(c.Note[0], 0);
  EXPECT_EQ(c.Inst[0], 1);
  EXPECT_EQ(c.Vol[0], 0x20);
  EXPECT_EQ(c.FX[0], 12);
  EXPECT_EQ(c.FXV[0], 0x10);
  EXPECT_EQ(a.Note[1], 0) << "0x62 is past key-off: no note";
  EXPECT_EQ(a.Inst[1], 1);
  EXPECT_EQ(c.Note[1], 96);
  EXPECT_EQ(c.Inst[1], 2);
  EXPECT_EQ(c.Vol[1], 0x30);
  EXPECT_EQ(c.FX[1], 14);
  EXPECT_EQ(c.FXV[1], 0x61);
  // The instrument after the pattern is still found.
  ASSERT_TRUE(m->Instrument[1]);
  EXPECT_EQ(m->Instrument[1]->Name, "square");
}

TEST(TrackerXm, PatternsTheFileLacksOrPacksOtherwise) {
  modwrite::Song song = Basic(2);
  song.patterns.resize(3);
  song.patterns[0].At(5, 1).note = 30;
  song.patterns[2].At(0, 0).note = 50;
  song.patterns[2].At(0, 0).inst = 1;
  song.order = {0, 1, 2, 5};  // 1 is empty (no data), 5 is not in the file
  std::string b = modwrite::WriteXm(song);
  // Pattern 0 gets an unknown packing: it is left empty, and what follows still reads.
  b[kFirstPattern + 4] = 1;
  auto m = LoadXmBytes(b);
  ASSERT_TRUE(m);
  ASSERT_GE(m->Pattern.size(), 6u);
  for (int p : {0, 1, 5}) {
    ASSERT_TRUE(m->Pattern[static_cast<size_t>(p)]) << p;
    EXPECT_EQ(m->Pattern[static_cast<size_t>(p)]->LineCount, 64) << p;
  }
  EXPECT_EQ(m->Pattern[0]->Track[1]->Note[5], 0);
  EXPECT_EQ(m->Pattern[2]->Track[0]->Note[0], 49);
  EXPECT_EQ(m->Instrument[1]->Sample[0]->Length, 256);
  EXPECT_EQ(m->STREAM_SIZE, 4 * 64 * 6 * 882) << "every order position plays";
}

TEST(TrackerXm, InstrumentsEnvelopesAndSamples) {
  modwrite::Song song = Basic(2);
  modwrite::Instrument empty;
  empty.name = "nothing";
  modwrite::Instrument multi;
  multi.name = "multi";
  modwrite::Sample eight = Square(16, 4, 12000);
  eight.loopType = 2;
  eight.loopStart = 8;
  eight.loopLength = 40;
  eight.volume = 70;
  eight.finetune = -64;
  eight.pan = 255;
  eight.relativeNote = -12;
  modwrite::Sample sixteen;
  sixteen.sixteenBit = true;
  for (int i = 0; i < 500; ++i) sixteen.data.push_back(static_cast<int16_t>((i * 977) % 60000 - 30000));
  sixteen.loopType = 1;
  sixteen.loopStart = 100;
  sixteen.loopLength = 300;
  sixteen.pan = 0;
  multi.samples = {eight, sixteen};
  for (int k = 0; k < 96; ++k) multi.keymap[static_cast<size_t>(k)] = k < 48 ? 0 : 1;
  multi.volume.on = true;
  multi.volume.points = {{0, 0}, {4, 64}, {10, 32}, {20, 16}};
  multi.volume.sustain = 1;
  multi.volume.loopStart = 0;
  multi.volume.loopEnd = 2;
  multi.fadeout = 512;
  song.instruments = {song.instruments[0], empty, multi};
  auto m = LoadXmBytes(modwrite::WriteXm(song));
  ASSERT_TRUE(m);
  const TrkMod_Instrument& e = *m->Instrument[2];
  EXPECT_EQ(e.Name, "nothing");
  EXPECT_EQ(e.SampleCount, 0);
  EXPECT_TRUE(e.VolEnvList.empty());
  const TrkMod_Instrument& in = *m->Instrument[3];
  EXPECT_EQ(in.SampleCount, 2);
  EXPECT_EQ(in.VolType, 7);
  ASSERT_EQ(in.VolEnvList.size(), 4u) << "only the points in use";
  EXPECT_EQ(in.VolEnvList[2].Tick, 10);
  EXPECT_FLOAT_EQ(in.VolEnvList[1].Value, 1.0f) << "64 is full";
  EXPECT_EQ(in.VolSustain, 1);
  EXPECT_EQ(in.VolLoopStart, 0);
  EXPECT_EQ(in.VolLoopEnd, 2);
  EXPECT_EQ(in.VolFadeout, 512);
  // XM note 48 (B-3) is stored as 47 and plays the keymap's entry for it.
  EXPECT_EQ(in.GetSample(47), in.Sample[0].get());
  EXPECT_EQ(in.GetSample(48), in.Sample[1].get());
  const TrkMod_Sample& a = *in.Sample[0];
  EXPECT_EQ(a.Length, 64);
  EXPECT_EQ(a.SoundData[0], 46 * 256);  // written as 8-bit
  EXPECT_EQ(a.SoundData[9], -47 * 256);
  EXPECT_EQ(a.Loop, 2);
  EXPECT_EQ(a.LoopStart, 8);
  EXPECT_EQ(a.LoopLength, 40);
  EXPECT_FLOAT_EQ(a.Volume, 1.0f);
  EXPECT_DOUBLE_EQ(a.FineTune, -0.5);
  EXPECT_EQ(a.Pan, 127);
  EXPECT_EQ(a.RelativeNote, -12);
  const TrkMod_Sample& b = *in.Sample[1];
  ASSERT_EQ(b.Length, 500) << "1000 bytes of 16-bit data";
  for (int i = 0; i < 500; ++i) ASSERT_EQ(b.SoundData[static_cast<size_t>(i)], sixteen.data[static_cast<size_t>(i)]) << i;
  EXPECT_EQ(b.LoopStart, 100);
  EXPECT_EQ(b.LoopLength, 300);
  EXPECT_EQ(b.Pan, -128);
}

TEST(TrackerXm, DamagedHeaders) {
  const std::string good = modwrite::WriteXm(Basic(4));
  struct Case {
    const char* name;
    size_t at;
    int value;
    bool loads;
  } cases[] = {
      {"no channels", kChannels, 0, false},
      {"100 channels", kChannels, 100, false},
      {"300 instruments", kInstruments, 300, false},
      {"300 patterns", kPatterns, 300, false},
      {"song length 0", kSongLength, 0, true},
      {"song length 300", kSongLength, 300, true},
      {"speed 0", kSpeed, 0, true},
      {"tempo 0", kTempo, 0, true},
      {"tempo 65535", kTempo, 65535, true},
      {"a huge pattern header", kFirstPattern, 0xFFFF, true},
  };
  for (const Case& c : cases) {
    std::string b = good;
    Patch16(b, c.at, c.value);
    auto m = LoadXmBytes(b);
    EXPECT_EQ(m != nullptr, c.loads) << c.name;
    if (m) {
      EXPECT_GT(m->STREAM_SIZE, 0) << c.name;
    }
  }
  std::string samples = good;
  const size_t instrument = good.size() - 256 - 40 - 263;
  Patch16(samples, instrument + 27, 200);  // sample count
  EXPECT_FALSE(LoadXmBytes(samples));
  // Cut anywhere: refused or loaded, never more.
  for (size_t n = 0; n < good.size(); n += 13) LoadXmBytes(good.substr(0, n));
  EXPECT_FALSE(LoadXmBytes("Extended Modulo: "));
}

TEST(TrackerXm, DeclaredPatternsPastTheEndOfTheFileAreEmpty) {
  // The header declares 200 patterns and the file ends after the order list.
  modwrite::Song song = Basic(2);
  song.order = {0, 150, 199};
  std::string b = modwrite::WriteXm(song).substr(0, kFirstPattern);
  Patch16(b, kPatterns, 200);
  auto m = LoadXmBytes(b);
  ASSERT_TRUE(m);
  ASSERT_GE(m->Pattern.size(), 200u);
  for (int p : {0, 150, 199}) {
    const TrkMod_Pattern* pat = m->Pattern[static_cast<size_t>(p)].get();
    ASSERT_TRUE(pat) << p;
    EXPECT_EQ(pat->Title, "Pattern " + std::to_string(p));
    ASSERT_EQ(pat->LineCount, 64) << p;
    for (int c = 0; c < 2; ++c) EXPECT_TRUE(pat->Track[static_cast<size_t>(c)]->IsIdentical(*TrkMod_Track::Create(64))) << p;
  }
  EXPECT_EQ(m->Pattern[150]->Track[1], m->Pattern[199]->Track[1]) << "one set of tracks between them";
  EXPECT_EQ(m->STREAM_SIZE, 3 * 64 * 6 * 882) << "every order position plays";
}
