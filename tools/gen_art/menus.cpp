// The main menu on its ropes, the island world map, the level select and the
// credits.
#include <cmath>

#include "art.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;
const std::string kDir = "data/img/gui/";

// The "Kelp" wordmark: chunky letters in the box colours, outlined.
void Wordmark(cairo_t* cr, double cx, double cy, double size) {
  const char* letters[] = {"K", "e", "l", "p"};
  const int colours[] = {kGreen, kOrange, kRed, kBlue};
  double widths[4], total = 0;
  for (int i = 0; i < 4; ++i) {
    widths[i] = TextWidth(cr, letters[i], size) * 0.92;
    total += widths[i];
  }
  double x = cx - total / 2;
  for (int i = 0; i < 4; ++i) {
    double lx = x + widths[i] / 2, ly = cy + (i % 2 ? size * 0.04 : -size * 0.04);
    cairo_save(cr);
    cairo_translate(cr, lx, ly);
    cairo_rotate(cr, (i % 2 ? 0.06 : -0.06));
    Text(cr, letters[i], 2, 4, size, kCenter, Hex(0x2b2233), Hex(0x2b2233), size * 0.06);
    Text(cr, letters[i], 0, 0, size, kCenter, BoxRgb(colours[i]), Darker(BoxRgb(colours[i]), 0.55), size * 0.05);
    cairo_restore(cr);
    x += widths[i];
  }
}

// Kelp fronds around a claw that holds a box: the emblem of the logo.
void Emblem(cairo_t* cr, double cx, double cy, double s) {
  cairo_save(cr);
  cairo_arc(cr, cx, cy, s, 0, 2 * kPi);
  Shade(cr, Hex(0x3fa9d6), cy - s, cy + s, s * 0.06);
  cairo_arc(cr, cx, cy, s * 0.84, 0, 2 * kPi);
  FillV(cr, cy - s, cy + s, Hex(0xa8e4f6), Hex(0x2f7fb0));
  cairo_save(cr);
  cairo_arc(cr, cx, cy, s * 0.84, 0, 2 * kPi);
  cairo_clip(cr);
  // kelp fronds rising from the bottom, behind the claw
  for (int side = -1; side <= 1; side += 2) {
    const double bx = cx + side * s * 0.52;
    cairo_move_to(cr, bx, cy + s);
    for (double t = 0; t <= 1.0; t += 0.05)
      cairo_line_to(cr, bx + side * s * 0.1 * std::sin(t * 9), cy + s - t * s * 1.55);
    Stroke(cr, Hex(0x2f8f4a), s * 0.09);
    for (int k = 1; k < 6; ++k) {
      double t = k / 6.5, y = cy + s - t * s * 1.55, x = bx + side * s * 0.1 * std::sin(t * 9);
      double dir = (k % 2 ? 1 : -1);
      Ellipse(cr, x + dir * s * 0.1, y, s * 0.11, s * 0.05);
      Shade(cr, Hex(0x6cc24a), y - s * 0.05, y + s * 0.05, s * 0.015);
    }
  }
  cairo_restore(cr);
  // cable and housing
  cairo_move_to(cr, cx, cy - s * 0.84);
  cairo_line_to(cr, cx, cy - s * 0.5);
  Stroke(cr, Hex(0x3a3a48), s * 0.06);
  RoundRect(cr, cx - s * 0.22, cy - s * 0.56, s * 0.44, s * 0.26, s * 0.1);
  Shade(cr, Hex(0xe6a623), cy - s * 0.56, cy - s * 0.3, s * 0.03);
  // the box held between the arms
  BoxBody(cr, cx - s * 0.24, cy - s * 0.12, s * 0.48, s * 0.48, BoxRgb(kRed));
  BoxFace(cr, cx - s * 0.24, cy - s * 0.12, s * 0.48, s * 0.48, 0, BoxRgb(kRed));
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, cx + side * s * 0.16, cy - s * 0.34);
    cairo_curve_to(cr, cx + side * s * 0.46, cy - s * 0.3, cx + side * s * 0.46, cy + s * 0.05, cx + side * s * 0.26,
                   cy + s * 0.12);
    Stroke(cr, Hex(0x3a4450), s * 0.11);
    cairo_move_to(cr, cx + side * s * 0.16, cy - s * 0.34);
    cairo_curve_to(cr, cx + side * s * 0.46, cy - s * 0.3, cx + side * s * 0.46, cy + s * 0.05, cx + side * s * 0.26,
                   cy + s * 0.12);
    Stroke(cr, Hex(0x9aa8b6), s * 0.06);
  }
  Ellipse(cr, cx - s * 0.35, cy - s * 0.55, s * 0.3, s * 0.14);
  SetRgb(cr, pal::kWhite, 0.25);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Logo(cairo_t* cr, int) {
  // hangs from two ropes at the top edge
  for (double x : {90.0, 350.0}) {
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x, 40);
    Stroke(cr, Hex(0x8a6236), 6.0);
  }
  RoundRect(cr, 16, 30, 408, 160, 30);
  Shade(cr, pal::kWood, 30, 190, 3.0);
  RoundRect(cr, 28, 42, 384, 136, 22);
  FillV(cr, 42, 178, Hex(0xf5e1b5), Hex(0xe0c48e));
  Emblem(cr, 88, 110, 50);
  Wordmark(cr, 268, 108, 92);
  for (double x : {90.0, 350.0}) {
    cairo_arc(cr, x, 36, 7, 0, 2 * kPi);
    Shade(cr, pal::kGold, 29, 43, 1.5);
  }
}

void MenuButton(cairo_t* cr, const std::string& label, Rgb c, int state) {
  // a sign board hanging from the ropes (drawn as a swinging quad)
  RoundRect(cr, 4, 6, 212, 60, 16);
  Rgb wood = state == 1 ? Lighter(pal::kWood, 0.2) : state == 2 ? Darker(pal::kWood, 0.15) : pal::kWood;
  Shade(cr, wood, 6, 66, 3.0);
  RoundRect(cr, 14, 14, 192, 44, 10);
  Shade(cr, state == 1 ? Lighter(c, 0.2) : state == 2 ? Darker(c, 0.15) : c, 14, 58, 2.0);
  Gloss(cr, 14, 14, 192, 44, 10, 0.35);
  double ts = FitSize(cr, label, 26, 170);
  Text(cr, label, 110, 36 + (state == 2 ? 1.5 : 0), ts, kCenter, pal::kWhite, Darker(c, 0.6), 2.0);
  for (double x : {20.0, 200.0}) {
    cairo_arc(cr, x, 8, 5, 0, 2 * kPi);
    Shade(cr, pal::kGold, 3, 13, 1.2);
  }
  if (state == 1) {
    RoundRect(cr, 4, 6, 212, 60, 16);
    Stroke(cr, Hex(0xfff3a0), 3.0, 0.8);
  }
}

void MenuLayer(cairo_t* cr, int) {
  // the shore in front: sand, grass, palms at the edges and a bush for the eye
  cairo_move_to(cr, 0, 470);
  cairo_curve_to(cr, 200, 440, 320, 500, 480, 480);
  cairo_curve_to(cr, 620, 462, 720, 470, 800, 450);
  cairo_line_to(cr, 800, 600);
  cairo_line_to(cr, 0, 600);
  cairo_close_path(cr);
  FillV(cr, 440, 600, Hex(0xf2d592), Hex(0xd9a85e));
  Rng rng(505);
  for (int k = 0; k < 60; ++k) {
    double x = rng.Uniform(0, 800), y = rng.Uniform(500, 596);
    Ellipse(cr, x, y, rng.Uniform(2, 6), rng.Uniform(1, 2));
    SetRgb(cr, Hex(0xb8864a), 0.35);
    cairo_fill(cr);
  }
  for (int k = 0; k < 14; ++k) {
    double x = rng.Uniform(10, 790), y = 470 + rng.Uniform(0, 20) - (x > 600 ? 15 : 0);
    for (int j = -2; j <= 2; ++j) {
      cairo_move_to(cr, x, y + 6);
      cairo_curve_to(cr, x + j * 3, y - 6, x + j * 6, y - 10, x + j * 8, y - 16);
      Stroke(cr, Hex(0x4da843), 2.5);
    }
  }
  Palm(cr, 40, 590, 380, 0.35, 11);
  Palm(cr, 770, 590, 340, -0.4, 12);
  // the bush the eye peeks from (713, 542)
  for (int k = 0; k < 6; ++k) {
    double x = 705 + std::cos(k * 1.1) * 40, y = 575 + std::sin(k * 1.7) * 14;
    cairo_arc(cr, x, y, 26, 0, 2 * kPi);
    Shade(cr, Hex(0x3f9b3a), y - 26, y + 26, 2.0);
  }
}

void MenuEye(cairo_t* cr, int frame) {
  // a creature peeks out of the bush: looks left, right, winks, hides its eyes
  const double lx[] = {0, -1, -1, 0, 1, 1, 0, 0};
  FaceOpts f;
  f.look_x = lx[frame];
  f.blink = frame == 6 ? 2 : frame == 7 ? 1 : 0;
  f.cheeks = false;
  f.mouth = 2;
  Ellipse(cr, 40, 40, 34, 22);
  Shade(cr, Hex(0x2f6e2a), 18, 62, 1.5);
  Face(cr, 40, 38, 1.15, f);
}

void Rope(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 32, 8);
  FillV(cr, 0, 8, Hex(0xd9b27a), Hex(0x8a6236));
  for (double x = -8; x < 40; x += 5) {
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x + 5, 8);
    Stroke(cr, Hex(0x6b4a26), 1.2, 0.7);
  }
}

void Zeppelin(cairo_t* cr, double w, double h, int style) {
  // style 0 plain, 1 patched, 2 with flags, 3 crushed
  cairo_save(cr);
  cairo_scale(cr, w / 200.0, h / 100.0);
  if (style == 3) {
    cairo_translate(cr, 100, 50);
    cairo_rotate(cr, 0.35);
    cairo_translate(cr, -100, -50);
  }
  // fins
  Polygon(cr, {18, 38, 2, 18, 22, 20, 36, 40});
  Shade(cr, Hex(0xd2553f), 18, 40, 1.5);
  Polygon(cr, {18, 62, 2, 82, 22, 80, 36, 60});
  Shade(cr, Hex(0xd2553f), 60, 82, 1.5);
  // envelope
  Ellipse(cr, 100, 45, 84, 32);
  Shade(cr, style == 3 ? Hex(0xb0a89a) : Hex(0xf1e6cf), 13, 77, 2.0);
  for (int k = -2; k <= 2; ++k) {
    cairo_move_to(cr, 100 + k * 28, 15);
    cairo_curve_to(cr, 100 + k * 34, 30, 100 + k * 34, 60, 100 + k * 28, 75);
    Stroke(cr, Hex(0xc9b48a), 1.5, 0.8);
  }
  if (style == 1) {
    RoundRect(cr, 120, 30, 22, 16, 3);
    Shade(cr, Hex(0x8fb4e8), 30, 46, 1.2);
    RoundRect(cr, 60, 50, 16, 12, 3);
    Shade(cr, Hex(0xe0a040), 50, 62, 1.2);
  }
  if (style == 2) {
    for (int k = 0; k < 6; ++k) {
      double x = 50 + k * 20;
      double dy = k % 2;
      Polygon(cr, {x, 14 + dy, x + 10, 14 + dy, x + 5, 22 + dy});
      SetRgb(cr, PlayRgb(k));
      cairo_fill(cr);
    }
  }
  if (style == 3) {
    cairo_move_to(cr, 70, 20);
    cairo_line_to(cr, 80, 40);
    cairo_line_to(cr, 72, 55);
    cairo_move_to(cr, 130, 25);
    cairo_line_to(cr, 120, 45);
    Stroke(cr, Hex(0x5a4a3a), 2.0);
  }
  // gondola
  cairo_move_to(cr, 80, 72);
  cairo_line_to(cr, 84, 80);
  cairo_move_to(cr, 120, 72);
  cairo_line_to(cr, 116, 80);
  Stroke(cr, Hex(0x6b4423), 2.0);
  RoundRect(cr, 78, 78, 44, 16, 5);
  Shade(cr, pal::kWood, 78, 94, 1.5);
  for (int k = 0; k < 3; ++k) {
    cairo_arc(cr, 88 + k * 12, 85, 3, 0, 2 * kPi);
    SetRgb(cr, style == 3 ? Hex(0x3a3a48) : Hex(0xffd860));
    cairo_fill(cr);
  }
  // propeller
  Ellipse(cr, 186, 45, 3, 14);
  Shade(cr, Hex(0x8d9aa8), 31, 59, 1.0);
  cairo_restore(cr);
}

// Floating sky islands of the world map.
void Island(cairo_t* cr, double w, double h, bool snow, int state) {
  // state: 0 desert, 1 snow island still closed, 2 snow island open
  const double cx = w / 2, top = h * 0.4;
  // rocky underside
  cairo_move_to(cr, w * 0.06, top);
  cairo_curve_to(cr, w * 0.15, h * 0.75, w * 0.35, h * 0.8, cx, h * 0.98);
  cairo_curve_to(cr, w * 0.65, h * 0.8, w * 0.85, h * 0.75, w * 0.94, top);
  cairo_close_path(cr);
  Shade(cr, snow ? Hex(0x8a94a8) : Hex(0xa86a3a), top, h, 2.5);
  for (int k = 0; k < 4; ++k) {
    double x = w * (0.25 + 0.16 * k), y = h * (0.55 + 0.07 * (k % 2));
    cairo_move_to(cr, x - 10, y);
    cairo_line_to(cr, x + 10, y + 8);
    Stroke(cr, Hex(0x3a2a2a), 2.0, 0.35);
  }
  // top surface
  Ellipse(cr, cx, top, w * 0.45, h * 0.16);
  Shade(cr, snow ? pal::kSnow : pal::kSand, top - h * 0.16, top + h * 0.16, 2.0);
  if (!snow) {
    Palm(cr, w * 0.3, top + 4, h * 0.42, -0.2, 31);
    Palm(cr, w * 0.72, top + 6, h * 0.35, 0.25, 32);
    Hut(cr, w * 0.42, top - h * 0.2, w * 0.16, h * 0.2, Hex(0xe8c48a), Hex(0xc0462f), false, 1);
    for (int k = 0; k < 3; ++k) {
      cairo_arc(cr, w * (0.56 + k * 0.05), top + h * 0.04, h * 0.03, 0, 2 * kPi);
      Shade(cr, Hex(0xd9a85e), top, top + h * 0.07, 1.0);
    }
  } else {
    Pine(cr, w * 0.28, top + 4, h * 0.36, true, 41);
    Pine(cr, w * 0.72, top + 6, h * 0.3, true, 42);
    if (state == 2) {
      Hut(cr, w * 0.42, top - h * 0.2, w * 0.16, h * 0.2, Hex(0xd8c8b0), Hex(0x5a7fa8), true, 2);
    } else {
      // still under ice: a big frozen crystal with a lock
      Polygon(cr, {cx - w * 0.1, top + 4, cx - w * 0.06, top - h * 0.28, cx + w * 0.02, top - h * 0.34,
                   cx + w * 0.1, top + 4});
      Shade(cr, Hex(0xbfeaf7), top - h * 0.34, top, 2.0);
      DrawIcon(cr, Icon::Lock, cx, top - h * 0.1, h * 0.14, pal::kGold);
    }
  }
}

void BackIsland(cairo_t* cr, double w, double h, bool snow) {
  cairo_push_group(cr);
  Island(cr, w, h, snow, 2);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, 0.7);
}

void MapBack(cairo_t* cr, int) {
  RoundRect(cr, 4, 10, 472, 96, 24);
  Shade(cr, pal::kWood, 10, 106, 3.0);
  RoundRect(cr, 16, 22, 448, 72, 16);
  FillV(cr, 22, 94, Hex(0xf5e1b5), Hex(0xe0c48e));
  Text(cr, "Island map", 240, 40, 16, kCenter, Hex(0x7a4a22));
}

void MapScroll(cairo_t* cr, int frame) {
  // unrolls from the middle over 8 frames
  const double open = (frame + 1) / 8.0;
  const double w = 20 + 170 * open;
  const double cx = 110;
  if (open > 0.2) {
    cairo_rectangle(cr, cx - w / 2, 16, w, 40);
    FillV(cr, 16, 56, pal::kParchment, Hex(0xe0c48e));
    cairo_rectangle(cr, cx - w / 2, 16, w, 40);
    Stroke(cr, Hex(0xb08040), 1.5);
  }
  for (int side = -1; side <= 1; side += 2) {
    double x = cx + side * w / 2;
    RoundRect(cr, x - 7, 8, 14, 56, 7);
    Shade(cr, Hex(0xd9b27a), 8, 64, 1.5);
  }
}

void IslandLabel(cairo_t* cr, const std::string& s) {
  double ts = FitSize(cr, s, 22, 160);
  Text(cr, s, 110, 36, ts, kCenter, Hex(0x7a4a22), pal::kCream, 1.5);
}

void Completed(cairo_t* cr, int) {
  cairo_save(cr);
  cairo_translate(cr, 70, 35);
  cairo_rotate(cr, -0.12);
  RoundRect(cr, -64, -22, 128, 44, 10);
  SetRgb(cr, Hex(0x4cbb47), 0.9);
  cairo_fill_preserve(cr);
  Stroke(cr, Hex(0x1f5a1c), 3.0);
  Text(cr, "Completed", 8, 0, 17, kCenter, pal::kWhite, Hex(0x1f5a1c), 1.5);
  DrawIcon(cr, Icon::Check, -48, 0, 20, pal::kWhite);
  cairo_restore(cr);
}

void LevelBack(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 800, 600);
  FillV(cr, 0, 600, Hex(0x3f9fd0), Hex(0x14486e));
  Rng rng(606);
  for (int k = 0; k < 9; ++k) {
    double x = rng.Uniform(0, 800);
    double h = rng.Uniform(120, 280);
    cairo_move_to(cr, x, 600);
    for (double y = 600; y > 600 - h; y -= 12) cairo_line_to(cr, x + 12 * std::sin(y / 30.0 + k), y);
    Stroke(cr, Hex(0x1f6a5a), 8.0, 0.5);
  }
  for (int k = 0; k < 40; ++k) {
    double x = rng.Uniform(0, 800), y = rng.Uniform(0, 600), r = rng.Uniform(2, 8);
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    Stroke(cr, pal::kWhite, 1.2, 0.35);
  }
  cairo_move_to(cr, 0, 560);
  cairo_curve_to(cr, 200, 540, 600, 580, 800, 550);
  cairo_line_to(cr, 800, 600);
  cairo_line_to(cr, 0, 600);
  cairo_close_path(cr);
  FillV(cr, 540, 600, Hex(0xe8c88a), Hex(0xc09a5a));
}

void LevelFrame(cairo_t* cr, int) {
  Panel(cr, 0, 0, 404, 232, PanelStyle::Parchment);
  RoundRect(cr, 36, 24, 56, 56, 10);
  SetRgb(cr, Hex(0xe8c98a), 0.5);
  cairo_fill(cr);
  cairo_move_to(cr, 205, 30);
  cairo_line_to(cr, 205, 120);
  Stroke(cr, Hex(0xc99a56), 1.5, 0.8);
}

void LevelLocked(cairo_t* cr, int) {
  RoundRect(cr, 0, 0, 160, 160, 10);
  FillV(cr, 0, 160, Hex(0x5a5a6e), Hex(0x2e2e3a));
  for (int k = 0; k < 2; ++k) {
    cairo_move_to(cr, 0, k ? 30 : 130);
    cairo_line_to(cr, 160, k ? 130 : 30);
    Stroke(cr, Hex(0x8d9aa8), 7.0, 0.7);
  }
  DrawIcon(cr, Icon::Lock, 80, 84, 70, pal::kGold);
}

void LevelBorder(cairo_t* cr, int) {
  // a frame around the 160 x 160 thumbnail at (10, 10), with the number plate at the top right
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  RoundRect(cr, 2, 2, 176, 176, 16);
  RoundRect(cr, 10, 10, 160, 160, 10);
  Shade(cr, pal::kWood, 2, 178, 2.0);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  RoundRect(cr, 10, 10, 160, 160, 10);
  Stroke(cr, Darker(pal::kWood, 0.4), 2.0);
  RoundRect(cr, 104, 12, 62, 34, 10);
  Shade(cr, pal::kParchment, 12, 46, 2.0);
}

void LevelSelector(cairo_t* cr, int) {
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  RoundRect(cr, 0, 0, 180, 180, 18);
  RoundRect(cr, 8, 8, 164, 164, 12);
  SetRgb(cr, Hex(0xffe066), 0.9);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  for (double x : {8.0, 172.0})
    for (double y : {8.0, 172.0}) Sparkle(cr, x, y, 10, pal::kGold);
}

void CreditsBack(cairo_t* cr, int which) {
  cairo_rectangle(cr, 0, 0, 800, 600);
  if (which == 0)
    FillV(cr, 0, 600, Hex(0xf29a5a), Hex(0xffe0a0));
  else
    FillV(cr, 0, 600, Hex(0x1a2450), Hex(0x5a6aa8));
  if (which == 1) {
    Rng rng(71);
    for (int k = 0; k < 80; ++k) {
      cairo_arc(cr, rng.Uniform(0, 800), rng.Uniform(0, 300), rng.Uniform(0.6, 1.6), 0, 2 * kPi);
      SetRgb(cr, pal::kWhite, rng.Uniform(0.4, 1));
      cairo_fill(cr);
    }
    cairo_arc(cr, 640, 110, 40, 0, 2 * kPi);
    SetRgb(cr, Hex(0xfff6d8));
    cairo_fill(cr);
  } else {
    Glow(cr, 400, 330, 220, Hex(0xfff0b0), 0.9, 0.2);
  }
  Landscape(cr, 800, 600, 280, which == 0 ? Land::Desert : Land::Snow2, which == 0 ? 81u : 82u);
  for (int k = 0; k < 3; ++k)
    Hut(cr, 120 + k * 230, 400 + (k % 2) * 20, 110, 100, which ? Hex(0xd8c8b0) : Hex(0xe8c48a),
        which ? Hex(0x5a7fa8) : Hex(0xc0462f), which == 1, which == 1 ? 2 : 0);
  // a darker band in the middle so the text reads
  cairo_rectangle(cr, 150, 0, 500, 600);
  SetRgb(cr, Hex(0x000000), 0.25);
  cairo_fill(cr);
}

void CreditsText(cairo_t* cr, int) {
  const char* lines[] = {"#Kelp", "", "A puzzle about coloured boxes", "and the creatures who live in them", "",
                         "@Design and programming", "The Kelp team", "", "@Pictures",
                         "Drawn line by line by the Kelp art generator", "", "@Sound and music",
                         "Synthesised by the Kelp sound tools", "", "@Story", "Redrice, Ello and the villagers",
                         "of the two islands", "", "@Testing", "Everyone who dropped a box", "", "@Special thanks",
                         "The creatures, for their patience", "", "", "#Thank you for playing!"};
  double y = 60;
  for (const char* l : lines) {
    std::string s = l;
    if (s.empty()) {
      y += 26;
      continue;
    }
    if (s[0] == '#') {
      Text(cr, s.substr(1), 250, y, 40, kCenter, pal::kGold, pal::kInk, 2.5);
      y += 70;
    } else if (s[0] == '@') {
      Text(cr, s.substr(1), 250, y, 22, kCenter, Hex(0x9fe0f4), pal::kInk, 1.8);
      y += 38;
    } else {
      Text(cr, s, 250, y, 18, kCenter, pal::kWhite, pal::kInk, 1.5);
      y += 30;
    }
  }
}

// A level's marker on the map: frame 0 done (gold), 1 the next to play
// (green), 2 still locked (grey stone).
void MapMarker(cairo_t* cr, int f) {
  const Rgb fill = f == 0 ? pal::kGold : f == 1 ? Hex(0x5cc85a) : Hex(0x8a8f96);
  ShadowEllipse(cr, 18, 31, 12, 4, 0.35);
  cairo_arc(cr, 18, 17, 14, 0, 2 * kPi);
  Shade(cr, fill, 3, 31, 2.2);
  cairo_arc(cr, 18, 17, 9.5, 0, 2 * kPi);
  SetRgb(cr, Lighter(fill, 0.55));
  cairo_fill(cr);
  if (f == 0) {
    // a small star above the number: done
    Star(cr, 29, 6, 5, pal::kWhite, 1.0);
  }
}

}  // namespace

void DrawZeppelin(cairo_t* cr, double w, double h, int style) { Zeppelin(cr, w, h, style); }
void DrawEmblem(cairo_t* cr, double cx, double cy, double s) { Emblem(cr, cx, cy, s); }
void DrawWordmark(cairo_t* cr, double cx, double cy, double size) { Wordmark(cr, cx, cy, size); }

void AddMenus(Registry& r) {
  const std::string mm = kDir + "main_menu/";
  r.Image("IMAGE_MAINMENU_LOGO", mm + "logo.png", 440, 200, Logo);
  r.Image("IMAGE_MAINMENU_LOGO_ROPE", mm + "logo_rope.png", 32, 8, Rope);
  r.Image("IMAGE_MAINMENU_ROPE", mm + "rope.png", 32, 8, Rope);
  r.Image("IMAGE_MAINMENU_BON", mm + "rope_end.png", 24, 24, [](cairo_t* cr, int) {
    cairo_arc(cr, 12, 12, 9, 0, 2 * kPi);
    Shade(cr, pal::kGold, 3, 21, 2.0);
    cairo_arc(cr, 12, 12, 4, 0, 2 * kPi);
    SetRgb(cr, Hex(0x8a5a10));
    cairo_fill(cr);
  }).Mid();
  r.Image("IMAGE_MAINMENU_LAYER", mm + "layer.png", 800, 600, MenuLayer);
  r.Image("IMAGE_MAINMENU_LIGHT", mm + "light.png", 300, 300,
          [](cairo_t* cr, int) { Glow(cr, 150, 150, 150, Hex(0xfff2c0), 0.8, 0.1); });
  r.Anim("IMAGE_MAINMENU_EYE", mm + "eye.png", 80, 58, 8, MenuEye).Speed(160);
  r.Image("IMAGE_MAINMENU_ZEPPELIN", mm + "zeppelin.png", 200, 100, [](cairo_t* cr, int) { Zeppelin(cr, 200, 100, 2); });
  struct MB {
    const char* id;
    const char* file;
    const char* label;
    Rgb c;
  };
  const MB buttons[] = {{"IMAGE_MAINMENU_BUTTON_START", "bt_start", "Play", pal::kButton},
                        {"IMAGE_MAINMENU_BUTTON_OPTIONS", "bt_options", "Options", pal::kButtonBlue},
                        {"IMAGE_MAINMENU_BUTTON_SCORES", "bt_scores", "High scores", pal::kButtonGold},
                        {"IMAGE_MAINMENU_BUTTON_QUIT", "bt_quit", "Quit", pal::kButtonRed}};
  for (const MB& b : buttons) {
    std::string label = b.label;
    Rgb c = b.c;
    r.Anim(b.id, mm + b.file + ".png", 220, 70, 3, [label, c](cairo_t* cr, int f) { MenuButton(cr, label, c, f); });
  }

  const std::string mp = kDir + "map/";
  r.Image("IMAGE_MAP_BACK", mp + "panel.png", 480, 106, MapBack);
  r.Image("IMAGE_MAP_ISLAND1", mp + "island_desert.png", 320, 240,
          [](cairo_t* cr, int) { Island(cr, 320, 240, false, 0); })
      .Mid();
  r.Image("IMAGE_MAP_ISLAND2", mp + "island_snow.png", 320, 240, [](cairo_t* cr, int) { Island(cr, 320, 240, true, 1); })
      .Mid();
  r.Image("IMAGE_MAP_ISLAND2_OPEN", mp + "island_snow_open.png", 320, 240,
          [](cairo_t* cr, int) { Island(cr, 320, 240, true, 2); })
      .Mid();
  r.Image("IMAGE_MAP_BACK_ISLAND1", mp + "far_island_1.png", 180, 120,
          [](cairo_t* cr, int) { BackIsland(cr, 180, 120, false); })
      .Mid();
  r.Image("IMAGE_MAP_BACK_ISLAND2", mp + "far_island_2.png", 180, 120,
          [](cairo_t* cr, int) { BackIsland(cr, 180, 120, true); })
      .Mid();
  r.Anim("IMAGE_MAP_SCROLL", mp + "scroll.png", 220, 72, 8, MapScroll).Mid().Speed(60);
  r.Image("IMAGE_MAP_YELLOWROCKS", mp + "label_yellow_rocks.png", 220, 72,
          [](cairo_t* cr, int) { IslandLabel(cr, "Yellow Rocks"); })
      .Mid();
  r.Image("IMAGE_MAP_SNOWBALL", mp + "label_snowball.png", 220, 72, [](cairo_t* cr, int) { IslandLabel(cr, "Snowball"); })
      .Mid();
  r.Image("IMAGE_COMPLETED", mp + "completed.png", 140, 70, Completed).Mid();
  r.Anim("IMAGE_MAP_MARKER", mp + "marker.png", 36, 36, 3, MapMarker).Mid();

  const std::string ls = kDir + "level_select/";
  r.Image("IMAGE_LEVEL_BACK", ls + "back.png", 800, 600, LevelBack);
  r.Image("IMAGE_LEVEL_FRAME", ls + "frame.png", 404, 232, LevelFrame);
  r.Image("IMAGE_LEVEL_LOCKED", ls + "locked.png", 160, 160, LevelLocked);
  r.Image("IMAGE_LEVEL_BORDER", ls + "border.png", 180, 180, LevelBorder);
  r.Image("IMAGE_LEVEL_SELECTOR", ls + "selector.png", 180, 180, LevelSelector);

  const std::string cd = kDir + "credits/";
  r.Image("IMAGE_CREDITS_BACK_01", cd + "back_01.png", 800, 600, [](cairo_t* cr, int) { CreditsBack(cr, 0); });
  r.Image("IMAGE_CREDITS_BACK_02", cd + "back_02.png", 800, 600, [](cairo_t* cr, int) { CreditsBack(cr, 1); });
  r.Image("IMAGE_CREDITS_TEXT", cd + "text.png", 500, 1200, CreditsText);
}

}  // namespace kelp::art
