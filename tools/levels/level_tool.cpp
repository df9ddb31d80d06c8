// Prepares an authored level folder for packing:
//
//   level_tool stage <level folder> <staging folder>
//   level_tool check <level folder>...
//
// Both check the folder first (level_check.h) and refuse it, naming file and
// line of every fault, before anything is staged.
//
// Every file of the folder is copied, except "<name>_path.txt", which becomes
// the binary "<name>_path.dat" (written by the game's own path writer), and
// the level's picture "<name>_art.png" is drawn: the scenery of the level's
// stage on its island (both read from the level description), and over it,
// from the world file, a ledge along every fixed static and a guide rail
// along the legs of every static path. Statics the moving floor takes over are left out (the floor draws
// itself), and so are the platforms on paths, which move and get pictures of
// their own ("<name>_platformN.png", placed by an image line with
// platform="N" at the centre of the platform's extent), and the statics of
// obstacles, which get pictures of their own too ("<name>_obstacleN.png" with
// its damage frames "<name>_obstacleN_anim.png").
//
// "<name>_path.txt" holds one node a line: "node _id path x y turn speed nxt prev".
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "art.h"
#include "framework/core/numbers.h"
#include "level_check.h"
#include "framework/files/line_reader.h"
#include "platform/stream.h"
#include "world/static_path.h"

namespace fs = std::filesystem;
using namespace kelp;

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr double kPi = 3.14159265358979323846;

struct Segment {
  double x1, y1, x2, y2, radius;
  int path;
  int obstacle = 0, parazite = 0;
};

struct Node {
  int number = 0, path = 0, x = 0, y = 0, turn = 0, nxt = 0, prev = 0;
  float speed = 0;
};

bool ReadNodes(const fs::path& file, std::vector<Node>& nodes) {
  std::ifstream in(file);
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word[0] == '#') continue;
    Node n;
    if (word != "node" || !(words >> n.number >> n.path >> n.x >> n.y >> n.turn >> n.speed >> n.nxt >> n.prev)) {
      std::fprintf(stderr, "level_tool: %s:%d: expected \"node _id path x y turn speed nxt prev\"\n",
                   file.string().c_str(), lineNo);
      return false;
    }
    nodes.push_back(n);
  }
  return true;
}

bool WritePath(const std::vector<Node>& nodes, const fs::path& out) {
  TStaticPath path;
  std::map<int, Ref<TStaticNode>> byNumber;
  for (const Node& n : nodes) {
    Ref<TStaticNode> node = path.CreateNode(n.x, n.y, n.speed, n.turn, n.path);
    node->_id = n.number;
    byNumber[n.number] = node;
  }
  for (const Node& n : nodes) {
    if (n.nxt) byNumber[n.number]->nxt = byNumber[n.nxt];
    if (n.prev) byNumber[n.number]->prev = byNumber[n.prev];
  }
  return path.Save(out.string()) == 1;
}

std::vector<Segment> ReadWorld(const fs::path& file) {
  std::vector<Segment> out;
  platform::StreamRef s = platform::OpenFileRead(file.string());
  if (!s) return out;
  for (std::string line = ReadTagLine(*s); !line.empty(); line = ReadTagLine(*s)) {
    if (GetLineTag(line) != "static") continue;
    auto f = [&line](const char* name, double def) {
      const std::string v = GetLineAttr(line, name);
      return v.empty() ? def : static_cast<double>(ToFloat(v));
    };
    out.push_back({f("x1", 0), f("y1", 0), f("x2", 0), f("y2", 0), f("radius", 1), ToInt(GetLineAttr(line, "path")),
                   ToInt(GetLineAttr(line, "obstacle")), ToInt(GetLineAttr(line, "parazite"))});
  }
  return out;
}

// The stage and island of a level from the first "params" line of its
// description: stage 0 when there is none; the snow island for "snow".
struct Place {
  int stage = 0;
  bool snow = false;
};

Place ReadPlace(const fs::path& file) {
  Place out;
  platform::StreamRef s = platform::OpenFileRead(file.string());
  if (!s) return out;
  for (std::string line = ReadTagLine(*s); !line.empty(); line = ReadTagLine(*s)) {
    if (GetLineTag(line) != "params") continue;
    out.stage = ToInt(GetLineAttr(line, "stage"));
    std::string tileset = GetLineAttr(line, "tileset");
    for (char& ch : tileset) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    out.snow = tileset == "snow";
    break;
  }
  return out;
}

using Ends = std::tuple<double, double, double, double>;

std::set<Ends> ReadFloor(const fs::path& file) {
  std::set<Ends> out;
  platform::StreamRef s = platform::OpenFileRead(file.string());
  if (!s) return out;
  for (std::string line = ReadTagLine(*s); !line.empty(); line = ReadTagLine(*s)) {
    if (GetLineTag(line) != "element") continue;
    out.insert({ToFloat(GetLineAttr(line, "x1")), ToFloat(GetLineAttr(line, "y1")), ToFloat(GetLineAttr(line, "x2")),
                ToFloat(GetLineAttr(line, "y2"))});
  }
  return out;
}

// A thin static (the cable's tray) is a steel bar.
void Bar(cairo_t* cr, const Segment& s) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, s.x1, s.y1);
  cairo_line_to(cr, s.x2, s.y2);
  cairo_set_source_rgb(cr, 0.34, 0.38, 0.43);
  cairo_set_line_width(cr, 5);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 0.62, 0.67, 0.73);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
}

void Ledge(cairo_t* cr, const Segment& s) {
  if (s.radius <= 1) return Bar(cr, s);
  const double w = 2 * std::max(s.radius, 3.0) + 6;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, s.x1, s.y1 + 2);
  cairo_line_to(cr, s.x2, s.y2 + 2);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);  // shadow
  cairo_set_line_width(cr, w + 2);
  cairo_stroke(cr);
  cairo_move_to(cr, s.x1, s.y1);
  cairo_line_to(cr, s.x2, s.y2);
  cairo_set_source_rgb(cr, 0.42, 0.30, 0.20);  // outline
  cairo_set_line_width(cr, w);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 0.80, 0.63, 0.40);  // sandstone
  cairo_set_line_width(cr, w - 3);
  cairo_stroke(cr);
  const double len = std::hypot(s.x2 - s.x1, s.y2 - s.y1);
  if (len <= 0) return;
  // a light edge on the upper side
  const double nx = (s.y2 - s.y1) / len, ny = -(s.x2 - s.x1) / len;
  const double side = ny <= 0 ? 1 : -1;
  const double off = (w - 3) / 2 - 1.5;
  cairo_move_to(cr, s.x1 + side * nx * off, s.y1 + side * ny * off);
  cairo_line_to(cr, s.x2 + side * nx * off, s.y2 + side * ny * off);
  cairo_set_source_rgba(cr, 1, 0.93, 0.75, 0.8);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

void Rail(cairo_t* cr, const Node& a, const Node& b) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, a.x, a.y);
  cairo_line_to(cr, b.x, b.y);
  cairo_set_source_rgba(cr, 0.25, 0.28, 0.32, 0.55);
  cairo_set_line_width(cr, 6);
  cairo_stroke_preserve(cr);
  const double dash[] = {6, 6};
  cairo_set_dash(cr, dash, 2, 0);
  cairo_set_source_rgba(cr, 0.75, 0.78, 0.82, 0.8);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
}

void Stop(cairo_t* cr, const Node& n) {
  cairo_arc(cr, n.x, n.y, n.turn ? 6 : 4, 0, 2 * kPi);
  if (n.turn)
    cairo_set_source_rgba(cr, 0.85, 0.25, 0.2, 0.85);
  else
    cairo_set_source_rgba(cr, 0.35, 0.38, 0.42, 0.85);
  cairo_fill(cr);
}

bool DrawArt(const Place& place, const std::vector<Segment>& world, const std::set<Ends>& floor,
             const std::vector<Node>& nodes, const fs::path& out) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
  cairo_t* cr = cairo_create(surface);
  if (place.stage > 0) art::Scenery(cr, place.stage, place.snow);
  std::map<int, const Node*> byNumber;
  for (const Node& n : nodes) byNumber[n.number] = &n;
  for (const Node& n : nodes)
    if (n.nxt && byNumber.count(n.nxt)) Rail(cr, n, *byNumber[n.nxt]);
  for (const Node& n : nodes) Stop(cr, n);
  for (const Segment& s : world) {
    const Ends ends{static_cast<float>(s.x1), static_cast<float>(s.y1), static_cast<float>(s.x2),
                    static_cast<float>(s.y2)};
    if (s.path == 0 && s.obstacle <= 0 && !floor.count(ends)) Ledge(cr, s);
  }
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(surface, out.string().c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

// An obstacle's picture: its statics as stone blocks, cracked more in each
// later frame. Frame 0 is the whole picture, frames 1.. its damage frames.
void Obstacle(cairo_t* cr, const std::vector<Segment>& parts, double ox, double oy, int frame, bool parazite) {
  for (const Segment& s : parts) {
    const double w = 2 * std::max(s.radius, 4.0) + 8;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    cairo_move_to(cr, s.x1 - ox, s.y1 - oy);
    cairo_line_to(cr, s.x2 - ox, s.y2 - oy);
    cairo_set_source_rgb(cr, 0.22, 0.20, 0.24);
    cairo_set_line_width(cr, w);
    cairo_stroke_preserve(cr);
    const double shade = 1.0 - 0.12 * frame;
    if (parazite)
      cairo_set_source_rgb(cr, 0.55 * shade, 0.40 * shade, 0.62 * shade);
    else
      cairo_set_source_rgb(cr, 0.58 * shade, 0.60 * shade, 0.62 * shade);
    cairo_set_line_width(cr, w - 3);
    cairo_stroke(cr);
    const double len = std::hypot(s.x2 - s.x1, s.y2 - s.y1);
    if (len <= 0) continue;
    const double ux = (s.x2 - s.x1) / len, uy = (s.y2 - s.y1) / len;
    // Cracks across the block, one more for every frame of damage.
    cairo_set_source_rgb(cr, 0.15, 0.13, 0.15);
    cairo_set_line_width(cr, 1.5);
    for (int c = 0; c < frame * 2; ++c) {
      const double at = len * (0.15 + 0.7 * std::fmod(0.37 * (c + 1) + 0.11 * frame, 1.0));
      const double cx = s.x1 - ox + ux * at, cy = s.y1 - oy + uy * at;
      const double half = (w - 3) / 2;
      cairo_move_to(cr, cx - uy * half, cy + ux * half);
      cairo_line_to(cr, cx + ux * 3 + uy * 1, cy + uy * 3 - ux * 1);
      cairo_line_to(cr, cx + uy * half - ux * 2, cy - ux * half - uy * 2);
      cairo_stroke(cr);
    }
  }
}

// "<name>_obstacleN.png" for every obstacle id of the world, centred on its
// statics' extent (the level description places it there), and beside it
// "<name>_obstacleN_anim.png" with the damage frames: 2, or 4 for a parasite
// obstacle, each the picture's size.
bool DrawObstacles(const std::vector<Segment>& world, const fs::path& to, const std::string& name) {
  std::map<int, std::vector<Segment>> byId;
  for (const Segment& s : world)
    if (s.obstacle > 0) byId[s.obstacle].push_back(s);
  constexpr double kMargin = 8;
  for (const auto& [id, parts] : byId) {
    double minx = parts[0].x1, maxx = minx, miny = parts[0].y1, maxy = miny;
    bool parazite = false;
    for (const Segment& s : parts) {
      minx = std::min({minx, s.x1, s.x2});
      maxx = std::max({maxx, s.x1, s.x2});
      miny = std::min({miny, s.y1, s.y2});
      maxy = std::max({maxy, s.y1, s.y2});
      parazite = parazite || s.parazite;
    }
    const int w = static_cast<int>(std::ceil(maxx - minx + 2 * kMargin));
    const int h = static_cast<int>(std::ceil(maxy - miny + 2 * kMargin));
    const double ox = (minx + maxx) / 2 - w / 2.0, oy = (miny + maxy) / 2 - h / 2.0;
    const int frames = parazite ? 4 : 2;
    const std::string base = name + "_obstacle" + std::to_string(id);
    for (int sheet = 0; sheet < 2; ++sheet) {
      const int count = sheet == 0 ? 1 : frames;
      cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w * count, h);
      cairo_t* cr = cairo_create(surface);
      for (int f = 0; f < count; ++f) {
        cairo_save(cr);
        cairo_translate(cr, w * f, 0);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_clip(cr);
        Obstacle(cr, parts, ox, oy, sheet == 0 ? 0 : f + 1, parazite);
        cairo_restore(cr);
      }
      cairo_destroy(cr);
      const fs::path out = to / (base + (sheet == 0 ? ".png" : "_anim.png"));
      const bool ok = cairo_surface_write_to_png(surface, out.string().c_str()) == CAIRO_STATUS_SUCCESS;
      cairo_surface_destroy(surface);
      if (!ok) return false;
    }
  }
  return true;
}

// "<name>_platformN.png" for every path id of the world: its statics as
// ledges, the picture centred on their extent.
bool DrawPlatforms(const std::vector<Segment>& world, const fs::path& to, const std::string& name) {
  std::map<int, std::vector<Segment>> byPath;
  for (const Segment& s : world)
    if (s.path != 0) byPath[s.path].push_back(s);
  constexpr double kMargin = 10;
  for (const auto& [id, parts] : byPath) {
    double minx = parts[0].x1, maxx = minx, miny = parts[0].y1, maxy = miny;
    for (const Segment& s : parts) {
      minx = std::min({minx, s.x1, s.x2});
      maxx = std::max({maxx, s.x1, s.x2});
      miny = std::min({miny, s.y1, s.y2});
      maxy = std::max({maxy, s.y1, s.y2});
    }
    const int w = static_cast<int>(std::ceil(maxx - minx + 2 * kMargin));
    const int h = static_cast<int>(std::ceil(maxy - miny + 2 * kMargin));
    const double ox = (minx + maxx) / 2 - w / 2.0, oy = (miny + maxy) / 2 - h / 2.0;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(surface);
    cairo_translate(cr, -ox, -oy);
    for (const Segment& s : parts) Ledge(cr, s);
    cairo_destroy(cr);
    const fs::path out = to / (name + "_platform" + std::to_string(id) + ".png");
    const bool ok = cairo_surface_write_to_png(surface, out.string().c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok) return false;
  }
  return true;
}

bool Check(const fs::path& folder) {
  const std::vector<std::string> faults = levels::CheckLevelFolder(folder);
  for (const std::string& f : faults) std::fprintf(stderr, "level_tool: %s\n", f.c_str());
  if (!faults.empty())
    std::fprintf(stderr, "level_tool: %s refused: %zu fault(s)\n", folder.string().c_str(), faults.size());
  return faults.empty();
}

int Stage(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  const std::string name = from.filename().string();
  if (!fs::is_directory(from, ec)) {
    std::fprintf(stderr, "level_tool: %s is not a folder\n", from.string().c_str());
    return 1;
  }
  if (!Check(from)) return 1;
  fs::create_directories(to, ec);
  std::vector<Node> nodes;
  for (const auto& entry : fs::directory_iterator(from, ec)) {
    if (!entry.is_regular_file()) continue;
    const std::string file = entry.path().filename().string();
    if (file == name + "_path.txt") {
      if (!ReadNodes(entry.path(), nodes) || !WritePath(nodes, to / (name + "_path.dat"))) return 1;
    } else if (!fs::copy_file(entry.path(), to / file, fs::copy_options::overwrite_existing, ec)) {
      std::fprintf(stderr, "level_tool: cannot copy %s: %s\n", entry.path().string().c_str(), ec.message().c_str());
      return 1;
    }
  }
  const std::vector<Segment> world = ReadWorld(from / (name + "_world.xml"));
  if (world.empty()) {
    std::fprintf(stderr, "level_tool: %s has no statics in %s_world.xml\n", from.string().c_str(), name.c_str());
    return 1;
  }
  if (!DrawArt(ReadPlace(from / (name + ".xml")), world, ReadFloor(from / (name + "_floor.xml")), nodes, to / (name + "_art.png"))) {
    std::fprintf(stderr, "level_tool: cannot write %s_art.png\n", name.c_str());
    return 1;
  }
  if (!DrawPlatforms(world, to, name)) {
    std::fprintf(stderr, "level_tool: cannot write the platform pictures of %s\n", name.c_str());
    return 1;
  }
  if (!DrawObstacles(world, to, name)) {
    std::fprintf(stderr, "level_tool: cannot write the obstacle pictures of %s\n", name.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "stage") return Stage(argv[2], argv[3]);
  if (argc >= 3 && std::string(argv[1]) == "check") {
    int bad = 0;
    for (int i = 2; i < argc; ++i) bad += Check(argv[i]) ? 0 : 1;
    return bad ? 1 : 0;
  }
  std::fprintf(stderr, "usage: level_tool stage <level folder> <staging folder>\n"
                       "       level_tool check <level folder>...\n");
  return 2;
}
