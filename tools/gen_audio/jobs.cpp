#include "jobs.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <thread>

namespace kelp::audio {

int RunJobs(const std::vector<Job>& jobs, const std::filesystem::path& manifest, const char* tool) {
  std::atomic<size_t> next{0};
  std::vector<char> done(jobs.size(), 0);
  auto worker = [&] {
    for (size_t i; (i = next++) < jobs.size();) done[i] = jobs[i].run() ? 1 : 0;
  };
  const unsigned n = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
  std::vector<std::thread> pool;
  for (unsigned t = 0; t < n; ++t) pool.emplace_back(worker);
  for (std::thread& t : pool) t.join();

  std::error_code ec;
  bool failed = false;
  for (size_t i = 0; i < jobs.size(); ++i) {
    if (done[i]) continue;
    std::fprintf(stderr, "%s: could not write %s\n", tool, jobs[i].line.c_str());
    failed = true;
  }
  if (failed) {
    std::filesystem::remove(manifest, ec);
    return 1;
  }
  std::filesystem::create_directories(manifest.parent_path(), ec);
  std::ofstream list(manifest);
  for (const Job& j : jobs) list << j.line << '\n';
  list.close();
  if (!list) {
    std::fprintf(stderr, "%s: cannot write %s\n", tool, manifest.c_str());
    return 1;
  }
  return 0;
}

}  // namespace kelp::audio
