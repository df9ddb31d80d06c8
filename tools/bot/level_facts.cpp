#include "level_facts.h"

#include <set>
#include <vector>

#include "framework/core/numbers.h"
#include "framework/files/line_reader.h"
#include "framework/files/pak.h"
#include "world/level.h"

namespace bot {

using namespace kelp;

namespace {

const char* const kBonus[] = {"", "explosion", "chest", "gold chest", "parabomb", "ice", "time freeze", "resize",
                              "ray"};
const char* const kBoss[] = {"", "paraz boss", "yeti", "evil yeti", "elite", "brownie full", "brownie",
                             "small elite"};

template <class F>
void EachLine(const std::string& name, F f) {
  if (platform::StreamRef s = TPak::PakSmall(name))
    for (std::string line = ReadTagLine(*s); !line.empty(); line = ReadTagLine(*s)) f(line);
}

std::string Join(const std::vector<std::string>& v) {
  if (v.empty()) return "-";
  std::string out;
  for (const auto& s : v) out += (out.empty() ? "" : ",") + s;
  return out;
}

}  // namespace

LevelFacts ReadLevelFacts(int level) {
  LevelFacts f;
  f.level = level;
  const std::string pack = LevelPackPath(level);
  const std::string base = pack.substr(0, pack.size() - 4);
  LevelPakPath = pack;
  LevelPakReady = 0;
  int water = 0;
  EachLine(base + ".xml", [&](const std::string& line) {
    if (GetLineTag(line) != "params") return;
    f.stage = ToInt(GetLineAttr(line, "stage"));
    f.gametype = ToInt(GetLineAttr(line, "gametype"));
    f.time = ToInt(GetLineAttr(line, "time")) / 1000;
    f.island = GetLineAttr(line, "tileset");
    water = ToInt(GetLineAttr(line, "water"));
    if (ToInt(GetLineAttr(line, "parazite"))) f.boxes = "parasite feed";
  });
  std::vector<std::string> machines;
  const int t = f.gametype;
  if (t == 2 || t == 4 || t == 20 || t == 200) machines.push_back("pusher");
  if (TPak::PakSmall(base + "_path.dat")) machines.push_back("paths");
  if (TPak::PakSmall(base + "_floor.xml")) machines.push_back("floor");
  if (TPak::PakSmall(base + "_bricks.xml")) machines.push_back("bricks");
  if (TPak::PakSmall(base + "_trolley.xml")) machines.push_back("trolleys");
  if (water) machines.push_back("water");
  bool obstacles = false;
  EachLine(base + "_world.xml", [&](const std::string& line) {
    if (GetLineTag(line) == "static" && ToInt(GetLineAttr(line, "obstacle")) > 0) obstacles = true;
  });
  if (obstacles) machines.push_back("obstacles");

  std::set<int> colours;
  std::set<std::string> kinds;
  bool armour = false, ray = false;
  EachLine(base + "_blocks.xml", [&](const std::string& line) {
    if (GetLineTag(line) != "block") return;
    int c = ToInt(GetLineAttr(line, "class"));
    if (c != 11) {
      while (c >= 10) {
        c /= 10;
        armour = true;
      }
    }
    if (c >= 1 && c <= 7) colours.insert(c);
    if (c == 8) kinds.insert("parasite");
    if (c == 9) {
      const int b = ToInt(GetLineAttr(line, "bonus_class"));
      if (b >= 1 && b <= 8) kinds.insert(kBonus[b]);
      ray = ray || b == 8;
    }
    if (c == 11) {
      const int b = ToInt(GetLineAttr(line, "boss_class"));
      if (b >= 1 && b <= 7) kinds.insert(kBoss[b]);
    }
  });
  if (ray) machines.push_back("ray");
  f.machines = Join(machines);
  // The colours the claw brings: five, six or seven by the level's type.
  const int top = t == 100 || t == 200 ? 7 : t == 10 || t == 20 ? 6 : 5;
  std::vector<std::string> boxes{std::to_string(top) + " colours"};
  if (armour) boxes.push_back("armour");
  for (const auto& k : kinds) boxes.push_back(k);
  if (!f.boxes.empty()) boxes.push_back(f.boxes);
  f.boxes = Join(boxes);
  f.machines = Join(machines);
  return f;
}

}  // namespace bot
