// The villages' walkability maps: white where a held villager may be put
// down (open ground, every waypoint's square and the strip between joined
// waypoints), black on rock, in the gully, in the stream and in the sky.
// JPEG noise stays far from the threshold (red + green + blue > 60).
#include <algorithm>
#include <cstdio>

#include "art.h"
#include "village_ground.h"
#include "village_layout.h"

namespace kelp::art {

namespace {

using namespace ground;
using Pt = std::pair<double, double>;

double Cross(const Pt& o, const Pt& a, const Pt& b) {
  return (a.first - o.first) * (b.second - o.second) - (a.second - o.second) * (b.first - o.first);
}

// The convex hull of the points (monotone chain), counter-clockwise.
std::vector<Pt> Hull(std::vector<Pt> p) {
  std::sort(p.begin(), p.end());
  std::vector<Pt> h(2 * p.size());
  size_t k = 0;
  for (size_t i = 0; i < p.size(); ++i) {
    while (k >= 2 && Cross(h[k - 2], h[k - 1], p[i]) <= 0) --k;
    h[k++] = p[i];
  }
  for (size_t i = p.size() - 1, t = k + 1; i > 0; --i) {
    while (k >= t && Cross(h[k - 2], h[k - 1], p[i - 1]) <= 0) --k;
    h[k++] = p[i - 1];
  }
  h.resize(k - 1);
  return h;
}

void Corridors(cairo_t* cr, const GraphSketch& g) {
  constexpr double kMargin = 8;
  const auto square = [&](size_t i) {
    const double r = g.radius[i] + kMargin;
    const auto [x, y] = g.at[i];
    return std::vector<Pt>{{x - r, y - r}, {x + r, y - r}, {x + r, y + r}, {x - r, y + r}};
  };
  SetRgb(cr, pal::kWhite);
  for (size_t i = 0; i < g.at.size(); ++i) {
    const auto s = square(i);
    cairo_rectangle(cr, s[0].first, s[0].second, s[1].first - s[0].first, s[2].second - s[0].second);
    cairo_fill(cr);
  }
  for (const auto& [a, b] : g.joins) {
    if (a < 1 || b < 1 || a > static_cast<int>(g.at.size()) || b > static_cast<int>(g.at.size())) continue;
    std::vector<Pt> pts = square(static_cast<size_t>(a - 1));
    const auto sb = square(static_cast<size_t>(b - 1));
    pts.insert(pts.end(), sb.begin(), sb.end());
    const std::vector<Pt> h = Hull(pts);
    std::vector<double> xy;
    for (const Pt& p : h) {
      xy.push_back(p.first);
      xy.push_back(p.second);
    }
    Polygon(cr, xy);
    cairo_fill(cr);
  }
}

void DesertGround(cairo_t* cr, double x0, double x1) {
  SetRgb(cr, pal::kWhite);
  cairo_rectangle(cr, x0, 126, x1 - x0, 600 - 126);
  cairo_fill(cr);
  SetRgb(cr, Rgb{0, 0, 0});
  cairo_move_to(cr, x0, 0);
  for (double x = x0; x <= 520; x += 4) cairo_line_to(cr, x, CliffBottom(x, 118, 255, 115) + 4);
  cairo_line_to(cr, 520, 0);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_move_to(cr, GullyLeft(100) - 3, 100);
  for (double y = 100; y <= 600; y += 5) cairo_line_to(cr, GullyLeft(y) - 3, y);
  for (double y = 600; y >= 100; y -= 5) cairo_line_to(cr, GullyRight(y) + 3, y);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void SnowGround(cairo_t* cr, double x0, double x1) {
  SetRgb(cr, pal::kWhite);
  cairo_move_to(cr, x0, 600);
  for (double x = x0; x <= x1; x += 4) cairo_line_to(cr, x, SnowGroundTop(x) + 6);
  cairo_line_to(cr, x1, 600);
  cairo_close_path(cr);
  cairo_fill(cr);
  SetRgb(cr, Rgb{0, 0, 0});
  cairo_move_to(cr, kSnowCliffX0 + 20, 0);
  for (double x = kSnowCliffX0 + 20; x <= 620; x += 4) cairo_line_to(cr, x, CliffBottom(x, 150, 290, 180) + 4);
  cairo_line_to(cr, 620, 0);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_rectangle(cr, 474, 0, 48, 318);
  cairo_fill(cr);
  cairo_move_to(cr, StreamX(295) - 30, 295);
  for (double y = 295; y <= 600; y += 5) cairo_line_to(cr, StreamX(y) - 30, y);
  for (double y = 600; y >= 295; y -= 5) cairo_line_to(cr, StreamX(y) + 30, y);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void WalkabilityMap(cairo_t* cr, const VillageLayout& v, const GraphSketch& g) {
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  SetRgb(cr, Rgb{0, 0, 0});
  cairo_paint(cr);
  cairo_save(cr);
  cairo_translate(cr, -v.map_origin_x, 0);
  const double x0 = v.map_origin_x, x1 = v.map_origin_x + v.map_w;
  if (v.village == 2)
    SnowGround(cr, x0, x1);
  else
    DesertGround(cr, x0, x1);
  Corridors(cr, g);
  cairo_restore(cr);
}

}  // namespace

void AddVillageMaps(Registry& r) {
  for (const VillageLayout* v : {&DesertLayout(), &SnowLayout()}) {
    const std::string source = VillageSourceDir + "/" + v->graph;
    const GraphSketch g = ReadGraphSketch(source);
    if (g.at.empty()) std::fprintf(stderr, "gen_art: no waypoints in %s\n", source.c_str());
    const VillageLayout* layout = v;
    r.File(v->village == 2 ? "WALKABILITY_SNOW" : "WALKABILITY_DESERT", v->folder + "walkability.jpg", v->map_w,
           v->map_h, [layout, g](cairo_t* cr, int) { WalkabilityMap(cr, *layout, g); })
        .Jpeg();
  }
}

}  // namespace kelp::art
