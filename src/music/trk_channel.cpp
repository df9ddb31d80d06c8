#include "music/trk_channel.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "music/trk_mixer.h"

namespace kelp {

namespace {

struct WaveTables {
  std::array<double, 65> sine{}, ramp{}, square{};
  WaveTables() {
    for (int i = 0; i < 65; ++i) {
      sine[static_cast<size_t>(i)] = std::sin(2 * M_PI * i / 65);
      // 0, -1/32 .. -1 at 32, then 31/32 down to 1/32 at 63, 0 at 64
      ramp[static_cast<size_t>(i)] = i <= 32 ? -i / 32.0 : i < 64 ? (64 - i) / 32.0 : 0.0;
      square[static_cast<size_t>(i)] = i < 32 ? -1.0 : 1.0;
    }
  }
};

// Slides stop here: far above hearing, and the step stays a sane number.
constexpr double kHighest = 160;

const WaveTables& Tables() {
  static const WaveTables t;
  return t;
}

}  // namespace

double TrkWaveTable(int waveform, int index) {
  const size_t i = static_cast<size_t>(std::clamp(index, 0, 64));
  switch (waveform & 3) {
    case 0: return Tables().sine[i];
    case 1: return Tables().ramp[i];
    default: return Tables().square[i];
  }
}

void TrkMod_Channel::CalcPanGains(double pan, double separation, double& left, double& right) {
  const double p = std::clamp(pan * separation, -1.0, 1.0);
  left = std::min(1.0, 1.0 - p);
  right = std::min(1.0, 1.0 + p);
}

void TrkMod_Channel::Silence() {
  Instrument = nullptr;
  Sample = nullptr;
  Add = 0;
  Pos = 0;
}

void TrkMod_Channel::SetFreq(double extra) {
  const double s = Add < 0 ? -1.0 : 1.0;
  const double rel = Sample ? Sample->RelativeNote : 0;
  Add = s * std::exp2((Note + extra + FineTune + VibratoValue + rel - 77) / 12.0);
}

void TrkMod_Channel::CalcKeyOff() {
  // Fade-out per tick as the XM format counts it (65536 = full volume, the
  // instrument's value doubled each tick).
  const int fade = Instrument ? Instrument->VolFadeout : 0;
  KeyOffStep = fade < 1 ? 1.0 : fade * 2.0 / 65536.0;
}

void TrkMod_Channel::ApplyKeyOff() {
  if (!KeyOff) return;
  KeyOffValue -= KeyOffStep;
  if (KeyOffValue <= 0) {
    Add = 0;
    KeyOffValue = 0;
  }
  MixerVolume *= KeyOffValue;
}

void TrkMod_Channel::PreCalc() { Env = Instrument ? Instrument->GetEnvelopeVolume(Tick, VolumeEnvelopeIndex, KeyOff != 0) : 1.0; }

void TrkMod_Channel::EFFECT_VolumeSlide(int tick, int up, int down) {
  if (tick == 0) {
    if (up == 0 || down == 0) VolumeSlide = up ? up * volumestep : down ? -down * volumestep : 0;
    return;
  }
  Volume = std::clamp(Volume + VolumeSlide, 0.0, 1.0);
}

void TrkMod_Channel::DoNotePortamento() {
  if (Add == 0 || TonePortamentoNote <= 0) return;
  const double before = Note;
  if (Note < TonePortamentoNote) {
    Note = std::min(TonePortamentoNote, Note + TonePortamentoValue);
  } else if (Note > TonePortamentoNote) {
    Note = std::max(TonePortamentoNote, Note - TonePortamentoValue);
  }
  if (Note != before) SetFrequency = 1;
}

void TrkMod_Channel::DoVibrato() {
  if (Add == 0) return;
  if (VibratoCount > 64) VibratoCount %= 64;
  double w;
  if ((VibratoWaveForm & 3) == 3) {
    seed = seed * 1664525u + 1013904223u;
    w = (seed >> 8) / 8388608.0 - 1.0;
  } else {
    w = TrkWaveTable(VibratoWaveForm, VibratoCount);
  }
  VibratoValue = slidestep * w * VibratoDepth;
  SetFrequency = 1;
  VibratoCount += VibratoSpeed;
}

void TrkMod_Channel::DoTremolo() {
  if (Add == 0) return;
  if (TremoloCount > 64) TremoloCount %= 64;
  double w;
  if ((TremoloWaveForm & 3) == 3) {
    seed = seed * 1664525u + 1013904223u;
    w = (seed >> 8) / 8388608.0 - 1.0;
  } else {
    w = TrkWaveTable(TremoloWaveForm, TremoloCount);
  }
  TremoloValue = w * TremoloDepth / 64.0;
  TremoloCount += TremoloSpeed;
}

void TrkMod_Channel::ApplyVolume(int tick, int b) {
  if (b >= 16 && b <= 80) {
    if (tick == 0) Volume = (b - 16) * volumestep;
  } else if (b >= 96 && b <= 111) {
    if (tick != 0) Volume -= (b - 96) * volumestep;
  } else if (b >= 112 && b <= 127) {
    if (tick != 0) Volume = std::min(1.0, Volume + (b - 112) * volumestep);
  } else if (b >= 128 && b <= 143) {
    if (tick == 0) Volume -= (b - 128) * volumestep;
  } else if (b >= 144 && b <= 159) {
    if (tick == 0) Volume = std::min(1.0, Volume + (b - 144) * volumestep);
  } else if (b >= 160 && b <= 175) {
    if (tick == 0) VibratoSpeed = b - 160;
  } else if (b >= 192 && b <= 207) {
    if (tick == 0) {
      Pan = std::clamp((b - 200) * 16, -128, 128) / 128.0;
      SetPan = 1;
    }
  } else if (b >= 208 && b <= 239) {
    if (tick != 0) {
      Pan = std::clamp(Pan + (b < 224 ? -1 : 1) * (b & 15) / 128.0, -1.0, 1.0);
      SetPan = 1;
    }
  } else if (b >= 240) {
    if (tick == 0) {
      if (linenote > 0 && linenote < kTrkKeyOff) TonePortamentoNote = linenote;
      if (b > 240) TonePortamentoValue = (b - 240) * slidestep;
    }
    DoNotePortamento();
  }
  Volume = std::max(0.0, Volume);
}

void TrkMod_Channel::Trigger(TrkMod_Mixer& mixer) {
  const bool porta = fx == 3 || fx == 5 || vol >= 240;
  if (linenote == kTrkKeyOff) {
    KeyOff = 1;
    CalcKeyOff();
    ClickDelay = ClickDelaySize - 1;
  } else if (linenote > 0 && linenote < kTrkKeyOff && !porta) {
    Tick = 0;
    Note = linenote;
    VolumeEnvelopeIndex = 0;
    VibratoCount = 0;
    VibratoValue = 0;
    TremoloCount = 0;
    TremoloValue = 0;
    Pos = 0;
    KeyOff = 0;
    KeyOffValue = 1;
    ClickDelay = ClickDelaySize - 1;
    Arped = 0;
    SetFrequency = 1;
    SetPan = 1;
    if (Add == 0) Add = 1;  // sounding again (SetFreq gives the step)
    if (Add < 0) Add = -Add;
  }
  if (inst > 0) {
    Instrument = inst < static_cast<int>(mixer.Instrument.size()) ? mixer.Instrument[static_cast<size_t>(inst)].get() : nullptr;
    Sample = Instrument ? Instrument->GetSample(static_cast<int>(Note)) : nullptr;
    if (!Sample || Sample->Length <= 0) {
      Sample = nullptr;
      Add = 0;
    } else {
      Volume = MixerVolume = Sample->Volume;
      FineTune = Sample->FineTune;
      Pan = Sample->Pan / 128.0;
      ClickDelay = ClickDelaySize - 1;
      SetPan = 1;
      if (KeyOff && linenote != kTrkKeyOff && porta) {
        KeyOff = 0;
        KeyOffValue = 1;
      }
    }
  } else if (Instrument && linenote > 0 && linenote < kTrkKeyOff && !porta) {
    // A note without an instrument number plays the instrument's sample for that note.
    Sample = Instrument->GetSample(linenote);
    if (!Sample || Sample->Length <= 0) {
      Sample = nullptr;
      Add = 0;
    }
  }
}

void TrkMod_Channel::ApplyCommand(const TrkMod_Track* track, TrkMod_Mixer& mixer) {
  Tick += 1;
  const int tick = mixer.MMTick;
  if (tick == 0) {
    line = mixer.CurrentLine;
    const bool ok = track && line >= 0 && line < track->LineCount;
    const size_t l = static_cast<size_t>(line);
    linenote = ok ? track->Note[l] : 0;
    inst = ok ? track->Inst[l] : 0;
    vol = ok ? track->Vol[l] : 0;
    fx = ok ? track->FX[l] : 0;
    fxv = ok ? track->FXV[l] & 0xFF : 0;
    fxvl = fxv >> 4;
    fxvr = fxv & 15;
  }
  const int delay = fx == 14 && fxvl == 13 ? fxvr : 0;
  if (tick == delay && (linenote != 0 || inst != 0)) Trigger(mixer);
  if (!Sample || Note == 0) return;
  if (vol > 15) ApplyVolume(tick, vol);
  if (Arped && !(fx == 0 && fxv != 0)) {
    Arped = 0;
    SetFrequency = 1;
  }
  double extra = 0;
  switch (fx) {
    case 0:
      if (fxv != 0) {
        const int k = tick % 3;
        extra = k == 1 ? fxvl : k == 2 ? fxvr : 0;
        Arped = 1;
        SetFrequency = 1;
      }
      break;
    case 1:
      if (tick == 0 && fxv) PortamentoUp = fxv;
      Note = std::min(kHighest, Note + PortamentoUp * slidestep);
      SetFrequency = 1;
      break;
    case 2:
      if (tick == 0 && fxv) PortamentoDown = fxv;
      Note = std::max(1.0, Note - PortamentoDown * slidestep);
      SetFrequency = 1;
      break;
    case 3:
    case 5:
      if (tick == 0) {
        if (linenote > 0 && linenote < kTrkKeyOff) TonePortamentoNote = linenote;
        if (fx == 3 && fxv) TonePortamentoValue = fxv * slidestep;
        if (fx == 3) {
          KeyOff = 0;
          KeyOffValue = 1;
        }
      }
      DoNotePortamento();
      if (fx == 5) EFFECT_VolumeSlide(tick, fxvl, fxvr);
      break;
    case 4:
    case 6:
      if (fx == 4 && tick == 0) {
        if (fxvl) VibratoSpeed = fxvl;
        if (fxvr) VibratoDepth = fxvr;
      }
      DoVibrato();
      if (fx == 6) EFFECT_VolumeSlide(tick, fxvl, fxvr);
      break;
    case 7:
      if (tick == 0) {
        if (fxvl) TremoloSpeed = fxvl;
        if (fxvr) TremoloDepth = fxvr;
      }
      DoTremolo();
      break;
    case 8:
      if (tick == 0) {
        Pan = (fxv - 128) / 128.0;
        SetPan = 1;
      }
      break;
    case 9:
      if (tick == 0 && fxv * 256 < Sample->Length) Pos = fxv * 256;
      break;
    case 10: EFFECT_VolumeSlide(tick, fxvl, fxvr); break;
    case 12:
      if (tick == 0) Volume = std::clamp(fxv / 64.0, 0.0, 1.0);
      break;
    case 14:
      switch (fxvl) {
        case 1:
        case 2:
          if (tick == 0 && fxvr) {
            Note = std::clamp(Note + (fxvl == 1 ? 1 : -1) * fxvr * slidestep, 1.0, kHighest);
            VibratoValue = 0;
            SetFrequency = 1;
          }
          break;
        case 4:
          if (tick == 0) VibratoWaveForm = fxvr;
          break;
        case 5:
          if (tick == 0) {
            const int y = std::max(-7, fxvr > 7 ? fxvr - 16 : fxvr);
            FineTune = 0.125 * y;
            SetFrequency = 1;
          }
          break;
        case 7:
          if (tick == 0) TremoloWaveForm = fxvr;
          break;
        case 8:
          if (tick == 0) {
            Pan = 0.125 * (fxvr - 8);
            SetPan = 1;
          }
          break;
        case 9:
          if (fxvr == 0 ? tick == 0 : tick % fxvr == 0) {
            Tick = 0;
            Pos = 0;
            VolumeEnvelopeIndex = 0;
            if (Add < 0) Add = -Add;
          }
          break;
        case 10:
          if (tick == 0) Volume = std::min(1.0, Volume + fxvr * volumestep);
          break;
        case 11:
          if (tick == 0) Volume = std::max(0.0, Volume - fxvr * volumestep);
          break;
        case 12:
          if (tick == fxvr) Volume = 0;
          break;
        default: break;
      }
      break;
    case 20:
      if (tick == fxv) {
        KeyOff = 1;
        CalcKeyOff();
      }
      break;
    case 33:
      if (tick == 0 && (fxvl == 1 || fxvl == 2)) {
        Note = std::clamp(Note + (fxvl == 1 ? 1 : -1) * fxvr * slidestep / 4, 1.0, kHighest);
        SetFrequency = 1;
      }
      break;
    default: break;
  }
  if (SetFrequency || extra != 0) {
    SetFreq(extra);
    SetFrequency = 0;
  }
  if (SetPan) {
    CalcPanGains(Pan, mixer.StereoSeperation, LPanCalc, RPanCalc);
    FinalPan = Pan;
    SetPan = 0;
  }
}

double TrkMod_Channel::FixPos(double pos, double& step) const {
  if (!Sample || step == 0 || Sample->Length <= 0 || !std::isfinite(pos) || !std::isfinite(step)) return -1;
  const TrkMod_Sample& s = *Sample;
  const double len = std::min<double>(s.Length, static_cast<double>(s.SoundData.size()));
  const bool loop = s.Loop != 0 && s.LoopLength > 0 && s.LoopStart >= 0 && s.LoopStart < len;
  if (!loop) {
    if (pos < 0 || pos >= len) {
      step = 0;
      return -1;
    }
    return pos;
  }
  const double start = s.LoopStart;
  const double end = std::min(len, start + s.LoopLength);
  const double span = end - start;
  if (s.Loop == 2) {
    // Mirror at both ends; loops shorter than the step fold as often as needed.
    for (int i = 0; i < 64 && (pos >= end || (step < 0 && pos < start)); ++i) {
      if (pos >= end) {
        pos = end - (pos - end) - 1e-9;
        step = -std::fabs(step);
      } else {
        pos = start + (start - pos);
        step = std::fabs(step);
      }
    }
    return std::clamp(pos, 0.0, end - 1e-9);
  }
  if (pos >= end) pos = start + std::fmod(pos - start, span);
  if (pos < 0) {
    step = 0;
    return -1;
  }
  return pos;
}

double TrkMod_Channel::Fetch(double pos) const {
  const TrkMod_Sample& s = *Sample;
  const int n = static_cast<int>(s.SoundData.size());
  const int i = static_cast<int>(pos);
  const double f = pos - i;
  const int a = s.SoundData[static_cast<size_t>(i)];
  int next = i + 1;
  if (s.Loop == 1 && s.LoopLength > 0 && next >= s.LoopStart + s.LoopLength) next = s.LoopStart;
  const int b = next < n ? s.SoundData[static_cast<size_t>(next)] : a;
  return a + (b - a) * f;
}

void TrkMod_Channel::Mix(int32_t* left, int32_t* right, int n) {
  MixerVolume = std::clamp(Volume + TremoloValue, 0.0, 1.0) * Env * KeyOffValue;
  LevelL = LevelR = 0;
  double sum = 0;
  const double gl = LPanCalc, gr = RPanCalc;
  int i = 0;
  if (Sample && Add != 0 && !Mute && !Sample->SoundData.empty()) {
    const double vol = MixerVolume;
    const int32_t* d = Sample->SoundData.data();
    const TrkMod_Sample& smp = *Sample;
    const int len = std::min(smp.Length, static_cast<int>(smp.SoundData.size()));
    const bool loop = smp.Loop != 0 && smp.LoopLength > 0 && smp.LoopStart >= 0 && smp.LoopStart < len;
    // Between these the neighbour of every position is the next stored value.
    const int hi = loop ? std::min(len, smp.LoopStart + smp.LoopLength) : len;
    const int lo = loop && smp.Loop == 2 ? smp.LoopStart : 0;
    while (i < n) {
      const double p = FixPos(Pos, Add);
      if (p < 0) break;
      Pos = p;
      // A run of positions that need no loop handling, or one that does.
      int run = 0;
      if (static_cast<int>(Pos) + 1 < hi) {
        const double steps = Add > 0 ? (hi - 1 - Pos) / Add : (Pos - lo) / -Add + 1;
        run = static_cast<int>(std::clamp(steps, 0.0, static_cast<double>(n - i)));
      }
      if (run == 0) {
        double v = Fetch(Pos) * vol;
        Pos += Add;
        if (ClickDelay > 0) {
          v += (LastAV - v) * (ClickDelay * ClickFrac);
          --ClickDelay;
        }
        LastAV = static_cast<int>(v);
        left[i] += static_cast<int32_t>(v * gl);
        right[i] += static_cast<int32_t>(v * gr);
        sum += std::fabs(v);
        ++i;
        continue;
      }
      double pos = Pos;
      const double add = Add;
      double v = 0;
      const int end = i + run;
      for (; i < end && ClickDelay > 0; ++i) {
        const int k = static_cast<int>(pos);
        v = (d[k] + (d[k + 1] - d[k]) * (pos - k)) * vol;
        pos += add;
        v += (LastAV - v) * (ClickDelay * ClickFrac);
        --ClickDelay;
        LastAV = static_cast<int>(v);
        left[i] += static_cast<int32_t>(v * gl);
        right[i] += static_cast<int32_t>(v * gr);
        sum += std::fabs(v);
      }
      for (; i < end; ++i) {
        const int k = static_cast<int>(pos);
        v = (d[k] + (d[k + 1] - d[k]) * (pos - k)) * vol;
        pos += add;
        left[i] += static_cast<int32_t>(v * gl);
        right[i] += static_cast<int32_t>(v * gr);
        sum += std::fabs(v);
      }
      LastAV = static_cast<int>(v);
      Pos = pos;
    }
    if (i < n) Add = 0;  // the sample has run out
  }
  // Silent or run out: the last value dies away rather than click.
  for (; i < n && LastAV != 0; ++i) {
    LastAV = static_cast<int>(LastAV * 0.8);
    left[i] += static_cast<int32_t>(LastAV * gl);
    right[i] += static_cast<int32_t>(LastAV * gr);
  }
  if (n > 0) {
    LevelL = sum * gl / n / 32767;
    LevelR = sum * gr / n / 32767;
  }
}

}  // namespace kelp
