// The two villages: their landscapes (drawn once in village coordinates and
// cut into the pieces the screen places), scenery props, the airship and
// the village screens' panels and dialogs.
#include <cmath>

#include "art.h"
#include "village_ground.h"
#include "village_layout.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;
const std::string kDir = "data/img/villages/";
using namespace ground;


// Rock face across the top of the village with a cave mouth at (cave_x, cave_y).
void Cliff(cairo_t* cr, double x0, double x1, double base, double cave_x, double cave_y, Rgb rock, bool snow,
           bool taper_left = false) {
  auto top = [](double x) { return CliffTop(x); };
  auto bottom = [&](double x) { return CliffBottom(x, base, cave_x, cave_y); };
  // the rock tapers into the ground at its right end (and at its left one)
  auto low = [&](double x) {
    double t = std::min(1.0, std::max(0.0, (x1 - x) / 90.0));
    if (taper_left) t = std::min(t, std::max(0.0, (x - x0) / 90.0));
    return top(x) + (bottom(x) - top(x)) * t;
  };
  cairo_move_to(cr, x0, top(x0));
  for (double x = x0; x < x1; x += 20) cairo_line_to(cr, x, top(x));
  cairo_line_to(cr, x1, top(x1));
  for (double x = x1; x > x0; x -= 20) cairo_line_to(cr, x, low(x));
  cairo_line_to(cr, x0, low(x0));
  cairo_close_path(cr);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  FillV(cr, 30, base + 60, Darker(rock, 0.05), Darker(rock, 0.3));
  for (double x = x0; x < x1; x += 55) {
    cairo_move_to(cr, x, 40 + Wave(x, 10, 0.05, 0));
    cairo_line_to(cr, x + 20, base + 20);
    Stroke(cr, Darker(rock, 0.45), 2.0, 0.3);
  }
  if (snow) {
    cairo_move_to(cr, x0, 20);
    for (double x = x0; x <= x1; x += 20) cairo_line_to(cr, x, top(x) + 14 + Wave(x, 5, 0.05, 0.5));
    cairo_line_to(cr, x1, 20);
    cairo_close_path(cr);
    SetRgb(cr, pal::kSnow);
    cairo_fill(cr);
  }
  cairo_restore(cr);
  cairo_move_to(cr, x0, top(x0));
  for (double x = x0; x < x1; x += 20) cairo_line_to(cr, x, top(x));
  cairo_line_to(cr, x1, top(x1));
  Stroke(cr, Darker(rock, 0.45), 2.5);
  // the cave
  cairo_move_to(cr, cave_x - 42, cave_y + 34);
  cairo_curve_to(cr, cave_x - 44, cave_y - 30, cave_x + 44, cave_y - 30, cave_x + 42, cave_y + 34);
  cairo_close_path(cr);
  FillV(cr, cave_y - 30, cave_y + 34, Hex(0x140c10), Hex(0x3a2a24));
  cairo_move_to(cr, cave_x - 42, cave_y + 34);
  cairo_curve_to(cr, cave_x - 44, cave_y - 30, cave_x + 44, cave_y - 30, cave_x + 42, cave_y + 34);
  Stroke(cr, Darker(rock, 0.5), 4.0);
}

// The desert village in village coordinates.
void DesertWorld(cairo_t* cr, double vx0, double w) {
  cairo_save(cr);
  cairo_translate(cr, -vx0, 0);
  const double x0 = vx0, x1 = vx0 + w;
  Rng rng(1001);
  // distant mesas
  cairo_move_to(cr, x0, 160);
  for (double x = x0; x <= x1 + 24; x += 24) {
    double y = 70 + Wave(x, 14, 0.008, 0.3);
    if (std::sin(x * 0.006 + 1.0) > 0.5) y -= 28;
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, x1, 160);
  cairo_close_path(cr);
  FillV(cr, 40, 160, Hex(0xe9b98e), Hex(0xd89a6a));
  // sand
  cairo_move_to(cr, x0, 120);
  for (double x = x0; x <= x1 + 24; x += 24) cairo_line_to(cr, x, 112 + Wave(x, 8, 0.013, 0.7));
  cairo_line_to(cr, x1, 600);
  cairo_line_to(cr, x0, 600);
  cairo_close_path(cr);
  FillV(cr, 110, 600, Hex(0xf2d596), Hex(0xe2b66e));
  Cliff(cr, x0, std::min(x1, 520.0), 118, 255, 115, Hex(0xc98a55), false);
  // dune ripples and pebbles
  for (int k = 0; k < static_cast<int>(w / 9); ++k) {
    double x = rng.Uniform(x0, x1), y = rng.Uniform(160, 595);
    double l = rng.Uniform(10, 30);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + l * 0.3, y - 3, x + l * 0.7, y - 3, x + l, y);
    Stroke(cr, Hex(0xd0a05e), 1.5, 0.35);
  }
  for (int k = 0; k < static_cast<int>(w / 120); ++k) {
    double x = rng.Uniform(x0, x1), y = rng.Uniform(200, 590);
    Ellipse(cr, x, y, rng.Uniform(60, 140), rng.Uniform(12, 26));
    SetRgb(cr, Hex(0xd9a860), 0.25);
    cairo_fill(cr);
  }
  for (int k = 0; k < static_cast<int>(w / 45); ++k) {
    double x = rng.Uniform(x0, x1), y = rng.Uniform(170, 595);
    for (int j = -2; j <= 2; ++j) {
      cairo_move_to(cr, x, y);
      cairo_curve_to(cr, x + j * 2, y - 5, x + j * 4, y - 8, x + j * 6, y - 12);
      Stroke(cr, Hex(0x8aa84a), 1.8, 0.8);
    }
  }
  for (int k = 0; k < static_cast<int>(w / 40); ++k) {
    double x = rng.Uniform(x0, x1), y = rng.Uniform(170, 595), r = rng.Uniform(4, 10);
    Ellipse(cr, x, y, r * 1.5, r);
    Shade(cr, Hex(0xb8926a), y - r, y + r, 1.2);
  }
  // the gully that only the bridge crosses
  cairo_move_to(cr, GullyLeft(110), 110);
  for (double y = 110; y <= 600; y += 10) cairo_line_to(cr, GullyLeft(y), y);
  for (double y = 600; y >= 110; y -= 10) cairo_line_to(cr, GullyRight(y), y);
  cairo_close_path(cr);
  FillV(cr, 110, 600, Hex(0x6a4028), Hex(0x3a2416));
  for (double y = 120; y < 600; y += 18) {
    cairo_move_to(cr, GullyLeft(y) + 4, y);
    cairo_line_to(cr, GullyLeft(y) + 12, y + 8);
    Stroke(cr, Hex(0x8a5a36), 2.0, 0.6);
    cairo_move_to(cr, GullyRight(y) - 4, y + 5);
    cairo_line_to(cr, GullyRight(y) - 12, y + 13);
    Stroke(cr, Hex(0x2a180e), 2.0, 0.5);
  }
  for (int side = 0; side < 2; ++side) {
    cairo_move_to(cr, side ? GullyRight(110) : GullyLeft(110), 110);
    for (double y = 110; y <= 600; y += 10) cairo_line_to(cr, side ? GullyRight(y) : GullyLeft(y), y);
    Stroke(cr, Hex(0xb88450), 3.0);
  }
  // a worn path from the cave down to the square
  cairo_move_to(cr, 255, 150);
  cairo_curve_to(cr, 280, 240, 420, 260, 450, 360);
  cairo_curve_to(cr, 470, 430, 440, 520, 460, 600);
  Stroke(cr, Hex(0xf8e4b4), 34, 0.6);
  // the portal's stone floor
  Ellipse(cr, 577, 530, 70, 24);
  Shade(cr, Hex(0xb0a898), 506, 554, 2.0);
  Ellipse(cr, 577, 528, 52, 16);
  Stroke(cr, Hex(0x8a8478), 2.0, 0.6);
  // cactuses at the edges of the visible ground
  for (const auto& [cx, cy] : {std::pair{-180.0, 330.0}, {540.0, 205.0}, {1150.0, 300.0}, {1180.0, 520.0}}) {
    if (cx < x0 - 40 || cx > x1 + 40) continue;
    RoundRect(cr, cx - 8, cy - 60, 16, 60, 8);
    Shade(cr, Hex(0x4aa05a), cy - 60, cy, 1.5);
    RoundRect(cr, cx + 6, cy - 44, 14, 8, 4);
    RoundRect(cr, cx + 14, cy - 60, 8, 22, 4);
    Shade(cr, Hex(0x4aa05a), cy - 60, cy - 36, 1.5);
  }
  cairo_restore(cr);
}


void SnowWorld(cairo_t* cr, double vx0, double w) {
  cairo_save(cr);
  cairo_translate(cr, -vx0, 0);
  const double x0 = vx0, x1 = vx0 + w;
  Rng rng(2002);
  // far snowy peaks
  cairo_move_to(cr, x0, 170);
  for (double x = x0; x <= x1 + 30; x += 30) {
    double y = 60 + Wave(x, 22, 0.009, 0.3) + Wave(x, 10, 0.027, 1.0);
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, x1, 170);
  cairo_close_path(cr);
  FillV(cr, 30, 170, Hex(0xdfeaf8), Hex(0xb8cce6));
  for (double x = x0 + 20; x < x1; x += rng.Uniform(40, 90)) Pine(cr, x, 150 + Wave(x, 10, 0.02, 0), 60, true, rng.Next());
  // snow ground, higher on the plateau west of the cliff
  cairo_move_to(cr, x0, 150);
  for (double x = x0; x <= x1 + 24; x += 24) cairo_line_to(cr, x, SnowGroundTop(x));
  cairo_line_to(cr, x1, 600);
  cairo_line_to(cr, x0, 600);
  cairo_close_path(cr);
  FillV(cr, 105, 600, Hex(0xf6faff), Hex(0xdce8f4));
  if (x1 > kSnowCliffX0) Cliff(cr, std::max(x0, kSnowCliffX0), std::min(x1, 620.0), 150, 290, 180, Hex(0x8e9cb4), true, true);
  // the waterfall and the stream
  if (x0 < 560 && x1 > 440) {
    RoundRect(cr, 480, 150, 36, 160, 12);
    FillV(cr, 150, 310, Hex(0xbfeaf7), Hex(0x6fc4ec));
    for (int k = 0; k < 5; ++k) {
      cairo_move_to(cr, 486 + k * 6, 160);
      cairo_line_to(cr, 486 + k * 6, 300);
      Stroke(cr, pal::kWhite, 1.5, 0.5);
    }
  }
  cairo_move_to(cr, StreamX(300) - 20, 300);
  for (double y = 300; y <= 600; y += 10) cairo_line_to(cr, StreamX(y) - 24 + Wave(y, 3, 0.1, 0), y);
  for (double y = 600; y >= 300; y -= 10) cairo_line_to(cr, StreamX(y) + 24 + Wave(y, 3, 0.1, 1), y);
  cairo_close_path(cr);
  FillV(cr, 300, 600, Hex(0x7fcff0), Hex(0x3f9fd0));
  for (double y = 310; y < 600; y += 22) {
    cairo_move_to(cr, StreamX(y) - 10, y);
    cairo_line_to(cr, StreamX(y) + 8, y + 4);
    Stroke(cr, pal::kWhite, 1.5, 0.6);
  }
  // geyser holes
  for (double gx : {262.0, 747.0}) {
    double gy = gx < 300 ? 482 : 484;
    Ellipse(cr, gx, gy, 24, 9);
    Shade(cr, Hex(0x8e9cb4), gy - 9, gy + 9, 2.0);
    Ellipse(cr, gx, gy, 14, 5);
    SetRgb(cr, Hex(0x3f6f90));
    cairo_fill(cr);
  }
  // snow drifts and sparkles
  for (int k = 0; k < static_cast<int>(w / 30); ++k) {
    double x = rng.Uniform(x0, x1), y = rng.Uniform(200, 595);
    if (std::fabs(x - StreamX(y)) < 40) continue;
    Ellipse(cr, x, y, rng.Uniform(14, 34), rng.Uniform(4, 8));
    SetRgb(cr, Hex(0xc8d8ec), 0.5);
    cairo_fill(cr);
  }
  // the bridge's deck across the stream; its front rail is a picture of its own, drawn over the villagers
  if (x0 < 1000 && x1 > 730) {
    for (double x = 742; x < 990; x += 10) {
      RoundRect(cr, x, 380, 9, 22, 2);
      Shade(cr, x < 760 || x > 972 ? pal::kWoodDark : pal::kWood, 380, 402, 1.0);
    }
    cairo_move_to(cr, 740, 380);
    cairo_line_to(cr, 992, 380);
    Stroke(cr, pal::kWoodDark, 3.0);
    for (double x : {744.0, 868.0, 988.0}) {
      RoundRect(cr, x - 3, 350, 6, 32, 2);
      Shade(cr, pal::kWoodDark, 350, 382, 1.0);
    }
    cairo_move_to(cr, 741, 356);
    cairo_line_to(cr, 991, 356);
    Stroke(cr, Hex(0x8a5a2a), 2.5);
  }
  for (const auto& [tx, ty] : {std::pair{-500.0, 300.0}, {-400.0, 250.0}, {690.0, 280.0}, {1010.0, 300.0},
                               {1275.0, 250.0}, {1535.0, 225.0}, {1800.0, 330.0}, {1930.0, 290.0}}) {
    if (tx < x0 - 60 || tx > x1 + 60) continue;
    Pine(cr, tx, ty, 120, true, static_cast<uint32_t>(tx + 5000));
  }
  cairo_restore(cr);
}

// ---------------------------------------------------------------- props

void PortalStones(cairo_t* cr, int placed) {
  // three standing stones round a floor; `placed` of them carry glowing runes
  const double xs[3] = {24, 60, 96}, hs[3] = {62, 80, 62};
  for (int i = 0; i < 3; ++i) {
    double x = xs[i], top = 92 - hs[i];
    RoundRect(cr, x - 13, top, 26, hs[i], 10);
    Shade(cr, Hex(0x9c9a92), top, 92, 2.0);
    if (i < placed) {
      Glow(cr, x, top + hs[i] * 0.4, 16, Hex(0x7fe0ff), 0.8);
      StarPath(cr, x, top + hs[i] * 0.4, 8, 3.5, 4);
      SetRgb(cr, Hex(0xe0fbff));
      cairo_fill(cr);
    }
  }
}

void PortalBroken(cairo_t* cr, int) {
  Rng rng(77);
  for (int k = 0; k < 9; ++k) {
    double x = rng.Uniform(20, 140), y = rng.Uniform(50, 90), r = rng.Uniform(8, 18);
    Polygon(cr, {x - r, y, x - r * 0.4, y - r * 0.9, x + r * 0.6, y - r * 0.7, x + r, y});
    Shade(cr, Hex(0x9c9a92), y - r, y, 1.5);
  }
  Glow(cr, 80, 60, 30, Hex(0x7fe0ff), 0.35);
}

void Gate(cairo_t* cr, int state) {
  // 0 open, 1 closed, 2 broken; 120 x 130 over the cave mouth
  for (double x : {6.0, 100.0}) {
    RoundRect(cr, x, 10, 14, 118, 5);
    Shade(cr, pal::kWoodDark, 10, 128, 2.0);
  }
  RoundRect(cr, 2, 4, 116, 14, 5);
  Shade(cr, pal::kWood, 4, 18, 2.0);
  if (state == 1) {
    for (int k = 0; k < 6; ++k) {
      double x = 22 + k * 13;
      RoundRect(cr, x, 18, 11, 108, 4);
      Shade(cr, pal::kWood, 18, 126, 1.5);
    }
    cairo_rectangle(cr, 18, 60, 84, 8);
    Shade(cr, Hex(0x8d9aa8), 60, 68, 1.2);
  } else if (state == 0) {
    for (int k = 0; k < 2; ++k) {
      double x = k ? 86 : 22;
      RoundRect(cr, x, 18, 12, 108, 4);
      Shade(cr, pal::kWood, 18, 126, 1.5);
    }
  } else {
    Rng rng(88);
    for (int k = 0; k < 6; ++k) {
      cairo_save(cr);
      cairo_translate(cr, rng.Uniform(20, 100), rng.Uniform(90, 122));
      cairo_rotate(cr, rng.Uniform(-1.4, 1.4));
      RoundRect(cr, -5, -24, 10, 48, 4);
      Shade(cr, pal::kWood, -24, 24, 1.5);
      cairo_restore(cr);
    }
  }
  // a cap of snow
  cairo_move_to(cr, 0, 8);
  cairo_curve_to(cr, 30, -2, 90, -2, 120, 8);
  cairo_curve_to(cr, 90, 14, 30, 14, 0, 8);
  SetRgb(cr, pal::kSnow);
  cairo_fill(cr);
}

// The snow bridge's front: posts and a rail along the deck's front edge (the
// deck is part of the landscape), so villagers on it walk behind the rail.
// Placed at (733, 307); the deck's front edge is at picture y 95.
void Bridge(cairo_t* cr, int) {
  for (double x : {11.0, 72.0, 135.0, 198.0, 255.0}) {
    RoundRect(cr, x - 4, 66, 8, 46, 3);
    Shade(cr, pal::kWoodDark, 66, 112, 1.2);
    Ellipse(cr, x, 66, 5, 3);
    SetRgb(cr, pal::kSnow);
    cairo_fill(cr);
  }
  for (double y : {74.0, 92.0}) {
    cairo_move_to(cr, 8, y);
    cairo_line_to(cr, 258, y);
    Stroke(cr, Hex(0x6a3a1a), 5.0);
    cairo_move_to(cr, 8, y - 2);
    cairo_line_to(cr, 258, y - 2);
    Stroke(cr, Hex(0xa86a3a), 1.5);
  }
  // the deck's front beam, seen from the side, with snow on it
  RoundRect(cr, 6, 95, 254, 12, 4);
  Shade(cr, pal::kWoodDark, 95, 107, 1.5);
  cairo_move_to(cr, 8, 95);
  for (double x = 8; x <= 258; x += 25) cairo_line_to(cr, x, 93 - 2 * std::sin(x * 0.3));
  cairo_line_to(cr, 258, 97);
  cairo_line_to(cr, 8, 97);
  cairo_close_path(cr);
  SetRgb(cr, pal::kSnow);
  cairo_fill(cr);
}

void FirePlace(cairo_t* cr, bool snow) {
  // stones round the embers, centred
  for (int k = 0; k < 8; ++k) {
    double a = k * kPi / 4;
    double x = 45 + std::cos(a) * 32, y = 24 + std::sin(a) * 11;
    Ellipse(cr, x, y, 9, 6);
    Shade(cr, snow ? Hex(0x9aa6b8) : Hex(0xa89888), y - 6, y + 6, 1.5);
  }
  for (int k = -1; k <= 1; k += 2) {
    cairo_save(cr);
    cairo_translate(cr, 45, 24);
    cairo_rotate(cr, k * 0.4);
    RoundRect(cr, -20, -4, 40, 8, 4);
    Shade(cr, Hex(0x7a4a22), -4, 4, 1.2);
    cairo_restore(cr);
  }
}

void FireGlow(cairo_t* cr, double w, double h, Rgb c) {
  cairo_save(cr);
  cairo_scale(cr, 1, h / w);
  Glow(cr, w / 2, w / 2, w / 2, c, 0.85, 0.2);
  cairo_restore(cr);
}

void ZeppelinShadow(cairo_t* cr, int) {
  ShadowEllipse(cr, 150, 35, 140, 30, 0.6);
}

void Rent(cairo_t* cr, int) {
  cairo_move_to(cr, 22, 44);
  cairo_line_to(cr, 22, 24);
  Stroke(cr, pal::kWoodDark, 3.0);
  RoundRect(cr, 4, 4, 36, 22, 5);
  Shade(cr, pal::kParchment, 4, 26, 1.8);
  DrawIcon(cr, Icon::Home, 22, 15, 16, pal::kWhite);
}

// ---------------------------------------------------------------- village GUI

void VillagePanel(cairo_t* cr, int) {
  RoundRect(cr, 4, -20, 104, 620, 18);
  Shade(cr, pal::kWood, 0, 600, 3.0);
  for (double y = 30; y < 600; y += 40) {
    cairo_move_to(cr, 8, y);
    cairo_line_to(cr, 104, y);
    Stroke(cr, pal::kWoodDark, 1.2, 0.25);
  }
  // counter plates for the score (y 30) and coins (y 57)
  for (double y : {26.0, 53.0}) {
    RoundRect(cr, 12, y, 90, 24, 8);
    Shade(cr, pal::kParchment, y, y + 24, 1.5);
  }
  Star(cr, 22, 38, 8, pal::kGold);
  Coin(cr, 22, 65, 7);
  // the village's crest
  DrawEmblem(cr, 56, 200, 34);
  // button wells behind the four buttons (x 31, y 379..568)
  RoundRect(cr, 26, 372, 82, 204, 12);
  SetRgb(cr, Hex(0x3e2a1e), 0.55);
  cairo_fill(cr);
}

void MoodGauge(cairo_t* cr, int) {
  RoundRect(cr, 0, 0, 20, 210, 8);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 210);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.3, 0.8, 0.3);
  cairo_pattern_add_color_stop_rgb(p, 0.5, 0.95, 0.78, 0.2);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.88, 0.28, 0.24);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  RoundRect(cr, 3, 3, 5, 204, 2.5);
  SetRgb(cr, pal::kWhite, 0.35);
  cairo_fill(cr);
}

void ProgressBar(cairo_t* cr, bool front) {
  RoundRect(cr, 1, 1, 98, 12, 6);
  if (front) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 100, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.3, 0.73, 0.28);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.55, 0.9, 0.35);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    RoundRect(cr, 3, 2, 94, 4, 2);
    SetRgb(cr, pal::kWhite, 0.4);
    cairo_fill(cr);
  } else {
    SetRgb(cr, Hex(0x3e2a1e), 0.8);
    cairo_fill_preserve(cr);
    Stroke(cr, Hex(0x1e140e), 1.5);
  }
}

void FormBuild(cairo_t* cr, int) {
  Panel(cr, 0, 0, 484, 504, PanelStyle::Wood, "Build");
  // the stage for the carousel of buildings
  RoundRect(cr, 45, 86, 394, 190, 20);
  FillV(cr, 86, 276, Hex(0xcfe8f8), Hex(0xf5e1b5));
  Ellipse(cr, 240, 250, 150, 18);
  SetRgb(cr, Hex(0xd9b27a), 0.6);
  cairo_fill(cr);
  // where the description goes
  RoundRect(cr, 92, 300, 306, 118, 12);
  SetRgb(cr, Hex(0xfffaf0), 0.7);
  cairo_fill(cr);
}

void ScrollEnd(cairo_t* cr, double w, double h, bool top) {
  RoundRect(cr, 2, top ? 4 : 2, w - 4, h - 8, (h - 8) / 2);
  Shade(cr, Hex(0xe8c98a), 2, h - 2, 2.0);
  for (double x : {2.0, w - 14}) {
    RoundRect(cr, x, 0, 12, h, 6);
    Shade(cr, Hex(0xb07a44), 0, h, 1.5);
  }
  cairo_move_to(cr, 14, h / 2);
  cairo_line_to(cr, w - 14, h / 2);
  Stroke(cr, Hex(0xc99a56), 1.2, 0.6);
}

void TrophyRoom(cairo_t* cr, int) {
  // the room's wall with a window (440..740, 189..409) onto the village behind
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_rectangle(cr, 0, 0, 800, 600);
  RoundRect(cr, 440, 189, 300, 220, 40);
  FillV(cr, 0, 600, Hex(0xc9955a), Hex(0x9a6a3a));
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  for (double x = 0; x < 800; x += 50) {
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x, 600);
    Stroke(cr, Hex(0x7a4a22), 2.0, 0.25);
  }
  RoundRect(cr, 434, 183, 312, 232, 44);
  Stroke(cr, pal::kWoodDark, 12.0);
  RoundRect(cr, 434, 183, 312, 232, 44);
  Stroke(cr, pal::kGold, 3.0);
  cairo_move_to(cr, 590, 189);
  cairo_line_to(cr, 590, 409);
  cairo_move_to(cr, 440, 299);
  cairo_line_to(cr, 740, 299);
  Stroke(cr, pal::kWoodDark, 6.0);
  // a rug and a shelf line at the bottom
  RoundRect(cr, 430, 520, 340, 60, 20);
  Shade(cr, Hex(0xc0462f), 520, 580, 2.0);
  RoundRect(cr, 450, 530, 300, 40, 14);
  Stroke(cr, pal::kGold, 2.0, 0.7);
  Text(cr, "Trophies", 590, 120, 40, kCenter, pal::kGold, pal::kInk, 2.5);
}

void TrophyFrame(cairo_t* cr, int) {
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  RoundRect(cr, 0, 0, 420, 590, 26);
  RoundRect(cr, 22, 22, 376, 470, 16);
  Shade(cr, pal::kWood, 0, 590, 3.0);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  RoundRect(cr, 22, 22, 376, 470, 16);
  Stroke(cr, pal::kGold, 3.0);
  for (double x : {22.0, 398.0})
    for (double y : {22.0, 492.0}) {
      cairo_arc(cr, x, y, 8, 0, 2 * kPi);
      Shade(cr, pal::kGold, y - 8, y + 8, 1.5);
    }
  Text(cr, "My trophies", 270, 540, 20, kCenter, pal::kCream, pal::kInk, 1.8);
}

void TrophyBack(cairo_t* cr, bool snow) {
  cairo_rectangle(cr, 0, 0, 300, 220);
  FillV(cr, 0, 220, snow ? Hex(0x9fc8ec) : Hex(0x7fbfee), snow ? Hex(0xe8f4ff) : Hex(0xd8ecf8));
  Landscape(cr, 300, 220, 80, snow ? Land::Snow : Land::Desert, snow ? 91u : 92u);
  if (snow)
    Hut(cr, 110, 120, 80, 70, Hex(0xd8c8b0), Hex(0x5a7fa8), true, 1);
  else
    Hut(cr, 110, 120, 80, 70, Hex(0xe8c48a), Hex(0xc0462f), false, 1);
}

}  // namespace

void AddVillage(Registry& r) {
  // Desert: one piece at (259, 0) covering village x -450..1250.
  r.Image("IMAGE_VILLAGE_BACK", kDir + "desert/back.png", 1700, 600,
          [](cairo_t* cr, int) { DesertWorld(cr, -450, 1700); })
      .Handle(709, 0);
  // Snow: three pieces at (191, 0), (849, 0) and (1733, 0), cut from one landscape.
  r.Image("IMAGE_SNOW_BACK_LEFT", kDir + "snow/back_left.png", 1409, 600,
          [](cairo_t* cr, int) { SnowWorld(cr, -560, 1409); })
      .Handle(751, 0);
  r.Image("IMAGE_SNOW_BACK_MIDDLE", kDir + "snow/back_middle.png", 884, 600,
          [](cairo_t* cr, int) { SnowWorld(cr, 849, 884); });
  r.Image("IMAGE_SNOW_BACK_RIGHT", kDir + "snow/back_right.png", 500, 600,
          [](cairo_t* cr, int) { SnowWorld(cr, 1733, 500); });

  for (int k = 1; k <= 3; ++k)
    r.Image("IMAGE_PORTAL_STONE_0" + std::to_string(k), kDir + "desert/portal_0" + std::to_string(k) + ".png", 120,
            100, [k](cairo_t* cr, int) { PortalStones(cr, k); });
  r.Image("IMAGE_PORTAL_BROKEN", kDir + "desert/portal_broken.png", 160, 100, PortalBroken);
  r.Image("IMAGE_SNOW_GATE_OPENED", kDir + "snow/gate_open.png", 120, 130, [](cairo_t* cr, int) { Gate(cr, 0); });
  r.Image("IMAGE_SNOW_GATE_CLOSED", kDir + "snow/gate_closed.png", 120, 130, [](cairo_t* cr, int) { Gate(cr, 1); });
  r.Image("IMAGE_SNOW_GATE_BROKEN", kDir + "snow/gate_broken.png", 120, 130, [](cairo_t* cr, int) { Gate(cr, 2); });
  r.Image("IMAGE_SNOW_BRIDGE", kDir + "snow/bridge.png", 260, 120, Bridge);
  r.Image("IMAGE_FIRE_PLACE", kDir + "desert/fire_place.png", 90, 48, [](cairo_t* cr, int) { FirePlace(cr, false); })
      .Mid();
  r.Image("IMAGE_FIRE_PLACE2", kDir + "desert/fire_place_ash.png", 90, 48, [](cairo_t* cr, int) {
    Ellipse(cr, 45, 26, 40, 14);
    SetRgb(cr, Hex(0x3a2a22), 0.45);
    cairo_fill(cr);
  }).Mid();
  r.Image("IMAGE_SNOW_FIRE_PLACE", kDir + "snow/fire_place.png", 90, 48, [](cairo_t* cr, int) { FirePlace(cr, true); })
      .Mid();
  r.Image("IMAGE_SNOW_FIRE_PLACE2", kDir + "snow/fire_glow.png", 120, 60,
          [](cairo_t* cr, int) { FireGlow(cr, 120, 60, Hex(0xffa040)); })
      .Mid();

  r.Image("IMAGE_ZEPPELIN", kDir + "zeppelin/zeppelin.png", 360, 180,
          [](cairo_t* cr, int) { DrawZeppelin(cr, 360, 180, 2); })
      .Mid();
  r.Image("IMAGE_ZEPPELIN_01", kDir + "zeppelin/zeppelin_01.png", 360, 180,
          [](cairo_t* cr, int) { DrawZeppelin(cr, 360, 180, 0); })
      .Mid();
  r.Image("IMAGE_ZEPPELIN_02", kDir + "zeppelin/zeppelin_02.png", 360, 180,
          [](cairo_t* cr, int) { DrawZeppelin(cr, 360, 180, 1); })
      .Mid();
  r.Image("IMAGE_ZEPPELIN_CRUSHED", kDir + "zeppelin/zeppelin_crushed.png", 360, 180,
          [](cairo_t* cr, int) { DrawZeppelin(cr, 360, 180, 3); })
      .Mid();
  r.Image("IMAGE_ZEPPELIN_SHADOW", kDir + "zeppelin/shadow.png", 300, 70, ZeppelinShadow).Mid();

  for (int k = 1; k <= 8; ++k) {
    int h = 220 + (k % 3) * 20, w = h * 11 / 10;
    r.Image("IMAGE_PALM0" + std::to_string(k), kDir + "desert/palm0" + std::to_string(k) + ".png", w, h,
            [w, h, k](cairo_t* cr, int) { Palm(cr, w * 0.5, h - 4, h, (k % 2 ? 0.25 : -0.25), 400u + k); });
  }
  for (int k = 1; k <= 5; ++k) {
    int h = 180 + (k % 3) * 30, w = h * 3 / 4;
    r.Image("IMAGE_SNOW_TREE_0" + std::to_string(k), kDir + "snow/tree_0" + std::to_string(k) + ".png", w, h,
            [w, h, k](cairo_t* cr, int) { Pine(cr, w / 2.0, h - 2, h, true, 500u + k); });
  }
  r.Image("IMAGE_RENT", kDir + "rent.png", 44, 46, Rent).Mid();

  // Village screens.
  const std::string g = "data/img/gui/village/";
  r.Image("IMAGE_GUI_VILLAGE_PANEL", g + "panel.png", 108, 600, VillagePanel);
  r.Image("IMAGE_GUI_PROGHAP_FULL", g + "mood_full.png", 20, 210, MoodGauge);
  r.Image("IMAGE_GUI_BUILD_PROGRESS_BACK", g + "build_progress_back.png", 100, 14,
          [](cairo_t* cr, int) { ProgressBar(cr, false); });
  r.Image("IMAGE_GUI_BUILD_PROGRESS_FRONT", g + "build_progress_front.png", 100, 14,
          [](cairo_t* cr, int) { ProgressBar(cr, true); });
  r.Image("IMAGE_GUI_FORM_BUILD", g + "build_form.png", 484, 504, FormBuild);
  r.Image("IMAGE_GUI_SCROLL_TOP", g + "scroll_top.png", 220, 32, [](cairo_t* cr, int) { ScrollEnd(cr, 220, 32, true); });
  r.Image("IMAGE_GUI_SCROLL_BOTTOM", g + "scroll_bottom.png", 220, 26,
          [](cairo_t* cr, int) { ScrollEnd(cr, 220, 26, false); });
  r.Image("IMAGE_GUI_TROPHY_ROOM", g + "trophy_room.png", 800, 600, TrophyRoom);
  r.Image("IMAGE_GUI_TROPHY_FRAME", g + "trophy_frame.png", 420, 590, TrophyFrame);
  r.Image("IMAGE_GUI_TROPHY_BACK_01", g + "trophy_back_desert.png", 300, 220,
          [](cairo_t* cr, int) { TrophyBack(cr, false); });
  r.Image("IMAGE_GUI_TROPHY_BACK_02", g + "trophy_back_snow.png", 300, 220,
          [](cairo_t* cr, int) { TrophyBack(cr, true); });

  // The build dialog shows each kind of building as it stands in the village.
  struct Pic {
    const char* id;
    const char* file;
    int village;
    const char* building;
  };
  const Pic pics[] = {
      {"IMAGE_GUI_U01", "u01_hut", 1, "hut1"},           {"IMAGE_GUI_U02", "u02_hut2", 1, "hut1b"},
      {"IMAGE_GUI_U03", "u03_tavern", 1, "tavern"},      {"IMAGE_GUI_U04", "u04_road", 1, "paved2"},
      {"IMAGE_GUI_U05", "u05_hut3", 1, "hut1c"},         {"IMAGE_GUI_U06", "u06_center", 1, "center"},
      {"IMAGE_GUI_U07", "u07_bridge", 1, "bridge"},      {"IMAGE_GUI_SNOW_U1", "snow_u1_hut", 2, "hut1"},
      {"IMAGE_GUI_SNOW_U2", "snow_u2_hut2", 2, "hut1b"}, {"IMAGE_GUI_SNOW_U3", "snow_u3_hut3", 2, "hut1c"},
      {"IMAGE_GUI_TAVERN", "snow_tavern", 2, "tavern"},  {"IMAGE_GUI_SQUARE", "snow_square", 2, "center"},
      {"IMAGE_GUI_TELESCOPE", "snow_telescope", 2, "telescope"}, {"IMAGE_GUI_MARKET", "snow_market", 2, "market"},
      {"IMAGE_GUI_SCHOOL", "snow_school", 2, "school"},
  };
  for (const Pic& p : pics) {
    Pic v = p;
    r.Image(p.id, g + "build/" + p.file + ".png", 140, 130,
            [v](cairo_t* cr, int) { DrawBuildingFitted(cr, v.village, v.building, 140, 130); });
  }
}

}  // namespace kelp::art
