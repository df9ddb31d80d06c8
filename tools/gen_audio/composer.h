#pragma once
// The composer: a song is a key, a tempo, a band and a list of sections (a
// chord a bar, a theme). Themes are made from a two-bar motif, stated,
// answered in sequence, restated and closed by a cadence; the band plays the
// chords as pads, comping, bass and drums, with fills into each new section.
// Rendering is deterministic: the same song gives the same samples.
#include <cstdint>
#include <vector>

#include "synth.h"

namespace kelp::audio {

enum class Voice { kGuitar, kHarp, kMarimba, kFlute, kChip, kBrass, kBell, kEPiano, kStrings };
enum class Comp { kNone, kArpeggio, kOffbeat, kStrum, kBlock, kOomPah, kRoll };
enum class BassLine { kHalf, kDriving, kWalking, kFolk };
enum class Beat { kNone, kShaker, kLight, kPop, kDrive, kMarch, kSixEight };

struct Section {
  std::vector<int> chords;  // scale degree of each bar's chord (0 the tonic)
  int theme = -1;           // the tune it plays (-1: none); equal numbers, equal tunes
  bool variation = false;   // the tune an octave up with passing notes, and the counter-melody
  int energy = 1;           // 0 sparse, 1 normal, 2 full
  bool fill = true;         // a drum fill in the last bar
  bool home = true;         // the tune's cadence ends on the tonic (false: on a chord tone, open)
};

struct Song {
  const char* title;
  double bpm;              // beats a minute (a beat of 6/8 is a dotted quarter)
  int beats = 4;           // beats a bar
  int sub = 4;             // steps a beat: 4 sixteenths, 3 eighths of 6/8
  int root = 60;           // MIDI note of the tonic in the tune's octave
  bool minor = false;      // natural minor with a major dominant
  bool sevenths = false;   // pads and comping add the chord's seventh
  Voice lead = Voice::kGuitar;
  Voice counter = Voice::kFlute;
  Voice compVoice = Voice::kGuitar;
  Comp comp = Comp::kNone;
  Comp fullComp = Comp::kNone;  // added at energy 2
  BassLine bass = BassLine::kHalf;
  Beat beat = Beat::kLight;
  float reverb = 0.35f;    // send level of the room
  float loudness = 0.16f;  // target RMS of the mix
  bool loops = true;       // false: the last chord rings out to silence
  uint32_t seed = 1;
  std::vector<Section> sections;
};

// Interleaved stereo in -1..1. A looping song's tail (reverb, ringing
// notes) folds back onto its start, so the end joins the start seamlessly.
Buffer RenderSong(const Song& song);

// Seconds before the song repeats (or ends, before its ring-out).
double SongSeconds(const Song& song);

}  // namespace kelp::audio
