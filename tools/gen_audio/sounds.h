#pragma once
// The sound effects and music tracks the game names, and how each is made.
#include <functional>
#include <string>
#include <vector>

#include "synth.h"

namespace kelp::audio {

struct SoundSpec {
  const char* id;
  const char* file;  // base name under data/snd/
  int loop;          // 1: the sound loops while it plays
  std::function<Buffer()> make;  // mono
};
std::vector<SoundSpec> AllSounds();

struct MusicSpec {
  const char* id;
  const char* file;  // base name under data/music/
  std::function<Buffer()> make;  // stereo interleaved, loops seamlessly
};
std::vector<MusicSpec> AllMusic();

}  // namespace kelp::audio
