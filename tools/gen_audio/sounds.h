#pragma once
// The sound effects the game names, and how each is made.
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

}  // namespace kelp::audio
