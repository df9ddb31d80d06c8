#include "village_layout.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kelp::art {

std::string VillageSourceDir;

namespace {

using Path = std::vector<std::pair<double, double>>;
using L = BuildingLook;

VillageBuilding Hut(const std::string& name, const std::string& parent, int grade, int level, int cost, double bx,
                    double by) {
  static const int kW[4] = {0, 90, 110, 130}, kH[4] = {0, 90, 105, 125};
  static const char* kType[4] = {"", "hut", "hut2", "hut3"};
  VillageBuilding b;
  b.name = name;
  b.type = kType[grade];
  b.parent = parent;
  b.level = level;
  b.cost = cost;
  b.look = L::Hut;
  b.grade = grade;
  b.bx = bx;
  b.by = by;
  b.w = kW[grade];
  b.h = kH[grade];
  return b;
}

VillageBuilding House(const std::string& name, const std::string& type, L look, int level, int cost, double bx,
                      double by, int w, int h) {
  VillageBuilding b;
  b.name = name;
  b.type = type;
  b.look = look;
  b.level = level;
  b.cost = cost;
  b.bx = bx;
  b.by = by;
  b.w = w;
  b.h = h;
  return b;
}

VillageBuilding Road(const std::string& name, const std::string& parent, bool paved, int level, int cost, Path p) {
  VillageBuilding b;
  b.name = name;
  b.type = paved ? "road2" : "road";
  b.parent = parent;
  b.connected = paved ? 0 : 1;
  b.level = level;
  b.cost = cost;
  b.look = paved ? L::PavedRoad : L::Road;
  b.path = std::move(p);
  return b;
}

VillageLayout MakeDesert() {
  VillageLayout v;
  v.village = 1;
  v.folder = "data/img/villages/desert/";
  v.graph = "desert/nodes1.txt";
  v.map_origin_x = 0;
  v.map_w = 1300;
  const Path paths[6] = {
      {{110, 310}, {165, 326}, {240, 345}, {330, 352}},
      {{655, 272}, {610, 298}, {560, 318}, {517, 331}},
      {{235, 530}, {300, 534}, {350, 495}, {422, 453}},
      {{800, 450}, {735, 448}, {640, 440}, {559, 416}},
      {{935, 342}, {925, 400}, {880, 462}, {800, 495}, {700, 502}},
      {{150, 372}, {95, 381}},
  };
  const char* owners[6] = {"hut1", "hut2", "hut3", "hut4", "tavern", "bridge"};
  auto& b = v.buildings;
  for (int i = 0; i < 6; ++i)
    b.push_back(Road("path" + std::to_string(i + 1), owners[i], false, 0, 0, paths[i]));
  for (int i = 0; i < 6; ++i)
    b.push_back(Road("paved" + std::to_string(i + 1), "path" + std::to_string(i + 1), true, 5, 400, paths[i]));
  b.push_back(House("center", "center", L::Center, 9, 900, 470, 482, 250, 180));
  b.push_back(House("bridge", "bridge", L::Bridge, 13, 1200, -5, 426, 170, 90));
  b.push_back(Hut("hut1", "", 1, 0, 100, 110, 300));
  b.push_back(Hut("hut2", "", 1, 1, 150, 655, 262));
  b.push_back(Hut("hut3", "", 1, 3, 200, 235, 520));
  b.push_back(Hut("hut4", "", 1, 6, 250, 800, 440));
  b.push_back(Hut("hut1b", "hut1", 2, 2, 300, 110, 300));
  b.push_back(Hut("hut2b", "hut2", 2, 4, 350, 655, 262));
  b.push_back(Hut("hut3b", "hut3", 2, 7, 400, 235, 520));
  b.push_back(Hut("hut4b", "hut4", 2, 9, 450, 800, 440));
  b.push_back(Hut("hut1c", "hut1b", 3, 8, 600, 110, 300));
  b.push_back(Hut("hut2c", "hut2b", 3, 10, 650, 655, 262));
  b.push_back(Hut("hut3c", "hut3b", 3, 11, 700, 235, 520));
  b.push_back(Hut("hut4c", "hut4b", 3, 12, 750, 800, 440));
  b.push_back(House("tavern", "tavern", L::Tavern, 4, 500, 950, 332, 180, 150));
  return v;
}

VillageLayout MakeSnow() {
  VillageLayout v;
  v.village = 2;
  v.folder = "data/img/villages/snow/";
  v.graph = "snow/nodes2.txt";
  v.map_origin_x = -374;
  v.map_w = 2300;
  const Path paths[5] = {
      {{110, 310}, {180, 330}, {300, 348}, {440, 352}},
      {{400, 340}, {440, 352}},
      {{170, 475}, {260, 440}, {350, 420}, {440, 408}},
      {{640, 570}, {600, 505}, {545, 455}, {509, 435}},
      {{-135, 530}, {-60, 470}, {0, 420}},
  };
  const char* owners[5] = {"hut1", "hut2", "hut3", "hut4", "tavern"};
  auto& b = v.buildings;
  for (int i = 0; i < 5; ++i)
    b.push_back(Road("path" + std::to_string(i + 1), owners[i], false, 18, 0, paths[i]));
  b.push_back(House("center", "center", L::Center, 24, 1000, 509, 448, 200, 130));
  b.push_back(House("tower01", "tower", L::Tower, 40, 0, -270, 322, 120, 210));
  b.push_back(Hut("hut1", "", 1, 18, 200, 110, 300));
  b.push_back(Hut("hut2", "", 1, 18, 250, 400, 330));
  b.push_back(Hut("hut3", "", 1, 20, 300, 170, 465));
  b.push_back(Hut("hut4", "", 1, 23, 350, 640, 560));
  b.push_back(Hut("hut1b", "hut1", 2, 19, 350, 110, 300));
  b.push_back(Hut("hut2b", "hut2", 2, 22, 400, 400, 330));
  b.push_back(Hut("hut3b", "hut3", 2, 25, 450, 170, 465));
  b.push_back(Hut("hut4b", "hut4", 2, 27, 500, 640, 560));
  b.push_back(Hut("hut1c", "hut1b", 3, 29, 700, 110, 300));
  b.push_back(Hut("hut2c", "hut2b", 3, 31, 750, 400, 330));
  b.push_back(Hut("hut3c", "hut3b", 3, 32, 800, 170, 465));
  b.push_back(Hut("hut4c", "hut4b", 3, 33, 850, 640, 560));
  b.push_back(House("tavern", "tavern", L::Tavern, 21, 600, -120, 520, 180, 150));
  b.push_back(House("market", "market", L::Market, 26, 800, 1150, 330, 160, 120));
  b.push_back(House("school", "school", L::School, 28, 900, 1420, 300, 170, 145));
  b.push_back(House("telescope", "telescope", L::Telescope, 30, 1000, 1620, 430, 110, 170));
  return v;
}

}  // namespace

const VillageLayout& DesertLayout() {
  static const VillageLayout v = MakeDesert();
  return v;
}

const VillageLayout& SnowLayout() {
  static const VillageLayout v = MakeSnow();
  return v;
}

Placement Place(const VillageBuilding& b) {
  Placement p;
  if (!b.path.empty()) {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const auto& [x, y] : b.path) {
      x0 = std::min(x0, x);
      y0 = std::min(y0, y);
      x1 = std::max(x1, x);
      y1 = std::max(y1, y);
    }
    const double m = kRoadHalfWidth + 4;
    p.x = static_cast<int>(std::floor(x0 - m));
    p.y = static_cast<int>(std::floor(y0 - m));
    p.w = static_cast<int>(std::ceil(x1 + m)) - p.x;
    p.h = static_cast<int>(std::ceil(y1 + m)) - p.y;
    p.cx = p.w / 2;
    p.cy = p.h / 2;
    return p;
  }
  p.w = b.w;
  p.h = b.h;
  p.x = static_cast<int>(std::lround(b.bx - b.w / 2.0));
  p.y = static_cast<int>(std::lround(b.by - b.h));
  p.cx = b.w / 2;
  p.cy = b.h / 2;
  // Chimneys: the grown huts, the tavern and the school.
  if ((b.look == BuildingLook::Hut && b.grade >= 2) || b.look == BuildingLook::Tavern ||
      b.look == BuildingLook::School) {
    p.px = static_cast<int>(b.w * 0.72);
    p.py = static_cast<int>(b.h * (b.look == BuildingLook::Hut ? 0.08 : 0.06));
  }
  return p;
}

GraphSketch ReadGraphSketch(const std::string& path) {
  GraphSketch g;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream s(line);
    std::string word;
    if (!(s >> word)) continue;
    if (word == "node") {
      int id = 0;
      double x = 0, y = 0, r = 0;
      if (s >> id >> x >> y >> r) {
        g.at.emplace_back(x, y);
        g.radius.push_back(r);
      }
    } else if (word == "join") {
      std::vector<int> ids;
      for (int id; s >> id;) ids.push_back(id);
      for (size_t i = 0; i + 1 < ids.size(); ++i) g.joins.emplace_back(ids[i], ids[i + 1]);
    }
  }
  return g;
}

bool WriteUpgradeFiles(const std::string& out) {
  for (const VillageLayout* v : {&DesertLayout(), &SnowLayout()}) {
    std::ostringstream f;
    f << "<upgrades>\n";
    f << "<!-- " << (v->village == 1 ? "the desert village" : "the snow village")
      << ": one building a line, drawn in this order; level = the stage it is offered from, less one -->\n";
    int id = 0;
    for (const VillageBuilding& b : v->buildings) {
      const Placement p = Place(b);
      f << "<upgrade path=\"" << v->folder << b.name << ".png\" x=\"" << p.x << "\" y=\"" << p.y << "\" cx=\""
        << p.cx << "\" cy=\"" << p.cy << "\" px=\"" << p.px << "\" py=\"" << p.py << "\" type=\"" << b.type
        << "\" name=\"" << b.name << "\" level=\"" << b.level << "\" id=\"" << ++id << "\" parent=\"" << b.parent
        << "\" connected=\"" << b.connected << "\" cost=\"" << b.cost << "\" happiness=\"5\"/>\n";
    }
    f << "</upgrades>\n";
    std::error_code ec;
    std::filesystem::create_directories(out + "/" + v->folder, ec);
    std::ofstream o(out + "/" + v->folder + "upgrades.xml", std::ios::binary);
    o << f.str();
    if (!o) return false;
  }
  return true;
}

}  // namespace kelp::art
