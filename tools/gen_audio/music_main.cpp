// gen_music: composes and renders the game's music pieces into
// data/music/*.ogg (44.1 kHz stereo Vorbis), writes the credits as an XM
// module, data/music/credits.xm, and writes their manifest lines.
//
//   gen_music <program folder> <manifest> [<folder for WAV copies>]
#include <cstdio>
#include <filesystem>

#include "credits_module.h"
#include "jobs.h"
#include "music.h"

namespace fs = std::filesystem;
using namespace kelp::audio;

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: gen_music <program folder> <manifest> [<folder for WAV copies>]\n");
    return 2;
  }
  const fs::path root = argv[1];
  const fs::path wavs = argc == 4 ? fs::path(argv[3]) : fs::path();
  std::error_code ec;
  fs::create_directories(root / "data" / "music", ec);
  if (!wavs.empty()) fs::create_directories(wavs, ec);
  std::vector<Job> jobs;
  for (const MusicSpec& m : AllMusic()) {
    const std::string rel = std::string("data/music/") + m.file + ".ogg";
    jobs.push_back({std::string(m.id) + "\tmusic\t" + rel + "\t" + (m.song.loops ? "1" : "0"), [root, rel, m, wavs] {
                      const Buffer pcm = RenderSong(m.song);
                      if (!wavs.empty() && !WriteWavStereo((wavs / (std::string(m.file) + ".wav")).string(), pcm))
                        return false;
                      return WriteOgg((root / rel).string(), pcm, 0.4f, m.song.title);
                    }});
  }
  jobs.push_back({"MUSIC_CREDITS\tmusic\tdata/music/credits.xm\t1", [root] {
                    const std::string bytes = kelp::modwrite::WriteXm(CreditsModule());
                    std::FILE* f = std::fopen((root / "data/music/credits.xm").string().c_str(), "wb");
                    if (!f) return false;
                    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
                    return std::fclose(f) == 0 && ok;
                  }});
  return RunJobs(jobs, argv[2], "gen_music");
}
