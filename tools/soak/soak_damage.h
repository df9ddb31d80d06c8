#pragma once
// A copy of the game (this program, res.xml and the data folders beside it)
// with one data file damaged, for the soak's --damage runs.
#include <filesystem>
#include <random>
#include <string>

namespace soak {

struct DamagedGame {
  std::filesystem::path executable;  // the copied soak program, run from there
  std::string what;                  // the file and what was done to it
};

// Copies the game found beside `self` to `into` (emptied first) and damages
// one file of it, chosen and harmed by `rng`.
DamagedGame DamagedCopy(const std::filesystem::path& self, const std::filesystem::path& into, std::mt19937& rng);

}  // namespace soak
