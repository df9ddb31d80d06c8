#pragma once
// What a level holds, read from its built pack for the report: its type, its
// machines and the kinds of boxes a player meets in it.
#include <string>

namespace bot {

struct LevelFacts {
  int level = 0;
  int stage = 0;
  int gametype = 0;
  int time = 0;  // seconds
  std::string island;    // desert or snow
  std::string machines;  // comma-separated, "-" for none
  std::string boxes;     // comma-separated
};

// Reads the pack of the level through the game's pack reader (the build's
// data folder must be the current folder).
LevelFacts ReadLevelFacts(int level);

}  // namespace bot
