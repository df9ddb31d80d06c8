// The intro comic: its pages (centred, a little larger than the screen so
// they can zoom), the layers that move over them and the blocks of its small
// physics scene.
#include <cmath>

#include "art.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;
const std::string kDir = "data/img/comics/";
constexpr int kPW = 900, kPH = 640;

void SkyFill(cairo_t* cr, Rgb top, Rgb bottom) {
  cairo_rectangle(cr, 0, 0, kPW, kPH);
  FillV(cr, 0, kPH, top, bottom);
}

void Stars(cairo_t* cr, uint32_t seed, int n) {
  Rng rng(seed);
  for (int k = 0; k < n; ++k) {
    cairo_arc(cr, rng.Uniform(0, kPW), rng.Uniform(0, kPH * 0.7), rng.Uniform(0.6, 1.8), 0, 2 * kPi);
    SetRgb(cr, pal::kWhite, rng.Uniform(0.4, 1.0));
    cairo_fill(cr);
  }
}

void FloatingIsland(cairo_t* cr, double cx, double cy, double w, bool snow) {
  const double h = w * 0.6;
  cairo_move_to(cr, cx - w / 2, cy);
  cairo_curve_to(cr, cx - w * 0.3, cy + h * 0.6, cx - w * 0.1, cy + h * 0.7, cx, cy + h);
  cairo_curve_to(cr, cx + w * 0.1, cy + h * 0.7, cx + w * 0.3, cy + h * 0.6, cx + w / 2, cy);
  cairo_close_path(cr);
  Shade(cr, snow ? Hex(0x8a94a8) : Hex(0xa86a3a), cy, cy + h, 2.5);
  Ellipse(cr, cx, cy, w / 2, h * 0.2);
  Shade(cr, snow ? pal::kSnow : pal::kSand, cy - h * 0.2, cy + h * 0.2, 2.0);
}

void Page01(cairo_t* cr, int) {
  // morning over the islands
  SkyFill(cr, Hex(0x5aa0e0), Hex(0xffe0b0));
  Glow(cr, 700, 420, 200, Hex(0xfff2c0), 0.9, 0.2);
  for (int k = 0; k < 4; ++k) Cloud(cr, 120 + k * 220, 120 + (k % 2) * 60, 200, 90, 70u + k);
  FloatingIsland(cr, 300, 380, 380, false);
  FloatingIsland(cr, 700, 300, 240, true);
  Palm(cr, 230, 370, 180, -0.2, 7);
  Hut(cr, 300, 300, 100, 80, Hex(0xe8c48a), Hex(0xc0462f), false, 0);
  Pine(cr, 680, 290, 90, true, 8);
  DrawHero(cr, 0, 420, 350, 22, 0, 0.5);
  DrawHero(cr, 1, 470, 350, 22, 0, -0.5);
}

void Page02(cairo_t* cr, int) {
  // the heroes play with their coloured boxes
  SkyFill(cr, Hex(0x6ab0e8), Hex(0xd8f0ff));
  Landscape(cr, kPW, kPH, 260, Land::Desert, 12);
  for (int i = 0; i < 6; ++i) {
    int c = i % 7;
    double x = 300 + (i % 3) * 72 + (i > 2 ? 36 : 0), y = i > 2 ? 408 : 480;
    BoxBody(cr, x, y, 70, 70, PlayRgb(c));
    BoxFace(cr, x, y, 70, 70, i % 5, PlayRgb(c));
  }
  DrawHero(cr, 0, 200, 500, 50, 0, 0.6);
  DrawHero(cr, 1, 680, 500, 50, 0, -0.6);
}

void Page03(cairo_t* cr, int) {
  // night: something bright in the sky
  SkyFill(cr, Hex(0x0a1030), Hex(0x30306a));
  Stars(cr, 33, 160);
  FloatingIsland(cr, 450, 520, 500, false);
  DrawHero(cr, 0, 400, 490, 26, 0, 0.0);
  DrawHero(cr, 1, 500, 490, 26, 0, 0.0);
}

void Planet(cairo_t* cr, int) {
  Glow(cr, 200, 200, 200, Hex(0x9fd0ff), 0.5, 0.4);
  cairo_arc(cr, 200, 200, 110, 0, 2 * kPi);
  Shade(cr, Hex(0x8a6ad0), 90, 310, 3.0);
  for (int k = 0; k < 5; ++k) {
    Ellipse(cr, 160 + k * 20, 150 + k * 30, 50 - k * 6, 12);
    SetRgb(cr, Hex(0xb89af0), 0.5);
    cairo_fill(cr);
  }
  Ellipse(cr, 200, 205, 180, 34);
  Stroke(cr, Hex(0xf2c230), 8.0, 0.8);
}

void Page04(cairo_t* cr, int) {
  // a falling star breaks into three stones
  SkyFill(cr, Hex(0x1a1a40), Hex(0x6a3a5a));
  Stars(cr, 44, 90);
  for (int k = 0; k < 3; ++k) {
    double x = 260 + k * 200, y = 200 + k * 60;
    cairo_move_to(cr, x - 160, y - 160);
    cairo_line_to(cr, x, y);
    Stroke(cr, Hex(0xfff2a0), 10.0 - k * 2, 0.6);
    Glow(cr, x, y, 50, Hex(0x7fe0ff), 0.8);
    RoundRect(cr, x - 20, y - 26, 40, 52, 14);
    Shade(cr, Hex(0x9c9a92), y - 26, y + 26, 2.0);
  }
  FloatingIsland(cr, 450, 560, 560, false);
}

void Page06(cairo_t* cr, int) {
  // the brownie arrives under dark clouds
  SkyFill(cr, Hex(0x2a2040), Hex(0x6a4a5a));
  for (int k = 0; k < 5; ++k) {
    cairo_push_group(cr);
    Cloud(cr, 100 + k * 180, 100, 240, 110, 60u + k);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.5);
  }
  Landscape(cr, kPW, kPH, 300, Land::DesertEvil, 66);
  CreatureOpts o;
  o.body = Hex(0x8a5530);
  o.top = Top::Horns;
  o.face.angry = true;
  o.face.mouth = 5;
  o.arms_up = true;
  Creature(cr, 450, 330, 120, o);
}

void Page07(cairo_t* cr, int) {
  // the villagers are locked in boxes
  SkyFill(cr, Hex(0x4a5a8a), Hex(0xb0b8d8));
  Landscape(cr, kPW, kPH, 300, Land::Desert, 77);
  for (int i = 0; i < 7; ++i) {
    double x = 100 + i * 100, y = 420 + (i % 2) * 30;
    BoxBody(cr, x, y, 90, 90, PlayRgb(i));
    BoxFace(cr, x, y, 90, 90, i % 2 ? 5 : 3, PlayRgb(i));
  }
}

void Page09(cairo_t* cr, int) {
  // the crane: the way to set them free
  SkyFill(cr, Hex(0x5aa0e0), Hex(0xd8f0ff));
  Landscape(cr, kPW, kPH, 320, Land::Desert, 99);
  cairo_rectangle(cr, 100, 110, 700, 26);
  Shade(cr, Hex(0x8d9aa8), 110, 136, 2.0);
  cairo_move_to(cr, 450, 136);
  cairo_line_to(cr, 450, 220);
  Stroke(cr, Hex(0x3a3a48), 6.0);
  RoundRect(cr, 405, 210, 90, 60, 20);
  Shade(cr, Hex(0xe6a623), 210, 270, 2.5);
  BoxBody(cr, 410, 300, 80, 80, BoxRgb(kBlue));
  BoxFace(cr, 410, 300, 80, 80, 1, BoxRgb(kBlue));
  DrawHero(cr, 0, 250, 520, 46, 0, 0.7);
  DrawHero(cr, 1, 650, 520, 46, 0, -0.7);
}

void Back09(cairo_t* cr, int) {
  SkyFill(cr, Hex(0x6ab0e8), Hex(0xe8f4ff));
  Landscape(cr, kPW, kPH, 280, Land::Desert, 90);
  for (int k = 0; k < 3; ++k) Cloud(cr, 150 + k * 300, 110, 200, 80, 91u + k);
}

void Page11(cairo_t* cr, int) {
  // off they go: heroes, freed creatures and the claw
  SkyFill(cr, Hex(0xf2a060), Hex(0xffe8b0));
  Glow(cr, 450, 330, 300, Hex(0xfff2c0), 0.8, 0.2);
  FloatingIsland(cr, 450, 430, 600, false);
  for (int i = 0; i < 5; ++i) {
    CreatureOpts o;
    o.body = BoxRgb(i);
    o.arms_up = true;
    o.face.mouth = 4;
    Creature(cr, 250 + i * 100, 380 - (i % 2) * 20, 30, o);
  }
  DrawHero(cr, 0, 360, 330, 34, 0, 0.3);
  DrawHero(cr, 1, 540, 330, 34, 0, -0.3);
}

void Orbics(cairo_t* cr, int) {
  // a bunch of freed creatures
  for (int i = 0; i < 7; ++i) {
    CreatureOpts o;
    o.body = PlayRgb(i);
    o.arms_up = i % 2 == 0;
    o.face.mouth = i % 3 == 0 ? 4 : 0;
    double x = 70 + i * 44, y = 170 + std::sin(i * 1.3) * 40;
    Creature(cr, x, y, 34, o);
  }
}

void Particles(cairo_t* cr, int) {
  Rng rng(515);
  for (int k = 0; k < 40; ++k) {
    double a = rng.Uniform(0, 2 * kPi), d = rng.Uniform(40, 140);
    Sparkle(cr, 200 + std::cos(a) * d, 150 + std::sin(a) * d * 0.7, rng.Uniform(4, 10),
            k % 3 ? pal::kGold : Hex(0x9fe0f4));
  }
}

void BlockPicture(cairo_t* cr, int who) {
  // the textured quads of the comic's physics scene
  if (who == 3) {
    RoundRect(cr, 6, 6, 116, 116, 30);
    Shade(cr, Hex(0x9c9a92), 6, 122, 3.0);
    for (int k = 0; k < 5; ++k) {
      cairo_arc(cr, 30 + k * 17, 40 + (k % 2) * 50, 7, 0, 2 * kPi);
      SetRgb(cr, Hex(0x7a7870), 0.6);
      cairo_fill(cr);
    }
    return;
  }
  Rgb c = who == 0 ? Hex(0xe0473d) : who == 1 ? Hex(0xf2c23a) : Hex(0x8a5530);
  BoxBody(cr, 4, 4, 120, 120, c);
  FaceOpts f;
  f.angry = who == 2;
  f.mouth = who == 2 ? 5 : 0;
  Face(cr, 64, 66, 2.4, f);
}

}  // namespace

void AddComics(Registry& r) {
  struct Pg {
    const char* id;
    const char* file;
    DrawFn fn;
  };
  const Pg pages[] = {{"IMAGE_COMICS_INTRO_01", "intro_01", Page01}, {"IMAGE_COMICS_INTRO_02", "intro_02", Page02},
                      {"IMAGE_COMICS_INTRO_03", "intro_03", Page03}, {"IMAGE_COMICS_INTRO_04", "intro_04", Page04},
                      {"IMAGE_COMICS_INTRO_06", "intro_06", Page06}, {"IMAGE_COMICS_INTRO_07", "intro_07", Page07},
                      {"IMAGE_COMICS_INTRO_09", "intro_09", Page09}, {"IMAGE_COMICS_INTRO_09_BACK", "intro_09_back", Back09},
                      {"IMAGE_COMICS_INTRO_11", "intro_11", Page11}};
  for (const Pg& p : pages) r.Image(p.id, kDir + p.file + ".png", kPW, kPH, p.fn).Mid();
  r.Image("IMAGE_COMICS_INTRO_PLANET", kDir + "planet.png", 400, 400, Planet).Mid();
  r.Image("IMAGE_COMICS_ORBICS", kDir + "creatures.png", 400, 300, Orbics).Mid();
  r.Image("IMAGE_COMICS_PARTICLES", kDir + "sparkles.png", 400, 300, Particles).Mid();
  r.Image("IMAGE_COMICS_REDRICE", kDir + "block_redrice.png", 128, 128, [](cairo_t* cr, int) { BlockPicture(cr, 0); });
  r.Image("IMAGE_COMICS_ELLO", kDir + "block_ello.png", 128, 128, [](cairo_t* cr, int) { BlockPicture(cr, 1); });
  r.Image("IMAGE_COMICS_BROWNIE", kDir + "block_brownie.png", 128, 128, [](cairo_t* cr, int) { BlockPicture(cr, 2); });
  r.Image("IMAGE_COMICS_STONE_01", kDir + "block_stone.png", 128, 128, [](cairo_t* cr, int) { BlockPicture(cr, 3); });
}

}  // namespace kelp::art
