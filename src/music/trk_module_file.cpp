// The tracker's own module file ("TKM"), little-endian: header, order list,
// instruments with their samples, patterns of tracks. Every count is checked
// against what the song can hold and what the file has left.
#include <algorithm>
#include <string>

#include "music/music_log.h"
#include "music/trk_mixer.h"

namespace kelp {

namespace {

constexpr int kMaxArray = 4096;  // MaxPatterns, MaxSequences, MaxInstruments
constexpr int kMaxChannels = 64;
constexpr int kMaxLines = 1024;
constexpr int kMaxEnvPoints = 256;

// Reads that note when the file runs short or a value is out of range.
struct Reader {
  platform::Stream& s;
  bool ok = true;
  std::string why;

  bool Need(int64_t n, const char* what) {
    if (ok && (n < 0 || s.Remaining() < n)) Fail(std::string("cut short in ") + what);
    return ok;
  }
  void Fail(const std::string& reason) {
    if (ok) why = reason;
    ok = false;
  }
  int Byte() { return Need(1, "a byte") ? s.ReadByte() : 0; }
  int Short() { return Need(2, "a number") ? s.ReadShort() : 0; }
  int Int() { return Need(4, "a number") ? s.ReadInt() : 0; }
  float Float() { return Need(4, "a number") ? s.ReadFloat() : 0.0f; }
  std::string Str8() {
    const int n = Byte();
    return Need(n, "a name") ? s.ReadBytes(static_cast<size_t>(n)) : "";
  }
  std::string Str16() {
    const int n = Short();
    if (n < 0) Fail("a negative text length");
    return Need(n, "a name") ? s.ReadBytes(static_cast<size_t>(n)) : "";
  }
  int Range(int v, int lo, int hi, const char* what) {
    if (v < lo || v > hi) Fail(std::string(what) + " " + std::to_string(v) + " out of range");
    return ok ? v : lo;
  }
};

void WriteStr8(platform::Stream& s, const std::string& t) {
  const std::string c = t.substr(0, 255);
  s.WriteByte(static_cast<uint8_t>(c.size()));
  s.WriteBytes(c);
}

void WriteStr16(platform::Stream& s, const std::string& t) {
  const std::string c = t.substr(0, 32767);
  s.WriteShort(static_cast<int16_t>(c.size()));
  s.WriteBytes(c);
}

void SaveSample(platform::Stream& s, const TrkMod_Sample& smp) {
  WriteStr8(s, smp.Name);
  const int len = static_cast<int>(smp.SoundData.size());
  s.WriteInt(len);
  s.WriteInt(smp.LoopStart);
  s.WriteInt(smp.LoopLength);
  s.WriteInt(smp.Loop);
  s.WriteFloat(smp.Volume);
  s.WriteFloat(static_cast<float>(smp.FineTune));
  s.WriteInt(smp.RelativeNote);
  s.WriteInt(smp.Pan);
  s.WriteInt(smp.Flag);
  s.WriteInt(smp.C2SPD);
  s.WriteInt(2 * len);
  std::string bytes(static_cast<size_t>(2 * len), '\0');
  for (int i = 0; i < len; ++i) {
    const int v = std::clamp(smp.SoundData[static_cast<size_t>(i)], -32768, 32767);
    bytes[static_cast<size_t>(2 * i)] = static_cast<char>(v & 0xFF);
    bytes[static_cast<size_t>(2 * i + 1)] = static_cast<char>((v >> 8) & 0xFF);
  }
  s.WriteBytes(bytes);
}

Ref<TrkMod_Sample> LoadSample(Reader& r) {
  auto smp = New<TrkMod_Sample>();
  smp->Name = r.Str8();
  const int len = r.Int();
  smp->LoopStart = r.Int();
  smp->LoopLength = r.Int();
  smp->Loop = r.Range(r.Int(), 0, 2, "loop mode");
  const float volume = r.Float();
  smp->Volume = volume == volume ? std::clamp(volume, 0.0f, 1.0f) : 1.0f;
  const float fine = r.Float();
  smp->FineTune = fine == fine ? std::clamp<double>(fine, -96, 96) : 0;  // NaN is no fine tune
  smp->RelativeNote = r.Range(r.Int(), -96, 96, "relative note");
  smp->Pan = std::clamp(r.Int(), -128, 128);
  smp->Flag = r.Int();
  smp->C2SPD = r.Int();
  const int bytes = r.Int();
  if (len < 0 || bytes != 2 * static_cast<int64_t>(len)) r.Fail("a sample whose size disagrees with its length");
  if (!r.Need(bytes, "sample data")) return nullptr;
  std::vector<uint8_t> bank(static_cast<size_t>(bytes));
  if (!bank.empty()) r.s.Read(bank.data(), bank.size());
  smp->ConvertSampleFromBank(bank, 2);
  return smp;
}

void SaveInstrument(platform::Stream& s, const TrkMod_Instrument& in) {
  WriteStr8(s, in.Name);
  const int count = std::clamp(in.SampleCount, 0, TrkMod_Instrument::kMaxSamples);
  s.WriteShort(static_cast<int16_t>(count));
  for (int i = 0; i < count; ++i)
    s.WriteShort(static_cast<int16_t>(i < TrkMod_Instrument::kNoteSamples ? in.NoteSample[static_cast<size_t>(i)] : 0));
  s.WriteInt(in.VolType);
  s.WriteInt(in.VolPoints);
  s.WriteInt(static_cast<int>(in.VolEnvelope.size()));
  for (int v : in.VolEnvelope) s.WriteInt(v);
  s.WriteInt(in.VolSustain);
  s.WriteInt(in.VolFadeout);
  s.WriteInt(in.VolLoopStart);
  s.WriteInt(in.VolLoopEnd);
  s.WriteInt(static_cast<int>(in.VolEnvList.size()));
  for (const TrkMod_EnvelopePoint& p : in.VolEnvList) {
    s.WriteByte(static_cast<uint8_t>(p.Tick));
    s.WriteFloat(p.Value);
  }
  s.WriteInt(in.PanType);
  s.WriteInt(in.PanPoints);
  s.WriteInt(static_cast<int>(in.PanEnvelope.size()));
  for (int v : in.PanEnvelope) s.WriteInt(v);
  for (int v : {in.PanSustain, in.PanLoopStart, in.PanLoopEnd, in.VibType, in.VibSweep, in.VibDepth, in.VibRate,
                in.Reserved})
    s.WriteInt(v);
  s.WriteInt(static_cast<int>(in.Sample.size()));
  for (const Ref<TrkMod_Sample>& smp : in.Sample) {
    s.WriteByte(smp ? 1 : 0);
    if (smp) SaveSample(s, *smp);
  }
}

Ref<TrkMod_Instrument> LoadInstrument(Reader& r) {
  auto in = New<TrkMod_Instrument>();
  in->Name = r.Str8();
  in->SampleCount = r.Range(r.Short(), 0, TrkMod_Instrument::kMaxSamples, "sample count");
  for (int i = 0; i < in->SampleCount && r.ok; ++i) {
    const int v = r.Short();
    if (i < TrkMod_Instrument::kNoteSamples) in->NoteSample[static_cast<size_t>(i)] = v;
  }
  in->VolType = r.Int();
  in->VolPoints = r.Int();
  const int volLen = r.Range(r.Int(), 0, static_cast<int>(in->VolEnvelope.size()), "volume envelope length");
  for (int i = 0; i < volLen && r.ok; ++i) in->VolEnvelope[static_cast<size_t>(i)] = r.Int();
  // Envelope points index the point list: a negative one is damage.
  in->VolSustain = r.Range(r.Int(), 0, 255, "volume sustain point");
  in->VolFadeout = r.Int();
  in->VolLoopStart = r.Range(r.Int(), 0, 255, "volume loop start");
  in->VolLoopEnd = r.Range(r.Int(), 0, 255, "volume loop end");
  const int points = r.Range(r.Int(), 0, kMaxEnvPoints, "envelope point count");
  for (int i = 0; i < points && r.ok; ++i) {
    TrkMod_EnvelopePoint p;
    p.Tick = r.Byte();
    p.Value = r.Float();
    if (!(p.Value >= 0 && p.Value <= 1)) p.Value = std::clamp(p.Value == p.Value ? p.Value : 0.0f, 0.0f, 1.0f);
    in->VolEnvList.push_back(p);
  }
  in->PanType = r.Int();
  in->PanPoints = r.Int();
  const int panLen = r.Range(r.Int(), 0, static_cast<int>(in->PanEnvelope.size()), "pan envelope length");
  for (int i = 0; i < panLen && r.ok; ++i) in->PanEnvelope[static_cast<size_t>(i)] = r.Int();
  for (int* f : {&in->PanSustain, &in->PanLoopStart, &in->PanLoopEnd, &in->VibType, &in->VibSweep, &in->VibDepth,
                 &in->VibRate, &in->Reserved})
    *f = r.Int();
  const int samples = r.Range(r.Int(), 0, TrkMod_Instrument::kMaxSamples, "sample array length");
  for (int i = 0; i < samples && r.ok; ++i) {
    if (r.Byte() == 1) in->Sample[static_cast<size_t>(i)] = LoadSample(r);
  }
  return r.ok ? in : nullptr;
}

void SavePattern(platform::Stream& s, const TrkMod_Pattern& p, std::string& debug) {
  debug += "saving pattern \"" + p.Title + "\"\n";
  WriteStr16(s, p.Title);
  s.WriteShort(static_cast<int16_t>(p.LineCount));
  s.WriteShort(static_cast<int16_t>(p.Track.size()));
  for (const Ref<TrkMod_Track>& t : p.Track) {
    debug += "saving track \"" + t->Name + "\"\n";
    s.WriteShort(static_cast<int16_t>(t->LineCount));
    WriteStr16(s, t->Name);
    for (int l = 0; l < t->LineCount; ++l) {
      const size_t i = static_cast<size_t>(l);
      const int cols[5] = {t->Note[i], t->Inst[i], t->Vol[i], t->FX[i], t->FXV[i]};
      int flag = 0;
      for (int c = 0; c < 5; ++c)
        if (cols[c] != 0) flag |= 1 << c;
      s.WriteByte(static_cast<uint8_t>(flag));
      if (flag & 1) s.WriteShort(static_cast<int16_t>(cols[0]));
      for (int c = 1; c < 5; ++c)
        if (flag & (1 << c)) s.WriteByte(static_cast<uint8_t>(cols[c]));
    }
  }
}

Ref<TrkMod_Pattern> LoadPattern(Reader& r, std::string& debug) {
  const std::string title = r.Str16();
  const int lines = r.Range(r.Short(), 0, kMaxLines, "line count");
  const int tracks = r.Range(r.Short(), 0, kMaxChannels, "track count");
  if (!r.ok) return nullptr;
  debug += "loading pattern \"" + title + "\"\n";
  auto p = TrkMod_Pattern::Create(0, lines);
  p->Title = title;
  for (int k = 0; k < tracks && r.ok; ++k) {
    const int tl = r.Range(r.Short(), 0, kMaxLines, "track line count");
    auto t = TrkMod_Track::Create(tl);
    t->Name = r.Str16();
    debug += "loading track \"" + t->Name + "\"\n";
    for (int l = 0; l < tl && r.ok; ++l) {
      const size_t i = static_cast<size_t>(l);
      const int flag = r.Byte();
      if (flag & 1) t->Note[i] = r.Short();
      if (flag & 2) t->Inst[i] = r.Byte();
      if (flag & 4) t->Vol[i] = r.Byte();
      if (flag & 8) t->FX[i] = r.Byte();
      if (flag & 16) t->FXV[i] = r.Byte();
    }
    p->Track.push_back(t);
  }
  p->TrackCount = static_cast<int>(p->Track.size());
  if (!r.ok) return nullptr;
  return p;
}

}  // namespace

bool TrkMod_Mixer::Save(platform::Stream& s) const {
  std::string debug;
  s.WriteBytes("TKM");
  WriteStr8(s, "TrkTracker");
  for (int v : {MaxPatterns, MaxSequences, MaxInstruments, DefaultTempo, DefaultSpeed, PeriodMode, Tempo, Speed})
    s.WriteInt(v);
  s.WriteFloat(MixLevel);
  s.WriteFloat(StereoSeperation);
  WriteStr8(s, SongName);
  for (int v : {ActiveChannels, ActiveSequences, ActiveSongPatterns, ActiveSamples}) s.WriteInt(v);
  // Every order entry, the last one included (ActiveSongPatterns is its index).
  for (int i = 0; i <= ActiveSongPatterns; ++i)
    s.WriteInt(i < static_cast<int>(SongPattern.size()) ? SongPattern[static_cast<size_t>(i)] : 0);
  for (int i = 1; i <= ActiveSamples; ++i) {
    const TrkMod_Instrument* in = i < static_cast<int>(Instrument.size()) ? Instrument[static_cast<size_t>(i)].get() : nullptr;
    s.WriteByte(in ? 1 : 0);
    if (in) SaveInstrument(s, *in);
  }
  s.WriteInt(static_cast<int>(Pattern.size()));
  for (const Ref<TrkMod_Pattern>& p : Pattern) {
    s.WriteByte(p ? 1 : 0);
    if (p) SavePattern(s, *p, debug);
  }
  return s.Ok();
}

Ref<TrkMod_Mixer> TrkMod_Mixer::Load(platform::Stream& s) {
  if (s.ReadBytes(3) != "TKM") return nullptr;
  Reader r{s, true, ""};
  auto m = New<TrkMod_Mixer>();
  m->TrackerName = r.Str8();
  m->MaxPatterns = r.Range(r.Int(), 1, kMaxArray, "pattern array size");
  m->MaxSequences = r.Range(r.Int(), 1, kMaxArray, "order list size");
  m->MaxInstruments = r.Range(r.Int(), 1, kMaxArray, "instrument array size");
  m->DefaultTempo = r.Int();
  m->DefaultSpeed = r.Int();
  m->PeriodMode = r.Int();
  m->Tempo = r.Int();
  m->Speed = r.Int();
  m->MixLevel = r.Float();
  m->StereoSeperation = r.Float();
  if (!(m->MixLevel >= 0 && m->MixLevel <= 16)) m->MixLevel = 0.5f;
  if (!(m->StereoSeperation >= 0 && m->StereoSeperation <= 1)) m->StereoSeperation = 1.0f;
  m->SongName = r.Str8();
  const int channels = r.Range(r.Int(), 1, kMaxChannels, "channel count");
  m->ActiveSequences = r.Int();
  m->ActiveSongPatterns = r.Range(r.Int(), 0, m->MaxSequences - 1, "order list length");
  m->ActiveSamples = r.Range(r.Int(), 0, m->MaxInstruments - 1, "instrument count");
  if (r.ok) m->Init(channels);
  for (int i = 0; i <= m->ActiveSongPatterns && r.ok; ++i) m->SongPattern[static_cast<size_t>(i)] = r.Int();
  for (int i = 1; i <= m->ActiveSamples && r.ok; ++i) {
    if (r.Byte() == 1) m->Instrument[static_cast<size_t>(i)] = LoadInstrument(r);
  }
  const int patterns = r.Range(r.Int(), 0, m->MaxPatterns, "pattern count");
  for (int i = 0; i < patterns && r.ok; ++i) {
    if (r.Byte() == 1) m->Pattern[static_cast<size_t>(i)] = LoadPattern(r, m->DebugData);
  }
  if (!r.ok) {
    MusicLog("a tracker module file that cannot be read: " + r.why);
    return nullptr;
  }
  m->Reset();
  return m;
}

}  // namespace kelp
