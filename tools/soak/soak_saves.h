#pragma once
// Kills during saves: the child saves the player's files often and dies by
// SIGKILL at a chosen stage of a chosen save; the driver then checks that
// every per-user file is a whole version (the old one, or a new one the
// game's own strict readers accept) before the next run starts on them.
#include <cstdint>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace soak {

// Child side. Every few frames one of the player's files is saved through the
// game's own save calls; with `kill_at` > 0 the process raises SIGKILL at the
// kill_at-th save stage it passes. Install before the game starts.
void InstallSaveKiller(uint32_t seed, long kill_at);
// Called once a frame by the child.
void StepSaves();

// Driver side: the per-user files under `dir` and a digest of each.
std::map<std::filesystem::path, uint64_t> Snapshot(const std::filesystem::path& dir);

// Files that are neither unchanged since `before` nor a whole file the game's
// readers accept, each with why.
std::vector<std::string> BrokenSaves(const std::filesystem::path& dir,
                                     const std::map<std::filesystem::path, uint64_t>& before);

}  // namespace soak
