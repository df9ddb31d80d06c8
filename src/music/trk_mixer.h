#pragma once
// TrkMod_Mixer: a tracker song as a music source. FillBuffer runs the player
// tick by tick (lines, order positions, jumps, breaks, pattern loops and
// delays) and mixes every channel into 16-bit stereo at 44100 Hz.
//
// A song ends after the last line of its last order position, or at a jump
// back (to an earlier position, or to the same or an earlier line of the
// current one); looped, it goes on from the start or from the jump's target.
// A missing pattern ends the song with a log line. CalcSize measures one
// pass (at most MaxSongFrames) and puts the song back at its start.
//
// Clock: main thread only, inside the stream tick, like every source.
#include <string>
#include <vector>

#include "music/music.h"
#include "music/trk_channel.h"
#include "music/trk_model.h"
#include "platform/stream.h"

namespace kelp {

// Properties beyond those of TMusic.
enum TrkProperty {
  TRK_TEMPO = 100,
  TRK_SPEED = 101,
  TRK_INTERPOLATE = 102,
  TRK_STEREO_SEPARATION = 103,  // Setf/Getf
  TRK_MIX_LEVEL = 104,          // Setf/Getf
  TRK_LINE = 110,
  TRK_SONG_POSITION = 111,  // Seti jumps there
  TRK_PATTERN = 112,
  TRK_TICK = 113,
  TRK_EMIT_TICK = 114,
  TRK_SONG_NAME = 115,  // GetS
};

class TrkMod_Mixer : public TMusic {
 public:
  // A song longer than this is measured as this long (an hour).
  static int MaxSongFrames;

  std::string TrackerName;
  int MaxPatterns = 512, MaxSequences = 256, MaxInstruments = 256;
  int DefaultTempo = 125, DefaultSpeed = 6;
  int PeriodMode = 1;
  std::string SongName;
  int ActiveChannels = 0;
  int ActiveSequences = 0;
  int ActiveSongPatterns = 0;  // index of the last order entry
  int ActiveSamples = 0;       // instruments in use, numbered from 1
  std::vector<int> SongPattern;  // the order list
  std::vector<Ref<TrkMod_Instrument>> Instrument;
  std::vector<Ref<TrkMod_Pattern>> Pattern;
  std::vector<Ref<TrkMod_Channel>> MMC_Channel;
  int CurrentPattern = 0, CurrentLine = 0, CurrentSongPattern = 0;
  int Tempo = 125, Speed = 6;
  int MMTick = 0;
  int BytesUntilTick = 0;  // frames left in this tick
  int Interpolate = 1;
  float MixLevel = 0.5f;
  float StereoSeperation = 1.0f;
  int EmitTick = 0;  // kept for the property; nothing listens for line events
  int PatternLock = 0;
  int LineJump = -1;
  int MMJump = -1, MMJumpLine = 0;
  int PatternLoopStart = 0, PatternLoopEnd = 0, PatternLoopCount = -1;
  int patterndelay = 0;
  double TLAV = 0, TRAV = 0;

  // Sizes the arrays from the Max fields and makes the channels.
  void Init(int channels);

  void Free() override;
  void FillBuffer(uint8_t* address, int count) override;
  int Setf(int index, float value) override;
  float Getf(int index) override;
  int Seti(int index, int value) override;
  int Geti(int index) override;
  std::string GetS(int index) override;

  // The module file (trk_module_file.cpp). Load gives null, with a log line,
  // for anything that is not a whole, sound module file.
  static Ref<TrkMod_Mixer> Load(platform::Stream& stream);
  bool Save(platform::Stream& stream) const;

  // One tick; false when the song has ended (or cannot go on).
  bool Do_Player();
  void NEXT_LINE();
  void PatternBreak(int line);
  void PatternLineRepeat(int count);
  void SetTiming(int value);
  void Reset();
  void SetCurrentSequence(int position);
  // PlayStatus 0 and every channel silent.
  void Halt();
  void CalcSize();

  // The pattern at an order position, or null.
  TrkMod_Pattern* PatternAt(int position) const;
  // Frames of one tick at the current tempo (at least 1).
  int FramesPerTick() const;

 private:
  void EndOfSong();
  std::vector<int32_t> accL_, accR_;
  bool warnedNoPattern_ = false;
  int lastTick_ = 0;
  bool endPending_ = false;  // frames of the tick Do_Player has just run
};

}  // namespace kelp
