// The villages' buildings: adobe huts of the desert and log cabins of the
// snow village that grow with their level, the taverns, the village squares,
// the desert bridge, Orbus's tower, the market, the school, the observatory,
// and the road pieces that link them. Each building that has windows also
// gets a "_light" picture: the glow of its windows at night, drawn over it.
#include <algorithm>
#include <cmath>

#include "art.h"
#include "village_layout.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Win {
  double x, y, w, h;  // centre and size
  bool round;
};

// ---------------------------------------------------------------- parts

void WindowAt(cairo_t* cr, const Win& w, Rgb frame) {
  if (w.round) {
    Ellipse(cr, w.x, w.y, w.w / 2, w.h / 2);
  } else {
    RoundRect(cr, w.x - w.w / 2, w.y - w.h / 2, w.w, w.h, std::min(w.w, w.h) * 0.25);
  }
  cairo_path_t* p = cairo_copy_path(cr);
  FillV(cr, w.y - w.h / 2, w.y + w.h / 2, Hex(0x34405a), Hex(0x5a6a8a));
  cairo_append_path(cr, p);
  Stroke(cr, frame, 2.0);
  cairo_path_destroy(p);
  // a cross of glazing bars and a glint
  cairo_move_to(cr, w.x, w.y - w.h / 2 + 1);
  cairo_line_to(cr, w.x, w.y + w.h / 2 - 1);
  if (!w.round) {
    cairo_move_to(cr, w.x - w.w / 2 + 1, w.y);
    cairo_line_to(cr, w.x + w.w / 2 - 1, w.y);
  }
  Stroke(cr, frame, 1.3, 0.9);
  cairo_move_to(cr, w.x - w.w * 0.3, w.y - w.h * 0.25);
  cairo_line_to(cr, w.x - w.w * 0.1, w.y - w.h * 0.38);
  Stroke(cr, pal::kWhite, 1.2, 0.5);
}

void WindowGlow(cairo_t* cr, const Win& w) {
  Glow(cr, w.x, w.y, std::max(w.w, w.h) * 1.3, Hex(0xffc850), 0.55, 0.1);
  if (w.round)
    Ellipse(cr, w.x, w.y, w.w / 2 - 1, w.h / 2 - 1);
  else
    RoundRect(cr, w.x - w.w / 2 + 1, w.y - w.h / 2 + 1, w.w - 2, w.h - 2, std::min(w.w, w.h) * 0.2);
  FillV(cr, w.y - w.h / 2, w.y + w.h / 2, Hex(0xfff0a0), Hex(0xffb040), 0.95);
}

void Door(cairo_t* cr, double cx, double base, double w, double h, Rgb wood) {
  cairo_move_to(cr, cx - w / 2, base);
  cairo_line_to(cr, cx - w / 2, base - h + w / 2);
  cairo_arc(cr, cx, base - h + w / 2, w / 2, kPi, 2 * kPi);
  cairo_line_to(cr, cx + w / 2, base);
  cairo_close_path(cr);
  Shade(cr, wood, base - h, base, 1.8);
  for (double k = -0.25; k <= 0.26; k += 0.25) {
    cairo_move_to(cr, cx + w * k, base - h + w * 0.35);
    cairo_line_to(cr, cx + w * k, base - 1);
    Stroke(cr, Darker(wood, 0.4), 1.0, 0.5);
  }
  cairo_arc(cr, cx + w * 0.28, base - h * 0.45, 1.5, 0, 2 * kPi);
  SetRgb(cr, pal::kGold);
  cairo_fill(cr);
}

void Chimney(cairo_t* cr, double x, double top, double w, double h, Rgb c, bool snow) {
  cairo_rectangle(cr, x - w / 2, top, w, h);
  Shade(cr, c, top, top + h, 1.5);
  cairo_rectangle(cr, x - w / 2 - 2, top - 2, w + 4, 5);
  Shade(cr, Darker(c, 0.15), top - 2, top + 3, 1.2);
  if (snow) {
    Ellipse(cr, x, top - 2, w / 2 + 3, 3);
    SetRgb(cr, pal::kSnow);
    cairo_fill(cr);
  }
}

void GroundShadow(cairo_t* cr, double cx, double base, double rx) { ShadowEllipse(cr, cx, base - 3, rx, 6, 0.3); }

// Snow lying on a slope from (x0, y0) to (x1, y1), thickness t.
void SnowCap(cairo_t* cr, const std::vector<double>& edge, double t) {
  if (edge.size() < 4) return;
  cairo_move_to(cr, edge[0], edge[1]);
  for (size_t i = 2; i + 1 < edge.size(); i += 2) cairo_line_to(cr, edge[i], edge[i + 1]);
  for (size_t i = edge.size(); i >= 2; i -= 2) {
    const double x = edge[i - 2], y = edge[i - 1];
    cairo_line_to(cr, x, y + t * (0.6 + 0.4 * std::sin(x * 0.3)));
  }
  cairo_close_path(cr);
  Shade(cr, pal::kSnow, 0, 1, 1.2);
  // icicles under the edge
  for (size_t i = 0; i + 3 < edge.size(); i += 2) {
    const double x = (edge[i] + edge[i + 2]) / 2, y = (edge[i + 1] + edge[i + 3]) / 2 + t;
    Polygon(cr, {x - 2, y - 1, x + 2, y - 1, x, y + 5});
    SetRgb(cr, Hex(0xd8eefa));
    cairo_fill(cr);
  }
}

// Horizontal logs across a wall.
void Logs(cairo_t* cr, double x, double y, double w, double h, Rgb wood) {
  const int n = std::max(3, static_cast<int>(h / 9));
  const double lh = h / n;
  for (int i = 0; i < n; ++i) {
    RoundRect(cr, x, y + i * lh, w, lh + 0.5, lh / 2);
    Shade(cr, i % 2 ? wood : Darker(wood, 0.06), y + i * lh, y + (i + 1) * lh, 1.0);
    for (double e : {x + 2.0, x + w - 2.0}) {
      Ellipse(cr, e, y + i * lh + lh / 2, lh * 0.35, lh * 0.42);
      SetRgb(cr, Lighter(wood, 0.35));
      cairo_fill_preserve(cr);
      Stroke(cr, Darker(wood, 0.45), 0.8);
    }
  }
}

// Adobe wall with a few cracks and stones.
void Adobe(cairo_t* cr, double x, double y, double w, double h, Rgb c, uint32_t seed) {
  RoundRect(cr, x, y, w, h, std::min(w, h) * 0.08);
  Shade(cr, c, y, y + h, 2.0);
  Rng rng(seed);
  for (int k = 0; k < 4; ++k) {
    const double px = rng.Uniform(x + 6, x + w - 10), py = rng.Uniform(y + 6, y + h - 10);
    cairo_move_to(cr, px, py);
    cairo_line_to(cr, px + rng.Uniform(-4, 4), py + rng.Uniform(4, 9));
    cairo_line_to(cr, px + rng.Uniform(-4, 4), py + rng.Uniform(9, 14));
    Stroke(cr, Darker(c, 0.3), 1.0, 0.5);
  }
  for (int k = 0; k < 3; ++k) {
    Ellipse(cr, rng.Uniform(x + 6, x + w - 6), rng.Uniform(y + h * 0.5, y + h - 5), 3, 2);
    SetRgb(cr, Darker(c, 0.15), 0.6);
    cairo_fill(cr);
  }
}

// ---------------------------------------------------------------- huts

std::vector<Win> HutWindows(int grade, double w, double h, bool snow) {
  std::vector<Win> v;
  if (grade == 1) {
    v.push_back({w * 0.75, h * 0.66, w * 0.13, h * 0.13, !snow});
  } else if (grade == 2) {
    v.push_back({w * 0.22, h * 0.64, w * 0.14, h * 0.14, false});
    v.push_back({w * 0.78, h * 0.64, w * 0.14, h * 0.14, false});
  } else {
    v.push_back({w * 0.2, h * 0.72, w * 0.12, h * 0.12, false});
    v.push_back({w * 0.8, h * 0.72, w * 0.12, h * 0.12, false});
    v.push_back({w * 0.42, h * 0.36, w * 0.1, h * 0.1, true});
    v.push_back({w * 0.6, h * 0.36, w * 0.1, h * 0.1, true});
  }
  return v;
}

void DesertHut(cairo_t* cr, int grade, double w, double h, bool light) {
  const std::vector<Win> wins = HutWindows(grade, w, h, false);
  if (light) {
    for (const Win& x : wins) WindowGlow(cr, x);
    return;
  }
  const Rgb wall = Hex(0xe9c48c), thatch = Hex(0xc99a52), clay = Hex(0xc0542f);
  GroundShadow(cr, w * 0.52, h, w * 0.5);
  if (grade == 1) {
    // a round mud hut under a cone of thatch
    Adobe(cr, w * 0.12, h * 0.45, w * 0.76, h * 0.54, wall, 11);
    cairo_move_to(cr, w * 0.02, h * 0.52);
    cairo_curve_to(cr, w * 0.2, h * 0.3, w * 0.38, h * 0.05, w * 0.5, h * 0.02);
    cairo_curve_to(cr, w * 0.62, h * 0.05, w * 0.8, h * 0.3, w * 0.98, h * 0.52);
    cairo_curve_to(cr, w * 0.7, h * 0.58, w * 0.3, h * 0.58, w * 0.02, h * 0.52);
    Shade(cr, thatch, 0, h * 0.56, 2.0);
    for (int k = 0; k < 9; ++k) {
      const double t = k / 8.0;
      cairo_move_to(cr, w * 0.5, h * 0.05);
      cairo_line_to(cr, w * (0.06 + 0.88 * t), h * (0.52 + 0.04 * std::sin(t * kPi)));
      Stroke(cr, Darker(thatch, 0.3), 1.0, 0.45);
    }
    Door(cr, w * 0.45, h, w * 0.2, h * 0.3, Hex(0x7a4a22));
  } else if (grade == 2) {
    // a square adobe house with a flat roof, beams and an awning
    Adobe(cr, w * 0.06, h * 0.3, w * 0.88, h * 0.69, wall, 22);
    RoundRect(cr, w * 0.03, h * 0.24, w * 0.94, h * 0.09, 3);
    Shade(cr, Darker(wall, 0.12), h * 0.24, h * 0.33, 1.8);
    for (double bx : {0.16, 0.36, 0.64, 0.84}) {
      RoundRect(cr, w * bx - 3, h * 0.36, 6, 5, 2);
      Shade(cr, Hex(0x8a5a2a), h * 0.36, h * 0.36 + 5, 1.0);
    }
    Chimney(cr, w * 0.72, h * 0.08, w * 0.09, h * 0.17, Hex(0xb0a090), false);
    Door(cr, w * 0.5, h, w * 0.18, h * 0.32, Hex(0x7a4a22));
    Polygon(cr, {w * 0.34, h * 0.62, w * 0.66, h * 0.62, w * 0.7, h * 0.68, w * 0.3, h * 0.68});
    Shade(cr, Hex(0xd2473c), h * 0.62, h * 0.68, 1.2);
    // a pot with a sprout by the door
    RoundRect(cr, w * 0.08, h * 0.86, w * 0.08, h * 0.12, 3);
    Shade(cr, clay, h * 0.86, h * 0.98, 1.0);
    for (int k = -1; k <= 1; ++k) {
      cairo_move_to(cr, w * 0.12, h * 0.86);
      cairo_curve_to(cr, w * 0.12 + k * 3, h * 0.8, w * 0.12 + k * 6, h * 0.78, w * 0.12 + k * 8, h * 0.76);
      Stroke(cr, pal::kLeaf, 2.0);
    }
  } else {
    // two floors, a terrace with a rail and a flag
    Adobe(cr, w * 0.04, h * 0.5, w * 0.92, h * 0.49, wall, 33);
    Adobe(cr, w * 0.24, h * 0.2, w * 0.56, h * 0.32, Lighter(wall, 0.08), 34);
    RoundRect(cr, w * 0.0, h * 0.47, w, h * 0.06, 3);
    Shade(cr, Darker(wall, 0.12), h * 0.47, h * 0.53, 1.8);
    for (double rx = 0.04; rx < 0.24; rx += 0.05) {
      cairo_move_to(cr, w * rx, h * 0.47);
      cairo_line_to(cr, w * rx, h * 0.41);
    }
    for (double rx = 0.82; rx < 0.98; rx += 0.05) {
      cairo_move_to(cr, w * rx, h * 0.47);
      cairo_line_to(cr, w * rx, h * 0.41);
    }
    Stroke(cr, Hex(0x8a5a2a), 1.6);
    cairo_move_to(cr, w * 0.02, h * 0.41);
    cairo_line_to(cr, w * 0.24, h * 0.41);
    cairo_move_to(cr, w * 0.8, h * 0.41);
    cairo_line_to(cr, w * 0.98, h * 0.41);
    Stroke(cr, Hex(0x8a5a2a), 2.2);
    RoundRect(cr, w * 0.21, h * 0.15, w * 0.62, h * 0.07, 3);
    Shade(cr, Darker(wall, 0.12), h * 0.15, h * 0.22, 1.8);
    Chimney(cr, w * 0.72, h * 0.08, w * 0.08, h * 0.1, Hex(0xb0a090), false);
    cairo_move_to(cr, w * 0.3, h * 0.15);
    cairo_line_to(cr, w * 0.3, h * 0.0 + 2);
    Stroke(cr, pal::kWoodDark, 2.0);
    Polygon(cr, {w * 0.3, 2, w * 0.44, 5, w * 0.3, 10});
    Shade(cr, BoxRgb(kRed), 2, 10, 1.0);
    Door(cr, w * 0.5, h, w * 0.16, h * 0.28, Hex(0x7a4a22));
    Polygon(cr, {w * 0.36, h * 0.66, w * 0.64, h * 0.66, w * 0.68, h * 0.71, w * 0.32, h * 0.71});
    Shade(cr, Hex(0x3f7fd0), h * 0.66, h * 0.71, 1.2);
    for (double px : {0.07, 0.9}) {
      RoundRect(cr, w * px, h * 0.88, w * 0.06, h * 0.1, 3);
      Shade(cr, clay, h * 0.88, h * 0.98, 1.0);
      cairo_arc(cr, w * px + w * 0.03, h * 0.85, w * 0.04, 0, 2 * kPi);
      Shade(cr, pal::kLeaf, h * 0.8, h * 0.9, 1.0);
    }
  }
  for (const Win& x : wins) WindowAt(cr, x, Hex(0x7a4a22));
}

void SnowHut(cairo_t* cr, int grade, double w, double h, bool light) {
  const std::vector<Win> wins = HutWindows(grade, w, h, true);
  if (light) {
    for (const Win& x : wins) WindowGlow(cr, x);
    return;
  }
  const Rgb logs = Hex(0x9a6438), roof = Hex(0x6a4a78);
  GroundShadow(cr, w * 0.52, h, w * 0.5);
  if (grade == 1) {
    Logs(cr, w * 0.12, h * 0.45, w * 0.76, h * 0.54, logs);
    Polygon(cr, {w * 0.02, h * 0.5, w * 0.5, h * 0.06, w * 0.98, h * 0.5});
    Shade(cr, roof, h * 0.06, h * 0.5, 2.0);
    SnowCap(cr, {w * 0.0, h * 0.5, w * 0.25, h * 0.28, w * 0.5, h * 0.04, w * 0.75, h * 0.28, w * 1.0, h * 0.5}, 6);
    Door(cr, w * 0.42, h, w * 0.2, h * 0.32, Hex(0x6a3a1a));
  } else if (grade == 2) {
    Logs(cr, w * 0.06, h * 0.4, w * 0.88, h * 0.59, logs);
    Chimney(cr, w * 0.72, h * 0.08, w * 0.09, h * 0.2, Hex(0x8a8a92), true);
    Polygon(cr, {w * 0.0, h * 0.44, w * 0.5, h * 0.1, w * 1.0, h * 0.44});
    Shade(cr, roof, h * 0.1, h * 0.44, 2.0);
    SnowCap(cr, {w * 0.0, h * 0.44, w * 0.25, h * 0.27, w * 0.5, h * 0.08, w * 0.75, h * 0.27, w * 1.0, h * 0.44}, 7);
    Door(cr, w * 0.5, h, w * 0.18, h * 0.32, Hex(0x6a3a1a));
    // a pile of firewood
    for (int k = 0; k < 3; ++k) {
      Ellipse(cr, w * 0.9, h * 0.95 - k * 5, 5, 3);
      Shade(cr, Hex(0xb07a44), h * 0.9 - k * 5, h, 1.0);
    }
  } else {
    Logs(cr, w * 0.04, h * 0.52, w * 0.92, h * 0.47, logs);
    Logs(cr, w * 0.16, h * 0.24, w * 0.68, h * 0.3, Lighter(logs, 0.05));
    // a balcony between the floors
    RoundRect(cr, w * 0.1, h * 0.5, w * 0.8, h * 0.05, 2);
    Shade(cr, Hex(0x6a3a1a), h * 0.5, h * 0.55, 1.5);
    for (double rx = 0.13; rx < 0.9; rx += 0.07) {
      cairo_move_to(cr, w * rx, h * 0.5);
      cairo_line_to(cr, w * rx, h * 0.44);
    }
    cairo_move_to(cr, w * 0.1, h * 0.44);
    cairo_line_to(cr, w * 0.9, h * 0.44);
    Stroke(cr, Hex(0x6a3a1a), 1.8);
    Chimney(cr, w * 0.72, h * 0.08, w * 0.08, h * 0.18, Hex(0x8a8a92), true);
    Polygon(cr, {w * 0.1, h * 0.27, w * 0.5, h * 0.03, w * 0.9, h * 0.27});
    Shade(cr, roof, h * 0.03, h * 0.27, 2.0);
    SnowCap(cr, {w * 0.08, h * 0.27, w * 0.3, h * 0.14, w * 0.5, h * 0.02, w * 0.7, h * 0.14, w * 0.92, h * 0.27}, 6);
    Door(cr, w * 0.5, h, w * 0.16, h * 0.28, Hex(0x6a3a1a));
    // a lantern by the door
    cairo_move_to(cr, w * 0.64, h * 0.74);
    cairo_line_to(cr, w * 0.64, h * 0.8);
    Stroke(cr, Hex(0x3a3a42), 1.5);
    RoundRect(cr, w * 0.62, h * 0.8, w * 0.04, h * 0.06, 1.5);
    Shade(cr, pal::kGold, h * 0.8, h * 0.86, 1.0);
  }
  for (const Win& x : wins) WindowAt(cr, x, Hex(0x5a3418));
}

// ---------------------------------------------------------------- public buildings

std::vector<Win> TavernWindows(double w, double h) {
  return {{w * 0.16, h * 0.66, w * 0.09, h * 0.13, false}, {w * 0.68, h * 0.66, w * 0.09, h * 0.13, false},
          {w * 0.84, h * 0.66, w * 0.09, h * 0.13, false}, {w * 0.5, h * 0.34, w * 0.07, h * 0.1, true}};
}

void Tavern(cairo_t* cr, double w, double h, bool snow, bool light) {
  const std::vector<Win> wins = TavernWindows(w, h);
  if (light) {
    for (const Win& x : wins) WindowGlow(cr, x);
    return;
  }
  GroundShadow(cr, w * 0.5, h, w * 0.52);
  const double door_x = w * 0.5 - 15;
  if (snow) {
    Logs(cr, w * 0.04, h * 0.42, w * 0.92, h * 0.57, Hex(0x8a5430));
    Chimney(cr, w * 0.72, h * 0.06, w * 0.06, h * 0.22, Hex(0x8a8a92), true);
    Polygon(cr, {-2, h * 0.46, w * 0.5, h * 0.12, w + 2, h * 0.46});
    Shade(cr, Hex(0x7a3a3a), h * 0.12, h * 0.46, 2.0);
    SnowCap(cr, {0, h * 0.46, w * 0.25, h * 0.29, w * 0.5, h * 0.1, w * 0.75, h * 0.29, w, h * 0.46}, 8);
  } else {
    Adobe(cr, w * 0.04, h * 0.38, w * 0.92, h * 0.61, Hex(0xdfae70), 44);
    Chimney(cr, w * 0.72, h * 0.06, w * 0.06, h * 0.2, Hex(0xb0a090), false);
    // a tiled roof
    Polygon(cr, {0, h * 0.42, w * 0.12, h * 0.16, w * 0.88, h * 0.16, w, h * 0.42});
    Shade(cr, Hex(0xc0462f), h * 0.16, h * 0.42, 2.0);
    for (double y = 0.22; y < 0.42; y += 0.06) {
      cairo_move_to(cr, w * (0.12 - (y - 0.16) * 0.45), h * y);
      cairo_line_to(cr, w * (0.88 + (y - 0.16) * 0.45), h * y);
      Stroke(cr, Hex(0x8a2a1a), 1.0, 0.5);
    }
  }
  // a porch roof over the door
  Polygon(cr, {door_x - 26, h * 0.64, door_x + 26, h * 0.64, door_x + 32, h * 0.71, door_x - 32, h * 0.71});
  Shade(cr, snow ? Hex(0x5a3418) : Hex(0x3f7fd0), h * 0.64, h * 0.71, 1.5);
  Door(cr, door_x, h, 22, h * 0.3, Hex(0x6a3a1a));
  // barrels by the wall
  for (double bx : {w * 0.3, w * 0.36}) {
    RoundRect(cr, bx - 8, h - 22, 16, 20, 6);
    Shade(cr, Hex(0xa06a36), h - 22, h - 2, 1.2);
    cairo_move_to(cr, bx - 8, h - 16);
    cairo_line_to(cr, bx + 8, h - 16);
    cairo_move_to(cr, bx - 8, h - 8);
    cairo_line_to(cr, bx + 8, h - 8);
    Stroke(cr, Hex(0x4a4a52), 1.4);
  }
  // the sign: a mug on a board
  cairo_move_to(cr, w * 0.9, h * 0.44);
  cairo_line_to(cr, w * 1.0 - 2, h * 0.44);
  Stroke(cr, pal::kWoodDark, 3.0);
  RoundRect(cr, w * 0.86, h * 0.46, w * 0.13, h * 0.15, 4);
  Shade(cr, pal::kParchment, h * 0.46, h * 0.61, 1.5);
  DrawIcon(cr, Icon::Tavern, w * 0.925, h * 0.535, h * 0.12, pal::kGold);
  for (const Win& x : wins) WindowAt(cr, x, Hex(0x5a3418));
}

void Fountain(cairo_t* cr, double cx, double cy, double s, bool snow) {
  Ellipse(cr, cx, cy, 40 * s, 14 * s);
  Shade(cr, Hex(0xb8b0a4), cy - 14 * s, cy + 14 * s, 2.0);
  Ellipse(cr, cx, cy - 2 * s, 32 * s, 9 * s);
  FillV(cr, cy - 11 * s, cy + 7 * s, snow ? Hex(0xe8f6ff) : Hex(0x8fd8f4), snow ? Hex(0xb8dcf0) : Hex(0x3f9fd0));
  RoundRect(cr, cx - 5 * s, cy - 34 * s, 10 * s, 32 * s, 4 * s);
  Shade(cr, Hex(0xa8a096), cy - 34 * s, cy, 1.5);
  // a box creature on the column: the village's emblem
  const double bs = 24 * s;
  BoxBody(cr, cx - bs / 2, cy - 34 * s - bs, bs, bs, snow ? BoxRgb(kIce) : BoxRgb(kOrange));
  BoxFace(cr, cx - bs / 2, cy - 34 * s - bs, bs, bs, 0, snow ? BoxRgb(kIce) : BoxRgb(kOrange));
  if (!snow) {
    for (int k = -1; k <= 1; k += 2) {
      cairo_move_to(cr, cx, cy - 30 * s);
      cairo_curve_to(cr, cx + k * 14 * s, cy - 40 * s, cx + k * 22 * s, cy - 20 * s, cx + k * 24 * s, cy - 4 * s);
      Stroke(cr, Hex(0xbfeaff), 2.0, 0.8);
    }
  } else {
    for (int k = 0; k < 5; ++k) {
      const double ix = cx - 28 * s + k * 14 * s;
      Polygon(cr, {ix - 2 * s, cy + 2 * s, ix + 2 * s, cy + 2 * s, ix, cy + 9 * s});
      SetRgb(cr, Hex(0xd8eefa));
      cairo_fill(cr);
    }
  }
}

void Center(cairo_t* cr, double w, double h, bool snow) {
  // a round paved square, seen from the front
  const double cx = w / 2, cy = h / 2 + 4, rx = w * 0.48, ry = h * 0.42;
  Ellipse(cr, cx, cy, rx, ry);
  FillV(cr, cy - ry, cy + ry, snow ? Hex(0xd7dde6) : Hex(0xd8c4a0), snow ? Hex(0xc0c8d4) : Hex(0xc4aa80));
  cairo_save(cr);
  Ellipse(cr, cx, cy, rx, ry);
  cairo_clip(cr);
  Rng rng(snow ? 71u : 17u);
  for (int ring = 1; ring <= 5; ++ring) {
    const double f = ring / 5.5;
    Ellipse(cr, cx, cy, rx * f, ry * f);
    Stroke(cr, snow ? Hex(0x9aa4b4) : Hex(0xa08a64), 1.2, 0.6);
    const int n = 6 + ring * 5;
    for (int k = 0; k < n; ++k) {
      const double a = (k + rng.Uniform(0, 0.4)) * 2 * kPi / n;
      const double f0 = (ring - 1) / 5.5;
      cairo_move_to(cr, cx + std::cos(a) * rx * f0, cy + std::sin(a) * ry * f0);
      cairo_line_to(cr, cx + std::cos(a) * rx * f, cy + std::sin(a) * ry * f);
      Stroke(cr, snow ? Hex(0x9aa4b4) : Hex(0xa08a64), 1.0, 0.45);
    }
  }
  if (snow)
    for (int k = 0; k < 12; ++k) {
      Ellipse(cr, rng.Uniform(cx - rx, cx + rx), rng.Uniform(cy - ry, cy + ry), rng.Uniform(8, 18), rng.Uniform(3, 5));
      SetRgb(cr, pal::kWhite, 0.6);
      cairo_fill(cr);
    }
  cairo_restore(cr);
  Ellipse(cr, cx, cy, rx, ry);
  Stroke(cr, snow ? Hex(0x8a94a4) : Hex(0x9a8462), 3.0);
  // stone benches round the edge
  for (double a : {0.85, 2.3}) {
    const double bx = cx + std::cos(a) * rx * 0.86, by = cy + std::sin(a) * ry * 0.86;
    RoundRect(cr, bx - 14, by - 5, 28, 9, 3);
    Shade(cr, Hex(0xa8a096), by - 5, by + 4, 1.2);
  }
  Fountain(cr, cx, cy - 6, 1.0, snow);
}

void Bridge(cairo_t* cr, double w, double h) {
  // planks across the gully from picture x 5 to w - 5, deck y 29..64, with rails
  const double top = 29, bottom = 64;
  for (int side = 0; side < 2; ++side) {
    const double y = side ? bottom + 2 : top - 6;
    cairo_move_to(cr, 4, y);
    cairo_curve_to(cr, w * 0.3, y + 4, w * 0.7, y + 4, w - 4, y);
    Stroke(cr, pal::kWoodDark, 4.0);
  }
  for (double x = 6; x < w - 8; x += 9) {
    const double sag = 3 * std::sin((x / w) * kPi);
    RoundRect(cr, x, top + sag, 8, bottom - top, 2);
    Shade(cr, x < 50 || x > w - 50 ? pal::kWood : Lighter(pal::kWood, 0.05), top, bottom, 1.1);
  }
  // posts and the rails above the deck
  for (double x : {8.0, w * 0.33, w * 0.66, w - 10}) {
    RoundRect(cr, x - 3, top - 24, 6, 30, 2);
    Shade(cr, pal::kWoodDark, top - 24, top + 6, 1.0);
    RoundRect(cr, x - 3, bottom - 14, 6, 24, 2);
    Shade(cr, pal::kWoodDark, bottom - 14, bottom + 10, 1.0);
  }
  for (double y : {top - 20.0, bottom - 10.0}) {
    cairo_move_to(cr, 6, y);
    cairo_curve_to(cr, w * 0.3, y + 5, w * 0.7, y + 5, w - 8, y);
    Stroke(cr, Hex(0x8a5a2a), 2.5);
  }
  // ropes lashing the ends
  for (double x : {8.0, w - 10}) {
    cairo_move_to(cr, x - 4, top - 16);
    cairo_line_to(cr, x + 4, top - 10);
    cairo_move_to(cr, x - 4, top - 10);
    cairo_line_to(cr, x + 4, top - 16);
    Stroke(cr, Hex(0xd8c08a), 1.5);
  }
  (void)h;
}

std::vector<Win> TowerWindows(double w, double h) {
  return {{w * 0.5, h * 0.36, w * 0.14, h * 0.08, true}, {w * 0.5, h * 0.58, w * 0.14, h * 0.07, false}};
}

void Tower(cairo_t* cr, double w, double h, bool light) {
  const std::vector<Win> wins = TowerWindows(w, h);
  if (light) {
    for (const Win& x : wins) WindowGlow(cr, x);
    return;
  }
  GroundShadow(cr, w * 0.5, h, w * 0.45);
  // round stone body
  RoundRect(cr, w * 0.18, h * 0.24, w * 0.64, h * 0.75, 12);
  Shade(cr, Hex(0xa6a4b4), h * 0.24, h, 2.0);
  Rng rng(404);
  for (double y = h * 0.3; y < h * 0.97; y += 11) {
    const double off = rng.Uniform(0, 10);
    for (double x = w * 0.2 + off; x < w * 0.78; x += 20) {
      RoundRect(cr, x, y, 17, 9, 3);
      Stroke(cr, Hex(0x7a7888), 1.0, 0.45);
    }
  }
  // the roof: a tall purple cone with stars
  Polygon(cr, {w * 0.08, h * 0.27, w * 0.5, 0, w * 0.92, h * 0.27});
  Shade(cr, Hex(0x6a3f9a), 0, h * 0.27, 2.0);
  for (int k = 0; k < 4; ++k) Star(cr, w * (0.36 + 0.1 * k), h * (0.2 - 0.03 * (k % 2)), 3.0, pal::kGold, 0.8);
  SnowCap(cr, {w * 0.08, h * 0.27, w * 0.3, h * 0.14, w * 0.5, h * 0.03}, 5);
  Star(cr, w * 0.5, 6, 6, pal::kGold);
  Door(cr, w * 0.5, h, w * 0.22, h * 0.18, Hex(0x4a2a6a));
  for (const Win& x : wins) WindowAt(cr, x, Hex(0x4a4858));
}

void Market(cairo_t* cr, double w, double h) {
  GroundShadow(cr, w * 0.5, h, w * 0.5);
  const Rgb awn[2] = {BoxRgb(kRed), BoxRgb(kBlue)};
  for (int s = 0; s < 2; ++s) {
    const double x0 = s ? w * 0.52 : w * 0.02, sw = w * 0.46;
    // counter with goods
    RoundRect(cr, x0 + 4, h * 0.58, sw - 8, h * 0.4, 5);
    Shade(cr, pal::kWood, h * 0.58, h * 0.98, 1.8);
    for (int k = 0; k < 4; ++k) {
      cairo_arc(cr, x0 + sw * (0.2 + 0.2 * k), h * 0.56, sw * 0.07, 0, 2 * kPi);
      Shade(cr, PlayRgb(k + s * 3), h * 0.5, h * 0.62, 1.0);
    }
    for (double px : {x0 + 6, x0 + sw - 10}) {
      cairo_rectangle(cr, px, h * 0.22, 4, h * 0.36);
      Shade(cr, pal::kWoodDark, h * 0.22, h * 0.58, 1.0);
    }
    // striped awning with snow on top
    for (int k = 0; k < 5; ++k) {
      const double a = x0 + sw * k / 5.0, b = x0 + sw * (k + 1) / 5.0;
      Polygon(cr, {a, h * 0.2, b, h * 0.2, b + 2, h * 0.36, a - 2, h * 0.36});
      SetRgb(cr, k % 2 ? pal::kWhite : awn[s]);
      cairo_fill(cr);
    }
    Polygon(cr, {x0 - 2, h * 0.36, x0 + sw + 2, h * 0.36, x0 + sw - 4, h * 0.2, x0 + 4, h * 0.2});
    Stroke(cr, Darker(awn[s], 0.4), 1.8);
    SnowCap(cr, {x0 + 2, h * 0.2, x0 + sw / 2, h * 0.17, x0 + sw - 2, h * 0.2}, 4);
    for (double sx = x0; sx < x0 + sw; sx += sw / 5) {
      cairo_arc(cr, sx + sw / 10, h * 0.36, sw / 10, 0, kPi);
      SetRgb(cr, awn[s]);
      cairo_fill(cr);
    }
  }
  // crates in front
  for (double cx : {w * 0.46, w * 0.54}) {
    cairo_rectangle(cr, cx - 9, h - 20, 18, 18);
    Shade(cr, Hex(0xb8884e), h - 20, h - 2, 1.2);
    cairo_move_to(cr, cx - 9, h - 20);
    cairo_line_to(cr, cx + 9, h - 2);
    Stroke(cr, Hex(0x8a5a2a), 1.0);
  }
}

std::vector<Win> SchoolWindows(double w, double h) {
  return {{w * 0.2, h * 0.68, w * 0.12, h * 0.16, false},
          {w * 0.8, h * 0.68, w * 0.12, h * 0.16, false},
          {w * 0.5, h * 0.3, w * 0.07, h * 0.07, true}};
}

void School(cairo_t* cr, double w, double h, bool light) {
  const std::vector<Win> wins = SchoolWindows(w, h);
  if (light) {
    for (const Win& x : wins) WindowGlow(cr, x);
    return;
  }
  GroundShadow(cr, w * 0.5, h, w * 0.5);
  RoundRect(cr, w * 0.04, h * 0.46, w * 0.92, h * 0.53, 4);
  Shade(cr, Hex(0xd8bfa0), h * 0.46, h, 2.0);
  for (double y = 0.54; y < 0.98; y += 0.08) {
    cairo_move_to(cr, w * 0.05, h * y);
    cairo_line_to(cr, w * 0.95, h * y);
    Stroke(cr, Hex(0xb8987a), 1.0, 0.5);
  }
  Chimney(cr, w * 0.72, h * 0.06, w * 0.06, h * 0.3, Hex(0x8a8a92), true);
  Polygon(cr, {0, h * 0.5, w * 0.12, h * 0.3, w * 0.88, h * 0.3, w, h * 0.5});
  Shade(cr, Hex(0x3f6fb0), h * 0.3, h * 0.5, 2.0);
  SnowCap(cr, {0, h * 0.5, w * 0.12, h * 0.3, w * 0.88, h * 0.3, w, h * 0.5}, 6);
  // the bell tower
  RoundRect(cr, w * 0.4, h * 0.14, w * 0.2, h * 0.22, 3);
  Shade(cr, Hex(0xd8bfa0), h * 0.14, h * 0.36, 1.8);
  Polygon(cr, {w * 0.36, h * 0.16, w * 0.5, h * 0.0 + 2, w * 0.64, h * 0.16});
  Shade(cr, Hex(0x3f6fb0), 0, h * 0.16, 1.8);
  SnowCap(cr, {w * 0.36, h * 0.16, w * 0.5, h * 0.01, w * 0.64, h * 0.16}, 4);
  cairo_arc(cr, w * 0.5, h * 0.23, w * 0.035, 0, 2 * kPi);
  Shade(cr, pal::kGold, h * 0.2, h * 0.26, 1.0);
  // a board with letters over the door
  RoundRect(cr, w * 0.38, h * 0.5, w * 0.24, h * 0.09, 3);
  Shade(cr, Hex(0x2f4f3a), h * 0.5, h * 0.59, 1.2);
  Text(cr, "ABC", w * 0.5, h * 0.545, h * 0.06, kCenter, pal::kWhite);
  Door(cr, w * 0.5, h, w * 0.14, h * 0.3, Hex(0x6a3a1a));
  for (const Win& x : wins) WindowAt(cr, x, Hex(0x5a4a3a));
}

std::vector<Win> TelescopeWindows(double w, double h) {
  return {{w * 0.5, h * 0.66, w * 0.18, h * 0.08, true}};
}

void Telescope(cairo_t* cr, double w, double h, bool light) {
  const std::vector<Win> wins = TelescopeWindows(w, h);
  if (light) {
    for (const Win& x : wins) WindowGlow(cr, x);
    return;
  }
  GroundShadow(cr, w * 0.5, h, w * 0.48);
  RoundRect(cr, w * 0.1, h * 0.42, w * 0.8, h * 0.57, 8);
  Shade(cr, Hex(0xb0aec0), h * 0.42, h, 2.0);
  // the dome with its slit and the tube
  cairo_arc(cr, w * 0.5, h * 0.44, w * 0.42, kPi, 2 * kPi);
  cairo_close_path(cr);
  Shade(cr, Hex(0x6f86b8), h * 0.44 - w * 0.42, h * 0.44, 2.0);
  SnowCap(cr, {w * 0.1, h * 0.4, w * 0.3, h * 0.44 - w * 0.36, w * 0.5, h * 0.44 - w * 0.42}, 5);
  cairo_save(cr);
  cairo_translate(cr, w * 0.55, h * 0.3);
  cairo_rotate(cr, -0.7);
  RoundRect(cr, -6, -48, 12, 52, 4);
  Shade(cr, Hex(0x8a6a3a), -48, 4, 1.6);
  RoundRect(cr, -7, -50, 14, 6, 2);
  Shade(cr, pal::kGold, -50, -44, 1.2);
  cairo_restore(cr);
  for (double sx : {0.2, 0.82}) Star(cr, w * sx, h * 0.08, 4, pal::kGold, 0.8);
  Door(cr, w * 0.5, h, w * 0.2, h * 0.2, Hex(0x4a3a6a));
  for (const Win& x : wins) WindowAt(cr, x, Hex(0x4a4858));
}

// ---------------------------------------------------------------- roads

void Ribbon(cairo_t* cr, const VillageBuilding& b, const Placement& p, double half) {
  cairo_new_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  bool first = true;
  for (const auto& [x, y] : b.path) {
    if (first)
      cairo_move_to(cr, x - p.x, y - p.y);
    else
      cairo_line_to(cr, x - p.x, y - p.y);
    first = false;
  }
  cairo_set_line_width(cr, half * 2);
}

void Road(cairo_t* cr, const VillageBuilding& b, const Placement& p, bool snow, bool paved) {
  Ribbon(cr, b, p, kRoadHalfWidth + 2);
  SetRgb(cr, snow ? Hex(0xb8c4d4) : (paved ? Hex(0x9a8a72) : Hex(0xcfa76a)), 0.9);
  cairo_stroke(cr);
  Ribbon(cr, b, p, kRoadHalfWidth);
  SetRgb(cr, snow ? Hex(0xd0d8e4) : (paved ? Hex(0xc8bca6) : Hex(0xe2bf84)));
  cairo_stroke(cr);
  if (paved) {
    // cobbles, painted through the ribbon's stroke
    cairo_new_path(cr);
    cairo_push_group(cr);
    Rng rng(Rng(b.name).Next());
    for (double y = -8; y < p.h + 8; y += 9)
      for (double x = -8 + (static_cast<int>(y) / 9 % 2) * 6; x < p.w + 8; x += 12) {
        RoundRect(cr, x + rng.Uniform(-1, 1), y + rng.Uniform(-1, 1), 10, 7, 3);
        SetRgb(cr, Mix(Hex(0xb0a48c), Hex(0xd8ccb4), rng.Uniform(0, 1)));
        cairo_fill_preserve(cr);
        Stroke(cr, Hex(0x8a7e68), 0.8, 0.7);
      }
    cairo_pop_group_to_source(cr);
    Ribbon(cr, b, p, kRoadHalfWidth - 1);
    cairo_stroke(cr);
  } else {
    cairo_new_path(cr);
    // footprints and pebbles along the way
    Rng rng(Rng(b.name).Next());
    for (size_t i = 0; i + 1 < b.path.size(); ++i) {
      const double ax = b.path[i].first - p.x, ay = b.path[i].second - p.y;
      const double bx = b.path[i + 1].first - p.x, by = b.path[i + 1].second - p.y;
      const double len = std::hypot(bx - ax, by - ay);
      for (double t = 6; t < len; t += 14) {
        const double f = t / len, x = ax + (bx - ax) * f + rng.Uniform(-6, 6), y = ay + (by - ay) * f + rng.Uniform(-5, 5);
        Ellipse(cr, x, y, 2.2, 1.4);
        SetRgb(cr, snow ? Hex(0xa8b4c4) : Hex(0xc0955a), 0.7);
        cairo_fill(cr);
      }
    }
  }
}

void DrawBuilding(cairo_t* cr, const VillageBuilding& b, bool snow, bool light) {
  const Placement p = Place(b);
  const double w = p.w, h = p.h;
  switch (b.look) {
    case BuildingLook::Hut:
      if (snow)
        SnowHut(cr, b.grade, w, h, light);
      else
        DesertHut(cr, b.grade, w, h, light);
      break;
    case BuildingLook::Tavern: Tavern(cr, w, h, snow, light); break;
    case BuildingLook::Center: Center(cr, w, h, snow); break;
    case BuildingLook::Bridge: Bridge(cr, w, h); break;
    case BuildingLook::Road: Road(cr, b, p, snow, false); break;
    case BuildingLook::PavedRoad: Road(cr, b, p, snow, true); break;
    case BuildingLook::Tower: Tower(cr, w, h, light); break;
    case BuildingLook::Market: Market(cr, w, h); break;
    case BuildingLook::School: School(cr, w, h, light); break;
    case BuildingLook::Telescope: Telescope(cr, w, h, light); break;
  }
}

bool HasLight(const VillageBuilding& b) {
  switch (b.look) {
    case BuildingLook::Hut: case BuildingLook::Tavern: case BuildingLook::Tower: case BuildingLook::School:
    case BuildingLook::Telescope:
      return true;
    default:
      return false;
  }
}

}  // namespace

void DrawBuildingFitted(cairo_t* cr, int village, const std::string& name, double box_w, double box_h) {
  const VillageLayout& v = village == 2 ? SnowLayout() : DesertLayout();
  for (const VillageBuilding& b : v.buildings) {
    if (b.name != name) continue;
    const Placement p = Place(b);
    const double margin = 6;
    const double s = std::min({(box_w - 2 * margin) / p.w, (box_h - 2 * margin) / p.h, 1.2});
    cairo_save(cr);
    cairo_translate(cr, (box_w - p.w * s) / 2, box_h - margin - p.h * s);
    cairo_scale(cr, s, s);
    DrawBuilding(cr, b, village == 2, false);
    cairo_restore(cr);
    return;
  }
}

void AddBuildings(Registry& r) {
  for (const VillageLayout* v : {&DesertLayout(), &SnowLayout()}) {
    const bool snow = v->village == 2;
    for (const VillageBuilding& b : v->buildings) {
      const Placement p = Place(b);
      std::string id = std::string("BUILDING_") + (snow ? "SNOW_" : "DESERT_");
      for (char c : b.name) id += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
      const VillageBuilding copy = b;
      r.File(id, v->folder + b.name + ".png", p.w, p.h, [copy, snow](cairo_t* cr, int) {
        DrawBuilding(cr, copy, snow, false);
      });
      if (HasLight(b))
        r.File(id + "_LIGHT", v->folder + b.name + "_light.png", p.w, p.h,
               [copy, snow](cairo_t* cr, int) { DrawBuilding(cr, copy, snow, true); });
    }
  }
}

}  // namespace kelp::art
