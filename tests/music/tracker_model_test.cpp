// The tracker's song data: cell text, sample conversion, envelopes, and the
// module file saved and loaded again.
#include <gtest/gtest.h>

#include "music/trk_mixer.h"
#include "platform/stream.h"
#include "tracker_fixtures.h"

using namespace kelp;

namespace {

Ref<TrkMod_Track> OneLine(int note, int inst, int vol, int fx, int fxv) {
  auto t = TrkMod_Track::Create(1);
  t->Note[0] = note;
  t->Inst[0] = inst;
  t->Vol[0] = vol;
  t->FX[0] = fx;
  t->FXV[0] = fxv;
  return t;
}

// A song that uses every column combination, two instruments (one with an
// envelope and two samples), and an order list whose last entry matters.
Ref<TrkMod_Mixer> RichSong() {
  auto m = New<TrkMod_Mixer>();
  m->SongName = "rich";
  m->Init(3);
  m->ActiveSamples = 2;
  for (int i = 1; i <= 2; ++i) {
    auto in = New<TrkMod_Instrument>();
    in->Name = "inst" + std::to_string(i);
    in->SampleCount = i;
    for (int k = 0; k < i; ++k) {
      auto s = New<TrkMod_Sample>();
      s->Name = "s" + std::to_string(k);
      s->Loop = k == 0 ? 1 : 2;
      s->LoopStart = 2;
      s->LoopLength = 3;
      s->ConvertSampleFromBank({1, 0, 0xFF, 0x7F, 0x00, 0x80, 5, 0, 6, 0, 7, 0}, 2);
      s->Volume = 0.5f;
      s->FineTune = -0.25;
      s->RelativeNote = -12;
      s->Pan = -64;
      in->Sample[static_cast<size_t>(k)] = s;
    }
    in->NoteSample[1] = i - 1;
    if (i == 2) {
      in->VolType = 7;
      in->AddVolumeEnvelopePoint(0, 64);
      in->AddVolumeEnvelopePoint(10, 32);
      in->AddVolumeEnvelopePoint(20, 0);
      in->SetVolSustainPoint(2);
      in->SetVolLoopPoints(1, 3);
      in->VolFadeout = 300;
    }
    m->Instrument[static_cast<size_t>(i)] = in;
  }
  for (int p = 0; p < 2; ++p) {
    auto pat = TrkMod_Pattern::Create(3, 32);
    pat->Title = "P" + std::to_string(p);
    for (int l = 0; l < 32; ++l) {
      for (int c = 0; c < 3; ++c) {
        TrkMod_Track& t = *pat->Track[static_cast<size_t>(c)];
        const int bits = l + c;  // every subset of the five columns somewhere
        t.Note[static_cast<size_t>(l)] = bits & 1 ? 40 + c : 0;
        t.Inst[static_cast<size_t>(l)] = bits & 2 ? 1 + c % 2 : 0;
        t.Vol[static_cast<size_t>(l)] = bits & 4 ? 0x40 : 0;
        t.FX[static_cast<size_t>(l)] = bits & 8 ? 14 : 0;
        t.FXV[static_cast<size_t>(l)] = bits & 16 ? 0xA3 : 0;
      }
    }
    m->Pattern[static_cast<size_t>(p)] = pat;
  }
  m->SongPattern[0] = 0;
  m->SongPattern[1] = 1;
  m->SongPattern[2] = 1;
  m->ActiveSongPatterns = 2;
  return m;
}

std::vector<uint8_t> Saved(const TrkMod_Mixer& m) {
  platform::MemoryStream out;
  EXPECT_TRUE(m.Save(out));
  return out.Data();
}

}  // namespace

TEST(TrackerModel, CellText) {
  struct Case {
    int note, inst, vol, fx, fxv;
    const char* text;
    int bval;
  } cases[] = {
      {0, 0, 0, 0, 0, "---          ", 0x80},
      {49, 1, 0x40, 12, 0x20, "C#4 01 40 C20", 0},
      {48, 0, 0, 0, 0, "C 4          ", 0x81},
      {96, 0, 0, 0, 0, " |           ", 0x81},
      {0, 0, 0, 16, 0x05, "---       G05", 0x98},
      {0, 0, 0, 0, 0x10, "---       010", 0x90},
  };
  for (const Case& c : cases) {
    auto t = OneLine(c.note, c.inst, c.vol, c.fx, c.fxv);
    EXPECT_EQ(t->GetText(0), c.text) << c.text;
    EXPECT_EQ(t->GetBVal(0), c.bval) << c.text;
  }
  EXPECT_EQ(TrkMod_Track::GetNoteTag(-1), "<<<");
  EXPECT_EQ(TrkMod_Track::GetNoteTag(0), ">>>");
  EXPECT_EQ(TrkMod_Track::GetNoteTag(107), "B 8");
  EXPECT_EQ(TrkMod_Track::GetNoteTag(108), ">>>");
  auto p = TrkMod_Pattern::Create(2, 1);
  p->UpdateText();
  EXPECT_EQ(p->LineText[0], "---           ---           ");
}

TEST(TrackerModel, SampleConversion) {
  TrkMod_Sample s;
  s.ConvertSampleFromBank({0x00, 0x7F, 0x80, 0xFF}, 1);
  EXPECT_EQ(s.SoundData, (std::vector<int32_t>{0, 32512, -32768, -256}));
  s.ConvertSampleFromBank({0xFF, 0x7F, 0x00, 0x80, 0x01}, 2);  // the odd byte is dropped
  EXPECT_EQ(s.SoundData, (std::vector<int32_t>{32767, -32768}));
  EXPECT_EQ(s.Length, 2);
  s.ConvertSampleFromBank({0xE8, 0x03, 0x18, 0xFC, 0x10, 0x27, 0x00, 0x00}, 4);  // (1000, -1000), (10000, 0)
  EXPECT_EQ(s.SoundData, (std::vector<int32_t>{0, 5000}));
}

TEST(TrackerModel, LoopsStayInsideTheSample) {
  struct Case {
    int loop, start, length, sampleLength;
    int wantLoop, wantStart, wantLength;
  } cases[] = {
      {1, 2, 4, 10, 1, 2, 4},   {1, 8, 100, 10, 1, 8, 2},  {1, 10, 4, 10, 0, 0, 0},
      {2, -1, 4, 10, 0, 0, 0},  {1, 0, 0, 10, 0, 0, 0},   {0, 5, 5, 10, 0, 5, 5},
  };
  for (const Case& c : cases) {
    TrkMod_Sample s;
    s.Loop = c.loop;
    s.LoopStart = c.start;
    s.LoopLength = c.length;
    s.ConvertSampleFromBank(std::vector<uint8_t>(static_cast<size_t>(c.sampleLength), 1), 1);
    EXPECT_EQ(s.Loop, c.wantLoop) << c.start << "+" << c.length;
    EXPECT_EQ(s.LoopStart, c.wantStart) << c.start << "+" << c.length;
    EXPECT_EQ(s.LoopLength, c.wantLength) << c.start << "+" << c.length;
  }
}

TEST(TrackerModel, EnvelopeSustainLoopAndEnd) {
  TrkMod_Instrument in;
  in.VolType = 1;
  for (auto [tick, v] : {std::pair{0, 0}, {4, 64}, {8, 32}, {12, 16}}) in.AddVolumeEnvelopePoint(tick, v);
  auto at = [&](int t, bool keyOff = false) {
    int tick = t, index = 0;
    return in.GetEnvelopeVolume(tick, index, keyOff);
  };
  EXPECT_DOUBLE_EQ(at(0), 0.0);
  EXPECT_DOUBLE_EQ(at(2), 0.5);
  EXPECT_DOUBLE_EQ(at(4), 1.0);
  EXPECT_DOUBLE_EQ(at(6), 0.75);
  EXPECT_DOUBLE_EQ(at(40), 0.25);  // after the last point its value holds

  in.VolType = 3;
  in.SetVolSustainPoint(2);  // the point at tick 4
  int tick = 9, index = 0;
  EXPECT_DOUBLE_EQ(in.GetEnvelopeVolume(tick, index, false), 1.0);
  EXPECT_EQ(tick, 4);  // held there until the key is released
  tick = 6;
  index = 1;
  EXPECT_DOUBLE_EQ(in.GetEnvelopeVolume(tick, index, true), 0.75);

  in.VolType = 5;
  in.SetVolLoopPoints(2, 3);  // ticks 4 .. 8
  tick = 8;
  index = 1;
  EXPECT_DOUBLE_EQ(in.GetEnvelopeVolume(tick, index, false), 1.0);
  EXPECT_EQ(tick, 4);
  EXPECT_EQ(index, 1);

  in.VolType = 0;
  EXPECT_DOUBLE_EQ(at(6), 1.0);
}

TEST(TrackerModuleFile, SavedAndLoadedIsEqual) {
  auto m = RichSong();
  const std::vector<uint8_t> bytes = Saved(*m);
  ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "TKM");
  auto s = platform::OpenMemory(bytes);
  auto back = TrkMod_Mixer::Load(*s);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->TrackerName, "TrkTracker");
  EXPECT_EQ(back->SongName, "rich");
  EXPECT_EQ(back->ActiveChannels, 3);
  EXPECT_EQ(back->ActiveSongPatterns, 2);
  for (int i = 0; i <= 2; ++i) EXPECT_EQ(back->SongPattern[static_cast<size_t>(i)], m->SongPattern[static_cast<size_t>(i)]) << i;
  for (int p = 0; p < 2; ++p) {
    const auto& a = *m->Pattern[static_cast<size_t>(p)];
    const auto& b = *back->Pattern[static_cast<size_t>(p)];
    EXPECT_EQ(b.Title, a.Title);
    ASSERT_EQ(b.Track.size(), a.Track.size());
    for (size_t t = 0; t < a.Track.size(); ++t) EXPECT_TRUE(b.Track[t]->IsIdentical(*a.Track[t])) << p << "/" << t;
  }
  EXPECT_FALSE(back->Pattern[2]);
  for (int i = 1; i <= 2; ++i) {
    const auto& a = *m->Instrument[static_cast<size_t>(i)];
    const auto& b = *back->Instrument[static_cast<size_t>(i)];
    EXPECT_EQ(b.Name, a.Name);
    EXPECT_EQ(b.SampleCount, a.SampleCount);
    EXPECT_EQ(b.NoteSample[1], a.NoteSample[1]);
    EXPECT_EQ(b.VolType, a.VolType);
    EXPECT_EQ(b.VolSustain, a.VolSustain);
    EXPECT_EQ(b.VolLoopStart, a.VolLoopStart);
    EXPECT_EQ(b.VolLoopEnd, a.VolLoopEnd);
    EXPECT_EQ(b.VolFadeout, a.VolFadeout);
    ASSERT_EQ(b.VolEnvList.size(), a.VolEnvList.size());
    for (size_t k = 0; k < a.VolEnvList.size(); ++k) {
      EXPECT_EQ(b.VolEnvList[k].Tick, a.VolEnvList[k].Tick);
      EXPECT_FLOAT_EQ(b.VolEnvList[k].Value, a.VolEnvList[k].Value);
    }
    for (int k = 0; k < a.SampleCount; ++k) {
      const auto& sa = *a.Sample[static_cast<size_t>(k)];
      const auto& sb = *b.Sample[static_cast<size_t>(k)];
      EXPECT_EQ(sb.SoundData, sa.SoundData);
      EXPECT_EQ(sb.Loop, sa.Loop);
      EXPECT_EQ(sb.LoopStart, sa.LoopStart);
      EXPECT_EQ(sb.LoopLength, sa.LoopLength);
      EXPECT_FLOAT_EQ(sb.Volume, sa.Volume);
      EXPECT_DOUBLE_EQ(sb.FineTune, sa.FineTune);
      EXPECT_EQ(sb.RelativeNote, sa.RelativeNote);
      EXPECT_EQ(sb.Pan, sa.Pan);
    }
  }
  // Saved again, the bytes are the same.
  EXPECT_EQ(Saved(*back), bytes);
}

TEST(TrackerModuleFile, ColumnFlags) {
  struct Case {
    int note, inst, vol, fx, fxv;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {0, 0, 0, 0, 0, {0}},
      {0, 0, 0, 0, 0x33, {16, 0x33}},
      {0x150, 2, 0, 0, 0, {3, 0x50, 0x01, 2}},
      {1, 2, 3, 4, 5, {31, 1, 0, 2, 3, 4, 5}},
  };
  for (const Case& c : cases) {
    auto m = New<TrkMod_Mixer>();
    m->MaxPatterns = 1;
    m->Init(1);
    auto p = TrkMod_Pattern::Create(0, 1);
    p->Track.push_back(OneLine(c.note, c.inst, c.vol, c.fx, c.fxv));
    p->TrackCount = 1;
    m->Pattern[0] = p;
    const std::vector<uint8_t> bytes = Saved(*m);
    // The file ends with the one line of the one track.
    const std::vector<uint8_t> tail(bytes.end() - static_cast<long>(c.bytes.size()), bytes.end());
    EXPECT_EQ(tail, c.bytes) << c.note << " " << c.fxv;
  }
}

TEST(TrackerModuleFile, DamagedFilesAreRefused) {
  const std::vector<uint8_t> good = Saved(*RichSong());
  auto loads = [](std::vector<uint8_t> bytes) {
    auto s = platform::OpenMemory(std::move(bytes));
    return TrkMod_Mixer::Load(*s) != nullptr;
  };
  ASSERT_TRUE(loads(good));
  // Cut anywhere: refused.
  for (size_t n = 0; n < good.size(); n += 7) EXPECT_FALSE(loads({good.begin(), good.begin() + static_cast<long>(n)})) << n;
  auto patched = [&](size_t at, int32_t v) {
    std::vector<uint8_t> b = good;
    for (int k = 0; k < 4; ++k) b[at + static_cast<size_t>(k)] = static_cast<uint8_t>(v >> (8 * k));
    return b;
  };
  const size_t header = 3 + 1 + 10;  // magic, tracker name
  struct Case {
    size_t at;
    int32_t value;
  } cases[] = {
      {header, -1},                 // MaxPatterns
      {header, 0x7FFFFFFF},         // MaxPatterns
      {header + 4, 0},              // MaxSequences
      {header + 8, 1},              // MaxInstruments below the instruments used
      {header + 40 + 5, 0},         // no channels
      {header + 40 + 5 + 8, 300},   // more order entries than the list holds
  };
  for (const Case& c : cases) EXPECT_FALSE(loads(patched(c.at, c.value))) << c.at << " " << c.value;
  EXPECT_FALSE(loads({'T', 'K', 'X'}));
}
