// Pictures the game opens by path: level thumbnails, the game-complete
// picture, the splash logo and window icon, and the props level files place
// in their worlds (with the damage frames obstacles use).
#include <cmath>
#include <cstdio>

#include "art.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;

void GameComplete(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 800, 600);
  FillV(cr, 0, 600, Hex(0x1a2a60), Hex(0xf2a060));
  Rng rng(777);
  for (int k = 0; k < 8; ++k) {
    double x = rng.Uniform(80, 720), y = rng.Uniform(60, 260);
    Rgb c = PlayRgb(k);
    for (int j = 0; j < 14; ++j) {
      double a = j * kPi / 7;
      cairo_move_to(cr, x + std::cos(a) * 10, y + std::sin(a) * 10);
      cairo_line_to(cr, x + std::cos(a) * 46, y + std::sin(a) * 46);
      Stroke(cr, c, 3.0, 0.9);
    }
    Glow(cr, x, y, 30, Lighter(c, 0.5), 0.7);
  }
  Landscape(cr, 800, 600, 330, Land::Desert, 778);
  for (int i = 0; i < 7; ++i) {
    CreatureOpts o;
    o.body = PlayRgb(i);
    o.arms_up = true;
    o.face.mouth = 4;
    Creature(cr, 130 + i * 90, 470 - (i % 2) * 24, 32, o);
  }
  DrawHero(cr, 0, 330, 380, 44, 0, 0.4);
  DrawHero(cr, 1, 470, 380, 44, 0, -0.4);
  Text(cr, "Well done!", 400, 300, 64, kCenter, pal::kGold, pal::kInk, 3.5);
  Text(cr, "Every creature is free again", 400, 550, 26, kCenter, pal::kCream, pal::kInk, 2.0);
}

void Splash(cairo_t* cr, int) {
  DrawEmblem(cr, 112, 128, 96);
  DrawWordmark(cr, 382, 116, 118);
}

void Icon64(cairo_t* cr, int) { DrawEmblem(cr, 32, 32, 30); }

// Level props: whole picture, or a damage strip (two cells, four for parasite walls).
void Plank(cairo_t* cr, double w, double h, int damage) {
  RoundRect(cr, 2, 2, w - 4, h - 4, 6);
  Shade(cr, pal::kWood, 2, h - 2, 2.0);
  for (double y = h * 0.35; y < h; y += h * 0.3) {
    cairo_move_to(cr, 8, y);
    cairo_line_to(cr, w - 8, y);
    Stroke(cr, pal::kWoodDark, 1.2, 0.35);
  }
  for (double x : {10.0, w - 10}) {
    cairo_arc(cr, x, h / 2, 3, 0, 2 * kPi);
    SetRgb(cr, Hex(0x56616e));
    cairo_fill(cr);
  }
  if (damage > 0) {
    cairo_move_to(cr, w * 0.4, 2);
    cairo_line_to(cr, w * 0.45, h * 0.5);
    cairo_line_to(cr, w * 0.38, h - 2);
    Stroke(cr, Hex(0x3a2210), 2.5);
  }
}

void StoneBlock(cairo_t* cr, double w, double h, int damage, bool ice) {
  RoundRect(cr, 2, 2, w - 4, h - 4, 8);
  if (ice) {
    FillV(cr, 2, h - 2, Hex(0xe8f7ff), Hex(0x8fcfef));
    RoundRect(cr, 2, 2, w - 4, h - 4, 8);
    Stroke(cr, Hex(0x5a9cc8), 2.0);
    Gloss(cr, 2, 2, w - 4, h - 4, 8, 0.5);
  } else {
    Shade(cr, Hex(0x9c9a92), 2, h - 2, 2.0);
    Rng rng(static_cast<uint32_t>(w * 3 + h));
    for (int k = 0; k < 5; ++k) {
      cairo_arc(cr, rng.Uniform(8, w - 8), rng.Uniform(8, h - 8), rng.Uniform(2, 4), 0, 2 * kPi);
      SetRgb(cr, Hex(0x7a7870), 0.6);
      cairo_fill(cr);
    }
  }
  const Rgb crack = ice ? pal::kWhite : Hex(0x4a4842);
  if (damage >= 1) {
    cairo_move_to(cr, w * 0.5, 2);
    cairo_line_to(cr, w * 0.42, h * 0.4);
    cairo_line_to(cr, w * 0.58, h * 0.6);
    Stroke(cr, crack, 2.2);
  }
  if (damage >= 2) {
    cairo_move_to(cr, 2, h * 0.7);
    cairo_line_to(cr, w * 0.3, h * 0.55);
    cairo_line_to(cr, w * 0.58, h * 0.6);
    cairo_line_to(cr, w * 0.7, h - 2);
    Stroke(cr, crack, 2.2);
  }
  if (damage >= 3) {
    cairo_move_to(cr, w - 2, h * 0.25);
    cairo_line_to(cr, w * 0.7, h * 0.35);
    cairo_line_to(cr, w * 0.58, h * 0.6);
    Stroke(cr, crack, 2.2);
  }
}

void ParasiteWall(cairo_t* cr, double w, double h, int damage) {
  StoneBlock(cr, w, h, damage, false);
  for (int k = 0; k < 3; ++k) {
    double x = w * (0.25 + 0.25 * k);
    cairo_move_to(cr, x - 6, 4);
    cairo_line_to(cr, x - 4, 14 + k * 6);
    cairo_arc(cr, x, 14 + k * 6, 4, kPi, 2 * kPi);
    cairo_line_to(cr, x + 6, 4);
    SetRgb(cr, Hex(0x8a3fb0), 0.85);
    cairo_fill(cr);
  }
  FaceOpts f;
  f.angry = true;
  f.mouth = 5;
  f.ouch = damage >= 2;
  Face(cr, w / 2, h / 2, w / 60.0, f);
}

}  // namespace

void AddFiles(Registry& r) {
  r.File("GAME_COMPLETE", "data/img/game/gamecomplete.jpg", 800, 600, GameComplete).Jpeg();
  r.File("SPLASH_LOGO", "data/img/splash/kelp_logo.png", 560, 256, Splash).Mid();
  r.File("WINDOW_ICON", "data/img/kelp.png", 64, 64, Icon64);

  const std::string props = "data/img/levels/props/";
  struct Prop {
    const char* name;
    int w, h, kind;  // kind 0 plank, 1 stone, 2 ice, 3 parasite wall
  };
  const Prop list[] = {{"plank", 200, 28, 0},       {"plank_short", 120, 24, 0}, {"stone_block", 64, 64, 1},
                       {"pillar", 40, 160, 1},      {"ice_block", 64, 64, 2},    {"parasite_wall", 64, 128, 3}};
  for (const Prop& p : list) {
    Prop v = p;
    auto draw = [v](cairo_t* cr, int damage) {
      if (v.kind == 0) Plank(cr, v.w, v.h, damage);
      else if (v.kind == 3) ParasiteWall(cr, v.w, v.h, damage);
      else StoneBlock(cr, v.w, v.h, damage, v.kind == 2);
    };
    std::string upper = "PROP_";
    for (const char* c = p.name; *c; ++c) upper += static_cast<char>(*c >= 'a' && *c <= 'z' ? *c - 32 : *c);
    r.File(upper, props + p.name + ".png", p.w, p.h, [draw](cairo_t* cr, int) { draw(cr, 0); });
    // damage frames: cells 1.. of the strip are increasingly broken
    const int cells = p.kind == 3 ? 4 : 2;
    r.File(upper + "_ANIM", props + p.name + "_anim.png", p.w, p.h, [draw](cairo_t* cr, int f) { draw(cr, f + 1); })
        .Frames(cells);
  }
}

}  // namespace kelp::art
