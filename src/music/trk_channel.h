#pragma once
// TrkMod_Channel: the playing state of one track. Each tick the mixer hands
// it the track (ApplyCommand: note, instrument, volume column, effect in the
// MOD/XM numbering); between ticks it mixes its sample, resampled, enveloped
// and panned, into the mixer's two accumulators.
//
// Pitch is linear: Note 77 plays one stored sample per output sample; a
// slide unit is 4/85 semitone. Pan runs -1 (left) .. 1 (right); the gains
// keep the centre at full level on both sides and fade the far side out.
#include <cstdint>
#include <vector>

#include "music/trk_model.h"

namespace kelp {

class TrkMod_Mixer;

class TrkMod_Channel : public Object {
 public:
  static constexpr int ClickDelaySize = 128;
  static constexpr double ClickFrac = 1.0 / 128;
  static constexpr double volumestep = 1.0 / 64;
  static constexpr double slidestep = 4.0 / 85;

  TrkMod_Instrument* Instrument = nullptr;  // owned by the mixer's song
  TrkMod_Sample* Sample = nullptr;
  double Pos = 0;
  double Note = 0;
  double FineTune = 0;
  double Add = 0;  // sign: playing direction; 0 silent
  double Volume = 0;
  double MixerVolume = 0;
  int Mute = 0;
  int Tick = 0;  // ticks since the note started: the envelope's clock
  int KeyOff = 0;
  double KeyOffValue = 1, KeyOffStep = 0;
  int Arped = 0;
  int PortamentoUp = 0, PortamentoDown = 0;
  double VolumeSlide = 0;
  double TonePortamentoNote = 0, TonePortamentoValue = 0;
  double VibratoValue = 0;
  int VibratoWaveForm = 0, VibratoSpeed = 0, VibratoDepth = 0, VibratoCount = 0;
  int TremoloWaveForm = 0, TremoloSpeed = 0, TremoloDepth = 0, TremoloCount = 0;
  double TremoloValue = 0;  // a volume offset, held as a fraction
  int LastAV = 0;
  int ClickDelay = 0;
  double Env = 1;
  int VolumeEnvelopeIndex = 0;
  double Pan = 0, FinalPan = 0;
  double LPanCalc = 1, RPanCalc = 1;
  double LevelL = 0, LevelR = 0;
  int SetFrequency = 0, SetPan = 1;
  int line = 0, linenote = 0, inst = 0, vol = 0, fx = 0, fxv = 0, fxvl = 0, fxvr = 0;
  uint32_t seed = 0x9E3779B9u;  // the random vibrato's own generator

  // Adds n frames into left and right (gains applied, values truncated).
  void Mix(int32_t* left, int32_t* right, int n);
  // The envelope factor of this tick.
  void PreCalc();
  void CalcKeyOff();
  void ApplyKeyOff();
  // Add from Note, FineTune, vibrato and the sample's relative note, plus
  // extra semitones (an arpeggio's note of this tick).
  void SetFreq(double extra = 0);
  void ApplyVolume(int tick, int b);
  // One tick of the track's current line; tick is the line's tick.
  void ApplyCommand(const TrkMod_Track* track, TrkMod_Mixer& mixer);
  void EFFECT_VolumeSlide(int tick, int up, int down);
  void DoNotePortamento();
  void DoVibrato();
  void DoTremolo();
  // Drops instrument and sample and goes silent at once.
  void Silence();
  // Left and right gains of a pan in -1..1 scaled by the separation.
  static void CalcPanGains(double pan, double separation, double& left, double& right);

  // A sample position made valid for the sample's loop (step may turn or
  // stop); -1 when the sample has run out.
  double FixPos(double pos, double& step) const;

 private:
  void Trigger(TrkMod_Mixer& mixer);
  double Fetch(double pos) const;  // interpolated value at a valid position
};

// The vibrato and tremolo tables: 65 entries by waveform 0 sine, 1 ramp, 2 square.
double TrkWaveTable(int waveform, int index);

}  // namespace kelp
