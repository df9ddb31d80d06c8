// gen_audio: synthesises the game's sound effects (WAV) and music (OGG Vorbis)
// and writes a manifest (id, kind, file, loop) for the resource-list assembler.
//
//   gen_audio <program folder> <manifest>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <vector>

#include "sounds.h"

namespace fs = std::filesystem;
using namespace kelp::audio;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gen_audio <program folder> <manifest>\n");
    return 2;
  }
  const fs::path root = argv[1], manifest = argv[2];
  std::error_code ec;
  fs::create_directories(root / "data" / "snd", ec);
  fs::create_directories(root / "data" / "music", ec);
  fs::create_directories(manifest.parent_path(), ec);

  const std::vector<SoundSpec> sounds = AllSounds();
  const std::vector<MusicSpec> music = AllMusic();

  struct Job {
    std::string line;  // manifest line
    std::function<bool()> run;
  };
  std::vector<Job> jobs;
  // Music first: the longest jobs start early.
  for (const MusicSpec& m : music) {
    const std::string rel = std::string("data/music/") + m.file + ".ogg";
    jobs.push_back({std::string(m.id) + "\tmusic\t" + rel + "\t1", [&root, rel, m] {
                      return WriteOgg((root / rel).string(), m.make(), 0.35f, m.id);
                    }});
  }
  for (const SoundSpec& s : sounds) {
    const std::string rel = std::string("data/snd/") + s.file + ".wav";
    jobs.push_back({std::string(s.id) + "\tsound\t" + rel + "\t" + std::to_string(s.loop),
                    [&root, rel, s] { return WriteWav((root / rel).string(), s.make()); }});
  }

  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  std::vector<char> done(jobs.size(), 0);
  auto worker = [&] {
    for (size_t i; (i = next++) < jobs.size();) {
      if (jobs[i].run())
        done[i] = 1;
      else
        failed = true;
    }
  };
  const unsigned n = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
  std::vector<std::thread> pool;
  for (unsigned t = 0; t < n; ++t) pool.emplace_back(worker);
  for (std::thread& t : pool) t.join();

  if (failed) {
    for (size_t i = 0; i < jobs.size(); ++i)
      if (!done[i]) std::fprintf(stderr, "gen_audio: could not write %s\n", jobs[i].line.c_str());
    fs::remove(manifest, ec);
    return 1;
  }
  std::ofstream list(manifest);
  for (const Job& j : jobs) list << j.line << '\n';
  list.close();
  if (!list) {
    std::fprintf(stderr, "gen_audio: cannot write %s\n", manifest.c_str());
    return 1;
  }
  return 0;
}
