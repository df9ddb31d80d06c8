// Extended Module (XM) files: header, order list, packed patterns,
// instruments with volume envelopes, delta-coded 8- and 16-bit samples.
#include <algorithm>

#include "music/music_log.h"
#include "music/trk_loaders.h"

namespace kelp {

namespace {

constexpr int kMaxXmChannels = 64;
constexpr int kMaxXmPatterns = 256;

// The stored note: XM notes count from 1 (C-0), the song's from 0, and 97
// (key-off) becomes 96. Byte 0 and anything past key-off are no note.
int XmNote(int b) {
  if (b >= 1 && b <= 96) return b - 1;
  return b == 97 ? kTrkKeyOff : 0;
}

Ref<TrkMod_Pattern> ReadPattern(platform::Stream& s, int channels, int rows, int64_t end) {
  auto pat = TrkMod_Pattern::Create(channels, rows);
  auto next = [&]() -> int { return s.Pos() < end ? s.ReadByte() : 0; };
  for (int r = 0; r < rows && s.Pos() < end; ++r) {
    for (int c = 0; c < channels && s.Pos() < end; ++c) {
      TrkMod_Track& t = *pat->Track[static_cast<size_t>(c)];
      const size_t i = static_cast<size_t>(r);
      const int first = next();
      int cols[5] = {0, 0, 0, 0, 0};
      if (first & 0x80) {
        for (int k = 0; k < 5; ++k)
          if (first & (1 << k)) cols[k] = next();
      } else {
        cols[0] = first;
        for (int k = 1; k < 5; ++k) cols[k] = next();
      }
      t.Note[i] = XmNote(cols[0]);
      t.Inst[i] = cols[1];
      t.Vol[i] = cols[2];
      t.FX[i] = cols[3];
      t.FXV[i] = cols[4];
    }
  }
  return pat;
}

// One instrument's header and samples; false when the file cannot go on.
bool ReadInstrument(platform::Stream& s, TrkMod_Instrument& in, std::string& why) {
  const int64_t start = s.Pos();
  const int64_t size = static_cast<uint32_t>(s.ReadInt());
  in.Name = TrkTrim(s.ReadBytes(22));
  in.InstrumentType = s.ReadByte();
  const int count = static_cast<uint16_t>(s.ReadShort());
  if (count > TrkMod_Instrument::kMaxSamples) {
    why = "an instrument with " + std::to_string(count) + " samples";
    return false;
  }
  in.SampleCount = count;
  if (count == 0) {
    s.Seek(std::min(s.Size(), start + std::max<int64_t>(size, 29)));
    return true;
  }
  s.ReadInt();  // sample header size: always 40
  for (int k = 0; k < 96; ++k) {
    const int v = s.ReadByte();
    in.NoteSample[static_cast<size_t>(k)] = v < count ? v : 0;
  }
  int ticks[12], values[12];
  for (int k = 0; k < 12; ++k) {
    ticks[k] = static_cast<uint16_t>(s.ReadShort());
    values[k] = static_cast<uint16_t>(s.ReadShort());
  }
  for (int k = 1; k <= 48; ++k) in.PanEnvelope[static_cast<size_t>(k)] = s.ReadByte();
  in.VolPoints = s.ReadByte();
  in.PanPoints = s.ReadByte();
  // Only the points in use: the unused ones are zeros that would cut the note.
  for (int k = 0; k < std::min(in.VolPoints, 12); ++k) in.AddVolumeEnvelopePoint(ticks[k], std::min(values[k], 64));
  // The file counts points from 0.
  in.SetVolSustainPoint(s.ReadByte() + 1);
  const int loopStart = s.ReadByte();
  const int loopEnd = s.ReadByte();
  in.SetVolLoopPoints(loopStart + 1, loopEnd + 1);
  in.PanSustain = s.ReadByte();
  in.PanLoopStart = s.ReadByte();
  in.PanLoopEnd = s.ReadByte();
  in.VolType = s.ReadByte();
  in.PanType = s.ReadByte();
  in.VibType = s.ReadByte();
  in.VibSweep = s.ReadByte();
  in.VibDepth = s.ReadByte();
  in.VibRate = s.ReadByte();
  in.VolFadeout = static_cast<uint16_t>(s.ReadShort());
  in.Reserved = static_cast<uint16_t>(s.ReadShort());
  if (size >= 29) s.Seek(std::min(s.Size(), start + size));

  int64_t bytes[TrkMod_Instrument::kMaxSamples] = {};
  for (int k = 0; k < count; ++k) {
    auto smp = New<TrkMod_Sample>();
    bytes[k] = static_cast<uint32_t>(s.ReadInt());
    smp->LoopStart = static_cast<int>(std::min<uint32_t>(static_cast<uint32_t>(s.ReadInt()), INT32_MAX));
    smp->LoopLength = static_cast<int>(std::min<uint32_t>(static_cast<uint32_t>(s.ReadInt()), INT32_MAX));
    smp->Volume = std::min<int>(s.ReadByte(), 64) / 64.0f;
    smp->FineTune = static_cast<int8_t>(s.ReadByte()) / 128.0;
    smp->Flag = s.ReadByte();
    smp->Pan = s.ReadByte() - 128;
    smp->RelativeNote = static_cast<int8_t>(s.ReadByte());
    s.ReadByte();
    smp->Name = TrkTrim(s.ReadBytes(22));
    smp->Loop = (smp->Flag & 1) ? 1 : (smp->Flag & 2);
    in.Sample[static_cast<size_t>(k)] = smp;
  }
  for (int k = 0; k < count; ++k) {
    TrkMod_Sample& smp = *in.Sample[static_cast<size_t>(k)];
    const int64_t n = std::min(bytes[k], std::max<int64_t>(0, s.Remaining()));
    std::vector<uint8_t> bank(static_cast<size_t>(n));
    if (!bank.empty()) s.Read(bank.data(), bank.size());
    if (smp.Flag & 16) {
      int16_t acc = 0;
      for (size_t i = 0; i + 1 < bank.size(); i += 2) {
        acc = static_cast<int16_t>(acc + static_cast<int16_t>(bank[i] | (bank[i + 1] << 8)));
        bank[i] = static_cast<uint8_t>(acc & 0xFF);
        bank[i + 1] = static_cast<uint8_t>((acc >> 8) & 0xFF);
      }
      smp.LoopStart /= 2;
      smp.LoopLength /= 2;
      smp.ConvertSampleFromBank(bank, 2);
    } else {
      uint8_t acc = 0;
      for (uint8_t& b : bank) b = acc = static_cast<uint8_t>(acc + b);
      smp.ConvertSampleFromBank(bank, 1);
    }
  }
  return true;
}

}  // namespace

Ref<TrkMod_Mixer> LoadXm(platform::Stream& s) {
  if (TrkTrim(s.ReadBytes(17)) != "Extended Module:") return nullptr;
  auto m = New<TrkMod_Mixer>();
  m->SongName = TrkTrim(s.ReadBytes(20));
  s.ReadByte();
  m->TrackerName = TrkTrim(s.ReadBytes(20));
  s.ReadShort();
  const int64_t headerSize = static_cast<uint32_t>(s.ReadInt());
  const int songLength = std::clamp<int>(static_cast<uint16_t>(s.ReadShort()), 1, 256);
  s.ReadShort();  // restart position
  const int channels = static_cast<uint16_t>(s.ReadShort());
  const int patterns = static_cast<uint16_t>(s.ReadShort());
  const int instruments = static_cast<uint16_t>(s.ReadShort());
  m->PeriodMode = static_cast<uint16_t>(s.ReadShort());
  m->DefaultSpeed = m->Speed = static_cast<uint16_t>(s.ReadShort());
  m->DefaultTempo = m->Tempo = static_cast<uint16_t>(s.ReadShort());
  if (channels < 1 || channels > kMaxXmChannels || patterns > kMaxXmPatterns || instruments >= m->MaxInstruments) {
    MusicLog("an XM file with " + std::to_string(channels) + " channels, " + std::to_string(patterns) + " patterns, " +
             std::to_string(instruments) + " instruments cannot play");
    return nullptr;
  }
  m->ActiveSamples = instruments;
  m->Init(channels);

  int highest = patterns - 1;
  for (int i = 0; i < 256; ++i) {
    const int p = s.ReadByte();
    if (i < songLength) {
      m->SongPattern[static_cast<size_t>(i)] = p;
      highest = std::max(highest, p);
    }
  }
  m->ActiveSongPatterns = songLength - 1;
  m->ActiveSequences = patterns;
  m->CurrentPattern = m->SongPattern[0];
  // Order entries past the pattern count name empty patterns of 64 lines.
  m->Pattern.assign(static_cast<size_t>(highest + 1), nullptr);
  if (highest >= patterns) {
    const Ref<TrkMod_Pattern> blank = TrkMod_Pattern::Create(channels, 64);
    for (int p = patterns; p <= highest; ++p) m->Pattern[static_cast<size_t>(p)] = TrkMod_Pattern::SameTracks(*blank);
  }

  s.Seek(std::min(s.Size(), 60 + headerSize));
  Ref<TrkMod_Pattern> missing;  // patterns wholly past the end of the file share its tracks
  for (int i = 0; i < patterns; ++i) {
    if (s.Eof()) {
      // A short file may declare up to 256 patterns it does not hold: each
      // is the empty pattern of 64 lines its missing header leaves.
      if (!missing) missing = TrkMod_Pattern::Create(channels, 64);
      auto pat = TrkMod_Pattern::SameTracks(*missing);
      pat->Title = "Pattern " + std::to_string(i);
      m->Pattern[static_cast<size_t>(i)] = pat;
      continue;
    }
    const int64_t start = s.Pos();
    const int64_t hlen = static_cast<uint32_t>(s.ReadInt());
    const int packing = s.ReadByte();
    int rows = static_cast<uint16_t>(s.ReadShort());
    const int64_t dataSize = static_cast<uint16_t>(s.ReadShort());
    if (rows < 1 || rows > 256) rows = 64;
    const int64_t dataStart = std::min(s.Size(), start + std::max<int64_t>(hlen, 9));
    s.Seek(dataStart);
    if (packing != 0) m->WriteBug("Pattern " + std::to_string(i) + ": unknown packing, left empty\n");
    auto pat = packing == 0 && dataSize > 0 ? ReadPattern(s, channels, rows, dataStart + dataSize)
                                            : TrkMod_Pattern::Create(channels, rows);
    pat->Title = "Pattern " + std::to_string(i);
    m->Pattern[static_cast<size_t>(i)] = pat;
    s.Seek(std::min(s.Size(), dataStart + dataSize));
  }

  for (int i = 1; i <= instruments; ++i) {
    if (s.Eof()) {
      m->WriteBug("The file ends before instrument " + std::to_string(i) + "\n");
      break;
    }
    auto in = New<TrkMod_Instrument>();
    std::string why;
    if (!ReadInstrument(s, *in, why)) {
      MusicLog("an XM file that cannot play: " + why);
      return nullptr;
    }
    m->Instrument[static_cast<size_t>(i)] = in;
  }
  m->WriteBug("Load complete.\n");
  m->CalcSize();
  m->MixLevel = 0.25f;
  return m;
}

}  // namespace kelp
