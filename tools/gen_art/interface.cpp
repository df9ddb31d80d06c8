// The frame around a level: sky, background landscapes, the side panels with
// the score plate, clock, gears and the seesaw of the two heroes, the goal
// tube, clouds, fish and the swaying plants the polygon scenes use.
#include <cmath>

#include "art.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;
const std::string kDir = "data/img/levels/";
const Rgb kSteel = Hex(0x8d9aa8);
const Rgb kSteelDark = Hex(0x56616e);

void Sky(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 128, 800);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 800);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.25, 0.52, 0.86);
  cairo_pattern_add_color_stop_rgb(p, 0.55, 0.55, 0.78, 0.96);
  cairo_pattern_add_color_stop_rgb(p, 0.85, 0.8, 0.91, 0.99);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.9, 0.95, 1.0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void NightSky(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 256, 256);
  SetRgb(cr, Hex(0x000000));
  cairo_fill(cr);
  Rng rng(4242);
  for (int k = 0; k < 70; ++k) {
    double x = rng.Uniform(2, 254), y = rng.Uniform(2, 254);
    double r = rng.Uniform(0.5, 1.4);
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    SetRgb(cr, Mix(pal::kWhite, Hex(0xbfd8ff), rng.Uniform(0, 1)), rng.Uniform(0.5, 1.0));
    cairo_fill(cr);
  }
  for (int k = 0; k < 5; ++k) Sparkle(cr, rng.Uniform(12, 244), rng.Uniform(12, 244), rng.Uniform(4, 7), Hex(0xe8f0ff));
}

void Background(cairo_t* cr, Land land, uint32_t seed) {
  Landscape(cr, 810, 610, 170, land, seed);
}

// The left column: top plate under the gears, the score plate niche, the clock
// at (91, 216) and the machine room of the seesaw below.
void LeftPanel(cairo_t* cr, bool snow) {
  const Rgb stone = snow ? Hex(0xa9b8cc) : Hex(0xc9955a);
  const Rgb dark = Darker(stone, 0.35);
  // outer column with a wavy inner edge toward the play field
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 196, 0);
  for (int i = 0; i <= 12; ++i) {
    double y = i * 50.0;
    cairo_line_to(cr, 186 + 6 * std::sin(i * 1.3), y);
  }
  cairo_line_to(cr, 190, 600);
  cairo_line_to(cr, 0, 600);
  cairo_close_path(cr);
  Shade(cr, stone, 0, 600, 3.0);
  // block seams
  Rng rng(snow ? 21u : 12u);
  for (double y = 40; y < 600; y += 40) {
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, 184, y);
    Stroke(cr, dark, 1.5, 0.35);
    double x0 = rng.Uniform(20, 160);
    cairo_move_to(cr, x0, y);
    cairo_line_to(cr, x0, y + 40);
    Stroke(cr, dark, 1.5, 0.3);
  }
  // the clock's rim
  cairo_arc(cr, 91, 216, 40, 0, 2 * kPi);
  Shade(cr, Hex(0xe6a623), 176, 256, 3.0);
  DrawClockFace(cr, 91, 216, 34);
  // a dark niche for the seesaw machinery
  RoundRect(cr, 10, 290, 170, 240, 24);
  FillV(cr, 290, 530, Darker(stone, 0.55), Darker(stone, 0.35));
  RoundRect(cr, 10, 290, 170, 240, 24);
  Stroke(cr, Darker(stone, 0.6), 2.0);
  if (snow) {
    for (double x : {0.0, 60.0, 120.0}) {
      cairo_move_to(cr, x, 0);
      cairo_curve_to(cr, x + 20, 14, x + 40, 14, x + 62, 0);
      cairo_close_path(cr);
      SetRgb(cr, pal::kSnow);
      cairo_fill(cr);
    }
  }
}

void RightPanel(cairo_t* cr, bool snow) {
  const Rgb stone = snow ? Hex(0xa9b8cc) : Hex(0xc9955a);
  const Rgb dark = Darker(stone, 0.35);
  cairo_move_to(cr, 8, 0);
  for (int i = 0; i <= 12; ++i) cairo_line_to(cr, 4 - 4 * std::sin(i * 1.1), i * 50.0);
  cairo_line_to(cr, 240, 600);
  cairo_line_to(cr, 240, 0);
  cairo_close_path(cr);
  Shade(cr, stone, 0, 600, 3.0);
  for (double y = 40; y < 600; y += 40) {
    cairo_move_to(cr, 8, y);
    cairo_line_to(cr, 240, y);
    Stroke(cr, dark, 1.5, 0.35);
  }
  // the goal tube's glass and its frame (x 668..692 on the canvas)
  RoundRect(cr, 96, 232, 48, 336, 20);
  Shade(cr, Hex(0xe6a623), 232, 568, 3.0);
  RoundRect(cr, 106, 244, 28, 312, 12);
  FillV(cr, 244, 556, Hex(0x2a3448), Hex(0x1c2230));
  cairo_rectangle(cr, 111, 250, 5, 300);
  SetRgb(cr, pal::kWhite, 0.18);
  cairo_fill(cr);
  // goal marks
  for (int k = 0; k <= 4; ++k) {
    double y = 552 - k * 309.0 / 4;
    cairo_move_to(cr, 134, y);
    cairo_line_to(cr, 142, y);
    Stroke(cr, Hex(0x4a2f1a), 2.0);
  }
  Star(cr, 120, 222, 12, pal::kGold);
  if (snow) {
    for (double x : {20.0, 90.0, 160.0}) {
      cairo_move_to(cr, x, 0);
      cairo_curve_to(cr, x + 20, 14, x + 40, 14, x + 62, 0);
      cairo_close_path(cr);
      SetRgb(cr, pal::kSnow);
      cairo_fill(cr);
    }
  }
}

void RightPanelBack(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 200, 600);
  FillV(cr, 0, 600, Hex(0x6b4a34), Hex(0x3e2a1e));
  for (double y = 30; y < 600; y += 60) {
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, 200, y);
    Stroke(cr, Hex(0x2a1a10), 2.0, 0.4);
  }
}

void LevelScore(cairo_t* cr, int) {
  RoundRect(cr, 2, 2, 166, 84, 14);
  Shade(cr, pal::kParchment, 2, 86, 2.5);
  RoundRect(cr, 8, 8, 154, 72, 10);
  Stroke(cr, Hex(0xc99a56), 1.5, 0.8);
  Text(cr, "Stage", 80, 8, 12, kRight, Hex(0x7a4a22));
  Star(cr, 20, 35, 9, pal::kGold);
  Coin(cr, 20, 66, 8);
}

void Gears(cairo_t* cr, int frame, double w, double h, bool right) {
  const double turn = frame * (2 * kPi / 8) / 8;  // one tooth per eight frames
  struct G {
    double x, y, r;
    int teeth;
    double dir;
  };
  std::vector<G> gears = right ? std::vector<G>{{20, 18, 17, 10, 1}, {20, 58, 13, 8, -1}}
                               : std::vector<G>{{28, 28, 24, 12, 1}, {72, 22, 17, 9, -1}, {112, 34, 22, 11, 1},
                                                {140, 14, 12, 7, -1}};
  (void)w;
  (void)h;
  for (const G& g : gears) {
    cairo_save(cr);
    cairo_translate(cr, g.x, g.y);
    cairo_rotate(cr, turn * g.dir * 12 / g.teeth);
    StarPath(cr, 0, 0, g.r, g.r * 0.8, g.teeth, 0);
    Shade(cr, kSteel, -g.r, g.r, 1.5);
    cairo_arc(cr, 0, 0, g.r * 0.55, 0, 2 * kPi);
    Shade(cr, Hex(0xe6a623), -g.r, g.r, 1.2);
    for (int k = 0; k < 4; ++k) {
      double a = k * kPi / 2;
      cairo_arc(cr, std::cos(a) * g.r * 0.32, std::sin(a) * g.r * 0.32, g.r * 0.1, 0, 2 * kPi);
      SetRgb(cr, Darker(Hex(0xe6a623), 0.4));
      cairo_fill(cr);
    }
    cairo_arc(cr, 0, 0, g.r * 0.15, 0, 2 * kPi);
    SetRgb(cr, kSteelDark);
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

void SwingBelt(cairo_t* cr, int frame) {
  // a chain belt from the small wheel (top) to the big wheel (bottom), centred on x 49
  const double cx = 49;
  for (int side = -1; side <= 1; side += 2) {
    double x0 = cx + side * 14, x1 = cx + side * 28;
    for (int k = 0; k < 14; ++k) {
      double t = (k + (frame % 8) / 8.0 * (side > 0 ? 1 : -1) + 1) / 15.0;
      if (t < 0 || t > 1) continue;
      double x = x0 + (x1 - x0) * t, y = 8 + 132 * t;
      RoundRect(cr, x - 3, y - 4, 6, 8, 2);
      Shade(cr, kSteelDark, y - 4, y + 4, 1.0);
    }
  }
}

void SwingBody(cairo_t* cr, int) {
  // the pivot stand of the seesaw around the big wheel's hub (52, 15 here)
  Polygon(cr, {30, 84, 40, 20, 64, 20, 74, 84});
  Shade(cr, Hex(0xd2553f), 20, 84, 2.0);
  RoundRect(cr, 18, 74, 68, 10, 4);
  Shade(cr, kSteelDark, 74, 84, 1.5);
  cairo_arc(cr, 52, 22, 8, 0, 2 * kPi);
  Shade(cr, pal::kGold, 14, 30, 1.5);
}

void SwingPlatform(cairo_t* cr, int) {
  RoundRect(cr, 0, 6, 200, 74, 10);
  Shade(cr, Hex(0x9a6a3a), 6, 80, 2.5);
  for (double x = 12; x < 200; x += 36) {
    cairo_move_to(cr, x, 10);
    cairo_line_to(cr, x, 78);
    Stroke(cr, Hex(0x6b4423), 2.0, 0.5);
  }
  cairo_rectangle(cr, 0, 4, 200, 8);
  Shade(cr, Hex(0xe6a623), 4, 12, 1.5);
}

void SwingTop(cairo_t* cr, int) {
  RoundRect(cr, 2, 2, 52, 12, 5);
  Shade(cr, Hex(0xe6a623), 2, 14, 2.0);
  for (double x : {8.0, 48.0}) {
    cairo_arc(cr, x, 8, 2, 0, 2 * kPi);
    SetRgb(cr, Darker(Hex(0xe6a623), 0.45));
    cairo_fill(cr);
  }
}

void Tube(cairo_t* cr, int) {
  // the liquid of the goal tube: full height 305
  RoundRect(cr, 0, 0, 24, 305, 8);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 24, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.25, 0.72, 0.3);
  cairo_pattern_add_color_stop_rgb(p, 0.35, 0.55, 0.95, 0.45);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.18, 0.55, 0.22);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Rng rng(9);
  for (int k = 0; k < 18; ++k) {
    cairo_arc(cr, rng.Uniform(5, 19), rng.Uniform(6, 300), rng.Uniform(1, 2.5), 0, 2 * kPi);
    SetRgb(cr, pal::kWhite, 0.45);
    cairo_fill(cr);
  }
  cairo_rectangle(cr, 4, 4, 4, 297);
  SetRgb(cr, pal::kWhite, 0.3);
  cairo_fill(cr);
}

void Meniscus(cairo_t* cr, int) {
  Ellipse(cr, 12, 4, 12, 3.5);
  SetRgb(cr, Hex(0xb6ff9a));
  cairo_fill(cr);
  Ellipse(cr, 9, 3.5, 5, 1.3);
  SetRgb(cr, pal::kWhite, 0.7);
  cairo_fill(cr);
}

void Holders(cairo_t* cr, int) {
  for (double y : {4.0, 110.0, 200.0}) {
    RoundRect(cr, 1, y, 32, 12, 5);
    Shade(cr, kSteel, y, y + 12, 1.5);
    for (double x : {5.0, 29.0}) {
      cairo_arc(cr, x, y + 6, 2, 0, 2 * kPi);
      SetRgb(cr, kSteelDark);
      cairo_fill(cr);
    }
  }
}

void Pipe(cairo_t* cr, int) {
  // from the top edge down and across to the tube's mouth at x 88..112
  cairo_move_to(cr, 30, 0);
  cairo_line_to(cr, 30, 150);
  cairo_curve_to(cr, 30, 190, 50, 200, 100, 200);
  cairo_line_to(cr, 100, 236);
  Stroke(cr, Darker(kSteel, 0.45), 26);
  cairo_move_to(cr, 30, 0);
  cairo_line_to(cr, 30, 150);
  cairo_curve_to(cr, 30, 190, 50, 200, 100, 200);
  cairo_line_to(cr, 100, 236);
  Stroke(cr, kSteel, 20);
  cairo_move_to(cr, 25, 0);
  cairo_line_to(cr, 25, 150);
  Stroke(cr, pal::kWhite, 4, 0.35);
  for (double y : {40.0, 120.0}) {
    RoundRect(cr, 14, y, 32, 12, 4);
    Shade(cr, Hex(0xe6a623), y, y + 12, 1.5);
  }
  RoundRect(cr, 84, 230, 32, 16, 5);
  Shade(cr, Hex(0xe6a623), 230, 246, 1.5);
}

void ClockHand(cairo_t* cr, int) {
  // pivot at (5, 25)
  Polygon(cr, {5, 1, 8.5, 24, 5, 29, 1.5, 24});
  Shade(cr, Hex(0xd23c3c), 1, 29, 1.0);
}

void ClockPip(cairo_t* cr, int) {
  cairo_arc(cr, 7, 7, 5, 0, 2 * kPi);
  Shade(cr, pal::kGold, 2, 12, 1.2);
}

void ClockShadow(cairo_t* cr, int) {
  cairo_arc(cr, 29, 29, 29, 0, 2 * kPi);
  SetRgb(cr, Hex(0x20304a), 0.55);
  cairo_fill(cr);
}

void ClockCap(cairo_t* cr, int) {
  cairo_arc(cr, 32, 32, 30, 0, 2 * kPi);
  Shade(cr, Hex(0x6fb4e8), 2, 62, 2.5);
  cairo_arc(cr, 32, 32, 24, 0, 2 * kPi);
  Stroke(cr, pal::kWhite, 1.5, 0.6);
  Text(cr, "~", 32, 30, 30, kCenter, pal::kWhite, Hex(0x2a5a80), 1.5);
  DrawIcon(cr, Icon::Sleep, 40, 44, 18, pal::kWhite);
}

void ClockFreeze(cairo_t* cr, int) {
  Glow(cr, 48, 48, 48, Hex(0xcff4ff), 0.7);
  DrawClockFace(cr, 48, 48, 30);
  for (int k = 0; k < 6; ++k) {
    double a = k * kPi / 3 + 0.3;
    double x = 48 + std::cos(a) * 36, y = 48 + std::sin(a) * 36;
    Polygon(cr, {x - 6, y, x, y - 10, x + 6, y, x, y + 10});
    Shade(cr, Hex(0xbfeaf7), y - 10, y + 10, 1.2);
  }
  cairo_arc(cr, 48, 48, 30, 0, 2 * kPi);
  SetRgb(cr, Hex(0xbfeaf7), 0.4);
  cairo_fill(cr);
}

void Hero(cairo_t* cr, int hero, int blink) {
  DrawHero(cr, hero, 40, 50, 34, blink, hero == 0 ? 0.3 : -0.3);
}

void Fish(cairo_t* cr, int frame) {
  const double wig = std::sin(frame * 2 * kPi / 8);
  cairo_save(cr);
  cairo_translate(cr, 32, 16);
  // tail
  Polygon(cr, {-14, 0, -28, -10 + wig * 4, -26, 0, -28, 10 + wig * 4});
  Shade(cr, Hex(0xe8f4ff), -10, 10, 1.2);
  Ellipse(cr, 2, 0, 18, 10);
  Shade(cr, pal::kWhite, -10, 10, 1.5);
  Polygon(cr, {-2, -8, 8, -15, 8, -8});
  Shade(cr, Hex(0xe8f4ff), -15, -8, 1.0);
  cairo_arc(cr, 12, -2, 2.4, 0, 2 * kPi);
  SetRgb(cr, Hex(0x24202a));
  cairo_fill(cr);
  cairo_arc(cr, 11.3, -2.7, 0.8, 0, 2 * kPi);
  SetRgb(cr, pal::kWhite);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Kelp(cairo_t* cr, double w, double h, uint32_t seed) {
  Rng rng(seed);
  for (int k = 0; k < 3; ++k) {
    double bx = w * (0.3 + 0.2 * k);
    double sway = rng.Uniform(-0.2, 0.2) * w;
    cairo_move_to(cr, bx - 3, h);
    cairo_curve_to(cr, bx - 6 + sway, h * 0.6, bx + 6 - sway, h * 0.3, bx + sway * 0.5, h * (0.05 + 0.12 * k));
    cairo_curve_to(cr, bx + 8 - sway, h * 0.3, bx + 4 + sway, h * 0.6, bx + 3, h);
    cairo_close_path(cr);
    Shade(cr, Mix(Hex(0x2f8f4a), Hex(0x6cb84a), k / 2.0), 0, h, 1.5);
    for (int j = 1; j < 5; ++j) {
      double y = h * (0.2 + 0.17 * j);
      Ellipse(cr, bx + (j % 2 ? 7 : -7), y, 6, 3);
      Shade(cr, Hex(0x5fae4a), y - 3, y + 3, 1.0);
    }
  }
}

}  // namespace

void DrawHero(cairo_t* cr, int hero, double cx, double cy, double r, int blink, double facing) {
  CreatureOpts o;
  o.body = hero == 0 ? Hex(0xe0473d) : Hex(0xf2c23a);
  o.top = hero == 0 ? Top::Ears : Top::Antenna;
  o.facing = facing;
  o.face.blink = blink;
  o.face.look_x = facing;
  o.face.mouth = 0;
  Creature(cr, cx, cy, r, o);
}

void AddInterface(Registry& r) {
  r.Image("IMAGE_SKY", kDir + "sky.png", 128, 800, Sky);
  r.Image("IMAGE_NIGHT_SKY", kDir + "night_sky.png", 256, 256, NightSky);
  r.Image("IMAGE_BACK", kDir + "desert/back.png", 810, 610, [](cairo_t* cr, int) { Background(cr, Land::Desert, 1); });
  r.Image("IMAGE_BACK_EVIL", kDir + "desert/back_evil.png", 810, 610,
          [](cairo_t* cr, int) { Background(cr, Land::DesertEvil, 2); });
  r.Image("IMAGE_SNOW_BACK", kDir + "snow/back.png", 810, 610, [](cairo_t* cr, int) { Background(cr, Land::Snow, 3); });
  r.Image("IMAGE_SNOW_BACK2", kDir + "snow/back2.png", 810, 610,
          [](cairo_t* cr, int) { Background(cr, Land::Snow2, 4); });
  r.Image("IMAGE_SNOW_BACK_EVIL", kDir + "snow/back_evil.png", 810, 610,
          [](cairo_t* cr, int) { Background(cr, Land::SnowEvil, 5); });

  r.Image("IMAGE_LEFT_PANEL", kDir + "desert/left_panel.png", 200, 600, [](cairo_t* cr, int) { LeftPanel(cr, false); });
  r.Image("IMAGE_SNOW_LEFT_PANEL", kDir + "snow/left_panel.png", 200, 600,
          [](cairo_t* cr, int) { LeftPanel(cr, true); });
  r.Image("IMAGE_RIGHT_PANEL", kDir + "desert/right_panel.png", 240, 600,
          [](cairo_t* cr, int) { RightPanel(cr, false); });
  r.Image("IMAGE_SNOW_RIGHT_PANEL", kDir + "snow/right_panel.png", 240, 600,
          [](cairo_t* cr, int) { RightPanel(cr, true); });
  r.Image("IMAGE_RIGHT_PANEL_BACK", kDir + "right_panel_back.png", 200, 600, RightPanelBack);
  r.Image("IMAGE_LEVELSCORE", kDir + "level_score.png", 170, 88, LevelScore);

  r.Anim("IMAGE_GEARS", kDir + "gears.png", 156, 56, 8, [](cairo_t* cr, int f) { Gears(cr, f, 156, 56, false); });
  r.Anim("IMAGE_RIGHT_GEARS", kDir + "right_gears.png", 40, 80, 8,
         [](cairo_t* cr, int f) { Gears(cr, f, 40, 80, true); });
  r.Anim("IMAGE_SWING_ROPE", kDir + "swing_belt.png", 100, 150, 8, SwingBelt);
  r.Image("IMAGE_SWING_WHEEL", kDir + "swing_wheel.png", 32, 32,
          [](cairo_t* cr, int) { DrawWheel(cr, 16, 16, 14, Hex(0xe6a623)); })
      .Mid();
  r.Image("IMAGE_SWING_BIG_WHEEL", kDir + "swing_big_wheel.png", 60, 60,
          [](cairo_t* cr, int) { DrawWheel(cr, 30, 30, 28, Hex(0xe6a623)); })
      .Mid();
  r.Image("IMAGE_SWING_BODY", kDir + "swing_body.png", 104, 86, SwingBody);
  r.Image("IMAGE_SWING_PLATFORM", kDir + "swing_platform.png", 200, 80, SwingPlatform);
  r.Image("IMAGE_SWING_TOP", kDir + "swing_top.png", 56, 16, SwingTop);
  r.Image("IMAGE_TRUBA", kDir + "pipe.png", 120, 248, Pipe);
  r.Image("IMAGE_PROGRESSBAR_FULL", kDir + "tube_full.png", 24, 305, Tube);
  r.Image("IMAGE_PROGRESSBAR_TOP", kDir + "tube_top.png", 24, 8, Meniscus);
  r.Image("IMAGE_PROGRESSBAR_HOLDERS", kDir + "tube_holders.png", 34, 216, Holders);

  r.Image("IMAGE_CLOCK", kDir + "clock.png", 58, 58, [](cairo_t* cr, int) { DrawClockFace(cr, 29, 29, 28); });
  r.Image("IMAGE_CLOCK_ARROW", kDir + "clock_hand.png", 10, 30, ClockHand).Handle(5, 25);
  r.Image("IMAGE_CLOCK_PIP", kDir + "clock_pip.png", 14, 14, ClockPip).Mid();
  r.Image("IMAGE_CLOCK_SHADOW", kDir + "clock_shadow.png", 58, 58, ClockShadow).Mid();
  r.Image("IMAGE_CLOCK_CAP", kDir + "clock_cap.png", 64, 64, ClockCap).Mid();
  r.Image("IMAGE_CLOCK_FREEZE", kDir + "clock_freeze.png", 96, 96, ClockFreeze).Mid();

  r.Image("IMAGE_REDRICE", kDir + "hero_redrice.png", 80, 90, [](cairo_t* cr, int) { Hero(cr, 0, 0); });
  r.Image("IMAGE_REDRICE_BLINK", kDir + "hero_redrice_blink.png", 80, 90, [](cairo_t* cr, int) { Hero(cr, 0, 2); });
  r.Image("IMAGE_ELLO", kDir + "hero_ello.png", 80, 90, [](cairo_t* cr, int) { Hero(cr, 1, 0); });
  r.Image("IMAGE_ELLO_BLINK", kDir + "hero_ello_blink.png", 80, 90, [](cairo_t* cr, int) { Hero(cr, 1, 2); });

  const int cw[5] = {200, 160, 240, 180, 140};
  for (int k = 0; k < 5; ++k) {
    int w = cw[k], h = cw[k] / 2;
    std::string id = "IMAGE_CLOUD_0" + std::to_string(k + 1);
    r.Image(id, kDir + "clouds/cloud_0" + std::to_string(k + 1) + ".png", w, h,
            [w, h, k](cairo_t* cr, int) { Cloud(cr, w / 2.0, h / 2.0 + 2, w - 8, h - 8, 100u + k); })
        .Mid();
  }
  r.Anim("IMAGE_FISH_MOVE", kDir + "fish.png", 64, 32, 8, Fish).Mid().Speed(60);
  r.Image("IMAGE_VODOROSL", kDir + "plants/kelp.png", 48, 200, [](cairo_t* cr, int) { Kelp(cr, 48, 200, 5); });
  r.Image("IMAGE_VODOROSL2", kDir + "plants/kelp2.png", 40, 160, [](cairo_t* cr, int) { Kelp(cr, 40, 160, 6); });

  // Palms and snowy pines: textures of the swaying polygon scenes.
  for (int k = 1; k <= 7; ++k) {
    int h = 200 + (k % 2) * 40, w = h * 11 / 10;
    r.Image("IMAGE_PALM_0" + std::to_string(k), kDir + "plants/palm_0" + std::to_string(k) + ".png", w, h,
            [w, h, k](cairo_t* cr, int) { Palm(cr, w * 0.45, h - 4, h, (k % 2 ? 0.3 : -0.3), 300u + k); });
  }
}

}  // namespace kelp::art
