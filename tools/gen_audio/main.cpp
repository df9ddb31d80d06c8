// gen_audio: synthesises the game's sound effects (WAV) and writes their
// manifest (id, kind, file, loop) for the resource-list assembler. The music
// comes from gen_music.
//
//   gen_audio <program folder> <manifest>
#include <cstdio>
#include <filesystem>

#include "jobs.h"
#include "sounds.h"

namespace fs = std::filesystem;
using namespace kelp::audio;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gen_audio <program folder> <manifest>\n");
    return 2;
  }
  const fs::path root = argv[1];
  std::error_code ec;
  fs::create_directories(root / "data" / "snd", ec);
  std::vector<Job> jobs;
  for (const SoundSpec& s : AllSounds()) {
    const std::string rel = std::string("data/snd/") + s.file + ".wav";
    jobs.push_back({std::string(s.id) + "\tsound\t" + rel + "\t" + std::to_string(s.loop),
                    [root, rel, s] { return WriteWav((root / rel).string(), s.make()); }});
  }
  return RunJobs(jobs, argv[2], "gen_audio");
}
