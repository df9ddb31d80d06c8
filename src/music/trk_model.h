#pragma once
// The tracker's song data: tracks (one channel's column of a pattern),
// patterns, samples and instruments with their volume envelopes. The MOD, XM
// and module-file loaders fill it; the mixer (trk_mixer.h) plays it.
//
// Notes: 0 empty, 1..95 a note (1 = "C 0"), 96 key-off. Instruments are
// numbered from 1. Sample values are on the 16-bit scale.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/object.h"

namespace kelp {

constexpr int kTrkKeyOff = 96;

class TrkMod_Track : public Object {
 public:
  std::string Name;
  int LineCount = 0;
  std::vector<int> Note, Inst, Vol, FX, FXV;  // one per line

  static Ref<TrkMod_Track> Create(int lines);  // all columns zero

  // The note-name entry ("C#4") for 1 <= note < 108, "<<<" below 0, ">>>" else.
  static std::string GetNoteTag(int note);
  // One line as the tracker shows it: "C 4 01 40 C20 ", "--- " and blanks for empties.
  std::string GetText(int line) const;
  // The XM packed-note byte: 0x80 plus a bit per non-zero column; 0 when all five are set.
  int GetBVal(int line) const;
  bool IsIdentical(const TrkMod_Track& other) const;
};

class TrkMod_Pattern : public Object {
 public:
  std::string Title;
  int TrackCount = 0;
  std::vector<Ref<TrkMod_Track>> Track;
  int LineCount = 0;
  std::vector<std::string> LineText;  // LineCount + 1 entries once UpdateText ran

  static Ref<TrkMod_Pattern> Create(int tracks, int lines);
  // A pattern with `model`'s very tracks: the empty patterns that a file names
  // but does not hold share one set of tracks instead of each making its own.
  // Patterns are not changed once loaded, so the sharing holds.
  static Ref<TrkMod_Pattern> SameTracks(const TrkMod_Pattern& model);
  // Fills LineText from the tracks. Only a view of the pattern reads it, so
  // the loaders leave it empty: a text line per row made loading slow.
  void UpdateText();
};

struct TrkMod_EnvelopePoint {
  int Tick = 0;  // stored as one byte in the module file
  float Value = 0;
};

class TrkMod_Sample : public Object {
 public:
  std::string Name;
  int Length = 0;                // in samples
  std::vector<int32_t> SoundData;  // Length values
  int LoopStart = 0, LoopLength = 0;
  int Loop = 0;  // 0 none, 1 forward, 2 ping-pong
  float Volume = 1.0f;
  double FineTune = 0;  // semitones
  int RelativeNote = 0;
  int Pan = 0;  // -128 (left) .. 128 (right)
  int Flag = 0, C2SPD = 0;

  // Bytes of sample data into SoundData and Length: kind 1 signed 8-bit, 2
  // signed 16-bit little-endian, 4 16-bit stereo mixed to one channel.
  void ConvertSampleFromBank(const std::vector<uint8_t>& bank, int kind);
  // Keeps the loop inside the sample; a loop with nothing in it is no loop.
  void ClampLoop();
};

class TrkMod_Instrument : public Object {
 public:
  static constexpr int kMaxSamples = 128;
  static constexpr int kNoteSamples = 100;

  std::string Name;
  int InstrumentType = 0;
  int SampleCount = 0;
  std::array<Ref<TrkMod_Sample>, kMaxSamples> Sample;
  std::array<int, kNoteSamples> NoteSample{};  // sample index per note
  // Volume envelope: VolType bit 0 on, bit 1 sustain, bit 2 loop.
  int VolType = 0, VolPoints = 0;
  std::array<int, 50> VolEnvelope{};
  int VolSustain = 0, VolFadeout = 0, VolLoopStart = 0, VolLoopEnd = 0;
  std::vector<TrkMod_EnvelopePoint> VolEnvList;  // the points, in tick order
  int PanType = 0, PanPoints = 0;
  std::array<int, 49> PanEnvelope{};
  int PanSustain = 0, PanLoopStart = 0, PanLoopEnd = 0;
  int VibType = 0, VibSweep = 0, VibDepth = 0, VibRate = 0, Reserved = 0;

  // A point at tick with value on the XM scale (64 = full).
  void AddVolumeEnvelopePoint(int tick, int value);
  // Point numbers count from 1 (0 is the first point too), limited to the points there are.
  void SetVolSustainPoint(int number);
  void SetVolLoopPoints(int start, int end);
  // The sample of notes 1..95, else null.
  TrkMod_Sample* GetSample(int note) const;
  // The envelope's factor (0..1) at tick, stepping index along the points.
  // A sustain (until keyOff) holds tick at its point; a loop sends tick back
  // to the loop start; after the last point its value holds.
  double GetEnvelopeVolume(int& tick, int& index, bool keyOff) const;
};

}  // namespace kelp
