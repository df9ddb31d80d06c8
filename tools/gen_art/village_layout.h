#pragma once
// The two villages' buildings: where each stands, what it grows from, when
// it is offered and what it costs. One table per village feeds the building
// pictures, the village's "upgrades.xml" and its walkability map, so the
// three always agree. Waypoints come from the text graphs in villages/.
#include <cairo.h>

#include <string>
#include <utility>
#include <vector>

namespace kelp::art {

enum class BuildingLook { Hut, Tavern, Center, Bridge, Road, PavedRoad, Tower, Market, School, Telescope };

struct VillageBuilding {
  std::string name;    // upgrade name, also the picture's file stem
  std::string type;    // the building class
  std::string parent;  // upgrade name of the parent, "" for a root
  int connected = 0;
  int level = 0;  // offered from stage level + 1
  int cost = 0;
  BuildingLook look = BuildingLook::Hut;
  int grade = 1;           // hut level 1..3
  double bx = 0, by = 0;   // bottom centre of the building's footing
  int w = 0, h = 0;        // picture size (roads: from their path)
  std::vector<std::pair<double, double>> path;  // road pieces: the road's course
};

// Where a building's picture goes and its offsets, as "upgrades.xml" holds them.
struct Placement {
  int x = 0, y = 0, w = 0, h = 0;
  int cx = 0, cy = 0;
  int px = 0, py = 0;  // chimney; 0, 0 = none
};

struct VillageLayout {
  int village = 1;  // 1 desert, 2 snow
  std::string folder;  // "data/img/villages/desert/"
  std::string graph;   // the text graph under villages/
  int map_origin_x = 0, map_w = 0, map_h = 600;  // walkability map: village x of pixel 0, size
  std::vector<VillageBuilding> buildings;
};

const VillageLayout& DesertLayout();
const VillageLayout& SnowLayout();
Placement Place(const VillageBuilding& b);
// Half the width of a road's ribbon.
constexpr double kRoadHalfWidth = 13.0;

// The text graph's nodes (x, y, radius) and joins (1-based ids), for maps.
struct GraphSketch {
  std::vector<std::pair<double, double>> at;
  std::vector<double> radius;
  std::vector<std::pair<int, int>> joins;
};
GraphSketch ReadGraphSketch(const std::string& path);

// The building of that name of a village (1 desert, 2 snow), scaled to fit
// a box_w x box_h picture, standing on its bottom edge; nothing when unknown.
void DrawBuildingFitted(cairo_t* cr, int village, const std::string& name, double box_w, double box_h);

// The folder holding villages/ (set from the command line).
extern std::string VillageSourceDir;
// Writes each village's "upgrades.xml" under the program folder; false on failure.
bool WriteUpgradeFiles(const std::string& out);

}  // namespace kelp::art
