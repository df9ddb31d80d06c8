// The machinery of the play field: the crane claw with its rail, cable and
// lamp, the aim marker and laser, trolleys, the moving floor, the pusher,
// water, bricks and the red line's pieces.
#include <cmath>

#include "art.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;
const std::string kDir = "data/img/game/";
const Rgb kSteel = Hex(0x8d9aa8);
const Rgb kSteelDark = Hex(0x56616e);

// The claw: a round housing at the top (its handle, on the rail carriage) and
// two arms whose tips end 30 px either side of the centre, 86 px lower.
void Claw(cairo_t* cr, int) {
  const double cx = 48;
  // arms
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, cx + side * 10, 40);
    cairo_curve_to(cr, cx + side * 40, 50, cx + side * 44, 76, cx + side * 32, 100);
    cairo_line_to(cr, cx + side * 24, 96);
    cairo_curve_to(cr, cx + side * 32, 78, cx + side * 30, 58, cx + side * 8, 52);
    cairo_close_path(cr);
    Shade(cr, kSteel, 40, 100, 2.0);
    cairo_arc(cr, cx + side * 30, 60, 3.5, 0, 2 * kPi);
    Shade(cr, Hex(0xf2c230), 56, 64, 1.2);
  }
  // housing
  RoundRect(cr, cx - 24, 4, 48, 46, 16);
  Shade(cr, Hex(0xe6a623), 4, 50, 2.2);
  RoundRect(cr, cx - 28, 8, 56, 10, 5);
  Shade(cr, kSteelDark, 8, 18, 1.5);
  // lamp socket
  cairo_arc(cr, cx, 34, 12, 0, 2 * kPi);
  Shade(cr, kSteelDark, 22, 46, 1.5);
  cairo_arc(cr, cx, 34, 9, 0, 2 * kPi);
  SetRgb(cr, Hex(0x30343c));
  cairo_fill(cr);
  for (int side = -1; side <= 1; side += 2) {
    cairo_arc(cr, cx + side * 18, 28, 2, 0, 2 * kPi);
    SetRgb(cr, Darker(Hex(0xe6a623), 0.4));
    cairo_fill(cr);
  }
}

void ClawLamp(cairo_t* cr, int) {
  Glow(cr, 48, 34, 16, pal::kWhite, 0.7, 0.4);
  cairo_arc(cr, 48, 34, 8.5, 0, 2 * kPi);
  FillV(cr, 26, 42, pal::kWhite, Hex(0xd8d8d8));
  cairo_arc(cr, 45, 31, 3, 0, 2 * kPi);
  SetRgb(cr, pal::kWhite);
  cairo_fill(cr);
}

void Carriage(cairo_t* cr, int) {
  // wheels ride the rail above the centre; the cable drum hangs below
  for (double x : {16.0, 48.0}) {
    cairo_arc(cr, x, 10, 8, 0, 2 * kPi);
    Shade(cr, kSteelDark, 2, 18, 1.5);
    cairo_arc(cr, x, 10, 3, 0, 2 * kPi);
    SetRgb(cr, Hex(0xc8d0d8));
    cairo_fill(cr);
  }
  RoundRect(cr, 6, 14, 52, 18, 6);
  Shade(cr, Hex(0xd2553f), 14, 32, 2.0);
  RoundRect(cr, 24, 28, 16, 10, 3);
  Shade(cr, kSteel, 28, 38, 1.5);
  cairo_arc(cr, 32, 22, 3, 0, 2 * kPi);
  SetRgb(cr, pal::kGold);
  cairo_fill(cr);
}

void Rail(cairo_t* cr, int) {
  const double w = 560;
  RoundRect(cr, 2, 6, w - 4, 12, 4);
  Shade(cr, kSteel, 6, 18, 2.0);
  cairo_rectangle(cr, 2, 2, w - 4, 4);
  Shade(cr, Lighter(kSteel, 0.2), 2, 6, 1.0);
  cairo_rectangle(cr, 2, 18, w - 4, 4);
  Shade(cr, kSteelDark, 18, 22, 1.0);
  for (double x = 14; x < w - 8; x += 28) {
    cairo_arc(cr, x, 12, 2, 0, 2 * kPi);
    SetRgb(cr, Darker(kSteel, 0.35));
    cairo_fill(cr);
  }
  for (double x : {2.0, w - 14}) {
    RoundRect(cr, x, 0, 12, 24, 3);
    Shade(cr, Hex(0xe6a623), 0, 24, 1.5);
  }
}

void CableTex(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 32, 8);
  FillV(cr, 0, 8, Hex(0x6a7480), Hex(0x2e343c));
  for (double x = -8; x < 40; x += 6) {
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x + 6, 8);
    Stroke(cr, Hex(0xa9b4c0), 1.2, 0.6);
  }
  cairo_rectangle(cr, 0, 2, 32, 1.5);
  SetRgb(cr, pal::kWhite, 0.25);
  cairo_fill(cr);
}

void RopeTex(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 32, 8);
  FillV(cr, 0, 8, Hex(0xd9b27a), Hex(0x8a6236));
  for (double x = -8; x < 40; x += 5) {
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x + 5, 8);
    Stroke(cr, Hex(0x6b4a26), 1.2, 0.7);
  }
}

void Aim(cairo_t* cr, int) {
  // a soft column of light with chevrons, tinted by the game
  cairo_rectangle(cr, 0, 0, 46, 420);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 46, 0);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 0.55);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  for (double y = 10; y < 410; y += 34) {
    double a = 1.0 - y / 460;
    cairo_move_to(cr, 13, y);
    cairo_line_to(cr, 23, y + 9);
    cairo_line_to(cr, 33, y);
    Stroke(cr, pal::kWhite, 3.0, a);
  }
  // fade toward the bottom
  cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
  cairo_pattern_t* f = cairo_pattern_create_linear(0, 0, 0, 420);
  cairo_pattern_add_color_stop_rgba(f, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(f, 0.7, 0, 0, 0, 0.6);
  cairo_pattern_add_color_stop_rgba(f, 1, 0, 0, 0, 0);
  cairo_set_source(cr, f);
  cairo_paint(cr);
  cairo_pattern_destroy(f);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

void Lazer(cairo_t* cr, int frame) {
  const double glow = 0.5 + 0.5 * std::sin(frame * 2 * kPi / 8);
  RoundRect(cr, 12, 2, 24, 30, 6);
  Shade(cr, kSteel, 2, 32, 2.0);
  Polygon(cr, {16, 30, 32, 30, 28, 44, 20, 44});
  Shade(cr, kSteelDark, 30, 44, 1.5);
  for (int k = 0; k < 3; ++k) {
    cairo_rectangle(cr, 14, 8 + k * 7, 20, 3);
    SetRgb(cr, Hex(0x3fd3e0), 0.4 + 0.6 * ((frame + k) % 3 == 0));
    cairo_fill(cr);
  }
  Glow(cr, 24, 46, 8 + 6 * glow, Hex(0x9ff0ff), 0.9);
  cairo_arc(cr, 24, 45, 3.5, 0, 2 * kPi);
  SetRgb(cr, pal::kWhite);
  cairo_fill(cr);
}

// Trolley pictures in the frame (x1 - 34, y1 - 150) of the trolley floor's first point.
void TrolleyBack(cairo_t* cr, int) {
  Polygon(cr, {12, 0, 378, 0, 356, 150, 34, 150});
  FillV(cr, 0, 150, Hex(0x8a5a32), Hex(0x5e3a1e));
  for (int k = 1; k < 6; ++k) {
    double y = k * 25;
    double inset = 22 * y / 150;
    cairo_move_to(cr, 12 + inset, y);
    cairo_line_to(cr, 378 - inset, y);
    Stroke(cr, Hex(0x4a2c14), 2.0, 0.6);
  }
  for (int k = 1; k < 5; ++k) {
    double x = 12 + k * 73;
    cairo_move_to(cr, x, 2);
    cairo_line_to(cr, x + (195 - x) * 0.12, 148);
    Stroke(cr, Hex(0x4a2c14), 1.2, 0.35);
  }
}

void TrolleyFront(cairo_t* cr, int) {
  // side walls
  for (int side = 0; side < 2; ++side) {
    std::vector<double> pts = side == 0 ? std::vector<double>{0, -2, 14, -2, 36, 150, 20, 150}
                                        : std::vector<double>{376, -2, 390, -2, 370, 150, 354, 150};
    Polygon(cr, pts);
    Shade(cr, Hex(0xd2553f), 0, 150, 2.0);
  }
  // floor beam and chassis
  RoundRect(cr, 14, 144, 362, 16, 5);
  Shade(cr, Hex(0xd2553f), 144, 160, 2.0);
  RoundRect(cr, 30, 158, 330, 20, 6);
  Shade(cr, kSteel, 158, 178, 2.0);
  for (double x = 46; x < 352; x += 32) {
    cairo_arc(cr, x, 168, 2.2, 0, 2 * kPi);
    SetRgb(cr, kSteelDark);
    cairo_fill(cr);
  }
  // plate behind the clock
  cairo_arc(cr, 198, 171, 24, 0, 2 * kPi);
  Shade(cr, Hex(0xe6a623), 147, 195, 2.0);
  // top rims
  for (double x : {7.0, 383.0}) {
    cairo_arc(cr, x, 0, 6, 0, 2 * kPi);
    Shade(cr, pal::kGold, -6, 6, 1.5);
  }
}

void Wheel(cairo_t* cr, double cx, double cy, double r, Rgb rim) {
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  Shade(cr, Hex(0x3a3a44), cy - r, cy + r, 2.0);
  cairo_arc(cr, cx, cy, r * 0.65, 0, 2 * kPi);
  Shade(cr, rim, cy - r, cy + r, 1.5);
  for (int k = 0; k < 6; ++k) {
    double a = k * kPi / 3;
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + std::cos(a) * r * 0.62, cy + std::sin(a) * r * 0.62);
    Stroke(cr, Darker(rim, 0.4), r * 0.1);
  }
  cairo_arc(cr, cx, cy, r * 0.2, 0, 2 * kPi);
  Shade(cr, pal::kGold, cy - r * 0.2, cy + r * 0.2, 1.0);
}

void ClockFace(cairo_t* cr, double cx, double cy, double r) {
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  Shade(cr, Hex(0xe6a623), cy - r, cy + r, 2.0);
  cairo_arc(cr, cx, cy, r * 0.8, 0, 2 * kPi);
  FillV(cr, cy - r, cy + r, pal::kWhite, Hex(0xe8eef4));
  for (int k = 0; k < 12; ++k) {
    double a = k * kPi / 6;
    double r0 = k % 3 == 0 ? r * 0.56 : r * 0.66;
    cairo_move_to(cr, cx + std::cos(a) * r0, cy + std::sin(a) * r0);
    cairo_line_to(cr, cx + std::cos(a) * r * 0.74, cy + std::sin(a) * r * 0.74);
    Stroke(cr, Hex(0x3a3a48), k % 3 == 0 ? r * 0.08 : r * 0.05);
  }
}

void Floor(cairo_t* cr, int) {
  RoundRect(cr, 2, 4, 404, 26, 8);
  Shade(cr, kSteel, 4, 30, 2.0);
  cairo_rectangle(cr, 14, 6, 380, 6);
  SetRgb(cr, Hex(0xe6a623));
  cairo_fill(cr);
  for (double x = 20; x < 400; x += 24) {
    Polygon(cr, {x, 6, x + 10, 6, x + 4, 12, x - 6, 12});
    SetRgb(cr, Hex(0x30343c));
    cairo_fill(cr);
  }
  for (double x = 16; x < 400; x += 40) {
    cairo_arc(cr, x, 22, 2.2, 0, 2 * kPi);
    SetRgb(cr, kSteelDark);
    cairo_fill(cr);
  }
}

void FloorLeg(cairo_t* cr, int) {
  RoundRect(cr, 2, 0, 32, 40, 6);
  Shade(cr, kSteelDark, 0, 40, 2.0);
  cairo_rectangle(cr, 9, 36, 18, 264);
  Shade(cr, Hex(0xc8d0d8), 36, 300, 1.5);
  cairo_rectangle(cr, 12, 40, 4, 256);
  SetRgb(cr, pal::kWhite, 0.5);
  cairo_fill(cr);
}

void Pusher(cairo_t* cr, int) {
  // a spring-loaded ram pushing to the left
  for (int k = 0; k < 6; ++k) {
    double x = 56 + k * 10;
    cairo_move_to(cr, x, 30);
    cairo_line_to(cr, x + 5, 60);
    cairo_line_to(cr, x + 10, 30);
    Stroke(cr, kSteel, 3.0);
  }
  RoundRect(cr, 112, 10, 16, 70, 5);
  Shade(cr, kSteelDark, 10, 80, 2.0);
  RoundRect(cr, 4, 14, 52, 62, 10);
  Shade(cr, Hex(0xe6a623), 14, 76, 2.2);
  Polygon(cr, {8, 22, 20, 18, 20, 72, 8, 68});
  SetRgb(cr, Hex(0x30343c), 0.8);
  cairo_fill(cr);
  FaceOpts f;
  f.angry = true;
  f.mouth = 2;
  Face(cr, 36, 44, 0.6, f);
}

void Gadget(cairo_t* cr, int) {
  for (int k = 0; k < 2; ++k) {
    double cx = k ? 42 : 22, cy = k ? 40 : 26, r = k ? 16 : 14;
    StarPath(cr, cx, cy, r, r * 0.78, 10, k * 9.0);
    Shade(cr, k ? pal::kGold : kSteel, cy - r, cy + r, 1.5);
    cairo_arc(cr, cx, cy, r * 0.35, 0, 2 * kPi);
    SetRgb(cr, Hex(0x30343c));
    cairo_fill(cr);
  }
}

void WaterBig(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 256, 128);
  FillV(cr, 0, 128, Hex(0x58c0e8), Hex(0x1a5fa0));
  Rng rng(77);
  for (int k = 0; k < 26; ++k) {
    double x = rng.Uniform(0, 256), y = rng.Uniform(6, 110), w = rng.Uniform(14, 40);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + w * 0.3, y - 3, x + w * 0.7, y + 3, x + w, y);
    Stroke(cr, pal::kWhite, 1.5, 0.25 * (1 - y / 140));
  }
}

void WaterSurface(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 32, 8);
  FillV(cr, 0, 8, Hex(0xe8fbff), Hex(0x7fd0ef));
  cairo_rectangle(cr, 0, 0, 32, 2);
  SetRgb(cr, pal::kWhite);
  cairo_fill(cr);
}

void Brick(cairo_t* cr, int damage, int kind) {
  Rgb c = kind == 0 ? Hex(0xd9a35e) : kind == 1 ? Hex(0xc98a4e) : Hex(0xa6dcf2);
  RoundRect(cr, 1, 1, 46, 46, 5);
  Shade(cr, c, 1, 47, 2.0);
  RoundRect(cr, 5, 5, 38, 38, 4);
  Stroke(cr, Lighter(c, 0.35), 1.5, 0.7);
  if (kind == 2) {
    Polygon(cr, {8, 40, 16, 8, 20, 8, 12, 40});
    SetRgb(cr, pal::kWhite, 0.4);
    cairo_fill(cr);
  } else {
    Rng rng(static_cast<uint32_t>(kind * 31 + 5));
    for (int k = 0; k < 6; ++k) {
      cairo_arc(cr, rng.Uniform(10, 38), rng.Uniform(10, 38), rng.Uniform(1, 2.2), 0, 2 * kPi);
      SetRgb(cr, Darker(c, 0.25), 0.6);
      cairo_fill(cr);
    }
  }
  const Rgb crack = kind == 2 ? pal::kWhite : Darker(c, 0.55);
  if (damage >= 1) {
    cairo_move_to(cr, 22, 1);
    cairo_line_to(cr, 26, 12);
    cairo_line_to(cr, 20, 20);
    cairo_line_to(cr, 27, 28);
    Stroke(cr, crack, 2.0);
  }
  if (damage >= 2) {
    cairo_move_to(cr, 47, 30);
    cairo_line_to(cr, 34, 32);
    cairo_line_to(cr, 27, 28);
    cairo_line_to(cr, 18, 38);
    cairo_line_to(cr, 20, 47);
    cairo_move_to(cr, 1, 18);
    cairo_line_to(cr, 12, 22);
    cairo_line_to(cr, 20, 20);
    Stroke(cr, crack, 2.0);
  }
}

void Pimpo(cairo_t* cr, int frame) {
  // a little beacon that ends the red line; it blinks while a box is over the line
  const bool on = frame % 4 < 2;
  cairo_rectangle(cr, 7, 14, 4, 18);
  Shade(cr, kSteel, 14, 32, 1.0);
  RoundRect(cr, 3, 28, 12, 5, 2);
  Shade(cr, kSteelDark, 28, 33, 1.0);
  if (on) Glow(cr, 9, 12, 9, Hex(0xff5040), 0.9);
  cairo_arc(cr, 9, 12, 5.5, 0, 2 * kPi);
  Shade(cr, on ? Hex(0xff4a3a) : Hex(0xa02a22), 6, 18, 1.2);
  cairo_arc(cr, 7.5, 10.5, 1.8, 0, 2 * kPi);
  SetRgb(cr, pal::kWhite, on ? 0.9 : 0.4);
  cairo_fill(cr);
}

void RayTile(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 32, 16);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 16);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.2, 0.15, 0);
  cairo_pattern_add_color_stop_rgba(p, 0.4, 1, 0.3, 0.2, 0.8);
  cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 0.85, 0.8, 1);
  cairo_pattern_add_color_stop_rgba(p, 0.6, 1, 0.3, 0.2, 0.8);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.2, 0.15, 0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Stone(cairo_t* cr, int) {
  cairo_move_to(cr, 6, 44);
  cairo_curve_to(cr, 0, 20, 20, 4, 50, 4);
  cairo_curve_to(cr, 82, 4, 102, 22, 94, 44);
  cairo_close_path(cr);
  Shade(cr, Hex(0x9c9a92), 4, 44, 2.0);
  Text(cr, "K", 50, 26, 20, kCenter, Hex(0x7fe0ff), Hex(0x3a5a70), 1.2);
  Glow(cr, 50, 26, 20, Hex(0x7fe0ff), 0.35);
}

void RedLamp(cairo_t* cr, int) {
  Glow(cr, 12, 12, 12, Hex(0xff5040), 0.8);
  cairo_arc(cr, 12, 12, 5.5, 0, 2 * kPi);
  Shade(cr, Hex(0xff4a3a), 6, 18, 1.2);
  cairo_arc(cr, 10.5, 10.5, 1.8, 0, 2 * kPi);
  SetRgb(cr, pal::kWhite, 0.9);
  cairo_fill(cr);
}

}  // namespace

void AddPlayfield(Registry& r) {
  r.Image("IMAGE_HOVER", kDir + "claw/claw.png", 96, 104, Claw).Handle(48, 14);
  r.Image("IMAGE_HOVER_LAMP", kDir + "claw/claw_lamp.png", 96, 104, ClawLamp).Handle(48, 14);
  r.Image("IMAGE_HOVERUP", kDir + "claw/carriage.png", 64, 40, Carriage).Mid();
  r.Image("IMAGE_RELS", kDir + "claw/rail.png", 560, 24, Rail);
  r.Image("IMAGE_CABLE_TEX", kDir + "claw/cable.png", 32, 8, CableTex);
  r.Image("IMAGE_ROPE_TEX", kDir + "claw/rope.png", 32, 8, RopeTex);
  r.Image("IMAGE_AIM", kDir + "claw/aim.png", 46, 420, Aim);
  r.Anim("IMAGE_LAZER", kDir + "claw/laser.png", 48, 56, 8, Lazer).Mid().Speed(60);

  r.Image("IMAGE_TROLLEY_BACK", kDir + "trolley/back.png", 390, 200, TrolleyBack);
  r.Image("IMAGE_TROLLEY_FRONT", kDir + "trolley/front.png", 390, 200, TrolleyFront);
  r.Image("IMAGE_TROLLEY_WHEEL", kDir + "trolley/wheel.png", 44, 44,
          [](cairo_t* cr, int) { Wheel(cr, 22, 22, 20, Hex(0xd2553f)); })
      .Mid();
  r.Image("IMAGE_TROLLEY_CLOCK", kDir + "trolley/clock.png", 40, 40,
          [](cairo_t* cr, int) { ClockFace(cr, 20, 20, 18); })
      .Mid();
  r.Image("IMAGE_TROLLEY_CLOCK_SHADOW", kDir + "trolley/clock_shadow.png", 30, 30, [](cairo_t* cr, int) {
    cairo_arc(cr, 15, 15, 15, 0, 2 * kPi);
    SetRgb(cr, Hex(0xd23c3c), 0.55);
    cairo_fill(cr);
  }).Mid();

  r.Image("IMAGE_FLOOR", kDir + "floor/floor.png", 408, 34, Floor);
  r.Image("IMAGE_FLOOR_LEG", kDir + "floor/leg.png", 36, 300, FloorLeg);
  r.Image("IMAGE_TOLKALKA", kDir + "floor/pusher.png", 130, 90, Pusher);
  r.Image("IMAGE_SHNIAGA", kDir + "floor/gadget.png", 64, 64, Gadget).Mid();

  r.Image("IMAGE_WATER_BIG_TEX", kDir + "water/water.png", 256, 128, WaterBig);
  r.Image("IMAGE_WATER_TEX", kDir + "water/surface.png", 32, 8, WaterSurface);

  r.Anim("IMAGE_BRICK_01", kDir + "bricks/brick_01.png", 48, 48, 3, [](cairo_t* cr, int f) { Brick(cr, f, 0); });
  r.Anim("IMAGE_BRICK_02", kDir + "bricks/brick_02.png", 48, 48, 3, [](cairo_t* cr, int f) { Brick(cr, f, 1); });
  r.Anim("IMAGE_BRICK_ICE", kDir + "bricks/brick_ice.png", 48, 48, 3, [](cairo_t* cr, int f) { Brick(cr, f, 2); });

  r.Anim("IMAGE_PIMPO", kDir + "redline/beacon.png", 18, 34, 8, Pimpo).Speed(120);
  r.Image("IMAGE_RAY", kDir + "redline/ray.png", 32, 16, RayTile);
  r.Image("IMAGE_STONE", kDir + "redline/stone.png", 100, 46, Stone);
  r.Image("IMAGE_RED_LAMP", kDir + "redline/red_lamp.png", 24, 24, RedLamp).Mid();
}

// Shared with the in-game interface and the level-complete screen.
void DrawClockFace(cairo_t* cr, double cx, double cy, double r) { ClockFace(cr, cx, cy, r); }
void DrawWheel(cairo_t* cr, double cx, double cy, double r, Rgb rim) { Wheel(cr, cx, cy, r, rim); }

}  // namespace kelp::art
