#include "music/trk_model.h"

#include <algorithm>
#include <cstdio>

namespace kelp {

namespace {

std::string Hex2(int v) {
  char b[8];
  std::snprintf(b, sizeof b, "%02X", v & 0xFF);
  return b;
}

}  // namespace

Ref<TrkMod_Track> TrkMod_Track::Create(int lines) {
  auto t = New<TrkMod_Track>();
  t->LineCount = std::max(0, lines);
  const size_t n = static_cast<size_t>(t->LineCount);
  t->Note.assign(n, 0);
  t->Inst.assign(n, 0);
  t->Vol.assign(n, 0);
  t->FX.assign(n, 0);
  t->FXV.assign(n, 0);
  return t;
}

std::string TrkMod_Track::GetNoteTag(int note) {
  static const char* kNames[12] = {"C ", "C#", "D ", "D#", "E ", "F ", "F#", "G ", "G#", "A ", "A#", "B "};
  if (note < 0) return "<<<";
  if (note < 1 || note >= 108) return ">>>";
  return std::string(kNames[note % 12]) + static_cast<char>('0' + note / 12);
}

std::string TrkMod_Track::GetText(int line) const {
  if (line < 0 || line >= LineCount) return "";
  const size_t i = static_cast<size_t>(line);
  std::string s;
  if (Note[i] >= 1 && Note[i] <= 95) {
    s = GetNoteTag(Note[i]) + " ";
  } else if (Note[i] == kTrkKeyOff) {
    s = " |  ";
  } else {
    s = "--- ";
  }
  s += Inst[i] < 1 ? "   " : Hex2(Inst[i]) + " ";
  s += Vol[i] < 1 ? "   " : Hex2(Vol[i]) + " ";
  if (FX[i] == 0 && FXV[i] == 0) {
    s += "   ";
  } else {
    const int fx = FX[i];
    s += fx >= 0 && fx <= 15 ? "0123456789ABCDEF"[fx] : static_cast<char>(fx + 55);
    s += Hex2(FXV[i]);
  }
  return s;
}

int TrkMod_Track::GetBVal(int line) const {
  if (line < 0 || line >= LineCount) return 0;
  const size_t i = static_cast<size_t>(line);
  const int cols[5] = {Note[i], Inst[i], Vol[i], FX[i], FXV[i]};
  int v = 0x80;
  bool all = true;
  for (int c = 0; c < 5; ++c) {
    if (cols[c] != 0) {
      v |= 1 << c;
    } else {
      all = false;
    }
  }
  return all ? 0 : v;
}

bool TrkMod_Track::IsIdentical(const TrkMod_Track& o) const {
  return LineCount == o.LineCount && Note == o.Note && Inst == o.Inst && Vol == o.Vol && FX == o.FX && FXV == o.FXV;
}

Ref<TrkMod_Pattern> TrkMod_Pattern::Create(int tracks, int lines) {
  auto p = New<TrkMod_Pattern>();
  p->TrackCount = std::max(0, tracks);
  p->LineCount = std::max(0, lines);
  for (int i = 0; i < p->TrackCount; ++i) p->Track.push_back(TrkMod_Track::Create(p->LineCount));
  p->LineText.assign(static_cast<size_t>(p->LineCount) + 1, "");
  return p;
}

Ref<TrkMod_Pattern> TrkMod_Pattern::SameTracks(const TrkMod_Pattern& model) {
  auto p = New<TrkMod_Pattern>();
  p->TrackCount = model.TrackCount;
  p->LineCount = model.LineCount;
  p->Track = model.Track;
  p->LineText.assign(static_cast<size_t>(p->LineCount) + 1, "");
  return p;
}

void TrkMod_Pattern::UpdateText() {
  LineText.assign(static_cast<size_t>(LineCount) + 1, "");
  for (int l = 0; l < LineCount; ++l) {
    std::string& s = LineText[static_cast<size_t>(l)];
    for (const Ref<TrkMod_Track>& t : Track) s += t->GetText(l) + " ";
  }
}

void TrkMod_Sample::ConvertSampleFromBank(const std::vector<uint8_t>& bank, int kind) {
  SoundData.clear();
  if (kind == 1) {
    SoundData.reserve(bank.size());
    // 8-bit values spread over the 16-bit scale: 0x7F is 32512, 0x80 -32768.
    for (uint8_t v : bank) SoundData.push_back(static_cast<int8_t>(v) * 256);
  } else if (kind == 2) {
    for (size_t i = 0; i + 1 < bank.size(); i += 2)
      SoundData.push_back(static_cast<int16_t>(bank[i] | (bank[i + 1] << 8)));
  } else if (kind == 4) {
    for (size_t i = 0; i + 3 < bank.size(); i += 4) {
      const int l = static_cast<int16_t>(bank[i] | (bank[i + 1] << 8));
      const int r = static_cast<int16_t>(bank[i + 2] | (bank[i + 3] << 8));
      SoundData.push_back(static_cast<int32_t>(l / 2.0 + r / 2.0 + (l + r >= 0 ? 0.5 : -0.5)));
    }
  }
  Length = static_cast<int>(SoundData.size());
  ClampLoop();
}

void TrkMod_Sample::ClampLoop() {
  if (Loop == 0) return;
  if (LoopStart < 0 || LoopStart >= Length || LoopLength <= 0) {
    Loop = 0;
    LoopStart = LoopLength = 0;
    return;
  }
  LoopLength = std::min(LoopLength, Length - LoopStart);
}

void TrkMod_Instrument::AddVolumeEnvelopePoint(int tick, int value) {
  VolEnvList.push_back({tick, static_cast<float>(value) / 64.0f});
}

void TrkMod_Instrument::SetVolSustainPoint(int number) {
  const int n = static_cast<int>(VolEnvList.size());
  number = std::clamp(number, 0, std::max(0, n));
  VolSustain = number > 0 ? number - 1 : 0;
}

void TrkMod_Instrument::SetVolLoopPoints(int start, int end) {
  const int n = static_cast<int>(VolEnvList.size());
  start = std::clamp(start, 0, std::max(0, n));
  end = std::clamp(end, 0, std::max(0, n));
  VolLoopStart = start > 0 ? start - 1 : 0;
  VolLoopEnd = end > 0 ? end - 1 : 0;
}

TrkMod_Sample* TrkMod_Instrument::GetSample(int note) const {
  if (note < 1 || note > 95) return nullptr;
  const int s = NoteSample[static_cast<size_t>(note)];
  if (s < 0 || s >= kMaxSamples) return nullptr;
  return Sample[static_cast<size_t>(s)].get();
}

double TrkMod_Instrument::GetEnvelopeVolume(int& tick, int& index, bool keyOff) const {
  const int n = static_cast<int>(VolEnvList.size());
  if ((VolType & 1) == 0 || n == 0) return 1.0;
  const auto& pts = VolEnvList;
  index = std::clamp(index, 0, n - 1);
  if ((VolType & 2) && !keyOff && VolSustain >= 0 && VolSustain < n && index <= VolSustain &&
      tick >= pts[static_cast<size_t>(VolSustain)].Tick) {
    index = VolSustain;
    tick = pts[static_cast<size_t>(index)].Tick;
    return std::clamp<double>(pts[static_cast<size_t>(index)].Value, 0.0, 1.0);
  }
  if ((VolType & 4) && VolLoopEnd < n && VolLoopStart <= VolLoopEnd && index <= VolLoopEnd &&
      tick >= pts[static_cast<size_t>(VolLoopEnd)].Tick) {
    index = VolLoopStart;
    tick = pts[static_cast<size_t>(index)].Tick;
  }
  while (index + 1 < n && tick >= pts[static_cast<size_t>(index) + 1].Tick) ++index;
  const TrkMod_EnvelopePoint& a = pts[static_cast<size_t>(index)];
  double v = a.Value;
  if (index + 1 < n) {
    const TrkMod_EnvelopePoint& b = pts[static_cast<size_t>(index) + 1];
    const int span = b.Tick - a.Tick;
    if (span > 0 && tick > a.Tick) v = a.Value + (b.Value - a.Value) * (tick - a.Tick) / span;
  }
  return std::clamp(v, 0.0, 1.0);
}

}  // namespace kelp
