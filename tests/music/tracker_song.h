#pragma once
// Songs built in memory for the player's tests: one instrument (a looped
// square of 1000 samples, so it never runs out), patterns of one or more
// tracks, and a way to set cells and step the player tick by tick.
#include "music/trk_mixer.h"

namespace trackertest {

struct SongBuilder {
  kelp::Ref<kelp::TrkMod_Mixer> m = kelp::New<kelp::TrkMod_Mixer>();

  // `patterns` patterns of `lines` lines; the order list plays them in turn.
  explicit SongBuilder(int channels = 1, int patterns = 1, int lines = 64);
  // Sets a cell of pattern p.
  SongBuilder& Cell(int p, int line, int channel, int note, int inst = 0, int vol = 0, int fx = 0, int fxv = 0);
  SongBuilder& Order(std::vector<int> order);
  // Back to the start, playing (looped or not).
  kelp::TrkMod_Mixer& Start(int loop = 0);
};

}  // namespace trackertest
