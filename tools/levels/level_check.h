#pragma once
// Checks an authored level folder before it is packed: the files the game
// cannot do without are there, every line of every description is a
// well-formed tag line, and the values the game divides by or counts on are
// sane. Each fault is reported as "file:line: what is wrong".
#include <filesystem>
#include <string>
#include <vector>

namespace levels {

// The faults found in the folder (empty when it may be packed).
std::vector<std::string> CheckLevelFolder(const std::filesystem::path& folder);

}  // namespace levels
