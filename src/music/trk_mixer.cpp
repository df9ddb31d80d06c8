#include "music/trk_mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "music/music_log.h"

namespace kelp {

int TrkMod_Mixer::MaxSongFrames = 44100 * 3600;

namespace {

int16_t ToSample(double v) {
  if (v >= 32767) v = 32767;
  if (v <= -32767) v = -32767;
  return static_cast<int16_t>(v + 0.5);  // toward zero: the negative limit is -32766
}

void MixToStereo16(const int32_t* left, const int32_t* right, int16_t* out, int count, double level) {
  for (int i = 0; i < count; ++i) {
    out[2 * i] = ToSample(level * left[i]);
    out[2 * i + 1] = ToSample(level * right[i]);
  }
}

}  // namespace

void TrkMod_Mixer::Init(int channels) {
  Instrument.assign(static_cast<size_t>(std::max(0, MaxInstruments)), nullptr);
  Pattern.assign(static_cast<size_t>(std::max(0, MaxPatterns)), nullptr);
  SongPattern.assign(static_cast<size_t>(std::max(0, MaxSequences)), 0);
  MMC_Channel.clear();
  for (int i = 0; i < channels; ++i) MMC_Channel.push_back(New<TrkMod_Channel>());
  ActiveChannels = channels;
}

void TrkMod_Mixer::Free() {
  for (const Ref<TrkMod_Channel>& c : MMC_Channel) c->Silence();
  Instrument.clear();
  Pattern.clear();
  SongPattern.clear();
  MMC_Channel.clear();
  PlayStatus = 0;
}

TrkMod_Pattern* TrkMod_Mixer::PatternAt(int position) const {
  if (position < 0 || position >= static_cast<int>(SongPattern.size())) return nullptr;
  const int p = SongPattern[static_cast<size_t>(position)];
  if (p < 0 || p >= static_cast<int>(Pattern.size())) return nullptr;
  return Pattern[static_cast<size_t>(p)].get();
}

int TrkMod_Mixer::FramesPerTick() const {
  // Tempo outside the formats' 32..255 (0 in a damaged file) would divide by
  // zero or make ticks of no length; such tempos play at the nearest limit.
  const int tempo = std::clamp(Tempo, 32, 255);
  return std::max(1, static_cast<int>(std::floor(SAMPLE_RATE / (tempo * 0.4))));
}

void TrkMod_Mixer::Halt() {
  PlayStatus = 0;
  for (const Ref<TrkMod_Channel>& c : MMC_Channel) c->Silence();
}

void TrkMod_Mixer::Reset() {
  Halt();
  STREAM_POS = 0;
  MMTick = 0;
  CurrentLine = 0;
  CurrentSongPattern = 0;
  CurrentPattern = SongPattern.empty() ? -1 : SongPattern[0];
  Tempo = DefaultTempo;
  Speed = DefaultSpeed;
  BytesUntilTick = 0;
  LineJump = -1;
  MMJump = -1;
  MMJumpLine = 0;
  PatternLoopStart = PatternLoopEnd = 0;
  PatternLoopCount = -1;
  patterndelay = 0;
  endPending_ = false;
}

void TrkMod_Mixer::SetCurrentSequence(int position) {
  if (PatternLock) return;
  if (position < 0 || position >= static_cast<int>(SongPattern.size())) return;
  CurrentSongPattern = position;
  CurrentPattern = SongPattern[static_cast<size_t>(position)];
}

void TrkMod_Mixer::SetTiming(int value) {
  if (value <= 0) return;
  if (value < 32) {
    Speed = value;
  } else {
    Tempo = value;
  }
}

void TrkMod_Mixer::PatternBreak(int line) {
  MMJump = CurrentSongPattern + 1;  // past the last position: the song's end (or its start again)
  MMJumpLine = std::max(0, line);  // checked against the target's length when it is reached
}

void TrkMod_Mixer::PatternLineRepeat(int count) {
  if (count == 0) {
    PatternLoopStart = CurrentLine;
    return;
  }
  LineJump = 1;
  if (PatternLoopCount == -1 && PatternLoopEnd < CurrentLine + 1) {
    // PatternLoopEnd holds the line after the loop's end, so a loop of line 0 works too.
    PatternLoopCount = count;
    PatternLoopEnd = CurrentLine + 1;
  } else if (PatternLoopCount == 0) {
    PatternLoopCount = -1;
    LineJump = -1;
  }
}

void TrkMod_Mixer::EndOfSong() {
  // The tick that ended the song still plays; the next one finds it over.
  endPending_ = true;
}

bool TrkMod_Mixer::Do_Player() {
  if (endPending_) {
    Reset();
    return false;
  }
  TrkMod_Pattern* pat =
      CurrentPattern >= 0 && CurrentPattern < static_cast<int>(Pattern.size()) ? Pattern[static_cast<size_t>(CurrentPattern)].get()
                                                                                 : nullptr;
  if (!pat) {
    if (!warnedNoPattern_) {
      MusicLog("no pattern!!! (order position " + std::to_string(CurrentSongPattern) + " names pattern " +
               std::to_string(CurrentPattern) + "): the song ends there");
      warnedNoPattern_ = true;
    }
    STREAM_SIZE = std::max(STREAM_SIZE, STREAM_POS);
    Reset();
    return false;
  }
  const int channels = std::min({ActiveChannels, pat->TrackCount, static_cast<int>(MMC_Channel.size()),
                                  static_cast<int>(pat->Track.size())});
  if (MMTick == 0 && CurrentLine >= 0) {
    bool jumped = false;  // a position jump on this line keeps its target against a break
    for (int c = 0; c < channels; ++c) {
      const TrkMod_Track* t = pat->Track[static_cast<size_t>(c)].get();
      if (!t || CurrentLine >= t->LineCount) continue;
      const size_t l = static_cast<size_t>(CurrentLine);
      const int fx = t->FX[l], v = t->FXV[l];
      if (fx == 11) {
        MMJump = v;
        jumped = true;
      } else if (fx == 13) {
        const int jump = MMJump;
        PatternBreak(v);
        if (jumped) MMJump = jump;
      } else if (fx == 14 && (v >> 4) == 6) {
        PatternLineRepeat(v & 15);
      } else if (fx == 14 && (v >> 4) == 14) {
        patterndelay = (v & 15) * std::max(1, Speed);
      } else if (fx == 15) {
        SetTiming(v);
      }
    }
  }
  for (int c = 0; c < channels; ++c) {
    TrkMod_Channel& ch = *MMC_Channel[static_cast<size_t>(c)];
    ch.ApplyCommand(pat->Track[static_cast<size_t>(c)].get(), *this);
    if (ch.Add != 0) {
      ch.PreCalc();
      ch.ApplyKeyOff();
    }
  }
  BytesUntilTick = lastTick_ = FramesPerTick();
  MMTick += 1;
  if (MMTick < std::clamp(Speed, 1, 255)) return true;
  if (patterndelay < 1) {
    NEXT_LINE();
    LineJump = -1;
    MMTick = 0;
  } else {
    patterndelay -= 1;
  }
  return PlayStatus != 0;
}

void TrkMod_Mixer::NEXT_LINE() {
  const int line = CurrentLine;
  if (LineJump > 0) {
    if (PatternLoopCount > 0) {
      CurrentLine = PatternLoopStart - 1;
      PatternLoopCount -= 1;
    }
    LineJump = -1;
  }
  if (MMJump == -1) {
    CurrentLine += 1;
    TrkMod_Pattern* p = CurrentPattern >= 0 && CurrentPattern < static_cast<int>(Pattern.size())
                            ? Pattern[static_cast<size_t>(CurrentPattern)].get()
                            : nullptr;
    if (!p || CurrentLine >= p->LineCount) {
      CurrentLine = 0;
      PatternLoopStart = PatternLoopEnd = 0;
      PatternLoopCount = -1;
      CurrentSongPattern += 1;
      if (CurrentSongPattern > ActiveSongPatterns || CurrentSongPattern >= static_cast<int>(SongPattern.size())) {
        STREAM_SIZE = STREAM_POS;
        STREAM_POS = 0;
        if (STREAM_LOOP != 1) {
          EndOfSong();
          return;
        }
        CurrentSongPattern = 0;
      }
      CurrentPattern = SongPattern.empty() ? 0 : SongPattern[static_cast<size_t>(CurrentSongPattern)];
    }
    return;
  }
  int target = MMJump;
  const int toLine = MMJumpLine;
  MMJump = -1;
  MMJumpLine = 0;
  // Past the order list is the end of the song, as when its last line has
  // played; a jump back to this very line or before it is the song starting
  // over, its end too when not looping (a jump to itself would otherwise
  // play for ever).
  const bool past = target < 0 || target > ActiveSongPatterns || target >= static_cast<int>(SongPattern.size());
  if (past) target = 0;
  const bool back = past || target < CurrentSongPattern || (target == CurrentSongPattern && toLine <= line);
  if (back && STREAM_LOOP != 1) {
    EndOfSong();
    return;
  }
  SetCurrentSequence(target);
  TrkMod_Pattern* p = PatternAt(CurrentSongPattern);
  CurrentLine = p && toLine < p->LineCount ? toLine : 0;
  PatternLoopStart = PatternLoopEnd = 0;
  PatternLoopCount = -1;
}

void TrkMod_Mixer::CalcSize() {
  const int loop = STREAM_LOOP;
  Reset();
  PlayStatus = 1;
  STREAM_LOOP = 0;
  int64_t frames = 0;
  while (PlayStatus != 0 && frames < MaxSongFrames) {
    lastTick_ = 0;
    Do_Player();
    frames += lastTick_;  // the song's last tick too, though the end has reset the song
  }
  if (frames >= MaxSongFrames) {
    MusicLog("a tracker song longer than " + std::to_string(MaxSongFrames / SAMPLE_RATE) + " seconds: measured as that long");
    frames = MaxSongFrames;
  }
  STREAM_SIZE = static_cast<int>(frames);
  STREAM_LOOP = loop;
  Reset();
}

void TrkMod_Mixer::FillBuffer(uint8_t* address, int count) {
  const int frames = count / 4;
  int16_t* out = reinterpret_cast<int16_t*>(address);
  int done = 0;
  if (accL_.size() < 4096) {
    accL_.resize(4096);
    accR_.resize(4096);
  }
  while (done < frames && PlayStatus != 0) {
    if (BytesUntilTick < 1 && !Do_Player()) break;
    const int n = std::min({frames - done, BytesUntilTick, static_cast<int>(accL_.size())});
    std::fill_n(accL_.begin(), n, 0);
    std::fill_n(accR_.begin(), n, 0);
    TLAV = TRAV = 0;
    for (const Ref<TrkMod_Channel>& c : MMC_Channel) {
      c->Mix(accL_.data(), accR_.data(), n);
      TLAV += c->LevelL * MixLevel;
      TRAV += c->LevelR * MixLevel;
    }
    if (ActiveChannels > 0) {
      TLAV /= ActiveChannels;
      TRAV /= ActiveChannels;
    }
    MixToStereo16(accL_.data(), accR_.data(), out + 2 * done, n, MixLevel);
    BytesUntilTick -= n;
    done += n;
    STREAM_POS += n;
  }
  // After the end: silence for the rest of the request.
  std::memset(out + 2 * done, 0, static_cast<size_t>(count - 4 * done));
}

int TrkMod_Mixer::Setf(int index, float value) {
  switch (index) {
    case TRK_STEREO_SEPARATION:
      StereoSeperation = value;
      for (const Ref<TrkMod_Channel>& c : MMC_Channel) c->SetPan = 1;
      return 1;
    case TRK_MIX_LEVEL: MixLevel = value; return 1;
    default: return TMusic::Setf(index, value);
  }
}

float TrkMod_Mixer::Getf(int index) {
  switch (index) {
    case TRK_STEREO_SEPARATION: return StereoSeperation;
    case TRK_MIX_LEVEL: return MixLevel;
    default: return TMusic::Getf(index);
  }
}

int TrkMod_Mixer::Seti(int index, int value) {
  switch (index) {
    case PROP_STREAM_FORMAT: return value == FORMAT_16_STEREO ? 1 : 0;  // the mixer makes only this
    case PROP_SAMPLE_RATE:
      if (value < 1000 || value > 400000) return 0;
      SAMPLE_RATE = value;
      CalcSize();
      return 1;
    case TRK_TEMPO: Tempo = value; return 1;
    case TRK_SPEED: Speed = value; return 1;
    case TRK_INTERPOLATE: Interpolate = value; return 1;
    case TRK_SONG_POSITION:
      if (value < 0 || value > ActiveSongPatterns || value >= static_cast<int>(SongPattern.size())) return 0;
      CurrentSongPattern = value;
      CurrentPattern = SongPattern[static_cast<size_t>(value)];
      CurrentLine = 0;
      MMTick = 0;
      for (const Ref<TrkMod_Channel>& c : MMC_Channel) c->Silence();
      return 1;
    case TRK_EMIT_TICK: EmitTick = value; return 1;
    default: return TMusic::Seti(index, value);
  }
}

int TrkMod_Mixer::Geti(int index) {
  switch (index) {
    case PROP_STREAM_SIZE: CalcSize(); return STREAM_SIZE;
    case TRK_TEMPO: return Tempo;
    case TRK_SPEED: return Speed;
    case TRK_INTERPOLATE: return Interpolate;
    case TRK_LINE: return CurrentLine;
    case TRK_SONG_POSITION: return CurrentSongPattern;
    case TRK_PATTERN: return CurrentPattern;
    case TRK_TICK: return MMTick;
    case TRK_EMIT_TICK: return EmitTick;
    default: return TMusic::Geti(index);
  }
}

std::string TrkMod_Mixer::GetS(int index) { return index == TRK_SONG_NAME ? SongName : TMusic::GetS(index); }

}  // namespace kelp
