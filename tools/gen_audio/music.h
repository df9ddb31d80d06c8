#pragma once
// The music pieces the game plays by id as OGG, each a song for the composer.
#include <vector>

#include "composer.h"

namespace kelp::audio {

struct MusicSpec {
  const char* id;
  const char* file;  // base name under data/music/
  Song song;
};
std::vector<MusicSpec> AllMusic();

}  // namespace kelp::audio
