#pragma once
// Runs the generator's jobs on every core (at most 8) and writes the
// manifest of what they made; nothing is written when a job fails.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kelp::audio {

struct Job {
  std::string line;  // the manifest line
  std::function<bool()> run;
};

// 0 on success, else 1 with the failed jobs on standard error.
int RunJobs(const std::vector<Job>& jobs, const std::filesystem::path& manifest, const char* tool);

}  // namespace kelp::audio
