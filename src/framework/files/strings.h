#pragma once
// The phrase lists the game picks lines from at random: villager names by
// colour, villager thoughts, loading-screen lines and default high-score
// names. Each list is "data\lang\" + its name + ".dat", one entry per line.
#include <string>
#include <vector>

#include "framework/core/object.h"

namespace kelp {

struct TStrings : Object {
  std::vector<std::string> RedArray;        // reds
  std::vector<std::string> YellowArray;     // yellows
  std::vector<std::string> BlueArray;       // blues
  std::vector<std::string> GreenArray;      // greens
  std::vector<std::string> PurpleArray;     // purples
  std::vector<std::string> BrownArray;      // browns
  std::vector<std::string> SkyArray;        // skyes
  std::vector<std::string> HappyArray;      // happy
  std::vector<std::string> UnhappyArray;    // unhappy
  std::vector<std::string> HomeArray;       // home
  std::vector<std::string> SleepArray;      // sleep
  std::vector<std::string> TreesArray;      // trees
  std::vector<std::string> BeerArray;       // beer
  std::vector<std::string> EmptyArray;      // empty
  std::vector<std::string> LoadArray;       // load
  std::vector<std::string> QuestArray;      // quest
  std::vector<std::string> MagicArray;      // magic
  std::vector<std::string> SchoolArray;     // school
  std::vector<std::string> TelescopeArray;  // telescope
  std::vector<std::string> MarketArray;     // market
  std::vector<std::string> SnowballArray;   // yeti
  std::vector<std::string> NamesArray;      // names

  // Appends every line of "data\lang\" + name + ".dat" (encoding by
  // byte-order mark), unchanged; a missing file adds nothing.
  void Load(std::vector<std::string>& list, const std::string& name);
  void LoadStrings();

  // Random picks with the game's generator; "" from an empty list and for
  // a kind or colour without a list.
  std::string GetLoad() const;
  // 0 empty, 1 happy, 2 home, 3 quest, 4 beer, 5 trees, 6 unhappy, 7 market,
  // 8 school, 9 telescope, 10 magic, 11 yeti, 12 sleep.
  std::string GetThought(int kind) const;
  // 1 reds, 2 greens, 3 blues, 4 yellows, 5 purples, 6 browns, 7 skyes.
  std::string GetName(int colour) const;
  std::string GetScoresName() const;

  static std::string Pick(const std::vector<std::string>& list);
};

extern Ref<TStrings> PhraseBank;

}  // namespace kelp
